#include "engine/internal/TopTeamsSearch.h"

#include <algorithm>
#include <cassert>

void TopList::add(std::int64_t key, const int team[6])
{
    assert(key > floor());
    int at = count < wanted ? count : wanted - 1;
    while (at > 0 && keys[at - 1] < key) {
        keys[at] = keys[at - 1];
        std::copy(positions[at - 1], positions[at - 1] + 6, positions[at]);
        --at;
    }
    keys[at] = key;
    std::copy(team, team + 6, positions[at]);
    if (count < wanted)
        ++count;
}

TopTeamsSearch::TopTeamsSearch(const SearchRoster& roster, const MarginModel& model,
                               ProductBound& product, std::int64_t threshold,
                               const std::atomic<bool>* cancel)
    : m_roster(roster), m_model(model), m_product(product), m_threshold(threshold),
      m_damageRisesWithCute(model.damageRisesWithCute()), m_bounds(roster, model, threshold),
      m_cancel(cancel)
{
    assert(roster.count >= 1 && roster.count <= kHeroCount);
    for (int p = 1; p < roster.count; ++p) {
        const bool repeats = p >= 2 && roster.smart[p] == roster.smart[p - 1] &&
                             roster.cute[p] == roster.cute[p - 1] &&
                             roster.abnormal[p] == roster.abnormal[p - 1];
        m_runStart[p] = repeats ? m_runStart[p - 1] : p;
    }
    for (int p = roster.count - 1; p >= 1; --p)
        m_runEnd[p] =
            p + 1 < roster.count && m_runStart[p + 1] == m_runStart[p] ? m_runEnd[p + 1] : p;
}

int TopTeamsSearch::swapsAdded(int previous, int pick) const
{
    const int start = m_runStart[pick];
    return previous >= start ? pick - previous - 1 : pick - start;
}

bool TopTeamsSearch::stopAsked()
{
    // A relaxed load: the flag only has to be seen eventually, and between
    // two looks lie the fourth and fifth picks under one third pick.
    if (!m_cancelled && m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed))
        m_cancelled = true;
    if (!m_stopped && m_list->teamsScored + m_nodes > m_workLimit)
        m_stopped = true;
    return m_cancelled || m_stopped;
}

bool TopTeamsSearch::closed(const Partial& sum, int remaining, int from, std::int64_t cuteHigh,
                            std::int64_t floorKey)
{
    if (m_bounds.boundKey(sum, remaining, from, cuteHigh) <= floorKey)
        return true;
    // The joint bound's tables cost more to fill than most realistic
    // searches, and the floor of a list rises later than a single best: it
    // is asked only once the separate bounds have left many subtrees open
    // with the list full (at a floor of 0 it almost never closes anything).
    if (floorKey == 0 || ++m_openNodes <= kNodesBeforeProduct)
        return false;
    return m_product.closes(sum.smart, sum.cute, sum.abnormal, remaining, from, floorKey);
}

void TopTeamsSearch::run(TopList& list, std::uint64_t workLimit)
{
    assert(list.wanted >= 1 && list.wanted <= TopList::kMost);
    m_wanted = list.wanted;
    m_list = &list;
    m_workLimit = workLimit;
    m_stopped = false;
    m_nodes = 0;
    m_openNodes = 0;
    const int count = m_roster.count;
    const Partial leader = Partial{}.plus(m_roster, 0);
    int team[6] = {0, 0, 0, 0, 0, 0};
    for (int p1 = 1; p1 <= count - SearchRoster::kMaxPick; ++p1) {
        if (stopAsked())
            return;
        // Every team from this first pick on: the loop ends at the first
        // failure, as the reference's first-pick bound does.
        const std::int64_t allHigh = leader.cute + m_roster.cuteRun[5][p1];
        if (allHigh < m_threshold || closed(leader, 5, p1, allHigh, list.floor()))
            break;
        const int swaps = swapsAdded(0, p1);
        if (swaps >= m_wanted) {
            p1 = m_runEnd[p1];
            continue;
        }
        const Partial sum = leader.plus(m_roster, p1);
        const std::int64_t cuteHigh = sum.cute + m_roster.cuteRun[4][p1 + 1];
        if (cuteHigh < m_threshold || closed(sum, 4, p1 + 1, cuteHigh, list.floor()))
            continue;
        team[1] = p1;
        descend<2>(list, team, sum, p1 + 1, swaps);
    }
}

