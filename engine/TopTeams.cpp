#include "engine/TopTeams.h"

#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/ScanCeiling.h"
#include "engine/internal/ExhaustiveScan.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/RankByTotals.h"
#include "engine/internal/SearchRoster.h"
#include "engine/internal/SortedPairRuns.h"
#include "engine/internal/TopTeamsSearch.h"

#include <algorithm>
#include <cassert>
#include <functional>
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
    TopList scanList;
    // The keys of the best team's neighbours (one member swapped).
    std::int64_t neighbourKeys[SearchRoster::kMaxPick * kHeroCount + 1] = {};
    PairTable pairs;
    ExhaustiveScan scan;

    // Builds the pair table for the current roster; the scan builds the
    // sorted runs from it where they do not hold this list already (the
    // single search of the same request has mostly built them).
    SortedPairRuns* buildPairs()
    {
        BuildPairTable(roster, pairs);
        return &ThreadSortedPairRuns();
    }
};

thread_local TopWorkspace t_workspace;

// The work the walk may do before the exhaustive scan takes its first turn
// (teams scored plus fourth picks tried), and the growth of the turns. As
// for the single best (FindBestTeam), the two take turns (ScanTurn), the walk
// starting over with a larger allowance and the scan going on where it
// stopped, so a query costs a small multiple of the cheaper of them.
constexpr std::uint64_t kWalkWork = 20'000;
// The most teams the totals may rank before the walk takes over.
constexpr std::uint64_t kTotalsRankTeams = 20'000;
constexpr std::uint64_t kWorkGrowth = 4;

// Builds the per-query tables shared by the walk and the scan; false when no
// team of six can be formed.
bool PrepareTopSearch(TopWorkspace& space, const PlanningTables& tables, int virusIndex, int n,
                      int k, int leader, const HeroSet& excluded, SearchStats* stats)
{
    if (stats != nullptr)
        *stats = SearchStats{};
    PrepareCandidates(tables.heroTable, leader, excluded, space.candidates);
    if (stats != nullptr)
        stats->candidateCount = space.candidates.count;
    if (space.candidates.count < 6)
        return false;
    BuildSearchRoster(space.candidates, tables.virusTable[virusIndex], virusIndex, n, k,
                      space.roster);
    return true;
}

// A floor for the best `wanted` teams before any walk: the key of the single
// best team and of its neighbours, the teams that swap one of its five
// picks for another candidate. Claim: if at least `wanted` of these teams
// score above 0, the wanted-th best key of all teams is at least the
// wanted-th largest of their keys, f. Proof: the neighbours differ from the
// best team and from each other (a swap of member a for p and one of b for q
// give the same team only when a = b and p = q), so they are `wanted`
// distinct teams with keys of at least f, and at most wanted - 1 teams rank
// above the wanted-th. Consequence: keys below f never enter the list, and
// the walk and the scan skip every subtree whose bound is below f. Returns
// f - 1, or 0 when fewer than `wanted` such teams score.
std::int64_t NeighbourFloor(TopWorkspace& space, const PlanningTables& tables, int virusIndex,
                            int n, int k, int leader, const HeroSet& excluded, int wanted,
                            const MarginModel& model, std::int64_t threshold,
                            const std::atomic<bool>* cancel, bool& cancelled)
{
    PlanRecord best{};
    best.heroes[0] = static_cast<std::uint32_t>(leader);
    SearchStats stats;
    if (!FindBestTeamUnlessCancelled(tables,
                                     PlanRequest{virusIndex, leader, Strategy{n, k}, excluded},
                                     best, stats, cancel, cancelled))
        return 0;
    const SearchRoster& roster = space.roster;
    int team[6] = {0, 0, 0, 0, 0, 0};
    for (int member = 1; member < 6; ++member) {
        for (int p = 1; p < roster.count; ++p) {
            if (CandidateHeroIndex(space.candidates.records[p]) ==
                static_cast<int>(best.heroes[member]))
                team[member] = p;
        }
    }
    const auto keyOf = [&](std::int64_t smart, std::int64_t cute, std::int64_t abnormal) {
        return cute < threshold
                   ? std::int64_t{0}
                   : model.key(model.lifeMargin(smart, abnormal), model.damageMargin(cute));
    };
    std::int64_t smart = 0;
    std::int64_t cute = 0;
    std::int64_t abnormal = 0;
    for (const int position : team) {
        smart += roster.smart[position];
        cute += roster.cute[position];
        abnormal += roster.abnormal[position];
    }
    int found = 0;
    space.neighbourKeys[found++] = keyOf(smart, cute, abnormal);
    for (int member = 1; member < 6; ++member) {
        const int out = team[member];
        for (int p = 1; p < roster.count; ++p) {
            if (std::find(team, team + 6, p) != team + 6)
                continue;
            const std::int64_t key = keyOf(smart - roster.smart[out] + roster.smart[p],
                                           cute - roster.cute[out] + roster.cute[p],
                                           abnormal - roster.abnormal[out] + roster.abnormal[p]);
            if (key > 0)
                space.neighbourKeys[found++] = key;
        }
    }
    if (found < wanted || space.neighbourKeys[0] == 0)
        return 0;
    std::nth_element(space.neighbourKeys, space.neighbourKeys + wanted - 1,
                     space.neighbourKeys + found, std::greater<>());
    return space.neighbourKeys[wanted - 1] - 1;
}

