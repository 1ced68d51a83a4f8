// The one check of "a regular file, or nothing" that every file the program
// reads or writes for the user goes through: pipes are never waited on,
// special files never replaced, links to nothing never followed; and the
// lock that gives one run a guild folder.

#include "storage/FileErrors.h"
#include "storage/FileKinds.h"
#include "storage/GuildFolderLock.h"
#include "storage/RosterCsv.h"
#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace storagetest;
using namespace Qt::StringLiterals;

namespace {

class FileKinds : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        // A read that blocks on a pipe ends the test program here instead of
        // hanging until the test runner's time-out.
        alarm(60);
    }
    void TearDown() override { alarm(0); }

    QString path(const QString& name) const { return QDir(m_folder.path()).filePath(name); }
    QString folder() const { return m_folder.path(); }
    void MakeFifo(const QString& at) const
    {
        ASSERT_EQ(mkfifo(QFile::encodeName(at).constData(), 0600), 0);
    }

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(FileKinds, TellsWhatStandsAtAPath)
{
    WriteFile(path(u"file"_s), "x");
    MakeFifo(path(u"pipe"_s));
    ASSERT_TRUE(QDir(folder()).mkdir(u"dir"_s));
    ASSERT_TRUE(QFile::link(path(u"file"_s), path(u"to-file"_s)));
    ASSERT_TRUE(QFile::link(path(u"pipe"_s), path(u"to-pipe"_s)));
    ASSERT_TRUE(QFile::link(path(u"gone"_s), path(u"to-nothing"_s)));

    EXPECT_EQ(ExamineFile(path(u"none"_s)).kind, FileKind::Nothing);
    EXPECT_EQ(ExamineFile(path(u"file"_s)).kind, FileKind::Regular);
    EXPECT_EQ(ExamineFile(path(u"pipe"_s)).kind, FileKind::Special);
    EXPECT_EQ(ExamineFile(path(u"dir"_s)).kind, FileKind::Folder);
    EXPECT_EQ(ExamineFile(path(u"to-file"_s)).kind, FileKind::Regular);
    EXPECT_TRUE(ExamineFile(path(u"to-file"_s)).isLink);
    EXPECT_EQ(ExamineFile(path(u"to-pipe"_s)).kind, FileKind::Special);
    EXPECT_EQ(ExamineFile(path(u"to-nothing"_s)).kind, FileKind::DanglingLink);

    EXPECT_EQ(WriteRefusal(ExamineFile(path(u"none"_s))), 0);
    EXPECT_EQ(WriteRefusal(ExamineFile(path(u"to-file"_s))), 0);
    EXPECT_EQ(WriteRefusal(ExamineFile(path(u"to-file"_s)), false), kNotARegularFile);
    EXPECT_EQ(WriteRefusal(ExamineFile(path(u"to-pipe"_s))), kNotARegularFile);
    EXPECT_EQ(WriteRefusal(ExamineFile(path(u"dir"_s))), EISDIR);
    EXPECT_EQ(WriteRefusal(ExamineFile(path(u"to-nothing"_s))), kDanglingLink);
    EXPECT_EQ(ReadRefusal(ExamineFile(path(u"none"_s))), ENOENT);
}

TEST_F(FileKinds, ReadsOnlyRegularFilesAndNeverWaitsOnAPipe)
{
    WriteFile(path(u"file"_s), "0123456789");
    ReadOutcome read = ReadRegularFile(path(u"file"_s), 4);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, QByteArray("0123"));
    EXPECT_EQ(read.size, 10);
    EXPECT_EQ(ReadRegularFile(path(u"file"_s), 100).bytes, QByteArray("0123456789"));

    // Nobody writes to the pipe: a blocking open or read would never return.
    MakeFifo(path(u"pipe"_s));
    ASSERT_TRUE(QFile::link(path(u"pipe"_s), path(u"to-pipe"_s)));
    EXPECT_EQ(ReadRegularFile(path(u"pipe"_s), 100).error, kNotARegularFile);
    EXPECT_EQ(ReadRegularFile(path(u"to-pipe"_s), 100).error, kNotARegularFile);
    EXPECT_EQ(ReadRegularFile(u"/dev/zero"_s, 100).error, kNotARegularFile);
    ASSERT_TRUE(QFile::link(path(u"gone"_s), path(u"to-nothing"_s)));
    read = ReadRegularFile(path(u"to-nothing"_s), 100);
    EXPECT_EQ(read.error, kDanglingLink);
    EXPECT_FALSE(read.reason.isEmpty());
    EXPECT_EQ(ReadRegularFile(folder(), 100).error, EISDIR);

    ASSERT_TRUE(QFile::link(path(u"file"_s), path(u"to-file"_s)));
    EXPECT_TRUE(ReadRegularFile(path(u"to-file"_s), 100).ok());
    EXPECT_EQ(ReadRegularFile(path(u"to-file"_s), 100, true).error, kNotARegularFile);
}

