#include "Candidates.h"

#include <cassert>
#include <utility>

void PrepareCandidates(PlanningTables& tables, int leader)
{
    assert(leader >= 0 && leader < kHeroCount);
    HeroTable& list = tables.candidates;
    list = tables.heroTable;
    for (int p = 0; p < kHeroCount; ++p)
        list[p].name[0] = static_cast<char16_t>(p);

    // The chosen leader always heads the list. (A plain selection starting at
    // 9999 would let a checked hero with 可爱 of 10000 or more push it out.)
    std::swap(list[0], list[leader]);
    int count = 1;

    // Selection sort with swaps: only a strictly greater 可爱 replaces the best,
    // so among equals the first one scanned is placed first.
    for (int p = 1; p < kHeroCount; ++p) {
        unsigned best = 0;
        int chosen = p;
        for (int j = p; j < kHeroCount; ++j) {
            if (list[j].checked != 0 && list[j].cute > best) {
                best = list[j].cute;
                chosen = j;
            }
        }
        if (best == 0)
            break;
        std::swap(list[p], list[chosen]);
        ++count;
    }
    tables.candidateCount = count;
}
