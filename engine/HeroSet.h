#pragma once

#include "Records.h"

#include <bit>
#include <cassert>
#include <cstdint>

// A set of hero-table indices 0..127 in two 64-bit words: cheap to copy and
// to pass to a search, and nothing to allocate.
class HeroSet final
{
public:
    constexpr HeroSet() = default;

    void insert(int hero)
    {
        assert(hero >= 0 && hero < kHeroCount);
        m_words[hero >> 6] |= std::uint64_t{1} << (hero & 63);
    }
    void erase(int hero)
    {
        assert(hero >= 0 && hero < kHeroCount);
        m_words[hero >> 6] &= ~(std::uint64_t{1} << (hero & 63));
    }
    bool contains(int hero) const
    {
        return hero >= 0 && hero < kHeroCount && (m_words[hero >> 6] >> (hero & 63) & 1) != 0;
    }
    bool empty() const { return m_words[0] == 0 && m_words[1] == 0; }
    int size() const { return std::popcount(m_words[0]) + std::popcount(m_words[1]); }

    friend bool operator==(const HeroSet&, const HeroSet&) = default;

private:
    std::uint64_t m_words[2] = {};
};
