#include "engine/Candidates.h"
#include "tests/support/CandidateTables.h"
#include "tests/support/TableBuilder.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

std::vector<int> CandidateOrder(const CandidateList& list)
{
    std::vector<int> order;
    for (int p = 0; p < list.count; ++p)
        order.push_back(CandidateHeroIndex(list.records[p]));
    return order;
}

// Records 0:A (可爱 5), 1:B (7), 2:C (5) checked, 3:D (1) unchecked.
TableBuilder FourHeroes(bool leaderChecked, int cuteOfB = 7)
{
    TableBuilder builder;
    builder.hero(0, 10, 5, 1).hero(1, 10, cuteOfB, 1).hero(2, 10, 5, 1);
    builder.hero(3, 10, 1, 1, leaderChecked);
    return builder;
}

TEST(PrepareCandidates, EqualCuteFollowsTheSwapOrderNotTheTableOrder)
{
    for (bool leaderChecked : {false, true}) {
        TableBuilder builder = FourHeroes(leaderChecked);
        // C comes before A: the first swap moved A to where D stood.
        EXPECT_EQ(CandidateOrder(CandidatesFor(builder.tables(), 3)),
                  (std::vector<int>{3, 1, 2, 0}))
            << "leader checked: " << leaderChecked;
    }
}

TEST(PrepareCandidates, TheChosenLeaderHeadsTheListWhateverItsRivalsCute)
{
    // A checked hero with 可爱 of 10000 or more no longer pushes the leader out.
    for (bool leaderChecked : {false, true}) {
        TableBuilder builder = FourHeroes(leaderChecked, 12000);
        EXPECT_EQ(CandidateOrder(CandidatesFor(builder.tables(), 3)),
                  (std::vector<int>{3, 1, 2, 0}));
    }
}

TEST(PrepareCandidates, ZeroCuteIsNeverPlacedButAZeroLeaderIs)
{
    TableBuilder builder;
    builder.hero(0, 0, 0, 0, false).hero(1, 50, 0, 50).hero(2, 1, 1, 1);
    const CandidateList list = CandidatesFor(builder.tables(), 0);
    EXPECT_EQ(CandidateOrder(list), (std::vector<int>{0, 2}));
    // The candidate records carry the stats of their heroes.
    EXPECT_EQ(list.records[1].smart, 1);
    EXPECT_EQ(list.records[0].checked, 0);
}

TEST(PrepareCandidates, AFullRosterFillsEveryPositionInDescendingCute)
{
    TableBuilder builder;
    for (int i = 0; i < kHeroCount; ++i)
        builder.hero(i, 100, 1 + (i * 37) % 500, 100);
    const CandidateList list = CandidatesFor(builder.tables(), 0);
    ASSERT_EQ(list.count, kHeroCount);
    EXPECT_EQ(CandidateHeroIndex(list.records[0]), 0);
    std::vector<bool> seen(kHeroCount, false);
    for (int p = 0; p < kHeroCount; ++p) {
        seen[CandidateHeroIndex(list.records[p])] = true;
        if (p >= 2) {
            EXPECT_GE(list.records[p - 1].cute, list.records[p].cute) << p;
        }
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), kHeroCount);
}

TEST(PrepareCandidates, RebuildsFromScratchEverySearch)
{
    TableBuilder builder = FourHeroes(true);
    PlanningTables& tables = builder.tables();
    CandidateList list;
    PrepareCandidates(tables.heroTable, 3, HeroSet{}, list);
    tables.heroTable[1].checked = 0;
    PrepareCandidates(tables.heroTable, 0, HeroSet{}, list);
    EXPECT_EQ(CandidateOrder(list), (std::vector<int>{0, 2, 3}));
    // The hero table itself is never reordered.
    EXPECT_EQ(tables.heroTable[0].cute, 5);
    EXPECT_EQ(tables.heroTable[3].cute, 1);
}

// The list as the selection sort with swaps builds it, scanning the records:
// what PrepareCandidates must reproduce without the N² scans.
int SelectionSortCandidates(const HeroTable& heroes, int leader, HeroTable& list)
{
    list = heroes;
    for (int p = 0; p < kHeroCount; ++p)
        list[p].name[0] = static_cast<char16_t>(p);
    std::swap(list[0], list[leader]);
    int count = 1;
    for (int p = 1; p < kHeroCount; ++p) {
        unsigned best = 0;
        int chosen = p;
        for (int j = p; j < kHeroCount; ++j) {
            if (list[j].checked != 0 && list[j].cute > best) {
                best = list[j].cute;
                chosen = j;
            }
        }
        if (best == 0)
            break;
        std::swap(list[p], list[chosen]);
        ++count;
    }
    return count;
}

// Every record of the list, not just its first `count`, on rosters
// with few distinct 可爱 values (long runs of ties, zeros), with wide ones,
// with every share of heroes checked and with checked and unchecked leaders.
TEST(PrepareCandidates, MatchesTheSelectionSortRecordForRecord)
{
    auto tables = std::make_unique<PlanningTables>();
    auto expected = std::make_unique<HeroTable>();
    auto list = std::make_unique<CandidateList>();
    for (int i = 0; i < 3000; ++i) {
        rosters::Rng rng(static_cast<std::uint64_t>(i));
        const int maxCute = i % 3 == 0 ? 65535 : i % 3 == 1 ? 200 : rosters::Uniform(rng, 0, 4);
        const int checkedPercent = rosters::Uniform(rng, 0, 100);
        for (HeroRecord& hero : tables->heroTable) {
            rosters::SetHero(hero, rosters::Uniform(rng, 1, 100) <= checkedPercent,
                             rosters::Uniform(rng, 0, 65535), rosters::Uniform(rng, 0, maxCute),
                             rosters::Uniform(rng, 0, 65535));
        }
        const int leader = rosters::Uniform(rng, 0, kHeroCount - 1);
        const int expectedCount = SelectionSortCandidates(tables->heroTable, leader, *expected);
        PrepareCandidates(tables->heroTable, leader, HeroSet{}, *list);
        ASSERT_EQ(list->count, expectedCount) << "roster " << i;
        ASSERT_EQ(std::memcmp(list->records.data(), expected->data(), sizeof *expected), 0)
            << "roster " << i << ", leader " << leader;
    }
}

} // namespace
