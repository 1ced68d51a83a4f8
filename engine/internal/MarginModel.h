#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/CombatModel.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

// The combat model of ScoreTotals taken apart for the fast search: the life
// margin L as a function of the 聪明 and 不正常 totals, the damage margin M as a
// function of the 可爱 total, and the score as a function of (L, M) through an
// exact integer "score key". Built once per search for one virus and strategy.
//
// The score key of (L, M) is the product the score divides:
//   0                  when L <= 0 or M <= 0 (the score is 0),
//   L × M              when L > B and M > C,
//   min(M, C) × min(L, B) otherwise,
// and the score is Score(key) = key / C / B in double precision, computed as
// ScoreTotals computes it. The key is below 2^42, exact as a double, so
// Score(key) is bit for bit ScoreTotals' result.
//
// Monotonicity, which every bound of the search rests on:
//
// (1) Key is non-decreasing in L for fixed M (and, symmetrically, in M for
//     fixed L). Take L < L'. If L <= 0 the key is 0, the least possible. If
//     M <= 0 both keys are 0. Otherwise, if (L, M) is uncapped so is (L', M)
//     and L × M <= L' × M. If both are capped, min(L, B) <= min(L', B). If
//     (L, M) is capped and (L', M) is not, then M > C and L <= B, so the first
//     key is C × L <= C × B while the second is M × L' > C × B.
// (2) Score(key) is strictly increasing over the keys that occur, so keys
//     order teams exactly as scores do and the search compares keys. Margins
//     stay below 2^20 (L) and 2^22 (M), so keys are integers below 2^42. For
//     keys a < b the exact values a / C / B and b / C / B differ by at least
//     1 / (C × B) >= 1 / (31 × 26) > 2^-10, while each computed value lies
//     within 2^-13 of its exact one (two correctly rounded divisions of
//     values below 2^40, each off by at most 2^-14): less than half the gap.
// (3) L is non-decreasing in the 聪明 total Ts: Rs = Ts × 105 / 100 truncates a
//     non-negative value, so it does not decrease. L is non-decreasing in the
//     不正常 total Ta: Ra does not decrease, G = min(Ra, 2000) does not
//     decrease, 10000 - 3G >= 4000 > 0 so the numerator of Dv is positive and
//     does not increase, Dv does not increase, and L = 2Rs - Dv × (n + k')
//     with n + k' >= 0 does not decrease.
// (4) M moves with the 可爱 total Tc in the direction of the factor
//     F = 10000 - 3 × 不异常: Rc does not decrease with Tc, so F × Rc + 5000
//     does not decrease when F >= 0 and does not increase when F < 0;
//     division by 10000 truncating toward zero is non-decreasing in the
//     numerator; M = (Dh + 5) × (n + 1) - 2 × 愚蠢 follows Dh.
class MarginModel final
{
public:
    MarginModel(const VirusRecord& virus, int virusIndex, int n, int k)
        : m_hateful(virus.hateful), m_stupidTwice(2 * std::int64_t{virus.stupid}),
          m_cuteFactor(10000 - 3 * std::int64_t{virus.notAbnormal}), m_hits(n),
          m_countedHits(n + (CritsCount(virusIndex) ? k : 0)), m_lifeSpan(5 * n + 1),
          m_damageSpan(5 * n + 6)
    {
        assert(n >= 0 && n <= 5 && k >= 0 && k <= n);
        assert(virusIndex >= 0 && virusIndex < kVirusCount);
    }

    // L = 2 × Rs - Dv × (n + k'), exactly as ScoreTotals computes it.
    std::int64_t lifeMargin(std::int64_t smartTotal, std::int64_t abnormalTotal) const
    {
        const std::int64_t guard = std::min<std::int64_t>(Raised(abnormalTotal), 2000);
        const std::int64_t virusDamage = ((10000 - 3 * guard) * m_hateful + 5000) / 10000;
        return 2 * Raised(smartTotal) - virusDamage * m_countedHits;
    }

    // M = (Dh + 5) × (n + 1) - 2 × 愚蠢, exactly as ScoreTotals computes it.
    std::int64_t damageMargin(std::int64_t cuteTotal) const
    {
        const std::int64_t heroDamage = (m_cuteFactor * Raised(cuteTotal) + 5000) / 10000;
        return (heroDamage + 5) * (m_hits + 1) - m_stupidTwice;
    }

