#pragma once

#include "engine/DisjointTeams.h"
#include "engine/PlanningTables.h"
#include "ui/main/FollowingWindow.h"

#include <QFutureWatcher>
#include <QWidget>

#include <array>
#include <atomic>
#include <memory>

class PlanningSession;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QStandardItemModel;
class QTableView;

// "多队规划": several teams for one level and strategy that share no hero,
// one per chosen leader in order (the main window's leader first, up to
// kMaxDisjointLeaders), and all of them copied at once for the chat.
//
// The teams are planned on a worker thread from a copy of the tables, once
// for each change however many signals announce it (the main window's request
// and tables, a leader chosen here): the list stays, greyed, until the new
// one is ready, and after kProgressDelayMs a busy bar and "取消" show.
class CMultiTeamWindow final : public CFollowingWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMultiTeamWindow)

public:
    static constexpr int kProgressDelayMs = 200;

    // Beside `mainWindow`, following the session it works on.
    CMultiTeamWindow(PlanningSession& session, QWidget& mainWindow);
    ~CMultiTeamWindow() override;

    // From a change until its teams are shown (or dropped).
    bool isComputing() const;
    // Drops the running plan: the previous teams stay, greyed.
    void Cancel();
    // How many plans have started, for counting that one change plans once.
    int plansStarted() const { return m_plansStarted; }

    // The leaders in order: the main window's, then the chosen others.
    int leaders(int* out) const;
    // Chooses the leader of row 1..7 (-1: none).
    void setLeader(int row, int hero);

    int teamCount() const { return m_count; }
    const DisjointTeam& team(int i) const { return m_teams[i]; }
    // All the teams as chat text, as "复制全部" puts them on the clipboard.
    QString teamsText() const;
    void CopyTeams();

    QTableView* teamList() const { return m_teamList; }
    QPushButton* copyButton() const { return m_copyButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QLabel* statusLabel() const { return m_status; }

signals:
    // A plan ended: its teams are shown, it was cancelled, or there was
    // nothing to plan.
    void teamsPlanned();

private:
    void recompute() override;
    void plan();
    void start();
    void onFinished();
    void showTeams();
    void showProgress();
    void fillLeaderSelectors();

    PlanningSession& m_session;
    const PlanningTables& m_tables;
    std::array<DisjointTeam, kMaxDisjointLeaders> m_teams{};
    std::array<int, kMaxDisjointLeaders> m_leaders{};
    int m_count = 0;
    bool m_filling = false;

    // What the worker reads and writes; it owns them until it has finished.
    std::unique_ptr<PlanningTables> m_snapshot;
    std::array<DisjointTeam, kMaxDisjointLeaders> m_found{};
    std::array<int, kMaxDisjointLeaders> m_pendingLeaders{};
    int m_pendingCount = 0;
    QFutureWatcher<void> m_watcher;
    // Set to stop the worker's planning soon: its answer is no longer wanted.
    std::atomic<bool> m_stopWorker{false};
    bool m_busy = false;
    bool m_restart = false;
    bool m_dropped = false;
    int m_plansStarted = 0;
    // Gathers the signals of one change into one plan.
    QTimer* m_changeTimer = nullptr;
    QTimer* m_progressDelay = nullptr;

    QLabel* m_request = nullptr;
    QLabel* m_firstLeader = nullptr;
    std::array<QComboBox*, kMaxDisjointLeaders> m_leaderBoxes{};
    QStandardItemModel* m_teamModel = nullptr;
    QTableView* m_teamList = nullptr;
    QPushButton* m_copyButton = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
