#pragma once

// The fast search's parts are the engine's own: callers use the planning API
// of the public engine headers, so this header refuses to compile elsewhere.
#ifndef QUORVEL_ENGINE_INTERNALS
#error "engine/internal/ headers are private to the planning engine"
#endif

#include "engine/Records.h"

// Running best sums of up to kMost values: fed the values of a list from its
// end toward its start, it gives after each value the largest sums of
// 1..kMost values of the suffix seen so far. The search's per-suffix tables
// are built with it in one pass.
template <typename T, int kMost> class TopSums final
{
public:
    // Takes one more value into the suffix.
    void add(T value)
    {
        int slot = 0;
        if (m_size < kMost) {
            slot = m_size++;
        } else {
            if (m_values[kMost - 1] >= value)
                return;
            slot = kMost - 1;
        }
        while (slot > 0 && m_values[slot - 1] < value) {
            m_values[slot] = m_values[slot - 1];
            --slot;
        }
        m_values[slot] = value;
    }

    // The largest sum of r values seen, or of all of them when fewer.
    T largestSum(int r) const
    {
        T sum = 0;
        for (int i = 0; i < r && i < m_size; ++i)
            sum += m_values[i];
        return sum;
    }

    // Writes largestSum(0..kMost) into column j of `table`. Each sum is the
    // one before it plus the next value, the same additions in the same order
    // as largestSum makes, so floating-point sums come out bit for bit equal.
    void writeColumn(T (&table)[kMost + 1][kHeroCount + 1], int j) const
    {
        T sum = 0;
        table[0][j] = sum;
        for (int r = 1; r <= kMost; ++r) {
            if (r <= m_size)
                sum += m_values[r - 1];
            table[r][j] = sum;
        }
    }

private:
    T m_values[kMost] = {}; // descending
    int m_size = 0;
};
