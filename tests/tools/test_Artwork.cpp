// The committed pictures are what the artwork tool draws: the desktop icons
// at every theme size and the Windows icon file that holds several of them.

#include <gtest/gtest.h>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <map>

using namespace Qt::StringLiterals;

namespace {

const QDir kCommitted(QStringLiteral(QUORVEL_IMAGES_DIR));
constexpr int kThemeSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString ThemeIcon(int size)
{
    return u"hicolor/%1x%1/apps/quorvel.png"_s.arg(size);
}

// Compared pixel by pixel: PNG bytes may differ between zlib versions while
// the picture does not.
QImage Pixels(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
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
        EXPECT_TRUE(Pixels(committed) == Pixels(QImage(drawn(ThemeIcon(size)))))
            << "differs from the artwork tool's picture: run quorvel-artwork resources/images";
    }
}

TEST_F(Artwork, WindowIconIsCommittedAsDrawn)
{
    const QImage committed(kCommitted.filePath(u"icon.png"_s));
    ASSERT_EQ(committed.size(), QSize(96, 96));
    EXPECT_TRUE(Pixels(committed) == Pixels(QImage(drawn(u"icon.png"_s))));
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
        EXPECT_TRUE(Pixels(entry.image) == Pixels(QImage(drawn(ThemeIcon(entry.width)))));
    }
    // Explorer's small, medium and large views pick these sizes.
    for (const int size : {16, 32, 48, 256})
        EXPECT_EQ(seen[size], 1) << size;

    const std::vector<IconEntry> committed = ReadIconFile(kCommitted.filePath(u"quorvel.ico"_s));
    ASSERT_EQ(committed.size(), entries.size()) << "run quorvel-artwork resources/images";
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_TRUE(Pixels(committed[i].image) == Pixels(entries[i].image)) << "entry " << i;
}
