#include "engine/internal/BranchAndBound.h"

#include "engine/internal/TeamWalk.h"

SearchBest BranchAndBound::run(std::uint64_t workLimit) const
{
    SearchBest best;
    BestSink sink{best};
    TeamWalk<BestSink> walk(m_roster, m_model, m_product, m_threshold, m_cancel);
    walk.run(sink, workLimit);
    best.teamsScored = walk.teamsScored();
    best.nodesVisited = walk.nodesVisited();
    best.stopped = walk.stopped() || walk.cancelled();
    return best;
}
