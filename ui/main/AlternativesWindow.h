#pragma once

#include "HeroSet.h"
#include "PlanRecord.h"
#include "PlanningTables.h"
#include "TopTeams.h"

#include <QWidget>

#include <array>

class CQuorvelDlg;
class QLabel;
class QListView;
class QSpinBox;
class QStandardItemModel;
class QTableView;

// "备选方案": the best teams for the main window's request (level, leader,
// strategy), best first, for a raid where someone may be missing. Heroes
// ticked as absent are left out of these alternatives only; the roster's
// check marks are never touched. Selecting a team shows it in the main
// window's plan view.
class CAlternativesWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAlternativesWindow)

public:
    static constexpr int kDefaultCount = 10;
    static constexpr int kFewest = 5;

    CAlternativesWindow(CQuorvelDlg& mainWindow, PlanningTables& tables);

    // Plans the alternatives afresh for the main window's request (only
    // notes that it must while hidden).
    void refresh();

    // The teams listed, best first.
    int teamCount() const { return m_count; }
    const PlanRecord& team(int rank) const { return m_plans[rank]; }
    HeroSet absentHeroes() const;
    // Ticks or clears a hero as absent (the absent list's check box).
    void setAbsent(int hero, bool absent);

    QSpinBox* countBox() const { return m_countBox; }
    QTableView* teamList() const { return m_teamList; }
    QListView* absentList() const { return m_absentList; }
    QLabel* requestLabel() const { return m_request; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void recompute();
    void planTeams();
    void fillAbsentList();
    void onTeamSelected();

    CQuorvelDlg& m_main;
    PlanningTables& m_tables;
    std::array<PlanRecord, kMaxTopTeams> m_plans{};
    int m_count = 0;
    bool m_stale = true;
    bool m_filling = false;

    QLabel* m_request = nullptr;
    QSpinBox* m_countBox = nullptr;
    QStandardItemModel* m_absentModel = nullptr;
    QListView* m_absentList = nullptr;
    QStandardItemModel* m_teamModel = nullptr;
    QTableView* m_teamList = nullptr;
};
