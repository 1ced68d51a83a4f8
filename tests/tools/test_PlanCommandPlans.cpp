// Plans: the planner prints exactly what the engine finds on the same data
// files, as JSON or as text, and never writes the files.

#include "engine/CombatModel.h"
#include "engine/TeamSearch.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace toolstest;
using namespace Qt::StringLiterals;

namespace {

struct PlanCase
{
    int virus;
    int leader;
    int rounds;
    int crits;
};

void PrintTo(const PlanCase& plan, std::ostream* out)
{
    *out << "virus " << plan.virus << ", leader " << plan.leader << ", " << plan.rounds
         << " rounds, " << plan.crits << " crits";
}

QStringList Arguments(const QString& folder, const PlanCase& plan)
{
    return {u"--dir"_s,    folder,
            u"--virus"_s,  QString::number(plan.virus),
            u"--leader"_s, QString::number(plan.leader),
            u"--rounds"_s, QString::number(plan.rounds),
            u"--crits"_s,  QString::number(plan.crits)};
}

// Early, middle and late levels of the sample guild, its own hero, a weak
// member and a former (unchecked) member as leaders, and a crit-heavy
// strategy on both sides of level 27, where crits start to count.
const PlanCase kCases[] = {
    {0, 0, 1, 0},   {12, 0, 2, 1},  {25, 0, 4, 3},  {26, 0, 4, 3},  {30, 0, 4, 1},
    {33, 0, 5, 3},  {48, 0, 6, 2},  {48, 0, 6, 5},  {40, 0, 1, 0},  {63, 0, 6, 0},
    {20, 39, 3, 2}, {35, 39, 6, 1}, {10, 45, 2, 1}, {44, 45, 5, 2},
};

class PlanCommandPlan : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_guild.isValid()); }

    // The engine's answer on the tables the planner loads.
    bool EngineSearch(const PlanCase& request, PlanRecord& plan,
                      std::unique_ptr<PlanningTables>& tables) const
    {
        tables = m_guild.Load();
        plan = PlanRecord{};
        const PlanRequest search{
            request.virus, request.leader, Strategy{request.rounds - 1, request.crits}, {}};
        return FindBestTeam(*tables, search, plan);
    }

    GuildFolder m_guild;
};

QJsonArray Range(std::int32_t low, std::int32_t high)
{
    return {low, high};
}

QString IndexText(const PlanRecord& plan)
{
    return QString::asprintf("%.0f", static_cast<double>(plan.score) * 100.0);
}

} // namespace

TEST_F(PlanCommandPlan, JsonMatchesTheEngineFieldByField)
{
    int found = 0;
    int notFound = 0;
    for (const PlanCase& request : kCases) {
        SCOPED_TRACE(testing::PrintToString(request));
        const CommandResult result = RunPlan(Arguments(m_guild.path(), request) << u"--json"_s);
        ASSERT_EQ(result.exitCode, kPlanExitOk) << result.err.toStdString();
        EXPECT_TRUE(result.err.isEmpty());
        ASSERT_TRUE(result.out.endsWith(u'\n'));
        ASSERT_EQ(result.out.count(u'\n'), 1) << "one line of JSON";

        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        const QJsonObject json = document.object();

        PlanRecord plan;
        std::unique_ptr<PlanningTables> tables;
        if (!EngineSearch(request, plan, tables)) {
            ++notFound;
            EXPECT_EQ(json, QJsonObject({{u"found"_s, false}}));
            continue;
        }
        ++found;
        QStringList keys = json.keys();
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(keys, (QStringList{u"abnormalTotal"_s, u"critDamage"_s, u"cuteTotal"_s,
                                     u"found"_s, u"heroDamage"_s, u"heroes"_s, u"index"_s,
                                     u"score"_s, u"smartTotal"_s, u"virusDamage"_s}));
        EXPECT_EQ(json[u"found"_s], QJsonValue(true));
        QJsonArray heroes;
        for (std::uint32_t hero : plan.heroes)
            heroes.append(static_cast<int>(hero));
        EXPECT_EQ(json[u"heroes"_s], heroes);
        EXPECT_EQ(json[u"heroes"_s][0], request.leader) << "the leader heads the team";
        EXPECT_EQ(json[u"smartTotal"_s], plan.smartTotal);
        EXPECT_EQ(json[u"cuteTotal"_s], plan.cuteTotal);
        EXPECT_EQ(json[u"abnormalTotal"_s], plan.abnormalTotal);
        EXPECT_EQ(json[u"heroDamage"_s], Range(plan.heroDamageLow, plan.heroDamageHigh));
        EXPECT_EQ(json[u"virusDamage"_s], Range(plan.virusDamageLow, plan.virusDamageHigh));
        EXPECT_EQ(json[u"critDamage"_s], Range(plan.critDamageLow, plan.critDamageHigh));
        EXPECT_EQ(static_cast<float>(json[u"score"_s].toDouble()), plan.score)
            << "the score survives the trip through JSON exactly";
        EXPECT_EQ(json[u"index"_s], IndexText(plan));
    }
    // The cases cover both outcomes, so neither half of the check is idle.
    EXPECT_GE(found, 8);
    EXPECT_GE(notFound, 2);
}

