#include "engine/TeamCheck.h"

#include "engine/CombatModel.h"
#include "engine/HeroSet.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>

TeamCheck CheckTeam(const PlanningTables& tables, int virusIndex, const Strategy& strategy,
                    const int heroes[6])
{
    const int n = strategy.n;
    const int k = strategy.k;
    assert(virusIndex >= 0 && virusIndex < kVirusCount);
    assert(n >= 0 && n <= 5 && k >= 0 && k <= n);
    HeroSet named;
    TeamTotals totals;
    TeamCheck check;
    for (int i = 0; i < 6; ++i) {
        const int hero = heroes[i];
        if (hero < 0 || hero >= kHeroCount)
            throw std::invalid_argument("hero index outside 0..127");
        if (named.contains(hero))
            throw std::invalid_argument("a team holds each hero once");
        named.insert(hero);
        const HeroRecord& record = tables.heroTable[hero];
        totals.smart += record.smart;
        totals.cute += record.cute;
        totals.abnormal += record.abnormal;
        check.plan.heroes[i] = static_cast<std::uint32_t>(hero);
    }

    const VirusRecord& virus = tables.virusTable[virusIndex];
    const TeamFigures figures = ComputeFigures(virus, virusIndex, totals);
    const std::int64_t countedCrits = CritsCount(virusIndex) ? k : 0;
    check.lifeMargin = 2 * Raised(totals.smart) - figures.virusDamage * (n + countedCrits);
    check.damageMargin = (figures.heroDamage + 5) * (n + 1) - 2 * std::int64_t{virus.stupid};
    check.lifeSpan = 5 * n + 1;
    check.damageSpan = 5 * n + 6;
    check.threshold = SearchThreshold(virus, n);
    check.reachesThreshold = totals.cute >= check.threshold;
    check.score = ScoreTotals(virus, virusIndex, totals, strategy);

    // Totals stay below 6 × 65535 and damages below 2^23: they fit the
    // record's 32-bit fields.
    PlanRecord& plan = check.plan;
    plan.smartTotal = static_cast<std::int32_t>(totals.smart);
    plan.cuteTotal = static_cast<std::int32_t>(totals.cute);
    plan.abnormalTotal = static_cast<std::int32_t>(totals.abnormal);
    plan.heroDamageLow = static_cast<std::int32_t>(figures.heroDamage);
    plan.heroDamageHigh = static_cast<std::int32_t>(figures.heroDamage + 5);
    plan.virusDamageLow = static_cast<std::int32_t>(figures.virusDamage);
    plan.virusDamageHigh = static_cast<std::int32_t>(figures.virusDamage + 5);
    plan.critDamageLow = static_cast<std::int32_t>(figures.critDamage);
    plan.critDamageHigh = static_cast<std::int32_t>(figures.critDamage + 5);
    plan.score = static_cast<float>(check.score);
    return check;
}

TeamCheck CheckPlan(const PlanningTables& tables, int virusIndex, const Strategy& strategy,
                    const PlanRecord& plan)
{
    int heroes[6];
    for (int i = 0; i < 6; ++i)
        heroes[i] = static_cast<int>(std::min<std::uint32_t>(plan.heroes[i], kHeroCount));
    return CheckTeam(tables, virusIndex, strategy, heroes);
}

LimitingMargin LimitingMarginOf(const TeamCheck& check)
{
    // L / B against M / C, compared exactly as L × C against M × B; within
    // the spans each margin counts only up to its span.
    const bool bothExceed =
        check.lifeMargin > check.lifeSpan && check.damageMargin > check.damageSpan;
    const std::int64_t life =
        bothExceed ? check.lifeMargin : std::min(check.lifeMargin, check.lifeSpan);
    const std::int64_t damage =
        bothExceed ? check.damageMargin : std::min(check.damageMargin, check.damageSpan);
    const std::int64_t lifeSide = life * check.damageSpan;
    const std::int64_t damageSide = damage * check.lifeSpan;
    if (lifeSide < damageSide)
        return LimitingMargin::Life;
    if (damageSide < lifeSide)
        return LimitingMargin::Damage;
    return LimitingMargin::Neither;
}
