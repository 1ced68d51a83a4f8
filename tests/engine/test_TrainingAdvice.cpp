// Training advice against an exhaustive reference: every rise d = 1, 2, ...
// tried in turn with the straightforward search, on small rosters.

#include "engine/CombatModel.h"
#include "engine/TeamSearch.h"
#include "engine/TrainingAdvice.h"
#include "tests/support/TableBuilder.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using rosters::Rng;
using rosters::Uniform;

bool SamePlan(const PlanRecord& a, const PlanRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool ReferencePlan(const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan)
{
    plan = PlanRecord{};
    return FindBestTeamReference(tables, request, plan);
}

// The best score of a request by its definition: the greatest over every
// team of the leader and five checked, not excluded heroes with 可爱 above 0
// whose 可爱 total reaches the threshold. Cheap on a small roster, so that
// the reference below can try every rise.
double BestScoreOfAllTeams(const PlanningTables& tables, const PlanRequest& request)
{
    int pool[kHeroCount];
    int size = 0;
    for (int hero = 0; hero < kHeroCount; ++hero) {
        const HeroRecord& record = tables.heroTable[hero];
        if (hero != request.leader && record.checked != 0 && record.cute > 0 &&
            !request.excluded.contains(hero))
            pool[size++] = hero;
    }
    const VirusRecord& virus = tables.virusTable[request.virus];
    const std::int64_t threshold = SearchThreshold(virus, request.strategy.n);
    const HeroRecord& leader = tables.heroTable[request.leader];
    double best = 0.0;
    int t[5];
    for (t[0] = 0; t[0] < size; ++t[0])
        for (t[1] = t[0] + 1; t[1] < size; ++t[1])
            for (t[2] = t[1] + 1; t[2] < size; ++t[2])
                for (t[3] = t[2] + 1; t[3] < size; ++t[3])
                    for (t[4] = t[3] + 1; t[4] < size; ++t[4]) {
                        TeamTotals totals{leader.smart, leader.cute, leader.abnormal};
                        for (int i : t) {
                            const HeroRecord& hero = tables.heroTable[pool[i]];
                            totals.smart += hero.smart;
                            totals.cute += hero.cute;
                            totals.abnormal += hero.abnormal;
                        }
                        if (totals.cute >= threshold)
                            best = std::max(
                                best, ScoreTotals(virus, request.virus, totals, request.strategy));
                    }
    return best;
}

// The advice by its definition: for each hero that could be in a team and
// each stat, the first d from 1 up whose best score reaches 1, with the
// straightforward search's plan for that rise.
std::vector<AdviceEntry> ExhaustiveAdvice(const PlanningTables& tables, const PlanRequest& request)
{
    std::vector<AdviceEntry> advice;
    PlanRecord plan;
    if (ReferencePlan(tables, request, plan) && plan.score >= 1.0f)
        return advice;
    auto copy = std::make_unique<PlanningTables>(tables);
    const bool cuteReverses = tables.virusTable[request.virus].notAbnormal >= 3334;
    for (int hero = 0; hero < kHeroCount; ++hero) {
        const HeroRecord& record = tables.heroTable[hero];
        if (hero != request.leader && (record.checked == 0 || request.excluded.contains(hero)))
            continue;
        for (TrainedStat stat : kTrainedStats) {
            if (stat == TrainedStat::Cute && cuteReverses)
                continue;
            const int value = StatValue(record, stat);
            HeroRecord& raised = copy->heroTable[hero];
            for (int d = 1; value + d <= 65535; ++d) {
                SetStatValue(raised, stat, value + d);
                if (static_cast<float>(BestScoreOfAllTeams(*copy, request)) >= 1.0f) {
                    EXPECT_TRUE(ReferencePlan(*copy, request, plan) && plan.score >= 1.0f);
                    advice.push_back({hero, stat, value, d, plan});
                    break;
                }
            }
            SetStatValue(raised, stat, value);
        }
    }
    std::stable_sort(advice.begin(), advice.end(), [](const AdviceEntry& a, const AdviceEntry& b) {
        return a.increase < b.increase;
    });
    return advice;
}

std::string Describe(const AdviceEntry& entry)
{
    return "hero " + std::to_string(entry.hero) + " stat " +
           std::to_string(static_cast<int>(entry.stat)) + " value " + std::to_string(entry.value) +
           " +" + std::to_string(entry.increase);
}

// What one comparison covered: entries per stat, and the pairs left out.
struct Coverage
{
    int entries[kTrainedStatCount] = {};
    int leftOut = 0;
};

Coverage ExpectAdviceMatches(const PlanningTables& tables, const PlanRequest& request,
                             int threads = 2)
{
    Coverage coverage;
    auto advice = std::make_unique<TrainingAdvice>();
    AdviceControl control;
    control.threads = threads;
    std::atomic<int> done{0};
    control.tasksDone = &done;
    EXPECT_TRUE(FindTrainingAdvice(tables, request, *advice, control));

    PlanRecord today;
    const bool found = ReferencePlan(tables, request, today);
    EXPECT_EQ(advice->found, found);
    if (found) {
        EXPECT_TRUE(SamePlan(advice->plan, today));
    }
    EXPECT_EQ(advice->cuteWithheld, tables.virusTable[request.virus].notAbnormal >= 3334);

    const std::vector<AdviceEntry> expected = ExhaustiveAdvice(tables, request);
    EXPECT_EQ(advice->count, static_cast<int>(expected.size()));
    if (advice->count != static_cast<int>(expected.size()))
        return coverage;
    for (int i = 0; i < advice->count; ++i) {
        const AdviceEntry& got = advice->entries[static_cast<std::size_t>(i)];
        const AdviceEntry& want = expected[static_cast<std::size_t>(i)];
        SCOPED_TRACE("entry " + std::to_string(i) + ": expected " + Describe(want));
        EXPECT_EQ(got.hero, want.hero);
        EXPECT_EQ(got.stat, want.stat);
        EXPECT_EQ(got.value, want.value);
        EXPECT_EQ(got.increase, want.increase);
        EXPECT_TRUE(SamePlan(got.plan, want.plan));
        // The entry's plan is the search's on the roster it supposes.
        auto supposed = std::make_unique<PlanningTables>(tables);
        ApplyAdvice(got, supposed->heroTable);
        PlanRecord plan;
        EXPECT_TRUE(ReferencePlan(*supposed, request, plan));
        EXPECT_TRUE(SamePlan(plan, got.plan));
        ++coverage.entries[static_cast<int>(got.stat)];
    }
    if (!(found && today.score >= 1.0f)) {
        const int tasks = AdviceTaskCount(tables, request);
        EXPECT_EQ(done.load(), tasks);
        coverage.leftOut = tasks - advice->count;
    }
    return coverage;
}

// Nine heroes spread over the table, some unchecked and some with 可爱 0,
// with small stats so that the rises the reference walks through stay short.
std::unique_ptr<PlanningTables> SmallRoster(Rng& rng)
{
    auto tables = std::make_unique<PlanningTables>();
    for (int i = 0; i < 9; ++i) {
        const int hero = i * 13 + Uniform(rng, 0, 12);
        const bool checked = Uniform(rng, 0, 5) != 0;
        const int cute = Uniform(rng, 0, 4) == 0 ? 0 : Uniform(rng, 1, 60);
        rosters::SetHero(tables->heroTable[hero], checked, Uniform(rng, 0, 60), cute,
                         Uniform(rng, 0, 60));
    }
    return tables;
}

int SomeHero(const PlanningTables& tables, Rng& rng, bool checkedOnly)
{
    std::vector<int> heroes;
    for (int h = 0; h < kHeroCount; ++h) {
        const HeroRecord& record = tables.heroTable[h];
        if (record.name[0] != 0 && (!checkedOnly || record.checked != 0))
            heroes.push_back(h);
    }
    return heroes[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(heroes.size()) - 1))];
}

