// quorvel-roster in this process: export, import, the round trip and every
// way it refuses.

#include "storage/RosterCsv.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/roster/RosterCommand.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

using namespace toolstest;
using namespace Qt::StringLiterals;

namespace {

struct RosterResult
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

RosterResult RunRoster(const QStringList& arguments, const QByteArray& input = QByteArray())
{
    QByteArray inBytes = input;
    QBuffer in(&inBytes);
    in.open(QIODevice::ReadOnly);
    RosterResult result;
    QBuffer out(&result.out);
    out.open(QIODevice::WriteOnly);
    QTextStream err(&result.err);
    result.exitCode = RunRosterCommand(QStringList{u"quorvel-roster"_s} + arguments, in, out, err);
    err.flush();
    return result;
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class RosterCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_guild.isValid());
        m_heroes = ReadBytes(heroFile());
        m_viruses = ReadBytes(virusFile());
        ASSERT_EQ(m_heroes.size(), 4096);
    }

    QString heroFile() const { return m_guild.filePath(kHeroFileName); }
    QString virusFile() const { return m_guild.filePath(kVirusFileName); }
    QString csv(const QString& name) const { return m_guild.path() + u'/' + name; }

    // The data files are as the guild left them.
    void ExpectUntouched() const
    {
        EXPECT_EQ(ReadBytes(heroFile()), m_heroes);
        EXPECT_EQ(ReadBytes(virusFile()), m_viruses);
    }

    GuildFolder m_guild;
    QByteArray m_heroes;
    QByteArray m_viruses;
};

} // namespace

TEST_F(RosterCommandTest, ExportToAFileAndToStandardOutputGiveTheSameCsv)
{
    const RosterResult toStdout =
        RunRoster({u"export"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, u"-"_s});
    ASSERT_EQ(toStdout.exitCode, kRosterExitOk) << toStdout.err.toStdString();
    EXPECT_TRUE(toStdout.err.isEmpty());
    EXPECT_EQ(toStdout.out, RosterCsv::WriteHeroes(m_guild.Load()->heroTable));

    const RosterResult toFile =
        RunRoster({u"export"_s, u"--dir"_s, m_guild.path(), u"--viruses"_s, csv(u"病毒.csv"_s)});
    ASSERT_EQ(toFile.exitCode, kRosterExitOk) << toFile.err.toStdString();
    EXPECT_TRUE(toFile.out.isEmpty());
    EXPECT_TRUE(toFile.err.contains(u"wrote 64 rows"_s));
    EXPECT_EQ(ReadBytes(csv(u"病毒.csv"_s)), RosterCsv::WriteViruses(m_guild.Load()->virusTable));
    ExpectUntouched();
}

TEST_F(RosterCommandTest, RoundTripKeepsEveryByteAndALongFilesTail)
{
    // A data file longer than its table keeps the bytes past it.
    const QByteArray tail(900, '\x5A');
    WriteBytes(heroFile(), m_heroes + tail);
    WriteBytes(virusFile(), m_viruses + tail);
    for (const QString& which : {u"--heroes"_s, u"--viruses"_s}) {
        const QString file = csv(u"table.csv"_s);
        ASSERT_EQ(RunRoster({u"export"_s, u"--dir"_s, m_guild.path(), which, file}).exitCode,
                  kRosterExitOk);
        const RosterResult imported =
            RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), which, file});
        ASSERT_EQ(imported.exitCode, kRosterExitOk) << imported.err.toStdString();
        EXPECT_TRUE(imported.err.contains(u"imported"_s));
    }
    EXPECT_EQ(ReadBytes(heroFile()), m_heroes + tail);
    EXPECT_EQ(ReadBytes(virusFile()), m_viruses + tail);
}

