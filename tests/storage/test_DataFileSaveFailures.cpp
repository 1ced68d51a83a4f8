// Failed saves: each failure comes back naming its file with the system's
// reason, the file keeps its old bytes, and the other file is still saved.

#include "storage/FileErrors.h"
#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace storagetest;

namespace {

const QString kVirusName = QStringLiteral("Virus.dat");
const QString kHeroName = QStringLiteral("Heroes.dat");

class DataFileSaveFailure : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_old = PatternTables(1);
        m_new = PatternTables(2);
    }

    QString folder() const { return m_folder.path(); }
    QString pathOf(const QString& name) const { return m_folder.filePath(name); }
    QString virusPath() const { return pathOf(kVirusName); }
    QString heroPath() const { return pathOf(kHeroName); }

    void WriteOldFiles() const
    {
        WriteFile(virusPath(), Image(m_old->virusTable));
        WriteFile(heroPath(), Image(m_old->heroTable));
    }
    QByteArray OldImage(const QString& name) const
    {
        return name == kVirusName ? Image(m_old->virusTable) : Image(m_old->heroTable);
    }
    QByteArray NewImage(const QString& name) const
    {
        return name == kVirusName ? Image(m_new->virusTable) : Image(m_new->heroTable);
    }

    std::unique_ptr<PlanningTables> m_old;
    std::unique_ptr<PlanningTables> m_new;

private:
    QTemporaryDir m_folder;
};

// Which of the two files is made to fail.
class OneFileFails : public DataFileSaveFailure, public testing::WithParamInterface<QString>
{
protected:
    QString failing() const { return GetParam(); }
    QString other() const { return GetParam() == kVirusName ? kHeroName : kVirusName; }
};

std::string FileNameOfParam(const testing::TestParamInfo<QString>& info)
{
    return info.param == kVirusName ? "Virus" : "Heroes";
}

} // namespace

TEST_F(DataFileSaveFailure, FolderThatNoLongerExistsFailsBothFilesInOrder)
{
    const QString gone = QDir(folder()).filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("gone")));
    ASSERT_TRUE(QDir(folder()).rmdir(QStringLiteral("gone")));

    const QList<SaveFailure> failures = SaveTables(*m_new, gone);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[0].filePath, QDir(gone).filePath(kVirusName));
    EXPECT_EQ(failures[0].reason, SystemText(ENOENT));
    EXPECT_EQ(failures[1].filePath, QDir(gone).filePath(kHeroName));
    EXPECT_EQ(failures[1].reason, SystemText(ENOENT));
    EXPECT_FALSE(QFileInfo::exists(gone)) << "a save does not create its folder";
}

TEST_P(OneFileFails, FolderStandingWhereTheFileShouldBe)
{
    WriteOldFiles();
    ASSERT_TRUE(QFile::remove(pathOf(failing())));
    ASSERT_TRUE(QDir(folder()).mkdir(failing()));
    WriteFile(QDir(pathOf(failing())).filePath(QStringLiteral("inside.txt")), "kept");

    const QList<SaveFailure> failures = SaveTables(*m_new, folder());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0].filePath, pathOf(failing()));
    EXPECT_EQ(failures[0].reason, SystemText(EISDIR));

    EXPECT_TRUE(QFileInfo(pathOf(failing())).isDir());
    EXPECT_EQ(ReadFile(QDir(pathOf(failing())).filePath(QStringLiteral("inside.txt"))), "kept");
    EXPECT_EQ(ReadFile(pathOf(other())), NewImage(other())) << "the other file is still saved";
    EXPECT_EQ(FolderEntries(folder()).size(), 2)
        << FolderEntries(folder()).join(u' ').toStdString();
}

TEST_P(OneFileFails, ReadOnlyFileIsRefusedAndKeepsItsBytes)
{
    // Refused by its permission bits, which holds for root too.
    WriteOldFiles();
    SetModeBits(pathOf(failing()), 0444);

    const QList<SaveFailure> failures = SaveTables(*m_new, folder());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0].filePath, pathOf(failing()));
    EXPECT_EQ(failures[0].reason, SystemText(EACCES));

    EXPECT_EQ(ReadFile(pathOf(failing())), OldImage(failing()));
    EXPECT_EQ(ModeBits(pathOf(failing())), 0444u);
    EXPECT_EQ(ReadFile(pathOf(other())), NewImage(other())) << "the other file is still saved";
    EXPECT_EQ(FolderEntries(folder()).size(), 2)
        << FolderEntries(folder()).join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(EachFile, OneFileFails, testing::Values(kVirusName, kHeroName),
                         FileNameOfParam);

