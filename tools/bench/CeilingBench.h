#pragma once

// The rosters built to defeat the search's shortcuts (tests/support/
// CeilingRosters.h, and the twins, decoys and flat landscapes for the best
// teams), seeded, 128 checked heroes, several viruses and strategies. Prints
// per family the median and worst single query, the straightforward search
// on that worst query, the best 50 teams against the single search, and one
// leader's zone overview (stopped after overviewLimitSeconds); then the
// exhaustive scan's time per full query on each vector path this processor
// has. Returns the number of plans that differ from the straightforward
// search's.
int RunCeilingBench(double overviewLimitSeconds);
