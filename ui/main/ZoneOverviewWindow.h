#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanningTables.h"
#include "engine/ZoneOverview.h"
#include "ui/main/FollowingWindow.h"

#include <QFutureWatcher>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class PlanningSession;
class ZoneOverviewModel;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

// "关卡总览": beside the main window, every level under every strategy for
// the main window's leader at a glance. It follows the main window (a new
// leader, a confirmed editor, an exclusion, another strategy order) and
// computes on a worker thread, so the window never freezes: a refresh that
// takes longer than kProgressDelayMs shows a progress bar and a cancel
// button. Double-clicking a cell (or Enter) shows that plan in the main
// window.
class CZoneOverviewWindow final : public CFollowingWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CZoneOverviewWindow)

public:
    static constexpr int kProgressDelayMs = 200;

    // The overview computation; PlanZoneOverview unless a test puts another
    // in its place. It runs on a worker thread with its own copy of the tables.
    using Computation = std::function<bool(const PlanningTables&, const PlanRequest&, ZoneOverview&,
                                           const OverviewControl&)>;

    // Beside `mainWindow`, following the session it works on.
    CZoneOverviewWindow(PlanningSession& session, QWidget& mainWindow);
    ~CZoneOverviewWindow() override;

    void setComputation(Computation computation) { m_computation = std::move(computation); }

    // Stops the running computation; the grid keeps what it showed before.
    void Cancel();

    // From the start of a refresh until its result has been taken over.
    bool isComputing() const { return m_busy; }
    ZoneOverviewModel* model() const { return m_model; }
    QTableView* grid() const { return m_grid; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QCheckBox* feasibleOnlyCheck() const { return m_feasibleOnly; }
    QLabel* statusLabel() const { return m_status; }

signals:
    // A refresh ended: with the new grid shown, cancelled, or without a leader.
    void refreshEnded();

protected:
private:
    // Computes the grid afresh for the main window's leader; a computation
    // still running is cancelled first.
    void recompute() override;
    void start();
    void onFinished();
    void onCellActivated(const QModelIndex& index);
    void applyFilter();
    void followStrategyOrder();
    void showProgress();
    // Shows the cells the worker has filled since the last look.
    void showReadyCells();

    PlanningSession& m_session;
    const PlanningTables& m_tables;
    Computation m_computation;

    // What the worker reads and writes; it owns them until it has finished.
    std::unique_ptr<PlanningTables> m_snapshot;
    std::unique_ptr<ZoneOverview> m_cells;
    std::atomic<bool> m_cancelFlag{false};
    std::atomic<int> m_cellsDone{0};
    // The worker's flag per cell filled: the grid shows those cells at once.
    std::unique_ptr<std::atomic<bool>[]> m_cellsReady =
        std::make_unique<std::atomic<bool>[]>(kOverviewCells);
    int m_leader = -1;
    bool m_restart = false;
    bool m_busy = false;
    QFutureWatcher<bool> m_watcher;

    ZoneOverviewModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_status = nullptr;
    QCheckBox* m_feasibleOnly = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QTimer* m_progressDelay = nullptr;
    QTimer* m_progressTick = nullptr;
};
