#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanRecord.h"
#include "engine/PlanningTables.h"

inline constexpr int kMaxDisjointLeaders = 8;

struct DisjointTeam
{
    bool found = false;
    PlanRecord plan;
};

// Teams that share no hero, one per leader in the order given (1..8 distinct
// hero indices): team i is the best team of leaders[i] for the virus, n hits
// and k crits with `excluded`, every hero of the earlier teams found and every
// other listed leader left out, so no leader is used up as a member of
// another team. A team that cannot be formed is reported with found false and
// uses no heroes; the later teams are still planned. Writes
// teams[0..leaderCount-1]. Throws std::invalid_argument, before any search
// work, for a count out of range, a repeated leader or a leader in `excluded`.
void PlanDisjointTeams(const PlanningTables& tables, int virusIndex, int n, int k,
                       const int* leaders, int leaderCount, const HeroSet& excluded,
                       DisjointTeam* teams);
