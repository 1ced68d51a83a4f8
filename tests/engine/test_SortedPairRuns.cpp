#include "engine/internal/ExhaustiveScan.h"
#include "engine/internal/SortedPairRuns.h"
#include "tests/support/CandidateTables.h"
#include "tools/rosters/CeilingRosters.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using rosters::Rng;

struct Built
{
    SearchRoster roster;
    PairTable pairs;
    SortedPairRuns runs;
};

std::unique_ptr<Built> BuildFor(const PlanningTables& tables, int leader)
{
    auto built = std::make_unique<Built>();
    BuildSearchRoster(CandidatesFor(tables, leader), tables.virusTable[0], 0, 1, 0, built->roster);
    BuildPairTable(built->roster, built->pairs);
    BuildSortedPairRuns(built->roster, built->pairs, built->runs);
    return built;
}

// Each run holds exactly the pairs whose first member is `from` or later,
// by 可爱 sum and then in the table's order, and each block's bounds are its
// entries' extremes; for lists of every length, wide stats and many ties.
TEST(SortedPairRuns, EachRunHoldsItsPairsByCuteWithItsBlocksBounds)
{
    Rng rng(41);
    for (int round = 0; round < 24; ++round) {
        PlanningTables tables;
        const int checked = round < 6 ? round + 1 : rosters::Uniform(rng, 6, kHeroCount);
        switch (round % 3) {
        case 0:
            rosters::FillRoster(tables.heroTable, rng, rosters::StatKind::Tied, checked, 40);
            break;
        case 1:
            rosters::FillRoster(tables.heroTable, rng, rosters::StatKind::Uniform, checked, 65535);
            break;
        default:
            rosters::FillCeilingRoster(tables.heroTable, rng, rosters::CeilingKind::Plane, checked);
            break;
        }
        const auto built = BuildFor(tables, 0);
        const PairTable& pairs = built->pairs;
        const SortedPairRuns& runs = built->runs;
        const int count = built->roster.count;
        for (int from = 1; from < count; ++from) {
            const std::string where =
                "round " + std::to_string(round) + ", from " + std::to_string(from);
            std::vector<int> expected;
            for (int at = 0; at < pairs.count; ++at)
                if (pairs.first[at] >= from)
                    expected.push_back(at);
            std::stable_sort(expected.begin(), expected.end(),
                             [&](int a, int b) { return pairs.cute[a] < pairs.cute[b]; });
            ASSERT_EQ(runs.length[from], static_cast<int>(expected.size())) << where;
            ASSERT_EQ(runs.start[from] % kScanBlock, 0) << where;
            for (int i = 0; i < runs.length[from]; ++i) {
                const int entry = runs.start[from] + i;
                const int at = expected[static_cast<std::size_t>(i)];
                ASSERT_EQ(runs.pair[entry], at) << where << ", entry " << i;
                ASSERT_EQ(runs.smart[entry], pairs.smart[at]) << where;
                ASSERT_EQ(runs.cute[entry], pairs.cute[at]) << where;
                ASSERT_EQ(runs.abnormal[entry], pairs.abnormal[at]) << where;
            }
            for (int i = 0; i < runs.length[from]; i += kScanBlock) {
                const int block = runs.firstBlock[from] + i / kScanBlock;
                const int first = runs.start[from] + i;
                const int end = runs.start[from] + std::min(i + kScanBlock, runs.length[from]);
                EXPECT_EQ(runs.blockSmart[block],
                          *std::max_element(runs.smart + first, runs.smart + end))
                    << where;
                EXPECT_EQ(runs.blockCute[block], runs.cute[end - 1]) << where;
                EXPECT_EQ(runs.blockCuteLow[block], runs.cute[first]) << where;
                EXPECT_EQ(runs.blockAbnormal[block],
                          *std::max_element(runs.abnormal + first, runs.abnormal + end))
                    << where;
            }
        }
    }
}

// The runs serve every query of the list they were built for, and no other.
TEST(SortedPairRuns, HoldOnlyTheListTheyWereBuiltFor)
{
    Rng rng(5);
    PlanningTables tables;
    rosters::FillRoster(tables.heroTable, rng, rosters::StatKind::Realistic, 40);
    const auto built = BuildFor(tables, 3);
    EXPECT_TRUE(built->runs.holds(built->roster));

    SearchRoster other = built->roster;
    BuildSearchRoster(CandidatesFor(tables, 3), tables.virusTable[40], 40, 4, 2, other);
    EXPECT_TRUE(built->runs.holds(other)) << "another query of the same list";
    other.abnormal[other.count - 1] += 1;
    EXPECT_FALSE(built->runs.holds(other)) << "a stat changed";
    other = built->roster;
    other.count -= 1;
    EXPECT_FALSE(built->runs.holds(other)) << "a shorter list";
    BuildSearchRoster(CandidatesFor(tables, 4), tables.virusTable[0], 0, 1, 0, other);
    EXPECT_FALSE(built->runs.holds(other)) << "another leader";
}

} // namespace
