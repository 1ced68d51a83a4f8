// The zone overview and the disjoint teams against sequences of reference
// searches, on several threads and with cancellation.

#include "engine/DisjointTeams.h"
#include "engine/ZoneOverview.h"
#include "tests/engine/PlanningReference.h"
#include "tests/support/TableBuilder.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using rosters::Rng;
using rosters::StatKind;
using rosters::Uniform;

bool SamePlan(const PlanRecord& a, const PlanRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A small roster of a given kind against a zone whose levels range from easy
// to hopeless for it, so that the overview holds both outcomes.
std::unique_ptr<PlanningTables> SmallZone(std::uint64_t seed, StatKind kind, int checked,
                                          int maxStat = 9999)
{
    Rng rng(seed);
    auto tables = std::make_unique<PlanningTables>();
    rosters::FillRoster(tables->heroTable, rng, kind, checked, maxStat);
    for (int v = 0; v < kVirusCount; ++v) {
        const int scale = maxStat < 100 ? 1 : 100;
        rosters::SetVirus(tables->virusTable[v], Uniform(rng, 0, 60 * scale) * v / 63,
                          Uniform(rng, 0, 60 * scale), Uniform(rng, 0, 33 * scale));
    }
    return tables;
}

int FirstChecked(const PlanningTables& tables)
{
    for (int h = 0; h < kHeroCount; ++h) {
        if (tables.heroTable[h].checked != 0)
            return h;
    }
    return 0;
}

void ExpectOverviewMatches(const PlanningTables& tables, int leader, const HeroSet& excluded,
                           int threads)
{
    const std::vector<planningreference::Cell> expected =
        planningreference::Overview(tables, PlanRequest{0, leader, {}, excluded});
    auto cells = std::make_unique<ZoneOverview>();
    std::atomic<int> done{0};
    OverviewControl control;
    control.threads = threads;
    control.cellsDone = &done;
    const PlanningTables before = tables;
    ASSERT_TRUE(PlanZoneOverview(tables, PlanRequest{0, leader, {}, excluded}, *cells, control));
    EXPECT_EQ(std::memcmp(&before, &tables, sizeof before), 0) << "the tables were written";
    EXPECT_EQ(done.load(), kOverviewCells);
    int mismatches = 0;
    int found = 0;
    for (int c = 0; c < kOverviewCells; ++c) {
        const OverviewCell& cell = (*cells)[static_cast<std::size_t>(c)];
        const planningreference::Cell& want = expected[static_cast<std::size_t>(c)];
        const bool same =
            cell.found == want.found && (!want.found || SamePlan(cell.plan, want.plan));
        if (!same && ++mismatches <= 3)
            ADD_FAILURE() << "cell " << c << " (virus " << c / kStrategyCount << ", strategy "
                          << c % kStrategyCount << ") differs";
        found += want.found ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
    // Both outcomes, or the comparison says little.
    EXPECT_GT(found, 0);
    EXPECT_LT(found, kOverviewCells);
}

TEST(ZoneOverview, EveryCellIsTheReferencePlanOnOneAndTwoThreads)
{
    const auto realistic = SmallZone(11, StatKind::Realistic, 14);
    ExpectOverviewMatches(*realistic, FirstChecked(*realistic), {}, 1);
    ExpectOverviewMatches(*realistic, FirstChecked(*realistic), {}, 2);
    // Ties everywhere, an unchecked leader and two heroes left out.
    const auto tied = SmallZone(12, StatKind::Tied, 13, 30);
    HeroSet excluded;
    int leader = 0;
    while (tied->heroTable[leader].checked != 0)
        ++leader;
    for (int h = 0, left = 2; h < kHeroCount && left > 0; ++h) {
        if (tied->heroTable[h].checked != 0) {
            excluded.insert(h);
            --left;
        }
    }
    ExpectOverviewMatches(*tied, leader, excluded, 2);
    const auto anti = SmallZone(13, StatKind::AntiCorrelated, 15);
    ExpectOverviewMatches(*anti, FirstChecked(*anti), {}, 3);
}

TEST(ZoneOverview, RefusesAnExcludedLeader)
{
    const auto tables = SmallZone(14, StatKind::Realistic, 10);
    auto cells = std::make_unique<ZoneOverview>();
    HeroSet excluded;
    excluded.insert(7);
    EXPECT_THROW(PlanZoneOverview(*tables, PlanRequest{0, 7, {}, excluded}, *cells),
                 std::invalid_argument);
}

TEST(ZoneOverview, ACancelledOverviewStopsAndSaysSo)
{
    const auto tables = SmallZone(15, StatKind::Realistic, 14);
    auto cells = std::make_unique<ZoneOverview>();
    const std::atomic<bool> cancel{true};
    std::atomic<int> done{0};
    OverviewControl control;
    control.threads = 2;
    control.cancel = &cancel;
    control.cellsDone = &done;
    EXPECT_FALSE(
        PlanZoneOverview(*tables, PlanRequest{0, FirstChecked(*tables), {}, {}}, *cells, control));
    EXPECT_LT(done.load(), kOverviewCells);
}

// A reader on another thread may take each cell as soon as its flag is set:
// what it took then is the cell's final plan, and every cell gets its flag.
TEST(ZoneOverview, CellsAreFlaggedReadyAsTheyAreFilled)
{
    const auto tables = SmallZone(21, StatKind::Realistic, 20);
    const int leader = FirstChecked(*tables);
    auto cells = std::make_unique<ZoneOverview>();
    auto taken = std::make_unique<ZoneOverview>();
    auto ready = std::make_unique<std::atomic<bool>[]>(kOverviewCells);
    std::vector<bool> seen(kOverviewCells, false);
    OverviewControl control;
    control.threads = 2;
    control.cellsReady = ready.get();
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        EXPECT_TRUE(PlanZoneOverview(*tables, PlanRequest{0, leader, {}, {}}, *cells, control));
        finished = true;
    });
    int seenCount = 0;
    for (bool last = false; !last;) {
        last = finished.load();
        for (int c = 0; c < kOverviewCells; ++c) {
            if (!seen[static_cast<std::size_t>(c)] && ready[c].load(std::memory_order_acquire)) {
                seen[static_cast<std::size_t>(c)] = true;
                (*taken)[static_cast<std::size_t>(c)] = (*cells)[static_cast<std::size_t>(c)];
                ++seenCount;
            }
        }
    }
    worker.join();
    EXPECT_EQ(seenCount, kOverviewCells);
    for (int c = 0; c < kOverviewCells; ++c) {
        const OverviewCell& early = (*taken)[static_cast<std::size_t>(c)];
        const OverviewCell& filled = (*cells)[static_cast<std::size_t>(c)];
        ASSERT_EQ(early.found, filled.found) << "cell " << c;
        ASSERT_TRUE(SamePlan(early.plan, filled.plan)) << "cell " << c;
    }
}

