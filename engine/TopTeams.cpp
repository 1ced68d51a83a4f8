#include "TopTeams.h"

#include "Candidates.h"
#include "CombatModel.h"
#include "ExcludedTables.h"

#include <cassert>
#include <cstdint>
#include <stdexcept>

int FindTopTeams(const PlanningTables& tables, int virusIndex, int n, int k, int leader,
                 const HeroSet& excluded, int wanted, PlanRecord* plans, SearchStats* stats)
{
    if (wanted < 1 || wanted > kMaxTopTeams)
        throw std::invalid_argument("the number of teams must be from 1 to 50");
    assert(leader >= 0 && leader < kHeroCount);
    RefuseExcludedLeader(excluded, leader);
    PlanningTables& work = TablesWithout(tables, excluded);
    PrepareCandidates(work, leader);
    if (!CritsCount(virusIndex))
        k = 0;

    struct Entry
    {
        double score = 0.0;
        int positions[6] = {};
    };
    Entry best[kMaxTopTeams];
    int count = 0;
    std::uint64_t scored = 0;

    const int total = work.candidateCount;
    const std::int64_t threshold = SearchThreshold(work.virusTable[virusIndex], n);
    int team[6] = {0, 0, 0, 0, 0, 0};
    const auto cute = [&](int position) { return std::int64_t{work.candidates[position].cute}; };
    for (team[1] = 1; team[1] < total; ++team[1]) {
        if (cute(0) + 5 * cute(team[1]) < threshold)
            break;
        for (team[2] = team[1] + 1; team[2] < total; ++team[2]) {
            const std::int64_t s1 = cute(0) + cute(team[1]);
            if (s1 + 4 * cute(team[2]) < threshold)
                break;
            for (team[3] = team[2] + 1; team[3] < total; ++team[3]) {
                const std::int64_t s2 = s1 + cute(team[2]);
                if (s2 + 3 * cute(team[3]) < threshold)
                    break;
                for (team[4] = team[3] + 1; team[4] < total; ++team[4]) {
                    const std::int64_t s3 = s2 + cute(team[3]);
                    if (s3 + 2 * cute(team[4]) < threshold)
                        break;
                    for (team[5] = team[4] + 1; team[5] < total; ++team[5]) {
                        if (s3 + cute(team[4]) + cute(team[5]) < threshold)
                            break;
                        const double score = ScoreTeam(work, virusIndex, team, n, k);
                        ++scored;
                        // A later team of an equal score ranks below the
                        // earlier one: only a strictly greater score moves up.
                        int at = count;
                        while (at > 0 && best[at - 1].score < score)
                            --at;
                        if (score <= 0.0 || at >= wanted)
                            continue;
                        const int last = count < wanted ? count : wanted - 1;
                        for (int i = last; i > at; --i)
                            best[i] = best[i - 1];
                        best[at].score = score;
                        for (int i = 0; i < 6; ++i)
                            best[at].positions[i] = team[i];
                        if (count < wanted)
                            ++count;
                    }
                }
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        plans[i] = PlanRecord{};
        FillPlan(best[i].positions, plans[i], work, virusIndex, static_cast<float>(best[i].score));
    }
    if (stats != nullptr)
        stats->teamsScored = scored;
    return count;
}
