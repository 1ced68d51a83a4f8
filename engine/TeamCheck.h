#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanningTables.h"
#include "engine/Strategies.h"

#include <cstdint>

// Any six heroes against a virus under a strategy, scored by the combat model
// whether or not the search would ever consider them, with the figures that
// explain the score (the symbols of CombatModel.h).
struct TeamCheck
{
    // The six heroes in the order given, their totals, damages and score.
    PlanRecord plan;
    double score = 0.0;            // the score before rounding to the plan's float
    std::int64_t lifeMargin = 0;   // L, before capping
    std::int64_t damageMargin = 0; // M, before capping
    std::int64_t lifeSpan = 0;     // B
    std::int64_t damageSpan = 0;   // C
    std::int64_t threshold = 0;    // the search's threshold b for the 可爱 total
    // Whether Tc reaches b; a team below it is never scored by the search.
    bool reachesThreshold = false;
};

// Which margin holds a team's score down: the one whose capped fraction
// (L / B or M / C, each at most 1) is the smaller, or, when both exceed their
// spans, the one exceeding its span by the smaller factor.
enum class LimitingMargin
{
    Life,
    Damage,
    Neither, // both fractions equal
};

// Checks six distinct hero indices 0..127 (checked or not) against the virus
// at virusIndex under `strategy`; its crits count only where crits count.
// Throws std::invalid_argument for a hero outside 0..127 or named twice.
TeamCheck CheckTeam(const PlanningTables& tables, int virusIndex, const Strategy& strategy,
                    const int heroes[6]);

// The same for the six heroes of a plan, in the plan's order: the figures a
// plan's index is explained by.
TeamCheck CheckPlan(const PlanningTables& tables, int virusIndex, const Strategy& strategy,
                    const PlanRecord& plan);

LimitingMargin LimitingMarginOf(const TeamCheck& check);
