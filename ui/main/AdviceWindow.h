#pragma once

#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"
#include "engine/TrainingAdvice.h"
#include "ui/main/FollowingWindow.h"

#include <QFutureWatcher>

#include <atomic>
#include <functional>
#include <memory>

class AdviceModel;
class PlanningSession;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

// "培养建议": for the main window's request, the least rise of one stat of one
// hero that makes the plan's index reach 100, smallest rise first. Selecting
// an entry shows the plan after that rise in the main window, marked there as
// supposed; the roster itself is never changed.
//
// The advice runs thousands of searches, seconds on a hard roster: it works on
// a worker thread with its own copy of the tables. After kProgressDelayMs a
// bar shows how many of the heroes' stats are done, with a cancel button; the
// previous list stays, greyed, until the new one is complete. A request that
// changes meanwhile cancels the running advice and starts anew.
class CAdviceWindow final : public CFollowingWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAdviceWindow)

public:
    static constexpr int kProgressDelayMs = 200;
    static constexpr int kProgressPollMs = 50;

    // The advice; FindTrainingAdvice unless a test puts another in its place.
    // It runs on a worker thread and may stop early once control.cancel is
    // set (the window then discards what it left).
    using Computation = std::function<bool(const PlanningTables&, const PlanRequest&,
                                           TrainingAdvice&, const AdviceControl&)>;

    // Beside `mainWindow`, following the session it works on.
    CAdviceWindow(PlanningSession& session, QWidget& mainWindow);
    ~CAdviceWindow() override;

    void setComputation(Computation computation) { m_computation = std::move(computation); }

    // Stops the running advice; the previous list stays, greyed.
    void Cancel();
    // From the start of an advice until its list is shown (or dropped).
    bool isComputing() const { return m_busy; }

    AdviceModel* model() const { return m_model; }
    QTableView* adviceList() const { return m_list; }
    QLabel* requestLabel() const { return m_request; }
    // The current index, or why nothing is listed.
    QLabel* noteLabel() const { return m_note; }
    QLabel* statusLabel() const { return m_status; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* cancelButton() const { return m_cancelButton; }

signals:
    // An advice ended: its list is shown, it was cancelled, or there was
    // nothing to advise on.
    void advicePlanned();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void recompute() override;
    void start();
    void onFinished();
    void showAdvice(const TrainingAdvice& advice);
    void showProgress();
    void updateProgress();
    void onEntrySelected();

    PlanningSession& m_session;
    PlanningTables& m_tables;
    Computation m_computation;

    // What the worker reads and writes; it owns them until it has finished.
    std::unique_ptr<PlanningTables> m_snapshot;
    std::unique_ptr<TrainingAdvice> m_found;
    std::atomic<bool> m_cancelFlag{false};
    std::atomic<int> m_tasksDone{0};
    bool m_busy = false;
    bool m_restart = false;
    QFutureWatcher<bool> m_watcher;

    AdviceModel* m_model = nullptr;
    QTableView* m_list = nullptr;
    QLabel* m_request = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QTimer* m_progressDelay = nullptr;
    QTimer* m_progressPoll = nullptr;
};
