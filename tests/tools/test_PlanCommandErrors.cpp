// Every way a planner command line can be wrong: exit code 2, nothing on
// standard output, and one line on standard error naming the fault.

#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace toolstest;
using namespace Qt::StringLiterals;

namespace {

struct BadCommand
{
    const char* name;
    QStringList arguments; // "{dir}" stands for an existing folder
    QString message;
};

void PrintTo(const BadCommand& command, std::ostream* out)
{
    *out << command.arguments.join(u' ').toStdString();
}

const QStringList kPlan = {u"--virus"_s,  u"5"_s, u"--leader"_s, u"0"_s,
                           u"--rounds"_s, u"3"_s, u"--crits"_s,  u"1"_s};

// kPlan with one option's value replaced, or the option left out (value empty).
QStringList PlanWith(const QString& option, const QString& value)
{
    QStringList arguments;
    for (qsizetype i = 0; i < kPlan.size(); i += 2) {
        if (kPlan[i] != option)
            arguments << kPlan[i] << kPlan[i + 1];
        else if (!value.isNull())
            arguments << kPlan[i] << value;
    }
    return arguments;
}

QStringList PlanWithout(const QString& option)
{
    return PlanWith(option, QString());
}

const BadCommand kBadCommands[] = {
    {"NoArgumentsAtAll", {}, u"--virus is required (a whole number from 0 to 63)"_s},
    {"MissingLeader", PlanWithout(u"--leader"_s),
     u"--leader is required (a whole number from 0 to 127)"_s},
    {"MissingRounds", PlanWithout(u"--rounds"_s),
     u"--rounds is required (a whole number from 1 to 6)"_s},
    {"MissingCrits", PlanWithout(u"--crits"_s),
     u"--crits is required (a whole number from 0 to 2 for 3 rounds)"_s},
    {"VirusPastLastLevel", PlanWith(u"--virus"_s, u"64"_s),
     u"--virus must be a whole number from 0 to 63, not '64'"_s},
    {"VirusNegative", PlanWith(u"--virus"_s, u"-1"_s),
     u"--virus must be a whole number from 0 to 63, not '-1'"_s},
    {"LeaderPastLastHero", PlanWith(u"--leader"_s, u"128"_s),
     u"--leader must be a whole number from 0 to 127, not '128'"_s},
    {"LeaderNegative", PlanWith(u"--leader"_s, u"-1"_s),
     u"--leader must be a whole number from 0 to 127, not '-1'"_s},
    {"RoundsZero", PlanWith(u"--rounds"_s, u"0"_s),
     u"--rounds must be a whole number from 1 to 6, not '0'"_s},
    {"RoundsSeven", PlanWith(u"--rounds"_s, u"7"_s),
     u"--rounds must be a whole number from 1 to 6, not '7'"_s},
    {"CritsAsManyAsRounds", PlanWith(u"--crits"_s, u"3"_s),
     u"--crits must be a whole number from 0 to 2 for 3 rounds, not '3'"_s},
    {"CritsNegative", PlanWith(u"--crits"_s, u"-1"_s),
     u"--crits must be a whole number from 0 to 2 for 3 rounds, not '-1'"_s},
    {"VirusAsWord", PlanWith(u"--virus"_s, u"five"_s),
     u"--virus must be a whole number from 0 to 63, not 'five'"_s},
    {"LeaderAsFraction", PlanWith(u"--leader"_s, u"1.5"_s),
     u"--leader must be a whole number from 0 to 127, not '1.5'"_s},
    {"RoundsWithUnit", PlanWith(u"--rounds"_s, u"3r"_s),
     u"--rounds must be a whole number from 1 to 6, not '3r'"_s},
    {"CritsEmpty", PlanWith(u"--crits"_s, u""_s),
     u"--crits must be a whole number from 0 to 2 for 3 rounds, not ''"_s},
    {"UnknownOption", kPlan + QStringList{u"--fast"_s}, u"Unknown option 'fast'."_s},
    {"OptionWithoutItsValue", QStringList{u"--leader"_s, u"0"_s, u"--virus"_s},
     u"Missing value after '--virus'."_s},
    {"FolderThatDoesNotExist", QStringList{u"--dir"_s, u"{dir}/missing"_s} + kPlan,
     u"--dir must be an existing folder, not '{dir}/missing'"_s},
    {"FolderThatIsAFile", QStringList{u"--dir"_s, u"{dir}/Virus.dat"_s} + kPlan,
     u"--dir must be an existing folder, not '{dir}/Virus.dat'"_s},
    {"ByChanceWithoutStrategies", kPlan + QStringList{u"--by-chance"_s},
     u"--by-chance goes with --strategies"_s},
    {"StrayArgumentWithAPlan", kPlan + QStringList{u"Heroes.dat"_s},
     u"unexpected argument 'Heroes.dat'"_s},
    {"StrayArgumentWithStrategies", QStringList{u"--strategies"_s, u"all"_s},
     u"unexpected argument 'all'"_s},
    {"PlanOptionWithStrategies", QStringList{u"--strategies"_s, u"--leader"_s, u"3"_s},
     u"--leader does not go with --strategies"_s},
    // An option of one value given twice is refused, not decided by its last value.
    {"LeaderTwice", kPlan + QStringList{u"--leader"_s, u"5"_s},
     u"--leader is given 2 times; it takes one value"_s},
    {"TopTwice", kPlan + QStringList{u"--top"_s, u"3"_s, u"--top"_s, u"5"_s},
     u"--top is given 2 times; it takes one value"_s},
    {"LeadersTwice",
     PlanWithout(u"--leader"_s) + QStringList{u"--leaders"_s, u"0"_s, u"--leaders"_s, u"5"_s},
     u"--leaders is given 2 times; it takes one value"_s},
    {"FolderThrice",
     QStringList{u"--dir"_s, u"{dir}"_s, u"--dir"_s, u"{dir}"_s, u"--dir"_s, u"{dir}"_s} + kPlan,
     u"--dir is given 3 times; it takes one value"_s},
};

class PlanCommandError : public testing::TestWithParam<BadCommand>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_guild.isValid());
        m_folderBytes = ReadFolderBytes();
    }

    QString WithFolder(QString text) const { return text.replace(u"{dir}"_s, m_guild.path()); }

    QByteArray ReadFolderBytes() const
    {
        QByteArray bytes;
        for (const char* name : {kVirusFileName, kHeroFileName}) {
            QFile file(m_guild.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                bytes += file.readAll();
        }
        return bytes;
    }

    GuildFolder m_guild;
    QByteArray m_folderBytes;
};