TEST_F(RosterCommandTest, ImportChangesTheNamedRowsOfThatFileOnly)
{
    const QByteArray csvText =
        u"名称,序号,聪明,可爱,不正常,勾选\r\n新人,100,1,2,3,1\r\n"_s.toUtf8();
    const RosterResult result =
        RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, u"-"_s}, csvText);
    ASSERT_EQ(result.exitCode, kRosterExitOk) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(u"imported 1 rows"_s));

    const QByteArray after = ReadBytes(heroFile());
    ASSERT_EQ(after.size(), 4096);
    // Only record 99 changed.
    EXPECT_EQ(after.left(99 * 32), m_heroes.left(99 * 32));
    EXPECT_EQ(after.mid(100 * 32), m_heroes.mid(100 * 32));
    const std::unique_ptr<PlanningTables> loaded = m_guild.Load();
    const HeroRecord& hero = loaded->heroTable[99];
    EXPECT_EQ(HeroName(hero), std::u16string_view(u"新人"));
    EXPECT_EQ(hero.checked, 1);
    EXPECT_EQ(hero.smart, 1);
    EXPECT_EQ(hero.cute, 2);
    EXPECT_EQ(hero.abnormal, 3);
    EXPECT_EQ(ReadBytes(virusFile()), m_viruses);
}

TEST_F(RosterCommandTest, ImportIntoAFolderWithoutDataFilesStartsFromTheDefaults)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const QByteArray csvText = u"关卡,名称,愚蠢,可恨,不异常\n2,小怪,1,1,1\n"_s.toUtf8();
    ASSERT_EQ(RunRoster({u"import"_s, u"--dir"_s, empty.path(), u"--viruses"_s, u"-"_s}, csvText)
                  .exitCode,
              kRosterExitOk);
    auto table = std::make_unique<VirusTable>();
    LoadVirusTable(*table, empty.path());
    EXPECT_EQ(VirusName(table->at(0)), std::u16string_view(u"未知病毒"));
    EXPECT_EQ(VirusName(table->at(1)), std::u16string_view(u"小怪"));
    EXPECT_FALSE(QFile::exists(empty.filePath(QString::fromLatin1(kHeroFileName))));
}

TEST_F(RosterCommandTest, ABadCsvListsEveryProblemAndWritesNothing)
{
    const QString file = csv(u"bad.csv"_s);
    WriteBytes(file,
               u"序号,名称,勾选,聪明,可爱,不正常\n1,甲,1,65536,0,0\n1,乙,3,0,0,0\n"_s.toUtf8());
    const RosterResult result =
        RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, file});
    EXPECT_EQ(result.exitCode, kRosterExitCsvRefused);
    const QStringList lines = result.err.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 4) << result.err.toStdString(); // three problems and the verdict
    EXPECT_TRUE(lines[0].startsWith(file + u": 第 2 行，“聪明”列"_s));
    EXPECT_TRUE(lines[1].startsWith(file + u": 第 3 行，“序号”列"_s));
    EXPECT_TRUE(lines[2].startsWith(file + u": 第 3 行，“勾选”列"_s));
    EXPECT_TRUE(lines[3].contains(u"not imported (3 problems)"_s));
    EXPECT_TRUE(result.out.isEmpty());
    ExpectUntouched();
}

