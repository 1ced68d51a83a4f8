#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/SearchRoster.h"

#include <atomic>
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

// Where the walk keeps the single best team.
struct BestSink
{
    SearchBest& best;

    std::int64_t floor() const { return best.key; }
    int wanted() const { return 1; }
    void offer(std::int64_t key, const int team[6])
    {
        best.key = key;
        for (int i = 0; i < 6; ++i)
            best.positions[i] = team[i];
    }
};

// The best team of one search by the branch and bound (TeamWalk), in the
// reference's lexicographic order of candidate positions.
class BranchAndBound final
{
public:
    // A search with `cancel` stops once it is set, as if out of work.
    BranchAndBound(const SearchRoster& roster, const MarginModel& model, ProductBound& product,
                   std::int64_t threshold, const std::atomic<bool>* cancel = nullptr)
        : m_roster(roster), m_model(model), m_product(product), m_threshold(threshold),
          m_cancel(cancel)
    {
    }

    // The search's answer: the best key with the lexicographically first
    // positions among equal keys, and the number of teams scored. With a
    // work limit (teams scored plus nodes visited) the search stops once it
    // is passed, with SearchBest::stopped set.
    SearchBest run(std::uint64_t workLimit = UINT64_MAX) const;

private:
    const SearchRoster& m_roster;
    const MarginModel& m_model;
    ProductBound& m_product;
    const std::int64_t m_threshold;
    const std::atomic<bool>* m_cancel;
};
