#include "engine/CombatModel.h"
#include "tests/support/TableBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The worked team: six heroes whose totals are 5950/4500/1100 (raised
// 6247/4725/1155).
TeamTotals WorkedTeam()
{
    return {5950, 4500, 1100};
}

VirusRecord Virus(int stupid, int hateful, int notAbnormal)
{
    VirusRecord virus{};
    virus.stupid = static_cast<std::uint16_t>(stupid);
    virus.hateful = static_cast<std::uint16_t>(hateful);
    virus.notAbnormal = static_cast<std::uint16_t>(notAbnormal);
    return virus;
}

TEST(CombatModel, WorkedExamplesGiveTheirDamagesAndScores)
{
    struct Row
    {
        int virusIndex;
        VirusRecord virus;
        std::int64_t heroDamage, virusDamage, critDamage;
        double score;
    };
    const Row rows[] = {
        {30, Virus(4966, 6371, 1000), 3308, 4163, 8326, 7.0 * 5 / 16 / 11},
        {10, Virus(4966, 6371, 1000), 3308, 4163, 4163, 0.4375},
        {30, Virus(3000, 2500, 1000), 3308, 1634, 3268, 3939.0 * 7592 / 16 / 11},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.virusIndex);
        const TeamFigures figures = ComputeFigures(row.virus, row.virusIndex, WorkedTeam());
        EXPECT_EQ(figures.heroDamage, row.heroDamage);
        EXPECT_EQ(figures.virusDamage, row.virusDamage);
        EXPECT_EQ(figures.critDamage, row.critDamage);
        EXPECT_DOUBLE_EQ(ScoreTotals(row.virus, row.virusIndex, WorkedTeam(), Strategy{2, 1}),
                         row.score);
    }
}

TEST(CombatModel, ScoreTeamSumsTheSixCandidatePositions)
{
    TableBuilder builder;
    builder.hero(0, 1200, 900, 300).hero(1, 1100, 850, 250).hero(2, 1000, 800, 200);
    builder.hero(3, 950, 700, 150).hero(4, 900, 650, 100).hero(5, 800, 600, 100);
    builder.virus(30, 4966, 6371, 1000);
    const PlanningTables& tables = builder.tables();
    const CandidateList list{tables.heroTable, kHeroCount};
    const int positions[6] = {0, 1, 2, 3, 4, 5};
    const TeamTotals totals = SumTeam(list.records.data(), positions);
    EXPECT_EQ(totals.smart, 5950);
    EXPECT_EQ(totals.cute, 4500);
    EXPECT_EQ(totals.abnormal, 1100);
    EXPECT_DOUBLE_EQ(ScoreTeam(tables.virusTable, list, 30, positions, Strategy{2, 1}),
                     7.0 * 5 / 16 / 11);
}

TEST(CombatModel, RaisedTotalsTruncateAndTheGuardCapsAt2000)
{
    EXPECT_EQ(Raised(5950), 6247);
    EXPECT_EQ(Raised(4500), 4725);
    // Raised 2100 and raised 2000 give the same virus damage.
    const VirusRecord virus = Virus(1000, 6371, 0);
    EXPECT_EQ(VirusDamage(virus, 2000), VirusDamage(virus, 1905)); // 1905 → 2000
    EXPECT_EQ(Raised(1905), 2000);
    EXPECT_EQ(Raised(2000), 2100);
    EXPECT_EQ(VirusDamage(virus, 1905), (4000 * 6371 + 5000) / 10000);
}

TEST(CombatModel, MarginsAtZeroScoreZero)
{
    // n = 0: B = 1, C = 6; life margin = 2 × Rs - Dv × 0 = 2 × Rs.
    const TeamTotals noLife{0, 4500, 0};
    EXPECT_EQ(ScoreTotals(Virus(1, 100, 0), 5, noLife, Strategy{0, 0}), 0.0);

    // Damage margin (Dh + 5) × 1 - 2 × 愚蠢 exactly 0: Dh = 4725 with 不异常 0.
    const TeamTotals team{5950, 4500, 1100};
    EXPECT_EQ(ScoreTotals(Virus(2365, 100, 0), 5, team, Strategy{0, 0}), 0.0);
    EXPECT_EQ(ScoreTotals(Virus(2366, 100, 0), 5, team, Strategy{0, 0}), 0.0); // margin -2
    // One below: margin 2, life capped to 1, so 2 / 6.
    EXPECT_DOUBLE_EQ(ScoreTotals(Virus(2364, 100, 0), 5, team, Strategy{0, 0}), 2.0 / 6.0);

    // Life margin exactly 0 at n = 2: 2 × 6247 - Dv × 2 with
    // Dv = (6535 × 可恨 + 5000) / 10000, which is 6247 for 可恨 9560.
    const VirusRecord lifeZero = Virus(100, 9560, 0);
    ASSERT_EQ(VirusDamage(lifeZero, 1100), 6247);
    EXPECT_EQ(ScoreTotals(lifeZero, 5, team, Strategy{2, 0}), 0.0);
    // 可恨 9558 gives Dv 6246, a life margin of 2, and a capped damage margin.
    EXPECT_DOUBLE_EQ(ScoreTotals(Virus(100, 9558, 0), 5, team, Strategy{2, 0}), 16.0 * 2 / 16 / 11);
}

