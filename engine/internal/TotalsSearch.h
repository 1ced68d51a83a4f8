#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/BranchAndBound.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/SearchRoster.h"
#include "engine/internal/TopTeamsSearch.h"

#include <cstdint>
#include <memory>

// The search over totals, for rosters where many teams tie or nearly tie and
// the branch and bound, which must tell each of them from the best, slows
// down. A team's score depends on the roster only through its totals Ts, Tc
// and Ta, and on Ta only up to 1905 (see CombatModel.h). So:
//
// 1. For every suffix j of the candidate list (positions j..N-1) and every
//    number of picks r (0..4), it keeps the set P(r, j) of the totals of r
//    heroes of the suffix that no other such total beats in all three
//    coordinates (Ts, Tc oriented as M moves, Ta up to 1905): the totals that
//    dominate, with equal totals kept once.
// 2. The best key is the best over the first picks p1 of the best key of the
//    leader, p1 and a total of P(4, p1 + 1).
// 3. The answer is the first team in the order of positions with that key:
//    each later pick takes the first position whose suffix set still reaches
//    the key, an exact test, so the walk never turns back.
//
// Why the sets suffice. Every quantity of the score is non-decreasing in Ts,
// in Ta and in Tc oriented by the sign of F (MarginModel (1), (3), (4)), and
// so is eligibility (Tc >= the threshold) where 可爱 rises with M. Where it
// falls (F < 0) this search is used only when every team is eligible, so
// eligibility plays no part. Hence if a total u of r heroes is at least a
// total v in every coordinate, then u plus any completion keys at least as
// high as v plus the same completion, Ta' = min(Ta, 1905) keeping that order
// (min(min(a, 1905) + f, 1905) = min(a + f, 1905)). The best key of a partial
// team over all completions from a suffix is therefore reached by a total of
// the suffix's set, and the test of step 3 is exact. Also by monotonicity, the
// key of the partial team plus the coordinate-wise largest values of a set
// bounds every key reachable through that set; a set whose bound is below
// what is sought is skipped whole.
//
// P(r, j) is the dominating part of P(r, j + 1) together with hero j added to
// each total of P(r - 1, j + 1). Both are kept sorted by (Ts, Tc, Ta)
// descending, adding one hero keeps that order, so each set is one merge of
// two sorted lists and one sweep: a total is dominated exactly when a total
// before it in that order has Tc and Ta at least its own, which a
// maximum-tree over Ta answers. Each set takes Ta only up to a cap of its own
// (setCaps()): the 不正常 the rest of any team using it surely brings is
// counted off 1905, so on rosters where every team's guard is capped the sets
// shrink to staircases over Ts and Tc.
//
// The sets live in one block sized when the workspace is made; a roster whose
// sets would not fit makes build() fail, and the caller searches otherwise.
// The sets depend on the candidate list and the direction of Tc only, never on
// the virus's stats or the strategy, so one build serves every search of the
// same list (LeaderSearch).
class TotalsSearch final
{
public:
    static constexpr std::int32_t kAbnormalCap = 1905;
    static constexpr int kMaxRest = SearchRoster::kMaxPick - 1; // picks after p1
    static constexpr int kCapacity = 1 << 21;                   // totals, 12 bytes each
    // Each set is also kept in runs of this many totals with the runs'
    // coordinate-wise largest values, so that a run whose bound is below
    // what is sought is skipped whole. Sorted by Ts, a set's runs hold
    // totals of near Ts (and, where 不正常 is capped, of near Tc), so the
    // runs' bounds are close to their totals' keys.
    static constexpr int kRun = 16;
    static constexpr int kRunCapacity = kCapacity / kRun + (kMaxRest + 1) * (kHeroCount + 1);

    // Left without initialisers so that the block of them is not written
    // when the workspace is made: a roster touches only what it fills.
    struct Total
    {
        std::int32_t smart;
        std::int32_t cute; // Tc, negated where M falls as 可爱 rises
        std::int32_t abnormal;
    };

    TotalsSearch();

    enum class BuildState
    {
        Running, // some suffixes are still to be built
        Done,    // every set is built; find() may be called
        Full,    // the sets do not fit
    };

