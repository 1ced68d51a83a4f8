// The planner's raid-planning answers (--top, --overview, --leaders,
// --exclude) against the engine on the same data files, field by field, and
// every way their command lines can be wrong.

#include "engine/DisjointTeams.h"
#include "engine/Strategies.h"
#include "engine/TeamSearch.h"
#include "engine/TopTeams.h"
#include "engine/ZoneOverview.h"
#include "tests/tools/ToolsTestSupport.h"
#include "texts/PlanTexts.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
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
    EXPECT_TRUE(result.out.endsWith(u'\n'));
    EXPECT_EQ(result.out.count(u'\n'), 1) << "one line of JSON";
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

const QStringList kPlanFields = {u"abnormalTotal"_s, u"critDamage"_s, u"cuteTotal"_s,
                                 u"heroDamage"_s,    u"heroes"_s,     u"index"_s,
                                 u"score"_s,         u"smartTotal"_s, u"virusDamage"_s};

QStringList SortedKeys(const QJsonObject& json)
{
    QStringList keys = json.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

QStringList WithFound(QStringList keys)
{
    keys << u"found"_s;
    std::sort(keys.begin(), keys.end());
    return keys;
}

QJsonArray Range(std::int32_t low, std::int32_t high)
{
    return {low, high};
}

// Every field of a plan as the planner prints it, checked one by one.
void ExpectPlanFields(const QJsonObject& json, const PlanRecord& plan)
{
    QJsonArray heroes;
    for (std::uint32_t hero : plan.heroes)
        heroes.append(static_cast<int>(hero));
    EXPECT_EQ(json[u"heroes"_s], heroes);
    EXPECT_EQ(json[u"smartTotal"_s], plan.smartTotal);
    EXPECT_EQ(json[u"cuteTotal"_s], plan.cuteTotal);
    EXPECT_EQ(json[u"abnormalTotal"_s], plan.abnormalTotal);
    EXPECT_EQ(json[u"heroDamage"_s], Range(plan.heroDamageLow, plan.heroDamageHigh));
    EXPECT_EQ(json[u"virusDamage"_s], Range(plan.virusDamageLow, plan.virusDamageHigh));
    EXPECT_EQ(json[u"critDamage"_s], Range(plan.critDamageLow, plan.critDamageHigh));
    EXPECT_EQ(static_cast<float>(json[u"score"_s].toDouble()), plan.score);
    EXPECT_EQ(json[u"index"_s], QString::asprintf("%.0f", static_cast<double>(plan.score) * 100.0));
}

QString HeroText(const HeroRecord& hero)
{
    const std::u16string_view name = HeroName(hero);
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())) +
           QString::asprintf("\t%d\t%d\t%d\n", hero.smart, hero.cute, hero.abnormal);
}

QString PlanText(const PlanningTables& tables, const PlanRecord& plan)
{
    QString text = u"组队方案\n名称\t聪明\t可爱\t不正常\n"_s;
    for (std::uint32_t index : plan.heroes)
        text += HeroText(tables.heroTable[index]);
    text += QString::asprintf("英雄属性总值: %d/%d/%d\n", plan.smartTotal, plan.cuteTotal,
                              plan.abnormalTotal);
    text += QString::asprintf("英雄每次伤害值: %d～%d\n", plan.heroDamageLow, plan.heroDamageHigh);
    text +=
        QString::asprintf("病毒常规伤害值: %d～%d\n", plan.virusDamageLow, plan.virusDamageHigh);
    text += QString::asprintf("病毒暴击伤害值: %d～%d\n", plan.critDamageLow, plan.critDamageHigh);
    text +=
        QString::asprintf("可行性指数(基于100): %.0f\n", static_cast<double>(plan.score) * 100.0);
    return text;
}

HeroSet SetOf(std::initializer_list<int> heroes)
{
    HeroSet set;
    for (int hero : heroes)
        set.insert(hero);
    return set;
}

