#include "engine/Strategies.h"

#include <gtest/gtest.h>

namespace {

// Generation order, with the position each strategy takes ordered by chance.
struct Expected
{
    int rounds, crits;
    std::uint32_t itemData;
    float chance;
    int positionByChance;
};

constexpr Expected kTable[kStrategyCount] = {
    {1, 0, 0x00000, 100.0f, 0},  {2, 0, 0x10000, 50.0f, 12},  {2, 1, 0x10001, 100.0f, 1},
    {3, 0, 0x20000, 25.0f, 16},  {3, 1, 0x20001, 75.0f, 10},  {3, 2, 0x20002, 100.0f, 2},
    {4, 0, 0x30000, 12.5f, 18},  {4, 1, 0x30001, 50.0f, 13},  {4, 2, 0x30002, 87.5f, 8},
    {4, 3, 0x30003, 100.0f, 3},  {5, 0, 0x40000, 6.25f, 19},  {5, 1, 0x40001, 31.25f, 15},
    {5, 2, 0x40002, 68.75f, 11}, {5, 3, 0x40003, 93.75f, 7},  {5, 4, 0x40004, 100.0f, 4},
    {6, 0, 0x50000, 3.125f, 20}, {6, 1, 0x50001, 18.75f, 17}, {6, 2, 0x50002, 50.0f, 14},
    {6, 3, 0x50003, 81.25f, 9},  {6, 4, 0x50004, 96.875f, 6}, {6, 5, 0x50005, 100.0f, 5},
};

void ExpectEntry(const Strategy& actual, const Expected& expected)
{
    EXPECT_EQ(actual.rounds, expected.rounds);
    EXPECT_EQ(actual.crits, expected.crits);
    EXPECT_EQ(actual.itemData(), expected.itemData);
    EXPECT_EQ(actual.winChance, expected.chance);
    int hits = -1;
    int crits = -1;
    SplitStrategyData(actual.itemData(), hits, crits);
    EXPECT_EQ(hits, expected.rounds - 1);
    EXPECT_EQ(crits, expected.crits);
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
