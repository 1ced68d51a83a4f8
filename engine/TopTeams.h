#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"
#include "engine/TeamSearch.h"

#include <atomic>

inline constexpr int kMaxTopTeams = 50;

// The best `wanted` (1..kMaxTopTeams) teams for the request (see
// PlanRequest). The teams ranked are those the
// single search scores (可爱 total at least the threshold) with a score above
// 0, best first; equal scores keep the order of their candidate positions, so
// plans[0] is exactly FindBestTeam's plan. Teams that differ only by heroes
// with identical stats are different teams (different members' heroes) and
// are all ranked.
//
// Writes plans[0..count-1], each filled as FindBestTeam fills its plan, and
// returns count: fewer than `wanted` when fewer teams score above 0. Throws
// std::invalid_argument, before any search work, when the request's excluded
// set holds its leader or `wanted` is out of range. Never writes into `tables`.
//
// Another thread may set `cancel` to stop the search early; the walks look at
// it before each of the first three picks, the exhaustive scan before each
// second pick, and the single search that gives the floor between its turns,
// so a search stops within milliseconds, or within one turn of building the
// totals' sets. A cancelled search returns 0 and writes no plan (stats then
// count the work done until it stopped): the caller knows it cancelled and
// must not read 0 as "no team".
int FindTopTeams(const PlanningTables& tables, const PlanRequest& request, int wanted,
                 PlanRecord* plans, SearchStats* stats = nullptr,
                 const std::atomic<bool>* cancel = nullptr);
