// The recovery file: both tables round trip, it lives in the user's own data
// folder under a name taken from the guild folder, it is offered by content
// (never by time), and it is never written through a link.

#include "storage/RecoveryFile.h"
#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace storagetest;
using namespace Qt::StringLiterals;

namespace {

void SetModified(const QString& path, const QDateTime& time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

// Every test gets a data folder of its own, so nothing reaches the user's.
class RecoveryFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_data.isValid() && m_guild.isValid());
        m_previous = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_previous); }

    QString guild() const { return m_guild.path(); }
    QString dataFolder() const { return m_data.path(); }

private:
    QTemporaryDir m_data;
    QTemporaryDir m_guild;
    QByteArray m_previous;
};

} // namespace

TEST_F(RecoveryFile, LivesInTheUsersDataFolderNamedAfterTheGuildFolder)
{
    const QString path = RecoveryFilePath(guild());
    EXPECT_TRUE(path.startsWith(dataFolder() + u"/Quorvel/recovery/"_s)) << path.toStdString();
    EXPECT_FALSE(path.startsWith(guild()));

    // Every name of one folder finds one file; another folder another file.
    const QString link = dataFolder() + u"/guild-link"_s;
    ASSERT_TRUE(QFile::link(guild(), link));
    EXPECT_EQ(RecoveryFilePath(link), path);
    EXPECT_EQ(RecoveryFilePath(guild() + u"/."_s), path);
    QTemporaryDir other;
    EXPECT_NE(RecoveryFilePath(other.path()), path);
}

TEST_F(RecoveryFile, IsOfferedWhenItsTablesDifferFromTheDataFilesWhateverTheirTimes)
{
    const auto tables = PatternTables(5);
    const auto loaded = PatternTables(9);
    EXPECT_FALSE(FindPendingRecovery(guild(), *loaded));
    ASSERT_FALSE(SaveRecoveryFile(*tables, guild()));

    // A data file written after the recovery file (a clock running ahead,
    // an import after a crash) does not hide it.
    ASSERT_TRUE(SaveTables(*loaded, guild()).isEmpty());
    const QDateTime now = QDateTime::currentDateTime();
    SetModified(RecoveryFilePath(guild()), now.addSecs(-3600));
    SetModified(DataFilePath(guild(), kHeroFileName), now.addSecs(3600));
    const auto pending = FindPendingRecovery(guild(), *loaded);
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->path, RecoveryFilePath(guild()));
    EXPECT_EQ(pending->reason, RecoveryReason::UnfinishedRun);

    auto restored = PatternTables(9);
    ASSERT_TRUE(LoadRecoveryFile(*restored, guild()));
    EXPECT_EQ(Image(restored->virusTable), Image(tables->virusTable));
    EXPECT_EQ(Image(restored->heroTable), Image(tables->heroTable));

    // Tables the data files already hold: nothing to offer, and the file
    // goes only then.
    RemoveRecoveryFileIfContained(guild(), *loaded);
    EXPECT_TRUE(QFile::exists(RecoveryFilePath(guild())));
    EXPECT_FALSE(FindPendingRecovery(guild(), *tables));
    RemoveRecoveryFileIfContained(guild(), *tables);
    EXPECT_FALSE(QFile::exists(RecoveryFilePath(guild())));
}

TEST_F(RecoveryFile, SaysWhetherItWasKeptAtExitOrLeftByAnUnfinishedRun)
{
    const auto tables = PatternTables(5);
    const auto loaded = PatternTables(9);
    ASSERT_FALSE(SaveRecoveryFile(*tables, guild(), RecoveryReason::KeptAtExit));
    const auto pending = FindPendingRecovery(guild(), *loaded);
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->reason, RecoveryReason::KeptAtExit);
    ASSERT_FALSE(SaveRecoveryFile(*tables, guild()));
    EXPECT_EQ(FindPendingRecovery(guild(), *loaded)->reason, RecoveryReason::UnfinishedRun);
}

TEST_F(RecoveryFile, IsNeverWrittenThroughALinkNorReadFromOne)
{
    const auto tables = PatternTables(5);
    const auto loaded = PatternTables(9);
    const QString path = RecoveryFilePath(guild());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QString victim = guild() + u"/victim.txt"_s;
    WriteFile(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, path));

    const auto failure = SaveRecoveryFile(*tables, guild());
    ASSERT_TRUE(failure);
    EXPECT_EQ(ReadFile(victim), QByteArray("precious"));
    EXPECT_TRUE(QFileInfo(path).isSymLink());

    // A link to a file that looks like a recovery file is not one.
    ASSERT_TRUE(QFile::remove(path));
    const QString planted = guild() + u"/planted"_s;
    ASSERT_FALSE(SaveRecoveryFile(*tables, guild()));
    ASSERT_TRUE(QFile::rename(path, planted));
    ASSERT_TRUE(QFile::link(planted, path));
    EXPECT_FALSE(FindPendingRecovery(guild(), *loaded));
    auto untouched = PatternTables(9);
    EXPECT_FALSE(LoadRecoveryFile(*untouched, guild()));

    // Removing it removes the link, never what it leads to.
    RemoveRecoveryFile(guild());
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(QFile::exists(planted));
}

TEST_F(RecoveryFile, AnythingElseUnderItsNameIsNoRecovery)
{
    const auto tables = PatternTables(5);
    const auto loaded = PatternTables(9);
    const QString path = RecoveryFilePath(guild());
    ASSERT_FALSE(SaveRecoveryFile(*tables, guild()));
    QByteArray image = ReadFile(path);

    WriteFile(path, image.left(image.size() - 1)); // one byte short
    EXPECT_FALSE(FindPendingRecovery(guild(), *loaded));
    auto untouched = PatternTables(9);
    EXPECT_FALSE(LoadRecoveryFile(*untouched, guild()));
    EXPECT_EQ(Image(untouched->heroTable), Image(PatternTables(9)->heroTable));

    image[0] = 'X'; // another marker
    WriteFile(path, image);
    EXPECT_FALSE(FindPendingRecovery(guild(), *loaded));
}
