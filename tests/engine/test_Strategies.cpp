#include "engine/Strategies.h"

#include <gtest/gtest.h>

namespace {

// Generation order, with the position each strategy takes ordered by chance.
struct Expected
{
    int rounds, crits;
    float chance;
    int positionByChance;
};

constexpr Expected kTable[kStrategyCount] = {
    {1, 0, 100.0f, 0},  {2, 0, 50.0f, 12}, {2, 1, 100.0f, 1}, {3, 0, 25.0f, 16},
    {3, 1, 75.0f, 10},  {3, 2, 100.0f, 2}, {4, 0, 12.5f, 18}, {4, 1, 50.0f, 13},
    {4, 2, 87.5f, 8},   {4, 3, 100.0f, 3}, {5, 0, 6.25f, 19}, {5, 1, 31.25f, 15},
    {5, 2, 68.75f, 11}, {5, 3, 93.75f, 7}, {5, 4, 100.0f, 4}, {6, 0, 3.125f, 20},
    {6, 1, 18.75f, 17}, {6, 2, 50.0f, 14}, {6, 3, 81.25f, 9}, {6, 4, 96.875f, 6},
    {6, 5, 100.0f, 5},
};

void ExpectEntry(const Strategy& actual, const Expected& expected)
{
    EXPECT_EQ(actual.rounds(), expected.rounds);
    EXPECT_EQ(actual.n, expected.rounds - 1);
    EXPECT_EQ(actual.k, expected.crits);
    EXPECT_EQ(actual.winChance, expected.chance);
}

TEST(Strategies, GenerationOrderMatchesTheTable)
{
    const StrategyList list = BuildStrategyList(false);
    for (int i = 0; i < kStrategyCount; ++i) {
        SCOPED_TRACE(i);
        ExpectEntry(list[i], kTable[i]);
    }
}

TEST(Strategies, ChanceOrderPutsEachStrategyAtItsPosition)
{
    const StrategyList list = BuildStrategyList(true);
    for (const Expected& expected : kTable) {
        SCOPED_TRACE(expected.positionByChance);
        ExpectEntry(list[expected.positionByChance], expected);
    }
}

} // namespace