TEST_F(PlanCommandPlan, ReferenceSearchGivesTheSamePlans)
{
    for (const PlanCase& request : kCases) {
        SCOPED_TRACE(testing::PrintToString(request));
        const QStringList arguments = Arguments(m_guild.path(), request) << u"--json"_s;
        EXPECT_EQ(RunPlan(arguments).out, RunPlan(QStringList(arguments) << u"--reference"_s).out);
    }
}

TEST_F(PlanCommandPlan, TextShowsCaptionSixHeroRowsAndFiveDetails)
{
    const PlanCase request{30, 0, 4, 1};
    PlanRecord plan;
    std::unique_ptr<PlanningTables> tables;
    ASSERT_TRUE(EngineSearch(request, plan, tables));

    QString expected = u"组队方案\n名称\t聪明\t可爱\t不正常\n"_s;
    for (std::uint32_t index : plan.heroes) {
        const HeroRecord& hero = tables->heroTable[index];
        const std::u16string_view name = HeroName(hero);
        expected += QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())) +
                    QString::asprintf("\t%d\t%d\t%d\n", hero.smart, hero.cute, hero.abnormal);
    }
    expected += QString::asprintf("英雄属性总值: %d/%d/%d\n", plan.smartTotal, plan.cuteTotal,
                                  plan.abnormalTotal);
    expected +=
        QString::asprintf("英雄每次伤害值: %d～%d\n", plan.heroDamageLow, plan.heroDamageHigh);
    expected +=
        QString::asprintf("病毒常规伤害值: %d～%d\n", plan.virusDamageLow, plan.virusDamageHigh);
    expected +=
        QString::asprintf("病毒暴击伤害值: %d～%d\n", plan.critDamageLow, plan.critDamageHigh);
    expected += u"可行性指数(基于100): "_s + IndexText(plan) + u'\n';

    const CommandResult result = RunPlan(Arguments(m_guild.path(), request));
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_EQ(result.out, expected);
    // Level 31 lies past level 27: a critical hit deals twice the normal damage.
    EXPECT_EQ(plan.critDamageLow, 2 * plan.virusDamageLow);
}

TEST_F(PlanCommandPlan, TextWithoutAFeasibleTeamIsTheNoPlanCaption)
{
    const PlanCase request{63, 0, 1, 0};
    PlanRecord plan;
    std::unique_ptr<PlanningTables> tables;
    ASSERT_FALSE(EngineSearch(request, plan, tables));
    const CommandResult result = RunPlan(Arguments(m_guild.path(), request));
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_EQ(result.out, u"没有可行的组队方案\n"_s);
}

TEST_F(PlanCommandPlan, DataFilesAreNeverWritten)
{
    const auto snapshot = [this] {
        QList<QPair<QByteArray, QDateTime>> files;
        for (const char* name : {kVirusFileName, kHeroFileName}) {
            QFile file(m_guild.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            files.append({file.readAll(), QFileInfo(file).lastModified()});
        }
        return files;
    };
    const auto before = snapshot();
    for (const PlanCase& request : kCases) {
        RunPlan(Arguments(m_guild.path(), request));
        RunPlan(Arguments(m_guild.path(), request) << u"--json"_s);
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(
        QDir(m_guild.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList{u"Heroes.dat"_s, u"Virus.dat"_s}));
}

TEST(PlanCommandEmptyFolder, DefaultsGiveNoPlanAndCreateNoFile)
{
    // The default roster has no stats at all, so nothing is feasible; the
    // planner must not leave default data files behind either.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const CommandResult result = RunPlan(Arguments(folder.path(), {0, 0, 1, 0}));
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_EQ(result.out, u"没有可行的组队方案\n"_s);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}
