#include "engine/CombatModel.h"

#include <cassert>

TeamFigures ComputeFigures(const VirusRecord& virus, int virusIndex, const TeamTotals& totals)
{
    TeamFigures figures;
    figures.heroDamage = HeroDamage(virus, totals.cute);
    figures.virusDamage = VirusDamage(virus, totals.abnormal);
    figures.critDamage = CritsCount(virusIndex) ? 2 * figures.virusDamage : figures.virusDamage;
    return figures;
}

double ScoreTotals(const VirusRecord& virus, int virusIndex, const TeamTotals& totals,
                   const Strategy& strategy)
{
    const int n = strategy.n;
    const int k = strategy.k;
    assert(n >= 0 && n <= 5 && k >= 0 && k <= n);
    const std::int64_t countedCrits = CritsCount(virusIndex) ? k : 0;
    const std::int64_t virusDamage = VirusDamage(virus, totals.abnormal);
    std::int64_t lifeMargin = 2 * Raised(totals.smart) - virusDamage * (n + countedCrits);
    if (lifeMargin <= 0)
        return 0.0;

    const std::int64_t heroDamage = HeroDamage(virus, totals.cute);
    std::int64_t damageMargin = (heroDamage + 5) * (n + 1) - 2 * std::int64_t{virus.stupid};
    if (damageMargin < 0)
        return 0.0;

    const std::int64_t lifeSpan = 5 * n + 1;
    const std::int64_t damageSpan = 5 * n + 6;
    // Capped to at most 1 unless both margins exceed their spans.
    if (!(lifeMargin > lifeSpan && damageMargin > damageSpan)) {
        if (damageMargin > damageSpan)
            damageMargin = damageSpan;
        if (lifeMargin > lifeSpan)
            lifeMargin = lifeSpan;
    }
    // Both margins stay below 2^22, so the product is exact in double precision.
    return static_cast<double>(damageMargin) * static_cast<double>(lifeMargin) /
           static_cast<double>(damageSpan) / static_cast<double>(lifeSpan);
}

TeamTotals SumTeam(const HeroRecord* candidates, const int positions[6])
{
    TeamTotals totals;
    for (int i = 0; i < 6; ++i) {
        const HeroRecord& hero = candidates[positions[i]];
        totals.smart += hero.smart;
        totals.cute += hero.cute;
        totals.abnormal += hero.abnormal;
    }
    return totals;
}

double ScoreTeam(const VirusTable& viruses, const CandidateList& list, int virusIndex,
                 const int positions[6], const Strategy& strategy)
{
    return ScoreTotals(viruses[virusIndex], virusIndex, SumTeam(list.records.data(), positions),
                       strategy);
}

float WinChance(int n, int k)
{
    assert(n >= 0 && n <= 30 && k >= 0);
    int sum = 1;
    for (int j = 1; j <= k; ++j) {
        int binomial = 1;
        for (int t = 0; t < j; ++t)
            binomial = binomial * (n - t) / (t + 1);
        sum += binomial;
    }
    return static_cast<float>(sum * 100.0 / static_cast<double>(1u << n));
}

std::int64_t SearchThreshold(const VirusRecord& virus, int n)
{
    // In 32 bits q2 × 100 overflows for a few 不异常 values near 3333 with a
    // large 愚蠢; every damage margin is negative there, so the exact 64-bit
    // value changes no result and keeps the arithmetic defined.
    const std::int64_t q1 = (2 * std::int64_t{virus.stupid} - 1) / (n + 1);
    const std::int64_t q2 = (q1 * 10000 - 40001) / (10000 - 3 * std::int64_t{virus.notAbnormal});
    return q2 * 100 / 105 + 1;
}
