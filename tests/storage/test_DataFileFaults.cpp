// Data files under faults: what stands at a data file's path is looked at
// before it is opened (a pipe never blocks the start, a device is never
// replaced), a file that exists but cannot be read is told apart from a
// missing one, a tail of any size is kept without holding it in memory, and
// a later save clears what a killed one left.

#include "storage/FileErrors.h"
#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace storagetest;
using State = LoadOutcome::State;

namespace {

class DataFileFaults : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_tables = PatternTables(3);
        // A load that blocks on a pipe ends the test program here instead of
        // hanging until the test runner's time-out.
        alarm(60);
    }
    void TearDown() override { alarm(0); }

    QString folder() const { return m_folder.path(); }
    QString path(const char* name) const { return DataFilePath(folder(), name); }
    void MakeFifo(const QString& at) const
    {
        ASSERT_EQ(mkfifo(QFile::encodeName(at).constData(), 0600), 0) << std::strerror(errno);
    }

    std::unique_ptr<PlanningTables> m_tables;

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(DataFileFaults, LoadTellsMissingReadAndUnreadableApart)
{
    VirusTable virus;
    HeroTable heroes;
    LoadOutcome outcome = LoadVirusTable(virus, folder());
    EXPECT_EQ(outcome.state, State::Missing);
    EXPECT_EQ(outcome.filePath, path(kVirusFileName));

    WriteFile(path(kVirusFileName), QByteArray(10, 'x'));
    EXPECT_EQ(LoadVirusTable(virus, folder()).state, State::Read);
    WriteFile(path(kHeroFileName), QByteArray());
    EXPECT_EQ(LoadHeroTable(heroes, folder()).state, State::Read) << "an empty file is read";

    // A link to nothing says a file was meant to be there: it cannot be
    // read, it is not missing, and a save does not create its target.
    ASSERT_TRUE(QFile::remove(path(kHeroFileName)));
    const QString gone = QDir(folder()).filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QFile::link(gone, path(kHeroFileName)));
    outcome = LoadHeroTable(heroes, folder());
    EXPECT_EQ(outcome.state, State::Unreadable);
    EXPECT_EQ(outcome.error, kDanglingLink);
    const QList<SaveFailure> failures = SaveTables(*m_tables, folder());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0].error, kDanglingLink);
    EXPECT_FALSE(QFile::exists(gone));
}

TEST_F(DataFileFaults, FolderPipeAndReadErrorAreUnreadableAndLeaveTheDefaults)
{
    VirusTable defaults;
    FillDefaultVirusTable(defaults);
    VirusTable loaded;

    ASSERT_TRUE(QDir(folder()).mkdir(QString::fromLatin1(kVirusFileName)));
    LoadOutcome outcome = LoadVirusTable(loaded, folder());
    EXPECT_EQ(outcome.state, State::Unreadable);
    EXPECT_EQ(outcome.error, EISDIR);
    EXPECT_EQ(outcome.reason, SystemText(EISDIR));
    EXPECT_EQ(Image(loaded), Image(defaults));

    // A pipe with no writer would block a plain open for ever.
    ASSERT_TRUE(QDir(folder()).rmdir(QString::fromLatin1(kVirusFileName)));
    MakeFifo(path(kVirusFileName));
    outcome = LoadVirusTable(loaded, folder());
    EXPECT_EQ(outcome.state, State::Unreadable);
    EXPECT_EQ(outcome.error, kNotARegularFile);
    EXPECT_EQ(Image(loaded), Image(defaults));

    // A link to a pipe is a pipe too.
    ASSERT_TRUE(QFile::rename(path(kVirusFileName), path("elsewhere")));
    ASSERT_TRUE(QFile::link(path("elsewhere"), path(kVirusFileName)));
    EXPECT_EQ(LoadVirusTable(loaded, folder()).error, kNotARegularFile);

    // Reading /proc/self/mem at offset 0 fails with an I/O error, also for
    // root, who may read any file whatever its permission bits.
    ASSERT_TRUE(QFile::remove(path(kVirusFileName)));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), path(kVirusFileName)));
    outcome = LoadVirusTable(loaded, folder());
    EXPECT_EQ(outcome.state, State::Unreadable);
    EXPECT_EQ(outcome.error, EIO);
    EXPECT_EQ(Image(loaded), Image(defaults));
}

