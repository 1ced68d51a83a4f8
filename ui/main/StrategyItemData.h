#pragma once

#include "engine/Strategies.h"

#include <cstdint>

// The strategy selector carries each entry's strategy as its item data: n in
// the high 16 bits and k in the low 16 bits.
std::uint32_t StrategyItemData(const Strategy& strategy);

// The strategy an entry's item data names, its win chance included.
Strategy StrategyOfItemData(std::uint32_t itemData);