QString ListText(std::initializer_list<int> heroes)
{
    QStringList items;
    for (int hero : heroes)
        items << QString::number(hero);
    return items.join(u',');
}

class PlanCommandRaid : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_guild.isValid());
        m_tables = m_guild.Load();
    }

    QStringList Query(int virus, int rounds, int crits) const
    {
        return {u"--dir"_s,    m_guild.path(),          u"--virus"_s, QString::number(virus),
                u"--rounds"_s, QString::number(rounds), u"--crits"_s, QString::number(crits)};
    }

    GuildFolder m_guild;
    std::unique_ptr<PlanningTables> m_tables;
};

struct TopCase
{
    int virus;
    int leader;
    int rounds;
    int crits;
    int top;
    std::initializer_list<int> excluded;
};

// Levels where many teams score and where few or none do, leaders of the
// sample guild's own, a weak member and an unchecked former member.
const TopCase kTopCases[] = {
    {42, 0, 4, 1, 10, {}},
    {42, 0, 4, 1, 50, {21, 28}},
    {20, 39, 3, 2, 5, {}},
    {10, 45, 2, 1, 1, {3}},
    {55, 0, 6, 3, 50, {}},
    {63, 0, 1, 0, 10, {}},
    {30, 0, 4, 1, 7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    {53, 0, 6, 1, 50, {}},
    {30, 39, 2, 1, 50, {}},
};

TEST_F(PlanCommandRaid, TopJsonIsTheEnginesListFieldByField)
{
    int lists = 0;
    int empty = 0;
    int shorter = 0;
    for (const TopCase& entry : kTopCases) {
        SCOPED_TRACE("virus " + std::to_string(entry.virus) + ", top " + std::to_string(entry.top));
        QStringList arguments = Query(entry.virus, entry.rounds, entry.crits);
        arguments << u"--leader"_s << QString::number(entry.leader) << u"--top"_s
                  << QString::number(entry.top) << u"--json"_s;
        if (entry.excluded.size() > 0)
            arguments << u"--exclude"_s << ListText(entry.excluded);
        const QJsonObject json = ParseLine(RunPlan(arguments));
        EXPECT_EQ(json.keys(), QStringList{u"plans"_s});
        const QJsonArray plans = json[u"plans"_s].toArray();

        PlanRecord expected[kMaxTopTeams];
        const int count = FindTopTeams(*m_tables,
                                       PlanRequest{entry.virus, entry.leader,
                                                   Strategy{entry.rounds - 1, entry.crits},
                                                   SetOf(entry.excluded)},
                                       entry.top, expected);
        ASSERT_EQ(plans.size(), count);
        for (int i = 0; i < count; ++i) {
            SCOPED_TRACE("plan " + std::to_string(i));
            const QJsonObject plan = plans[i].toObject();
            EXPECT_EQ(SortedKeys(plan), kPlanFields);
            ExpectPlanFields(plan, expected[i]);
            for (int hero : entry.excluded)
                EXPECT_FALSE(plan[u"heroes"_s].toArray().contains(hero)) << "hero " << hero;
        }
        (count == 0 ? empty : count < entry.top ? shorter : lists) += 1;
    }
    EXPECT_GE(lists, 3);
    EXPECT_GE(empty, 1);
    EXPECT_GE(shorter, 1);
}

// The first of the K best is the single plan, with the same exclusions.
TEST_F(PlanCommandRaid, TopFirstPlanIsTheSinglePlan)
{
    for (const TopCase& entry : kTopCases) {
        QStringList arguments = Query(entry.virus, entry.rounds, entry.crits);
        arguments << u"--leader"_s << QString::number(entry.leader) << u"--json"_s;
        if (entry.excluded.size() > 0)
            arguments << u"--exclude"_s << ListText(entry.excluded);
        QJsonObject single = ParseLine(RunPlan(arguments));
        const QJsonArray plans =
            ParseLine(RunPlan(QStringList(arguments) << u"--top"_s << u"3"_s))[u"plans"_s]
                .toArray();
        if (!single[u"found"_s].toBool()) {
            EXPECT_TRUE(plans.isEmpty());
            continue;
        }
        ASSERT_FALSE(plans.isEmpty());
        single.remove(u"found"_s);
        EXPECT_EQ(plans[0].toObject(), single);
    }
}

TEST_F(PlanCommandRaid, TopTextNumbersTodaysPlanTexts)
{
    QStringList arguments = Query(42, 4, 1);
    arguments << u"--leader"_s << u"0"_s << u"--top"_s << u"3"_s;
    const CommandResult result = RunPlan(arguments);
    ASSERT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_TRUE(result.err.isEmpty());
    PlanRecord plans[kMaxTopTeams];
    ASSERT_EQ(FindTopTeams(*m_tables, PlanRequest{42, 0, Strategy{3, 1}, {}}, 3, plans), 3);
    QString expected;
    for (int i = 0; i < 3; ++i)
        expected += (i > 0 ? u"\n"_s : QString()) + u"第%1名\n"_s.arg(i + 1) +
                    PlanText(*m_tables, plans[i]);
    EXPECT_EQ(result.out, expected);

    QStringList none = Query(63, 1, 0);
    none << u"--leader"_s << u"0"_s << u"--top"_s << u"3"_s;
    EXPECT_EQ(RunPlan(none).out, u"没有可行的组队方案\n"_s);
    EXPECT_EQ(ParseLine(RunPlan(QStringList(none) << u"--json"_s)),
              QJsonObject({{u"plans"_s, QJsonArray{}}}));
}

// The single plan with --exclude is the plan of a roster without those heroes.
TEST_F(PlanCommandRaid, ExcludedHeroesAreLeftOutOfTheSinglePlan)
{
    QStringList arguments = Query(42, 4, 1);
    arguments << u"--leader"_s << u"0"_s << u"--json"_s;
    const QJsonObject before = ParseLine(RunPlan(arguments));
    ASSERT_TRUE(before[u"found"_s].toBool());
    const QJsonArray team = before[u"heroes"_s].toArray();
    const int first = team[1].toInt();
    const int second = team[2].toInt();
    const QJsonObject after = ParseLine(
        RunPlan(QStringList(arguments) << u"--exclude"_s << u"%1, %2"_s.arg(first).arg(second)));

    auto unchecked = m_guild.Load();
    unchecked->heroTable[first].checked = 0;
    unchecked->heroTable[second].checked = 0;
    PlanRecord plan;
    plan.heroes[0] = 0;
    ASSERT_TRUE(FindBestTeam(*unchecked, PlanRequest{42, 0, Strategy{3, 1}, {}}, plan));
    EXPECT_EQ(SortedKeys(after), WithFound(kPlanFields));
    ExpectPlanFields(after, plan);
    EXPECT_NE(after[u"heroes"_s], team);
    // Repeated --exclude options add up.
    EXPECT_EQ(
        ParseLine(RunPlan(QStringList(arguments) << u"--exclude"_s << QString::number(first)
                                                 << u"--exclude"_s << QString::number(second))),
        after);
}

TEST_F(PlanCommandRaid, OverviewJsonHoldsEveryCellInOrder)
{
    const HeroSet excluded = SetOf({21});
    const QJsonObject json =
        ParseLine(RunPlan({u"--dir"_s, m_guild.path(), u"--overview"_s, u"--leader"_s, u"0"_s,
                           u"--exclude"_s, u"21"_s, u"--json"_s}));
    EXPECT_EQ(SortedKeys(json), (QStringList{u"cells"_s, u"leader"_s}));
    EXPECT_EQ(json[u"leader"_s], 0);
    const QJsonArray cells = json[u"cells"_s].toArray();
    ASSERT_EQ(cells.size(), kOverviewCells);

    auto expected = std::make_unique<ZoneOverview>();
    ASSERT_TRUE(PlanZoneOverview(*m_tables, PlanRequest{0, 0, {}, excluded}, *expected));
    const StrategyList strategies = BuildStrategyList(false);
    int found = 0;
    for (int c = 0; c < kOverviewCells; ++c) {
        SCOPED_TRACE("cell " + std::to_string(c));
        const QJsonObject cell = cells[c].toObject();
        const Strategy& strategy = strategies[static_cast<std::size_t>(c % kStrategyCount)];
        EXPECT_EQ(cell[u"virus"_s], c / kStrategyCount);
        EXPECT_EQ(cell[u"rounds"_s], strategy.rounds());
        EXPECT_EQ(cell[u"crits"_s], strategy.k);
        const OverviewCell& want = (*expected)[static_cast<std::size_t>(c)];
        EXPECT_EQ(cell[u"found"_s], want.found);
        QStringList keys{u"crits"_s, u"found"_s, u"rounds"_s, u"virus"_s};
        if (want.found) {
            keys += kPlanFields;
            ExpectPlanFields(cell, want.plan);
            ++found;
        }
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(SortedKeys(cell), keys);
    }
    EXPECT_GT(found, 100);
    EXPECT_LT(found, kOverviewCells);

    // A few cells against the single plan of the same question.
    for (const int c : {0, 17, 42 * kStrategyCount + 8, 63 * kStrategyCount + 20}) {
        const Strategy& strategy = strategies[static_cast<std::size_t>(c % kStrategyCount)];
        QStringList arguments = Query(c / kStrategyCount, strategy.rounds(), strategy.k);
        arguments << u"--leader"_s << u"0"_s << u"--exclude"_s << u"21"_s << u"--json"_s;
        QJsonObject single = ParseLine(RunPlan(arguments));
        QJsonObject cell = cells[c].toObject();
        for (const char* key : {"virus", "rounds", "crits"})
            cell.remove(QLatin1StringView(key));
        EXPECT_EQ(cell, single) << "cell " << c;
    }
}

// Splits one CSV line, with quoted fields.
QStringList CsvFields(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar unit = line[i];
        if (quoted) {
            if (unit == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (unit == u'"') {
                quoted = false;
            } else {
                field += unit;
            }
        } else if (unit == u'"') {
            quoted = true;
        } else if (unit == u',') {
            fields << field;
            field.clear();
        } else {
            field += unit;
        }
    }
    fields << field;
    return fields;
}

TEST_F(PlanCommandRaid, OverviewCsvHasARowPerLevelAndAColumnPerStrategy)
{
    const CommandResult result =
        RunPlan({u"--dir"_s, m_guild.path(), u"--overview"_s, u"--leader"_s, u"39"_s, u"--csv"_s});
    ASSERT_EQ(result.exitCode, kPlanExitOk);
    QStringList lines = result.out.split(u'\n');
    ASSERT_EQ(lines.takeLast(), QString()) << "ends with a line break";
    ASSERT_EQ(lines.size(), 1 + kVirusCount);

    const StrategyList strategies = BuildStrategyList(false);
    const QStringList header = CsvFields(lines[0]);
    ASSERT_EQ(header.size(), 1 + kStrategyCount);
    for (int s = 0; s < kStrategyCount; ++s)
        EXPECT_EQ(header[s + 1], PlanTexts::StrategyEntry(strategies[static_cast<std::size_t>(s)]));

    auto expected = std::make_unique<ZoneOverview>();
    ASSERT_TRUE(PlanZoneOverview(*m_tables, PlanRequest{0, 39, {}, {}}, *expected));
    int empty = 0;
    for (int virus = 0; virus < kVirusCount; ++virus) {
        const QStringList row = CsvFields(lines[virus + 1]);
        ASSERT_EQ(row.size(), 1 + kStrategyCount) << "level " << virus + 1;
        EXPECT_EQ(row[0], QString::asprintf("第%02d关", virus + 1));
        for (int s = 0; s < kStrategyCount; ++s) {
            const OverviewCell& cell =
                (*expected)[static_cast<std::size_t>(virus * kStrategyCount + s)];
            EXPECT_EQ(row[s + 1], cell.found ? PlanTexts::FeasibilityIndex(cell.plan) : QString())
                << "level " << virus + 1 << ", strategy " << s;
            empty += cell.found ? 0 : 1;
        }
    }
    EXPECT_GT(empty, 0);
    EXPECT_LT(empty, kOverviewCells);
}

TEST_F(PlanCommandRaid, OverviewTextIsATableOfIndices)
{
    const CommandResult result =
        RunPlan({u"--dir"_s, m_guild.path(), u"--overview"_s, u"--leader"_s, u"0"_s});
    ASSERT_EQ(result.exitCode, kPlanExitOk);
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + kVirusCount);
    EXPECT_TRUE(lines[0].contains(PlanTexts::HeroNameText(m_tables->heroTable[0])));
    auto expected = std::make_unique<ZoneOverview>();
    ASSERT_TRUE(PlanZoneOverview(*m_tables, PlanRequest{0, 0, {}, {}}, *expected));
    for (int virus = 0; virus < kVirusCount; ++virus) {
        const QStringList row = lines[virus + 2].split(u'\t');
        ASSERT_EQ(row.size(), 1 + kStrategyCount);
        for (int s = 0; s < kStrategyCount; ++s) {
            const OverviewCell& cell =
                (*expected)[static_cast<std::size_t>(virus * kStrategyCount + s)];
            EXPECT_EQ(row[s + 1], cell.found ? PlanTexts::FeasibilityIndex(cell.plan) : u"-"_s);
        }
    }
}

