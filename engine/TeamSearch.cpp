#include "engine/TeamSearch.h"

#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/ScanCeiling.h"
#include "engine/internal/BranchAndBound.h"
#include "engine/internal/CuteFrontier.h"
#include "engine/internal/ExhaustiveScan.h"
#include "engine/internal/LeaderSearch.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/RankByTotals.h"
#include "engine/internal/SearchRoster.h"
#include "engine/internal/SortedPairRuns.h"
#include "engine/internal/TotalsSearch.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstdint>
#include <memory>
#include <stdexcept>

// The per-search tables of the fast search. They are kept from one search to
// the next (one set per thread, or per LeaderSearch) so that a search neither
// allocates them nor clears them: each search's builds write every entry that
// search reads (the first `count` positions and columns 0..count).
struct SearchWorkspace
{
    CandidateList candidates;
    SearchRoster roster;
    ProductBound product;
    TotalsSearch totals; // its sets (26 MB) are allocated with the workspace
    PairTable pairs;
    // The thread's runs (ThreadSortedPairRuns), shared with its searches
    // of the best K, or a LeaderSearch's own.
    SortedPairRuns* sortedPairs = nullptr;
    std::unique_ptr<SortedPairRuns> ownSortedPairs;
    // The thread's frontier (ThreadCuteFrontier), or a LeaderSearch's own.
    CuteFrontier* frontier = nullptr;
    std::unique_ptr<CuteFrontier> ownFrontier;
    ExhaustiveScan scan;
    // The totals' sets depend only on the candidate list and the direction
    // M moves with 可爱, so searches of one list may share them, and one
    // search may leave them partly built for the next.
    bool totalsBegun = false;
    bool totalsRising = true;
    // The last search of this workspace answered through the totals' sets.
    bool answeredByTotals = false;
};

