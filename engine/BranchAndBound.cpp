#include "engine/internal/BranchAndBound.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

// The state of one first pick's walk down the tree: the best team so far,
// whose key is the floor every bound is held against, and the team being
// built.
struct BranchAndBound::Walk
{
    SearchBest& best;
    std::uint64_t workLimit = UINT64_MAX;
    int team[6] = {};

    bool outOfWork() const { return best.teamsScored + best.nodesVisited > workLimit; }
};

BranchAndBound::BranchAndBound(const SearchRoster& roster, const MarginModel& model,
                               ProductBound& product, std::int64_t threshold)
    : m_roster(roster), m_model(model), m_product(product), m_threshold(threshold),
      m_damageRisesWithCute(model.damageRisesWithCute()), m_bounds(roster, model, threshold)
{
    assert(roster.count >= 1 && roster.count <= kHeroCount);
}

// Whether no team made of `sum` and `remaining` members from `from` on can
// have a key above floorKey: the separate bounds first, the joint
// ProductBound (dearer) only when they leave the subtree open.
bool BranchAndBound::closed(const Partial& sum, int remaining, int from, std::int64_t cuteHigh,
                            std::int64_t floorKey) const
{
    if (m_bounds.boundKey(sum, remaining, from, cuteHigh) <= floorKey)
        return true;
    return m_product.closes(sum.smart, sum.cute, sum.abnormal, remaining, from, floorKey);
}

bool BranchAndBound::firstPicksOpen(int p1, std::int64_t floorKey) const
{
    assert(p1 >= 1 && p1 <= lastFirstPick());
    const Partial leader = Partial{}.plus(m_roster, 0);
    const std::int64_t cuteHigh = leader.cute + m_roster.cuteRun[5][p1];
    // The reference's first-pick bound c0 + 5 × 可爱(p1) fails no earlier than
    // this one: both say no team from p1 on reaches the threshold, this one
    // with the exact largest 可爱 total. The teams scored are the same set.
    if (cuteHigh < m_threshold)
        return false;
    return !closed(leader, 5, p1, cuteHigh, floorKey);
}

SearchBest BranchAndBound::run(std::uint64_t workLimit) const
{
    SearchBest best;
    for (int p1 = 1; p1 <= lastFirstPick(); ++p1) {
        if (!firstPicksOpen(p1, best.key))
            break;
        searchFirstPick(p1, best, workLimit);
        if (best.teamsScored + best.nodesVisited > workLimit) {
            best.stopped = true;
            break;
        }
    }
    return best;
}

void BranchAndBound::searchFirstPick(int p1, SearchBest& best, std::uint64_t workLimit) const
{
    assert(p1 >= 1 && p1 <= lastFirstPick());
    if (p1 > 1 && m_roster.repeatsPrevious[p1]) // never the answer: SearchRoster
        return;
    Walk walk{best, workLimit};
    const Partial sum = Partial{}.plus(m_roster, 0).plus(m_roster, p1);
    const std::int64_t cuteHigh = sum.cute + m_roster.cuteRun[4][p1 + 1];
    if (cuteHigh < m_threshold || closed(sum, 4, p1 + 1, cuteHigh, walk.best.key))
        return;
    walk.team[1] = p1;
    descend<2>(walk, sum, p1 + 1);
}

// Picks position `Level` (2 or 3) of the team from `from` onward, in
// ascending order. A pick is eligible only while the most 可爱 completion
// reaches the threshold; since 可爱 does not increase along the list, the
// first failure ends the loop, so exactly the teams with a 可爱 total of at
// least the threshold are reached, as in the reference. The same holds for
// the bound over this pick and every later one, which ends the loop; the
// bound of this pick alone skips just its subtree.
template <int Level> void BranchAndBound::descend(Walk& walk, const Partial& sum, int from) const
{
    static_assert(Level == 2 || Level == 3);
    constexpr int remaining = 6 - Level;
    const int last = m_roster.count - remaining;
    for (int j = from; j <= last && !walk.outOfWork(); ++j) {
        const std::int64_t cuteHigh = sum.cute + m_roster.cuteRun[remaining][j];
        if (cuteHigh < m_threshold || closed(sum, remaining, j, cuteHigh, walk.best.key))
            break;
        if (j > from && m_roster.repeatsPrevious[j]) // never the answer: SearchRoster
            continue;
        const Partial next = sum.plus(m_roster, j);
        const std::int64_t nextHigh = next.cute + m_roster.cuteRun[remaining - 1][j + 1];
        if (closed(next, remaining - 1, j + 1, nextHigh, walk.best.key))
            continue;
        walk.team[Level] = j;
        if constexpr (Level == 3)
            pickFourth(walk, next, j + 1);
        else
            descend<Level + 1>(walk, next, j + 1);
    }
}

