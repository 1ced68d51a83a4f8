#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanningTables.h"

// The working copy of the hero table one search reads: the leader at position
// 0, then the other candidates in descending 可爱; name[0] of each record holds
// the record's index in the hero table. Only the first `count` records are
// meaningful.
struct CandidateList
{
    HeroTable records{};
    int count = 0;
};

// Builds the candidate list for a leader (hero index 0..127) as if every
// excluded hero were unchecked: the leader at position 0 whatever its flag and
// stats, then every other checked, not excluded hero with a positive 可爱 in
// descending 可爱, ties in the order the swap-based selection leaves them.
void PrepareCandidates(const HeroTable& heroes, int leader, const HeroSet& excluded,
                       CandidateList& list);

// The hero-table index that a candidate record carries in its first name unit.
inline int CandidateHeroIndex(const HeroRecord& candidate)
{
    return candidate.name[0];
}
