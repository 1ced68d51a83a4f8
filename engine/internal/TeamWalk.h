#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/CompletionBounds.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/SearchRoster.h"

#include <atomic>
#include <cstdint>

// The branch and bound over the teams of one search, in the reference's
// lexicographic order of candidate positions, for a sink that keeps either
// the single best team or the best K (BranchAndBound, TopTeamsSearch).
//
// A sink gives floor(), the key a team must exceed to change it; takes
// offer(key, team) for a team of such a key, found after every team offered
// before; and gives wanted(), how many teams it ranks (1 for the best alone).
//
// - A subtree is skipped when no team in it can have a key above the floor
//   (CompletionBounds, then the joint ProductBound): such a team could only
//   change the sink by beating its floor, and a team found later with an
//   equal key ranks below the ones it has. The floor only rises, so a team
//   skipped would also have been pushed out or refused later.
// - Every team with a key above the floor when it is reached is scored and
//   offered, so the sink ends with the first `wanted` teams of the ranking.
// - Equal heroes: take a run of consecutive positions holding heroes with the
//   same three stats, and a team T that leaves u of them out while it holds a
//   later one of the run, p. Swapping p for u gives a team of the same
//   totals, so the same key, whose positions come first in the order (the
//   sorted positions first differ where u goes in, and u is smaller). Each
//   such member u left out before the team's last member of its run, in each
//   run, gives a different team; call their number T's swaps. At least
//   `swaps` teams of T's key come before T in the ranking, so T is not among
//   the first `wanted` once swaps >= wanted. Later picks never lower a
//   partial team's swaps (a later member of a run only adds members left out
//   before it), so the whole subtree goes, and so does every later pick in
//   the same run, whose swaps are higher still. With wanted = 1 this skips a
//   hero identical to the one before it wherever that one could be picked.
template <typename Sink> class TeamWalk final
{
public:
    TeamWalk(const SearchRoster& roster, const MarginModel& model, ProductBound& product,
             std::int64_t threshold, const std::atomic<bool>* cancel = nullptr);

    // Walks the teams into `sink` until the end, or until `cancel` is set
    // or the work (teams scored and nodes visited) passes workLimit; each run
    // starts over.
    void run(Sink& sink, std::uint64_t workLimit = UINT64_MAX);

    bool stopped() const { return m_stopped; }
    bool cancelled() const { return m_cancelled; }
    std::uint64_t teamsScored() const { return m_scored; }
    std::uint64_t nodesVisited() const { return m_nodes; }

private:
    using Partial = PartialTeam;

    bool closed(const Partial& sum, int remaining, int from, std::int64_t cuteHigh) const;
    // The swaps a pick at `pick` adds to a partial team whose previous pick
    // is `previous` (see the class comment).
    int swapsAdded(int previous, int pick) const;
    // Whether the walk must stop: cancelled, or out of work. Once true the
    // walk unwinds.
    bool stopAsked();
    bool outOfWork() const { return m_scored + m_nodes > m_workLimit; }
    template <int Level> void descend(const Partial& sum, int from, int swaps);
    void pickFourth(const Partial& sum, int from, int swaps);
    void scoreLastPick(const Partial& sum, int from, int swaps);

    const SearchRoster& m_roster;
    const MarginModel& m_model;
    ProductBound& m_product; // fills its tables when first needed
    const std::int64_t m_threshold;
    const bool m_damageRisesWithCute;
    const CompletionBounds m_bounds;
    const std::atomic<bool>* const m_cancel;
    Sink* m_sink = nullptr;
    int m_wanted = 1;
    std::uint64_t m_workLimit = UINT64_MAX;
    std::uint64_t m_scored = 0;
    std::uint64_t m_nodes = 0;
    bool m_stopped = false;
    bool m_cancelled = false;
    int m_team[6] = {};
    // The runs of equal heroes among positions 1..N-1: first and last
    // position of the run holding each position.
    int m_runStart[kHeroCount] = {};
    int m_runEnd[kHeroCount] = {};
};