template <int Level>
void TopTeamsSearch::descend(TopList& list, int* team, const Partial& sum, int from, int swaps)
{
    static_assert(Level == 2 || Level == 3);
    constexpr int remaining = 6 - Level;
    const int last = m_roster.count - remaining;
    for (int j = from; j <= last; ++j) {
        if (stopAsked())
            return;
        const std::int64_t cuteHigh = sum.cute + m_roster.cuteRun[remaining][j];
        if (cuteHigh < m_threshold || closed(sum, remaining, j, cuteHigh, list.floor()))
            break;
        const int nextSwaps = swaps + swapsAdded(team[Level - 1], j);
        if (nextSwaps >= m_wanted) {
            j = m_runEnd[j];
            continue;
        }
        const Partial next = sum.plus(m_roster, j);
        const std::int64_t nextHigh = next.cute + m_roster.cuteRun[remaining - 1][j + 1];
        if (closed(next, remaining - 1, j + 1, nextHigh, list.floor()))
            continue;
        team[Level] = j;
        if constexpr (Level == 3)
            pickFourth(list, team, next, j + 1, nextSwaps);
        else
            descend<Level + 1>(list, team, next, j + 1, nextSwaps);
    }
}

void TopTeamsSearch::pickFourth(TopList& list, int* team, const Partial& sum, int from, int swaps)
{
    const int last = m_roster.count - 2;
    const std::int64_t lifeLimit = m_bounds.lifeBound(sum, 2, from);
    std::int64_t floorSeen = list.floor();
    std::int64_t cuteLow = m_bounds.cuteFloor(lifeLimit, floorSeen);
    for (int j = from; j <= last; ++j) {
        ++m_nodes;
        if (list.floor() != floorSeen) {
            floorSeen = list.floor();
            cuteLow = m_bounds.cuteFloor(lifeLimit, floorSeen);
        }
        if (sum.cute + m_roster.cuteRun[2][j] < cuteLow)
            break;
        const int nextSwaps = swaps + swapsAdded(team[3], j);
        if (nextSwaps >= m_wanted) {
            j = m_runEnd[j];
            continue;
        }
        const Partial next = sum.plus(m_roster, j);
        if (closed(next, 1, j + 1, next.cute + m_roster.cute[j + 1], list.floor()))
            continue;
        team[4] = j;
        scoreLastPick(list, team, next, j + 1, nextSwaps);
    }
}

void TopTeamsSearch::scoreLastPick(TopList& list, int* team, const Partial& sum, int from,
                                   int swaps)
{
    const SearchRoster& roster = m_roster;
    const std::int64_t lifeLimit = m_bounds.lifeBound(sum, 1, from);
    std::uint64_t scored = 0;
    for (int j = from; j < roster.count; ++j) {
        const std::int64_t cuteTotal = sum.cute + roster.cute[j];
        if (cuteTotal < m_threshold)
            break;
        const std::int64_t damage = m_model.damageMargin(cuteTotal);
        if (m_damageRisesWithCute && m_model.key(lifeLimit, damage) <= list.floor())
            break;
        if (swaps + swapsAdded(team[4], j) >= m_wanted) {
            j = m_runEnd[j];
            continue;
        }
        ++scored;
        const std::int64_t life =
            m_model.lifeMargin(sum.smart + roster.smart[j], sum.abnormal + roster.abnormal[j]);
        const std::int64_t key = m_model.key(life, damage);
        if (key > list.floor()) {
            team[5] = j;
            list.add(key, team);
        }
    }
    list.teamsScored += scored;
}
