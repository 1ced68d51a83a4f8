#include "engine/Candidates.h"
#include "engine/HeroSet.h"
#include "engine/TeamSearch.h"
#include "tests/support/CandidateTables.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

using rosters::Rng;
using rosters::StatKind;
using rosters::Uniform;

TEST(HeroSet, HoldsEveryIndexOfBothWordsAndRefusesOthers)
{
    HeroSet set;
    EXPECT_TRUE(set.empty());
    for (int hero : {0, 63, 64, 127})
        set.insert(hero);
    set.insert(64); // twice counts once
    EXPECT_EQ(set.size(), 4);
    EXPECT_TRUE(set.contains(63) && set.contains(64) && set.contains(127));
    EXPECT_FALSE(set.contains(1) || set.contains(-1) || set.contains(128));
    set.erase(63);
    EXPECT_FALSE(set.contains(63));
    EXPECT_TRUE(set.contains(0));
    EXPECT_EQ(set.size(), 3);

    HeroSet same;
    for (int hero : {127, 64, 0})
        same.insert(hero);
    EXPECT_EQ(set, same);
    same.erase(0);
    EXPECT_FALSE(set == same);

    EXPECT_THROW(set.insert(128), std::out_of_range);
    EXPECT_THROW(set.insert(-1), std::out_of_range);
    EXPECT_THROW(set.erase(200), std::out_of_range);
    EXPECT_EQ(set.size(), 3);
}

// Excluding heroes must give, record for record, the list of the same roster
// with those heroes unchecked: the order of ties depends on where unplaced
// heroes stand, so a list that merely drops them would differ.
TEST(PrepareCandidates, AnExcludedHeroIsListedExactlyAsAnUncheckedOne)
{
    auto tables = std::make_unique<PlanningTables>();
    auto unchecked = std::make_unique<PlanningTables>();
    for (int i = 0; i < 400; ++i) {
        Rng rng(static_cast<std::uint64_t>(9000 + i));
        rosters::FillRoster(tables->heroTable, rng, StatKind::Tied, Uniform(rng, 6, kHeroCount),
                            Uniform(rng, 3, 60));
        const int leader = Uniform(rng, 0, kHeroCount - 1);
        HeroSet excluded;
        *unchecked = *tables;
        for (int j = Uniform(rng, 0, 40); j > 0; --j) {
            const int hero = Uniform(rng, 0, kHeroCount - 1);
            if (hero == leader)
                continue;
            excluded.insert(hero);
            unchecked->heroTable[hero].checked = 0;
        }
        CandidateList list;
        PrepareCandidates(tables->heroTable, leader, excluded, list);
        const CandidateList uncheckedList = CandidatesFor(*unchecked, leader);
        ASSERT_EQ(list.count, uncheckedList.count) << "roster " << i;
        // The whole permutation, placed or not (the records differ only in
        // the flags of the excluded heroes).
        for (int p = 0; p < kHeroCount; ++p) {
            ASSERT_EQ(CandidateHeroIndex(list.records[p]),
                      CandidateHeroIndex(uncheckedList.records[p]))
                << "roster " << i << ", position " << p;
        }
    }
}

using Search = bool (*)(const PlanningTables&, const PlanRequest&, PlanRecord&, SearchStats*);

class ExcludedSearch : public ::testing::TestWithParam<Search>
{
};

// Both searches: the answer with an excluded set is the answer on the roster
// with those heroes unchecked, and the tables are only read.
TEST_P(ExcludedSearch, GivesTheAnswerOfTheRosterWithThoseHeroesUnchecked)
{
    const Search search = GetParam();
    auto tables = std::make_unique<PlanningTables>();
    auto unchecked = std::make_unique<PlanningTables>();
    auto before = std::make_unique<PlanningTables>();
    int found = 0;
    for (int i = 0; i < 150; ++i) {
        Rng rng(static_cast<std::uint64_t>(500 + i));
        rosters::FillRoster(tables->heroTable, rng,
                            i % 2 == 0 ? StatKind::Realistic : StatKind::Tied, 26, 900);
        rosters::FillRealisticViruses(tables->virusTable);
        const int virus = Uniform(rng, 0, 30);
        const Strategy strategy = rosters::StrategyOf(i);
        const int leader = Uniform(rng, 0, kHeroCount - 1);
        HeroSet excluded;
        *unchecked = *tables;
        for (int hero = 0; hero < kHeroCount; ++hero) {
            if (hero != leader && tables->heroTable[hero].checked != 0 && Uniform(rng, 0, 3) == 0) {
                excluded.insert(hero);
                unchecked->heroTable[hero].checked = 0;
            }
        }
        *before = *tables;
        PlanRecord withSet;
        PlanRecord plain;
        SearchStats stats;
        SearchStats plainStats;
        const bool foundWithSet =
            search(*tables, PlanRequest{virus, leader, strategy, excluded}, withSet, &stats);
        const bool foundPlain =
            search(*unchecked, PlanRequest{virus, leader, strategy, {}}, plain, &plainStats);
        ASSERT_EQ(foundWithSet, foundPlain) << "case " << i;
        EXPECT_EQ(std::memcmp(&withSet, &plain, sizeof plain), 0) << "case " << i;
        EXPECT_EQ(stats.candidateCount, plainStats.candidateCount) << "case " << i;
        EXPECT_EQ(std::memcmp(tables.get(), before.get(), sizeof *before), 0) << "case " << i;
        for (int member = 1; foundWithSet && member < 6; ++member)
            EXPECT_FALSE(excluded.contains(static_cast<int>(withSet.heroes[member])));
        found += foundWithSet ? 1 : 0;
    }
    EXPECT_GT(found, 20); // the cases are not all infeasible
}

TEST_P(ExcludedSearch, RefusesToExcludeTheLeaderAndLeavesThePlanAlone)
{
    const Search search = GetParam();
    auto tables = std::make_unique<PlanningTables>();
    Rng rng(77);
    rosters::FillRoster(tables->heroTable, rng, StatKind::Realistic, kHeroCount);
    rosters::FillRealisticViruses(tables->virusTable);
    PlanRecord plan;
    plan.heroes[0] = 17;
    plan.score = -1.0f;
    HeroSet excluded;
    excluded.insert(17);
    SearchStats stats;
    EXPECT_THROW(search(*tables, PlanRequest{0, 17, Strategy{2, 1}, excluded}, plan, &stats),
                 std::invalid_argument);
    EXPECT_EQ(plan.score, -1.0f);
    // Every other hero left out: the leader alone forms no team.
    HeroSet everyOther;
    for (int hero = 0; hero < kHeroCount; ++hero) {
        if (hero != 17)
            everyOther.insert(hero);
    }
    EXPECT_FALSE(search(*tables, PlanRequest{0, 17, Strategy{2, 1}, everyOther}, plan, &stats));
    EXPECT_EQ(stats.candidateCount, 1);
    EXPECT_EQ(plan.score, -1.0f);
}

constexpr Search kReference = &FindBestTeamReference;
constexpr Search kFast = &FindBestTeam;

INSTANTIATE_TEST_SUITE_P(Engine, ExcludedSearch, ::testing::Values(kReference, kFast),
                         [](const ::testing::TestParamInfo<Search>& param) {
                             return param.index == 0 ? "Reference" : "Fast";
                         });

} // namespace
