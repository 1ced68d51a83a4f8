#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/TeamSearch.h"
#include "engine/internal/BranchAndBound.h"
#include "engine/internal/LeaderSearch.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/SearchRoster.h"
#include "engine/internal/TotalsSearch.h"
#include "tests/engine/PlanningReference.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using rosters::HardKind;
using rosters::Rng;
using rosters::StatKind;
using rosters::Uniform;

// The per-search parts, built as FindBestTeam builds them.
struct Parts
{
    CandidateList list;
    SearchRoster roster;
    ProductBound product;
    int virus = 0;
    int n = 0;
    int k = 0; // counted crits
    std::int64_t threshold = 0;

    MarginModel model(const PlanningTables& tables) const
    {
        return MarginModel(tables.virusTable[virus], virus, n, k);
    }
};

std::unique_ptr<Parts> BuildParts(const PlanningTables& tables, int leader, int virus, int n, int k)
{
    auto parts = std::make_unique<Parts>();
    parts->virus = virus;
    parts->n = n;
    parts->k = CritsCount(virus) ? k : 0;
    PrepareCandidates(tables.heroTable, leader, HeroSet{}, parts->list);
    const VirusRecord& record = tables.virusTable[virus];
    BuildSearchRoster(parts->list, record, virus, n, parts->k, parts->roster);
    parts->product.build(parts->roster, record, virus, n, parts->k);
    parts->threshold = SearchThreshold(record, n);
    return parts;
}

// A small roster of a hard family, or of one of the general kinds, against a
// virus of one of the kinds that matter: realistic, random, 不异常 around
// 3333 (M falls as 可爱 rises) and 愚蠢 0 (every team eligible).
struct SmallCase
{
    std::unique_ptr<PlanningTables> tables = std::make_unique<PlanningTables>();
    int virus = 0;
    int leader = 0;
    int n = 0;
    int k = 0;
    std::string name;
};

SmallCase DrawSmallCase(int index, int leastChecked, int mostChecked)
{
    Rng rng(static_cast<std::uint64_t>(index) * 7919 + 17);
    SmallCase c;
    const int checked = Uniform(rng, leastChecked, mostChecked);
    const int kind = index % 8;
    if (kind < 5) {
        rosters::FillHardRoster(c.tables->heroTable, rng, rosters::kHardKinds[kind], checked);
        c.name = rosters::HardKindName(rosters::kHardKinds[kind]);
    } else if (kind == 5) {
        rosters::FillRoster(c.tables->heroTable, rng, StatKind::Tied, checked,
                            Uniform(rng, 3, 3000));
        c.name = "tied";
    } else if (kind == 6) {
        rosters::FillRoster(c.tables->heroTable, rng, StatKind::Uniform, checked, 65535);
        c.name = "uniform to 65535";
    } else {
        rosters::FillRoster(c.tables->heroTable, rng, StatKind::AntiCorrelated, checked);
        c.name = "anti-correlated";
    }
    c.virus = Uniform(rng, 0, kVirusCount - 1);
    VirusRecord& virus = c.tables->virusTable[c.virus];
    switch (Uniform(rng, 0, 3)) {
    case 0:
        rosters::SetRealisticVirus(virus, Uniform(rng, 0, 30));
        break;
    case 1:
        rosters::SetRandomVirus(virus, rng, 9999);
        break;
    case 2:
        rosters::SetVirus(virus, Uniform(rng, 0, 400), Uniform(rng, 0, 9999),
                          Uniform(rng, 3300, 3400));
        break;
    default:
        rosters::SetVirus(virus, 0, Uniform(rng, 0, 9999), Uniform(rng, 0, 3333));
        break;
    }
    const Strategy drawn = rosters::StrategyOf(Uniform(rng, 0, rosters::kStrategies - 1));
    c.n = drawn.n;
    c.k = drawn.k;
    c.leader = Uniform(rng, 0, checked); // sometimes the first unchecked hero
    c.name += ", case " + std::to_string(index);
    return c;
}

// Whether the search over totals may serve this search (as FindBestTeam
// decides it).
bool TotalsApply(const Parts& parts, const MarginModel& model)
{
    return model.damageRisesWithCute() ||
           parts.roster.cute[0] + parts.roster.cuteTail[SearchRoster::kMaxPick] >= parts.threshold;
}

