// The planner's --advice and --team against the engine on the same data
// files, field by field, and the command lines they refuse.

#include "engine/TeamCheck.h"
#include "engine/TrainingAdvice.h"
#include "tests/tools/ToolsTestSupport.h"
#include "texts/CheckTexts.h"
#include "texts/PlanTexts.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace toolstest;
using namespace Qt::StringLiterals;

namespace {

QJsonObject ParseLine(const CommandResult& result)
{
    EXPECT_EQ(result.exitCode, kPlanExitOk) << result.err.toStdString();
    EXPECT_EQ(result.out.count(u'\n'), 1) << "one line of JSON";
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

QStringList SortedKeys(const QJsonObject& json)
{
    QStringList keys = json.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

const QStringList kPlanFields = {u"abnormalTotal"_s, u"critDamage"_s, u"cuteTotal"_s,
                                 u"heroDamage"_s,    u"heroes"_s,     u"index"_s,
                                 u"score"_s,         u"smartTotal"_s, u"virusDamage"_s};

void ExpectPlan(const QJsonObject& json, const PlanRecord& plan)
{
    EXPECT_EQ(SortedKeys(json), kPlanFields);
    QJsonArray heroes;
    for (std::uint32_t hero : plan.heroes)
        heroes.append(static_cast<int>(hero));
    EXPECT_EQ(json[u"heroes"_s].toArray(), heroes);
    EXPECT_EQ(json[u"smartTotal"_s].toInt(), plan.smartTotal);
    EXPECT_EQ(json[u"cuteTotal"_s].toInt(), plan.cuteTotal);
    EXPECT_EQ(json[u"abnormalTotal"_s].toInt(), plan.abnormalTotal);
    EXPECT_EQ(json[u"heroDamage"_s].toArray(),
              (QJsonArray{plan.heroDamageLow, plan.heroDamageHigh}));
    EXPECT_EQ(json[u"virusDamage"_s].toArray(),
              (QJsonArray{plan.virusDamageLow, plan.virusDamageHigh}));
    EXPECT_EQ(json[u"critDamage"_s].toArray(),
              (QJsonArray{plan.critDamageLow, plan.critDamageHigh}));
    EXPECT_EQ(static_cast<float>(json[u"score"_s].toDouble()), plan.score);
    EXPECT_EQ(json[u"index"_s].toString(), PlanTexts::FeasibilityIndex(plan));
}

const char* const kStatKeys[] = {"smart", "cute", "abnormal"};

struct AdviceCase
{
    int virus;
    int leader;
    int rounds;
    int crits;
    QString exclude;
};

// The sample guild: level 51 has no team for hero 0 until a 可爱 rises,
// level 41 is feasible, level 64 has nothing any rise would mend.
TEST(PlanCommandAdvice, JsonMatchesTheEngine)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const auto tables = guild.Load();
    const AdviceCase cases[] = {
        {50, 0, 3, 1, {}}, {50, 0, 3, 1, u"21,28"_s}, {40, 0, 3, 1, {}},
        {47, 5, 6, 2, {}}, {63, 0, 6, 5, {}},
    };
    for (const AdviceCase& c : cases) {
        SCOPED_TRACE("virus " + std::to_string(c.virus) + " exclude " + c.exclude.toStdString());
        QStringList arguments{u"--dir"_s,    guild.path(),
                              u"--virus"_s,  QString::number(c.virus),
                              u"--leader"_s, QString::number(c.leader),
                              u"--rounds"_s, QString::number(c.rounds),
                              u"--crits"_s,  QString::number(c.crits),
                              u"--advice"_s, u"--json"_s};
        PlanRequest request{c.virus, c.leader, {c.rounds - 1, c.crits}, {}};
        if (!c.exclude.isEmpty()) {
            arguments << u"--exclude"_s << c.exclude;
            for (const QString& hero : c.exclude.split(u','))
                request.excluded.insert(hero.toInt());
        }
        const QJsonObject json = ParseLine(RunPlan(arguments));

        auto advice = std::make_unique<TrainingAdvice>();
        ASSERT_TRUE(FindTrainingAdvice(*tables, request, *advice));
        if (advice->found) {
            EXPECT_EQ(SortedKeys(json), (QStringList{u"advice"_s, u"index"_s, u"score"_s}));
            EXPECT_EQ(static_cast<float>(json[u"score"_s].toDouble()), advice->plan.score);
            EXPECT_EQ(json[u"index"_s].toString(), PlanTexts::FeasibilityIndex(advice->plan));
        } else {
            EXPECT_EQ(SortedKeys(json), (QStringList{u"advice"_s, u"found"_s}));
            EXPECT_EQ(json[u"found"_s], QJsonValue(false));
        }
        const QJsonArray entries = json[u"advice"_s].toArray();
        ASSERT_EQ(entries.size(), advice->count);
        for (int i = 0; i < advice->count; ++i) {
            const AdviceEntry& entry = advice->entries[static_cast<std::size_t>(i)];
            const QJsonObject got = entries[i].toObject();
            EXPECT_EQ(SortedKeys(got),
                      (QStringList{u"hero"_s, u"increase"_s, u"plan"_s, u"stat"_s, u"value"_s}));
            EXPECT_EQ(got[u"hero"_s].toInt(), entry.hero);
            EXPECT_EQ(got[u"stat"_s].toString(),
                      QString::fromLatin1(kStatKeys[static_cast<int>(entry.stat)]));
            EXPECT_EQ(got[u"value"_s].toInt(), entry.value);
            EXPECT_EQ(got[u"increase"_s].toInt(), entry.increase);
            ExpectPlan(got[u"plan"_s].toObject(), entry.plan);
        }
    }
}

TEST(PlanCommandAdvice, TableListsEveryEntry)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const CommandResult result =
        RunPlan({u"--dir"_s, guild.path(), u"--virus"_s, u"50"_s, u"--leader"_s, u"0"_s,
                 u"--rounds"_s, u"3"_s, u"--crits"_s, u"1"_s, u"--advice"_s});
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], PlanTexts::NoPlanCaption());
    const QJsonObject json = ParseLine(
        RunPlan({u"--dir"_s, guild.path(), u"--virus"_s, u"50"_s, u"--leader"_s, u"0"_s,
                 u"--rounds"_s, u"3"_s, u"--crits"_s, u"1"_s, u"--advice"_s, u"--json"_s}));
    // The caption, the title, the column heads, then one row per entry.
    EXPECT_EQ(lines.size(), 3 + json[u"advice"_s].toArray().size());
    const QJsonObject first = json[u"advice"_s].toArray().first().toObject();
    EXPECT_TRUE(lines[3].startsWith(QString::number(first[u"hero"_s].toInt()) + u'\t'));
    EXPECT_TRUE(lines[3].contains(u'\t' + QString::number(first[u"increase"_s].toInt()) + u'\t'));
}

