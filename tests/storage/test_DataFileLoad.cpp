// Loading: defaults first, then whatever bytes the file holds laid over them.

#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace storagetest;

namespace {

class DataFileLoad : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString folder() const { return m_folder.path(); }
    QString virusPath() const { return m_folder.filePath(QStringLiteral("Virus.dat")); }
    QString heroPath() const { return m_folder.filePath(QStringLiteral("Heroes.dat")); }

    static QByteArray DefaultVirusImage()
    {
        VirusTable table;
        FillDefaultVirusTable(table);
        return Image(table);
    }
    static QByteArray DefaultHeroImage()
    {
        HeroTable table;
        FillDefaultHeroTable(table);
        return Image(table);
    }
    QByteArray LoadedVirusImage() const
    {
        VirusTable table;
        FillBytes(table, 0xCD);
        LoadVirusTable(table, folder());
        return Image(table);
    }
    QByteArray LoadedHeroImage() const
    {
        HeroTable table;
        FillBytes(table, 0xCD);
        LoadHeroTable(table, folder());
        return Image(table);
    }

private:
    QTemporaryDir m_folder;
};

// Bytes unlike any default: nonzero, and not the default name's units.
QByteArray Pattern(qsizetype size, int offset = 0)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(0x40 + (i + offset) % 61);
    return bytes;
}

} // namespace

TEST_F(DataFileLoad, FullFilesReplaceEveryDefaultByte)
{
    const QByteArray virusBytes = Pattern(2048);
    const QByteArray heroBytes = Pattern(4096, 7);
    WriteFile(virusPath(), virusBytes);
    WriteFile(heroPath(), heroBytes);
    EXPECT_EQ(LoadedVirusImage(), virusBytes);
    EXPECT_EQ(LoadedHeroImage(), heroBytes);
}

TEST_F(DataFileLoad, EmptyFilesGiveTheSameTablesAsMissingOnes)
{
    WriteFile(virusPath(), {});
    WriteFile(heroPath(), {});
    EXPECT_EQ(LoadedVirusImage(), DefaultVirusImage());
    EXPECT_EQ(LoadedHeroImage(), DefaultHeroImage());
}

TEST_F(DataFileLoad, ShortHeroFileFillsRecordsZeroToTwoAndTwoNameUnitsOfRecordThree)
{
    const QByteArray bytes = Pattern(100);
    WriteFile(heroPath(), bytes);
    const QByteArray image = LoadedHeroImage();
    const QByteArray defaults = DefaultHeroImage();
    ASSERT_EQ(image.size(), 4096);
    EXPECT_EQ(image.left(96), bytes.left(96)) << "records 0 to 2";
    EXPECT_EQ(image.mid(96, 4), bytes.mid(96, 4)) << "record 3, name units 0 and 1";
    EXPECT_EQ(image.mid(100, 28), defaults.mid(100, 28))
        << "record 3 from name unit 2 on, flag and stats included";
    EXPECT_EQ(image.mid(128), defaults.mid(128)) << "records 4 to 127";
}

TEST_F(DataFileLoad, ShortVirusFileKeepsDefaultsInsideThePartlyCoveredRecord)
{
    const QByteArray bytes = Pattern(45); // record 0 and 13 bytes of record 1
    WriteFile(virusPath(), bytes);
    const QByteArray image = LoadedVirusImage();
    EXPECT_EQ(image.left(45), bytes);
    EXPECT_EQ(image.mid(45), DefaultVirusImage().mid(45));
}

TEST_F(DataFileLoad, LongVirusFileContributesOnlyItsFirst2048Bytes)
{
    const QByteArray bytes = Pattern(3000);
    WriteFile(virusPath(), bytes);
    EXPECT_EQ(LoadedVirusImage(), bytes.left(2048));
}

TEST_F(DataFileLoad, LongHeroFileContributesOnlyItsFirst4096Bytes)
{
    const QByteArray bytes = Pattern(5000, 3);
    WriteFile(heroPath(), bytes);
    EXPECT_EQ(LoadedHeroImage(), bytes.left(4096));
}

TEST_F(DataFileLoad, FolderStandingWhereTheFileShouldBeLeavesTheDefaults)
{
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Virus.dat")));
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Heroes.dat")));
    EXPECT_EQ(LoadedVirusImage(), DefaultVirusImage());
    EXPECT_EQ(LoadedHeroImage(), DefaultHeroImage());
}

TEST_F(DataFileLoad, OddContentLoadsUnchecked)
{
    // Names with no zero unit, flags other than 0 and 1, stats above 9999.
    const QByteArray bytes(4096, '\xFF');
    WriteFile(heroPath(), bytes);
    HeroTable table;
    LoadHeroTable(table, folder());
    EXPECT_EQ(Image(table), bytes);
    EXPECT_EQ(table[5].checked, 0xFFFF);
    EXPECT_EQ(table[5].cute, 65535);
    EXPECT_EQ(HeroName(table[5]).size(), 12u) << "a name without a zero ends at its field";
}

TEST_F(DataFileLoad, LoadingLeavesTheFilesUntouched)
{
    const QByteArray bytes = Pattern(3000);
    WriteFile(virusPath(), bytes);
    LoadedVirusImage();
    LoadedHeroImage();
    EXPECT_EQ(ReadFile(virusPath()), bytes);
    EXPECT_EQ(FolderEntries(folder()), QStringList{QStringLiteral("Virus.dat")});
}
