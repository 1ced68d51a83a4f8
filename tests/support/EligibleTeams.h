#pragma once

#include "engine/Candidates.h"

#include <cassert>
#include <cstdint>

// The number of teams the straightforward search scores for a candidate list:
// those whose 可爱 total reaches `threshold`. Counting stops as soon as the
// count exceeds `limit`, so that a test can ask whether a search stays cheap
// without paying for a huge one.
//
// The reference's loops without the scoring: the same bounds end the same
// loops, and the innermost loop, which would visit a prefix of its range, is
// counted by a binary search instead.
inline std::uint64_t CountEligibleTeams(const CandidateList& candidates, std::int64_t threshold,
                                        std::uint64_t limit = UINT64_MAX)
{
    // The number of positions j in [from, count) with 可爱(j) >= need; they
    // form a prefix of the range because 可爱 does not increase along the list.
    const auto countAtLeast = [](const HeroRecord* list, int from, int count, std::int64_t need) {
        int low = from;
        int high = count;
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (list[middle].cute >= need)
                low = middle + 1;
            else
                high = middle;
        }
        return static_cast<std::uint64_t>(low - from);
    };
    const int count = candidates.count;
    assert(count >= 1 && count <= kHeroCount);
    const HeroRecord* list = candidates.records.data();
    const std::int64_t c0 = list[0].cute;
    std::uint64_t total = 0;
    for (int p1 = 1; p1 < count; ++p1) {
        if (c0 + 5 * std::int64_t{list[p1].cute} < threshold)
            break;
        const std::int64_t s1 = c0 + list[p1].cute;
        for (int p2 = p1 + 1; p2 < count; ++p2) {
            if (s1 + 4 * std::int64_t{list[p2].cute} < threshold)
                break;
            const std::int64_t s2 = s1 + list[p2].cute;
            for (int p3 = p2 + 1; p3 < count; ++p3) {
                if (s2 + 3 * std::int64_t{list[p3].cute} < threshold)
                    break;
                const std::int64_t s3 = s2 + list[p3].cute;
                for (int p4 = p3 + 1; p4 < count; ++p4) {
                    if (s3 + 2 * std::int64_t{list[p4].cute} < threshold)
                        break;
                    const std::int64_t s4 = s3 + list[p4].cute;
                    total += countAtLeast(list, p4 + 1, count, threshold - s4);
                    if (total > limit)
                        return total;
                }
            }
        }
    }
    return total;
}
