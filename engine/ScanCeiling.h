#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanRecord.h"
#include "engine/PlanningTables.h"
#include "engine/TeamSearch.h"

// The ceiling under every search: an exhaustive scan of the eligible teams in
// vector lanes, which the searches fall back on in turns with their cleverer
// methods, so that no roster makes a query cost more than a small multiple of
// one scan. Exposed for measuring it and for choosing its vector width.

// The vector widths the kernel is built for. Which ones a processor runs is
// known only at run time: a packaged binary targets the x86-64 baseline.
enum class ScanPath
{
    Baseline, // SSE2 on x86-64; the plain build elsewhere
    Avx2,
    Avx512,
};

inline constexpr ScanPath kScanPaths[] = {ScanPath::Baseline, ScanPath::Avx2, ScanPath::Avx512};

const char* ScanPathName(ScanPath path);
// Whether this processor (and this build) can run the path; Baseline always.
bool ScanPathAvailable(ScanPath path);
// The path the scans use: the widest available unless one was chosen.
ScanPath ActiveScanPath();
// Chooses the path every later scan uses (tests and the benchmark try each
// one); an unavailable path is refused with std::invalid_argument.
void ChooseScanPath(ScanPath path);

// The exhaustive scan alone, on the scan path chosen (ChooseScanPath), with
// the contracts of FindBestTeam and FindTopTeams: the ceiling the searches
// fall back on, answered on its own so that tests can hold every vector path
// against the reference and the benchmark can time it. Without skipClosed it
// scans every eligible team, the full cost of the ceiling.
bool FindBestTeamByScan(const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan,
                        SearchStats& stats, bool skipClosed = true);
int FindTopTeamsByScan(const PlanningTables& tables, const PlanRequest& request, int wanted,
                       PlanRecord* plans, SearchStats& stats);
