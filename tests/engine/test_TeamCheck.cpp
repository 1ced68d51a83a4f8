// The team check against the combat model written out straight from its
// formulas, on random teams of any heroes.

#include "engine/TeamCheck.h"
#include "engine/TeamSearch.h"
#include "tests/support/TableBuilder.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using rosters::Rng;
using rosters::Uniform;

// Every figure of one team, each by its formula with 64-bit integers.
struct Straightforward
{
    std::int64_t ts = 0, tc = 0, ta = 0;
    std::int64_t dh = 0, dv = 0, cv = 0;
    std::int64_t l = 0, m = 0, b = 0, c = 0;
    std::int64_t threshold = 0;
    double score = 0.0;
};

Straightforward Model(const PlanningTables& tables, int virusIndex, int n, int k,
                      const int heroes[6])
{
    Straightforward f;
    for (int i = 0; i < 6; ++i) {
        f.ts += tables.heroTable[heroes[i]].smart;
        f.tc += tables.heroTable[heroes[i]].cute;
        f.ta += tables.heroTable[heroes[i]].abnormal;
    }
    const VirusRecord& v = tables.virusTable[virusIndex];
    const std::int64_t rs = f.ts * 105 / 100, rc = f.tc * 105 / 100, ra = f.ta * 105 / 100;
    const std::int64_t g = ra > 2000 ? 2000 : ra;
    f.dh = ((10000 - 3 * std::int64_t{v.notAbnormal}) * rc + 5000) / 10000;
    f.dv = ((10000 - 3 * g) * std::int64_t{v.hateful} + 5000) / 10000;
    const bool crits = virusIndex >= 26;
    f.cv = crits ? 2 * f.dv : f.dv;
    f.l = 2 * rs - f.dv * (n + (crits ? k : 0));
    f.m = (f.dh + 5) * (n + 1) - 2 * std::int64_t{v.stupid};
    f.b = 5 * n + 1;
    f.c = 5 * n + 6;
    const std::int64_t q1 = (2 * std::int64_t{v.stupid} - 1) / (n + 1);
    const std::int64_t q2 = (q1 * 10000 - 40001) / (10000 - 3 * std::int64_t{v.notAbnormal});
    f.threshold = q2 * 100 / 105 + 1;
    if (f.l > 0 && f.m >= 0) {
        std::int64_t l = f.l, m = f.m;
        if (!(l > f.b && m > f.c)) {
            l = std::min(l, f.b);
            m = std::min(m, f.c);
        }
        f.score = static_cast<double>(m) * static_cast<double>(l) / static_cast<double>(f.c) /
                  static_cast<double>(f.b);
    }
    return f;
}

void ExpectMatchesModel(const PlanningTables& tables, int virus, int n, int k, const int team[6])
{
    const TeamCheck check = CheckTeam(tables, virus, Strategy{n, k}, team);
    const Straightforward f = Model(tables, virus, n, k, team);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(check.plan.heroes[i], static_cast<std::uint32_t>(team[i]));
    EXPECT_EQ(check.plan.smartTotal, f.ts);
    EXPECT_EQ(check.plan.cuteTotal, f.tc);
    EXPECT_EQ(check.plan.abnormalTotal, f.ta);
    EXPECT_EQ(check.plan.heroDamageLow, f.dh);
    EXPECT_EQ(check.plan.heroDamageHigh, f.dh + 5);
    EXPECT_EQ(check.plan.virusDamageLow, f.dv);
    EXPECT_EQ(check.plan.virusDamageHigh, f.dv + 5);
    EXPECT_EQ(check.plan.critDamageLow, f.cv);
    EXPECT_EQ(check.plan.critDamageHigh, f.cv + 5);
    EXPECT_EQ(check.lifeMargin, f.l);
    EXPECT_EQ(check.damageMargin, f.m);
    EXPECT_EQ(check.lifeSpan, f.b);
    EXPECT_EQ(check.damageSpan, f.c);
    EXPECT_EQ(check.threshold, f.threshold);
    EXPECT_EQ(check.reachesThreshold, f.tc >= f.threshold);
    EXPECT_EQ(check.score, f.score);
    EXPECT_EQ(check.plan.score, static_cast<float>(f.score));
}

void RandomTeam(Rng& rng, int team[6])
{
    int order[kHeroCount];
    for (int h = 0; h < kHeroCount; ++h)
        order[h] = h;
    rosters::Shuffle(order, kHeroCount, rng);
    std::copy(order, order + 6, team);
}

TEST(TeamCheck, MatchesTheStraightforwardModelOnRandomTeams)
{
    int belowThreshold = 0;
    int scored = 0;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Rng rng(seed);
        auto tables = std::make_unique<PlanningTables>();
        const int maxStat = seed % 4 == 0 ? 65535 : 9999;
        rosters::FillRoster(tables->heroTable, rng, rosters::StatKind::Uniform, 64, maxStat);
        const int virus = Uniform(rng, 0, 63);
        rosters::SetRandomVirus(tables->virusTable[virus], rng, seed % 3 == 0 ? 9999 : 3333);
        const Strategy strategy = rosters::StrategyOf(Uniform(rng, 0, 20));
        const int n = strategy.n;
        const int k = strategy.k;
        int team[6];
        RandomTeam(rng, team);
        ExpectMatchesModel(*tables, virus, n, k, team);
        const TeamCheck check = CheckTeam(*tables, virus, Strategy{n, k}, team);
        belowThreshold += check.reachesThreshold ? 0 : 1;
        scored += check.score > 0.0 ? 1 : 0;
    }
    // Both kinds of team, and teams that score, were among them.
    EXPECT_GT(belowThreshold, 5);
    EXPECT_GT(scored, 20);
}