std::string TestName(const testing::TestParamInfo<BadCommand>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(PlanCommandError, ExitsWithCodeTwoAndOneLineNamingTheFault)
{
    QStringList arguments;
    for (const QString& argument : GetParam().arguments)
        arguments << WithFolder(argument);
    const CommandResult result = RunPlan(arguments);
    EXPECT_EQ(result.exitCode, kPlanExitUsage);
    EXPECT_EQ(result.err,
              u"quorvel-plan: "_s + WithFolder(GetParam().message) + u" (see --help)\n"_s);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_EQ(ReadFolderBytes(), m_folderBytes);
}

INSTANTIATE_TEST_SUITE_P(BadCommands, PlanCommandError, testing::ValuesIn(kBadCommands), TestName);

TEST(PlanCommandHelp, HelpIsNotAnError)
{
    const CommandResult result = RunPlan({u"--help"_s});
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_TRUE(result.err.isEmpty());
    for (const char* option : {"--dir", "--virus", "--leader", "--rounds", "--crits", "--json",
                               "--strategies", "--by-chance", "--version"})
        EXPECT_TRUE(result.out.contains(QLatin1StringView(option))) << option;
    // The exit codes, as every program of the project uses them.
    for (const char* code : {"  0  done", "  2  the command line is wrong", "  3  Virus.dat"})
        EXPECT_TRUE(result.out.contains(QLatin1StringView(code))) << code;
}