// Picks the fourth member. This loop runs for most nodes of the tree, so its
// loop-ending test is one comparison: every team from pick j on has a life
// margin of at most the bound over all picks from `from` and a 可爱 total of at
// most sum + 可爱(j) + 可爱(j + 1), so once that falls below cuteFloor no later
// pick can lift the key above the floor or reach the threshold either.
// A pick that passes still skips its fifth-pick loop when the bounds of that
// loop's teams (closed(), over the one pick left, whose most 可爱 completion is
// the next position) are not above the floor; with 聪明 and 可爱 at odds this
// saves scoring most of those loops, as the loops above save whole subtrees.
void BranchAndBound::pickFourth(Walk& walk, const Partial& sum, int from) const
{
    const int last = m_roster.count - 2;
    const std::int64_t lifeLimit = m_bounds.lifeBound(sum, 2, from);
    std::int64_t floorSeen = walk.best.key;
    std::int64_t cuteLow = m_bounds.cuteFloor(lifeLimit, floorSeen);
    for (int j = from; j <= last && !walk.outOfWork(); ++j) {
        ++walk.best.nodesVisited;
        if (walk.best.key != floorSeen) {
            floorSeen = walk.best.key;
            cuteLow = m_bounds.cuteFloor(lifeLimit, floorSeen);
        }
        if (sum.cute + m_roster.cuteRun[2][j] < cuteLow)
            break;
        if (j > from && m_roster.repeatsPrevious[j]) // never the answer: SearchRoster
            continue;
        const Partial next = sum.plus(m_roster, j);
        if (closed(next, 1, j + 1, next.cute + m_roster.cute[j + 1], walk.best.key))
            continue;
        walk.team[4] = j;
        scoreLastPick(walk, next, j + 1);
    }
}

// Scores the fifth picks from `from` onward. Where M rises with 可爱 it does
// not increase along the list, so once its key with the node's life bound is
// not above the floor, no later pick's key is (MarginModel (1)).
// A key above the best key replaces the best: by MarginModel (2) that is
// exactly a strictly greater score.
void BranchAndBound::scoreLastPick(Walk& walk, const Partial& sum, int from) const
{
    const SearchRoster& roster = m_roster;
    const int count = roster.count;
    const std::int64_t lifeLimit = m_bounds.lifeBound(sum, 1, from);
    std::uint64_t scored = 0;
    SearchBest& best = walk.best;
    ++best.nodesVisited;
    for (int j = from; j < count; ++j) {
        const std::int64_t cuteTotal = sum.cute + roster.cute[j];
        if (cuteTotal < m_threshold)
            break;
        const std::int64_t damage = m_model.damageMargin(cuteTotal);
        if (m_damageRisesWithCute && m_model.key(lifeLimit, damage) <= walk.best.key)
            break;
        if (j > from && roster.repeatsPrevious[j]) // never the answer: SearchRoster
            continue;
        ++scored;
        const std::int64_t life =
            m_model.lifeMargin(sum.smart + roster.smart[j], sum.abnormal + roster.abnormal[j]);
        const std::int64_t key = m_model.key(life, damage);
        if (key > best.key) {
            best.key = key;
            best.positions[0] = 0;
            for (int i = 1; i < 5; ++i)
                best.positions[i] = walk.team[i];
            best.positions[5] = j;
        }
    }
    best.teamsScored += scored;
}
