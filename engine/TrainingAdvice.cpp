#include "engine/TrainingAdvice.h"

#include "engine/TeamSearch.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

// Why a binary search over the rise d finds the least one exactly.
//
// Claim: raising one stat of one hero never lowers the best score of a
// request, for 聪明 and 不正常 against any virus and for 可爱 against a virus
// whose 不异常 is at most 3333. So best(d), the best score with the stat
// raised by d, never falls as d grows.
//
// Proof. (1) Every team the search scores before the rise, it scores after:
// a team is the leader and five candidates whose 可爱 total Tc reaches the
// threshold b, which depends on the virus and n alone. 聪明 and 不正常 change
// neither the candidates nor any Tc. A rise of 可爱 keeps every other hero
// where it was, keeps the hero a candidate or makes it one (可爱 above 0, the
// only stat the candidate list looks at besides the check mark; the leader
// holds position 0 whatever anyone's 可爱, even above 9999), and only
// raises the Tc of the teams holding it, which then still reach b. The order
// of the list may change, but a team's score depends only on its six heroes.
// (2) Every such team's score does not fall. L = 2 × Rs - Dv × (n + k') and
// Rs grows with Ts; Dv = ((10000 - 3 × G) × 可恨 + 5000) / 10000 with
// G <= 2000 has a positive factor and numerator, so it never grows with Ta:
// L never falls as 聪明 or 不正常 rises, and 可爱 is not in it. M =
// (Dh + 5) × (n + 1) - 2 × 愚蠢 with Dh = ((10000 - 3 × 不异常) × Rc + 5000) /
// 10000: for 不异常 <= 3333 the factor is at least 1, the numerator positive
// and the division a floor, so Dh and M never fall as 可爱 rises, and the
// other two stats are not in M. (3) The score never falls when L or M rises:
// it is 0 while L <= 0 or M < 0; then min(M, C) × min(L, B) / C / B, which
// grows with either margin and is at most 1, until both margins exceed their
// spans, from where it is M × L / C / B, above 1 and growing with both. The
// best score is the greatest of the teams' scores over a set that only
// grows, each not falling, so it does not fall either; rounded to a 32-bit
// float it still does not.
//
// Consequence: "best(d) >= 1" holds for every d from the least one on, so a
// binary search over 1..65535 - value finds that least d after one search at
// the top of the range (which tells whether any d works) and about 16 more,
// and the plan kept with the least d is the best plan with that rise. From
// 不异常 3334 on the factor of Dh is negative and step (2) fails for 可爱 (the
// heroes' damage falls, and the threshold's sign turns), so no 可爱 is advised
// there. Nor is anything else: with Dh <= 0, M is at most 5 × (n + 1), below
// C, so no team's score reaches 1.

int StatValue(const HeroRecord& hero, TrainedStat stat)
{
    switch (stat) {
    case TrainedStat::Smart:
        return hero.smart;
    case TrainedStat::Cute:
        return hero.cute;
    case TrainedStat::Abnormal:
        return hero.abnormal;
    }
    return 0;
}

void SetStatValue(HeroRecord& hero, TrainedStat stat, int value)
{
    assert(value >= 0 && value <= kMaxStatValue);
    const auto stored = static_cast<std::uint16_t>(value);
    switch (stat) {
    case TrainedStat::Smart:
        hero.smart = stored;
        return;
    case TrainedStat::Cute:
        hero.cute = stored;
        return;
    case TrainedStat::Abnormal:
        hero.abnormal = stored;
        return;
    }
}

void ApplyAdvice(const AdviceEntry& entry, HeroTable& heroes)
{
    assert(entry.hero >= 0 && entry.hero < kHeroCount);
    SetStatValue(heroes[entry.hero], entry.stat, entry.value + entry.increase);
}