TEST_F(PlanCommandRaid, LeadersJsonIsTheEnginesDisjointTeams)
{
    struct LeadersCase
    {
        int virus;
        int rounds;
        int crits;
        std::initializer_list<int> leaders;
        std::initializer_list<int> excluded;
    };
    const LeadersCase cases[] = {
        {30, 3, 1, {0, 5, 9}, {}},
        {42, 4, 1, {0, 39, 45, 1, 2, 3, 4, 6}, {21}},
        {48, 6, 2, {45, 0}, {}},
        {63, 1, 0, {0}, {}},
    };
    int formed = 0;
    int failed = 0;
    for (const LeadersCase& entry : cases) {
        QStringList arguments = Query(entry.virus, entry.rounds, entry.crits);
        arguments << u"--leaders"_s << ListText(entry.leaders) << u"--json"_s;
        if (entry.excluded.size() > 0)
            arguments << u"--exclude"_s << ListText(entry.excluded);
        const QJsonObject json = ParseLine(RunPlan(arguments));
        EXPECT_EQ(json.keys(), QStringList{u"teams"_s});
        const QJsonArray teams = json[u"teams"_s].toArray();

        DisjointTeam expected[kMaxDisjointLeaders];
        const std::vector<int> leaders(entry.leaders);
        PlanDisjointTeams(*m_tables,
                          PlanRequest{entry.virus, 0, Strategy{entry.rounds - 1, entry.crits},
                                      SetOf(entry.excluded)},
                          leaders.data(), static_cast<int>(leaders.size()), expected);
        ASSERT_EQ(teams.size(), static_cast<qsizetype>(leaders.size()));
        for (std::size_t i = 0; i < leaders.size(); ++i) {
            const QJsonObject team = teams[static_cast<qsizetype>(i)].toObject();
            if (!expected[i].found) {
                EXPECT_EQ(team, QJsonObject({{u"found"_s, false}}));
                ++failed;
                continue;
            }
            EXPECT_EQ(SortedKeys(team), kPlanFields);
            ExpectPlanFields(team, expected[i].plan);
            EXPECT_EQ(team[u"heroes"_s][0], leaders[i]);
            ++formed;
        }
    }
    EXPECT_GE(formed, 6);
    EXPECT_GE(failed, 1);
}

