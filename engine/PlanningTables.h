#pragma once

#include "engine/Records.h"

// Everything a search reads and writes: the two tables and the candidate list
// rebuilt from the hero table at the start of every search. One instance lives
// for the whole run; its blocks never move, so views of them stay valid.
struct PlanningTables
{
    VirusTable virusTable{};
    HeroTable heroTable{};
    // Same layout as the hero table, except that name[0] of each record holds
    // the record's index in the hero table.
    HeroTable candidates{};
    int candidateCount = 0;
};
