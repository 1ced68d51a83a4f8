#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/TeamSearch.h"
#include "tests/support/CandidateTables.h"
#include "tests/support/TableBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>

namespace {

using SearchFunction = bool (*)(const PlanningTables&, const PlanRequest&, PlanRecord*,
                                SearchStats*);

PlanRecord RequestFor(int leader)
{
    PlanRecord plan;
    plan.heroes[0] = static_cast<std::uint32_t>(leader);
    return plan;
}

bool SamePlan(const PlanRecord& a, const PlanRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Both the reference and the search the window uses must pass every case.
class TeamSearch : public ::testing::TestWithParam<SearchFunction>
{
protected:
    bool search(const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan)
    {
        return GetParam()(tables, request, &plan, nullptr);
    }
};

TEST_P(TeamSearch, WorkedTeamFillsEveryField)
{
    TableBuilder builder;
    builder.hero(0, 1200, 900, 300).hero(1, 1100, 850, 250).hero(2, 1000, 800, 200);
    builder.hero(3, 950, 700, 150).hero(4, 900, 650, 100).hero(5, 800, 600, 100);
    builder.virus(30, 4966, 6371, 1000);
    PlanRecord plan = RequestFor(0);
    ASSERT_TRUE(search(builder.tables(), PlanRequest{30, 0, Strategy{2, 1}, {}}, plan));
    const std::uint32_t heroes[6] = {0, 1, 2, 3, 4, 5};
    EXPECT_EQ(std::memcmp(plan.heroes, heroes, sizeof heroes), 0);
    EXPECT_EQ(plan.smartTotal, 5950);
    EXPECT_EQ(plan.cuteTotal, 4500);
    EXPECT_EQ(plan.abnormalTotal, 1100);
    EXPECT_EQ(plan.heroDamageLow, 3308);
    EXPECT_EQ(plan.heroDamageHigh, 3313);
    EXPECT_EQ(plan.virusDamageLow, 4163);
    EXPECT_EQ(plan.virusDamageHigh, 4168);
    EXPECT_EQ(plan.critDamageLow, 8326);
    EXPECT_EQ(plan.critDamageHigh, 8331);
    EXPECT_EQ(plan.score, static_cast<float>(7.0 * 5 / 16 / 11));
}

TEST_P(TeamSearch, FewerThanFiveOthersFindsNothingAndLeavesThePlan)
{
    TableBuilder builder;
    for (int i = 0; i < 5; ++i)
        builder.hero(i, 3000, 3000, 3000);
    builder.virus(0, 10, 10, 0);
    PlanRecord plan = RequestFor(0);
    plan.smartTotal = 1234;
    const PlanRecord before = plan;
    EXPECT_FALSE(search(builder.tables(), PlanRequest{0, 0, Strategy{0, 0}, {}}, plan));
    EXPECT_TRUE(SamePlan(plan, before));
}

TEST_P(TeamSearch, TeamsBelowTheThresholdAreNeverScored)
{
    // Threshold 245 at n = 2. 可爱 total 243 would score 1/16, yet is never scored.
    TableBuilder builder;
    const int cute[6] = {41, 41, 41, 40, 40, 40};
    for (int i = 0; i < 6; ++i)
        builder.hero(i, 100, cute[i], 0);
    builder.virus(40, 70, 75, 2789);
    PlanningTables& tables = builder.tables();
    const int positions[6] = {0, 1, 2, 3, 4, 5};
    ASSERT_DOUBLE_EQ(
        ScoreTeam(tables.virusTable, CandidatesFor(tables, 0), 40, positions, Strategy{2, 1}),
        1.0 / 16);

    PlanRecord plan = RequestFor(0);
    EXPECT_FALSE(search(tables, PlanRequest{40, 0, Strategy{2, 1}, {}}, plan));

    tables.heroTable[5].cute = 42; // total 245 reaches the threshold
    ASSERT_TRUE(search(tables, PlanRequest{40, 0, Strategy{2, 1}, {}}, plan));
    EXPECT_EQ(plan.cuteTotal, 245);
    EXPECT_EQ(plan.score, 1.0f / 16);
}

TEST_P(TeamSearch, EqualScoresKeepTheFirstTeamFound)
{
    TableBuilder builder;
    for (int i = 0; i < 20; ++i)
        builder.hero(i, 2000, 2000, 500);
    builder.virus(3, 500, 500, 500);
    PlanRecord plan = RequestFor(7);
    ASSERT_TRUE(search(builder.tables(), PlanRequest{3, 7, Strategy{1, 0}, {}}, plan));
    // The leader moved 0 to its place, so positions 1..5 are heroes 1..5.
    const std::uint32_t heroes[6] = {7, 1, 2, 3, 4, 5};
    EXPECT_EQ(std::memcmp(plan.heroes, heroes, sizeof heroes), 0);
}

TEST_P(TeamSearch, TheLeaderHeadsEveryPlanAndIsNeverPlacedTwice)
{
    TableBuilder builder;
    for (int i = 0; i < 12; ++i)
        builder.hero(i, 500 + 90 * i, 2500 - 100 * i, 200 + 30 * i);
    builder.hero(11, 50, 50, 50, false); // a weak, unchecked leader
    builder.virus(30, 1500, 900, 300);
    for (int leader : {11, 0, 5}) {
        PlanRecord plan = RequestFor(leader);
        ASSERT_TRUE(search(builder.tables(), PlanRequest{30, leader, Strategy{3, 1}, {}}, plan))
            << leader;
        EXPECT_EQ(plan.heroes[0], static_cast<std::uint32_t>(leader));
        const std::set<std::uint32_t> distinct(std::begin(plan.heroes), std::end(plan.heroes));
        EXPECT_EQ(distinct.size(), 6u) << leader;
    }
}

TEST_P(TeamSearch, LowLevelsIgnoreTheCrits)
{
    TableBuilder builder;
    for (int i = 0; i < 14; ++i)
        builder.hero(i, 700 + 53 * (i % 5), 900 + 71 * (i % 7), 150 + 37 * (i % 4));
    builder.virus(25, 2500, 1400, 600).virus(26, 2500, 1400, 600);
    for (int n = 1; n <= 5; ++n) {
        PlanRecord withoutCrits = RequestFor(0);
        const bool found =
            search(builder.tables(), PlanRequest{25, 0, Strategy{n, 0}, {}}, withoutCrits);
        for (int k = 1; k <= n; ++k) {
            PlanRecord withCrits = RequestFor(0);
            EXPECT_EQ(search(builder.tables(), PlanRequest{25, 0, Strategy{n, k}, {}}, withCrits),
                      found);
            if (found) {
                EXPECT_TRUE(SamePlan(withCrits, withoutCrits)) << n << ' ' << k;
            }
        }
    }
}

// An independent enumeration: every combination of five candidate positions,
// kept when its 可爱 total reaches the threshold, the first strict best winning.
bool ExhaustiveBest(const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan)
{
    const int virus = request.virus;
    Strategy strategy = request.strategy;
    if (virus < kFirstCritVirus)
        strategy.k = 0;
    const CandidateList list = CandidatesFor(tables, request.leader);
    const int count = list.count;
    const std::int64_t threshold = SearchThreshold(tables.virusTable[virus], strategy.n);
    double best = 0.0;
    int bestTeam[6] = {};
    int team[6] = {0, 1, 2, 3, 4, 5};
    if (count < 6)
        return false;
    while (true) {
        std::int64_t cute = 0;
        for (int position : team)
            cute += list.records[position].cute;
        if (cute >= threshold) {
            const double score = ScoreTeam(tables.virusTable, list, virus, team, strategy);
            if (best < score) {
                best = score;
                std::copy(std::begin(team), std::end(team), bestTeam);
            }
        }
        int i = 5;
        while (i >= 1 && team[i] == count - 6 + i)
            --i;
        if (i == 0)
            break;
        ++team[i];
        for (int j = i + 1; j < 6; ++j)
            team[j] = team[j - 1] + 1;
    }
    if (best == 0.0)
        return false;
    FillPlan(bestTeam, plan, list, tables, virus, static_cast<float>(best));
    return true;
}

TEST_P(TeamSearch, AgreesWithAnExhaustiveEnumerationOnRandomRosters)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        TableBuilder builder;
        const int heroes = 6 + static_cast<int>(random() % 12);
        const int spread = round % 3 == 0 ? 8 : 1500; // small spreads make many ties
        for (int i = 0; i < heroes; ++i) {
            builder.hero(i, 400 + static_cast<int>(random() % spread),
                         300 + static_cast<int>(random() % spread),
                         static_cast<int>(random() % spread), random() % 5 != 0);
        }
        const int virus = static_cast<int>(random() % kVirusCount);
        builder.virus(virus, 200 + static_cast<int>(random() % 5000),
                      200 + static_cast<int>(random() % 4000), static_cast<int>(random() % 3500));
        const int leader = static_cast<int>(random() % heroes);
        for (int n = 0; n <= 5; ++n) {
            const int k = static_cast<int>(random() % (n + 1));
            PlanRecord expected = RequestFor(leader);
            PlanRecord actual = RequestFor(leader);
            const PlanRequest request{virus, leader, Strategy{n, k}, {}};
            const bool expectedFound = ExhaustiveBest(builder.tables(), request, expected);
            ASSERT_EQ(
                search(builder.tables(), PlanRequest{virus, leader, Strategy{n, k}, {}}, actual),
                expectedFound)
                << "round " << round << " n " << n;
            EXPECT_TRUE(SamePlan(actual, expected)) << "round " << round << " n " << n;
        }
    }
}

std::string SearchName(const ::testing::TestParamInfo<SearchFunction>& param)
{
    return param.index == 0 ? "Reference" : "Fast";
}

constexpr SearchFunction kReferenceSearch = [](const PlanningTables& t, const PlanRequest& r,
                                               PlanRecord* p, SearchStats* s) {
    return FindBestTeamReference(t, r, *p, s);
};
constexpr SearchFunction kFastSearch = [](const PlanningTables& t, const PlanRequest& r,
                                          PlanRecord* p,
                                          SearchStats* s) { return FindBestTeam(t, r, *p, s); };

INSTANTIATE_TEST_SUITE_P(Engine, TeamSearch, ::testing::Values(kReferenceSearch, kFastSearch),
                         SearchName);

} // namespace
