#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/HeroSet.h"
#include "engine/PlanRecord.h"
#include "engine/PlanningTables.h"
#include "engine/TeamSearch.h"
#include "engine/internal/TopTeamsSearch.h"

#include <atomic>
#include <cstdint>

// Where the last FindBestTeam on this thread answered through the totals'
// sets, ranks the best teams of that same request (the virus, n and the
// crits counted, k) into `list` with those sets (TotalsSearch::rank), which
// that search left built. False when it did not answer through them, or when
// more than teamLimit teams entered the list: the caller ranks otherwise.
// totalsTried, where given, counts the totals the ranking tried.
bool RankWithLastTotals(const PlanningTables& tables, int virusIndex, int n, int k, TopList& list,
                        std::uint64_t teamLimit, std::uint64_t* totalsTried = nullptr);

// FindBestTeam, stopping soon after `cancel` is set (between the turns of its
// methods and inside them): it then returns false with `cancelled` set and
// the plan untouched.
bool FindBestTeamUnlessCancelled(const PlanningTables& tables, const PlanRequest& request,
                                 PlanRecord& plan, SearchStats& stats,
                                 const std::atomic<bool>* cancel, bool& cancelled);
