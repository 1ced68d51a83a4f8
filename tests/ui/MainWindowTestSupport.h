#pragma once

// The small hand-made tables the main-window tests plan on, and their way
// into the main window.

#include "engine/PlanningTables.h"
#include "storage/DataFiles.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/QuorvelDlg.h"

#include <memory>
#include <optional>
#include <string_view>
#include <utility>

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

// The tables of the data files in `folder` (the defaults for a file that is
// missing), as the application loads them.
inline std::unique_ptr<PlanningTables> TablesIn(const char* folder)
{
    auto tables = std::make_unique<PlanningTables>();
    LoadVirusTable(tables->virusTable, QString::fromUtf8(folder));
    LoadHeroTable(tables->heroTable, QString::fromUtf8(folder));
    return tables;
}

// A main window on `tables` and `choices`, shown and active as a user's
// click leaves it.
inline std::unique_ptr<CQuorvelDlg> ShownMainWindow(PlanningTables& tables,
                                                    RememberedChoices& choices)
{
    auto window = std::make_unique<CQuorvelDlg>(tables, choices);
    ShowActive(*window);
    return window;
}

// What the main-window tests look at and replace inside a CQuorvelDlg beyond
// what its user reaches: its controls by id, its menus, its selections, the
// plan it shows and the search it runs.
struct QuorvelDlgTestAccess final
{
    using BestTeamSearch = CQuorvelDlg::BestTeamSearch;

    static void setTeamSearch(CQuorvelDlg& window, BestTeamSearch search)
    {
        window.setTeamSearch(std::move(search));
    }
    static PlanningSession& session(const CQuorvelDlg& window) { return window.session(); }
    static const DialogControls& controls(const CQuorvelDlg& window) { return window.controls(); }
    static void FillVirusList(CQuorvelDlg& window) { window.FillVirusList(); }
    static void ClearPlanView(CQuorvelDlg& window) { window.ClearPlanView(); }
    static void ShowPlan(CQuorvelDlg& window, const PlanRecord& plan) { window.ShowPlan(plan); }
    static RosterMenu* rosterMenu(const CQuorvelDlg& window) { return window.rosterMenu(); }
    static QMenuBar* menuBar(const CQuorvelDlg& window) { return window.menuBar(); }
    static void addMenuBeforeHelp(CQuorvelDlg& window, QMenu* menu)
    {
        window.addMenuBeforeHelp(menu);
    }
    static QAction* copyPlanAction(const CQuorvelDlg& window) { return window.copyPlanAction(); }
    static const CEmptyViewHint* planHint(const CQuorvelDlg& window) { return window.planHint(); }
    static CZoneOverviewWindow* zoneOverview(const CQuorvelDlg& window)
    {
        return window.zoneOverview();
    }
    static CAlternativesWindow* alternatives(const CQuorvelDlg& window)
    {
        return window.alternatives();
    }
    static CMultiTeamWindow* multiTeam(const CQuorvelDlg& window) { return window.multiTeam(); }
    static CAdviceWindow* advice(const CQuorvelDlg& window) { return window.advice(); }
    static CTeamCheckWindow* teamCheck(const CQuorvelDlg& window) { return window.teamCheck(); }
    static QLabel* feasibilityLabel(const CQuorvelDlg& window) { return window.feasibilityLabel(); }
    static QGroupBox* planGroup(const CQuorvelDlg& window) { return window.planGroup(); }
    static std::optional<Strategy> currentStrategy(const CQuorvelDlg& window)
    {
        return window.currentStrategy();
    }
    static int currentVirus(const CQuorvelDlg& window) { return window.currentVirus(); }
    static int currentLeader(const CQuorvelDlg& window) { return window.currentLeader(); }
    static const std::optional<PlanRecord>& shownPlan(const CQuorvelDlg& window)
    {
        return window.shownPlan();
    }
    static void showPlanFor(CQuorvelDlg& window, int virusIndex, const Strategy& strategy)
    {
        window.showPlanFor(virusIndex, strategy);
    }
};
