#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/ScanCeiling.h"

#include <cstdint>

// The inner loop of the exhaustive scan: the teams that share their first
// three picks and differ in the last two, whose pair sums lie in one run of
// the pair table (see ExhaustiveScan), taken in blocks of kScanBlock lanes.
// The kernel only tells which block first holds a team whose key lies above
// a floor; the caller rescans that block with the exact scalar model, which
// also keeps the first-found rule.
inline constexpr int kScanBlock = 16;

// The kernel's 32-bit arithmetic is exact while every stat is at most this
// (see ScanKernel.cpp); rosters beyond it take the kernel's wide lanes.
inline constexpr std::int32_t kScanVectorStatLimit = 9999;

// One query's constants and the totals of the first three picks, the leader
// among them.
struct ScanQuery
{
    std::int32_t smart = 0;    // 聪明 of the first three picks and the leader
    std::int32_t cute = 0;     // 可爱 of the same four
    std::int32_t abnormal = 0; // 不正常 of the same four
    std::int32_t threshold = 0;
    std::int32_t hateful = 0;     // 可恨
    std::int32_t countedHits = 0; // n + k'
    std::int32_t cuteFactor = 0;  // F = 10000 - 3 × 不异常
    std::int32_t heroHits = 1;    // n + 1
    std::int32_t stupidTwice = 0; // 2 × 愚蠢
    std::int32_t lifeSpan = 1;    // B
    std::int32_t damageSpan = 6;  // C
};

// The pair sums of the fourth and fifth picks, one column per stat, each with
// kScanBlock readable entries of zeros past its end.
struct ScanColumns
{
    const std::int32_t* smart = nullptr;
    const std::int32_t* cute = nullptr;
    const std::int32_t* abnormal = nullptr;
};

// The first block start b = begin, begin + kScanBlock, ... below end whose
// lanes b .. min(b + kScanBlock, end) - 1 hold a team with a score key above
// floorKey; end when none does. `wide` where a stat of the roster or the
// virus exceeds kScanVectorStatLimit.
int FirstBlockAbove(const ScanQuery& query, const ScanColumns& pairs, int begin, int end,
                    double floorKey, bool wide);

// The lanes that key above floorKey of `count` blocks: block i holds the
// lanes bases[i] .. min(bases[i] + kScanBlock, end) - 1, and masks[i] gets
// bit j for lane bases[i] + j. One call scores many blocks, so that a run
// whose blocks lie apart costs no more calls than one whose blocks follow
// each other.
void LanesAbove(const ScanQuery& query, const ScanColumns& pairs, const int* bases, int count,
                int end, double floorKey, bool wide, std::uint16_t* masks);

// row[i] = max(row[i], previous[i] + add) for i < count: one step of the
// knapsack over 可爱 totals that bounds every team's key (CuteFrontier).
void RaiseByShifted(std::int32_t* row, const std::int32_t* previous, int count, std::int32_t add);
