// The built programs, run as a user would run them.

#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

using namespace toolstest;
using namespace Qt::StringLiterals;

namespace {

struct ProcessResult
{
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// `locale` as LANG, and no other language setting: the programs' texts
// follow the environment.
ProcessResult RunProgram(const char* program, const QStringList& arguments,
                         const QString& locale = u"C.UTF-8"_s)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"LANGUAGE"_s, u"LC_ALL"_s, u"LC_MESSAGES"_s})
        environment.remove(name);
    environment.insert(u"LANG"_s, locale);
    process.setProcessEnvironment(environment);
    process.start(QString::fromLocal8Bit(program), arguments);
    ProcessResult result;
    // A safety net against a hung program, not a measure of speed.
    result.finished =
        process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(PlanExecutable, BadArgumentExitsWithCodeTwoAndOneStderrLine)
{
    const ProcessResult result =
        RunProgram(QUORVEL_PLAN_EXECUTABLE, {u"--virus"_s, u"99"_s, u"--leader"_s, u"0"_s,
                                             u"--rounds"_s, u"1"_s, u"--crits"_s, u"0"_s});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "quorvel-plan: --virus must be a whole number from 0 to 63, not '99' "
                          "(see --help)\n");
    EXPECT_TRUE(result.out.isEmpty());
}

TEST(PlanExecutable, VersionIsTheProjectsThreePartVersion)
{
    const ProcessResult result = RunProgram(QUORVEL_PLAN_EXECUTABLE, {u"--version"_s});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    EXPECT_EQ(result.out, QByteArray("quorvel-plan " QUORVEL_PROJECT_VERSION "\n"));
    // Package tools compare versions part by part; a two-part version would
    // sort wrongly against a later 0.2.1.
    EXPECT_TRUE(QRegularExpression(u"^[0-9]+\\.[0-9]+\\.[0-9]+$"_s)
                    .match(QString::fromLatin1(QUORVEL_PROJECT_VERSION))
                    .hasMatch())
        << QUORVEL_PROJECT_VERSION;
}

TEST(PlanExecutable, PlanGoesToStdoutAsUtf8)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const ProcessResult result = RunProgram(
        QUORVEL_PLAN_EXECUTABLE, {u"--dir"_s, guild.path(), u"--virus"_s, u"0"_s, u"--leader"_s,
                                  u"0"_s, u"--rounds"_s, u"1"_s, u"--crits"_s, u"0"_s});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    const QStringList lines = QString::fromUtf8(result.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 13) << result.out.toStdString();
    EXPECT_EQ(lines[0], u"组队方案"_s);
    EXPECT_TRUE(lines[12].startsWith(u"可行性指数(基于100): "_s));
}

// The same plan for an English environment; the figures are the same.
TEST(PlanExecutable, SpeaksTheLanguageOfItsEnvironment)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const QStringList arguments{u"--dir"_s,    guild.path(), u"--virus"_s,  u"0"_s,
                                u"--leader"_s, u"0"_s,       u"--rounds"_s, u"1"_s,
                                u"--crits"_s,  u"0"_s};
    const ProcessResult chinese = RunProgram(QUORVEL_PLAN_EXECUTABLE, arguments, u"zh_CN.UTF-8"_s);
    const ProcessResult english = RunProgram(QUORVEL_PLAN_EXECUTABLE, arguments, u"en_US.UTF-8"_s);
    ASSERT_TRUE(chinese.finished && english.finished);
    const QStringList zh = QString::fromUtf8(chinese.out).split(u'\n', Qt::SkipEmptyParts);
    const QStringList en = QString::fromUtf8(english.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(zh.size(), 13) << chinese.out.toStdString();
    ASSERT_EQ(en.size(), 13) << english.out.toStdString();
    EXPECT_EQ(zh[0], u"组队方案"_s);
    EXPECT_EQ(en[0], u"Team plan"_s);
    // The index ends both last lines, written alike.
    const QString index = zh[12].mid(zh[12].lastIndexOf(u' ') + 1);
    EXPECT_TRUE(en[12].startsWith(u"Feasibility"_s)) << en[12].toStdString();
    EXPECT_TRUE(en[12].endsWith(u' ' + index)) << en[12].toStdString();

    const ProcessResult strategies =
        RunProgram(QUORVEL_PLAN_EXECUTABLE, {u"--strategies"_s}, u"en_US.UTF-8"_s);
    ASSERT_TRUE(strategies.finished);
    const QString listed = QString::fromUtf8(strategies.out);
    EXPECT_TRUE(listed.contains(u"win chance"_s)) << listed.toStdString();
    for (const QChar c : listed)
        ASSERT_FALSE(c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) << listed.toStdString();
}