TEST_F(PlanCommandRaid, LeadersTextNamesEachTeam)
{
    QStringList arguments = Query(30, 3, 1);
    arguments << u"--leaders"_s << u"0,5"_s;
    const CommandResult result = RunPlan(arguments);
    ASSERT_EQ(result.exitCode, kPlanExitOk);
    DisjointTeam teams[2];
    const int leaders[2] = {0, 5};
    PlanDisjointTeams(*m_tables, PlanRequest{30, 0, Strategy{2, 1}, {}}, leaders, 2, teams);
    ASSERT_TRUE(teams[0].found && teams[1].found);
    const auto name = [&](int hero) { return PlanTexts::HeroNameText(m_tables->heroTable[hero]); };
    EXPECT_EQ(result.out, u"第1队, 领队 0 "_s + name(0) + u'\n' +
                              PlanText(*m_tables, teams[0].plan) + u"\n第2队, 领队 5 "_s + name(5) +
                              u'\n' + PlanText(*m_tables, teams[1].plan));
}

TEST_F(PlanCommandRaid, DataFilesAreNeverWritten)
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
    RunPlan(Query(42, 4, 1) << u"--leader"_s << u"0"_s << u"--top"_s << u"5"_s << u"--exclude"_s
                            << u"3"_s);
    RunPlan({u"--dir"_s, m_guild.path(), u"--overview"_s, u"--leader"_s, u"0"_s, u"--csv"_s});
    RunPlan(Query(42, 4, 1) << u"--leaders"_s << u"0,1,2"_s << u"--exclude"_s << u"3"_s);
    EXPECT_EQ(snapshot(), before);
}

