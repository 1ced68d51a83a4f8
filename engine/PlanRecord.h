#pragma once

#include <cstdint>

// The result of one search: sixteen 32-bit fields.
struct PlanRecord
{
    // Hero-table indices: the leader first, then the other five in ascending
    // candidate position (descending 可爱).
    std::uint32_t heroes[6] = {};
    std::int32_t smartTotal = 0;
    std::int32_t cuteTotal = 0;
    std::int32_t abnormalTotal = 0;
    std::int32_t heroDamageLow = 0;
    std::int32_t heroDamageHigh = 0;
    std::int32_t virusDamageLow = 0;
    std::int32_t virusDamageHigh = 0;
    std::int32_t critDamageLow = 0;
    std::int32_t critDamageHigh = 0;
    float score = 0.0f; // feasibility index = score × 100
};

static_assert(sizeof(PlanRecord) == 64);
