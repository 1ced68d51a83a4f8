#pragma once

#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/HeroSet.h"
#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"

#include <cstdint>

// What a search did, for measuring it.
struct SearchStats
{
    std::uint64_t teamsScored = 0;
    // Nodes of the branch and bound's tree visited (fourth and fifth picks).
    std::uint64_t nodesVisited = 0;
    // Where the search went over totals: the totals kept in its sets, and the
    // totals whose key it computed.
    std::uint64_t totalsKept = 0;
    std::uint64_t totalsTried = 0;
    // Teams the exhaustive scan passed over, scored in its vector lanes or
    // skipped with their block; and the lanes it scored, a block's bound
    // counted as one.
    std::uint64_t teamsScanned = 0;
    std::uint64_t scanLanes = 0;
    // The candidate count N of the list the search built (the leader included).
    int candidateCount = 0;
};

// Finds the best team for the request: its leader and five checked heroes
// not excluded, against its virus under its strategy. Returns true and fills
// all of plan when a team scores above 0; returns false and leaves plan
// untouched otherwise. Among equal scores the team first in lexicographic
// order of candidate positions wins. When stats is given, it is reset and
// then counts the search's work.
//
// The search only reads `tables` and keeps its working data in a workspace
// of its own thread, so searches on several threads may share them.
//
// Exact, but it skips every part of the enumeration that provably holds no
// better team.
bool FindBestTeam(const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan,
                  SearchStats* stats = nullptr);

// The straightforward enumeration, kept as the reference the fast search is
// checked against. Same contract as FindBestTeam.
bool FindBestTeamReference(const PlanningTables& tables, const PlanRequest& request,
                           PlanRecord& plan, SearchStats* stats = nullptr);

// Fills every field of plan for the team at six positions of `list` (the
// leader's position 0 first).
void FillPlan(const int positions[6], PlanRecord& plan, const CandidateList& list,
              const PlanningTables& tables, int virusIndex, float score);
// Fills a plan's totals and damages (every field but the heroes and the
// score) from a team's totals and the combat model's figures for them.
void FillPlanFigures(PlanRecord& plan, const TeamTotals& totals, const TeamFigures& figures);