TEST(SampleGuild, RegeneratingGivesTheCommittedFilesByteForByte)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const ProcessResult result = RunProgram(QUORVEL_MAKEGUILD_EXECUTABLE, {folder.path()});
    ASSERT_TRUE(result.finished);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    for (const char* name : {kVirusFileName, kHeroFileName}) {
        SCOPED_TRACE(name);
        const QByteArray committed = ReadFile(
            QDir(QStringLiteral(QUORVEL_EXAMPLES_DIR)).filePath(QString::fromLatin1(name)));
        ASSERT_FALSE(committed.isEmpty()) << "examples/" << name << " is missing";
        EXPECT_TRUE(ReadFile(folder.filePath(QString::fromLatin1(name))) == committed)
            << "examples/" << name
            << " differs from the generator's output: run quorvel-makeguild examples";
    }
}

TEST(SampleGuild, GeneratorRefusesAMissingFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString missing = folder.filePath(u"missing"_s);
    const ProcessResult result = RunProgram(QUORVEL_MAKEGUILD_EXECUTABLE, {missing});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(QString::fromUtf8(result.err),
              u"quorvel-makeguild: not a folder: "_s + missing + u'\n');
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(SampleGuild, RosterAndLevelsHaveTheIntendedShape)
{
    auto tables = std::make_unique<PlanningTables>();
    FillSampleHeroes(tables->heroTable);
    FillSampleViruses(tables->virusTable);

    QSet<QString> names;
    for (int i = 0; i < kHeroCount; ++i) {
        const HeroRecord& hero = tables->heroTable[i];
        const std::u16string_view name = HeroName(hero);
        EXPECT_EQ(hero.checked, i < 40 ? 1 : 0) << "hero " << i;
        EXPECT_LE(name.size(), 11u) << "hero " << i;
        EXPECT_EQ(hero.name[name.size()], u'\0') << "hero " << i << " has its terminator";
        if (i < 48) {
            EXPECT_GE(name.size(), 2u);
            EXPECT_TRUE(hero.smart >= 280 && hero.cute >= 280 && hero.abnormal > 0) << "hero " << i;
            EXPECT_TRUE(hero.smart <= 3000 && hero.cute <= 3000) << "hero " << i;
            names.insert(QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())));
        } else {
            EXPECT_EQ(hero.smart + hero.cute + hero.abnormal, 0) << "placeholder " << i;
        }
    }
    EXPECT_EQ(names.size(), 48) << "every real hero has a name of its own";

    QSet<QString> virusNames;
    for (int i = 0; i < kVirusCount; ++i) {
        const VirusRecord& virus = tables->virusTable[i];
        const std::u16string_view name = VirusName(virus);
        EXPECT_LE(name.size(), 11u) << "virus " << i;
        virusNames.insert(QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())));
        if (i > 0) {
            const VirusRecord& before = tables->virusTable[i - 1];
            EXPECT_GT(virus.stupid, before.stupid) << "level " << i + 1;
            EXPECT_GT(virus.hateful, before.hateful) << "level " << i + 1;
            EXPECT_GT(virus.notAbnormal, before.notAbnormal) << "level " << i + 1;
        }
    }
    EXPECT_EQ(virusNames.size(), kVirusCount);
    EXPECT_LT(tables->virusTable[kVirusCount - 1].notAbnormal, 3334)
        << "past 3333 the heroes' damage factor turns negative";
}

// The window program answers --help and --version on standard output and
// ends: no display is needed, and neither the working folder nor the user's
// settings or data folders see a file.
TEST(WindowExecutable, HelpAndVersionAnswerWithoutAWindowOrAFile)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    QProcessEnvironment environment;
    environment.insert(u"PATH"_s, qEnvironmentVariable("PATH"));
    environment.insert(u"HOME"_s, scratch.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, scratch.path());
    environment.insert(u"XDG_DATA_HOME"_s, scratch.path());
    for (const QString& option : {u"--help"_s, u"-h"_s, u"--version"_s}) {
        SCOPED_TRACE(option.toStdString());
        QProcess process;
        process.setProcessEnvironment(environment); // no DISPLAY, no platform
        process.setWorkingDirectory(scratch.path());
        process.start(QString::fromLocal8Bit(QUORVEL_WINDOW_EXECUTABLE), {option});
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        const QByteArray out = process.readAllStandardOutput();
        if (option == u"--version"_s)
            EXPECT_EQ(out, QByteArray("quorvel " QUORVEL_PROJECT_VERSION "\n"));
        else
            EXPECT_TRUE(out.startsWith("Usage: quorvel [OPTION]\n")) << out.toStdString();
        EXPECT_TRUE(
            QDir(scratch.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            << QDir(scratch.path())
                   .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                   .join(u' ')
                   .toStdString();
    }
}