// From 不异常 3334 on the table says why nothing is advised.
TEST(PlanCommandAdvice, TableSaysWhyCuteIsWithheld)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    auto tables = guild.Load();
    tables->virusTable[10].notAbnormal = 3334;
    ASSERT_TRUE(SaveTables(*tables, guild.path()).isEmpty());
    const CommandResult result =
        RunPlan({u"--dir"_s, guild.path(), u"--virus"_s, u"10"_s, u"--leader"_s, u"0"_s,
                 u"--rounds"_s, u"3"_s, u"--crits"_s, u"1"_s, u"--advice"_s});
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_TRUE(result.out.contains(u"没有可爱的建议"_s)) << result.out.toStdString();
}

TEST(PlanCommandTeam, JsonMatchesTheEngineInTheOrderGiven)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const auto tables = guild.Load();
    const int teams[][6] = {{8, 0, 21, 28, 19, 35}, {127, 3, 64, 2, 90, 1}, {0, 1, 2, 3, 4, 5}};
    for (const auto& team : teams) {
        for (int virus : {5, 25, 26, 50}) {
            QStringList heroes;
            for (int hero : team)
                heroes << QString::number(hero);
            const QJsonObject json = ParseLine(RunPlan(
                {u"--dir"_s, guild.path(), u"--virus"_s, QString::number(virus), u"--rounds"_s,
                 u"4"_s, u"--crits"_s, u"2"_s, u"--team"_s, heroes.join(u','), u"--json"_s}));
            const TeamCheck check = CheckTeam(*tables, virus, Strategy{3, 2}, team);
            QJsonObject plan = json;
            for (const char* key : {"lifeMargin", "damageMargin", "lifeSpan", "damageSpan",
                                    "threshold", "reachesThreshold"})
                plan.remove(QString::fromLatin1(key));
            ExpectPlan(plan, check.plan);
            EXPECT_EQ(json[u"lifeMargin"_s].toInteger(), check.lifeMargin);
            EXPECT_EQ(json[u"damageMargin"_s].toInteger(), check.damageMargin);
            EXPECT_EQ(json[u"lifeSpan"_s].toInteger(), 16);
            EXPECT_EQ(json[u"damageSpan"_s].toInteger(), 21);
            EXPECT_EQ(json[u"threshold"_s].toInteger(), check.threshold);
            EXPECT_EQ(json[u"reachesThreshold"_s].toBool(), check.reachesThreshold);
            EXPECT_EQ(json[u"heroes"_s].toArray().first().toInt(), team[0]);
        }
    }
}

