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

#include <cstdint>

// The best team the search has found: its score key (0 while no team scored
// above 0), its six candidate positions, and how many teams were scored and
// how many nodes of the tree (fourth and fifth picks) were visited.
struct SearchBest
{
    std::int64_t key = 0;
    int positions[6] = {};
    std::uint64_t teamsScored = 0;
    std::uint64_t nodesVisited = 0;
    // Set when the work allowed ran out before the search ended: the key and
    // positions are then a real team's, but maybe not the best.
    bool stopped = false;
};

// Branch and bound over the teams of one search, in the reference's
// lexicographic order of candidate positions within one first pick.
//
// A subtree is skipped when no team in it can have a key above the best key
// found so far: teams in the subtree come later in the order, so a tie could
// not replace the best.
class BranchAndBound final
{
public:
    BranchAndBound(const SearchRoster& roster, const MarginModel& model, ProductBound& product,
                   std::int64_t threshold);

    // The search's answer: the best key with the lexicographically first
    // positions among equal keys, and the number of teams scored. With a
    // work limit (teams scored plus nodes visited) the search stops once it
    // is passed, with SearchBest::stopped set.
    SearchBest run(std::uint64_t workLimit = UINT64_MAX) const;

private:
    using Partial = PartialTeam;
    struct Walk;

    bool closed(const Partial& sum, int remaining, int from, std::int64_t cuteHigh,
                std::int64_t floorKey) const;
    // The first picks run from 1 to this position.
    int lastFirstPick() const { return m_roster.count - SearchRoster::kMaxPick; }
    // Whether any team whose first pick is p1 or a later position could still
    // be eligible and have a key above floorKey. Once false it stays false
    // for every later p1, so the first-pick loop ends there.
    bool firstPicksOpen(int p1, std::int64_t floorKey) const;
    // Searches every team whose first pick is p1, replacing `best` with any
    // team of a strictly greater key.
    void searchFirstPick(int p1, SearchBest& best, std::uint64_t workLimit) const;
    template <int Level> void descend(Walk& walk, const Partial& sum, int from) const;
    void pickFourth(Walk& walk, const Partial& sum, int from) const;
    void scoreLastPick(Walk& walk, const Partial& sum, int from) const;

    const SearchRoster& m_roster;
    const MarginModel& m_model;
    ProductBound& m_product; // fills its tables when first needed
    const std::int64_t m_threshold;
    const bool m_damageRisesWithCute;
    const CompletionBounds m_bounds;
};
