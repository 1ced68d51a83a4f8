#include "engine/internal/CuteFrontier.h"

#include <algorithm>
#include <cassert>
#include <memory>

CuteFrontier& ThreadCuteFrontier()
{
    thread_local const std::unique_ptr<CuteFrontier> frontier = std::make_unique<CuteFrontier>();
    return *frontier;
}

bool FrontierServes(const SearchRoster& roster)
{
    for (int p = 0; p < roster.count; ++p) {
        if (roster.smart[p] > kScanVectorStatLimit || roster.cute[p] > kScanVectorStatLimit ||
            roster.abnormal[p] > kScanVectorStatLimit)
            return false;
    }
    return true;
}

// The picks taken one at a time (a 0/1 knapsack with a count): after pick p,
// row r holds the best totals of r picks among positions 1..p, so each row
// grows from the row below as it was before p.
void BuildCuteFrontier(const SearchRoster& roster, CuteFrontier& frontier)
{
    assert(FrontierServes(roster));
    constexpr int kPicks = CuteFrontier::kPicks;
    int limit = 0; // the largest 可爱 total of kPicks picks: the list is sorted
    for (int p = 1; p < std::min(roster.count, kPicks + 1); ++p)
        limit += roster.cute[p];
    frontier.limit = limit;
    for (int r = 0; r <= kPicks; ++r) {
        std::fill_n(frontier.smart[r], limit + 1, CuteFrontier::kNone);
        std::fill_n(frontier.abnormal[r], limit + 1, CuteFrontier::kNone);
    }
    frontier.smart[0][0] = 0;
    frontier.abnormal[0][0] = 0;
    // reach[r]: the largest 可爱 total of r picks so far.
    int reach[kPicks + 1] = {};
    for (int p = 1; p < roster.count; ++p) {
        const int cute = roster.cute[p];
        for (int r = std::min(p, kPicks); r >= 1; --r) {
            const int top = std::min(reach[r - 1] + cute, limit);
            const int count = top - cute + 1;
            if (count > 0) {
                RaiseByShifted(frontier.smart[r] + cute, frontier.smart[r - 1], count,
                               roster.smart[p]);
                RaiseByShifted(frontier.abnormal[r] + cute, frontier.abnormal[r - 1], count,
                               roster.abnormal[p]);
            }
            reach[r] = std::max(reach[r], top);
        }
    }
    frontier.builtFrom.take(roster);
}

std::int64_t KeyCeilingOf(CuteFrontier& frontier, const SearchRoster& roster,
                          const MarginModel& model, std::int64_t threshold)
{
    if (!FrontierServes(roster))
        return kNoKeyCeiling;
    if (!frontier.holds(roster))
        BuildCuteFrontier(roster, frontier);
    return frontier.keyCeiling(roster, model, threshold);
}

std::int64_t CuteFrontier::keyCeiling(const SearchRoster& roster, const MarginModel& model,
                                      std::int64_t threshold) const
{
    std::int64_t ceiling = 0;
    const std::int32_t* smartOf = smart[kPicks];
    const std::int32_t* abnormalOf = abnormal[kPicks];
    const std::int64_t first = std::max<std::int64_t>(0, threshold - roster.cute[0]);
    for (std::int64_t t = first; t <= limit; ++t) {
        if (smartOf[t] < 0)
            continue;
        const std::int64_t life =
            model.lifeMargin(roster.smart[0] + smartOf[t], roster.abnormal[0] + abnormalOf[t]);
        ceiling = std::max(ceiling, model.key(life, model.damageMargin(roster.cute[0] + t)));
    }
    return ceiling;
}
