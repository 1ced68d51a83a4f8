#include "engine/internal/ExhaustiveScan.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <limits>

void BuildPairTable(const SearchRoster& roster, PairTable& pairs)
{
    const int count = roster.count;
    int at = 0;
    for (int a = 1; a < count; ++a) {
        pairs.start[a] = at;
        for (int b = a + 1; b < count; ++b, ++at) {
            pairs.first[at] = static_cast<std::uint8_t>(a);
            pairs.second[at] = static_cast<std::uint8_t>(b);
            pairs.smart[at] = roster.smart[a] + roster.smart[b];
            pairs.cute[at] = roster.cute[a] + roster.cute[b];
            pairs.abnormal[at] = roster.abnormal[a] + roster.abnormal[b];
        }
    }
    pairs.start[std::max(count, 1)] = at;
    pairs.count = at;
    std::fill_n(pairs.smart + at, kScanBlock, 0);
    std::fill_n(pairs.cute + at, kScanBlock, 0);
    std::fill_n(pairs.abnormal + at, kScanBlock, 0);
}

void ExhaustiveScan::begin(const SearchRoster& roster, const PairTable& pairs,
                           const MarginModel& model, const VirusRecord& virus, int n,
                           int countedHits, std::int64_t threshold, bool skipClosed,
                           ProductBound* product, SortedPairRuns* sorted)
{
    m_product = product;
    m_sorted = sorted;
    // Built at the first run that needs them, unless they hold this list.
    m_sortedReady = sorted != nullptr && sorted->holds(roster);
    m_skipClosed = skipClosed;
    m_roster = &roster;
    m_pairs = &pairs;
    m_model = &model;
    m_bounds.emplace(roster, model, threshold);
    m_threshold = threshold;
    bool narrow = true;
    for (int p = 0; p < roster.count; ++p)
        narrow = narrow && roster.smart[p] <= kScanVectorStatLimit &&
                 roster.cute[p] <= kScanVectorStatLimit &&
                 roster.abnormal[p] <= kScanVectorStatLimit &&
                 virus.stupid <= kScanVectorStatLimit && virus.hateful <= kScanVectorStatLimit &&
                 virus.notAbnormal <= kScanVectorStatLimit;
    m_wide = !narrow;
    // A threshold below 0 lets every team in, as -1 does (可爱 totals are not
    // negative); one above every total lets none in.
    m_query.threshold = static_cast<std::int32_t>(std::clamp<std::int64_t>(threshold, -1, 1 << 30));
    m_query.hateful = virus.hateful;
    m_query.countedHits = countedHits;
    m_query.cuteFactor = 10000 - 3 * std::int32_t{virus.notAbnormal};
    m_query.heroHits = n + 1;
    m_query.stupidTwice = 2 * std::int32_t{virus.stupid};
    m_query.lifeSpan = 5 * n + 1;
    m_query.damageSpan = 5 * n + 6;
    m_state = roster.count >= 6 ? State::Running : State::Done;
    m_p1 = 1;
    m_p2 = 0;
    m_p3 = 0;
    m_scanned = 0;
    m_lanes = 0;
}

bool ExhaustiveScan::restFits(std::uint64_t lanes) const
{
    if (m_scanned == 0)
        return false;
    if (m_state != State::Running)
        return true;
    std::uint64_t teams = 1; // C(N - 1, 5)
    for (int i = 0; i < 5; ++i)
        teams = teams * static_cast<std::uint64_t>(std::max(m_roster->count - 1 - i, 0)) /
                static_cast<std::uint64_t>(i + 1);
    const std::uint64_t left = teams > m_scanned ? teams - m_scanned : 0;
    // left × lanes a team so far <= lanes, without the product's overflow.
    return static_cast<double>(left) * static_cast<double>(m_lanes) <=
           static_cast<double>(lanes) * static_cast<double>(m_scanned);
}

bool ExhaustiveScan::closed(const PartialTeam& sum, int remaining, int from, std::int64_t floorKey)
{
    if (!m_skipClosed)
        return false;
    const std::int64_t cuteHigh = sum.cute + m_roster->cuteRun[remaining][from];
    if (m_bounds->boundKey(sum, remaining, from, cuteHigh) <= floorKey)
        return true;
    return m_product != nullptr &&
           m_product->closes(sum.smart, sum.cute, sum.abnormal, remaining, from, floorKey);
}

