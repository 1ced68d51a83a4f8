#include "engine/internal/ProductBound.h"

#include "engine/CombatModel.h"
#include "engine/internal/TopSums.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

// The linear bounds, with h = 可恨, c = n + k' counted hits, F = 10000 - 3 × 不异常:
// - L <= 2.1 × Ts + 315e-6 × c × h × Ta - 1e-4 × c × (10000 × h - 4999), the
//   life weights of SearchRoster divided by 10^6; tight while G is below its cap;
// - L <= 2.1 × Ts - c × Dv(G = 2000): 2Rs <= 2.1 × Ts, and Dv does not increase
//   with G <= 2000; tight once G reaches its cap;
// - for F > 0, Dh = floor((F × Rc + 5000) / 10000) <= (1.05 × F × Tc + 5000) / 10000,
//   so M <= γ × Tc + y0 with γ = 1.05 × F × (n + 1) / 10000 and
//   y0 = 5.5 × (n + 1) - 2 × 愚蠢.
// Of the two life bounds the search uses the one lower for the best completion
// of the leader; either is valid for every team.
void ProductBound::build(const SearchRoster& roster, const VirusRecord& virus, int virusIndex,
                         int n, int k)
{
    m_active = false;
    m_filled = false;
    m_deferred = 0;
    m_roster = &roster;
    const int count = roster.count;
    const double cuteFactor = 10000.0 - 3.0 * virus.notAbnormal;
    if (count < 6 || cuteFactor <= 0.0)
        return;
    const double counted = n + (CritsCount(virusIndex) ? k : 0);
    const double hateful = virus.hateful;
    m_cuteCoefficient = 1.05 * cuteFactor * (n + 1) / 10000.0;
    m_damageConstant = 5.5 * (n + 1) - 2.0 * virus.stupid;

    struct LifeLine
    {
        double smart;
        double abnormal;
        double constant;
    };
    const std::int64_t cappedDamage = (4000 * std::int64_t{virus.hateful} + 5000) / 10000;
    const LifeLine lines[2] = {
        {2.1, 315e-6 * counted * hateful, -1e-4 * counted * (10000.0 * hateful - 4999.0)},
        {2.1, 0.0, -counted * static_cast<double>(cappedDamage)},
    };
    // The bound each line gives for the leader's best completion.
    const auto rootLife = [&](const LifeLine& line) {
        TopSums<double, SearchRoster::kMaxPick> best;
        for (int p = 1; p < count; ++p)
            best.add(line.smart * roster.smart[p] + line.abnormal * roster.abnormal[p]);
        return line.smart * roster.smart[0] + line.abnormal * roster.abnormal[0] + line.constant +
               best.largestSum(SearchRoster::kMaxPick);
    };
    const double lifeA = rootLife(lines[0]);
    const double lifeB = rootLife(lines[1]);
    const LifeLine& line = lifeA <= lifeB ? lines[0] : lines[1];
    const double rootLifeBound = std::min(lifeA, lifeB);
    const double rootDamageBound =
        m_cuteCoefficient * (roster.cute[0] + roster.cuteRun[SearchRoster::kMaxPick][1]) +
        m_damageConstant;
    if (rootLifeBound <= 0.0 || rootDamageBound <= 0.0)
        return;
    m_smartCoefficient = line.smart;
    m_abnormalCoefficient = line.abnormal;
    m_lifeConstant = line.constant;
    // t × L + M / t is least, for the root's bounds, at t = sqrt(Y / X).
    m_centre = std::sqrt(rootDamageBound / rootLifeBound);
    m_active = true;
}

// Deeper nodes than the root differ, so the grid spreads by factors of
// sqrt(2) around the root's best t. Any t > 0 gives a valid bound, so the
// factors need not be exact.
void ProductBound::fill()
{
    assert(m_active && !m_filled);
    static constexpr double kSpread[kGridSize] = {
        0.35355339059327379, 0.5, 0.70710678118654752, 1.0,
        1.4142135623730951,  2.0, 2.8284271247461902};
    const SearchRoster& roster = *m_roster;
    for (int g = 0; g < kGridSize; ++g) {
        const double t = m_centre * kSpread[g];
        m_grid[g] = t;
        TopSums<double, SearchRoster::kMaxPick> best;
        for (int j = roster.count; j >= 0; --j) {
            if (j < roster.count) {
                const double life = m_smartCoefficient * roster.smart[j] +
                                    m_abnormalCoefficient * roster.abnormal[j];
                best.add(t * life + m_cuteCoefficient * roster.cute[j] / t);
            }
            best.writeColumn(m_topSum[g], j);
        }
    }
    m_filled = true;
}

bool ProductBound::closes(std::int64_t smart, std::int64_t cute, std::int64_t abnormal,
                          int remaining, int from, std::int64_t floorKey)
{
    if (!m_active)
        return false;
    if (!m_filled) {
        if (floorKey == 0 && m_deferred < kDeferredChecks) {
            ++m_deferred;
            return false;
        }
        fill();
    }
    return bound(smart, cute, abnormal, remaining, from) <= floorKey;
}

// Every quantity is a sum of a few products of doubles, each correctly
// rounded, so the computed v is within 10^-12 of the sum of the magnitudes
// of its terms from the exact one; that much is added before squaring, and
// the square is rounded up with room to spare.
std::int64_t ProductBound::bound(std::int64_t smart, std::int64_t cute, std::int64_t abnormal,
                                 int remaining, int from) const
{
    assert(m_active && m_filled);
    assert(remaining >= 0 && remaining <= SearchRoster::kMaxPick);
    const double life = m_smartCoefficient * static_cast<double>(smart) +
                        m_abnormalCoefficient * static_cast<double>(abnormal) + m_lifeConstant;
    const double damage = m_cuteCoefficient * static_cast<double>(cute) + m_damageConstant;
    double least = std::numeric_limits<double>::infinity();
    for (int g = 0; g < kGridSize; ++g) {
        const double t = m_grid[g];
        const double top = m_topSum[g][remaining][from];
        const double magnitude = std::abs(t * life) + std::abs(damage / t) + std::abs(top) +
                                 std::abs(m_lifeConstant * t) + std::abs(m_damageConstant / t);
        const double v = t * life + damage / t + top + 1e-12 * magnitude;
        // No completion has both margins positive: every key is 0.
        if (v <= 0.0)
            return 0;
        least = std::min(least, v);
    }
    const double key = least * least / 4.0 * (1.0 + 1e-12) + 1.0;
    if (key >= 0x1.0p62)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(key);
}