// The fast search and, forced on every case where it applies, the search over
// totals (with no incumbent and with the incumbent of a cut-short branch and
// bound) give the reference's plan bit for bit, ties included.
TEST(TotalsSearchDifferential, MatchesTheReferenceOnSmallRostersOfEveryHardFamily)
{
    auto totals = std::make_unique<TotalsSearch>();
    int forced = 0;
    int found = 0;
    for (int index = 0; index < 1200; ++index) {
        SmallCase c = DrawSmallCase(index, 6, index % 10 == 0 ? 40 : 26);
        SCOPED_TRACE(c.name);
        PlanRecord reference;
        reference.heroes[0] = static_cast<std::uint32_t>(c.leader);
        PlanRecord fast = reference;
        const PlanRequest request{c.virus, c.leader, Strategy{c.n, c.k}, {}};
        const bool referenceFound = FindBestTeamReference(*c.tables, request, reference);
        ASSERT_EQ(FindBestTeam(*c.tables, request, fast), referenceFound);
        if (referenceFound) {
            ASSERT_EQ(std::memcmp(&fast, &reference, sizeof fast), 0);
            ++found;
        }

        const auto parts = BuildParts(*c.tables, c.leader, c.virus, c.n, c.k);
        const MarginModel model = parts->model(*c.tables);
        if (parts->list.count < 6 || !TotalsApply(*parts, model))
            continue;
        ASSERT_TRUE(totals->build(parts->roster, model.damageRisesWithCute()));
        ++forced;
        const BranchAndBound cutShort(parts->roster, model, parts->product, parts->threshold);
        const std::int64_t incumbents[2] = {
            0, cutShort.run(static_cast<std::uint64_t>(index % 50)).key};
        for (const std::int64_t incumbent : incumbents) {
            const SearchBest best = totals->find(model, parts->threshold, incumbent);
            ASSERT_EQ(best.key > 0, referenceFound) << "incumbent " << incumbent;
            if (!referenceFound)
                continue;
            PlanRecord plan = reference;
            FillPlan(best.positions, plan, parts->list, *c.tables, c.virus,
                     static_cast<float>(model.score(best.key)));
            ASSERT_EQ(std::memcmp(&plan, &reference, sizeof plan), 0) << "incumbent " << incumbent;
        }
    }
    // The cases reach both paths and both outcomes.
    EXPECT_GT(forced, 900);
    EXPECT_GT(found, 500);
}

// The ranking over totals, forced on every small case where the totals
// apply, gives the first K teams of the straightforward ranking of every
// team, bit for bit and in order, for K from 1 to 50: the levels it ends
// early lose no team. Ranked again from the K-th key as the start floor (what
// a floor found beforehand gives), it gives the same list.
TEST(TotalsSearchRank, MatchesTheRankingOfEveryTeamOnSmallRostersOfEveryHardFamily)
{
    constexpr int kWanted[] = {1, 3, 12, TopList::kMost};
    auto totals = std::make_unique<TotalsSearch>();
    int ranked = 0;
    int full = 0;
    for (int index = 0; index < 480; ++index) {
        SmallCase c = DrawSmallCase(index, 6, 20);
        const int wanted = kWanted[index % 4];
        SCOPED_TRACE(c.name + ", K " + std::to_string(wanted));
        const auto parts = BuildParts(*c.tables, c.leader, c.virus, c.n, c.k);
        const MarginModel model = parts->model(*c.tables);
        if (parts->list.count < 6 || !TotalsApply(*parts, model))
            continue;
        ASSERT_TRUE(totals->build(parts->roster, model.damageRisesWithCute()));
        const std::vector<PlanRecord> expected = planningreference::TopTeams(
            *c.tables, PlanRequest{c.virus, c.leader, Strategy{c.n, c.k}, {}}, wanted);

        TopList list;
        list.wanted = wanted;
        ASSERT_TRUE(totals->rank(model, parts->threshold, list, UINT64_MAX));
        ASSERT_EQ(list.count, static_cast<int>(expected.size()));
        for (int i = 0; i < list.count; ++i) {
            PlanRecord plan;
            plan.heroes[0] = static_cast<std::uint32_t>(c.leader);
            FillPlan(list.positions[i], plan, parts->list, *c.tables, c.virus,
                     static_cast<float>(model.score(list.keys[i])));
            ASSERT_EQ(std::memcmp(&plan, &expected[static_cast<std::size_t>(i)], sizeof plan), 0)
                << "team " << i;
        }
        ++ranked;
        if (list.count < wanted)
            continue;
        ++full;
        TopList again;
        again.wanted = wanted;
        again.startFloor = list.keys[wanted - 1] - 1;
        ASSERT_TRUE(totals->rank(model, parts->threshold, again, UINT64_MAX));
        ASSERT_EQ(again.count, wanted);
        for (int i = 0; i < wanted; ++i) {
            EXPECT_EQ(again.keys[i], list.keys[i]) << "team " << i;
            EXPECT_TRUE(std::equal(again.positions[i], again.positions[i] + 6, list.positions[i]))
                << "team " << i;
        }
    }
    // Both full lists and short ones.
    EXPECT_GT(ranked, 300);
    EXPECT_GT(full, 100);
    EXPECT_GT(ranked - full, 30);
}