    // Builds the sets for the picks of `roster`. cuteRises: M does not
    // decrease as Tc grows. False when the sets would not fit.
    bool build(const SearchRoster& roster, bool cuteRises);
    // The same in steps: beginBuild() starts over, buildMore() builds
    // suffixes until the sets hold at least keptLimit totals or are done.
    void beginBuild(const SearchRoster& roster, bool cuteRises);
    BuildState buildMore(std::uint64_t keptLimit);
    BuildState state() const { return m_state; }

    // The best team of the roster built, as BranchAndBound::run() gives it.
    // incumbentKey is the key of some team (0 when none is known); the answer
    // is found faster the closer it is to the best.
    SearchBest find(const MarginModel& model, std::int64_t threshold, std::int64_t incumbentKey);

    // Ranks into `list` every team whose key exceeds the list's floor, in
    // the order of positions, as a walk over every team would; after find()
    // or with the same model and threshold. Each pick is taken only where
    // its suffix's set still reaches a key above the floor (an exact test,
    // see the class comment), so every descent ends in a team that enters
    // the list. False when more than teamLimit teams entered, the list then
    // being incomplete. totalsTried() then counts the totals it tried.
    bool rank(const MarginModel& model, std::int64_t threshold, TopList& list,
              std::uint64_t teamLimit);

    // Totals kept in the sets, and totals whose key the last find() or
    // rank() computed.
    std::uint64_t totalsKept() const { return m_used; }
    std::uint64_t totalsTried() const { return m_tried; }

    // The 不正常 the totals of P(r, j) are taken up to (see setCaps()).
    std::int32_t cap(int r, int j) const { return m_cap[r][j]; }

    // The set P(r, j), for tests: `size` totals from `first`.
    const Total* set(int r, int j, int& size) const
    {
        size = m_size[r][j];
        return m_totals.get() + m_begin[r][j];
    }

private:
    std::int64_t keyOf(const Total& team) const;
    // The key of `partial` with `total` (a total of a set, or the largest
    // values of some of them, which bounds their keys).
    std::int64_t keyWith(const Total& partial, const Total& total) const;
    // The key bound of `partial` with any total of P(r, j).
    std::int64_t setBound(const Total& partial, int r, int j) const;
    // The best key of `partial` with a total of P(r, j), looking only at runs
    // whose bound is above `floor`; `floor` when none is above it.
    std::int64_t bestWith(const Total& partial, int r, int j, std::int64_t floor);
    bool reaches(const Total& partial, int r, int j, std::int64_t key);
    bool rankFrom(const Total& partial, int level, int from, int* team, TopList& list,
                  std::uint64_t& left);
    Total withHero(const Total& total, int position, std::int32_t cap) const;
    void setCaps();
    void merge(int r, int j);

    std::unique_ptr<Total[]> m_totals;
    std::unique_ptr<Total[]> m_runTop; // the largest values of each run
    std::uint64_t m_used = 0;
    std::uint64_t m_runsUsed = 0;
    BuildState m_state = BuildState::Running;
    int m_nextSuffix = 0; // the next suffix to build, down to 1
    std::uint64_t m_tried = 0;
    const SearchRoster* m_roster = nullptr;
    const MarginModel* m_model = nullptr;
    std::int64_t m_threshold = 0;
    bool m_cuteRises = true;
    int m_begin[kMaxRest + 1][kHeroCount + 1] = {};
    int m_size[kMaxRest + 1][kHeroCount + 1] = {};
    int m_runBegin[kMaxRest + 1][kHeroCount + 1] = {};
    Total m_top[kMaxRest + 1][kHeroCount + 1] = {}; // coordinate-wise largest of each set

    // The 不正常 each set's totals are taken up to (see setCaps()).
    std::int32_t m_cap[kMaxRest + 1][kHeroCount + 1] = {};
    // Maximum tree over Ta' below the cap (index cap - Ta'), holding the
    // largest Tc of the totals kept so far in one merge.
    std::int32_t m_tree[kAbnormalCap + 1] = {};
};