TEST_F(FileKinds, CsvExportRefusesAnythingButARegularFileOrNothing)
{
    const QByteArray bytes = "a,b\r\n";
    MakeFifo(path(u"pipe"_s));
    ASSERT_TRUE(QFile::link(u"/dev/null"_s, path(u"to-null"_s)));
    ASSERT_TRUE(QFile::link(path(u"gone"_s), path(u"to-nothing"_s)));
    for (const QString& name : {u"pipe"_s, u"to-null"_s, u"to-nothing"_s}) {
        const std::optional<QString> failure = RosterCsv::SaveFile(path(name), bytes);
        ASSERT_TRUE(failure) << name.toStdString();
        EXPECT_FALSE(failure->isEmpty());
    }
    struct stat status
    {
    };
    ASSERT_EQ(stat(QFile::encodeName(path(u"pipe"_s)).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_TRUE(QFileInfo(path(u"to-null"_s)).isSymLink());
    EXPECT_FALSE(QFile::exists(path(u"gone"_s)));
    EXPECT_TRUE(RosterCsv::SaveFile(path(u"new.csv"_s), bytes) == std::nullopt);
    EXPECT_TRUE(RosterCsv::SaveFile(path(u"new.csv"_s), bytes) == std::nullopt);
}

TEST_F(FileKinds, AReadOnlyFolderIsNamedAsTheCauseOfAFailedSave)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const auto tables = PatternTables(2);
    ASSERT_EQ(chmod(QFile::encodeName(folder()).constData(), 0555), 0);
    const QList<SaveFailure> failures = SaveTables(*tables, folder());
    ASSERT_EQ(chmod(QFile::encodeName(folder()).constData(), 0755), 0);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[0].error, kFolderNotWritable);
    const QString told =
        DescribeFileErrorAt(failures[0].filePath, failures[0].error, failures[0].reason);
    EXPECT_TRUE(told.contains(QDir::toNativeSeparators(folder()))) << told.toStdString();
    EXPECT_TRUE(told.contains(u"文件夹"_s));
    EXPECT_FALSE(told.contains(u"没有访问该文件的权限"_s));

    // A read-only file in a writable folder is still the file's own fault.
    ASSERT_TRUE(SaveTables(*tables, folder()).isEmpty());
    SetModeBits(DataFilePath(folder(), kHeroFileName), 0444);
    const QList<SaveFailure> fileFailures = SaveTables(*tables, folder());
    ASSERT_EQ(fileFailures.size(), 1);
    EXPECT_EQ(fileFailures[0].error, EACCES);
}

TEST_F(FileKinds, OneRunHoldsAGuildFolderAndADeadHoldersLockIsTakenOver)
{
    GuildFolderLock first(folder());
    ASSERT_EQ(first.tryLock(), GuildFolderLock::State::Held);
    GuildFolderLock second(folder());
    ASSERT_EQ(second.tryLock(), GuildFolderLock::State::HeldByOther);
    EXPECT_EQ(second.holder().pid, QCoreApplication::applicationPid());
    EXPECT_EQ(second.holder().host, QSysInfo::machineHostName());
}

TEST_F(FileKinds, ALockLeftByAProcessThatIsGoneIsStale)
{
    // A child takes the lock and dies without releasing it, as a killed
    // window would.
    const QString lockPath = path(QString::fromLatin1(kGuildLockFileName));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(lockPath);
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(lockPath));
    GuildFolderLock lock(folder());
    EXPECT_EQ(lock.tryLock(), GuildFolderLock::State::Held);
}

TEST_F(FileKinds, WhatNoRunWroteInTheLocksPlaceHoldsNothing)
{
    const QString lockPath = path(QString::fromLatin1(kGuildLockFileName));
    WriteFile(lockPath, "garbage");
    GuildFolderLock overGarbage(folder());
    EXPECT_EQ(overGarbage.tryLock(), GuildFolderLock::State::Held);
}

TEST_F(FileKinds, AFolderInTheLocksPlaceLeavesTheFolderWritable)
{
    const QString lockPath = path(QString::fromLatin1(kGuildLockFileName));
    ASSERT_TRUE(QDir().mkpath(lockPath + u"/inside"_s));
    GuildFolderLock lock(folder());
    EXPECT_EQ(lock.tryLock(), GuildFolderLock::State::NoLock);
    EXPECT_TRUE(QFileInfo(lockPath + u"/inside"_s).isDir()) << "nothing of it removed";
}

TEST_F(FileKinds, AFolderThatTakesNoLockIsNotTakenForHeld)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_EQ(chmod(QFile::encodeName(folder()).constData(), 0555), 0);
    GuildFolderLock lock(folder());
    const auto state = lock.tryLock();
    ASSERT_EQ(chmod(QFile::encodeName(folder()).constData(), 0755), 0);
    EXPECT_EQ(state, GuildFolderLock::State::NoLock);
}
