#pragma once

#include "engine/PlanningTables.h"

#include <QString>

// Hints beside the plan for a user the plan alone leaves without a clue.
namespace PlanHints {

// Where to start, while no hero of the roster has any stat yet (the
// roster a first start makes): empty once one has.
QString FirstStartHint(const HeroTable& heroes);

// Why no team of `leader` and five checked heroes scores above 0 against
// the virus at `virusIndex` for n hits: too few heroes can form a team, no
// team reaches the 可爱 total the search asks for, or every team that does
// scores 0 (the crits of the strategy only change the scores).
QString NoPlanReason(const PlanningTables& tables, int virusIndex, int leader, int n);

} // namespace PlanHints
