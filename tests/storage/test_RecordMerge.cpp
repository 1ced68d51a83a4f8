// The record-by-record merge of a data file that another program changed,
// and the merge against the files on disk that the exit save runs.

#include "storage/DiskChangesMerge.h"
#include "storage/RecordMerge.h"
#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

using namespace storagetest;
using namespace Qt::StringLiterals;

namespace {

// Four records of four bytes, each a letter repeated.
QByteArray Records(const char* letters)
{
    QByteArray image;
    for (const char* c = letters; *c; ++c)
        image.append(QByteArray(4, *c));
    return image;
}

} // namespace

TEST(RecordMerge, EachRecordTakesTheSideThatChangedIt)
{
    struct Case
    {
        const char* what;
        const char* loaded;
        const char* mine;
        const char* theirs;
        const char* merged;
        QList<int> conflicts;
    };
    const Case cases[] = {
        {"nobody changed anything", "abcd", "abcd", "abcd", "abcd", {}},
        {"only this run changed", "abcd", "xbcy", "abcd", "xbcy", {}},
        {"only the file changed", "abcd", "abcd", "abzd", "abzd", {}},
        {"each changed other records", "abcd", "xbcd", "abcz", "xbcz", {}},
        {"both changed one record alike", "abcd", "abxd", "abxd", "abxd", {}},
        {"both changed one record differently", "abcd", "xbcd", "ybcd", "ybcd", {0}},
        {"conflicts beside clean merges", "abcd", "xbqy", "zbcw", "zbqw", {0, 3}},
    };
    for (const Case& c : cases) {
        const RecordMergeResult result =
            MergeRecords(Records(c.loaded), Records(c.mine), Records(c.theirs), 4);
        EXPECT_EQ(result.merged, Records(c.merged)) << c.what;
        EXPECT_EQ(result.conflicts, c.conflicts) << c.what;
        EXPECT_EQ(result.tookTheirs, result.merged != Records(c.mine)) << c.what;
    }
}

TEST(RecordMerge, OneByteChangedInsideARecordMakesTheWholeRecordChanged)
{
    QByteArray loaded = Records("abcd");
    QByteArray mine = loaded;
    QByteArray theirs = loaded;
    mine[5] = 'M';   // record 1, second byte
    theirs[6] = 'T'; // record 1, third byte
    const RecordMergeResult result = MergeRecords(loaded, mine, theirs, 4);
    EXPECT_EQ(result.conflicts, QList<int>{1}) << "never a mix of two versions of one record";
    EXPECT_EQ(result.merged, theirs);
}

class DiskMerge : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        baseline = PatternTables(1);
        mine = PatternTables(1);
        ASSERT_TRUE(SaveTables(*baseline, folder()).isEmpty());
    }
    QString folder() const { return m_folder.path(); }

    std::unique_ptr<PlanningTables> baseline;
    std::unique_ptr<PlanningTables> mine;

private:
    QTemporaryDir m_folder;
};

TEST_F(DiskMerge, AFileNobodyElseWroteIsLeftToTheSave)
{
    mine->heroTable[3].smart = 1234;
    int asked = 0;
    const auto outcome =
        MergeChangesOnDisk(*mine, *baseline, folder(), {}, [&](const RecordConflict&) {
            ++asked;
            return ConflictChoice::KeepBoth;
        });
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(outcome.failures.isEmpty() && outcome.keptCopies.isEmpty());
    EXPECT_EQ(mine->heroTable[3].smart, 1234);
}

