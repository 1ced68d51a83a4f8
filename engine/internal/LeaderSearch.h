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

#include <atomic>
#include <memory>

struct SearchWorkspace;

// Many searches for one leader with one excluded set, on one thread, over
// tables that do not change meanwhile: the candidate list is built once, and
// the sets of the search over totals, which depend only on that list and on
// the direction M moves with 可爱 (not on the virus's stats or the strategy),
// are built at most once per direction rather than once per search. Each
// answer is FindBestTeam's for the same request. The workspace is its own,
// made when it is constructed.
class LeaderSearch final
{
public:
    // Throws std::invalid_argument for a leader outside 0..127 or excluded.
    LeaderSearch(const PlanningTables& tables, int leader, const HeroSet& excluded);
    ~LeaderSearch();
    LeaderSearch(const LeaderSearch&) = delete;
    LeaderSearch& operator=(const LeaderSearch&) = delete;

    // FindBestTeam's answer for the leader against the virus at virusIndex
    // for n hits and k crits; false with the plan untouched once `cancel`
    // is set (between and inside the turns of the search's methods).
    bool find(int virusIndex, int n, int k, PlanRecord& plan, SearchStats& stats,
              const std::atomic<bool>* cancel = nullptr);

private:
    const PlanningTables& m_tables;
    std::unique_ptr<SearchWorkspace> m_workspace;
};