TEST(TrainingAdvice, MatchesTheExhaustiveReferenceOnSmallRosters)
{
    // Levels 26 and 27 (crits ignored, then counted), 不异常 3333 (the
    // heroes' damage grows by one point per 10000 raised 可爱) and ordinary
    // values; 3334 is CuteIsWithheldFrom3334's.
    const int viruses[] = {25, 26, 40, 3};
    const int notAbnormals[] = {3333, 20, 0, 45, 3000};
    Coverage covered;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Rng rng(seed);
        auto tables = SmallRoster(rng);
        PlanRequest request;
        request.virus = viruses[seed % 4];
        const int notAbnormal = notAbnormals[seed % 5];
        // 不异常 near 3333 cuts the heroes' damage to a few points per 100
        // of 可爱, so the virus's life is kept small there.
        const int stupid = notAbnormal > 1000 ? Uniform(rng, 0, 12) : Uniform(rng, 20, 160);
        rosters::SetVirus(tables->virusTable[request.virus], stupid, Uniform(rng, 10, 200),
                          notAbnormal);
        request.strategy = rosters::StrategyOf(Uniform(rng, 0, 20));
        request.leader = SomeHero(*tables, rng, false);
        if (seed % 3 == 0) {
            const int excluded = SomeHero(*tables, rng, true);
            if (excluded != request.leader)
                request.excluded.insert(excluded);
        }
        const Coverage one = ExpectAdviceMatches(*tables, request, 1 + static_cast<int>(seed % 2));
        for (int stat = 0; stat < kTrainedStatCount; ++stat)
            covered.entries[stat] += one.entries[stat];
        covered.leftOut += one.leftOut;
    }
    // Every stat was advised somewhere, and some pairs no rise helps.
    for (int stat = 0; stat < kTrainedStatCount; ++stat)
        EXPECT_GT(covered.entries[stat], 0) << stat;
    EXPECT_GT(covered.leftOut, 0);
}

