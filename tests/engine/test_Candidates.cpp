#include "Candidates.h"
#include "TableBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<int> CandidateOrder(const PlanningTables& tables)
{
    std::vector<int> order;
    for (int p = 0; p < tables.candidateCount; ++p)
        order.push_back(CandidateHeroIndex(tables.candidates[p]));
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
        PrepareCandidates(builder.tables(), 3);
        // C comes before A: the first swap moved A to where D stood.
        EXPECT_EQ(CandidateOrder(builder.tables()), (std::vector<int>{3, 1, 2, 0}))
            << "leader checked: " << leaderChecked;
    }
}

TEST(PrepareCandidates, TheChosenLeaderHeadsTheListWhateverItsRivalsCute)
{
    // A checked hero with 可爱 of 10000 or more no longer pushes the leader out.
    for (bool leaderChecked : {false, true}) {
        TableBuilder builder = FourHeroes(leaderChecked, 12000);
        PrepareCandidates(builder.tables(), 3);
        EXPECT_EQ(CandidateOrder(builder.tables()), (std::vector<int>{3, 1, 2, 0}));
    }
}

TEST(PrepareCandidates, ZeroCuteIsNeverPlacedButAZeroLeaderIs)
{
    TableBuilder builder;
    builder.hero(0, 0, 0, 0, false).hero(1, 50, 0, 50).hero(2, 1, 1, 1);
    PrepareCandidates(builder.tables(), 0);
    EXPECT_EQ(CandidateOrder(builder.tables()), (std::vector<int>{0, 2}));
    // The candidate records carry the stats of their heroes.
    EXPECT_EQ(builder.tables().candidates[1].smart, 1);
    EXPECT_EQ(builder.tables().candidates[0].checked, 0);
}

TEST(PrepareCandidates, AFullRosterFillsEveryPositionInDescendingCute)
{
    TableBuilder builder;
    for (int i = 0; i < kHeroCount; ++i)
        builder.hero(i, 100, 1 + (i * 37) % 500, 100);
    PlanningTables& tables = builder.tables();
    PrepareCandidates(tables, 0);
    ASSERT_EQ(tables.candidateCount, kHeroCount);
    EXPECT_EQ(CandidateHeroIndex(tables.candidates[0]), 0);
    std::vector<bool> seen(kHeroCount, false);
    for (int p = 0; p < kHeroCount; ++p) {
        seen[CandidateHeroIndex(tables.candidates[p])] = true;
        if (p >= 2) {
            EXPECT_GE(tables.candidates[p - 1].cute, tables.candidates[p].cute) << p;
        }
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), kHeroCount);
}

TEST(PrepareCandidates, RebuildsFromScratchEverySearch)
{
    TableBuilder builder = FourHeroes(true);
    PlanningTables& tables = builder.tables();
    PrepareCandidates(tables, 3);
    tables.heroTable[1].checked = 0;
    PrepareCandidates(tables, 0);
    EXPECT_EQ(CandidateOrder(tables), (std::vector<int>{0, 2, 3}));
    // The hero table itself is never reordered.
    EXPECT_EQ(tables.heroTable[0].cute, 5);
    EXPECT_EQ(tables.heroTable[3].cute, 1);
}

} // namespace
