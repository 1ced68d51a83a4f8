#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/MarginModel.h"
#include "engine/internal/SearchRoster.h"

#include <algorithm>
#include <cstdint>

// The stat totals of a partial team, and the sum of its life weights.
struct PartialTeam
{
    std::int64_t smart = 0;
    std::int64_t cute = 0;
    std::int64_t abnormal = 0;
    std::int64_t life = 0;

    PartialTeam plus(const SearchRoster& roster, int position) const
    {
        return {smart + roster.smart[position], cute + roster.cute[position],
                abnormal + roster.abnormal[position], life + roster.lifeWeight[position]};
    }
};

// The bounds both branch-and-bound walks (the best team, the best K teams)
// hold against their floor: upper bounds for every team made of a partial
// team `sum` and `remaining` more members from positions `from` onward. By
// monotonicity (MarginModel (1), (3), (4)):
// - L is at most its value for the best 聪明 and the best 不正常 completions,
//   taken separately (SearchRoster::topSmart, topAbnormal), and at most the
//   linear bound of the best life-weight completion (topLife);
// - M is at most its value for the most 可爱 completion (cuteHigh) when M
//   rises with 可爱, and for the least eligible 可爱 total otherwise: the least
//   sum of `remaining` values is that of the last positions, and a team below
//   the threshold is never scored.
class CompletionBounds final
{
public:
    CompletionBounds(const SearchRoster& roster, const MarginModel& model, std::int64_t threshold)
        : m_roster(roster), m_model(model), m_threshold(threshold),
          m_damageRisesWithCute(model.damageRisesWithCute())
    {
    }

    std::int64_t lifeBound(const PartialTeam& sum, int remaining, int from) const
    {
        const std::int64_t separate =
            m_model.lifeMargin(sum.smart + m_roster.topSmart[remaining][from],
                               sum.abnormal + m_roster.topAbnormal[remaining][from]);
        const std::int64_t linear =
            FloorDiv(sum.life + m_roster.topLife[remaining][from] + m_roster.lifeOffset, 1'000'000);
        return std::min(separate, linear);
    }

    std::int64_t boundKey(const PartialTeam& sum, int remaining, int from,
                          std::int64_t cuteHigh) const
    {
        const std::int64_t cuteTotal =
            m_damageRisesWithCute ? cuteHigh
                                  : std::max(m_threshold, sum.cute + m_roster.cuteTail[remaining]);
        return m_model.key(lifeBound(sum, remaining, from), m_model.damageMargin(cuteTotal));
    }

    // The least 可爱 total a team needs to be scored and to have a key above
    // floorKey when its life margin is at most lifeLimit: the threshold, and
    // where M rises with 可爱, the total whose damage margin the floor calls
    // for.
    std::int64_t cuteFloor(std::int64_t lifeLimit, std::int64_t floorKey) const
    {
        if (!m_damageRisesWithCute || m_model.damageNeeded(lifeLimit, floorKey) <= 0)
            return m_threshold;
        return std::max(m_threshold, m_model.cuteNeeded(m_model.damageNeeded(lifeLimit, floorKey)));
    }

private:
    // Division rounding toward negative infinity, for a positive divisor.
    static constexpr std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor)
    {
        const std::int64_t quotient = value / divisor;
        return quotient * divisor > value ? quotient - 1 : quotient;
    }

    const SearchRoster& m_roster;
    const MarginModel& m_model;
    const std::int64_t m_threshold;
    const bool m_damageRisesWithCute;
};
