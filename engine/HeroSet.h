#pragma once

#include "engine/Records.h"

#include <bit>
#include <cstdint>
#include <stdexcept>

// A set of hero-table indices 0..127 in two 64-bit words: a search's list of
// heroes to leave out, passed by value and compared without allocating.
class HeroSet final
{
public:
    constexpr HeroSet() = default;

    // Indices outside 0..127 name no hero; taking one in would silently
    // exclude nobody, so it is refused.
    void insert(int hero)
    {
        checkIndex(hero);
        m_words[hero >> 6] |= bitOf(hero);
    }
    void erase(int hero)
    {
        checkIndex(hero);
        m_words[hero >> 6] &= ~bitOf(hero);
    }

    bool contains(int hero) const
    {
        return hero >= 0 && hero < kHeroCount && (m_words[hero >> 6] & bitOf(hero)) != 0;
    }
    bool empty() const { return m_words[0] == 0 && m_words[1] == 0; }
    int size() const { return std::popcount(m_words[0]) + std::popcount(m_words[1]); }

    friend bool operator==(const HeroSet&, const HeroSet&) = default;

private:
    static std::uint64_t bitOf(int hero) { return std::uint64_t{1} << (hero & 63); }
    static void checkIndex(int hero)
    {
        if (hero < 0 || hero >= kHeroCount)
            throw std::out_of_range("hero index outside 0..127");
    }

    static_assert(kHeroCount == 128);
    std::uint64_t m_words[2] = {};
};
