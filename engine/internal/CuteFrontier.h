#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/internal/MarginModel.h"
#include "engine/internal/ScanKernel.h"
#include "engine/internal/SearchRoster.h"

#include <cstdint>

// For every 可爱 total t that five picks of a candidate list (the leader
// left out) can reach: the largest 聪明 total and the largest 不正常 total of
// five picks with that 可爱 total, each on its own.
//
// A team's key rises with its 聪明 and 不正常 totals (MarginModel), so no team
// of 可爱 total t keys above the key of those two largest totals with t; the
// largest of these over t is a ceiling on every key of the query. Where
// 聪明 + 可爱 is the same for every hero (a plane), the 聪明 total follows from
// t, so the ceiling is some team's own key: the best key. A search that
// finds a team of that key in the reference's order has its answer then,
// whatever it has not looked at yet; on planes where many teams tie, that
// comes long before its end.
//
// Built by a knapsack over 可爱 totals, only for lists whose stats are at
// most kScanVectorStatLimit (totals below 50,000); one build serves every
// query of a list.
struct CuteFrontier
{
    static constexpr int kPicks = SearchRoster::kMaxPick;
    static constexpr int kMaxTotal = kPicks * kScanVectorStatLimit;
    // Below every reachable total; an unreachable entry stays below 0 after
    // stats are added to it.
    static constexpr std::int32_t kNone = INT32_MIN / 2;

    // Whether the frontier was built for a list of these candidates' stats.
    bool holds(const SearchRoster& roster) const { return builtFrom.same(roster); }

    // The ceiling on every key of the query `model` describes, among the
    // teams whose 可爱 total reaches `threshold`; 0 where none scores.
    std::int64_t keyCeiling(const SearchRoster& roster, const MarginModel& model,
                            std::int64_t threshold) const;

    // For r picks and 可爱 total t of the picks: the largest 聪明 and 不正常
    // totals (below 0 where no r picks reach t), t = 0..limit.
    int limit = -1;
    std::int32_t smart[kPicks + 1][kMaxTotal + 1] = {};
    std::int32_t abnormal[kPicks + 1][kMaxTotal + 1] = {};

    BuiltFromStats builtFrom;
};

// The frontier the searches of this thread share (FindBestTeam and
// FindTopTeams), made at its first use.
CuteFrontier& ThreadCuteFrontier();

// Whether the frontier serves `roster`: every stat at most
// kScanVectorStatLimit.
bool FrontierServes(const SearchRoster& roster);

// Builds the frontier of `roster`, which FrontierServes.
void BuildCuteFrontier(const SearchRoster& roster, CuteFrontier& frontier);

// No ceiling known: above every key.
inline constexpr std::int64_t kNoKeyCeiling = std::int64_t{1} << 62;

// The ceiling on every key of the query (see CuteFrontier), with `frontier`
// built for `roster` first where it does not hold it; kNoKeyCeiling where the
// frontier does not serve the roster.
std::int64_t KeyCeilingOf(CuteFrontier& frontier, const SearchRoster& roster,
                          const MarginModel& model, std::int64_t threshold);
