// The strategy list: 21 lines in generation order, or ordered by win chance.

#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

using namespace toolstest;
using namespace Qt::StringLiterals;

namespace {

// The 21 battle strategies the planner offers: in generation order, with the
// win chance and the position each takes when ordered by win chance.
struct ListedStrategy
{
    int rounds;
    int crits;
    double winChance;
    int positionByChance;
};

constexpr ListedStrategy kListed[21] = {
    {1, 0, 100, 0},    {2, 0, 50, 12},    {2, 1, 100, 1},    {3, 0, 25, 16},   {3, 1, 75, 10},
    {3, 2, 100, 2},    {4, 0, 12.5, 18},  {4, 1, 50, 13},    {4, 2, 87.5, 8},  {4, 3, 100, 3},
    {5, 0, 6.25, 19},  {5, 1, 31.25, 15}, {5, 2, 68.75, 11}, {5, 3, 93.75, 7}, {5, 4, 100, 4},
    {6, 0, 3.125, 20}, {6, 1, 18.75, 17}, {6, 2, 50, 14},    {6, 3, 81.25, 9}, {6, 4, 96.875, 6},
    {6, 5, 100, 5},
};

QString Line(const ListedStrategy& strategy)
{
    return QString::asprintf("%d轮击败病毒, 最多承受 %d次暴击, 获胜机率:%5.1f%%", strategy.rounds,
                             strategy.crits, strategy.winChance);
}

QStringList OutputLines(const CommandResult& result)
{
    EXPECT_EQ(result.exitCode, kPlanExitOk);
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    EXPECT_TRUE(result.out.endsWith(u'\n'));
    return result.out.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

TEST(PlanCommandStrategies, GenerationOrderListsAll21InTheirOrder)
{
    const QStringList lines = OutputLines(RunPlan({u"--strategies"_s}));
    ASSERT_EQ(lines.size(), 21);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(lines[i], Line(kListed[i])) << "position " << i;
}

TEST(PlanCommandStrategies, ByChanceOrderPutsEachAtItsPlace)
{
    const QStringList lines = OutputLines(RunPlan({u"--strategies"_s, u"--by-chance"_s}));
    ASSERT_EQ(lines.size(), 21);
    for (const ListedStrategy& strategy : kListed)
        EXPECT_EQ(lines[strategy.positionByChance], Line(strategy))
            << strategy.rounds << " rounds, " << strategy.crits << " crits";
}

TEST(PlanCommandStrategies, OptionOrderDoesNotMatter)
{
    EXPECT_EQ(RunPlan({u"--by-chance"_s, u"--strategies"_s}).out,
              RunPlan({u"--strategies"_s, u"--by-chance"_s}).out);
}

TEST(PlanCommandStrategies, ChancesArePaddedToFiveCharactersWithOneDecimal)
{
    const QStringList lines = OutputLines(RunPlan({u"--strategies"_s}));
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines[0], u"1轮击败病毒, 最多承受 0次暴击, 获胜机率:100.0%"_s);
    EXPECT_EQ(lines[1], u"2轮击败病毒, 最多承受 0次暴击, 获胜机率: 50.0%"_s);
    EXPECT_EQ(lines[15], u"6轮击败病毒, 最多承受 0次暴击, 获胜机率:  3.1%"_s);
    EXPECT_EQ(lines[19], u"6轮击败病毒, 最多承受 4次暴击, 获胜机率: 96.9%"_s);
}
