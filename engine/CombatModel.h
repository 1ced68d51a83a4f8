#pragma once

#include "engine/Candidates.h"
#include "engine/PlanningTables.h"
#include "engine/Strategies.h"

#include <cstdint>

// The combat model of one team of six against one virus under one strategy.
// Its symbols, used with these meanings throughout the engine:
//   n   the virus's hits, rounds - 1 (0..5); the heroes strike n + 1 times
//   k   the crits the team is planned to withstand (0..n)
//   k'  the crits counted: k for a virus at kFirstCritVirus or above, else 0
//   Ts, Tc, Ta   the team's plain totals of 聪明, 可爱 and 不正常
//   Rs, Rc, Ra   the raised totals, T × 105 / 100
//   G   the guard, min(Ra, 2000); Ra reaches 2000 at Ta = 1905, so the score
//       depends on Ta only up to 1905
//   Dh  the heroes' damage per hit, ((10000 - 3 × 不异常) × Rc + 5000) / 10000;
//       F = 10000 - 3 × 不异常 is its factor, negative from 不异常 3334 on
//   Dv  the virus's damage per hit, ((10000 - 3 × G) × 可恨 + 5000) / 10000
//   L   the life margin, 2 × Rs - Dv × (n + k')
//   M   the damage margin, (Dh + 5) × (n + 1) - 2 × 愚蠢
//   B   the life span, 5 × n + 1
//   C   the damage span, 5 × n + 6
// The score is 0 when L <= 0 or M < 0; otherwise M × L / C / B with both
// margins capped at their spans unless both exceed them.
//
// Every integer quantity is the exact value of its formula with divisions
// truncating toward zero. Stats go up to 65535, where some products leave the
// 32-bit range, so the arithmetic is 64-bit; for stats up to 9999 the values
// are those of 32-bit arithmetic bit for bit.

struct TeamTotals
{
    std::int64_t smart = 0;    // Ts
    std::int64_t cute = 0;     // Tc
    std::int64_t abnormal = 0; // Ta
};

// The figures the plan view shows for a team, besides its score.
struct TeamFigures
{
    std::int64_t heroDamage = 0;  // Dh; the heroes deal Dh..Dh+5 per hit
    std::int64_t virusDamage = 0; // Dv; a normal hit deals Dv..Dv+5
    std::int64_t critDamage = 0;  // Cv; a critical hit deals Cv..Cv+5
};

inline constexpr std::int64_t Raised(std::int64_t total)
{
    return total * 105 / 100;
}

// Dh = ((10000 - 3 × 不异常) × Rc + 5000) / 10000
inline constexpr std::int64_t HeroDamage(const VirusRecord& virus, std::int64_t cuteTotal)
{
    return ((10000 - 3 * std::int64_t{virus.notAbnormal}) * Raised(cuteTotal) + 5000) / 10000;
}

// Dv = ((10000 - 3 × G) × 可恨 + 5000) / 10000 with the guard G = min(Ra, 2000)
inline constexpr std::int64_t VirusDamage(const VirusRecord& virus, std::int64_t abnormalTotal)
{
    std::int64_t guard = Raised(abnormalTotal);
    if (guard > 2000)
        guard = 2000;
    return ((10000 - 3 * guard) * std::int64_t{virus.hateful} + 5000) / 10000;
}

inline constexpr bool CritsCount(int virusIndex)
{
    return virusIndex >= kFirstCritVirus;
}

TeamFigures ComputeFigures(const VirusRecord& virus, int virusIndex, const TeamTotals& totals);

// The score of a team from its stat totals under the strategy's n and k; 0
// or above. Returns as soon as the life margin fails, before the heroes'
// damage is computed.
double ScoreTotals(const VirusRecord& virus, int virusIndex, const TeamTotals& totals,
                   const Strategy& strategy);

// The stat totals of six candidate-list positions.
TeamTotals SumTeam(const HeroRecord* candidates, const int positions[6]);

// Score of the team at six positions of a search's candidate list against the
// virus at virusIndex.
double ScoreTeam(const VirusTable& viruses, const CandidateList& list, int virusIndex,
                 const int positions[6], const Strategy& strategy);

// The percentage of the 2^n hit sequences with at most k critical hits.
float WinChance(int n, int k);

// The least 可爱 total a team needs before it is scored at all. Not an exact
// bound on feasibility; the search uses exactly this formula.
std::int64_t SearchThreshold(const VirusRecord& virus, int n);
