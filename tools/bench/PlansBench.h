#pragma once

#include "tools/bench/BenchScenarios.h"

#include <vector>

// The raid-planning answers on the benchmark's scenarios: the best 10 teams
// against the single search on every query, and the whole zone overview of
// one leader per scenario on 1 and 2 threads. Prints two tables; returns the
// number of queries where the first of the best teams is not the single
// search's plan (0 when all is well).
int RunPlansBench(const std::vector<BenchScenario>& scenarios, double overviewLimitSeconds);

// One zone overview of `leader` on `threads` threads, stopped through its
// cancel flag once it has run for limitSeconds. Returns its time, or minus
// its time when it was stopped; cellsDone tells how far it got.
double TimedOverview(const PlanningTables& tables, int leader, int threads, double limitSeconds,
                     int& cellsDone);
