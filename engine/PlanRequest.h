#pragma once

#include "engine/HeroSet.h"
#include "engine/Strategies.h"

// What every search is asked: the best teams of `leader` (hero-table index
// 0..127) and five checked heroes against the virus at table index `virus`
// (0..63) under `strategy`, with every hero of `excluded` treated exactly as
// if it were unchecked. A request whose excluded set holds its leader is
// refused by every search with std::invalid_argument before any search work.
struct PlanRequest
{
    int virus = 0;
    int leader = 0;
    Strategy strategy;
    HeroSet excluded;
};
