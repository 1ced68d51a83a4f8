#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"
#include "engine/Strategies.h"
#include "engine/TrainingAdvice.h"
#include "resources/DialogTemplate.h"
#include "session/PlanningSession.h"
#include "storage/RememberedChoices.h"
#include "ui/common/DialogControls.h"

#include <QDialog>

#include <functional>
#include <optional>

class CHeroesDlg;
class CPlanListCtrl;
class CAdviceWindow;
class CAlternativesWindow;
class CMultiTeamWindow;
class CTeamCheckWindow;
class CUpDownCtrl;
class CVirusDlg;
class CZoneOverviewWindow;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class RosterMenu;

// The planner's main window: the target, leading-hero and strategy selectors
// with their spins, the editor buttons, the plan view and the two switches.
// It works on the session's tables and the remembered choices, writes its
// selections into the session and announces there what each action changed;
// whether the tables were changed is told by tablesModified() once it has
// closed. A menu bar above the template area reaches the raid-planning
// windows, copies the shown plan and tells about the program.
class CEmptyViewHint;
class CQuorvelDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CQuorvelDlg)

public:
    CQuorvelDlg(PlanningSession& session, RememberedChoices& choices, QWidget* parent = nullptr);
    // A window with a session of its own on `tables`.
    CQuorvelDlg(PlanningTables& tables, RememberedChoices& choices, QWidget* parent = nullptr);
    ~CQuorvelDlg() override;

    // Runs a window modally on the session and choices; returns whether the
    // tables were changed.
    static bool runModal(PlanningSession& session, RememberedChoices& choices);

    bool tablesModified() const { return m_tablesModified; }

    // The user's commands, as the buttons, the menus and the keys run them.
    // "查看组队方案".
    void RunTeamSearch();
    // "排除英雄重新组队…" (Ctrl+E): the keyboard's way to the exclusion; the
    // user checks heroes of the shown plan in a small dialog.
    void ExcludeChosenHeroes();
    // The plan view's context menu: the selected members out, a new team.
    void ExcludeSelectedHeroes();
    // The editor buttons. EditVirus and EditHeroes run the editor with
    // `prepare` applied to it before it opens (an import fills its working
    // copy), then take a confirmation as the buttons do.
    void OnEditVirus();
    void OnEditHeroes();
    void EditVirus(const std::function<void(CVirusDlg&)>& prepare);
    void EditHeroes(const std::function<void(CHeroesDlg&)>& prepare);
    // 复制方案: the shown plan onto the clipboard as chat text.
    void CopyPlan();
    // 关于 Quorvel.
    void ShowAbout();
    // The raid-planning windows, opened (made the first time) beside this one.
    CZoneOverviewWindow* OpenZoneOverview();
    CAlternativesWindow* OpenAlternatives();
    CMultiTeamWindow* OpenMultiTeam();
    CAdviceWindow* OpenAdvice();
    CTeamCheckWindow* OpenTeamCheck();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The white-box tests' way in: tests/ui/MainWindowTestSupport.h.
    friend struct QuorvelDlgTestAccess;

    // The best-team search the window runs; FindBestTeam unless a test puts
    // another in its place.
    using BestTeamSearch =
        std::function<bool(const PlanningTables&, const PlanRequest&, PlanRecord& plan)>;
    void setTeamSearch(BestTeamSearch search) { m_teamSearch = std::move(search); }

    PlanningSession& session() const { return m_session; }
    const DialogControls& controls() const { return m_controls; }

    // The selectors.
    void FillVirusList();
    void FillHeroList();
    void ShowLeaderStats();
    void FillStrategyList();

    // The plan view.
    void ClearPlanView();
    void ShowPlan(const PlanRecord& plan);

    // The "花名册" menu, for the menu bar.
    RosterMenu* rosterMenu() const { return m_rosterMenu; }
    // The menu bar: 方案, then any menu added here (it goes before 帮助), then 帮助.
    QMenuBar* menuBar() const { return m_menuBar; }
    void addMenuBeforeHelp(QMenu* menu);
    QAction* copyPlanAction() const { return m_copyPlanAction; }
    // The line over the empty plan list: where to start, or why no team.
    const CEmptyViewHint* planHint() const { return m_planHint; }
    CZoneOverviewWindow* zoneOverview() const { return m_zoneOverview; }
    CAlternativesWindow* alternatives() const { return m_alternatives; }
    CMultiTeamWindow* multiTeam() const { return m_multiTeam; }
    CAdviceWindow* advice() const { return m_advice; }
    CTeamCheckWindow* teamCheck() const { return m_teamCheck; }

    // The request the selectors make and the plan the view shows: -1 or no
    // value where there is none.
    int currentVirus() const;
    int currentLeader() const;
    std::optional<Strategy> currentStrategy() const;
    const std::optional<PlanRecord>& shownPlan() const { return m_shownPlan; }
    // Selects the level and the strategy and searches, as if the user had
    // picked both and pressed "查看组队方案" (the session's planForRequested).
    void showPlanFor(int virusIndex, const Strategy& strategy);
    // Shows an alternative team in the plan view, its rank (1 = best) in the
    // caption (the session's alternativeRequested).
    void showAlternative(const PlanRecord& plan, int rank);
    // Shows the plan of an advice entry on the roster it supposes (the
    // entry's stat raised), captioned as supposed; the roster is unchanged
    // and the plan is not one to copy or to keep.
    void showSupposedPlan(const AdviceEntry& entry, const QString& heroName);
    // The plan view's feasibility index, whose tooltip explains it.
    QLabel* feasibilityLabel() const { return m_feasibility; }
    QGroupBox* planGroup() const { return m_planGroup; }

    QWidget* makeControl(const ControlTemplate& control, QWidget* parent);
    void createBanner();
    void createMenuBar();
    void connectHandlers();
    void writeLeaderStats();
    bool shownHeroesChanged(const HeroTable& before) const;
    // Writes the selections into the session and tells every window what
    // the action changed, once.
    void announce(PlanningSession::Changes what);
    void showPlanOn(const PlanningTables& tables, const PlanRecord& plan);

    void onTargetSelected(int position);
    void onLeaderSelected(int position);
    void onStrategySelected(int position);
    void stepSelector(QComboBox* selector, int limit, int position, int delta, bool& accept);
    void onTopmostClicked(bool checked);
    void onPlanOrderClicked(bool checked);
    void onPlanListContextMenu(const QPoint& position);
    void setTopmost(bool on);
    void placeBeside(QWidget* window);
    template <typename Window> Window* openWindow(Window*& window);
    void raiseWindow(QWidget* window, bool first);
    void takeSelections();

    PlanningSession& m_session;
    PlanningTables& m_tables;
    RememberedChoices& m_choices;
    bool m_tablesModified = false;
    BestTeamSearch m_teamSearch;

    DialogControls m_controls;
    StrategyList m_strategies{};
    // The plan the view shows and what it was searched for.
    std::optional<PlanRecord> m_shownPlan;
    int m_shownVirus = -1;
    // The view shows an advice entry's plan on a supposed roster.
    bool m_supposedShown = false;
    Strategy m_shownStrategy;

    QWidget* m_clientArea = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_copyPlanAction = nullptr;
    CZoneOverviewWindow* m_zoneOverview = nullptr;
    CAlternativesWindow* m_alternatives = nullptr;
    CMultiTeamWindow* m_multiTeam = nullptr;
    CAdviceWindow* m_advice = nullptr;
    CTeamCheckWindow* m_teamCheck = nullptr;
    QLabel* m_banner = nullptr;
    QComboBox* m_targetSelector = nullptr;
    QComboBox* m_leaderSelector = nullptr;
    QComboBox* m_strategySelector = nullptr;
    CUpDownCtrl* m_targetSpin = nullptr;
    CUpDownCtrl* m_strategySpin = nullptr;
    QLabel* m_leaderStats = nullptr;
    QGroupBox* m_planGroup = nullptr;
    CPlanListCtrl* m_planList = nullptr;
    CEmptyViewHint* m_planHint = nullptr;
    QLabel* m_statTotals = nullptr;
    QLabel* m_heroDamage = nullptr;
    QLabel* m_virusDamage = nullptr;
    QLabel* m_critDamage = nullptr;
    QLabel* m_feasibility = nullptr;
    QCheckBox* m_topmostCheck = nullptr;
    QCheckBox* m_planOrderCheck = nullptr;
    QMenu* m_contextMenu = nullptr;
    RosterMenu* m_rosterMenu = nullptr;
};
