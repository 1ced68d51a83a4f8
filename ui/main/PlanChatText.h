#pragma once

#include "engine/PlanRecord.h"
#include "engine/Records.h"
#include "engine/Strategies.h"

#include <QString>

// A shown plan as plain text for the guild chat: the level (the target
// selector's entry), the strategy (the strategy selector's entry), the six
// heroes with their 聪明/可爱/不正常, then the detail fields under their own
// captions, all in the plan view's formats. Lines end with "\n".
QString PlanChatText(const HeroTable& heroes, int virusIndex, const VirusRecord& virus,
                     const Strategy& strategy, const PlanRecord& plan);