TEST(CombatModel, CritsCountFromLevel27On)
{
    const VirusRecord virus = Virus(4966, 6371, 1000);
    // Index 25 ignores the crits; index 26 counts them and doubles the crit damage.
    EXPECT_EQ(ScoreTotals(virus, 25, WorkedTeam(), Strategy{2, 1}),
              ScoreTotals(virus, 25, WorkedTeam(), Strategy{2, 0}));
    EXPECT_LT(ScoreTotals(virus, 26, WorkedTeam(), Strategy{2, 1}),
              ScoreTotals(virus, 26, WorkedTeam(), Strategy{2, 0}));
    EXPECT_EQ(ComputeFigures(virus, 25, WorkedTeam()).critDamage, 4163);
    EXPECT_EQ(ComputeFigures(virus, 26, WorkedTeam()).critDamage, 8326);
}

TEST(CombatModel, NotAbnormalAbove3333LeavesOnlyTheDamageBand)
{
    // (10000 - 3 × 3334) × 4725 = -9450; + 5000 = -4450; / 10000 truncates to 0.
    const VirusRecord virus = Virus(10, 100, 3334);
    EXPECT_EQ(HeroDamage(virus, 4500), 0);
    // With n = 0 the margin is (0 + 5) × 1 - 20 < 0.
    EXPECT_EQ(ScoreTotals(virus, 0, WorkedTeam(), Strategy{0, 0}), 0.0);
    // With 愚蠢 2 the band alone beats the virus: margin 5 - 4 = 1, so 1/6.
    EXPECT_DOUBLE_EQ(ScoreTotals(Virus(2, 100, 3334), 0, WorkedTeam(), Strategy{0, 0}), 1.0 / 6.0);
}

TEST(CombatModel, OneRoundCapsTheLifeMarginToOneUnlessBothExceed)
{
    // n = 0: B = 1, C = 6. Damage margin 4 keeps the life capped: 4/6.
    const TeamTotals team{5950, 4500, 1100};
    EXPECT_DOUBLE_EQ(ScoreTotals(Virus(2363, 100, 0), 0, team, Strategy{0, 0}), 4.0 / 6.0);
    // Damage margin 8 > 6 and life 12494 > 1: the uncapped product.
    EXPECT_DOUBLE_EQ(ScoreTotals(Virus(2361, 100, 0), 0, team, Strategy{0, 0}),
                     8.0 * 12494 / 6 / 1);
}

TEST(CombatModel, FullStatsNeverOverflow)
{
    // In 32 bits (10000 - 3 × 0) × Rc overflows here; the exact value is kept.
    const TeamTotals maxed{6 * 65535, 6 * 65535, 6 * 65535};
    const VirusRecord virus = Virus(65535, 65535, 0);
    EXPECT_EQ(Raised(maxed.smart), 412870);
    EXPECT_EQ(HeroDamage(virus, maxed.cute), 412870);
    EXPECT_EQ(VirusDamage(virus, maxed.abnormal), 26214);
    EXPECT_DOUBLE_EQ(ScoreTotals(virus, 40, maxed, Strategy{5, 5}), 2346180.0 * 563600 / 31 / 26);
    // A negative factor gives a large negative damage, not a wrapped one.
    EXPECT_EQ(HeroDamage(Virus(65535, 65535, 65535), maxed.cute), -7704360);
    EXPECT_EQ(ScoreTotals(Virus(65535, 65535, 65535), 40, maxed, Strategy{5, 5}), 0.0);
}

TEST(CombatModel, WinChanceExamples)
{
    EXPECT_EQ(WinChance(0, 0), 100.0f);
    EXPECT_EQ(WinChance(5, 2), 50.0f);
    EXPECT_EQ(WinChance(5, 1), 18.75f);
    EXPECT_EQ(WinChance(4, 1), 31.25f);
    EXPECT_EQ(WinChance(5, 4), 96.875f);
    for (int n = 0; n <= 5; ++n)
        EXPECT_EQ(WinChance(n, n), 100.0f) << n;
}

TEST(CombatModel, SearchThresholdExamples)
{
    EXPECT_EQ(SearchThreshold(Virus(70, 75, 2789), 2), 245);
    // 愚蠢 0 with 不异常 at most 3333 is negative for every strategy.
    for (int n = 0; n <= 5; ++n) {
        EXPECT_LT(SearchThreshold(Virus(0, 100, 0), n), 0) << n;
        EXPECT_LT(SearchThreshold(Virus(0, 100, 3333), n), 0) << n;
    }
    // Where 32-bit arithmetic would overflow, the exact value is returned.
    // q1 = 2 × 9999 - 1 = 19997; q2 = (199970000 - 40001) / 1 = 199929999.
    EXPECT_EQ(SearchThreshold(Virus(9999, 0, 3333), 0), 199929999LL * 100 / 105 + 1);
    EXPECT_EQ(SearchThreshold(Virus(65535, 0, 65535), 0),
              ((2 * 65535 - 1) * 10000LL - 40001) / (10000 - 3 * 65535) * 100 / 105 + 1);
}

} // namespace
