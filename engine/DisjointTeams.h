#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"

#include <atomic>

inline constexpr int kMaxDisjointLeaders = 8;

struct DisjointTeam
{
    bool found = false;
    PlanRecord plan;
};

// Teams that share no hero, one per leader in the order given (1..8 distinct
// hero indices): team i is the best team for the request with leaders[i] as
// its leader (the request's own leader is not read), every hero of the earlier teams found and
// every other listed leader left out, so no leader is used up as a member of another team. A team
// that cannot be formed is reported with found false and uses no heroes; the later teams are still
// planned. Writes teams[0..leaderCount-1]. Throws std::invalid_argument, before any search work,
// for a count out of range, a repeated leader or a leader the request excludes.
//
// Another thread may set `cancel` to stop the planning early: the search
// under way stops soon after, no later team is planned, and the call returns
// false; teams[] then holds no answer to rely on. Returns true when every
// team was planned.
bool PlanDisjointTeams(const PlanningTables& tables, const PlanRequest& request, const int* leaders,
                       int leaderCount, DisjointTeam* teams,
                       const std::atomic<bool>* cancel = nullptr);
