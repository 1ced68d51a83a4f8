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

void TopTeamsSearch::run(TopList& list, std::uint64_t workLimit)
{
    assert(list.wanted >= 1 && list.wanted <= TopList::kMost);
    TopListSink sink{list};
    m_walk.run(sink, workLimit);
    list.teamsScored += m_walk.teamsScored();
}