TEST(PlanCommandTeam, TableShowsTheMarginsAndTheThreshold)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const CommandResult result =
        RunPlan({u"--dir"_s, guild.path(), u"--virus"_s, u"50"_s, u"--rounds"_s, u"3"_s,
                 u"--crits"_s, u"1"_s, u"--team"_s, u"8, 0,21,28,19,35"_s});
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    const auto tables = guild.Load();
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[0], PlanTexts::PlanCaption());
    EXPECT_TRUE(lines[2].startsWith(PlanTexts::HeroNameText(tables->heroTable[8])));
    EXPECT_TRUE(lines[13].startsWith(u"生命余量"_s));
    EXPECT_TRUE(lines[14].startsWith(u"伤害余量"_s));
    EXPECT_TRUE(lines[15].contains(u"未达到门槛"_s)) << lines[15].toStdString();
}

TEST(PlanCommandAdvice, RefusesWhatDoesNotGoTogether)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    const QStringList strategy{u"--dir"_s,    guild.path(), u"--virus"_s, u"3"_s,
                               u"--rounds"_s, u"3"_s,       u"--crits"_s, u"1"_s};
    const QList<QStringList> wrong = {
        {u"--team"_s, u"1,2,3,4,5"_s},
        {u"--team"_s, u"1,2,3,4,5,6,7"_s},
        {u"--team"_s, u"1,2,3,4,5,1"_s},
        {u"--team"_s, u"1,2,3,4,5,128"_s},
        {u"--team"_s, u"1,2,3,4,5,x"_s},
        {u"--team"_s, u"1,2,3,4,5,6"_s, u"--leader"_s, u"0"_s},
        {u"--team"_s, u"1,2,3,4,5,6"_s, u"--exclude"_s, u"9"_s},
        {u"--team"_s, u"1,2,3,4,5,6"_s, u"--advice"_s, u"--leader"_s, u"0"_s},
        {u"--advice"_s},
        {u"--advice"_s, u"--leader"_s, u"0"_s, u"--top"_s, u"3"_s},
        {u"--advice"_s, u"--leader"_s, u"0"_s, u"--reference"_s},
        {u"--advice"_s, u"--leader"_s, u"0"_s, u"--exclude"_s, u"0"_s},
    };
    for (const QStringList& extra : wrong) {
        SCOPED_TRACE(extra.join(u' ').toStdString());
        const CommandResult result = RunPlan(strategy + extra);
        EXPECT_EQ(result.exitCode, kPlanExitUsage);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_EQ(result.err.count(u'\n'), 1);
    }
    const CommandResult strategies = RunPlan({u"--strategies"_s, u"--advice"_s});
    EXPECT_EQ(strategies.exitCode, kPlanExitUsage);
}

// A margin in words: what is missing to its span, or to spare beyond it,
// and the explanation of an index names the margin that limits it.
TEST(CheckTexts, MarginsInWords)
{
    TeamCheck check;
    check.lifeMargin = 5;
    check.lifeSpan = 11;
    check.damageMargin = -3;
    check.damageSpan = 16;
    EXPECT_EQ(CheckTexts::LifeMarginInWords(check), u"生命余量 5(跨度 11): 还差 6"_s);
    EXPECT_EQ(CheckTexts::DamageMarginInWords(check), u"伤害余量 -3(跨度 16): 还差 19"_s);
    EXPECT_TRUE(CheckTexts::IndexExplained(check).endsWith(u"限制方案的是伤害余量"_s));
    check.lifeMargin = 11;
    check.damageMargin = 40;
    EXPECT_EQ(CheckTexts::LifeMarginInWords(check), u"生命余量 11(跨度 11): 富余 0"_s);
    EXPECT_EQ(CheckTexts::DamageMarginInWords(check), u"伤害余量 40(跨度 16): 富余 24"_s);
    // Both at their spans: the score is 1 and neither holds it down.
    EXPECT_TRUE(CheckTexts::IndexExplained(check).endsWith(u"两项余量同样限制方案"_s));
    check.lifeMargin = 8;
    EXPECT_TRUE(CheckTexts::IndexExplained(check).endsWith(u"限制方案的是生命余量"_s));
}

} // namespace