namespace {

struct AdviceTask
{
    int hero = 0;
    TrainedStat stat = TrainedStat::Smart;
};

// The (hero, stat) pairs of a request in the order advice lists equal rises.
int ListTasks(const PlanningTables& tables, const PlanRequest& request, AdviceTask* tasks)
{
    // From 不异常 3334 on Dh <= 0, so M <= 5 × (n + 1) < C: no team scores 1,
    // whatever is trained, and there is nothing to search for.
    if (tables.virusTable[request.virus].notAbnormal >= kFirstReversingNotAbnormal)
        return 0;
    int count = 0;
    for (int hero = 0; hero < kHeroCount; ++hero) {
        const HeroRecord& record = tables.heroTable[hero];
        if (hero != request.leader && (record.checked == 0 || request.excluded.contains(hero)))
            continue;
        for (TrainedStat stat : kTrainedStats) {
            if (StatValue(record, stat) < kMaxStatValue)
                tasks[count++] = {hero, stat};
        }
    }
    return count;
}

struct AdviceWork
{
    const PlanningTables& tables;
    const PlanRequest& request;
    const AdviceControl& control;
    TrainingAdvice& advice;
    AdviceTask tasks[kMaxAdviceEntries]{};
    int taskCount = 0;
    std::atomic<int> next{0};
    std::atomic<bool> cancelled{false};
    std::atomic<std::uint64_t> searches{0};
};

bool Cancelled(AdviceWork& work)
{
    if (work.control.cancel != nullptr && work.control.cancel->load(std::memory_order_relaxed))
        work.cancelled.store(true, std::memory_order_relaxed);
    return work.cancelled.load(std::memory_order_relaxed);
}

// Whether the request's best plan on `copy` is feasible; the plan is left in
// `plan` either way.
bool FeasibleOn(const PlanningTables& copy, AdviceWork& work, PlanRecord& plan)
{
    plan = PlanRecord{};
    work.searches.fetch_add(1, std::memory_order_relaxed);
    return FindBestTeam(copy, work.request, plan) && IsFeasiblePlan(plan);
}

// The least rise of one task's stat on this thread's copy of the tables, by
// binary search (see the proof above). Leaves entry.increase 0 where no rise
// works; returns false when cancelled between two searches.
bool AdviseTask(const AdviceTask& task, PlanningTables& copy, AdviceWork& work, AdviceEntry& entry)
{
    HeroRecord& hero = copy.heroTable[task.hero];
    const int value = StatValue(hero, task.stat);
    entry = AdviceEntry{task.hero, task.stat, value, 0, PlanRecord{}};
    PlanRecord plan;
    int low = 1;
    int high = kMaxStatValue - value;
    SetStatValue(hero, task.stat, value + high);
    if (FeasibleOn(copy, work, plan)) {
        entry.plan = plan;
        // Invariant: a rise of `high` works (its plan is in entry.plan), and
        // none below `low` does.
        while (low < high) {
            if (Cancelled(work))
                break;
            const int middle = low + (high - low) / 2;
            SetStatValue(hero, task.stat, value + middle);
            if (FeasibleOn(copy, work, plan)) {
                high = middle;
                entry.plan = plan;
            } else {
                low = middle + 1;
            }
        }
        entry.increase = high;
    }
    SetStatValue(hero, task.stat, value);
    return !work.cancelled.load(std::memory_order_relaxed);
}

// Each thread takes the next task from a shared counter (their costs differ:
// a task no rise helps takes one search, the others about 17) and works on
// its own copy of the tables, which it changes one stat at a time.
void AdviseTasks(AdviceWork& work)
{
    auto copy = std::make_unique<PlanningTables>(work.tables);
    for (;;) {
        if (Cancelled(work))
            return;
        const int task = work.next.fetch_add(1, std::memory_order_relaxed);
        if (task >= work.taskCount)
            return;
        if (!AdviseTask(work.tasks[task], *copy, work, work.advice.entries[task]))
            return;
        if (work.control.tasksDone != nullptr)
            work.control.tasksDone->fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

int AdviceTaskCount(const PlanningTables& tables, const PlanRequest& request)
{
    AdviceTask tasks[kMaxAdviceEntries];
    return ListTasks(tables, request, tasks);
}

bool FindTrainingAdvice(const PlanningTables& tables, const PlanRequest& request,
                        TrainingAdvice& advice, const AdviceControl& control)
{
    advice.count = 0;
    advice.cuteWithheld =
        tables.virusTable[request.virus].notAbnormal >= kFirstReversingNotAbnormal;
    advice.plan = PlanRecord{};
    // Today's search refuses a bad request before any advice work.
    advice.found = FindBestTeam(tables, request, advice.plan);
    if (!advice.found)
        advice.plan = PlanRecord{};
    advice.searches = 1;
    if (advice.found && IsFeasiblePlan(advice.plan))
        return true;

    AdviceWork work{tables, request, control, advice};
    work.taskCount = ListTasks(tables, request, work.tasks);
    int threads = control.threads;
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::max(1, std::min(threads, work.taskCount));
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(static_cast<std::size_t>(threads - 1));
        for (int i = 1; i < threads; ++i)
            helpers.emplace_back([&work] { AdviseTasks(work); });
        AdviseTasks(work);
    }
    advice.searches += work.searches.load(std::memory_order_relaxed);
    if (work.cancelled.load(std::memory_order_relaxed))
        return false;

    // Keep the entries with a rise, then order them by rise, hero and stat.
    int kept = 0;
    for (int i = 0; i < work.taskCount; ++i) {
        if (advice.entries[i].increase > 0)
            advice.entries[kept++] = advice.entries[i];
    }
    std::sort(advice.entries.begin(), advice.entries.begin() + kept,
              [](const AdviceEntry& a, const AdviceEntry& b) {
                  if (a.increase != b.increase)
                      return a.increase < b.increase;
                  if (a.hero != b.hero)
                      return a.hero < b.hero;
                  return a.stat < b.stat;
              });
    advice.count = kept;
    return true;
}
