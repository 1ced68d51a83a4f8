#include "engine/internal/SortedPairRuns.h"

#include "engine/internal/ExhaustiveScan.h"

#include <algorithm>
#include <cassert>
#include <memory>

SortedPairRuns& ThreadSortedPairRuns()
{
    thread_local const std::unique_ptr<SortedPairRuns> runs = std::make_unique<SortedPairRuns>();
    return *runs;
}

void BuildSortedPairRuns(const SearchRoster& roster, const PairTable& pairs, SortedPairRuns& runs)
{
    const int count = roster.count;
    // A radix sort on the 可爱 sums (below 2^18), stable, so that ties keep
    // the table's order.
    std::uint16_t* source = runs.scratch;
    std::uint16_t* target = runs.order;
    for (int at = 0; at < pairs.count; ++at)
        source[at] = static_cast<std::uint16_t>(at);
    for (int shift = 0; shift < 18; shift += 9) {
        int counts[513] = {};
        for (int at = 0; at < pairs.count; ++at)
            ++counts[((pairs.cute[source[at]] >> shift) & 511) + 1];
        for (int digit = 0; digit < 512; ++digit)
            counts[digit + 1] += counts[digit];
        for (int at = 0; at < pairs.count; ++at)
            target[counts[(pairs.cute[source[at]] >> shift) & 511]++] = source[at];
        std::swap(source, target);
    }
    std::uint16_t* order = source;

    // Each run is the one before it without the pairs whose first member is
    // the position the run before began at; `order` shrinks to it in place.
    int ordered = pairs.count;
    int entry = 0;
    int block = 0;
    for (int from = 1; from <= kHeroCount; ++from) {
        runs.start[from] = entry;
        runs.firstBlock[from] = block;
        runs.length[from] = 0;
        if (from >= count - 1)
            continue;
        int kept = 0;
        for (int i = 0; i < ordered; ++i) {
            order[kept] = order[i];
            kept += pairs.first[order[i]] >= from ? 1 : 0;
        }
        ordered = kept;
        runs.length[from] = kept;
        for (int i = 0; i < kept; i += kScanBlock, ++block) {
            std::int32_t smart = 0;
            std::int32_t cute = 0;
            std::int32_t cuteLow = pairs.cute[order[i]];
            std::int32_t abnormal = 0;
            for (int j = i; j < std::min(i + kScanBlock, kept); ++j, ++entry) {
                const int at = order[j];
                runs.smart[entry] = pairs.smart[at];
                runs.cute[entry] = pairs.cute[at];
                runs.abnormal[entry] = pairs.abnormal[at];
                runs.pair[entry] = static_cast<std::uint16_t>(at);
                smart = std::max(smart, pairs.smart[at]);
                cute = std::max(cute, pairs.cute[at]);
                cuteLow = std::min(cuteLow, pairs.cute[at]);
                abnormal = std::max(abnormal, pairs.abnormal[at]);
            }
            runs.blockSmart[block] = smart;
            runs.blockCute[block] = cute;
            runs.blockCuteLow[block] = cuteLow;
            runs.blockAbnormal[block] = abnormal;
        }
        // The next run starts on a block boundary.
        entry = (entry + kScanBlock - 1) / kScanBlock * kScanBlock;
    }
    assert(entry + kScanBlock <= SortedPairRuns::kMaxEntries &&
           block + kScanBlock <= SortedPairRuns::kMaxBlocks);
    std::fill_n(runs.smart + entry, kScanBlock, 0);
    std::fill_n(runs.cute + entry, kScanBlock, 0);
    std::fill_n(runs.abnormal + entry, kScanBlock, 0);
    for (std::int32_t* column :
         {runs.blockSmart, runs.blockCute, runs.blockCuteLow, runs.blockAbnormal})
        std::fill_n(column + block, kScanBlock, 0);
    runs.builtFrom.take(roster);
}