TEST_F(DataFileFaults, SaveRefusesPipesAndDevicesAndNeverReplacesThem)
{
    MakeFifo(path(kVirusFileName));
    MakeFifo(path("pipe"));
    ASSERT_TRUE(QFile::link(path("pipe"), path(kHeroFileName)));
    QList<SaveFailure> failures = SaveTables(*m_tables, folder());
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[0].filePath, path(kVirusFileName));
    EXPECT_EQ(failures[0].error, kNotARegularFile);
    EXPECT_EQ(failures[1].error, kNotARegularFile);
    struct stat status
    {
    };
    ASSERT_EQ(stat(QFile::encodeName(path(kVirusFileName)).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_TRUE(QFileInfo(path(kHeroFileName)).isSymLink());

    // A null device of its own, so that a save that did replace it would
    // replace nothing of the system's. Making one needs root.
    const QString device = path("null");
    if (mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
    ASSERT_TRUE(QFile::remove(path(kHeroFileName)));
    ASSERT_TRUE(QFile::link(device, path(kHeroFileName)));
    failures = SaveTables(*m_tables, folder());
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[1].filePath, path(kHeroFileName));
    EXPECT_EQ(failures[1].error, kNotARegularFile);
    ASSERT_EQ(stat(QFile::encodeName(device).constData(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode)) << "the device node was replaced";
}

TEST_F(DataFileFaults, TailLongerThanACopyChunkIsKeptByteForByte)
{
    std::mt19937 dice(11);
    QByteArray tail(3 * 1024 * 1024 + 17, Qt::Uninitialized);
    for (char& byte : tail)
        byte = static_cast<char>(dice());
    WriteFile(path(kHeroFileName), QByteArray(4096, '\x01') + tail);
    ASSERT_TRUE(SaveTables(*m_tables, folder()).isEmpty());
    const QByteArray saved = ReadFile(path(kHeroFileName));
    EXPECT_EQ(saved.left(4096), Image(m_tables->heroTable));
    EXPECT_TRUE(saved.mid(4096) == tail) << "the tail changed";
}

TEST_F(DataFileFaults, HugeSparseTailIsKeptWithoutReadingItIntoMemory)
{
    // 50 GB, almost all of it a hole, with a few bytes in the middle and at
    // the end: far more than memory, next to nothing on disk.
    constexpr qint64 kSize = 50LL * 1024 * 1024 * 1024;
    constexpr qint64 kMiddle = 20LL * 1024 * 1024 * 1024 + 12345;
    {
        QFile file(path(kHeroFileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write(QByteArray(4096, '\x02')) == 4096);
        if (!file.resize(kSize))
            GTEST_SKIP() << "this file system holds no 50 GB file: "
                         << file.errorString().toStdString();
        ASSERT_TRUE(file.seek(kMiddle) && file.write("middle") == 6);
        ASSERT_TRUE(file.seek(kSize - 3) && file.write("end") == 3);
    }
    const QList<SaveFailure> failures = SaveTables(*m_tables, folder());
    ASSERT_TRUE(failures.isEmpty()) << failures[0].reason.toStdString();

    QFile saved(path(kHeroFileName));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.size(), kSize);
    EXPECT_EQ(saved.read(4096), Image(m_tables->heroTable));
    EXPECT_EQ(saved.read(100), QByteArray(100, '\0')) << "a hole reads as zeros";
    ASSERT_TRUE(saved.seek(kMiddle - 2));
    EXPECT_EQ(saved.read(10), QByteArray("\0\0middle\0\0", 10));
    ASSERT_TRUE(saved.seek(kSize - 4));
    EXPECT_EQ(saved.read(10), QByteArray("\0end", 4));
    struct stat status
    {
    };
    ASSERT_EQ(stat(QFile::encodeName(path(kHeroFileName)).constData(), &status), 0);
    EXPECT_LT(status.st_blocks * 512, 64LL * 1024 * 1024) << "the holes were filled in";
}

TEST_F(DataFileFaults, SuccessfulSaveRemovesWhatAKilledSaveLeft)
{
    WriteFile(path("Virus.dat.Ab12Cd"), "left by a killed save");
    WriteFile(path("Heroes.dat.zzzzzz"), "left by a killed save");
    WriteFile(path("Heroes.dat.notes"), "the user's");
    WriteFile(path("Virus.dat.1234567"), "the user's");
    ASSERT_TRUE(SaveTables(*m_tables, folder()).isEmpty());
    EXPECT_EQ(FolderEntries(folder()),
              (QStringList{QStringLiteral("Heroes.dat"), QStringLiteral("Heroes.dat.notes"),
                           QStringLiteral("Virus.dat"), QStringLiteral("Virus.dat.1234567")}));
}

TEST_F(DataFileFaults, SkippedFileIsLeftAlone)
{
    WriteFile(path(kVirusFileName), "old");
    ASSERT_TRUE(SaveTables(*m_tables, folder(), {QString::fromLatin1(kVirusFileName)}).isEmpty());
    EXPECT_EQ(ReadFile(path(kVirusFileName)), "old");
    EXPECT_EQ(ReadFile(path(kHeroFileName)), Image(m_tables->heroTable));
}

TEST(FileErrors, UsualCausesInChineseThenTheSystemsText)
{
    struct Case
    {
        int error;
        const char16_t* cause;
    };
    const Case cases[] = {
        {EACCES, u"没有访问该文件的权限"},
        {EPERM, u"没有访问该文件的权限"},
        {EROFS, u"文件系统是只读的"},
        {ENOSPC, u"磁盘空间不足"},
        {ENOENT, u"文件所在的文件夹不存在"},
        {EISDIR, u"该位置是一个文件夹"},
        {EFBIG, u"文件太大"},
        {kNotARegularFile, u"不是普通文件"},
    };
    for (const Case& c : cases) {
        const QString text = DescribeFileError(c.error, SystemErrorText(c.error));
        EXPECT_TRUE(text.contains(QString::fromUtf16(c.cause))) << text.toStdString();
        EXPECT_TRUE(
            text.endsWith(QStringLiteral("（") + SystemErrorText(c.error) + QStringLiteral("）")))
            << text.toStdString();
    }
    // Anything else: the system's text alone.
    EXPECT_EQ(DescribeFileError(EXDEV, SystemErrorText(EXDEV)), SystemText(EXDEV));
}
