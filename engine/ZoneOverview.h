#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"
#include "engine/Strategies.h"

#include <array>
#include <atomic>

// One virus under one strategy: whether a team scores above 0, and its plan.
struct OverviewCell
{
    bool found = false;
    PlanRecord plan;
};

// Cell index: virus × kStrategyCount + the strategy's position in generation
// order (BuildStrategyList(false)).
inline constexpr int kOverviewCells = kVirusCount * kStrategyCount;
using ZoneOverview = std::array<OverviewCell, kOverviewCells>;

struct OverviewControl
{
    int threads = 0;                           // 0: every core
    const std::atomic<bool>* cancel = nullptr; // set by another thread to stop early
    std::atomic<int>* cellsDone = nullptr;     // progress, 0..kOverviewCells
    // kOverviewCells flags, all false on entry: each is set (release order)
    // once its cell is filled, so that a reader on another thread that sees
    // it set (acquire order) may show that cell while others are computed.
    std::atomic<bool>* cellsReady = nullptr;
};

// Plans the request under every virus and every strategy (its own virus and
// strategy are not read), each cell exactly as FindBestTeam answers it, on
// several threads. Returns false when cancelled (the cells are then partly
// filled). Throws std::invalid_argument when the request's excluded set holds
// its leader. Never writes into `tables`, which must not change until it
// returns.
bool PlanZoneOverview(const PlanningTables& tables, const PlanRequest& request, ZoneOverview& cells,
                      const OverviewControl& control = {});
