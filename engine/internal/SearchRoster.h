#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/Candidates.h"
#include "engine/internal/MarginModel.h"

#include <algorithm>
#include <cstdint>

// The compact per-search copy of the candidate list that the fast search reads:
// the three stats as plain arrays (the inner loops touch nothing else), and per
// suffix of the list the best sums a completion of a partial team can reach.
// Built once per search, on the caller's stack or in a reused block; nothing in
// it is allocated.
struct SearchRoster
{
    static constexpr int kMaxPick = 5; // members chosen after the leader

    int count = 0; // candidate count N; position 0 is the leader
    std::int32_t smart[kHeroCount] = {};
    std::int32_t cute[kHeroCount] = {};
    std::int32_t abnormal[kHeroCount] = {};
    // repeatsPrevious[p]: position p >= 2 holds the same three stats as p - 1.
    //
    // A pick of such a position p at any level, where p - 1 could have been
    // picked at that level instead (p - 1 >= the level's first position),
    // makes a team that is never the search's answer, so the search skips it
    // with all its subtree. Proof: swapping p for p - 1 in team T gives a team
    // T' whose positions still ascend (the pick before is below p - 1, the one
    // after above p) and whose stat totals, 可爱 total (so eligibility) and
    // score are T's; T' comes before T in the order of positions. The answer
    // is the first team in that order among those of the highest score, so it
    // is never T. Skipping teams that are never the answer changes no answer:
    // the bounds only ever skip teams that cannot beat a team already found.
    bool repeatsPrevious[kHeroCount] = {};

    // For r = 0..5 and a position j (0..N), over the positions j..N-1:
    //   topSmart[r][j]    the largest sum of r 聪明 values,
    //   topAbnormal[r][j] the largest sum of r 不正常 values,
    //   topLife[r][j]     the largest sum of r life weights (see lifeWeight),
    //   cuteRun[r][j]     the 可爱 of positions j..j+r-1, which is the largest
    //                     sum of r 可爱 values because the list is sorted,
    // each taken over fewer values when fewer than r remain.
    std::int32_t topSmart[kMaxPick + 1][kHeroCount + 1] = {};
    std::int32_t topAbnormal[kMaxPick + 1][kHeroCount + 1] = {};
    std::int64_t topLife[kMaxPick + 1][kHeroCount + 1] = {};
    std::int32_t cuteRun[kMaxPick + 1][kHeroCount + 1] = {};
    // cuteTail[r]: the 可爱 of the last r positions, the least sum of r values.
    std::int32_t cuteTail[kMaxPick + 1] = {};

    // A linear upper bound on the life margin, one weight per hero (see
    // BuildSearchRoster): 10^6 × L <= sum of the six weights + lifeOffset.
    std::int64_t lifeWeight[kHeroCount] = {};
    std::int64_t lifeOffset = 0;
};

// Fills `roster` from a prepared candidate list for one virus and strategy.
// The stats of the candidate list a structure was built from, so that it
// knows whether it serves another list: its build depends on nothing else.
struct BuiltFromStats
{
    int count = 0; // 0: nothing built yet
    std::int32_t smart[kHeroCount] = {};
    std::int32_t cute[kHeroCount] = {};
    std::int32_t abnormal[kHeroCount] = {};

    bool same(const SearchRoster& roster) const
    {
        return count == roster.count && std::equal(smart, smart + count, roster.smart) &&
               std::equal(cute, cute + count, roster.cute) &&
               std::equal(abnormal, abnormal + count, roster.abnormal);
    }
    void take(const SearchRoster& roster)
    {
        count = roster.count;
        std::copy_n(roster.smart, count, smart);
        std::copy_n(roster.cute, count, cute);
        std::copy_n(roster.abnormal, count, abnormal);
    }
};

void BuildSearchRoster(const CandidateList& candidates, const VirusRecord& virus, int virusIndex,
                       int n, int k, SearchRoster& roster);