    // The score key of (L, M); see the class comment.
    std::int64_t key(std::int64_t life, std::int64_t damage) const
    {
        if (life <= 0 || damage <= 0)
            return 0;
        if (life > m_lifeSpan && damage > m_damageSpan)
            return life * damage;
        return std::min(life, m_lifeSpan) * std::min(damage, m_damageSpan);
    }

    // The score of a key, computed in ScoreTotals' order of operations.
    double score(std::int64_t scoreKey) const
    {
        return static_cast<double>(scoreKey) / static_cast<double>(m_damageSpan) /
               static_cast<double>(m_lifeSpan);
    }

    // n + k', the virus's hits the life margin counts.
    int countedHits() const { return static_cast<int>(m_countedHits); }

    // True when M does not decrease as the 可爱 total grows (F >= 0).
    bool damageRisesWithCute() const { return m_cuteFactor >= 0; }

    // The least life margin whose key with a damage margin of at most
    // damageLimit could exceed floorKey (kUnreachable when none could).
    std::int64_t lifeNeeded(std::int64_t damageLimit, std::int64_t floorKey) const
    {
        return marginNeeded(damageLimit, m_damageSpan, m_lifeSpan, floorKey);
    }

    // The least damage margin whose key with a life margin of at most
    // lifeLimit could exceed floorKey (kUnreachable when none could).
    std::int64_t damageNeeded(std::int64_t lifeLimit, std::int64_t floorKey) const
    {
        return marginNeeded(lifeLimit, m_lifeSpan, m_damageSpan, floorKey);
    }

    // The least 可爱 total whose damage margin reaches `damage`, for F > 0
    // (where M rises with 可爱). Each step inverts one step of damageMargin
    // exactly, with h = Dh, R = Rc:
    //   M >= damage   <=>  h >= ceil((damage + 2 × 愚蠢) / (n + 1)) - 5 =: D
    //   h >= D        <=>  F × R + 5000 >= 10000 × D  (the numerator is >= 0)
    //                 <=>  R >= ceil((10000 × D - 5000) / F) =: R*
    //   Rc >= R*      <=>  105 × Tc >= 100 × R*       (Rc = floor(1.05 × Tc))
    std::int64_t cuteNeeded(std::int64_t damage) const
    {
        assert(m_cuteFactor > 0);
        if (damage >= kUnreachable)
            return kUnreachable;
        const std::int64_t heroDamage = CeilDiv(damage + m_stupidTwice, m_hits + 1) - 5;
        const std::int64_t raised = CeilDiv(10000 * heroDamage - 5000, m_cuteFactor);
        const std::int64_t cute = std::max<std::int64_t>(0, CeilDiv(100 * raised, 105));
        assert(damageMargin(cute) >= damage && (cute == 0 || damageMargin(cute - 1) < damage));
        return cute;
    }

    // Margins never reach this; keys built from it exceed every real key.
    static constexpr std::int64_t kUnreachable = std::int64_t{1} << 40;

private:
    // Division rounding toward positive infinity, for a positive divisor.
    static constexpr std::int64_t CeilDiv(std::int64_t value, std::int64_t divisor)
    {
        const std::int64_t quotient = value / divisor;
        return quotient * divisor < value ? quotient + 1 : quotient;
    }

    // The least margin x with key(x, other) > floorKey for the largest allowed
    // value `other` of the other margin, by (1) the least x for every smaller
    // other margin too. `span` is x's own span, `otherSpan` the other's.
    static std::int64_t marginNeeded(std::int64_t other, std::int64_t otherSpan, std::int64_t span,
                                     std::int64_t floorKey)
    {
        assert(floorKey >= 0);
        if (other <= 0)
            return kUnreachable;
        // Capped: min(other, otherSpan) × x > floorKey with x <= span.
        const std::int64_t cappedOther = std::min(other, otherSpan);
        const std::int64_t capped = floorKey / cappedOther + 1;
        if (capped <= span)
            return capped;
        // Uncapped: other × x > floorKey with x > span, needs other > otherSpan.
        if (other <= otherSpan)
            return kUnreachable;
        return std::max(span + 1, floorKey / other + 1);
    }

    std::int64_t m_hateful = 0;
    std::int64_t m_stupidTwice = 0;
    std::int64_t m_cuteFactor = 0;
    std::int64_t m_hits = 0;
    std::int64_t m_countedHits = 0;
    std::int64_t m_lifeSpan = 1;
    std::int64_t m_damageSpan = 6;
};