// Margins of exactly 0: L = 0 scores 0, M = 0 goes on and scores 0 too.
TEST(TeamCheck, MarginsOfExactlyZero)
{
    TableBuilder builder;
    for (int hero = 0; hero < 6; ++hero)
        builder.hero(hero, 0, 100, 0);
    builder.virus(30, 10, 0, 0); // 可恨 0: the virus deals 0, so L = 2 × Rs = 0
    const int team[6] = {5, 4, 3, 2, 1, 0};
    TeamCheck check = CheckTeam(builder.tables(), 30, Strategy{2, 1}, team);
    EXPECT_EQ(check.lifeMargin, 0);
    EXPECT_EQ(check.score, 0.0);
    ExpectMatchesModel(builder.tables(), 30, 2, 1, team);

    // 可爱 600 raised 630: Dh = 630, (630 + 5) × 2 = 1270 = 2 × 愚蠢.
    for (int hero = 0; hero < 6; ++hero)
        builder.hero(hero, 100, 100, 0);
    builder.virus(30, 635, 0, 0);
    check = CheckTeam(builder.tables(), 30, Strategy{1, 1}, team);
    EXPECT_EQ(check.damageMargin, 0);
    EXPECT_GT(check.lifeMargin, 0);
    EXPECT_EQ(check.score, 0.0);
    ExpectMatchesModel(builder.tables(), 30, 1, 1, team);

    // One more 愚蠢: M = -2.
    builder.virus(30, 636, 0, 0);
    EXPECT_EQ(CheckTeam(builder.tables(), 30, Strategy{1, 1}, team).damageMargin, -2);
}

// The search's threshold example: a 可爱 total of 243 against a threshold
// of 245 scores 1/16 yet is below it.
TEST(TeamCheck, TeamBelowTheThresholdStillScores)
{
    TableBuilder builder;
    const int cutes[6] = {41, 41, 41, 40, 40, 40};
    for (int hero = 0; hero < 6; ++hero)
        builder.hero(hero, 2000, cutes[hero], 0, false);
    builder.virus(26, 70, 75, 2789);
    const int team[6] = {0, 1, 2, 3, 4, 5};
    const TeamCheck check = CheckTeam(builder.tables(), 26, Strategy{2, 1}, team);
    EXPECT_EQ(check.threshold, 245);
    EXPECT_FALSE(check.reachesThreshold);
    EXPECT_EQ(check.plan.cuteTotal, 243);
    EXPECT_EQ(check.damageMargin, 1);
    EXPECT_GT(check.lifeMargin, check.lifeSpan);
    EXPECT_DOUBLE_EQ(check.score, 1.0 / 16.0);
    EXPECT_EQ(LimitingMarginOf(check), LimitingMargin::Damage);
}

TEST(TeamCheck, LimitingMargin)
{
    TeamCheck check;
    check.lifeSpan = 11;
    check.damageSpan = 16;
    check.lifeMargin = 5; // 5/11 against 7/16
    check.damageMargin = 7;
    EXPECT_EQ(LimitingMarginOf(check), LimitingMargin::Damage);
    check.damageMargin = 8; // 5/11 against 8/16
    EXPECT_EQ(LimitingMarginOf(check), LimitingMargin::Life);
    check.lifeMargin = 11; // 1 against 1/2, the life margin capped
    check.damageMargin = 8;
    EXPECT_EQ(LimitingMarginOf(check), LimitingMargin::Damage);
    check.lifeMargin = 22; // both over their spans: 2 against 2
    check.damageMargin = 32;
    EXPECT_EQ(LimitingMarginOf(check), LimitingMargin::Neither);
}

TEST(TeamCheck, RefusesRepeatedOrUnknownHeroes)
{
    TableBuilder builder;
    const int repeated[6] = {1, 2, 3, 4, 5, 1};
    EXPECT_THROW(CheckTeam(builder.tables(), 0, Strategy{0, 0}, repeated), std::invalid_argument);
    const int unknown[6] = {1, 2, 3, 4, 5, 128};
    EXPECT_THROW(CheckTeam(builder.tables(), 0, Strategy{0, 0}, unknown), std::invalid_argument);
}

// The best plan of a search, checked, explains itself: the same figures and
// score, and a 可爱 total that reaches the threshold.
TEST(TeamCheck, PlanOfASearchChecksToItself)
{
    int plans = 0;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Rng rng(seed);
        auto tables = std::make_unique<PlanningTables>();
        rosters::FillRoster(tables->heroTable, rng, rosters::StatKind::Realistic, 30);
        rosters::FillRealisticViruses(tables->virusTable);
        const int virus = Uniform(rng, 0, 40);
        const Strategy strategy = rosters::StrategyOf(Uniform(rng, 0, 20));
        const PlanRequest request{virus, Uniform(rng, 0, 127), strategy, {}};
        PlanRecord plan;
        if (!FindBestTeam(*tables, request, plan))
            continue;
        ++plans;
        const TeamCheck check = CheckPlan(*tables, virus, strategy, plan);
        EXPECT_EQ(std::memcmp(&check.plan, &plan, sizeof plan), 0);
        EXPECT_TRUE(check.reachesThreshold);
        EXPECT_GT(check.lifeMargin, 0);
        EXPECT_GE(check.damageMargin, 0);
    }
    EXPECT_GT(plans, 20);
}

} // namespace