// Heroes with equal stats: the plan after a rise is the first of the tied
// teams, as the search keeps it, and equal rises are listed by hero and stat.
TEST(TrainingAdvice, TiesAreOrderedByHeroThenStat)
{
    TableBuilder builder;
    for (int hero = 0; hero < 8; ++hero)
        builder.hero(hero * 3, 20, 20, 20);
    builder.hero(30, 20, 0, 20); // 可爱 0: a candidate only once it rises
    builder.virus(26, 90, 84, 10);
    PlanRequest request{26, 3, {2, 1}, {}};
    ExpectAdviceMatches(builder.tables(), request);

    auto advice = std::make_unique<TrainingAdvice>();
    FindTrainingAdvice(builder.tables(), request, *advice);
    ASSERT_GT(advice->count, 1);
    for (int i = 1; i < advice->count; ++i) {
        const AdviceEntry& before = advice->entries[static_cast<std::size_t>(i - 1)];
        const AdviceEntry& after = advice->entries[static_cast<std::size_t>(i)];
        EXPECT_TRUE(before.increase < after.increase ||
                    (before.increase == after.increase &&
                     (before.hero < after.hero ||
                      (before.hero == after.hero && before.stat < after.stat))));
    }
}

// A hero whose 可爱 is 0 is no candidate, so only a rise of its 可爱 can
// bring it into a team; with five others only, that is the sole way to any team.
TEST(TrainingAdvice, ZeroCuteHeroJoinsOnlyThroughCute)
{
    TableBuilder builder;
    for (int hero = 0; hero < 5; ++hero)
        builder.hero(hero, 30, 30, 30);
    builder.hero(7, 30, 0, 30);
    builder.virus(5, 60, 40, 0);
    const PlanRequest request{5, 0, {1, 0}, {}};
    ExpectAdviceMatches(builder.tables(), request);

    auto advice = std::make_unique<TrainingAdvice>();
    ASSERT_TRUE(FindTrainingAdvice(builder.tables(), request, *advice));
    EXPECT_FALSE(advice->found);
    ASSERT_GE(advice->count, 1);
    for (int i = 0; i < advice->count; ++i) {
        EXPECT_EQ(advice->entries[static_cast<std::size_t>(i)].hero, 7);
        EXPECT_EQ(advice->entries[static_cast<std::size_t>(i)].stat, TrainedStat::Cute);
    }
}

