#include "FastTeamSearch.h"

SearchBest RunBranchAndBound(const BranchAndBound& search)
{
    SearchBest best;
    for (int p1 = 1; p1 <= search.lastFirstPick(); ++p1) {
        if (!search.firstPicksOpen(p1, best.key))
            break;
        search.searchFirstPick(p1, best, nullptr);
    }
    return best;
}
