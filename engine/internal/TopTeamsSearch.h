#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/SearchRoster.h"
#include "engine/internal/TeamWalk.h"

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

// Where the walk keeps the best K teams.
struct TopListSink
{
    TopList& list;

    std::int64_t floor() const { return list.floor(); }
    int wanted() const { return list.wanted; }
    void offer(std::int64_t key, const int team[6]) { list.add(key, team); }
};

// The best `wanted` teams of one search by the branch and bound (TeamWalk),
// in the reference's lexicographic order of candidate positions.
class TopTeamsSearch final
{
public:
    TopTeamsSearch(const SearchRoster& roster, const MarginModel& model, ProductBound& product,
                   std::int64_t threshold, const std::atomic<bool>* cancel = nullptr)
        : m_walk(roster, model, product, threshold, cancel)
    {
    }

    // Fills `list` (whose `wanted` is set) with the best teams, unless
    // `cancel` is set meanwhile or the work done (teams scored and nodes
    // visited) passes workLimit: the list is then incomplete, though each
    // team in it is a real team with its key. Each run starts over.
    void run(TopList& list, std::uint64_t workLimit = UINT64_MAX);
    bool cancelled() const { return m_walk.cancelled(); }
    bool stopped() const { return m_walk.stopped(); }
    // Nodes the last run visited.
    std::uint64_t nodesVisited() const { return m_walk.nodesVisited(); }

private:
    TeamWalk<TopListSink> m_walk;
};