TEST(PlanCommandRaidHelp, HelpNamesTheRaidPlanningOptions)
{
    const CommandResult result = RunPlan({u"--help"_s});
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    for (const char* option : {"--top", "--exclude", "--overview", "--csv", "--leaders"})
        EXPECT_TRUE(result.out.contains(QLatin1StringView(option))) << option;
}

struct BadRaidCommand
{
    const char* name;
    QStringList arguments;
    QString message;
};

void PrintTo(const BadRaidCommand& command, std::ostream* out)
{
    *out << command.arguments.join(u' ').toStdString();
}

const QStringList kQuery = {u"--virus"_s, u"5"_s, u"--rounds"_s, u"3"_s, u"--crits"_s, u"1"_s};
const QStringList kLeader = {u"--leader"_s, u"0"_s};

const BadRaidCommand kBadRaidCommands[] = {
    {"TopZero", kQuery + kLeader + QStringList{u"--top"_s, u"0"_s},
     u"--top must be a whole number from 1 to 50, not '0'"_s},
    {"TopPastFifty", kQuery + kLeader + QStringList{u"--top"_s, u"51"_s},
     u"--top must be a whole number from 1 to 50, not '51'"_s},
    {"TopAsWord", kQuery + kLeader + QStringList{u"--top"_s, u"ten"_s},
     u"--top must be a whole number from 1 to 50, not 'ten'"_s},
    {"TopWithoutLeader", kQuery + QStringList{u"--top"_s, u"5"_s},
     u"--leader is required (a whole number from 0 to 127)"_s},
    {"TopWithOverview", kLeader + QStringList{u"--top"_s, u"5"_s, u"--overview"_s},
     u"--overview does not go with --top"_s},
    {"TopWithReference", kQuery + kLeader + QStringList{u"--top"_s, u"5"_s, u"--reference"_s},
     u"--reference does not go with --top"_s},
    {"OverviewWithVirus", QStringList{u"--overview"_s, u"--virus"_s, u"3"_s} + kLeader,
     u"--virus does not go with --overview"_s},
    {"OverviewWithoutLeader", QStringList{u"--overview"_s},
     u"--leader is required (a whole number from 0 to 127)"_s},
    {"OverviewWithLeaders", QStringList{u"--overview"_s, u"--leaders"_s, u"1,2"_s},
     u"--leaders does not go with --overview"_s},
    {"CsvWithoutOverview", kQuery + kLeader + QStringList{u"--csv"_s},
     u"--csv goes with --overview"_s},
    {"CsvWithJson", kLeader + QStringList{u"--overview"_s, u"--csv"_s, u"--json"_s},
     u"--json does not go with --csv"_s},
    {"LeadersWithLeader", kQuery + kLeader + QStringList{u"--leaders"_s, u"1,2"_s},
     u"--leader does not go with --leaders"_s},
    {"LeadersWithoutVirus", QStringList{u"--leaders"_s, u"1,2"_s},
     u"--virus is required (a whole number from 0 to 63)"_s},
    {"LeaderListedTwice", kQuery + QStringList{u"--leaders"_s, u"4,7,4"_s},
     u"--leaders lists hero 4 twice"_s},
    {"NineLeaders", kQuery + QStringList{u"--leaders"_s, u"1,2,3,4,5,6,7,8,9"_s},
     u"--leaders must list from 1 to 8 heroes, not '1,2,3,4,5,6,7,8,9'"_s},
    {"NoLeaders", kQuery + QStringList{u"--leaders"_s, u""_s},
     u"--leaders must list from 1 to 8 heroes, not ''"_s},
    {"LeaderPastLastHero", kQuery + QStringList{u"--leaders"_s, u"3,128"_s},
     u"--leaders must list hero indices from 0 to 127 separated by commas, not '3,128'"_s},
    {"ExcludeWithAnEmptyItem", kQuery + kLeader + QStringList{u"--exclude"_s, u"3,,4"_s},
     u"--exclude must list hero indices from 0 to 127 separated by commas, not '3,,4'"_s},
    {"ExcludeAsWord", kQuery + kLeader + QStringList{u"--exclude"_s, u"all"_s},
     u"--exclude must list hero indices from 0 to 127 separated by commas, not 'all'"_s},
    {"ExcludeTheLeader", kQuery + kLeader + QStringList{u"--exclude"_s, u"5,0"_s},
     u"--exclude holds the leader 0, who is always in their own team"_s},
    {"ExcludeTheLeaderOfAnOverview", kLeader + QStringList{u"--overview"_s, u"--exclude"_s, u"0"_s},
     u"--exclude holds the leader 0, who is always in their own team"_s},
    {"ExcludeOneOfTheLeaders",
     kQuery + QStringList{u"--leaders"_s, u"1,2"_s, u"--exclude"_s, u"2"_s},
     u"--exclude holds the leader 2, who is always in their own team"_s},
    {"TopWithStrategies", QStringList{u"--strategies"_s, u"--top"_s, u"3"_s},
     u"--top does not go with --strategies"_s},
};

class PlanCommandRaidError : public testing::TestWithParam<BadRaidCommand>
{
};

TEST_P(PlanCommandRaidError, ExitsWithCodeTwoAndOneLineNamingTheFault)
{
    GuildFolder guild;
    ASSERT_TRUE(guild.isValid());
    // The strategy list reads no data files, so it takes no folder either.
    QStringList folder{u"--dir"_s, guild.path()};
    if (GetParam().arguments.value(0) == u"--strategies"_s)
        folder.clear();
    const CommandResult result = RunPlan(folder + GetParam().arguments);
    EXPECT_EQ(result.exitCode, kPlanExitUsage);
    EXPECT_EQ(result.err, u"quorvel-plan: "_s + GetParam().message + u" (see --help)\n"_s);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
}

std::string RaidTestName(const testing::TestParamInfo<BadRaidCommand>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(BadRaidCommands, PlanCommandRaidError, testing::ValuesIn(kBadRaidCommands),
                         RaidTestName);

} // namespace
