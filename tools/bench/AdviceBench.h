#pragma once

#include "tools/bench/BenchScenarios.h"

#include <vector>

// The training advice on the benchmark's scenarios, for requests whose plan
// is not feasible: the whole advice on 1 and 2 threads, the searches it ran,
// and how long a cancel takes to stop it. Hard rosters are stopped through
// the cancel flag after `limitSeconds`. Prints one table.
void RunAdviceBench(const std::vector<BenchScenario>& scenarios, double limitSeconds);
