#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanRecord.h"
#include "engine/PlanningTables.h"
#include "engine/TopTeams.h"
#include "ui/main/FollowingWindow.h"

#include <QFutureWatcher>
#include <QWidget>

#include <array>
#include <atomic>
#include <functional>
#include <memory>

class PlanningSession;
class QLabel;
class QListView;
class QProgressBar;
class QPushButton;
class QTimer;
class QSpinBox;
class QStandardItemModel;
class QTableView;

// "备选方案": the best teams for the main window's request (level, leader,
// strategy), best first, for a raid where someone may be missing. Heroes
// ticked as absent are left out of these alternatives only; the roster's
// check marks are never touched. Selecting a team shows it in the main
// window's plan view.
//
// The search runs on a worker thread with its own copy of the tables, as on
// flat rosters a long list can take seconds: meanwhile the previous list stays
// greyed, and after kProgressDelayMs a busy bar and a cancel button show. A
// request that changes meanwhile cancels the running search and starts anew,
// so a stale list is never shown.
class CAlternativesWindow final : public CFollowingWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAlternativesWindow)

public:
    static constexpr int kDefaultCount = 10;
    static constexpr int kFewest = 5;
    static constexpr int kProgressDelayMs = 200;

    // The search; FindTopTeams unless a test puts another in its place. It
    // runs on a worker thread with its own copy of the tables, and returns
    // whatever it likes once `cancel` is set (the window discards it).
    using Computation = std::function<int(const PlanningTables&, const PlanRequest&, int wanted,
                                          PlanRecord* plans, const std::atomic<bool>* cancel)>;

    // Beside `mainWindow`, following the session it works on.
    CAlternativesWindow(PlanningSession& session, QWidget& mainWindow);
    ~CAlternativesWindow() override;

    void setComputation(Computation computation) { m_computation = std::move(computation); }

    // The teams listed, best first.
    int teamCount() const { return m_count; }
    const PlanRecord& team(int rank) const { return m_plans[rank]; }
    HeroSet absentHeroes() const;
    // Ticks or clears a hero as absent (the absent list's check box).
    void setAbsent(int hero, bool absent);
    // Stops the running search; the previous list stays, greyed.
    void Cancel();

    // From the start of a search until its list is shown (or dropped).
    bool isComputing() const { return m_busy; }

    QSpinBox* countBox() const { return m_countBox; }
    QTableView* teamList() const { return m_teamList; }
    QListView* absentList() const { return m_absentList; }
    QLabel* requestLabel() const { return m_request; }
    QLabel* statusLabel() const { return m_status; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* cancelButton() const { return m_cancelButton; }

signals:
    // A search ended: its list is shown, it was cancelled, or there was
    // nothing to search.
    void teamsPlanned();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void recompute() override;
    void planTeams();
    void start();
    void onFinished();
    void showTeams();
    void showProgress();
    void fillAbsentList();
    void onTeamSelected();

    PlanningSession& m_session;
    PlanningTables& m_tables;
    Computation m_computation;
    std::array<PlanRecord, kMaxTopTeams> m_plans{};
    int m_count = 0;
    bool m_filling = false;

    // What the worker reads and writes; it owns them until it has finished.
    std::unique_ptr<PlanningTables> m_snapshot;
    std::unique_ptr<std::array<PlanRecord, kMaxTopTeams>> m_found;
    std::atomic<bool> m_cancelFlag{false};
    bool m_busy = false;
    bool m_restart = false;
    QFutureWatcher<int> m_watcher;

    QLabel* m_request = nullptr;
    QSpinBox* m_countBox = nullptr;
    QStandardItemModel* m_absentModel = nullptr;
    QListView* m_absentList = nullptr;
    QStandardItemModel* m_teamModel = nullptr;
    QTableView* m_teamList = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QTimer* m_progressDelay = nullptr;
};
