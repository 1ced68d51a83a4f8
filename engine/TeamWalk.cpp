#include "engine/internal/TeamWalk.h"

#include "engine/internal/BranchAndBound.h"
#include "engine/internal/TopTeamsSearch.h"

#include <cassert>

template <typename Sink>
TeamWalk<Sink>::TeamWalk(const SearchRoster& roster, const MarginModel& model,
                         ProductBound& product, std::int64_t threshold,
                         const std::atomic<bool>* cancel)
    : m_roster(roster), m_model(model), m_product(product), m_threshold(threshold),
      m_damageRisesWithCute(model.damageRisesWithCute()), m_bounds(roster, model, threshold),
      m_cancel(cancel)
{
    assert(roster.count >= 1 && roster.count <= kHeroCount);
    for (int p = 1; p < roster.count; ++p)
        m_runStart[p] = p >= 2 && roster.repeatsPrevious[p] ? m_runStart[p - 1] : p;
    for (int p = roster.count - 1; p >= 1; --p)
        m_runEnd[p] =
            p + 1 < roster.count && m_runStart[p + 1] == m_runStart[p] ? m_runEnd[p + 1] : p;
}

template <typename Sink> int TeamWalk<Sink>::swapsAdded(int previous, int pick) const
{
    const int start = m_runStart[pick];
    return previous >= start ? pick - previous - 1 : pick - start;
}

template <typename Sink> bool TeamWalk<Sink>::stopAsked()
{
    // A relaxed load: the flag only has to be seen eventually, and between
    // two looks lie the fourth and fifth picks under one third pick.
    if (!m_cancelled && m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed))
        m_cancelled = true;
    if (!m_stopped && outOfWork())
        m_stopped = true;
    return m_cancelled || m_stopped;
}

// The separate bounds first; the joint ProductBound (dearer, and deferred by
// itself while nothing has scored) only when they leave the subtree open.
template <typename Sink>
bool TeamWalk<Sink>::closed(const Partial& sum, int remaining, int from,
                            std::int64_t cuteHigh) const
{
    const std::int64_t floorKey = m_sink->floor();
    if (m_bounds.boundKey(sum, remaining, from, cuteHigh) <= floorKey)
        return true;
    return m_product.closes(sum.smart, sum.cute, sum.abnormal, remaining, from, floorKey);
}

template <typename Sink> void TeamWalk<Sink>::run(Sink& sink, std::uint64_t workLimit)
{
    m_sink = &sink;
    m_wanted = sink.wanted();
    assert(m_wanted >= 1);
    m_workLimit = workLimit;
    m_scored = 0;
    m_nodes = 0;
    m_stopped = false;
    m_team[0] = 0;
    const int count = m_roster.count;
    const Partial leader = Partial{}.plus(m_roster, 0);
    for (int p1 = 1; p1 <= count - SearchRoster::kMaxPick; ++p1) {
        if (stopAsked())
            return;
        // Every team from this first pick on: the reference's first-pick
        // bound c0 + 5 × 可爱(p1) fails no earlier than this one, which has the
        // exact largest 可爱 total, so the teams scored are the same set.
        const std::int64_t allHigh = leader.cute + m_roster.cuteRun[5][p1];
        if (allHigh < m_threshold || closed(leader, 5, p1, allHigh))
            break;
        const int swaps = swapsAdded(0, p1);
        if (swaps >= m_wanted) {
            p1 = m_runEnd[p1];
            continue;
        }
        const Partial sum = leader.plus(m_roster, p1);
        const std::int64_t cuteHigh = sum.cute + m_roster.cuteRun[4][p1 + 1];
        if (cuteHigh < m_threshold || closed(sum, 4, p1 + 1, cuteHigh))
            continue;
        m_team[1] = p1;
        descend<2>(sum, p1 + 1, swaps);
    }
}