TEST_F(RosterCommandTest, UsageErrorsExitWithTwo)
{
    const QString dir = m_guild.path();
    const QString file = csv(u"x.csv"_s);
    const QList<std::pair<QStringList, QString>> cases{
        {{}, u"expected a command"_s},
        {{u"export"_s, u"--dir"_s, dir, u"--heroes"_s}, u"expected a command"_s},
        {{u"copy"_s, u"--dir"_s, dir, u"--heroes"_s, file}, u"export or import, not 'copy'"_s},
        {{u"export"_s, u"--dir"_s, dir, file}, u"exactly one of --heroes and --viruses"_s},
        {{u"export"_s, u"--dir"_s, dir, u"--heroes"_s, u"--viruses"_s, file}, u"exactly one of"_s},
        {{u"import"_s, u"--heroes"_s, file}, u"--dir is required"_s},
        {{u"import"_s, u"--dir"_s, dir + u"/nowhere"_s, u"--heroes"_s, file}, u"existing folder"_s},
        {{u"import"_s, u"--dir"_s, dir, u"--heroes"_s, u"--colour"_s, file}, u"colour"_s},
        {{u"import"_s, u"--dir"_s, dir, u"--dir"_s, dir, u"--heroes"_s, file},
         u"--dir is given 2 times; it takes one value"_s},
    };
    for (const auto& [arguments, message] : cases) {
        const RosterResult result = RunRoster(arguments);
        EXPECT_EQ(result.exitCode, kRosterExitRefused) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(message)) << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith(u"quorvel-roster: "_s));
        EXPECT_EQ(result.err.count(u'\n'), 1) << "one line: " << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
    ExpectUntouched();

    const RosterResult help = RunRoster({u"--help"_s});
    EXPECT_EQ(help.exitCode, kRosterExitOk);
    EXPECT_TRUE(help.out.contains("--heroes"));
    EXPECT_TRUE(help.out.contains("--version"));
    EXPECT_TRUE(help.out.contains("  4  the CSV file has problems")) << help.out.toStdString();

    const RosterResult version = RunRoster({u"--version"_s});
    EXPECT_EQ(version.exitCode, kRosterExitOk);
    EXPECT_EQ(version.out, QByteArray("quorvel-roster " QUORVEL_PROJECT_VERSION "\n"));
    EXPECT_TRUE(version.err.isEmpty());
}

TEST_F(RosterCommandTest, PipesDevicesAndLinksToNothingAreNeverReadNorReplaced)
{
    alarm(60); // an import that blocks on the pipe ends the test here
    const QString pipe = csv(u"pipe.csv"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    RosterResult result = RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, pipe});
    alarm(0);
    EXPECT_EQ(result.exitCode, kRosterExitFile);
    EXPECT_TRUE(result.err.contains(u"cannot read"_s)) << result.err.toStdString();

    // An export refuses the pipe, a link to a device and a link to nothing,
    // and says no rows were written.
    const QString toNull = csv(u"null.csv"_s);
    const QString toNothing = csv(u"nothing.csv"_s);
    ASSERT_TRUE(QFile::link(u"/dev/null"_s, toNull));
    ASSERT_TRUE(QFile::link(csv(u"gone.csv"_s), toNothing));
    for (const QString& target : {pipe, toNull, toNothing}) {
        result = RunRoster({u"export"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, target});
        EXPECT_EQ(result.exitCode, kRosterExitFile) << target.toStdString();
        EXPECT_TRUE(result.err.contains(u"cannot write"_s)) << result.err.toStdString();
        EXPECT_FALSE(result.err.contains(u"wrote"_s));
    }
    EXPECT_TRUE(QFileInfo(toNull).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(csv(u"gone.csv"_s)));
    ExpectUntouched();
}

TEST_F(RosterCommandTest, FilesThatCannotBeReadOrWrittenExitWithOne)
{
    // A CSV that is not there.
    RosterResult result =
        RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, csv(u"missing.csv"_s)});
    EXPECT_EQ(result.exitCode, kRosterExitFile);
    EXPECT_TRUE(result.err.contains(u"cannot read"_s));

    // An export into a folder that is not there.
    result =
        RunRoster({u"export"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, csv(u"no/such.csv"_s)});
    EXPECT_EQ(result.exitCode, kRosterExitFile);
    EXPECT_TRUE(result.err.contains(u"cannot write"_s));

    // A data file the user made read-only is not replaced.
    QFile::setPermissions(heroFile(), QFileDevice::ReadOwner);
    const QByteArray csvText = RosterCsv::WriteHeroes(m_guild.Load()->heroTable);
    result = RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, u"-"_s}, csvText);
    QFile::setPermissions(heroFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(result.exitCode, kRosterExitFile);
    EXPECT_TRUE(result.err.contains(heroFile())) << result.err.toStdString();
    ExpectUntouched();
}