// The leader is advised even unchecked; an excluded hero never is.
TEST(TrainingAdvice, LeaderAlwaysAndExcludedHeroesNever)
{
    TableBuilder builder;
    builder.hero(0, 25, 25, 25, false);
    for (int hero = 1; hero < 8; ++hero)
        builder.hero(hero, 20 + hero, 30 - hero, 15 + 2 * hero);
    builder.virus(30, 328, 70, 100);
    HeroSet excluded;
    excluded.insert(4);
    const PlanRequest request{30, 0, {3, 1}, excluded};
    ExpectAdviceMatches(builder.tables(), request);

    auto advice = std::make_unique<TrainingAdvice>();
    ASSERT_TRUE(FindTrainingAdvice(builder.tables(), request, *advice));
    bool leaderAdvised = false;
    for (int i = 0; i < advice->count; ++i) {
        const AdviceEntry& entry = advice->entries[static_cast<std::size_t>(i)];
        EXPECT_NE(entry.hero, 4);
        leaderAdvised = leaderAdvised || entry.hero == 0;
    }
    EXPECT_TRUE(leaderAdvised);
    EXPECT_THROW(
        FindTrainingAdvice(builder.tables(), PlanRequest{30, 4, {3, 1}, excluded}, *advice),
        std::invalid_argument);
}

TEST(TrainingAdvice, FeasiblePlanNeedsNoAdvice)
{
    TableBuilder builder;
    for (int hero = 0; hero < 6; ++hero)
        builder.hero(hero, 3000, 3000, 300);
    builder.virus(0, 100, 100, 0);
    auto advice = std::make_unique<TrainingAdvice>();
    ASSERT_TRUE(FindTrainingAdvice(builder.tables(), PlanRequest{0, 0, {1, 0}, {}}, *advice));
    EXPECT_TRUE(advice->found);
    EXPECT_GE(advice->plan.score, 1.0f);
    EXPECT_EQ(advice->count, 0);
    EXPECT_EQ(advice->searches, 1u);
}

// At 不异常 3333 可爱 is advised. From 3334 on a rise of 可爱 lowers the
// heroes' damage, so none is advised; the damage is then at most 0, so M is
// at most 5 × (n + 1) < C, no plan is feasible and nothing else is advised
// either (the exhaustive reference agrees).
TEST(TrainingAdvice, CuteIsWithheldFrom3334)
{
    for (int notAbnormal : {3333, 3334}) {
        SCOPED_TRACE(notAbnormal);
        TableBuilder builder;
        for (int hero = 0; hero < 7; ++hero)
            builder.hero(hero, 10 + hero, 20 + 3 * hero, 5 * hero);
        builder.virus(26, 2, 10, notAbnormal);
        const PlanRequest request{26, 0, {2, 2}, {}};
        ExpectAdviceMatches(builder.tables(), request);
        auto advice = std::make_unique<TrainingAdvice>();
        ASSERT_TRUE(FindTrainingAdvice(builder.tables(), request, *advice));
        int cute = 0;
        for (int i = 0; i < advice->count; ++i)
            cute += advice->entries[static_cast<std::size_t>(i)].stat == TrainedStat::Cute;
        EXPECT_EQ(advice->cuteWithheld, notAbnormal == 3334);
        if (notAbnormal == 3334) {
            EXPECT_EQ(advice->count, 0);
            EXPECT_EQ(advice->searches, 1u);
        } else {
            EXPECT_GT(cute, 0);
        }
    }
}

