#pragma once

#include "Records.h"

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

    // Writes largestSum(0..kMost) into column j of `table`.
    void writeColumn(T (&table)[kMost + 1][kHeroCount + 1], int j) const
    {
        for (int r = 0; r <= kMost; ++r)
            table[r][j] = largestSum(r);
    }

private:
    T m_values[kMost] = {}; // descending
    int m_size = 0;
};
