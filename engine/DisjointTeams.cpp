#include "engine/DisjointTeams.h"

#include "engine/TeamSearch.h"
#include "engine/internal/RankByTotals.h"

#include <stdexcept>

bool PlanDisjointTeams(const PlanningTables& tables, const PlanRequest& request, const int* leaders,
                       int leaderCount, DisjointTeam* teams, const std::atomic<bool>* cancel)
{
    const HeroSet& excluded = request.excluded;
    if (leaderCount < 1 || leaderCount > kMaxDisjointLeaders)
        throw std::invalid_argument("the number of leaders must be from 1 to 8");
    HeroSet listed;
    for (int i = 0; i < leaderCount; ++i) {
        if (leaders[i] < 0 || leaders[i] >= kHeroCount)
            throw std::invalid_argument("a leader must be a hero index from 0 to 127");
        if (listed.contains(leaders[i]))
            throw std::invalid_argument("a leader is listed twice");
        if (excluded.contains(leaders[i]))
            throw std::invalid_argument("a listed leader cannot be excluded");
        listed.insert(leaders[i]);
    }

    HeroSet used = excluded;
    SearchStats stats;
    for (int i = 0; i < leaderCount; ++i) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
            return false;
        PlanRequest teamRequest = request;
        teamRequest.leader = leaders[i];
        teamRequest.excluded = used;
        for (int j = 0; j < leaderCount; ++j) {
            if (j != i)
                teamRequest.excluded.insert(leaders[j]);
        }
        DisjointTeam& team = teams[i];
        team.plan = PlanRecord{};
        bool cancelled = false;
        team.found =
            FindBestTeamUnlessCancelled(tables, teamRequest, team.plan, stats, cancel, cancelled);
        if (cancelled)
            return false;
        if (!team.found)
            continue;
        for (std::uint32_t hero : team.plan.heroes)
            used.insert(static_cast<int>(hero));
    }
    return true;
}