namespace {

// Saves in a child whose files may grow to at most `limit` bytes: the system
// then refuses writes past it as it would on a full device (EFBIG rather than
// ENOSPC), also for root.
std::string SaveWithFileSizeLimit(const PlanningTables& tables, const QString& folder, rlim_t limit)
{
    const ChildResult result = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            return std::string("setrlimit failed");
        return DescribeFailures(SaveTables(tables, folder));
    });
    return result.exitedNormally ? result.output : "child failed: " + result.output;
}

} // namespace

TEST_F(DataFileSaveFailure, WriteRefusedPartWayKeepsTheOldFile)
{
    // Room for the 2048-byte virus file, not for the 4096-byte hero file.
    WriteOldFiles();
    const std::string failures = SaveWithFileSizeLimit(*m_new, folder(), 3000);
    EXPECT_EQ(failures, DescribeFailures({{heroPath(), SystemText(EFBIG)}}));
    EXPECT_EQ(ReadFile(virusPath()), NewImage(kVirusName));
    EXPECT_EQ(ReadFile(heroPath()), OldImage(kHeroName));
    EXPECT_EQ(FolderEntries(folder()), (QStringList{kHeroName, kVirusName}))
        << "no partial or temporary file is left";
}

TEST_F(DataFileSaveFailure, WriteRefusedForBothFilesKeepsBoth)
{
    WriteOldFiles();
    const std::string failures = SaveWithFileSizeLimit(*m_new, folder(), 1000);
    EXPECT_EQ(failures, DescribeFailures(
                            {{virusPath(), SystemText(EFBIG)}, {heroPath(), SystemText(EFBIG)}}));
    EXPECT_EQ(ReadFile(virusPath()), OldImage(kVirusName));
    EXPECT_EQ(ReadFile(heroPath()), OldImage(kHeroName));
    EXPECT_EQ(FolderEntries(folder()), (QStringList{kHeroName, kVirusName}));
}

TEST_F(DataFileSaveFailure, ReadOnlyFolderRefusesBothFilesAndKeepsThem)
{
    // Root ignores a folder's permission bits, so as root the save runs in a
    // child that has given up root for the unprivileged "nobody".
    constexpr uid_t kNobody = 65534;
    WriteOldFiles();
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        for (const QString& path : {folder(), virusPath(), heroPath()})
            ASSERT_EQ(chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
    }
    SetModeBits(folder(), 0555);

    const ChildResult result = RunInChild([&] {
        if (asRoot && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            return std::string("skip");
        const QList<SaveFailure> failures = SaveTables(*m_new, folder());
        std::string told = DescribeFailures(failures);
        // The folder, not the file, is named as the cause.
        for (const SaveFailure& failure : failures) {
            told +=
                std::to_string(failure.error) + '|' +
                DescribeFileErrorAt(failure.filePath, failure.error, failure.reason).toStdString() +
                '\n';
        }
        return told;
    });
    SetModeBits(folder(), 0755);
    ASSERT_TRUE(result.exitedNormally) << result.output;
    if (result.output == "skip")
        GTEST_SKIP() << "running as root and cannot give root up, and root ignores the "
                        "read-only bits of a folder";

    const std::string cause =
        std::to_string(kFolderNotWritable) + '|' +
        DescribeFileErrorAt(virusPath(), kFolderNotWritable, SystemText(EACCES)).toStdString() +
        '\n';
    EXPECT_EQ(result.output, DescribeFailures({{virusPath(), SystemText(EACCES)},
                                               {heroPath(), SystemText(EACCES)}}) +
                                 cause + cause);
    EXPECT_NE(cause.find(QDir::toNativeSeparators(folder()).toStdString()), std::string::npos);
    EXPECT_EQ(ReadFile(virusPath()), OldImage(kVirusName));
    EXPECT_EQ(ReadFile(heroPath()), OldImage(kHeroName));
    EXPECT_EQ(FolderEntries(folder()), (QStringList{kHeroName, kVirusName}));
}
