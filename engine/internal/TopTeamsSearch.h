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

// The best teams found so far, best first: score keys in descending order,
// equal keys in the order the teams were found, which is the order of their
// candidate positions. Fixed arrays, nothing allocated.
struct TopList
{
    static constexpr int kMost = 50;

    int wanted = 1;
    int count = 0;
    std::int64_t keys[kMost] = {};
    int positions[kMost][6] = {};
    std::uint64_t teamsScored = 0;
    // Keys at or below this never enter: 0 (a score of 0 never enters), or
    // one less than a key that `wanted` known teams reach, so that the K-th
    // best key is at least one above it.
    std::int64_t startFloor = 0;

    // A team must have a key above this to enter the list: the last key once
    // the list is full, startFloor before.
    std::int64_t floor() const { return count == wanted ? keys[wanted - 1] : startFloor; }

    // Adds a team with a key above floor(), found after every team already in
    // the list, so it goes below every key it does not exceed.
    void add(std::int64_t key, const int team[6]);
};

// Branch and bound for the best `wanted` teams of one search, in the
// reference's lexicographic order of candidate positions.
//
// It is the single search's walk (BranchAndBound) with the list's floor in
// place of the best key, and without the skip of a hero identical to the one
// before it: here such teams are different teams and are ranked too.
// - A subtree is skipped when no team in it can have a key above the floor:
//   such a team could only enter the list by beating the last key, and a team
//   found later with an equal key ranks below it. The floor only rises, so a
//   team skipped would also have been pushed out or refused later.
// - Every team with a key above the floor when it is reached is scored and
//   added, so the list ends as the first `wanted` teams of the ranking.
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
//   the same run, whose swaps are higher still. With wanted = 1 this is the
//   single search's skip of a hero identical to the one before it.
class TopTeamsSearch final
{
public:
    TopTeamsSearch(const SearchRoster& roster, const MarginModel& model, ProductBound& product,
                   std::int64_t threshold, const std::atomic<bool>* cancel = nullptr);

    // Fills `list` (whose `wanted` is set) with the best teams, unless
    // `cancel` is set meanwhile or the work done (teams scored and fourth
    // picks tried) passes workLimit: the list is then incomplete, though
    // each team in it is a real team with its key. Each run starts over.
    void run(TopList& list, std::uint64_t workLimit = UINT64_MAX);
    bool cancelled() const { return m_cancelled; }
    bool stopped() const { return m_stopped; }

private:
    using Partial = PartialTeam;

    bool closed(const Partial& sum, int remaining, int from, std::int64_t cuteHigh,
                std::int64_t floorKey);
    // The swaps a pick at `pick` adds to a partial team whose previous pick
    // is `previous` (see the class comment).
    int swapsAdded(int previous, int pick) const;
    // Whether the caller asked to stop or the work ran out; once true the
    // walk unwinds.
    bool stopAsked();
    template <int Level>
    void descend(TopList& list, int* team, const Partial& sum, int from, int swaps);
    void pickFourth(TopList& list, int* team, const Partial& sum, int from, int swaps);
    void scoreLastPick(TopList& list, int* team, const Partial& sum, int from, int swaps);

    const SearchRoster& m_roster;
    const MarginModel& m_model;
    ProductBound& m_product;
    const std::int64_t m_threshold;
    const bool m_damageRisesWithCute;
    const CompletionBounds m_bounds;
    const std::atomic<bool>* const m_cancel;
    bool m_cancelled = false;
    bool m_stopped = false;
    const TopList* m_list = nullptr;
    std::uint64_t m_workLimit = UINT64_MAX;
    std::uint64_t m_nodes = 0; // fourth picks tried
    int m_wanted = 1;
    // The runs of equal heroes among positions 1..N-1: first and last
    // position of the run holding each position.
    int m_runStart[kHeroCount] = {};
    int m_runEnd[kHeroCount] = {};
    // Subtrees the separate bounds left open at a floor above 0.
    int m_openNodes = 0;
    static constexpr int kNodesBeforeProduct = 256;
};
