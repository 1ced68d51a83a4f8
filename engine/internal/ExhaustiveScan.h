#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/CompletionBounds.h"
#include "engine/internal/CuteFrontier.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/ProductBound.h"
#include "engine/internal/ScanKernel.h"
#include "engine/internal/SearchRoster.h"
#include "engine/internal/SortedPairRuns.h"
#include "engine/internal/TopTeamsSearch.h"

#include <atomic>
#include <cstdint>
#include <optional>

// The sums of every pair of candidates (a, b), 1 <= a < b < N, ordered by a,
// then b: the pairs whose first member comes after a position p are the
// table's suffix from start[p + 1], so the fourth and fifth picks of every
// team with third pick p lie in one run, in the reference's order.
struct PairTable
{
    static constexpr int kMaxPairs = (kHeroCount - 1) * (kHeroCount - 2) / 2;

    int count = 0;
    // start[a]: the first pair whose first member is a or later (count past
    // the last), for a = 1..N.
    int start[kHeroCount + 1] = {};
    std::uint8_t first[kMaxPairs] = {};
    std::uint8_t second[kMaxPairs] = {};
    // Each column ends in kScanBlock zeros, which the kernel may read.
    alignas(64) std::int32_t smart[kMaxPairs + kScanBlock] = {};
    alignas(64) std::int32_t cute[kMaxPairs + kScanBlock] = {};
    alignas(64) std::int32_t abnormal[kMaxPairs + kScanBlock] = {};
};

void BuildPairTable(const SearchRoster& roster, PairTable& pairs);

// What one unit of a walk's work (a team scored or a node of the tree visited,
// with its bounds) costs in lanes of the scan: measured at 20 to 30 on rosters
// where the walk's bounds stay open.
inline constexpr std::uint64_t kScanTeamsPerWalkWork = 32;
// How much longer the scan's turn is than the walk's before it. The scan
// takes its first turn after the walks' first, and the walks start over with
// an allowance four times the last; so with a scan of S lanes that ends in
// its turn, the walks' turns cost at most 16/3 × S / share in lanes: at a
// share of 8 the whole query costs at most about 1.7 scans, while a query
// that a walk ends in a turn of W units costs at most about
// (1 + share) × 4/3 × W. The scan's runs skip most of their lanes on the
// rosters where the walks do worst (SortedPairRuns), so it has the larger
// share.
inline constexpr std::uint64_t kScanTurnShare = 8;
// The lanes the scan may score in the turn after a walk's turn of `work`
// units.
constexpr std::uint64_t ScanTurn(std::uint64_t work)
{
    return kScanTurnShare * kScanTeamsPerWalkWork * work;
}

// Where the scan keeps the best team: its key and positions, a floor set from
// outside (a key some other method proved reachable, less one), below which
// nothing is kept, and a ceiling at which it stops looking.
struct ScanBestSink
{
    std::int64_t key = 0;
    std::int64_t outsideFloor = 0;
    // A key no team exceeds (CuteFrontier), where one is known.
    std::int64_t ceilingKey = kNoKeyCeiling;
    int positions[6] = {};

    // Whether the sink holds the answer: the scan offers teams in the
    // reference's order, so the first of the ceiling's key is the answer.
    bool settled() const { return key >= ceilingKey; }
    std::int64_t floor() const
    {
        // Above every key: every subtree closes and the scan ends.
        if (settled())
            return kNoKeyCeiling;
        return key > outsideFloor ? key : outsideFloor;
    }
    void offer(std::int64_t teamKey, const int team[6])
    {
        if (teamKey <= floor())
            return;
        key = teamKey;
        for (int i = 0; i < 6; ++i)
            positions[i] = team[i];
    }
};

// Where the scan keeps the best K teams: a TopList, a floor set from outside
// (the K-th key of K teams some other method found, less one: the K-th best
// key is at least that of any K teams), and a ceiling as ScanBestSink's.
struct ScanTopSink
{
    TopList& list;
    std::int64_t outsideFloor = 0;
    // A key no team exceeds (CuteFrontier), where one is known.
    std::int64_t ceilingKey = kNoKeyCeiling;

