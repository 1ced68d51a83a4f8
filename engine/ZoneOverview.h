#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanRecord.h"
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

// Plans every virus under every strategy for one leader, each cell exactly
// as FindBestTeam answers it with `excluded` left out, on several threads.
// Returns false when cancelled (the cells are then partly filled). Throws
// std::invalid_argument when `excluded` holds the leader. Never writes into
// `tables`, which must not change until it returns.
bool PlanZoneOverview(const PlanningTables& tables, int leader, const HeroSet& excluded,
                      ZoneOverview& cells, const OverviewControl& control = {});
