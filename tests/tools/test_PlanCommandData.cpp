// The planner's data: a data file that exists but cannot be read is an
// error (exit code 3, one line naming it), never a plan of the defaults; a
// folder without either file plans on the defaults and says so.

#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace toolstest;
using namespace Qt::StringLiterals;

namespace {

QStringList PlanIn(const QString& folder)
{
    return {u"--dir"_s, folder,        u"--virus"_s, u"0"_s,       u"--leader"_s,
            u"0"_s,     u"--rounds"_s, u"1"_s,       u"--crits"_s, u"0"_s};
}

class PlanCommandData : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_guild.isValid());
        alarm(60); // a planner blocked on a pipe ends the test here
    }
    void TearDown() override { alarm(0); }

    QString path(const char* name) const
    {
        return QDir(m_guild.path()).filePath(QString::fromLatin1(name));
    }

    GuildFolder m_guild;
};

} // namespace

TEST_F(PlanCommandData, UnreadableDataFileIsAnErrorNamingIt)
{
    struct Case
    {
        const char* file;
        const char* what;
    };
    for (const Case c :
         {Case{kVirusFileName, "pipe"}, Case{kHeroFileName, "folder"},
          Case{kVirusFileName, "read error"}, Case{kHeroFileName, "link to nothing"}}) {
        SCOPED_TRACE(std::string(c.file) + " as a " + c.what);
        ASSERT_TRUE(QFile::remove(path(c.file)));
        if (std::string(c.what) == "pipe")
            ASSERT_EQ(mkfifo(QFile::encodeName(path(c.file)).constData(), 0600), 0);
        else if (std::string(c.what) == "folder")
            ASSERT_TRUE(QDir(m_guild.path()).mkdir(QString::fromLatin1(c.file)));
        else if (std::string(c.what) == "link to nothing")
            ASSERT_TRUE(QFile::link(path("gone"), path(c.file)));
        else
            ASSERT_TRUE(QFile::link(u"/proc/self/mem"_s, path(c.file)));

        const CommandResult result = RunPlan(PlanIn(m_guild.path()));
        EXPECT_EQ(result.exitCode, kPlanExitUnreadable);
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
        EXPECT_EQ(result.err.count(u'\n'), 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(QDir::toNativeSeparators(path(c.file))))
            << result.err.toStdString();

        // Put the sample file back for the next case.
        QFile::remove(path(c.file));
        QDir(m_guild.path()).rmdir(QString::fromLatin1(c.file));
        GuildFolder fresh;
        ASSERT_TRUE(
            QFile::copy(QDir(fresh.path()).filePath(QString::fromLatin1(c.file)), path(c.file)));
    }
}

TEST_F(PlanCommandData, FolderWithoutDataFilesPlansOnTheDefaultsWithANote)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const CommandResult result = RunPlan(PlanIn(empty.path()));
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_FALSE(result.out.isEmpty());
    EXPECT_EQ(result.err.count(u'\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(u"default"_s)) << result.err.toStdString();

    // One file present is the usual case: no note.
    ASSERT_TRUE(QFile::remove(path(kVirusFileName)));
    EXPECT_TRUE(RunPlan(PlanIn(m_guild.path())).err.isEmpty());
}
