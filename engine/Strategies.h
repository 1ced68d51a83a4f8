#pragma once

#include <array>

// A battle strategy in the combat model's terms (CombatModel.h): the virus
// hits n (0..5) times, so the heroes win in n + 1 rounds, and the team is
// planned to withstand k (0..n) critical hits. winChance is the percentage of
// hit sequences with at most k crits, WinChance(n, k).
struct Strategy
{
    int n = 0;
    int k = 0;
    float winChance = 100.0f;

    int rounds() const { return n + 1; }
};

inline constexpr int kStrategyCount = 21;
using StrategyList = std::array<Strategy, kStrategyCount>;

// The 21 strategies in generation order (n, then k, ascending) or, byChance,
// ordered by descending win chance with equal chances kept in generation
// order.
StrategyList BuildStrategyList(bool byChance);
