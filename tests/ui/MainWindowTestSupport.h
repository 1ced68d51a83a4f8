#pragma once

// The small hand-made tables the main-window tests plan on.

#include "engine/PlanningTables.h"
#include "storage/DataFiles.h"

#include <memory>
#include <string_view>

struct Stats
{
    std::uint16_t smart, cute, abnormal;
};

inline void SetHero(PlanningTables& tables, int index, const char16_t* name, Stats stats,
                    bool checked = true)
{
    HeroRecord& hero = tables.heroTable[index];
    hero = HeroRecord{};
    std::u16string_view(name).copy(hero.name, kMaxNameLength);
    hero.checked = checked ? 1 : 0;
    hero.smart = stats.smart;
    hero.cute = stats.cute;
    hero.abnormal = stats.abnormal;
}

// The team of the combat model's worked example: stat totals 5950/4500/1100.
// Heroes 0..5 are that team, led by hero 0; every other hero is unchecked.
inline std::unique_ptr<PlanningTables> ExampleTables()
{
    auto tables = std::make_unique<PlanningTables>();
    FillDefaultVirusTable(tables->virusTable);
    FillDefaultHeroTable(tables->heroTable);
    for (HeroRecord& hero : tables->heroTable)
        hero.checked = 0;
    SetHero(*tables, 0, u"雪叶", {1200, 900, 300});
    SetHero(*tables, 1, u"青岚", {1000, 800, 200});
    SetHero(*tables, 2, u"石竹", {1100, 850, 250});
    SetHero(*tables, 3, u"霜歌", {800, 600, 100});
    SetHero(*tables, 4, u"云泉", {950, 700, 150});
    SetHero(*tables, 5, u"晨风", {900, 650, 100});
    // Level 11 counts no crits, level 31 doubles them; same stats.
    tables->virusTable[10] = tables->virusTable[30] = VirusRecord{{u'熬', u'夜'}, 4966, 6371, 1000};
    return tables;
}