TEST_F(RosterCommandTest, ADataFileThatCannotBeReadIsNeitherExportedNorReplaced)
{
    // Something that is not a readable file in the data file's place: the
    // defaults must not be exported as the guild's table, nor written over it.
    ASSERT_TRUE(QFile::remove(heroFile()));
    ASSERT_TRUE(QDir().mkdir(heroFile()));
    const QByteArray csvText = RosterCsv::WriteHeroes(HeroTable{});
    for (const QStringList& arguments :
         {QStringList{u"export"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, u"-"_s},
          QStringList{u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, u"-"_s}}) {
        const RosterResult result = RunRoster(arguments, csvText);
        EXPECT_EQ(result.exitCode, kRosterExitUnreadable) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(u"cannot read"_s)) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(QFileInfo(heroFile()).isDir());
    }
    // A link to nothing is a file that cannot be read either: the import does
    // not write through it.
    ASSERT_TRUE(QDir().rmdir(heroFile()));
    const QString gone = csv(u"gone.dat"_s);
    ASSERT_TRUE(QFile::link(gone, heroFile()));
    const RosterResult throughLink =
        RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, u"-"_s}, csvText);
    EXPECT_NE(throughLink.exitCode, kRosterExitOk);
    EXPECT_TRUE(throughLink.err.contains(u"cannot read"_s)) << throughLink.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(gone));
    EXPECT_TRUE(QFileInfo(heroFile()).isSymLink());

    // The virus table beside it still travels.
    const RosterResult viruses =
        RunRoster({u"export"_s, u"--dir"_s, m_guild.path(), u"--viruses"_s, u"-"_s});
    EXPECT_EQ(viruses.exitCode, kRosterExitOk);
}

TEST(RosterExecutable, ExportsToStandardOutputAsUtf8WithAMark)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    QProcess process;
    process.start(QString::fromLocal8Bit(QUORVEL_ROSTER_EXECUTABLE),
                  {u"export"_s, u"--dir"_s, guild.path(), u"--viruses"_s, u"-"_s});
    ASSERT_TRUE(process.waitForFinished(120000)); // a safety net, not a measure of speed
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), RosterCsv::WriteViruses(guild.Load()->virusTable));
}

// A long input through a pipe arrives in pieces; the import reads up to the
// limit and names only the size, never rows cut where a piece ended.
TEST(RosterExecutable, ALongInputOnAPipeIsRefusedForItsSizeAlone)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const QByteArray heroes = ReadBytes(guild.filePath(kHeroFileName));
    QByteArray input = RosterCsv::WriteHeroes(guild.Load()->heroTable);
    while (input.size() <= 2 * RosterCsv::kMaxFileBytes)
        input += input.mid(3); // rows again, as a runaway script would repeat them
    QProcess process;
    process.start(QString::fromLocal8Bit(QUORVEL_ROSTER_EXECUTABLE),
                  {u"import"_s, u"--dir"_s, guild.path(), u"--heroes"_s, u"-"_s});
    ASSERT_TRUE(process.waitForStarted());
    // Written in pieces until the program stops reading at the limit and ends.
    for (qsizetype at = 0; at < input.size() && process.state() == QProcess::Running; at += 4096) {
        process.write(input.mid(at, 4096));
        process.waitForBytesWritten(10000);
    }
    process.closeWriteChannel();
    if (process.state() != QProcess::NotRunning) {
        ASSERT_TRUE(process.waitForFinished(120000));
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), kRosterExitCsvRefused);
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[0], u"standard input: 文件超过了 1 MB（1048576 字节）的上限。"_s);
    EXPECT_EQ(ReadBytes(guild.filePath(kHeroFileName)), heroes);
}

TEST_F(RosterCommandTest, AHugeFileIsRefusedWithItsRealSize)
{
    const QString path = csv(u"huge.csv"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(RosterCsv::WriteHeroes(m_guild.Load()->heroTable));
    ASSERT_TRUE(file.resize(1181116006)); // sparse: no disk space taken
    file.close();
    const RosterResult result =
        RunRoster({u"import"_s, u"--dir"_s, m_guild.path(), u"--heroes"_s, path});
    EXPECT_EQ(result.exitCode, kRosterExitCsvRefused);
    const QStringList lines = result.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << result.err.toStdString();
    EXPECT_EQ(lines[0], path + u": 文件有 1181116006 字节，超过了 1 MB（1048576 字节）的上限。"_s);
    ExpectUntouched();
}
