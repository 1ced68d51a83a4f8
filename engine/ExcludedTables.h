#pragma once

#include "HeroSet.h"
#include "PlanningTables.h"

// The tables a search with exclusions works on: a copy of `tables` in a block
// of the calling thread, with every excluded hero unchecked, so that the
// candidate list is exactly the one of a roster without them. The block is
// reused by the thread's next call; the shared tables are never written.
PlanningTables& TablesWithout(const PlanningTables& tables, const HeroSet& excluded);

// Throws std::invalid_argument when `excluded` holds the leader: the leader is
// always placed, so leaving it out has no meaning.
void RefuseExcludedLeader(const HeroSet& excluded, int leader);
