#pragma once

#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"

#include <memory>
#include <string>
#include <vector>

// One search of a scenario, nothing excluded.
struct BenchQuery
{
    PlanRequest request;
    bool withReference = true; // the reference is timed on this query too
};

// A named roster and virus table with the queries timed on it. Realistic
// scenarios are judged by the median query, adversarial ones by the worst.
struct BenchScenario
{
    std::string name;
    bool adversarial = false;
    std::unique_ptr<PlanningTables> tables = std::make_unique<PlanningTables>();
    std::vector<BenchQuery> queries;
};

std::vector<BenchScenario> BuildBenchScenarios();