// The walk of the reference's three outer loops, each ended where the most
// 可爱 completion falls below the threshold (no later position reaches it
// either, as the list is sorted); the run of the last two picks is scanned.
template <typename Sink>
ExhaustiveScan::State ExhaustiveScan::run(Sink& sink, std::uint64_t laneLimit,
                                          const std::atomic<bool>* cancel)
{
    const SearchRoster& roster = *m_roster;
    const int count = roster.count;
    const PartialTeam leader = PartialTeam{}.plus(roster, 0);
    for (; m_state == State::Running && m_p1 <= count - 5; ++m_p1, m_p2 = 0) {
        if (m_p2 == 0) {
            if (leader.cute + roster.cuteRun[5][m_p1] < m_threshold)
                break;
            if (closed(leader, 5, m_p1, sink.floor()))
                continue;
            m_p2 = m_p1 + 1;
        }
        const PartialTeam first = leader.plus(roster, m_p1);
        for (; m_p2 <= count - 4; ++m_p2, m_p3 = 0) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
                m_state = State::Cancelled;
                return m_state;
            }
            if (m_p3 == 0) {
                if (first.cute + roster.cuteRun[4][m_p2] < m_threshold)
                    break;
                if (closed(first, 4, m_p2, sink.floor()))
                    continue;
                m_p3 = m_p2 + 1;
            }
            const PartialTeam second = first.plus(roster, m_p2);
            for (; m_p3 <= count - 3; ++m_p3) {
                if (m_lanes >= laneLimit)
                    return m_state;
                if (second.cute + roster.cuteRun[3][m_p3] < m_threshold)
                    break;
                if (closed(second, 3, m_p3, sink.floor()))
                    continue;
                const PartialTeam third = second.plus(roster, m_p3);
                if (closed(third, 2, m_p3 + 1, sink.floor()))
                    continue;
                m_team[1] = m_p1;
                m_team[2] = m_p2;
                m_team[3] = m_p3;
                if (m_sorted != nullptr)
                    scanSortedRun(sink, third, m_p3);
                else
                    scanRun(sink, third, m_p3);
            }
        }
    }
    m_state = State::Done;
    return m_state;
}

// The teams of third pick p3: the pairs from start[p3 + 1] to the table's
// end. The lanes find the blocks that may change the sink; each such block
// is scored again exactly, in order, so ties go to the earliest team.
template <typename Sink> void ExhaustiveScan::scanRun(Sink& sink, const PartialTeam& sum, int p3)
{
    const PairTable& pairs = *m_pairs;
    const int end = pairs.count;
    int at = pairs.start[p3 + 1];
    m_scanned += static_cast<std::uint64_t>(end - at);
    m_lanes += static_cast<std::uint64_t>(end - at);
    ScanQuery query = m_query;
    query.smart = static_cast<std::int32_t>(sum.smart);
    query.cute = static_cast<std::int32_t>(sum.cute);
    query.abnormal = static_cast<std::int32_t>(sum.abnormal);
    const ScanColumns columns{pairs.smart, pairs.cute, pairs.abnormal};
    while (at < end) {
        at = FirstBlockAbove(query, columns, at, end, static_cast<double>(sink.floor()), m_wide);
        const int stop = std::min(at + kScanBlock, end);
        for (; at < stop; ++at) {
            const std::int64_t cuteTotal = sum.cute + pairs.cute[at];
            if (cuteTotal < m_threshold)
                continue;
            const std::int64_t life =
                m_model->lifeMargin(sum.smart + pairs.smart[at], sum.abnormal + pairs.abnormal[at]);
            const std::int64_t key = m_model->key(life, m_model->damageMargin(cuteTotal));
            if (key > sink.floor()) {
                m_team[4] = pairs.first[at];
                m_team[5] = pairs.second[at];
                sink.offer(key, m_team);
            }
        }
    }
}

