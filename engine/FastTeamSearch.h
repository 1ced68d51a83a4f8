#pragma once

#include "BranchAndBound.h"

// Runs the branch and bound over every first pick and returns the search's
// answer: the best key with the lexicographically first positions among
// equal keys, and the number of teams scored.
SearchBest RunBranchAndBound(const BranchAndBound& search);
