#pragma once

#include <array>
#include <cstdint>

// A battle strategy: the heroes win in `rounds` (1..6) rounds while the team
// withstands at most `crits` (0..rounds-1) critical hits of the virus.
struct Strategy
{
    int rounds = 1;
    int crits = 0;
    float winChance = 100.0f;

    int hits() const { return rounds - 1; }
    // The strategy selector's item data: hits in the high 16 bits, crits in the low.
    std::uint32_t itemData() const
    {
        return (static_cast<std::uint32_t>(hits()) << 16) + static_cast<std::uint32_t>(crits);
    }
};

inline constexpr int kStrategyCount = 21;
using StrategyList = std::array<Strategy, kStrategyCount>;

// The 21 strategies in generation order (rounds, then crits, ascending) or,
// byChance, ordered by descending win chance with equal chances kept in
// generation order.
StrategyList BuildStrategyList(bool byChance);

// Splits a selector's item data into hits (high 16 bits) and crits (low 16 bits).
inline void SplitStrategyData(std::uint32_t itemData, int& hits, int& crits)
{
    hits = static_cast<int>(itemData >> 16);
    crits = static_cast<int>(itemData & 0xFFFFu);
}
