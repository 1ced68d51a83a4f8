#pragma once

#include "engine/Records.h"

// The two tables the planner works on. One instance lives for the whole run;
// its blocks never move, so views of them stay valid. Every search reads them
// only, keeping its candidate list in a workspace of its own.
struct PlanningTables
{
    VirusTable virusTable{};
    HeroTable heroTable{};
};
