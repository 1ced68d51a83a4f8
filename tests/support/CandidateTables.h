#pragma once

#include "engine/Candidates.h"
#include "engine/PlanningTables.h"

// The candidate list a search for `leader` builds with nothing excluded, for
// the tests that look at the list itself or score teams by its positions.
inline CandidateList CandidatesFor(const PlanningTables& tables, int leader)
{
    CandidateList list;
    PrepareCandidates(tables.heroTable, leader, HeroSet{}, list);
    return list;
}
