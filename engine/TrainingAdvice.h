#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"

#include <array>
#include <atomic>
#include <cstdint>

// Training advice: for a request whose best plan is not feasible (a score
// below 1, feasibility index below 100, or no team at all), the least rise of
// one stat of one hero that makes the best plan of the same request feasible.

// The stats advice may raise, in the order it lists them.
enum class TrainedStat
{
    Smart,    // 聪明
    Cute,     // 可爱
    Abnormal, // 不正常
};
inline constexpr int kTrainedStatCount = 3;
inline constexpr TrainedStat kTrainedStats[kTrainedStatCount] = {
    TrainedStat::Smart, TrainedStat::Cute, TrainedStat::Abnormal};

// Stats are 16-bit: no stat rises above this.
inline constexpr int kMaxStatValue = 65535;
// From this 不异常 on the heroes' damage falls as 可爱 rises (its factor
// 10000 - 3 × 不异常 is negative), so no 可爱 is advised against such a virus.
// Nor anything else: the damage is then at most 0, and no team scores 1.
inline constexpr int kFirstReversingNotAbnormal = 3334;

int StatValue(const HeroRecord& hero, TrainedStat stat);
void SetStatValue(HeroRecord& hero, TrainedStat stat, int value);

// A plan is feasible when its index reaches 100.
inline bool IsFeasiblePlan(const PlanRecord& plan)
{
    return plan.score >= 1.0f;
}

// One piece of advice: raise `stat` of `hero` from `value` by `increase`.
struct AdviceEntry
{
    int hero = 0;
    TrainedStat stat = TrainedStat::Smart;
    int value = 0;
    int increase = 0;
    PlanRecord plan; // the best plan with the stat raised (the team may change)
};

// The hero table as one entry supposes it: the entry's stat raised (a window
// shows the entry's plan on such a copy, never on the roster itself).
void ApplyAdvice(const AdviceEntry& entry, HeroTable& heroes);

// At most one entry per hero and stat.
inline constexpr int kMaxAdviceEntries = kHeroCount * kTrainedStatCount;

struct TrainingAdvice
{
    bool found = false; // whether today's request has a plan at all
    PlanRecord plan;    // today's best plan, when found
    // Against a virus with 不异常 of kFirstReversingNotAbnormal or more no
    // 可爱 is advised (see kFirstReversingNotAbnormal).
    bool cuteWithheld = false;
    // Ordered by increase, then hero index, then stat; a hero and stat that
    // no rise up to 65535 makes feasible has no entry. Empty when today's
    // plan is already feasible.
    int count = 0;
    std::array<AdviceEntry, kMaxAdviceEntries> entries{};
    std::uint64_t searches = 0; // searches run, today's plan included
};

struct AdviceControl
{
    int threads = 0;                           // 0: every core
    const std::atomic<bool>* cancel = nullptr; // set by another thread to stop early
    std::atomic<int>* tasksDone = nullptr;     // progress, 0..AdviceTaskCount
};

// The number of (hero, stat) pairs advice considers for the request: the
// leader and every checked hero not excluded, each stat not already at 65535;
// none from 不异常 3334 on. The range of AdviceControl::tasksDone.
int AdviceTaskCount(const PlanningTables& tables, const PlanRequest& request);

// The advice for the request, each answer exactly FindBestTeam's for the same
// request on a copy of the tables with the one stat raised. Runs on several threads; `tables`
// is only read and must not change until it returns. Returns false when
// cancelled (the advice is then incomplete: count is 0). Throws
// std::invalid_argument where FindBestTeam does: a leader outside 0..127 or
// excluded.
bool FindTrainingAdvice(const PlanningTables& tables, const PlanRequest& request,
                        TrainingAdvice& advice, const AdviceControl& control = {});
