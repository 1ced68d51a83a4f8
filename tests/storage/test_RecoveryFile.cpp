// The recovery file: both tables round trip, and it counts as left by an
// abnormal end only while it is newer than every data file.

#include "storage/RecoveryFile.h"
#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

using namespace storagetest;

namespace {

void SetModified(const QString& path, const QDateTime& time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

TEST(RecoveryFile, HoldsBothTablesAndIsPendingOnlyWhileNewerThanTheDataFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto tables = PatternTables(5);
    EXPECT_FALSE(HasPendingRecovery(folder.path()));
    ASSERT_FALSE(SaveRecoveryFile(*tables, folder.path()));
    EXPECT_TRUE(HasPendingRecovery(folder.path())) << "no data files: older than anything";

    auto loaded = PatternTables(9);
    ASSERT_TRUE(LoadRecoveryFile(*loaded, folder.path()));
    EXPECT_EQ(Image(loaded->virusTable), Image(tables->virusTable));
    EXPECT_EQ(Image(loaded->heroTable), Image(tables->heroTable));

    const QDateTime now = QDateTime::currentDateTime();
    ASSERT_TRUE(SaveTables(*tables, folder.path()).isEmpty());
    SetModified(RecoveryFilePath(folder.path()), now);
    SetModified(DataFilePath(folder.path(), kVirusFileName), now.addSecs(-10));
    SetModified(DataFilePath(folder.path(), kHeroFileName), now.addSecs(10));
    EXPECT_FALSE(HasPendingRecovery(folder.path())) << "the hero file was saved after it";
    SetModified(DataFilePath(folder.path(), kHeroFileName), now.addSecs(-10));
    EXPECT_TRUE(HasPendingRecovery(folder.path()));

    RemoveRecoveryFile(folder.path());
    EXPECT_FALSE(QFile::exists(RecoveryFilePath(folder.path())));
    EXPECT_FALSE(HasPendingRecovery(folder.path()));
}

TEST(RecoveryFile, AnythingElseUnderItsNameIsNoRecovery)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto tables = PatternTables(5);
    const QString path = RecoveryFilePath(folder.path());
    ASSERT_FALSE(SaveRecoveryFile(*tables, folder.path()));
    QByteArray image = ReadFile(path);

    WriteFile(path, image.left(image.size() - 1)); // one byte short
    EXPECT_FALSE(HasPendingRecovery(folder.path()));
    auto untouched = PatternTables(9);
    EXPECT_FALSE(LoadRecoveryFile(*untouched, folder.path()));
    EXPECT_EQ(Image(untouched->heroTable), Image(PatternTables(9)->heroTable));

    image[0] = 'X'; // another marker
    WriteFile(path, image);
    EXPECT_FALSE(HasPendingRecovery(folder.path()));
}