// The same run through its entries ordered by 可爱: one pass over the
// blocks' bounds finds the blocks that may hold a team above the floor, the
// lanes find those teams, and they are scored exactly and offered in the
// pair table's order, so ties go to the earliest team as in scanRun.
template <typename Sink>
void ExhaustiveScan::scanSortedRun(Sink& sink, const PartialTeam& sum, int p3)
{
    SortedPairRuns& runs = *m_sorted;
    const PairTable& pairs = *m_pairs;
    if (!m_sortedReady) {
        BuildSortedPairRuns(*m_roster, pairs, runs);
        m_sortedReady = true;
    }
    const int from = p3 + 1;
    const int first = runs.start[from];
    const int length = runs.length[from];
    m_scanned += static_cast<std::uint64_t>(length);
    ScanQuery query = m_query;
    query.smart = static_cast<std::int32_t>(sum.smart);
    query.cute = static_cast<std::int32_t>(sum.cute);
    query.abnormal = static_cast<std::int32_t>(sum.abnormal);
    // A block keys at most as its largest 聪明 and 不正常 sums with its 可爱
    // sum of the highest damage margin; where that is the least sum, the
    // threshold, which the largest decides, is left to the lanes.
    const bool rising = m_model->damageRisesWithCute();
    ScanQuery bound = query;
    if (!rising)
        bound.threshold = -1;
    const ScanColumns blocks{runs.blockSmart, rising ? runs.blockCute : runs.blockCuteLow,
                             runs.blockAbnormal};
    const ScanColumns entries{runs.smart, runs.cute, runs.abnormal};
    const double floorKey = static_cast<double>(sink.floor());

    const int blockBegin = runs.firstBlock[from];
    const int blockCount = (length + kScanBlock - 1) / kScanBlock;
    // The bounds of every block, kScanBlock blocks to a lane mask.
    int* bases = runs.blockBases;
    std::uint16_t* masks = runs.blockMasks;
    const int groups = (blockCount + kScanBlock - 1) / kScanBlock;
    for (int group = 0; group < groups; ++group)
        bases[group] = blockBegin + group * kScanBlock;
    LanesAbove(bound, blocks, bases, groups, blockBegin + blockCount, floorKey, m_wide, masks);
    // The entries of the blocks that stay open.
    int open = 0;
    for (int group = 0; group < groups; ++group) {
        for (unsigned mask = masks[group]; mask != 0; mask &= mask - 1) {
            const int block = group * kScanBlock + std::countr_zero(mask);
            bases[open++] = first + block * kScanBlock;
        }
    }
    LanesAbove(query, entries, bases, open, first + length, floorKey, m_wide, masks);
    // The lanes scored, and a block's worth for the run's own setting up.
    m_lanes += static_cast<std::uint64_t>((groups + open + 1) * kScanBlock);
    int found = 0;
    for (int i = 0; i < open; ++i) {
        for (unsigned mask = masks[i]; mask != 0; mask &= mask - 1) {
            const int at = bases[i] + std::countr_zero(mask);
            const std::int64_t cuteTotal = sum.cute + runs.cute[at];
            const std::int64_t life =
                m_model->lifeMargin(sum.smart + runs.smart[at], sum.abnormal + runs.abnormal[at]);
            const std::int64_t key = m_model->key(life, m_model->damageMargin(cuteTotal));
            if (key > sink.floor() && cuteTotal >= m_threshold)
                runs.found[found++] = {key, runs.pair[at]};
        }
    }
    std::sort(runs.found, runs.found + found,
              [](const SortedPairRuns::Found& a, const SortedPairRuns::Found& b) {
                  return a.pair < b.pair;
              });
    for (int i = 0; i < found; ++i) {
        if (runs.found[i].key > sink.floor()) {
            m_team[4] = pairs.first[runs.found[i].pair];
            m_team[5] = pairs.second[runs.found[i].pair];
            sink.offer(runs.found[i].key, m_team);
        }
    }
}

template ExhaustiveScan::State ExhaustiveScan::run(ScanBestSink&, std::uint64_t,
                                                   const std::atomic<bool>*);
template ExhaustiveScan::State ExhaustiveScan::run(ScanTopSink&, std::uint64_t,
                                                   const std::atomic<bool>*);