// Why 可爱 is withheld: against 不异常 3334 the heroes' damage, and so the
// best score, falls as 可爱 rises.
TEST(TrainingAdvice, CuteLowersTheScoreFrom3334)
{
    TableBuilder builder;
    for (int hero = 0; hero < 6; ++hero)
        builder.hero(hero, 500, 3200, 0);
    builder.virus(0, 0, 10, 3334);
    const PlanRequest request{0, 0, {5, 0}, {}};
    PlanRecord before;
    ASSERT_TRUE(FindBestTeamReference(builder.tables(), request, before));
    builder.tables().heroTable[2].cute = 60000;
    PlanRecord after;
    const bool found = FindBestTeamReference(builder.tables(), request, after);
    EXPECT_TRUE(!found || after.score < before.score);
}

// The claim the binary search rests on: below 不异常 3334 the best score
// never falls as one stat of one hero rises.
TEST(TrainingAdvice, BestScoreNeverFallsAsAStatRises)
{
    for (std::uint64_t seed = 100; seed < 160; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Rng rng(seed);
        auto tables = SmallRoster(rng);
        const int virus = Uniform(rng, 0, 63);
        rosters::SetVirus(tables->virusTable[virus], Uniform(rng, 0, 400), Uniform(rng, 0, 300),
                          Uniform(rng, 0, 3333));
        PlanRequest request;
        request.virus = virus;
        request.strategy = rosters::StrategyOf(Uniform(rng, 0, 20));
        request.leader = SomeHero(*tables, rng, false);
        const int hero = SomeHero(*tables, rng, true);
        const TrainedStat stat = kTrainedStats[Uniform(rng, 0, 2)];
        const int value = StatValue(tables->heroTable[hero], stat);
        double last = 0.0;
        for (int raised = value; raised <= 65535; raised += 1 + raised / 8) {
            SetStatValue(tables->heroTable[hero], stat, raised);
            PlanRecord plan;
            const double score = ReferencePlan(*tables, request, plan) ? plan.score : 0.0;
            EXPECT_GE(score, last) << "at " << raised;
            last = score;
        }
    }
}

TEST(TrainingAdvice, CancelStopsBeforeTheNextSearch)
{
    TableBuilder builder;
    for (int hero = 0; hero < 20; ++hero)
        builder.hero(hero, 20 + hero, 30, 10);
    builder.virus(26, 500, 90, 0);
    const std::atomic<bool> cancel{true};
    AdviceControl control;
    control.cancel = &cancel;
    auto advice = std::make_unique<TrainingAdvice>();
    EXPECT_FALSE(
        FindTrainingAdvice(builder.tables(), PlanRequest{26, 0, {2, 1}, {}}, *advice, control));
    EXPECT_EQ(advice->count, 0);
    EXPECT_EQ(advice->searches, 1u); // today's plan only
}

// Per hero and stat one search at the top of the range and at most 16 more.
TEST(TrainingAdvice, SearchesStayWithinTheBinarySearchsCount)
{
    Rng rng(7);
    auto tables = std::make_unique<PlanningTables>();
    rosters::FillRoster(tables->heroTable, rng, rosters::StatKind::Realistic, 40);
    rosters::SetRealisticVirus(tables->virusTable[40], 44);
    int leader = 0;
    while (tables->heroTable[leader].checked == 0)
        ++leader;
    auto advice = std::make_unique<TrainingAdvice>();
    ASSERT_TRUE(FindTrainingAdvice(*tables, PlanRequest{40, leader, {3, 1}, {}}, *advice));
    const int tasks = AdviceTaskCount(*tables, PlanRequest{40, leader, {3, 1}, {}});
    EXPECT_EQ(tasks, 40 * 3);
    EXPECT_LE(advice->searches, 1u + 17u * static_cast<unsigned>(tasks));
    EXPECT_GT(advice->count, 0);
}

} // namespace
