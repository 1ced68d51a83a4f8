#include "ZoneOverview.h"

#include "LeaderSearch.h"
#include "TeamSearch.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

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
    std::atomic<int> next{0};
    std::atomic<bool> stopped{false};
};

// Each thread plans its cells with a search of its own for the leader, which
// shares the candidate list and the totals' sets among them.
void PlanCells(OverviewWork& work)
{
    const StrategyList strategies = BuildStrategyList(false);
    LeaderSearch search(work.tables, work.leader, work.excluded);
    SearchStats stats;
    for (;;) {
        if (work.control.cancel != nullptr &&
            work.control.cancel->load(std::memory_order_relaxed)) {
            work.stopped.store(true, std::memory_order_relaxed);
            return;
        }
        const int cell = work.next.fetch_add(1, std::memory_order_relaxed);
        if (cell >= kOverviewCells)
            return;
        const int virus = cell / kStrategyCount;
        const Strategy& strategy = strategies[static_cast<std::size_t>(cell % kStrategyCount)];
        OverviewCell& result = work.cells[static_cast<std::size_t>(cell)];
        result.plan = PlanRecord{};
        result.plan.heroes[0] = static_cast<std::uint32_t>(work.leader);
        result.found = search.find(virus, strategy.hits(), strategy.crits, result.plan, stats);
        if (work.control.cellsDone != nullptr)
            work.control.cellsDone->fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

bool PlanZoneOverview(const PlanningTables& tables, int leader, const HeroSet& excluded,
                      ZoneOverview& cells, const OverviewControl& control)
{
    assert(leader >= 0 && leader < kHeroCount);
    if (excluded.contains(leader))
        throw std::invalid_argument("the leader of a search cannot be excluded");
    int threads = control.threads;
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, kOverviewCells);

    OverviewWork work{tables, leader, excluded, cells, control};
    std::vector<std::jthread> helpers;
    helpers.reserve(static_cast<std::size_t>(threads - 1));
    for (int i = 1; i < threads; ++i)
        helpers.emplace_back([&work] { PlanCells(work); });
    PlanCells(work);
    for (std::jthread& helper : helpers)
        helper.join();
    return !work.stopped.load(std::memory_order_relaxed);
}
