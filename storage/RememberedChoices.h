#pragma once

#include <cstdint>

// The user's last choices, carried from one run to the next in the settings
// store (section "Last Select"). The application object holds them; the main
// window reads them when it fills its selectors and updates them as it runs.
struct RememberedChoices
{
    std::int32_t m_lastVirus = 0; // "Virus": target selector position
    std::int32_t m_lastHero = -1; // "Hero": leading-hero position, -1 none
    std::int32_t m_lastPlan = 0;  // "Plan": strategy selector position
    std::int32_t m_topmost = 0;   // "Topmost": keep the window on top
    std::int32_t m_planOrder = 1; // "PlanOrder": strategies by win chance
};
