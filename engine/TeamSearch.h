#pragma once

#include "PlanRecord.h"
#include "PlanningTables.h"

#include <cstdint>

// What a search did, for measuring it.
struct SearchStats
{
    std::uint64_t teamsScored = 0;
};

// Finds the best team of the leader in plan.heroes[0] (0..127) and five
// checked heroes against the virus at virusIndex (0..63) for n hits and k
// crits. Returns true and fills all of plan when a team scores above 0;
// returns false and leaves plan untouched otherwise. Among equal scores the
// team first in lexicographic order of candidate positions wins.
//
// Exact, but it skips every part of the enumeration that provably holds no
// better team.
bool FindBestTeam(PlanningTables& tables, int virusIndex, int n, int k, PlanRecord& plan);
bool FindBestTeam(PlanningTables& tables, int virusIndex, int n, int k, PlanRecord& plan,
                  SearchStats& stats);

// The straightforward enumeration, kept as the reference the fast search is
// checked against. Same contract as FindBestTeam.
bool FindBestTeamReference(PlanningTables& tables, int virusIndex, int n, int k, PlanRecord& plan);
bool FindBestTeamReference(PlanningTables& tables, int virusIndex, int n, int k, PlanRecord& plan,
                           SearchStats& stats);

// Fills every field of plan for the team at six candidate positions (the
// leader's position 0 first).
void FillPlan(const int positions[6], PlanRecord& plan, const PlanningTables& tables,
              int virusIndex, float score);
