#include "ui/main/StrategyItemData.h"

#include "engine/CombatModel.h"

std::uint32_t StrategyItemData(const Strategy& strategy)
{
    return (static_cast<std::uint32_t>(strategy.n) << 16) + static_cast<std::uint32_t>(strategy.k);
}

Strategy StrategyOfItemData(std::uint32_t itemData)
{
    const int n = static_cast<int>(itemData >> 16);
    const int k = static_cast<int>(itemData & 0xFFFFu);
    return Strategy{n, k, WinChance(n, k)};
}
