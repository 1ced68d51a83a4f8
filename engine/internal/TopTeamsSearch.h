#pragma once

#include "MarginModel.h"
#include "ProductBound.h"
#include "SearchRoster.h"

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

    // A team must have a key above this to enter the list: the last key once
    // the list is full, 0 before (a score of 0 never enters).
    std::int64_t floor() const { return count == wanted ? keys[wanted - 1] : 0; }

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
class TopTeamsSearch final
{
public:
    TopTeamsSearch(const SearchRoster& roster, const MarginModel& model, ProductBound& product,
                   std::int64_t threshold);

    // Fills `list` (whose `wanted` is set) with the best teams.
    void run(TopList& list) const;

private:
    struct Partial;

    std::int64_t lifeBound(const Partial& sum, int remaining, int from) const;
    std::int64_t boundKey(const Partial& sum, int remaining, int from, std::int64_t cuteHigh) const;
    bool closed(const Partial& sum, int remaining, int from, std::int64_t cuteHigh,
                std::int64_t floorKey) const;
    std::int64_t cuteFloor(std::int64_t lifeLimit, std::int64_t floorKey) const;
    template <int Level> void descend(TopList& list, int* team, const Partial& sum, int from) const;
    void pickFourth(TopList& list, int* team, const Partial& sum, int from) const;
    void scoreLastPick(TopList& list, int* team, const Partial& sum, int from) const;

    const SearchRoster& m_roster;
    const MarginModel& m_model;
    ProductBound& m_product;
    const std::int64_t m_threshold;
    const bool m_damageRisesWithCute;
};
