#include "ExcludedTables.h"

#include <stdexcept>
#include <string>

PlanningTables& TablesWithout(const PlanningTables& tables, const HeroSet& excluded)
{
    thread_local PlanningTables t_copy;
    t_copy.virusTable = tables.virusTable;
    t_copy.heroTable = tables.heroTable;
    t_copy.candidateCount = 0;
    for (int hero = 0; hero < kHeroCount; ++hero) {
        if (excluded.contains(hero))
            t_copy.heroTable[hero].checked = 0;
    }
    return t_copy;
}

void RefuseExcludedLeader(const HeroSet& excluded, int leader)
{
    if (excluded.contains(leader))
        throw std::invalid_argument("the leader " + std::to_string(leader) +
                                    " cannot be excluded from its own team");
}
