#pragma once

#include "DialogControls.h"
#include "DialogTemplate.h"
#include "PlanRecord.h"
#include "PlanningTables.h"
#include "RememberedChoices.h"

#include <QDialog>

#include <functional>

class CHeroesDlg;
class CPlanListCtrl;
class CUpDownCtrl;
class CVirusDlg;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class RosterMenu;

// The planner's main window: the target, leading-hero and strategy selectors
// with their spins, the editor buttons, the plan view and the two switches.
// It works directly on the shared tables and remembered choices; whether the
// tables were changed is told by tablesModified() once it has closed.
class CQuorvelDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CQuorvelDlg)

public:
    // The team search the window runs; FindBestTeam unless a test puts
    // another in its place.
    using TeamSearch =
        std::function<bool(PlanningTables&, int virusIndex, int n, int k, PlanRecord& plan)>;

    CQuorvelDlg(PlanningTables& tables, RememberedChoices& choices, QWidget* parent = nullptr);
    ~CQuorvelDlg() override;

    // Runs a window modally on the tables and choices; returns whether the
    // tables were changed.
    static bool RunModal(PlanningTables& tables, RememberedChoices& choices);

    bool tablesModified() const { return m_tablesModified; }
    const DialogControls& controls() const { return m_controls; }
    void setTeamSearch(TeamSearch search) { m_teamSearch = std::move(search); }

    // The selectors.
    void FillVirusList();
    void FillHeroList();
    void ShowLeaderStats();
    void FillStrategyList();

    // The search driver.
    void RunTeamSearch();
    void ExcludeSelectedHeroes();

    // The plan view.
    void ClearPlanView();
    void ShowPlan(const PlanRecord& plan);

    // The editor buttons. EditVirus and EditHeroes run the editor with
    // `prepare` applied to it before it opens (an import fills its working
    // copy), then take a confirmation as the buttons do.
    void OnEditVirus();
    void OnEditHeroes();
    void EditVirus(const std::function<void(CVirusDlg&)>& prepare);
    void EditHeroes(const std::function<void(CHeroesDlg&)>& prepare);
    // The "花名册" menu, for the menu bar.
    RosterMenu* rosterMenu() const { return m_rosterMenu; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeControl(const ControlTemplate& control, QWidget* parent);
    void createBanner();
    void connectHandlers();

    void onTargetSelected(int position);
    void onLeaderSelected(int position);
    void onStrategySelected(int position);
    void stepSelector(QComboBox* selector, int limit, int position, int delta, bool& accept);
    void onTopmostClicked(bool checked);
    void onPlanOrderClicked(bool checked);
    void onPlanListContextMenu(const QPoint& position);
    void setTopmost(bool on);
    void takeSelections();

    PlanningTables& m_tables;
    RememberedChoices& m_choices;
    bool m_tablesModified = false;
    TeamSearch m_teamSearch;

    DialogControls m_controls;
    QLabel* m_banner = nullptr;
    QComboBox* m_targetSelector = nullptr;
    QComboBox* m_leaderSelector = nullptr;
    QComboBox* m_strategySelector = nullptr;
    CUpDownCtrl* m_targetSpin = nullptr;
    CUpDownCtrl* m_strategySpin = nullptr;
    QLabel* m_leaderStats = nullptr;
    QGroupBox* m_planGroup = nullptr;
    CPlanListCtrl* m_planList = nullptr;
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
