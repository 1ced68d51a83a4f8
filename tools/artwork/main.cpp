// Draws the planner's pictures into the folder given on the command line: the
// window icon (icon.png, 96 × 96), the banner (banner.png, 500 × 80), the
// desktop icon at the usual theme sizes (hicolor/NxN/apps/quorvel.png) and
// the Windows icon holding several of them (quorvel.ico). The committed
// pictures under resources/images/ come from this program.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "tools/artwork/ArtworkDrawing.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

#include <array>

using namespace Qt::StringLiterals;

namespace {

// The sizes a desktop's icon theme looks for, and those of them Windows
// shows (lists, the task bar, the desktop, large tiles).
constexpr std::array kThemeSizes{16, 22, 24, 32, 48, 64, 128, 256};
constexpr std::array kWindowsSizes{16, 24, 32, 48, 64, 256};

// An icon file whose entries are PNG images, the form Windows has read since
// Vista. Qt's own ICO writer stores a single image, and Explorer would then
// shrink the largest one for a list view.
bool SaveWindowsIcon(const QString& path)
{
    QList<QByteArray> pictures;
    for (const int size : kWindowsSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !DrawIcon(size).save(&buffer, "PNG"))
            return false;
        pictures.append(png);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    constexpr quint16 kIconType = 1;
    constexpr quint32 kHeaderSize = 6;
    constexpr quint32 kEntrySize = 16;
    out << quint16(0) << kIconType << quint16(pictures.size());
    quint32 offset = kHeaderSize + kEntrySize * quint32(pictures.size());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        // A width or height of 256 is written as 0: the field is one byte.
        const auto side = quint8(kWindowsSizes[std::size_t(i)] % 256);
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(pictures[i].size()) << offset;
        offset += quint32(pictures[i].size());
    }
    for (const QByteArray& png : pictures)
        out.writeRawData(png.constData(), int(png.size()));
    return out.status() == QDataStream::Ok && file.commit();
}

bool SaveThemeIcons(const QDir& folder)
{
    for (const int size : kThemeSizes) {
        const QString apps = u"hicolor/%1x%1/apps"_s.arg(size);
        if (!folder.mkpath(apps) || !DrawIcon(size).save(folder.filePath(apps + u"/quorvel.png"_s)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: quorvel-artwork OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!DrawIcon(96).save(folder.filePath(u"icon.png"_s)) ||
        !DrawBanner().save(folder.filePath(u"banner.png"_s)) || !SaveThemeIcons(folder) ||
        !SaveWindowsIcon(folder.filePath(u"quorvel.ico"_s))) {
        err << "cannot write the pictures into " << folder.path() << '\n';
        return 1;
    }
    return 0;
}
