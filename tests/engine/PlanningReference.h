#pragma once

#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/HeroSet.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"
#include "engine/Strategies.h"
#include "engine/TeamSearch.h"
#include "tests/support/CandidateTables.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

// Straightforward versions of the raid-planning answers, built only from the
// reference search and the combat model, for the engine's faster ones to be
// compared against.
namespace planningreference {

// A private copy of the tables with the excluded heroes unchecked: what an
// exclusion means.
inline std::unique_ptr<PlanningTables> Without(const PlanningTables& tables,
                                               const HeroSet& excluded)
{
    auto copy = std::make_unique<PlanningTables>(tables);
    for (int hero = 0; hero < kHeroCount; ++hero) {
        if (excluded.contains(hero))
            copy->heroTable[hero].checked = 0;
    }
    return copy;
}

// The reference search on a copy where the excluded heroes are unchecked.
inline bool ReferenceSearch(const PlanningTables& tables, const PlanRequest& request,
                            PlanRecord& plan)
{
    const auto copy = Without(tables, request.excluded);
    plan = PlanRecord{};
    PlanRequest unchecked = request;
    unchecked.excluded = HeroSet{};
    return FindBestTeamReference(*copy, unchecked, plan);
}

// Every team the reference would score, scored, sorted by score (highest
// first; the sort is stable and the teams are generated in ascending order of
// candidate positions), cut to `wanted`.
inline std::vector<PlanRecord> TopTeams(const PlanningTables& tables, const PlanRequest& request,
                                        int wanted)
{
    const auto copy = Without(tables, request.excluded);
    const int virus = request.virus;
    const CandidateList list = CandidatesFor(*copy, request.leader);
    const int count = list.count;
    const std::int64_t threshold = SearchThreshold(copy->virusTable[virus], request.strategy.n);
    const Strategy counted{request.strategy.n, CritsCount(virus) ? request.strategy.k : 0};
    struct Scored
    {
        double score;
        int team[6];
    };
    std::vector<Scored> all;
    int t[6] = {0, 0, 0, 0, 0, 0};
    for (t[1] = 1; t[1] < count; ++t[1])
        for (t[2] = t[1] + 1; t[2] < count; ++t[2])
            for (t[3] = t[2] + 1; t[3] < count; ++t[3])
                for (t[4] = t[3] + 1; t[4] < count; ++t[4])
                    for (t[5] = t[4] + 1; t[5] < count; ++t[5]) {
                        std::int64_t cute = 0;
                        for (int position : t)
                            cute += list.records[position].cute;
                        if (cute < threshold)
                            continue;
                        const double score = ScoreTeam(copy->virusTable, list, virus, t, counted);
                        if (score > 0.0)
                            all.push_back({score, {t[0], t[1], t[2], t[3], t[4], t[5]}});
                    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Scored& a, const Scored& b) { return a.score > b.score; });
    std::vector<PlanRecord> plans;
    for (const Scored& entry : all) {
        if (static_cast<int>(plans.size()) == wanted)
            break;
        PlanRecord plan;
        FillPlan(entry.team, plan, list, *copy, virus, static_cast<float>(entry.score));
        plans.push_back(plan);
    }
    return plans;
}

struct Cell
{
    bool found = false;
    PlanRecord plan;
};

// 1,344 reference searches: virus 0..63, then the strategies in generation order.
// The request's leader and excluded heroes; its virus and strategy are those
// of each cell.
inline std::vector<Cell> Overview(const PlanningTables& tables, const PlanRequest& request)
{
    std::vector<Cell> cells;
    PlanRequest cellRequest = request;
    for (int virus = 0; virus < kVirusCount; ++virus) {
        for (const Strategy& strategy : BuildStrategyList(false)) {
            Cell cell;
            cellRequest.virus = virus;
            cellRequest.strategy = strategy;
            cell.found = ReferenceSearch(tables, cellRequest, cell.plan);
            if (!cell.found)
                cell.plan = PlanRecord{};
            cells.push_back(cell);
        }
    }
    return cells;
}

} // namespace planningreference