int FillPlans(const TopList& list, const TopWorkspace& space, const PlanningTables& tables,
              int virusIndex, const MarginModel& model, PlanRecord* plans)
{
    for (int i = 0; i < list.count; ++i) {
        plans[i] = PlanRecord{};
        FillPlan(list.positions[i], plans[i], space.candidates, tables, virusIndex,
                 static_cast<float>(model.score(list.keys[i])));
    }
    return list.count;
}

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
    if (!CritsCount(virusIndex))
        k = 0;
    TopWorkspace& space = t_workspace;
    if (!PrepareTopSearch(space, tables, virusIndex, n, k, leader, excluded, stats))
        return 0;

    const VirusRecord& virus = tables.virusTable[virusIndex];
    const MarginModel model(virus, virusIndex, n, k);
    const std::int64_t threshold = SearchThreshold(virus, n);
    space.product.build(space.roster, virus, virusIndex, n, k);
    TopList& list = space.list;
    list.wanted = wanted;
    list.count = 0;
    list.teamsScored = 0;
    bool cancelledEarly = false;
    list.startFloor = NeighbourFloor(space, tables, virusIndex, n, k, leader, excluded, wanted,
                                     model, threshold, cancel, cancelledEarly);
    if (cancelledEarly)
        return 0;
    // Where the single search answered through the totals, they rank the
    // teams above the floor too, unless those are too many.
    std::uint64_t totalsTried = 0;
    const bool ranked =
        RankWithLastTotals(tables, virusIndex, n, k, list, kTotalsRankTeams, &totalsTried);
    if (stats != nullptr)
        stats->totalsTried = totalsTried;
    if (ranked) {
        if (stats != nullptr)
            stats->teamsScored = list.count;
        return FillPlans(list, space, tables, virusIndex, model, plans);
    }
    list.count = 0;
    TopTeamsSearch search(space.roster, model, space.product, threshold, cancel);
    search.run(list, kWalkWork);
    std::uint64_t scored = list.teamsScored;
    const TopList* answer = &list;
    bool cancelled = search.cancelled();
    if (search.stopped() && !cancelled) {
        SortedPairRuns* sorted = space.buildPairs();
        ExhaustiveScan& scan = space.scan;
        scan.begin(space.roster, space.pairs, model, virus, n, model.countedHits(), threshold, true,
                   &space.product, sorted);
        TopList& scanned = space.scanList;
        scanned.wanted = wanted;
        scanned.count = 0;
        scanned.teamsScored = 0;
        scanned.startFloor = list.startFloor;
        ScanTopSink sink{scanned};
        std::uint64_t work = kWalkWork;
        for (; search.stopped() && !cancelled;) {
            // K teams the walk found key at least as high as the K-th best.
            if (list.count == wanted)
                sink.outsideFloor =
                    std::max<std::int64_t>(sink.outsideFloor, list.keys[wanted - 1] - 1);
            const ExhaustiveScan::State state =
                scan.run(sink, scan.lanesScored() + ScanTurn(work), cancel);
            if (stats != nullptr) {
                stats->teamsScanned = scan.teamsScanned();
                stats->scanLanes = scan.lanesScored();
            }
            if (state == ExhaustiveScan::State::Cancelled) {
                cancelled = true;
                break;
            }
            if (state == ExhaustiveScan::State::Done) {
                answer = &scanned;
                break;
            }
            // As for the single best (FindBestTeam): a query the first turns
            // do not end learns the ceiling on its keys, which ends it once
            // the list is full of teams of that key.
            if (sink.ceilingKey == kNoKeyCeiling)
                sink.ceilingKey =
                    KeyCeilingOf(ThreadCuteFrontier(), space.roster, model, threshold);
            if (sink.settled())
                continue;
            work *= kWorkGrowth;
            if (scan.restFits(ScanTurn(work)))
                continue;
            list.count = 0;
            list.teamsScored = 0;
            search.run(list, work);
            scored += list.teamsScored;
            cancelled = search.cancelled();
            if (!search.stopped() || cancelled)
                break;
        }
    }
    if (stats != nullptr)
        stats->teamsScored = scored;
    if (cancelled)
        return 0;
    return FillPlans(*answer, space, tables, virusIndex, model, plans);
}

int FindTopTeamsByScan(const PlanningTables& tables, const PlanRequest& request, int wanted,
                       PlanRecord* plans, SearchStats& stats)
{
    const int virusIndex = request.virus;
    const int n = request.strategy.n;
    int k = request.strategy.k;
    const int leader = request.leader;
    const HeroSet& excluded = request.excluded;
    if (wanted < 1 || wanted > kMaxTopTeams)
        throw std::invalid_argument("the number of teams must be from 1 to 50");
    if (excluded.contains(leader))
        throw std::invalid_argument("the leader of a search cannot be excluded");
    if (!CritsCount(virusIndex))
        k = 0;
    TopWorkspace& space = t_workspace;
    if (!PrepareTopSearch(space, tables, virusIndex, n, k, leader, excluded, &stats))
        return 0;
    const VirusRecord& virus = tables.virusTable[virusIndex];
    const MarginModel model(virus, virusIndex, n, k);
    SortedPairRuns* sorted = space.buildPairs();
    space.scan.begin(space.roster, space.pairs, model, virus, n, model.countedHits(),
                     SearchThreshold(virus, n), true, nullptr, sorted);
    TopList& scanned = space.scanList;
    scanned.wanted = wanted;
    scanned.count = 0;
    scanned.startFloor = 0;
    ScanTopSink sink{scanned};
    space.scan.run(sink, UINT64_MAX);
    stats.teamsScanned = space.scan.teamsScanned();
    stats.scanLanes = space.scan.lanesScored();
    return FillPlans(scanned, space, tables, virusIndex, model, plans);
}