namespace {

// Made at a thread's first search and kept for the thread's life.
SearchWorkspace& ThreadWorkspace()
{
    thread_local const std::unique_ptr<SearchWorkspace> workspace = [] {
        auto made = std::make_unique<SearchWorkspace>();
        made->sortedPairs = &ThreadSortedPairRuns();
        made->frontier = &ThreadCuteFrontier();
        return made;
    }();
    return *workspace;
}

// The work the branch and bound may do before the search over totals starts
// (teams scored plus nodes visited). Realistic rosters need a few hundred;
// rosters where many teams tie or nearly tie need millions, and there the
// totals, which tied teams share, are mostly few. Where both are many, the two
// take turns with budgets growing fourfold (the build goes on where it
// stopped, the branch and bound starts over with its budget), so a search
// costs a small multiple of the cheaper of them.
constexpr std::uint64_t kBranchAndBoundWork = 5'000;
constexpr std::uint64_t kWorkGrowth = 4;
// The totals built in a turn of `work` units. A total kept costs 30 to 130 ns
// where the sets grow large (planes of 聪明 + 可爱, which the totals do not
// serve), about a unit of the branch and bound's work; two to a unit is the
// balance measured between those rosters and the ones the totals answer
// (flat landscapes: 19 ms at the worst against 105 ms at one to a unit).
constexpr std::uint64_t kTotalsPerWork = 2;
// Each turn of the cleverer methods is followed by a turn of the exhaustive
// scan (ScanTurn), which goes on where it stopped; so no query costs more than
// a small multiple of one full scan (the ceiling), and a query that a cleverer
// method answers quickly pays a small multiple of that method's work.

// What both searches do before they enumerate: the request is checked, crits
// count only from kFirstCritVirus on, and the candidate list is built for the
// request's leader. Returns the crits to plan for.
int BeginSearch(const PlanningTables& tables, const PlanRequest& request, CandidateList& list,
                SearchStats& stats)
{
    assert(request.virus >= 0 && request.virus < kVirusCount);
    assert(request.strategy.n >= 0 && request.strategy.n <= 5);
    assert(request.strategy.k >= 0 && request.strategy.k <= request.strategy.n);
    if (request.leader < 0 || request.leader >= kHeroCount)
        throw std::invalid_argument("hero index outside 0..127");
    if (request.excluded.contains(request.leader))
        throw std::invalid_argument("the leader of a search cannot be excluded");
    stats = SearchStats{};
    PrepareCandidates(tables.heroTable, request.leader, request.excluded, list);
    stats.candidateCount = list.count;
    return CritsCount(request.virus) ? request.strategy.k : 0;
}

// The fast search over the candidate list already in the workspace, for the
// crits k already counted: the branch and bound with a work limit, then,
// where it ran out, the search over totals (with the sets of the workspace
// when they were built for this list and direction), or where the totals do
// not serve, the branch and bound to its end.
bool SearchPrepared(SearchWorkspace& workspace, const PlanningTables& tables, int virusIndex, int n,
                    int k, PlanRecord& plan, SearchStats& stats,
                    const std::atomic<bool>* cancel = nullptr, bool* cancelled = nullptr)
{
    const auto stopAsked = [cancel, cancelled] {
        if (cancel == nullptr || !cancel->load(std::memory_order_relaxed))
            return false;
        if (cancelled != nullptr)
            *cancelled = true;
        return true;
    };
    const CandidateList& list = workspace.candidates;
    workspace.answeredByTotals = false;
    if (list.count < 6)
        return false;

    const VirusRecord& virus = tables.virusTable[virusIndex];
    SearchRoster& roster = workspace.roster;
    BuildSearchRoster(list, virus, virusIndex, n, k, roster);
    const MarginModel model(virus, virusIndex, n, k);
    ProductBound& product = workspace.product;
    product.build(roster, virus, virusIndex, n, k);
    const std::int64_t threshold = SearchThreshold(virus, n);
    const BranchAndBound search(roster, model, product, threshold, cancel);
    SearchBest best = search.run(kBranchAndBoundWork);
    stats.teamsScored = best.teamsScored;
    stats.nodesVisited = best.nodesVisited;
    if (best.stopped) {
        // Where M falls as 可爱 rises, the totals serve only when no team
        // falls below the threshold (see TotalsSearch).
        const bool cuteRises = model.damageRisesWithCute();
        const bool usable =
            cuteRises || roster.cute[0] + roster.cuteTail[SearchRoster::kMaxPick] >= threshold;
        TotalsSearch& totals = workspace.totals;
        if (usable && (!workspace.totalsBegun || workspace.totalsRising != cuteRises)) {
            totals.beginBuild(roster, cuteRises);
            workspace.totalsBegun = true;
            workspace.totalsRising = cuteRises;
        }
        BuildPairTable(roster, workspace.pairs);
        ExhaustiveScan& scan = workspace.scan;
        scan.begin(roster, workspace.pairs, model, virus, n, model.countedHits(), threshold, true,
                   &product, workspace.sortedPairs);
        ScanBestSink ceiling;
        // Keys some team reaches; a stopped walk's best is a real team's.
        std::int64_t incumbent = best.key;
        std::uint64_t work = kBranchAndBoundWork;
        for (;;) {
            if (stopAsked())
                return false;
            work *= kWorkGrowth;
            if (!ceiling.settled() && !scan.restFits(ScanTurn(work))) {
                // The totals' turn while they may still serve, else the walk's.
                const bool totalsBuilt =
                    usable && totals.state() != TotalsSearch::BuildState::Full &&
                    totals.buildMore(totals.totalsKept() + kTotalsPerWork * work) ==
                        TotalsSearch::BuildState::Done;
                if (totalsBuilt) {
                    best = totals.find(model, threshold, incumbent);
                    workspace.answeredByTotals = true;
                    stats.totalsKept = totals.totalsKept();
                    stats.totalsTried = totals.totalsTried();
                    break;
                }
                best = search.run(work);
                stats.teamsScored += best.teamsScored;
                stats.nodesVisited += best.nodesVisited;
                // A walk keeps the first team of its best key in the
                // reference's order, so one of the ceiling's key is the answer.
                if (!best.stopped || best.key >= ceiling.ceilingKey)
                    break;
                incumbent = std::max(incumbent, best.key);
            }
            ceiling.outsideFloor = std::max<std::int64_t>(0, incumbent - 1);
            const ExhaustiveScan::State state =
                scan.run(ceiling, scan.lanesScored() + ScanTurn(work), cancel);
            stats.teamsScanned = scan.teamsScanned();
            stats.scanLanes = scan.lanesScored();
            if (state == ExhaustiveScan::State::Cancelled && stopAsked())
                return false;
            if (state == ExhaustiveScan::State::Done) {
                // The incumbent's own team keys above the outside floor, so
                // the scan kept the first team of the best key.
                best.key = ceiling.key;
                std::copy(ceiling.positions, ceiling.positions + 6, best.positions);
                break;
            }
            // A query the first turns do not end learns the ceiling on its
            // keys, which ends it at the first team that reaches it.
            if (ceiling.ceilingKey == kNoKeyCeiling)
                ceiling.ceilingKey = KeyCeilingOf(*workspace.frontier, roster, model, threshold);
        }
    }
    if (best.key == 0 || stopAsked())
        return false;
    FillPlan(best.positions, plan, list, tables, virusIndex,
             static_cast<float>(model.score(best.key)));
    return true;
}

} // namespace

