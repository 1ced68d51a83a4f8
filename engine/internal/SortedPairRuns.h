#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/Records.h"
#include "engine/internal/ScanKernel.h"
#include "engine/internal/SearchRoster.h"

#include <cstdint>

struct PairTable;

// The runs of the pair table (the fourth and fifth picks of every team with
// third pick `from` - 1) reordered by their 可爱 sum, in blocks of kScanBlock
// entries, each block with the largest (and least) sums of its entries.
//
// A team's key rises with each of its 聪明 and 不正常 totals and moves with its
// 可爱 total in one direction (MarginModel), so no entry of a block keys above
// the key of the block's extreme sums. Where 聪明 and 可爱 move against each
// other across the roster (a plane or a line of 聪明 + 可爱), the entries of a
// block lie close together in both, so those bounds are close; the scan
// then scores only the few blocks of each run near its best and skips the
// rest from one pass over the blocks, sixteen times shorter than the run.
//
// The order depends only on the candidates' stats, so one build serves
// every query of a list; the scan builds the runs when it first needs them.
struct SortedPairRuns
{
    // Whether the runs were built for a list of these candidates' stats.
    bool holds(const SearchRoster& roster) const { return builtFrom.same(roster); }

    static constexpr int kMaxPairs = (kHeroCount - 1) * (kHeroCount - 2) / 2;
    // Every run (from = 1..126) of a full list, each starting on a block
    // boundary, and one block of zeros the kernel may read past the last.
    static constexpr int kMaxEntries =
        (kHeroCount + 1) * kHeroCount * (kHeroCount - 1) / 6 + kHeroCount * kScanBlock;
    static constexpr int kMaxBlocks = kMaxEntries / kScanBlock + kHeroCount;

    // For the run of first member `from` or later: its first entry, its
    // length and its first block.
    int start[kHeroCount + 1] = {};
    int length[kHeroCount + 1] = {};
    int firstBlock[kHeroCount + 1] = {};

    alignas(64) std::int32_t smart[kMaxEntries] = {};
    alignas(64) std::int32_t cute[kMaxEntries] = {};
    alignas(64) std::int32_t abnormal[kMaxEntries] = {};
    // The entry's place in the pair table, which orders the run's teams as
    // the reference visits them.
    std::uint16_t pair[kMaxEntries] = {};

    alignas(64) std::int32_t blockSmart[kMaxBlocks] = {};   // the largest 聪明 sum
    alignas(64) std::int32_t blockCute[kMaxBlocks] = {};    // the largest 可爱 sum
    alignas(64) std::int32_t blockCuteLow[kMaxBlocks] = {}; // the least 可爱 sum
    alignas(64) std::int32_t blockAbnormal[kMaxBlocks] = {};

    // The pair table's places by 可爱 sum, ties in table order (the build's
    // scratch, kept here so that a build allocates nothing).
    std::uint16_t order[kMaxPairs] = {};
    std::uint16_t scratch[kMaxPairs] = {};

    // The scan's scratch: the entries of one run that key above the floor,
    // gathered in the run's order and offered in the table's.
    struct Found
    {
        std::int64_t key = 0;
        std::uint16_t pair = 0;
    };
    Found found[kMaxPairs] = {};
    // The scan's scratch for the blocks of one run: where they start, and
    // their lanes above the floor.
    static constexpr int kMaxRunBlocks = kMaxPairs / kScanBlock + 1;
    int blockBases[kMaxRunBlocks] = {};
    std::uint16_t blockMasks[kMaxRunBlocks] = {};

    BuiltFromStats builtFrom;
};

// The runs the searches of this thread share (FindBestTeam, FindTopTeams
// and the scans alone), made at its first use: 5 MB, so not with every
// thread.
SortedPairRuns& ThreadSortedPairRuns();

// Builds the runs of `pairs`, the pair table of `roster`.
void BuildSortedPairRuns(const SearchRoster& roster, const PairTable& pairs, SortedPairRuns& runs);