// Two overviews at once on the same tables answer as one alone does.
TEST(ZoneOverview, ConcurrentOverviewsShareTheTables)
{
    const auto tables = SmallZone(16, StatKind::Realistic, 16);
    const int leader = FirstChecked(*tables);
    auto alone = std::make_unique<ZoneOverview>();
    ASSERT_TRUE(
        PlanZoneOverview(*tables, PlanRequest{0, leader, {}, {}}, *alone, {1, nullptr, nullptr}));
    auto first = std::make_unique<ZoneOverview>();
    auto second = std::make_unique<ZoneOverview>();
    std::thread other([&] { PlanZoneOverview(*tables, PlanRequest{0, leader, {}, {}}, *first); });
    PlanZoneOverview(*tables, PlanRequest{0, leader, {}, {}}, *second);
    other.join();
    for (int c = 0; c < kOverviewCells; ++c) {
        const auto i = static_cast<std::size_t>(c);
        EXPECT_EQ((*first)[i].found, (*alone)[i].found);
        EXPECT_EQ((*second)[i].found, (*alone)[i].found);
        if ((*alone)[i].found) {
            EXPECT_TRUE(SamePlan((*first)[i].plan, (*alone)[i].plan));
            EXPECT_TRUE(SamePlan((*second)[i].plan, (*alone)[i].plan));
        }
    }
}

// Disjoint teams: the sequence of reference searches, each leaving out the
// earlier teams' heroes and the other leaders.
void ExpectDisjointMatches(const PlanningTables& tables, const PlanRequest& request,
                           const std::vector<int>& leaders)
{
    DisjointTeam teams[kMaxDisjointLeaders];
    PlanDisjointTeams(tables, request, leaders.data(), static_cast<int>(leaders.size()), teams);
    HeroSet used = request.excluded;
    HeroSet seen;
    for (std::size_t i = 0; i < leaders.size(); ++i) {
        SCOPED_TRACE("team " + std::to_string(i));
        HeroSet left = used;
        for (std::size_t j = 0; j < leaders.size(); ++j) {
            if (j != i)
                left.insert(leaders[j]);
        }
        PlanRecord plan;
        const bool found = planningreference::ReferenceSearch(
            tables, PlanRequest{request.virus, leaders[i], request.strategy, left}, plan);
        ASSERT_EQ(teams[i].found, found);
        if (!found)
            continue;
        EXPECT_TRUE(SamePlan(teams[i].plan, plan));
        for (std::uint32_t hero : plan.heroes) {
            EXPECT_FALSE(seen.contains(static_cast<int>(hero))) << "hero " << hero << " twice";
            seen.insert(static_cast<int>(hero));
            used.insert(static_cast<int>(hero));
        }
    }
}

