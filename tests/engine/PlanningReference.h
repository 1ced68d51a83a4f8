#pragma once

#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/HeroSet.h"
#include "engine/PlanningTables.h"
#include "engine/Strategies.h"
#include "engine/TeamSearch.h"

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

inline bool ReferenceSearch(const PlanningTables& tables, int virus, int n, int k, int leader,
                            const HeroSet& excluded, PlanRecord& plan)
{
    const auto copy = Without(tables, excluded);
    plan = PlanRecord{};
    plan.heroes[0] = static_cast<std::uint32_t>(leader);
    return FindBestTeamReference(*copy, virus, n, k, plan);
}

// Every team the reference would score, scored, sorted by score (highest
// first; the sort is stable and the teams are generated in ascending order of
// candidate positions), cut to `wanted`.
inline std::vector<PlanRecord> TopTeams(const PlanningTables& tables, int virus, int n, int k,
                                        int leader, const HeroSet& excluded, int wanted)
{
    const auto copy = Without(tables, excluded);
    PrepareCandidates(*copy, leader);
    const int count = copy->candidateCount;
    const std::int64_t threshold = SearchThreshold(copy->virusTable[virus], n);
    const int crits = CritsCount(virus) ? k : 0;
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
                            cute += copy->candidates[position].cute;
                        if (cute < threshold)
                            continue;
                        const double score = ScoreTeam(*copy, virus, t, n, crits);
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
        CandidateList list;
        list.records = copy->candidates;
        list.count = copy->candidateCount;
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
inline std::vector<Cell> Overview(const PlanningTables& tables, int leader, const HeroSet& excluded)
{
    std::vector<Cell> cells;
    for (int virus = 0; virus < kVirusCount; ++virus) {
        for (const Strategy& strategy : BuildStrategyList(false)) {
            Cell cell;
            cell.found = ReferenceSearch(tables, virus, strategy.hits(), strategy.crits, leader,
                                         excluded, cell.plan);
            if (!cell.found)
                cell.plan = PlanRecord{};
            cells.push_back(cell);
        }
    }
    return cells;
}

} // namespace planningreference
