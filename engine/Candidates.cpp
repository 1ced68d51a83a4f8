#include "engine/Candidates.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

// The list is the one a selection sort with swaps leaves: the leader swapped
// into position 0, then for p = 1, 2, ... the first position j >= p holding
// the greatest 可爱 among the checked heroes at p or later is swapped with p,
// until none with a positive 可爱 is left. (A plain selection starting at
// 9999 would let a checked hero with 可爱 of 10000 or more push the leader
// out; the leader is never scanned.)
//
// That sort costs N² scans of the records; this builds the same permutation
// from the order of the 可爱 values:
// - the heroes placed are those checked, with a positive 可爱, other than the
//   leader, in descending 可爱: each step places a greatest remaining value;
// - among the heroes of one 可爱 value, each step takes the one at the lowest
//   position, and while they are placed no other of them moves: a swap moves
//   only the hero at p, which is in the group only if it is the one taken
//   (nothing lies before p). So the group goes in in the order of the
//   positions it holds when its first member is placed;
// - each step swaps the hero taken with the hero at p, exactly as the sort.
void PrepareCandidates(const HeroTable& heroes, int leader, const HeroSet& excluded,
                       CandidateList& list)
{
    assert(leader >= 0 && leader < kHeroCount);

    // at[p]: the hero at position p; position[h]: the position of hero h.
    std::uint8_t at[kHeroCount];
    std::uint8_t position[kHeroCount];
    for (int p = 0; p < kHeroCount; ++p)
        at[p] = static_cast<std::uint8_t>(p);
    std::swap(at[0], at[leader]);
    for (int p = 0; p < kHeroCount; ++p)
        position[at[p]] = static_cast<std::uint8_t>(p);

    // 可爱 above 16 bits, hero index below: sorting the keys in descending
    // order ranks by 可爱 (ties are put in order below).
    std::uint32_t ranked[kHeroCount];
    int rankedCount = 0;
    for (int h = 0; h < kHeroCount; ++h) {
        if (h != leader && heroes[h].checked != 0 && heroes[h].cute > 0 && !excluded.contains(h))
            ranked[rankedCount++] = std::uint32_t{heroes[h].cute} << 16 | static_cast<unsigned>(h);
    }
    std::sort(ranked, ranked + rankedCount, [](std::uint32_t a, std::uint32_t b) { return a > b; });

    int count = 1;
    for (int first = 0; first < rankedCount;) {
        const std::uint32_t cute = ranked[first] >> 16;
        int end = first + 1;
        while (end < rankedCount && ranked[end] >> 16 == cute)
            ++end;
        if (end - first > 1) {
            std::sort(ranked + first, ranked + end, [&](std::uint32_t a, std::uint32_t b) {
                return position[a & 0xFFFF] < position[b & 0xFFFF];
            });
        }
        for (int i = first; i < end; ++i) {
            const int hero = static_cast<int>(ranked[i] & 0xFFFF);
            const int from = position[hero];
            const int displaced = at[count];
            at[count] = static_cast<std::uint8_t>(hero);
            position[hero] = static_cast<std::uint8_t>(count);
            at[from] = static_cast<std::uint8_t>(displaced);
            position[displaced] = static_cast<std::uint8_t>(from);
            ++count;
        }
        first = end;
    }

    for (int p = 0; p < kHeroCount; ++p) {
        list.records[p] = heroes[at[p]];
        list.records[p].name[0] = static_cast<char16_t>(at[p]);
    }
    list.count = count;
}