    // Whether the list holds the answer: full of teams of the ceiling's key,
    // the first ones in the reference's order, as the scan offers them.
    bool settled() const { return list.count == list.wanted && list.floor() >= ceilingKey; }
    std::int64_t floor() const
    {
        if (settled())
            return kNoKeyCeiling;
        return list.floor() > outsideFloor ? list.floor() : outsideFloor;
    }
    void offer(std::int64_t teamKey, const int team[6])
    {
        if (teamKey > floor())
            list.add(teamKey, team);
    }
};

// The exhaustive scan: every eligible team in the reference's order, scored
// in vector lanes (ScanKernel) with the third-pick runs of the pair table;
// only the blocks that hold a team above the sink's floor are scored again,
// exactly and in order, and offered to the sink. So the sink sees every team
// that could change it, in the reference's order: the single best keeps the
// first team of the highest key, and a list of the best K keeps the first K
// of the ranking, as the reference's order breaks their ties.
//
// A partial team whose completions all key at or below the sink's floor is
// skipped with its subtree (CompletionBounds): no team there could change
// the sink. The cost of a query is then at most one pass over its eligible
// teams, whatever the roster: the ceiling under the cleverer methods.
//
// The scan runs in turns: run() stops once it has scanned a number of teams
// and goes on from there when called again, for the same sink.
class ExhaustiveScan final
{
public:
    enum class State
    {
        Running,   // stopped on its allowance; call run() again
        Done,      // every team is seen; the sink holds the answer
        Cancelled, // the caller's flag was set
    };

    // Starts a scan of one query over `roster`, whose pairs `pairs` holds.
    // Without skipClosed every eligible team is scanned (for measuring the
    // ceiling itself).
    // `product`, where given, closes subtrees the separate bounds leave open.
    // `sorted`, where given (for the roster of `pairs`), lets each run skip
    // the blocks its bounds close (SortedPairRuns); it is built at the first
    // run that needs it unless it holds this roster already.
    void begin(const SearchRoster& roster, const PairTable& pairs, const MarginModel& model,
               const VirusRecord& virus, int n, int countedHits, std::int64_t threshold,
               bool skipClosed = true, ProductBound* product = nullptr,
               SortedPairRuns* sorted = nullptr);

    // Scans until the lanes scored since begin() pass laneLimit, or to the
    // end. Sink: offer(key, team) and floor() as ScanBestSink.
    template <typename Sink>
    State run(Sink& sink, std::uint64_t laneLimit, const std::atomic<bool>* cancel = nullptr);

    // The teams of the runs scanned so far, each counted whether its lane
    // was scored or its block skipped.
    std::uint64_t teamsScanned() const { return m_scanned; }
    // The scan's work so far: vector lanes scored, a block's bound counted
    // as one lane (a plain run scores every team).
    std::uint64_t lanesScored() const { return m_lanes; }
    // Whether the rest of the scan would take at most `lanes` more lanes at
    // the lanes a team it has spent so far; an estimate from the teams left
    // of all C(N - 1, 5), which overstates it. False before the first run.
    bool restFits(std::uint64_t lanes) const;
    // Whether the roster's stats call for the kernel's wide lanes.
    bool wideLanes() const { return m_wide; }

private:
    template <typename Sink> void scanRun(Sink& sink, const PartialTeam& sum, int p3);
    template <typename Sink> void scanSortedRun(Sink& sink, const PartialTeam& sum, int p3);
    bool closed(const PartialTeam& sum, int remaining, int from, std::int64_t floorKey);

    const SearchRoster* m_roster = nullptr;
    const PairTable* m_pairs = nullptr;
    const MarginModel* m_model = nullptr;
    std::optional<CompletionBounds> m_bounds;
    ProductBound* m_product = nullptr;
    SortedPairRuns* m_sorted = nullptr;
    bool m_sortedReady = false;
    std::int64_t m_threshold = 0;
    ScanQuery m_query;
    bool m_wide = false;
    bool m_skipClosed = true;
    State m_state = State::Done;
    // Where the walk resumes: first, second and third picks (0: not yet
    // begun at that level).
    int m_p1 = 1;
    int m_p2 = 0;
    int m_p3 = 0;
    std::uint64_t m_scanned = 0;
    std::uint64_t m_lanes = 0;
    int m_team[6] = {};
};