// Picks position `Level` (2 or 3) of the team from `from` onward, in
// ascending order. A pick is eligible only while the most 可爱 completion
// reaches the threshold; since 可爱 does not increase along the list, the
// first failure ends the loop, so exactly the teams with a 可爱 total of at
// least the threshold are reached, as in the reference. The same holds for
// the bound over this pick and every later one, which ends the loop; the
// bound of this pick alone skips just its subtree.
template <typename Sink>
template <int Level>
void TeamWalk<Sink>::descend(const Partial& sum, int from, int swaps)
{
    static_assert(Level == 2 || Level == 3);
    constexpr int remaining = 6 - Level;
    const int last = m_roster.count - remaining;
    for (int j = from; j <= last; ++j) {
        if (stopAsked())
            return;
        const std::int64_t cuteHigh = sum.cute + m_roster.cuteRun[remaining][j];
        if (cuteHigh < m_threshold || closed(sum, remaining, j, cuteHigh))
            break;
        const int nextSwaps = swaps + swapsAdded(m_team[Level - 1], j);
        if (nextSwaps >= m_wanted) {
            j = m_runEnd[j];
            continue;
        }
        const Partial next = sum.plus(m_roster, j);
        const std::int64_t nextHigh = next.cute + m_roster.cuteRun[remaining - 1][j + 1];
        if (closed(next, remaining - 1, j + 1, nextHigh))
            continue;
        m_team[Level] = j;
        if constexpr (Level == 3)
            pickFourth(next, j + 1, nextSwaps);
        else
            descend<Level + 1>(next, j + 1, nextSwaps);
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
template <typename Sink> void TeamWalk<Sink>::pickFourth(const Partial& sum, int from, int swaps)
{
    const int last = m_roster.count - 2;
    const std::int64_t lifeLimit = m_bounds.lifeBound(sum, 2, from);
    std::int64_t floorSeen = m_sink->floor();
    std::int64_t cuteLow = m_bounds.cuteFloor(lifeLimit, floorSeen);
    for (int j = from; j <= last && !outOfWork(); ++j) {
        ++m_nodes;
        if (m_sink->floor() != floorSeen) {
            floorSeen = m_sink->floor();
            cuteLow = m_bounds.cuteFloor(lifeLimit, floorSeen);
        }
        if (sum.cute + m_roster.cuteRun[2][j] < cuteLow)
            break;
        const int nextSwaps = swaps + swapsAdded(m_team[3], j);
        if (nextSwaps >= m_wanted) {
            j = m_runEnd[j];
            continue;
        }
        const Partial next = sum.plus(m_roster, j);
        if (closed(next, 1, j + 1, next.cute + m_roster.cute[j + 1]))
            continue;
        m_team[4] = j;
        scoreLastPick(next, j + 1, nextSwaps);
    }
}

// Scores the fifth picks from `from` onward. Where M rises with 可爱 it does
// not increase along the list, so once its key with the node's life bound is
// not above the floor, no later pick's key is (MarginModel (1)). A key above
// the floor goes to the sink: by MarginModel (2) that is exactly a strictly
// greater score.
template <typename Sink> void TeamWalk<Sink>::scoreLastPick(const Partial& sum, int from, int swaps)
{
    const SearchRoster& roster = m_roster;
    const std::int64_t lifeLimit = m_bounds.lifeBound(sum, 1, from);
    ++m_nodes;
    for (int j = from; j < roster.count; ++j) {
        const std::int64_t cuteTotal = sum.cute + roster.cute[j];
        if (cuteTotal < m_threshold)
            break;
        const std::int64_t damage = m_model.damageMargin(cuteTotal);
        if (m_damageRisesWithCute && m_model.key(lifeLimit, damage) <= m_sink->floor())
            break;
        if (swaps + swapsAdded(m_team[4], j) >= m_wanted) {
            j = m_runEnd[j];
            continue;
        }
        ++m_scored;
        const std::int64_t life =
            m_model.lifeMargin(sum.smart + roster.smart[j], sum.abnormal + roster.abnormal[j]);
        const std::int64_t key = m_model.key(life, damage);
        if (key > m_sink->floor()) {
            m_team[5] = j;
            m_sink->offer(key, m_team);
        }
    }
}

template class TeamWalk<BestSink>;
template class TeamWalk<TopListSink>;
