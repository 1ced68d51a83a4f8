// Saving: both tables written whole, Virus.dat first, nothing else changed.

#include "tests/storage/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/inotify.h>
#include <unistd.h>

using namespace storagetest;

namespace {

class DataFileSave : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString folder() const { return m_folder.path(); }
    QString virusPath() const { return m_folder.filePath(QStringLiteral("Virus.dat")); }
    QString heroPath() const { return m_folder.filePath(QStringLiteral("Heroes.dat")); }

private:
    QTemporaryDir m_folder;
};

// The data-file names written in a folder, in the order they are written: a
// name counts when a file is created under it, renamed onto it or written
// and closed under it; repeats in a row count once.
class AppearanceLog
{
public:
    explicit AppearanceLog(const QString& folder) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd < 0 || inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                                          IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE) < 0)
            throw std::runtime_error("inotify is not available");
    }
    ~AppearanceLog() { close(m_fd); }
    AppearanceLog(const AppearanceLog&) = delete;
    AppearanceLog& operator=(const AppearanceLog&) = delete;

    QStringList DataFileNames()
    {
        QStringList names;
        alignas(inotify_event) char buffer[8192];
        ssize_t got = 0;
        while ((got = read(m_fd, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                const QString name = QFile::decodeName(event->len ? event->name : "");
                const bool dataFile = name == u"Virus.dat" || name == u"Heroes.dat";
                if (dataFile && (names.isEmpty() || names.constLast() != name))
                    names.append(name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        return names;
    }

private:
    int m_fd;
};

} // namespace

TEST_F(DataFileSave, RoundTripGivesBackEveryByte)
{
    const auto saved = PatternTables(1);
    ASSERT_TRUE(SaveTables(*saved, folder()).isEmpty());
    EXPECT_EQ(ReadFile(virusPath()), Image(saved->virusTable));
    EXPECT_EQ(ReadFile(heroPath()), Image(saved->heroTable));

    auto loaded = PatternTables(2);
    LoadVirusTable(loaded->virusTable, folder());
    LoadHeroTable(loaded->heroTable, folder());
    EXPECT_EQ(Image(loaded->virusTable), Image(saved->virusTable));
    EXPECT_EQ(Image(loaded->heroTable), Image(saved->heroTable));
    EXPECT_EQ(FolderEntries(folder()),
              (QStringList{QStringLiteral("Heroes.dat"), QStringLiteral("Virus.dat")}))
        << "a save leaves nothing else behind";
}

TEST_F(DataFileSave, SavingAgainReplacesBothFilesWhole)
{
    ASSERT_TRUE(SaveTables(*PatternTables(1), folder()).isEmpty());
    const auto second = PatternTables(2);
    ASSERT_TRUE(SaveTables(*second, folder()).isEmpty());
    EXPECT_EQ(ReadFile(virusPath()), Image(second->virusTable));
    EXPECT_EQ(ReadFile(heroPath()), Image(second->heroTable));
}

// Only the two tables belong in the files, and the tables hold nothing else:
// a search's working copy lives in the search's own workspace.
static_assert(sizeof(PlanningTables) == sizeof(VirusTable) + sizeof(HeroTable));

TEST_F(DataFileSave, VirusFileIsWrittenBeforeHeroFile)
{
    for (bool filesExist : {false, true}) {
        SCOPED_TRACE(filesExist ? "replacing existing files" : "creating the files");
        AppearanceLog log(folder());
        ASSERT_TRUE(SaveTables(*PatternTables(1), folder()).isEmpty());
        EXPECT_EQ(log.DataFileNames(),
                  (QStringList{QStringLiteral("Virus.dat"), QStringLiteral("Heroes.dat")}));
    }
}

TEST_F(DataFileSave, LongFileKeepsItsLengthAndItsTail)
{
    QByteArray old(3000, '\0');
    for (int i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>(i % 251);
    WriteFile(virusPath(), old);

    const auto tables = PatternTables(1);
    ASSERT_TRUE(SaveTables(*tables, folder()).isEmpty());
    const QByteArray now = ReadFile(virusPath());
    ASSERT_EQ(now.size(), 3000);
    EXPECT_EQ(now.left(2048), Image(tables->virusTable));
    EXPECT_EQ(now.mid(2048), old.mid(2048)) << "the last 952 bytes";

    // The next load still sees only the table.
    VirusTable loaded;
    LoadVirusTable(loaded, folder());
    EXPECT_EQ(Image(loaded), Image(tables->virusTable));
}

TEST_F(DataFileSave, ShortFileIsCompletedToTheTableSize)
{
    WriteFile(heroPath(), QByteArray(100, 'x'));
    const auto tables = PatternTables(1);
    ASSERT_TRUE(SaveTables(*tables, folder()).isEmpty());
    EXPECT_EQ(ReadFile(heroPath()), Image(tables->heroTable));
}

TEST_F(DataFileSave, ReplacedFileKeepsItsPermissions)
{
    WriteFile(virusPath(), QByteArray(2048, 'x'));
    SetModeBits(virusPath(), 0640);
    ASSERT_TRUE(SaveTables(*PatternTables(1), folder()).isEmpty());
    EXPECT_EQ(ModeBits(virusPath()), 0640u);
}
