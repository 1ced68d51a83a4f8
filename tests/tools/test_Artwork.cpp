// The committed pictures are what the artwork tool draws: the desktop icons
// at every theme size and the Windows icon file that holds several of them.
// Pictures are compared as pictures (see PictureComparison.h), so another
// processor or Qt patch level that moves an antialiased edge still passes,
// while an edit of the drawing code without new committed files fails.

#include "tests/support/PictureComparison.h"
#include "tools/artwork/ArtworkDrawing.h"

#include <gtest/gtest.h>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace {

const QDir kCommitted(QStringLiteral(QUORVEL_IMAGES_DIR));
constexpr int kThemeSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString ThemeIcon(int size)
{
    return u"hicolor/%1x%1/apps/quorvel.png"_s.arg(size);
}

// Empty when the two show the same picture, as the test's message otherwise.
std::string Difference(const QImage& expected, const QImage& actual)
{
    return picture_comparison::PictureDifference(expected, actual).toStdString();
}

class Artwork : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_drawn = new QTemporaryDir;
        ASSERT_TRUE(s_drawn->isValid());
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUORVEL_ARTWORK_EXECUTABLE), {s_drawn->path()});
        ASSERT_TRUE(process.waitForFinished(120000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite()
    {
        delete s_drawn;
        s_drawn = nullptr;
    }
    static QString drawn(const QString& name) { return QDir(s_drawn->path()).filePath(name); }

    static inline QTemporaryDir* s_drawn = nullptr;
};

struct IconEntry
{
    int width = 0;
    int height = 0;
    QImage image;
};

// Reads an icon file's directory and decodes every entry; an entry whose
// offset or length runs past the end of the file fails the test.
std::vector<IconEntry> ReadIconFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    quint16 reserved = 1;
    quint16 type = 0;
    quint16 count = 0;
    in >> reserved >> type >> count;
    EXPECT_EQ(reserved, 0);
    EXPECT_EQ(type, 1) << "an icon, not a cursor";
    std::vector<IconEntry> entries;
    for (int i = 0; i < count; ++i) {
        quint8 width = 0, height = 0, colours = 0, unused = 0;
        quint16 planes = 0, bits = 0;
        quint32 length = 0, offset = 0;
        in >> width >> height >> colours >> unused >> planes >> bits >> length >> offset;
        EXPECT_EQ(in.status(), QDataStream::Ok) << "entry " << i;
        EXPECT_EQ(bits, 32) << "entry " << i;
        EXPECT_LE(qint64(offset) + length, bytes.size()) << "entry " << i;
        IconEntry entry;
        entry.width = width == 0 ? 256 : width;
        entry.height = height == 0 ? 256 : height;
        entry.image = QImage::fromData(bytes.mid(offset, length), "PNG");
        entries.push_back(entry);
    }
    return entries;
}

} // namespace

TEST_F(Artwork, ThemeIconsAreCommittedAtEverySizeAsDrawn)
{
    for (const int size : kThemeSizes) {
        SCOPED_TRACE(ThemeIcon(size).toStdString());
        const QImage committed(kCommitted.filePath(ThemeIcon(size)));
        ASSERT_FALSE(committed.isNull()) << "missing: run quorvel-artwork resources/images";
        EXPECT_EQ(committed.size(), QSize(size, size));
        EXPECT_TRUE(committed.hasAlphaChannel()) << "the rounded corners are transparent";
        EXPECT_EQ(Difference(committed, QImage(drawn(ThemeIcon(size)))), "")
            << "differs from the artwork tool's picture: run quorvel-artwork resources/images";
    }
}

TEST_F(Artwork, WindowIconIsCommittedAsDrawn)
{
    const QImage committed(kCommitted.filePath(u"icon.png"_s));
    ASSERT_EQ(committed.size(), QSize(96, 96));
    EXPECT_EQ(Difference(committed, QImage(drawn(u"icon.png"_s))), "");
}

TEST_F(Artwork, WindowsIconHoldsTheThemePicturesOfItsSizes)
{
    const std::vector<IconEntry> entries = ReadIconFile(drawn(u"quorvel.ico"_s));
    ASSERT_GE(entries.size(), 4u);
    std::map<int, int> seen;
    for (const IconEntry& entry : entries) {
        SCOPED_TRACE(entry.width);
        ++seen[entry.width];
        EXPECT_EQ(entry.width, entry.height);
        ASSERT_FALSE(entry.image.isNull()) << "not a PNG picture";
        EXPECT_EQ(entry.image.size(), QSize(entry.width, entry.height))
            << "the directory and the picture disagree";
        EXPECT_EQ(Difference(QImage(drawn(ThemeIcon(entry.width))), entry.image), "");
    }
    // Explorer's small, medium and large views pick these sizes.
    for (const int size : {16, 32, 48, 256})
        EXPECT_EQ(seen[size], 1) << size;

    const std::vector<IconEntry> committed = ReadIconFile(kCommitted.filePath(u"quorvel.ico"_s));
    ASSERT_EQ(committed.size(), entries.size()) << "run quorvel-artwork resources/images";
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(Difference(entries[i].image, committed[i].image), "") << "entry " << i;
}

// --- The comparison itself ---------------------------------------------------

