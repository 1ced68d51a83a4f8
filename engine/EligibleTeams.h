#pragma once

#include "engine/PlanningTables.h"

#include <cstdint>

// The number of teams the straightforward search scores for the candidate
// list already in `tables`: those whose 可爱 total reaches `threshold`.
// Counting stops as soon as the count exceeds `limit`, so that a caller can
// ask whether a search stays cheap without paying for a huge one.
std::uint64_t CountEligibleTeams(const PlanningTables& tables, std::int64_t threshold,
                                 std::uint64_t limit = UINT64_MAX);