// The same steps as the reference up to the enumeration, which the branch and
// bound and the search over totals replace; their answer is the reference's
// team (see BranchAndBound and TotalsSearch).
bool FindBestTeam(const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan,
                  SearchStats* stats)
{
    SearchStats ignored;
    SearchStats& counted = stats != nullptr ? *stats : ignored;
    SearchWorkspace& workspace = ThreadWorkspace();
    const int k = BeginSearch(tables, request, workspace.candidates, counted);
    workspace.totalsBegun = false;
    return SearchPrepared(workspace, tables, request.virus, request.strategy.n, k, plan, counted);
}

bool FindBestTeamUnlessCancelled(const PlanningTables& tables, const PlanRequest& request,
                                 PlanRecord& plan, SearchStats& stats,
                                 const std::atomic<bool>* cancel, bool& cancelled)
{
    cancelled = false;
    SearchWorkspace& workspace = ThreadWorkspace();
    const int k = BeginSearch(tables, request, workspace.candidates, stats);
    workspace.totalsBegun = false;
    return SearchPrepared(workspace, tables, request.virus, request.strategy.n, k, plan, stats,
                          cancel, &cancelled);
}

bool RankWithLastTotals(const PlanningTables& tables, int virusIndex, int n, int k, TopList& list,
                        std::uint64_t teamLimit, std::uint64_t* totalsTried)
{
    SearchWorkspace& workspace = ThreadWorkspace();
    if (!workspace.answeredByTotals)
        return false;
    const VirusRecord& virus = tables.virusTable[virusIndex];
    const MarginModel model(virus, virusIndex, n, k);
    const bool ranked = workspace.totals.rank(model, SearchThreshold(virus, n), list, teamLimit);
    if (totalsTried != nullptr)
        *totalsTried = workspace.totals.totalsTried();
    return ranked;
}

bool FindBestTeamByScan(const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan,
                        SearchStats& stats, bool skipClosed)
{
    SearchWorkspace& workspace = ThreadWorkspace();
    const int virusIndex = request.virus;
    const int n = request.strategy.n;
    const int k = BeginSearch(tables, request, workspace.candidates, stats);
    // A new list: the totals' sets of the last search no longer serve.
    workspace.totalsBegun = false;
    workspace.answeredByTotals = false;
    const CandidateList& list = workspace.candidates;
    if (list.count < 6)
        return false;
    const VirusRecord& virus = tables.virusTable[virusIndex];
    BuildSearchRoster(list, virus, virusIndex, n, k, workspace.roster);
    const MarginModel model(virus, virusIndex, n, k);
    BuildPairTable(workspace.roster, workspace.pairs);
    // Scanning every team measures the plain runs; otherwise the scan skips
    // what its bounds close, as under the searches.
    SortedPairRuns* sorted = skipClosed ? workspace.sortedPairs : nullptr;
    ExhaustiveScan& scan = workspace.scan;
    scan.begin(workspace.roster, workspace.pairs, model, virus, n, model.countedHits(),
               SearchThreshold(virus, n), skipClosed, nullptr, sorted);
    ScanBestSink best;
    scan.run(best, UINT64_MAX);
    stats.teamsScanned = scan.teamsScanned();
    stats.scanLanes = scan.lanesScored();
    if (best.key == 0)
        return false;
    FillPlan(best.positions, plan, list, tables, virusIndex,
             static_cast<float>(model.score(best.key)));
    return true;
}

LeaderSearch::LeaderSearch(const PlanningTables& tables, int leader, const HeroSet& excluded)
    : m_tables(tables), m_workspace(std::make_unique<SearchWorkspace>())
{
    m_workspace->ownSortedPairs = std::make_unique<SortedPairRuns>();
    m_workspace->sortedPairs = m_workspace->ownSortedPairs.get();
    m_workspace->ownFrontier = std::make_unique<CuteFrontier>();
    m_workspace->frontier = m_workspace->ownFrontier.get();
    if (leader < 0 || leader >= kHeroCount)
        throw std::invalid_argument("hero index outside 0..127");
    if (excluded.contains(leader))
        throw std::invalid_argument("the leader of a search cannot be excluded");
    PrepareCandidates(tables.heroTable, leader, excluded, m_workspace->candidates);
}

LeaderSearch::~LeaderSearch() = default;