namespace {

// The icon at `size` drawn onto a transparent picture of `format`, with the
// painter prepared by `prepare` (a shift, an extra motif drawn afterwards).
template <typename Change> QImage DrawnIcon(int size, QImage::Format format, Change change)
{
    QImage image(size, size, format);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    change(painter, true);
    PaintIcon(painter, size);
    change(painter, false);
    return image;
}

QImage DrawnIcon(int size, QImage::Format format)
{
    return DrawnIcon(size, format, [](QPainter&, bool) {});
}

} // namespace

// Other machines rasterise the same drawing slightly differently. Here that is
// imitated by other raster paths (each pixel format has its own blending code)
// and by a shift of a twentieth of a pixel; every such rendering is the same
// picture, and the shift really does move edge pixels.
TEST(PictureComparison, AcceptsTheSameDrawingThroughAnotherRasterPath)
{
    int sizesMoved = 0;
    for (const int size : kThemeSizes) {
        SCOPED_TRACE(size);
        const QImage reference = DrawIcon(size);
        for (const QImage::Format format :
             {QImage::Format_ARGB32, QImage::Format_RGBA8888, QImage::Format_RGBA64_Premultiplied,
              QImage::Format_RGBA8888_Premultiplied}) {
            SCOPED_TRACE(int(format));
            EXPECT_EQ(Difference(reference, DrawnIcon(size, format)), "");
        }
        const QImage shifted = DrawnIcon(size, QImage::Format_ARGB32_Premultiplied,
                                         [](QPainter& painter, bool before) {
                                             if (before)
                                                 painter.translate(0.05, 0.05);
                                         });
        EXPECT_EQ(Difference(reference, shifted), "");
        EXPECT_EQ(Difference(shifted, reference), "");
        if (shifted != reference)
            ++sizesMoved;
    }
    EXPECT_EQ(sizesMoved, int(std::size(kThemeSizes)))
        << "the shift left the edges where they were";
}

// A real change of the drawing is seen at the larger sizes, where an edit
// that forgot to regenerate the committed files would show.
TEST(PictureComparison, RejectsAChangedDrawing)
{
    using Change = std::function<void(QPainter&, bool)>;
    const std::map<std::string, Change> changes{
        {"leaf recoloured",
         [](QPainter& painter, bool before) {
             if (!before) {
                 painter.save();
                 painter.setRenderHint(QPainter::Antialiasing);
                 painter.scale(painter.device()->width() / 96.0, painter.device()->width() / 96.0);
                 DrawLeaf(painter, QPointF(33, 40), 48, -28, QColor(0xc6, 0x8c, 0x5a));
                 painter.restore();
             }
         }},
        {"gourd added",
         [](QPainter& painter, bool before) {
             if (!before) {
                 painter.save();
                 painter.setRenderHint(QPainter::Antialiasing);
                 painter.scale(painter.device()->width() / 96.0, painter.device()->width() / 96.0);
                 DrawGourd(painter, QPointF(24, 90), 30);
                 painter.restore();
             }
         }},
        {"moved by one unit of the grid",
         [](QPainter& painter, bool before) {
             if (before)
                 painter.translate(painter.device()->width() / 96.0, 0);
         }},
        {"rotated by two degrees",
         [](QPainter& painter, bool before) {
             if (before) {
                 const double middle = painter.device()->width() / 2.0;
                 painter.translate(middle, middle);
                 painter.rotate(2);
                 painter.translate(-middle, -middle);
             }
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        for (const int size : {128, 256}) {
            const QImage changed = DrawnIcon(size, QImage::Format_ARGB32_Premultiplied, change);
            EXPECT_NE(Difference(DrawIcon(size), changed), "") << size;
        }
    }
}

// Below 128 pixels a shift of one unit of the 96-pixel grid is less than a
// pixel and passes for an edge; a changed colour is seen at every size.
TEST(PictureComparison, RejectsAChangedColourAtEverySize)
{
    for (const int size : kThemeSizes) {
        const QImage changed = DrawnIcon(
            size, QImage::Format_ARGB32_Premultiplied, [size](QPainter& painter, bool before) {
                if (!before) {
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.scale(size / 96.0, size / 96.0);
                    DrawLeaf(painter, QPointF(33, 40), 48, -28, QColor(0xc6, 0x8c, 0x5a));
                }
            });
        EXPECT_NE(Difference(DrawIcon(size), changed), "") << size;
    }
    // A tone over the whole picture, within the slack of every edge.
    QImage toned = DrawIcon(64);
    for (int y = 0; y < toned.height(); ++y) {
        for (int x = 0; x < toned.width(); ++x) {
            const QRgb pixel = toned.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                toned.setPixel(
                    x, y, qRgba(qRed(pixel), std::min(255, qGreen(pixel) + 10), qBlue(pixel), 255));
            }
        }
    }
    EXPECT_NE(Difference(DrawIcon(64), toned), "");
}

TEST(PictureComparison, RejectsAnotherSizeOrALostAlphaChannel)
{
    EXPECT_NE(Difference(DrawIcon(32), DrawIcon(48)), "");
    EXPECT_NE(Difference(DrawIcon(32), DrawIcon(32).convertToFormat(QImage::Format_RGB32)), "");
    EXPECT_NE(Difference(DrawIcon(32), QImage()), "");
}