// r-pick totals of the positions from j on, as the sets keep them: 可爱
// oriented, 不正常 taken up to the set's cap.
void AllTotals(const SearchRoster& roster, bool cuteRises, int r, int j, int from,
               TotalsSearch::Total sum, std::vector<TotalsSearch::Total>& out)
{
    if (r == 0) {
        out.push_back(sum);
        return;
    }
    for (int p = from; p < roster.count; ++p) {
        TotalsSearch::Total next = sum;
        next.smart += roster.smart[p];
        next.cute += cuteRises ? roster.cute[p] : -roster.cute[p];
        next.abnormal += roster.abnormal[p];
        AllTotals(roster, cuteRises, r - 1, j, p + 1, next, out);
    }
}

bool AtLeast(const TotalsSearch::Total& a, const TotalsSearch::Total& b, std::int32_t cap)
{
    return a.smart >= b.smart && a.cute >= b.cute &&
           std::min(a.abnormal, cap) >= std::min(b.abnormal, cap);
}

// Each set holds only real totals of its suffix, none beating another, and
// for every total of the suffix one at least as good, with 不正常 compared up
// to the set's cap. Checked by enumerating every total.
TEST(TotalsSearchSets, EverySuffixTotalIsMetByAKeptOneAndNoKeptOneBeatsAnother)
{
    auto totals = std::make_unique<TotalsSearch>();
    std::size_t totalsChecked = 0;
    for (int index = 0; index < 60; ++index) {
        SmallCase c = DrawSmallCase(index, 8, 14);
        SCOPED_TRACE(c.name);
        const auto parts = BuildParts(*c.tables, c.leader, c.virus, c.n, c.k);
        const SearchRoster& roster = parts->roster;
        if (roster.count < 6)
            continue;
        const bool cuteRises = index % 3 != 0;
        ASSERT_TRUE(totals->build(roster, cuteRises));
        for (int r = 0; r <= TotalsSearch::kMaxRest; ++r) {
            // Only the sets a team can use: 5 - r picks fit before j.
            for (int j = std::max(1, SearchRoster::kMaxPick - r + 1); j <= roster.count; ++j) {
                int size = 0;
                const TotalsSearch::Total* set = totals->set(r, j, size);
                std::vector<TotalsSearch::Total> all;
                AllTotals(roster, cuteRises, r, j, j, {0, 0, 0}, all);
                ASSERT_EQ(size == 0, all.empty()) << "r " << r << " j " << j;
                const std::int32_t cap = totals->cap(r, j);
                totalsChecked += all.size();
                for (const TotalsSearch::Total& total : all) {
                    ASSERT_TRUE(
                        std::any_of(set, set + size,
                                    [&](const auto& kept) { return AtLeast(kept, total, cap); }))
                        << "r " << r << " j " << j;
                }
                for (int a = 0; a < size; ++a) {
                    // A kept total is a real total of the suffix (its 不正常
                    // at most the real one's).
                    ASSERT_TRUE(std::any_of(all.begin(), all.end(), [&](const auto& total) {
                        return total.smart == set[a].smart && total.cute == set[a].cute &&
                               set[a].abnormal <= total.abnormal;
                    }));
                    for (int b = 0; b < size; ++b)
                        ASSERT_TRUE(a == b || !AtLeast(set[a], set[b], cap));
                }
            }
        }
    }
    EXPECT_GT(totalsChecked, 20'000u);
}

// A build in steps, stopped and resumed at random sizes, leaves every set as
// one build does.
TEST(TotalsSearchSets, ABuildInStepsEqualsOneBuild)
{
    auto whole = std::make_unique<TotalsSearch>();
    auto steps = std::make_unique<TotalsSearch>();
    int compared = 0;
    int resumed = 0;
    for (int index = 0; index < 40; ++index) {
        SmallCase c = DrawSmallCase(index, 20, 90);
        const auto parts = BuildParts(*c.tables, c.leader, c.virus, c.n, c.k);
        const SearchRoster& roster = parts->roster;
        if (roster.count < 6)
            continue;
        ASSERT_TRUE(whole->build(roster, true));
        steps->beginBuild(roster, true);
        Rng rng(static_cast<std::uint64_t>(index));
        int rounds = 0;
        while (steps->state() == TotalsSearch::BuildState::Running) {
            steps->buildMore(steps->totalsKept() +
                             static_cast<std::uint64_t>(Uniform(rng, 1, 400)));
            ++rounds;
        }
        ASSERT_EQ(steps->state(), TotalsSearch::BuildState::Done);
        resumed += rounds > 1 ? 1 : 0;
        ASSERT_EQ(steps->totalsKept(), whole->totalsKept()) << c.name;
        for (int r = 0; r <= TotalsSearch::kMaxRest; ++r) {
            for (int j = 1; j <= roster.count; ++j) {
                int wholeSize = 0;
                int stepSize = 0;
                const TotalsSearch::Total* a = whole->set(r, j, wholeSize);
                const TotalsSearch::Total* b = steps->set(r, j, stepSize);
                ASSERT_EQ(wholeSize, stepSize) << c.name << ", r " << r << ", j " << j;
                ASSERT_EQ(std::memcmp(a, b, sizeof *a * static_cast<std::size_t>(wholeSize)), 0);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 5000);
    EXPECT_GT(resumed, 20); // most builds really were cut into steps
}

// A set's cap changes no team's guard: for random teams whose picks from j on
// are r of them, 不正常 taken up to cap(r, j) for those picks gives the same
// team total up to 1905.
TEST(TotalsSearchSets, TheCapOfASetLeavesEveryTeamsGuardAsItIs)
{
    auto totals = std::make_unique<TotalsSearch>();
    int teams = 0;
    for (int index = 0; index < 200; ++index) {
        SmallCase c = DrawSmallCase(index, 8, 60);
        const auto parts = BuildParts(*c.tables, c.leader, c.virus, c.n, c.k);
        const SearchRoster& roster = parts->roster;
        if (roster.count < 6)
            continue;
        ASSERT_TRUE(totals->build(roster, true));
        Rng rng(static_cast<std::uint64_t>(index) + 5);
        for (int trial = 0; trial < 50; ++trial) {
            int team[6] = {0};
            int from = 1;
            for (int i = 1; i < 6; ++i) {
                team[i] = Uniform(rng, from, roster.count - (6 - i));
                from = team[i] + 1;
            }
            const int split = Uniform(rng, 1, 5); // picks team[split..5] are the set's
            const int r = 6 - split;
            if (r > TotalsSearch::kMaxRest)
                continue;
            std::int64_t before = 0;
            std::int64_t after = 0;
            for (int i = 0; i < split; ++i)
                before += roster.abnormal[team[i]];
            for (int i = split; i < 6; ++i)
                after += roster.abnormal[team[i]];
            const std::int64_t cap = totals->cap(r, team[split]);
            EXPECT_EQ(std::min<std::int64_t>(before + std::min(after, cap), 1905),
                      std::min<std::int64_t>(before + after, 1905))
                << c.name << ", r " << r << ", j " << team[split];
            ++teams;
        }
    }
    EXPECT_GT(teams, 3000);
}

// The key of the leader and positions `team[1..]` chosen so far plus the
// best completion of `remaining` more positions from `from` on, by brute
// force; and the totals of the partial team.
std::int64_t BestCompletion(const SearchRoster& roster, const MarginModel& model,
                            std::int64_t threshold, TeamTotals sum, int remaining, int from)
{
    if (remaining == 0) {
        if (sum.cute < threshold)
            return 0;
        return model.key(model.lifeMargin(sum.smart, sum.abnormal), model.damageMargin(sum.cute));
    }
    std::int64_t best = 0;
    for (int p = from; p + remaining <= roster.count; ++p) {
        TeamTotals next = sum;
        next.smart += roster.smart[p];
        next.cute += roster.cute[p];
        next.abnormal += roster.abnormal[p];
        best = std::max(best, BestCompletion(roster, model, threshold, next, remaining - 1, p + 1));
    }
    return best;
}

// The joint bound is never below the best key of any completion it bounds,
// at every depth and suffix, on rosters where it is active.
TEST(ProductBoundAlone, NeverBelowTheBestCompletion)
{
    int checkedNodes = 0;
    for (int index = 0; index < 200; ++index) {
        SmallCase c = DrawSmallCase(index, 8, 13);
        auto parts = BuildParts(*c.tables, c.leader, c.virus, c.n, c.k);
        const SearchRoster& roster = parts->roster;
        ProductBound& product = parts->product;
        if (roster.count < 6 || !product.active())
            continue;
        // Any floor above 0 makes closes() fill the tables at once.
        static_cast<void>(product.closes(0, 0, 0, 5, 1, 1));
        const MarginModel model = parts->model(*c.tables);
        Rng rng(static_cast<std::uint64_t>(index));
        for (int trial = 0; trial < 40; ++trial) {
            const int chosen = Uniform(rng, 0, 4);
            TeamTotals sum{roster.smart[0], roster.cute[0], roster.abnormal[0]};
            int from = 1;
            for (int i = 0; i < chosen && from < roster.count; ++i) {
                from = Uniform(rng, from, std::min(roster.count - 1, from + 2)) + 1;
                sum.smart += roster.smart[from - 1];
                sum.cute += roster.cute[from - 1];
                sum.abnormal += roster.abnormal[from - 1];
            }
            const int remaining = SearchRoster::kMaxPick - chosen;
            if (from + remaining > roster.count)
                continue;
            const std::int64_t best =
                BestCompletion(roster, model, INT64_MIN, sum, remaining, from);
            EXPECT_GE(product.bound(sum.smart, sum.cute, sum.abnormal, remaining, from), best)
                << c.name << ", trial " << trial;
            ++checkedNodes;
        }
    }
    EXPECT_GT(checkedNodes, 1000);
}

// The life bounds of the roster, each alone: the separate one (best 聪明 and
// best 不正常 completions) and the linear one (life weights) are never below
// the life margin of any real team.
TEST(SearchRosterLifeBounds, NeverBelowAnyTeamsLifeMargin)
{
    int teams = 0;
    for (int index = 0; index < 300; ++index) {
        SmallCase c = DrawSmallCase(index, 8, 40);
        const auto parts = BuildParts(*c.tables, c.leader, c.virus, c.n, c.k);
        const SearchRoster& roster = parts->roster;
        if (roster.count < 6)
            continue;
        const MarginModel model = parts->model(*c.tables);
        Rng rng(static_cast<std::uint64_t>(index) + 99);
        for (int trial = 0; trial < 30; ++trial) {
            // A random team, its first `chosen` picks a partial team.
            int team[6] = {0};
            int from = 1;
            for (int i = 1; i < 6; ++i) {
                team[i] = Uniform(rng, from, roster.count - (6 - i));
                from = team[i] + 1;
            }
            const int chosen = Uniform(rng, 0, 4);
            std::int64_t smart = 0;
            std::int64_t abnormal = 0;
            std::int64_t weights = 0;
            for (int i = 0; i <= chosen; ++i) {
                smart += roster.smart[team[i]];
                abnormal += roster.abnormal[team[i]];
                weights += roster.lifeWeight[team[i]];
            }
            std::int64_t teamSmart = smart;
            std::int64_t teamAbnormal = abnormal;
            std::int64_t teamWeights = weights;
            for (int i = chosen + 1; i < 6; ++i) {
                teamSmart += roster.smart[team[i]];
                teamAbnormal += roster.abnormal[team[i]];
                teamWeights += roster.lifeWeight[team[i]];
            }
            const std::int64_t life = model.lifeMargin(teamSmart, teamAbnormal);
            const int remaining = 5 - chosen;
            const int next = team[chosen] + 1;
            EXPECT_GE(model.lifeMargin(smart + roster.topSmart[remaining][next],
                                       abnormal + roster.topAbnormal[remaining][next]),
                      life)
                << c.name;
            EXPECT_GE(weights + roster.topLife[remaining][next] + roster.lifeOffset,
                      1'000'000 * life)
                << c.name;
            EXPECT_GE(teamWeights + roster.lifeOffset, 1'000'000 * life) << c.name;
            ++teams;
        }
    }
    EXPECT_GT(teams, 5000);
}

// Work, not time: on fixed full rosters of each hard family the fast search's
// work stays far below what the branch and bound alone does there (tens of
// millions of teams on the decoy, flat and grid families). For those three
// the branch and bound alone is checked to need more than the ceiling on at
// least one query, so the ceiling means something.
TEST(FastSearchWork, StaysBelowTheCeilingOnEveryHardFamily)
{
    constexpr std::uint64_t kCeiling = 1'000'000;
    auto tables = std::make_unique<PlanningTables>();
    for (const HardKind kind : rosters::kHardKinds) {
        SCOPED_TRACE(rosters::HardKindName(kind));
        Rng rng(4242);
        rosters::FillHardRoster(tables->heroTable, rng, kind);
        rosters::FillRealisticViruses(tables->virusTable);
        const bool hardForTheBranchAndBound = kind == HardKind::Decoy ||
                                              kind == HardKind::FlatLandscape ||
                                              kind == HardKind::ProductGrid;
        bool ceilingPassedAlone = false;
        for (int query = 0; query < 12; ++query) {
            // The middle levels and strategies, where these families are hard.
            constexpr int kLevels[] = {24, 27, 30, 33, 12};
            const int virus = kLevels[query % 5];
            int n = 0;
            int k = 0;
            const Strategy drawn = rosters::StrategyOf(6 + query % 10);
            n = drawn.n;
            k = drawn.k;
            PlanRecord plan;
            plan.heroes[0] = static_cast<std::uint32_t>(Uniform(rng, 0, kHeroCount - 1));
            const int leader = static_cast<int>(plan.heroes[0]);
            SearchStats stats;
            FindBestTeam(*tables, PlanRequest{virus, leader, Strategy{n, k}, {}}, plan, &stats);
            const std::uint64_t work =
                stats.teamsScored + stats.nodesVisited + stats.totalsKept + stats.totalsTried;
            EXPECT_LT(work, kCeiling) << "query " << query;
            if (hardForTheBranchAndBound && !ceilingPassedAlone) {
                const auto parts = BuildParts(*tables, leader, virus, n, k);
                const MarginModel model = parts->model(*tables);
                const BranchAndBound alone(parts->roster, model, parts->product, parts->threshold);
                ceilingPassedAlone = alone.run(kCeiling).stopped;
            }
        }
        EXPECT_EQ(ceilingPassedAlone, hardForTheBranchAndBound);
    }
}

// Two searches at once over the same tables, on two threads: each gets the
// answer it gets alone, and the tables are byte for byte as they were.
TEST(ConcurrentSearches, ShareTheTablesWithoutWritingThem)
{
    auto tables = std::make_unique<PlanningTables>();
    Rng rng(31337);
    rosters::FillHardRoster(tables->heroTable, rng, HardKind::ProductGrid);
    rosters::FillRealisticViruses(tables->virusTable);
    for (int hero = 0; hero < kHeroCount; hero += 3) // unchecked heroes too
        tables->heroTable[hero].checked = 0;
    auto before = std::make_unique<PlanningTables>(*tables);

    struct Query
    {
        int virus;
        int n;
        int k;
        int leader;
        PlanRecord alone;
        bool foundAlone;
    };
    std::vector<Query> queries;
    for (int i = 0; i < 24; ++i) {
        Query q{};
        q.virus = Uniform(rng, 0, 30);
        const Strategy drawn = rosters::StrategyOf(i);
        q.n = drawn.n;
        q.k = drawn.k;
        q.leader = Uniform(rng, 0, kHeroCount - 1);
        q.alone.heroes[0] = static_cast<std::uint32_t>(q.leader);
        q.foundAlone =
            FindBestTeam(*tables, PlanRequest{q.virus, q.leader, Strategy{q.n, q.k}, {}}, q.alone);
        queries.push_back(q);
    }
    std::vector<PlanRecord> results[2];
    std::vector<char> found[2];
    const auto run = [&](int thread) {
        for (int round = 0; round < 3; ++round) {
            for (std::size_t i = 0; i < queries.size(); ++i) {
                // The two threads take the queries in opposite orders.
                const Query& q = queries[thread == 0 ? i : queries.size() - 1 - i];
                PlanRecord plan;
                plan.heroes[0] = static_cast<std::uint32_t>(q.leader);
                const PlanRequest request{q.virus, q.leader, Strategy{q.n, q.k}, {}};
                found[thread].push_back(FindBestTeam(*tables, request, plan) ? 1 : 0);
                results[thread].push_back(plan);
            }
        }
    };
    std::thread first(run, 0);
    std::thread second(run, 1);
    first.join();
    second.join();
    EXPECT_EQ(std::memcmp(tables.get(), before.get(), sizeof *before), 0);
    int foundCount = 0;
    for (int thread = 0; thread < 2; ++thread) {
        ASSERT_EQ(results[thread].size(), 3 * queries.size());
        for (std::size_t r = 0; r < results[thread].size(); ++r) {
            const std::size_t i = r % queries.size();
            const Query& q = queries[thread == 0 ? i : queries.size() - 1 - i];
            ASSERT_EQ(found[thread][r] != 0, q.foundAlone);
            if (q.foundAlone) {
                EXPECT_EQ(std::memcmp(&results[thread][r], &q.alone, sizeof q.alone), 0);
                ++foundCount;
            }
        }
    }
    EXPECT_GT(foundCount, 40);
}

// One LeaderSearch answering many requests, sharing its candidate list and
// totals' sets among them, gives each of them FindBestTeam's plan: on full
// rosters of every hard family (where the totals serve), with an excluded set,
// and with viruses in both directions of M (不异常 above 3333 with 愚蠢 0,
// where every team is eligible), interleaved so that the sets are rebuilt.
TEST(LeaderSearchAlone, AnswersEveryRequestAsFindBestTeam)
{
    auto tables = std::make_unique<PlanningTables>();
    int viaTotals = 0;
    int found = 0;
    for (const HardKind kind : rosters::kHardKinds) {
        SCOPED_TRACE(rosters::HardKindName(kind));
        Rng rng(777);
        rosters::FillHardRoster(tables->heroTable, rng, kind);
        rosters::FillRealisticViruses(tables->virusTable);
        rosters::SetVirus(tables->virusTable[40], 0, 3000, 3400);
        rosters::SetVirus(tables->virusTable[41], 0, 100, 1000);
        const int leader = 3;
        HeroSet excluded;
        excluded.insert(10);
        excluded.insert(11);
        LeaderSearch search(*tables, leader, excluded);
        for (const int virus : {24, 40, 30, 41, 12}) {
            for (int strategy = 1; strategy < rosters::kStrategies; strategy += 3) {
                const PlanRequest request{virus, leader, rosters::StrategyOf(strategy), excluded};
                PlanRecord shared;
                PlanRecord alone;
                SearchStats sharedStats;
                SearchStats aloneStats;
                const bool sharedFound =
                    search.find(virus, request.strategy.n, request.strategy.k, shared, sharedStats);
                ASSERT_EQ(sharedFound, FindBestTeam(*tables, request, alone, &aloneStats))
                    << "virus " << virus << ", strategy " << strategy;
                EXPECT_EQ(std::memcmp(&shared, &alone, sizeof shared), 0)
                    << "virus " << virus << ", strategy " << strategy;
                EXPECT_EQ(sharedStats.candidateCount, aloneStats.candidateCount);
                viaTotals += sharedStats.totalsKept > 0 ? 1 : 0;
                found += sharedFound ? 1 : 0;
            }
        }
    }
    EXPECT_GT(viaTotals, 20);
    EXPECT_GT(found, 60);
}

TEST(LeaderSearchAlone, RefusesAnExcludedOrMissingLeader)
{
    const auto tables = std::make_unique<PlanningTables>();
    HeroSet excluded;
    excluded.insert(5);
    EXPECT_THROW(LeaderSearch(*tables, 5, excluded), std::invalid_argument);
    EXPECT_THROW(LeaderSearch(*tables, 128, HeroSet{}), std::invalid_argument);
    EXPECT_THROW(LeaderSearch(*tables, -1, HeroSet{}), std::invalid_argument);
}

} // namespace
