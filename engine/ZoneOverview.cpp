#include "engine/ZoneOverview.h"

#include "engine/CombatModel.h"
#include "engine/TeamSearch.h"
#include "engine/internal/LeaderSearch.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Below level 27 the crits of a strategy do not count, so every strategy of
// the same rounds gets the very plan of its 0-crit one: only the cells that
// need a search of their own are searched, and each of those of an early
// level is copied to its siblings (generation order puts the strategies of one
// rounds together, 0 crits first).
//
// Cells are handed out one at a time from a shared counter: their costs
// differ by orders of magnitude (a late level may have no eligible team at
// all), so a fixed split would leave a thread idle.
struct OverviewWork
{
    const PlanningTables& tables;
    int leader;
    const HeroSet& excluded;
    ZoneOverview& cells;
    const OverviewControl& control;
    std::array<int, kOverviewCells> searched{};
    int searchedCount = 0;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
};

// Each thread plans its cells with a search of its own for the leader, which
// shares the candidate list and the totals' sets among them.
void PlanCells(OverviewWork& work)
{
    const StrategyList strategies = BuildStrategyList(false);
    LeaderSearch search(work.tables, work.leader, work.excluded);
    SearchStats stats;
    for (;;) {
        if (work.control.cancel != nullptr && work.control.cancel->load(std::memory_order_relaxed))
            return;
        const int task = work.next.fetch_add(1, std::memory_order_relaxed);
        if (task >= work.searchedCount)
            return;
        const int cell = work.searched[static_cast<std::size_t>(task)];
        const int virus = cell / kStrategyCount;
        const Strategy& strategy = strategies[static_cast<std::size_t>(cell % kStrategyCount)];
        OverviewCell& result = work.cells[static_cast<std::size_t>(cell)];
        result.plan = PlanRecord{};
        result.found =
            search.find(virus, strategy.n, strategy.k, result.plan, stats, work.control.cancel);
        // A search cut short by the cancel answers nothing: the cell is not
        // counted or flagged.
        if (work.control.cancel != nullptr && work.control.cancel->load(std::memory_order_relaxed))
            return;
        int filled = 1;
        if (!CritsCount(virus)) {
            assert(strategy.k == 0);
            for (int sibling = 1; sibling <= strategy.n; ++sibling, ++filled)
                work.cells[static_cast<std::size_t>(cell) + static_cast<std::size_t>(sibling)] =
                    result;
        }
        if (work.control.cellsReady != nullptr) {
            for (int i = 0; i < filled; ++i)
                work.control.cellsReady[cell + i].store(true, std::memory_order_release);
        }
        work.done.fetch_add(filled, std::memory_order_relaxed);
        if (work.control.cellsDone != nullptr)
            work.control.cellsDone->fetch_add(filled, std::memory_order_relaxed);
    }
}

} // namespace

bool PlanZoneOverview(const PlanningTables& tables, const PlanRequest& request, ZoneOverview& cells,
                      const OverviewControl& control)
{
    const int leader = request.leader;
    const HeroSet& excluded = request.excluded;
    assert(leader >= 0 && leader < kHeroCount);
    if (excluded.contains(leader))
        throw std::invalid_argument("the leader of a search cannot be excluded");
    int threads = control.threads;
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, kOverviewCells);

    OverviewWork work{tables, leader, excluded, cells, control};
    const StrategyList strategies = BuildStrategyList(false);
    for (int cell = 0; cell < kOverviewCells; ++cell) {
        const Strategy& strategy = strategies[static_cast<std::size_t>(cell % kStrategyCount)];
        if (CritsCount(cell / kStrategyCount) || strategy.k == 0)
            work.searched[static_cast<std::size_t>(work.searchedCount++)] = cell;
    }
    std::vector<std::jthread> helpers;
    helpers.reserve(static_cast<std::size_t>(threads - 1));
    for (int i = 1; i < threads; ++i)
        helpers.emplace_back([&work] { PlanCells(work); });
    PlanCells(work);
    for (std::jthread& helper : helpers)
        helper.join();
    return work.done.load(std::memory_order_relaxed) == kOverviewCells;
}
