#include "engine/TopTeams.h"

#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/SearchRoster.h"
#include "engine/internal/TopTeamsSearch.h"

#include <cassert>
#include <stdexcept>

static_assert(kMaxTopTeams == TopList::kMost);

namespace {

// The per-thread blocks of a top-teams search, sized once: nothing is
// allocated while searching.
struct TopWorkspace
{
    CandidateList candidates;
    SearchRoster roster;
    ProductBound product;
    TopList list;
};

thread_local TopWorkspace t_workspace;

} // namespace

int FindTopTeams(const PlanningTables& tables, const PlanRequest& request, int wanted,
                 PlanRecord* plans, SearchStats* stats, const std::atomic<bool>* cancel)
{
    const int virusIndex = request.virus;
    const int leader = request.leader;
    const HeroSet& excluded = request.excluded;
    const int n = request.strategy.n;
    int k = request.strategy.k;
    if (wanted < 1 || wanted > kMaxTopTeams)
        throw std::invalid_argument("the number of teams must be from 1 to 50");
    assert(virusIndex >= 0 && virusIndex < kVirusCount);
    assert(leader >= 0 && leader < kHeroCount);
    assert(n >= 0 && n <= 5 && k >= 0 && k <= n);
    if (excluded.contains(leader))
        throw std::invalid_argument("the leader of a search cannot be excluded");
    if (stats != nullptr)
        *stats = SearchStats{};
    TopWorkspace& space = t_workspace;
    PrepareCandidates(tables.heroTable, leader, excluded, space.candidates);
    if (stats != nullptr)
        stats->candidateCount = space.candidates.count;
    if (space.candidates.count < 6)
        return 0;
    if (!CritsCount(virusIndex))
        k = 0;

    const VirusRecord& virus = tables.virusTable[virusIndex];
    BuildSearchRoster(space.candidates, virus, virusIndex, n, k, space.roster);
    const MarginModel model(virus, virusIndex, n, k);
    space.product.build(space.roster, virus, virusIndex, n, k);
    TopList& list = space.list;
    list.wanted = wanted;
    list.count = 0;
    list.teamsScored = 0;
    TopTeamsSearch search(space.roster, model, space.product, SearchThreshold(virus, n), cancel);
    search.run(list);
    if (search.cancelled()) {
        if (stats != nullptr)
            stats->teamsScored = list.teamsScored;
        return 0;
    }

    for (int i = 0; i < list.count; ++i) {
        plans[i] = PlanRecord{};
        FillPlan(list.positions[i], plans[i], space.candidates, tables, virusIndex,
                 static_cast<float>(model.score(list.keys[i])));
    }
    if (stats != nullptr)
        stats->teamsScored = list.teamsScored;
    return list.count;
}