TEST(DisjointTeams, MatchTheSequenceOfSearchesWithExclusions)
{
    int formed = 0;
    int failed = 0;
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        Rng rng(900 + static_cast<std::uint64_t>(i));
        const auto tables = SmallZone(900 + static_cast<std::uint64_t>(i),
                                      i % 3 == 0 ? StatKind::Tied : StatKind::Realistic,
                                      Uniform(rng, 12, 40), i % 3 == 0 ? 30 : 9999);
        std::vector<int> leaders;
        HeroSet listed;
        for (int count = Uniform(rng, 1, kMaxDisjointLeaders); count > 0;) {
            const int hero = Uniform(rng, 0, kHeroCount - 1);
            if (!listed.contains(hero)) {
                listed.insert(hero);
                leaders.push_back(hero);
                --count;
            }
        }
        HeroSet excluded;
        const int extra = Uniform(rng, 0, kHeroCount - 1);
        if (!listed.contains(extra))
            excluded.insert(extra);
        const PlanRequest request{Uniform(rng, 0, 20), 0, rosters::StrategyOf(i * 5), excluded};
        ExpectDisjointMatches(*tables, request, leaders);
        DisjointTeam teams[kMaxDisjointLeaders];
        PlanDisjointTeams(*tables, request, leaders.data(), static_cast<int>(leaders.size()),
                          teams);
        for (std::size_t t = 0; t < leaders.size(); ++t)
            (teams[t].found ? formed : failed) += 1;
    }
    EXPECT_GT(formed, 20);
    EXPECT_GT(failed, 20);
}

TEST(DisjointTeams, ATeamNotFormedUsesNoHeroes)
{
    // Leader 0 cannot beat virus 0 with any team; leader 1 can, and gets the
    // heroes leader 0 would have taken.
    TableBuilder builder;
    builder.hero(0, 0, 1, 0, false);
    for (int i = 1; i < 12; ++i)
        builder.hero(i, 3000, 2000 + i, 400);
    builder.virus(0, 8100, 2500, 1000);
    const int leaders[2] = {0, 1};
    DisjointTeam teams[2];
    PlanDisjointTeams(builder.tables(), PlanRequest{0, 0, Strategy{1, 0}, {}}, leaders, 2, teams);
    EXPECT_FALSE(teams[0].found);
    ASSERT_TRUE(teams[1].found);
    const std::uint32_t team[6] = {1, 11, 10, 9, 8, 7};
    EXPECT_EQ(std::memcmp(teams[1].plan.heroes, team, sizeof team), 0);
}

// A clear flag changes nothing; a set one stops the planning before any
// team, and the call says the teams are no answer.
TEST(DisjointTeams, StopsWhenCancelled)
{
    TableBuilder builder;
    for (int i = 0; i < 14; ++i)
        builder.hero(i, 3000, 2000 + i, 400);
    builder.virus(0, 8100, 2500, 1000);
    const int leaders[2] = {0, 1};
    const PlanRequest request{0, 0, Strategy{1, 0}, {}};
    DisjointTeam plain[2];
    EXPECT_TRUE(PlanDisjointTeams(builder.tables(), request, leaders, 2, plain));
    ASSERT_TRUE(plain[0].found && plain[1].found);

    std::atomic<bool> cancel{false};
    DisjointTeam watched[2];
    EXPECT_TRUE(PlanDisjointTeams(builder.tables(), request, leaders, 2, watched, &cancel));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(watched[i].found, plain[i].found);
        EXPECT_EQ(std::memcmp(&watched[i].plan, &plain[i].plan, sizeof(PlanRecord)), 0);
    }

    cancel = true;
    DisjointTeam stopped[2];
    EXPECT_FALSE(PlanDisjointTeams(builder.tables(), request, leaders, 2, stopped, &cancel));
    EXPECT_FALSE(stopped[0].found || stopped[1].found);
}

TEST(DisjointTeams, RefusesRepeatedExcludedOrTooManyLeaders)
{
    TableBuilder builder;
    for (int i = 0; i < 20; ++i)
        builder.hero(i, 3000, 2000, 400);
    DisjointTeam teams[kMaxDisjointLeaders + 1];
    const int twice[2] = {3, 3};
    EXPECT_THROW(PlanDisjointTeams(builder.tables(), PlanRequest{0, 0, {}, {}}, twice, 2, teams),
                 std::invalid_argument);
    HeroSet excluded;
    excluded.insert(4);
    const int pair[2] = {3, 4};
    EXPECT_THROW(
        PlanDisjointTeams(builder.tables(), PlanRequest{0, 0, {}, excluded}, pair, 2, teams),
        std::invalid_argument);
    const int nine[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_THROW(PlanDisjointTeams(builder.tables(), PlanRequest{0, 0, {}, {}}, nine, 9, teams),
                 std::invalid_argument);
    EXPECT_THROW(PlanDisjointTeams(builder.tables(), PlanRequest{0, 0, {}, {}}, nine, 0, teams),
                 std::invalid_argument);
}

} // namespace
