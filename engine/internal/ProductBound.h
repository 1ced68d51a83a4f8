#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/SearchRoster.h"

#include <cstdint>

// A joint bound on the score key of every completion of a partial team.
//
// Bounding L and M separately pairs the best 聪明 completion with the best
// 可爱 completion, which may be different heroes: with the two stats
// anti-correlated that bound is far above any real team. This one weighs both
// margins on the same heroes. Both margins have linear upper bounds in the
// stat totals (see ProductBound.cpp):
//   L <= X = cs × Ts + ca × Ta + x0,     M <= Y = γ × Tc + y0,
// and for L, M > 0 the key is at most L × M (capping only lowers it), and for
// any t > 0, L × M <= (t × L + M / t)^2 / 4. The sum t × X + Y / t splits over
// the heroes, so its best completion from a suffix is a per-suffix table, like
// the best 聪明. The bound is the least over a few values of t.
//
// Filling those tables costs more than the whole search of most realistic
// rosters, where the separate bounds close nearly every subtree, so they are
// filled the first time closes() needs them.
class ProductBound final
{
public:
    static constexpr int kGridSize = 7;

    // Prepares the bound for one search over `roster`, which must outlive the
    // search; the bound stays inactive (closes() is always false) where it
    // cannot help: when M does not rise with 可爱, or when no team could score.
    void build(const SearchRoster& roster, const VirusRecord& virus, int virusIndex, int n, int k);

    bool active() const { return m_active; }

    // Whether no team made of a partial team with the stat totals given and
    // `remaining` more members from positions `from` on can have a key above
    // floorKey, by this bound. False says nothing, so the bound may decline
    // to look: while no team has scored (floorKey 0) it does for its first
    // kDeferredChecks calls, since a bound of 0 is rare and the tables would
    // rarely pay for themselves then.
    bool closes(std::int64_t smart, std::int64_t cute, std::int64_t abnormal, int remaining,
                int from, std::int64_t floorKey);

    // An upper bound on the key of every team made of a partial team with the
    // stat totals given and `remaining` more members from positions `from` on.
    // Only once the tables are filled.
    std::int64_t bound(std::int64_t smart, std::int64_t cute, std::int64_t abnormal, int remaining,
                       int from) const;

    static constexpr int kDeferredChecks = 32;

private:
    void fill();

    const SearchRoster* m_roster = nullptr;
    bool m_active = false;
    bool m_filled = false;
    int m_deferred = 0;                 // checks declined at floorKey 0
    double m_centre = 0.0;              // the t that suits the root best
    double m_smartCoefficient = 0.0;    // cs
    double m_abnormalCoefficient = 0.0; // ca
    double m_lifeConstant = 0.0;        // x0
    double m_cuteCoefficient = 0.0;     // γ
    double m_damageConstant = 0.0;      // y0
    double m_grid[kGridSize] = {};      // the values of t
    // topSum[g][r][j]: the largest sum of r per-hero terms t × x_i + γ × c_i / t
    // for t = m_grid[g] over the positions j..N-1.
    double m_topSum[kGridSize][SearchRoster::kMaxPick + 1][kHeroCount + 1] = {};
};
