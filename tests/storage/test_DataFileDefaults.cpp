// The default tables, byte for byte, as a first run without data files sees
// them and as a save would write them.

#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace storagetest;

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

// "未知病毒" and its terminator; then the stats 9999, 9999, 2000.
const QByteArray kVirusName = Bytes({0x2A, 0x67, 0xE5, 0x77, 0xC5, 0x75, 0xD2, 0x6B, 0x00, 0x00});
const QByteArray kVirusStats = Bytes({0x0F, 0x27, 0x0F, 0x27, 0xD0, 0x07});

// "输入自己的信息" and "输入会友信息", each filling its 12 units with zeros.
const QByteArray kOwnHeroName =
    Bytes({0x93, 0x8F, 0x65, 0x51, 0xEA, 0x81, 0xF1, 0x5D, 0x84, 0x76, 0xE1, 0x4F, 0x6F, 0x60}) +
    QByteArray(10, '\0');
const QByteArray kMemberName =
    Bytes({0x93, 0x8F, 0x65, 0x51, 0x1A, 0x4F, 0xCB, 0x53, 0xE1, 0x4F, 0x6F, 0x60}) +
    QByteArray(12, '\0');
const QByteArray kChecked = Bytes({0x01, 0x00});
const QByteArray kUnchecked = Bytes({0x00, 0x00});
const QByteArray kNoStats = QByteArray(6, '\0');

QByteArray Record(const QByteArray& image, int index)
{
    return image.mid(32 * index, 32);
}

void ExpectDefaultVirusImage(const QByteArray& image)
{
    ASSERT_EQ(image.size(), 2048);
    for (int i = 0; i < kVirusCount; ++i) {
        SCOPED_TRACE(testing::Message() << "virus record " << i);
        const QByteArray record = Record(image, i);
        EXPECT_EQ(record.left(10), kVirusName);
        EXPECT_EQ(record.mid(26), kVirusStats);
        // Not significant, but zero: a saved default table must not carry
        // whatever the memory held before.
        EXPECT_EQ(record.mid(10, 16), QByteArray(16, '\0'));
    }
}

void ExpectDefaultHeroImage(const QByteArray& image)
{
    ASSERT_EQ(image.size(), 4096);
    EXPECT_EQ(Record(image, 0), kOwnHeroName + kChecked + kNoStats);
    for (int i = 1; i < kHeroCount; ++i) {
        SCOPED_TRACE(testing::Message() << "hero record " << i);
        EXPECT_EQ(Record(image, i), kMemberName + (i < 40 ? kChecked : kUnchecked) + kNoStats);
    }
}

} // namespace

TEST(DefaultTables, VirusRecordsAreUnknownVirusesOfTheDocumentedImage)
{
    VirusTable table;
    FillBytes(table, 0xCD); // every byte the defaults leave alone would show
    FillDefaultVirusTable(table);
    ExpectDefaultVirusImage(Image(table));
}

TEST(DefaultTables, HeroRecordsAreOwnHeroThenCheckedAndUncheckedPlaceholders)
{
    HeroTable table;
    FillBytes(table, 0xCD);
    FillDefaultHeroTable(table);
    ExpectDefaultHeroImage(Image(table));
}

TEST(DefaultTables, LoadingFromAFolderWithoutFilesGivesTheDefaults)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    VirusTable viruses;
    HeroTable heroes;
    FillBytes(viruses, 0xCD);
    FillBytes(heroes, 0xCD);
    LoadVirusTable(viruses, folder.path());
    LoadHeroTable(heroes, folder.path());
    ExpectDefaultVirusImage(Image(viruses));
    ExpectDefaultHeroImage(Image(heroes));
    EXPECT_TRUE(FolderEntries(folder.path()).isEmpty()) << "loading created files";
}

TEST(DefaultTables, SavedDefaultsAreTheDocumentedFileImages)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto tables = std::make_unique<PlanningTables>();
    FillDefaultVirusTable(tables->virusTable);
    FillDefaultHeroTable(tables->heroTable);
    ASSERT_TRUE(SaveTables(*tables, folder.path()).isEmpty());
    ExpectDefaultVirusImage(ReadFile(folder.filePath(QStringLiteral("Virus.dat"))));
    ExpectDefaultHeroImage(ReadFile(folder.filePath(QStringLiteral("Heroes.dat"))));
}