bool LeaderSearch::find(int virusIndex, int n, int k, PlanRecord& plan, SearchStats& stats,
                        const std::atomic<bool>* cancel)
{
    assert(virusIndex >= 0 && virusIndex < kVirusCount);
    stats = SearchStats{};
    stats.candidateCount = m_workspace->candidates.count;
    return SearchPrepared(*m_workspace, m_tables, virusIndex, n, CritsCount(virusIndex) ? k : 0,
                          plan, stats, cancel);
}

// The candidate list lives on this search's stack (4 KB), so the reference
// shares nothing with any other search either.
bool FindBestTeamReference(const PlanningTables& tables, const PlanRequest& request,
                           PlanRecord& plan, SearchStats* stats)
{
    SearchStats ignored;
    SearchStats& counted = stats != nullptr ? *stats : ignored;
    CandidateList candidates;
    const Strategy strategy{request.strategy.n, BeginSearch(tables, request, candidates, counted)};
    const int virusIndex = request.virus;
    const int count = candidates.count;
    const VirusRecord& virus = tables.virusTable[virusIndex];
    const std::int64_t threshold = SearchThreshold(virus, strategy.n);
    if (count <= 1)
        return false;

    const HeroRecord* list = candidates.records.data();
    const std::int64_t c0 = list[0].cute;
    double bestScore = 0.0;
    std::uint64_t scored = 0;
    int best[6] = {0, 0, 0, 0, 0, 0};
    int team[6] = {0, 0, 0, 0, 0, 0};

    // Each loop ends at the first position whose bound fails: 可爱 does not
    // increase along the list, so no later position can pass either.
    for (team[1] = 1; team[1] < count; ++team[1]) {
        const std::int64_t s1 = c0 + list[team[1]].cute;
        if (c0 + 5 * std::int64_t{list[team[1]].cute} < threshold)
            break;
        for (team[2] = team[1] + 1; team[2] < count; ++team[2]) {
            const std::int64_t s2 = s1 + list[team[2]].cute;
            if (s1 + 4 * std::int64_t{list[team[2]].cute} < threshold)
                break;
            for (team[3] = team[2] + 1; team[3] < count; ++team[3]) {
                const std::int64_t s3 = s2 + list[team[3]].cute;
                if (s2 + 3 * std::int64_t{list[team[3]].cute} < threshold)
                    break;
                for (team[4] = team[3] + 1; team[4] < count; ++team[4]) {
                    const std::int64_t s4 = s3 + list[team[4]].cute;
                    if (s3 + 2 * std::int64_t{list[team[4]].cute} < threshold)
                        break;
                    for (team[5] = team[4] + 1; team[5] < count; ++team[5]) {
                        if (s4 + list[team[5]].cute < threshold)
                            break;
                        const double score =
                            ScoreTeam(tables.virusTable, candidates, virusIndex, team, strategy);
                        ++scored;
                        if (bestScore < score) {
                            bestScore = score;
                            for (int i = 0; i < 6; ++i)
                                best[i] = team[i];
                        }
                    }
                }
            }
        }
    }
    counted.teamsScored = scored;
    if (bestScore == 0.0)
        return false;
    FillPlan(best, plan, candidates, tables, virusIndex, static_cast<float>(bestScore));
    return true;
}

void FillPlan(const int positions[6], PlanRecord& plan, const CandidateList& list,
              const PlanningTables& tables, int virusIndex, float score)
{
    for (int i = 0; i < 6; ++i)
        plan.heroes[i] = static_cast<std::uint32_t>(CandidateHeroIndex(list.records[positions[i]]));
    const TeamTotals totals = SumTeam(list.records.data(), positions);
    const TeamFigures figures = ComputeFigures(tables.virusTable[virusIndex], virusIndex, totals);
    FillPlanFigures(plan, totals, figures);
    plan.score = score;
}

void FillPlanFigures(PlanRecord& plan, const TeamTotals& totals, const TeamFigures& figures)
{
    // Totals stay below 6 × 65535 and damages below 2^23, so they fit the
    // record's 32-bit fields exactly.
    plan.smartTotal = static_cast<std::int32_t>(totals.smart);
    plan.cuteTotal = static_cast<std::int32_t>(totals.cute);
    plan.abnormalTotal = static_cast<std::int32_t>(totals.abnormal);
    plan.heroDamageLow = static_cast<std::int32_t>(figures.heroDamage);
    plan.heroDamageHigh = static_cast<std::int32_t>(figures.heroDamage + 5);
    plan.virusDamageLow = static_cast<std::int32_t>(figures.virusDamage);
    plan.virusDamageHigh = static_cast<std::int32_t>(figures.virusDamage + 5);
    plan.critDamageLow = static_cast<std::int32_t>(figures.critDamage);
    plan.critDamageHigh = static_cast<std::int32_t>(figures.critDamage + 5);
}