TEST_F(DiskMerge, RecordsAnotherProgramWroteAreTakenAndOnlyCommonOnesAsked)
{
    auto other = PatternTables(1);
    other->heroTable[7].cute = 777;   // only the file
    other->heroTable[9].smart = 900;  // both, differently
    other->virusTable[2].stupid = 22; // only the file, other table
    ASSERT_TRUE(SaveTables(*other, folder()).isEmpty());
    mine->heroTable[3].smart = 333; // only this run
    mine->heroTable[9].smart = 999;

    QList<RecordConflict> asked;
    const auto outcome =
        MergeChangesOnDisk(*mine, *baseline, folder(), {}, [&](const RecordConflict& conflict) {
            asked.append(conflict);
            return ConflictChoice::KeepThisRun;
        });
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].heroes);
    EXPECT_EQ(asked[0].records, QList<int>{9});
    EXPECT_EQ(asked[0].filePath, DataFilePath(folder(), kHeroFileName));
    EXPECT_EQ(mine->heroTable[3].smart, 333);
    EXPECT_EQ(mine->heroTable[7].cute, 777);
    EXPECT_EQ(mine->heroTable[9].smart, 999);
    EXPECT_EQ(mine->virusTable[2].stupid, 22);
    EXPECT_TRUE(outcome.keptCopies.isEmpty());
    // The baseline follows the file, so a retried save asks nothing again.
    EXPECT_EQ(Image(baseline->heroTable), Image(other->heroTable));
    const auto again =
        MergeChangesOnDisk(*mine, *baseline, folder(), {}, [&](const RecordConflict& conflict) {
            asked.append(conflict);
            return ConflictChoice::KeepThisRun;
        });
    EXPECT_EQ(asked.size(), 1);
}

TEST_F(DiskMerge, KeepingBothWritesThisRunsTableBesideTheFileAndTakesTheFiles)
{
    auto other = PatternTables(1);
    other->heroTable[9].smart = 900;
    ASSERT_TRUE(SaveTables(*other, folder()).isEmpty());
    mine->heroTable[9].smart = 999;
    const QByteArray myImage = Image(mine->heroTable);

    // No question: keeping both is the safe answer.
    const auto outcome = MergeChangesOnDisk(*mine, *baseline, folder(), {}, {});
    ASSERT_EQ(outcome.keptCopies.size(), 1);
    EXPECT_TRUE(outcome.keptCopies[0].startsWith(folder()));
    EXPECT_TRUE(QFileInfo(outcome.keptCopies[0]).fileName().startsWith(u"Heroes-"_s));
    EXPECT_EQ(ReadFile(outcome.keptCopies[0]), myImage);
    EXPECT_EQ(mine->heroTable[9].smart, 900);

    // Another conflict in the same second gets a file of its own.
    EXPECT_NE(KeepBothPath(DataFilePath(folder(), kHeroFileName)), outcome.keptCopies[0]);
}

TEST_F(DiskMerge, KeepingTheFilesVersionDropsThisRunsAndSkippedFilesAreNotRead)
{
    auto other = PatternTables(1);
    other->heroTable[9].smart = 900;
    other->virusTable[1].hateful = 11;
    ASSERT_TRUE(SaveTables(*other, folder()).isEmpty());
    mine->heroTable[9].smart = 999;
    mine->virusTable[1].hateful = 12;
    const auto outcome =
        MergeChangesOnDisk(*mine, *baseline, folder(), {QString::fromLatin1(kVirusFileName)},
                           [](const RecordConflict&) { return ConflictChoice::KeepFile; });
    EXPECT_EQ(mine->heroTable[9].smart, 900);
    EXPECT_EQ(mine->virusTable[1].hateful, 12) << "Virus.dat was skipped";
    EXPECT_TRUE(outcome.keptCopies.isEmpty());
}

TEST_F(DiskMerge, AFileRemovedMeanwhileIsNotMergedAsIfItHeldTheDefaults)
{
    ASSERT_TRUE(QFile::remove(DataFilePath(folder(), kHeroFileName)));
    mine->heroTable[3].smart = 333;
    const QByteArray before = Image(mine->heroTable);
    MergeChangesOnDisk(*mine, *baseline, folder(), {}, {});
    EXPECT_EQ(Image(mine->heroTable), before);
}
