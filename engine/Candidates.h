#pragma once

#include "PlanningTables.h"

// Rebuilds tables.candidates and tables.candidateCount for a leader (hero index
// 0..127): the leader at position 0 whatever its flag and stats, then every
// other checked hero with a positive 可爱 in descending 可爱, ties in the order
// the swap-based selection leaves them.
void PrepareCandidates(PlanningTables& tables, int leader);

// The hero-table index that a candidate record carries in its first name unit.
inline int CandidateHeroIndex(const HeroRecord& candidate)
{
    return candidate.name[0];
}
