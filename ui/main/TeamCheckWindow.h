#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"
#include "engine/TeamCheck.h"
#include "ui/main/FollowingWindow.h"

#include <QFutureWatcher>

#include <array>
#include <memory>
#include <optional>

class PlanningSession;
class QComboBox;
class QLabel;
class QPushButton;
class QStandardItemModel;

// "自选队伍": any six heroes of the roster, checked or not, scored against the
// main window's level and strategy with the figures that explain the score
// (each margin in words, the 可爱 threshold), and beside them the same
// figures for the best plan of the main window's request. Each of the six
// boxes finds a hero by any part of its name.
//
// The team is scored at once; the best plan is searched on a worker thread
// with its own copy of the tables, as on a hard roster it takes a while.
class CTeamCheckWindow final : public CFollowingWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTeamCheckWindow)

public:
    static constexpr int kTeamSize = 6;

    // The rows of figures, each shown for the chosen team and the best plan.
    enum Figure
    {
        TeamFigure,
        TotalsFigure,
        HeroDamageFigure,
        VirusDamageFigure,
        CritDamageFigure,
        IndexFigure,
        LifeMarginFigure,
        DamageMarginFigure,
        ThresholdFigure,
        FigureCount,
    };
    // The columns of figures.
    enum Side
    {
        ChosenSide,
        BestSide,
        SideCount,
    };

    // Beside `mainWindow`, following the session it works on.
    CTeamCheckWindow(PlanningSession& session, QWidget& mainWindow);
    ~CTeamCheckWindow() override;

    // The hero (0..127) chosen in one of the six boxes, or -1.
    int hero(int slot) const;
    void setHero(int slot, int hero);
    // Fills the six boxes with the best plan beside them, once it is known.
    void TakeBestPlan();

    // The check of the chosen team, when six distinct heroes are chosen and
    // the main window names a level and a strategy.
    const std::optional<TeamCheck>& check() const { return m_check; }
    // The best plan's check, once its search has ended with a plan.
    const std::optional<TeamCheck>& bestCheck() const { return m_bestCheck; }
    bool isComputing() const { return m_busy; }

    QComboBox* heroBox(int slot) const { return m_heroBoxes[static_cast<std::size_t>(slot)]; }
    QLabel* figureLabel(Side side, Figure figure) const
    {
        return m_figures[static_cast<std::size_t>(side)][static_cast<std::size_t>(figure)];
    }
    QLabel* requestLabel() const { return m_request; }
    QLabel* statusLabel() const { return m_status; }
    QLabel* bestStatusLabel() const { return m_bestStatus; }

signals:
    // The best plan's search ended (or there was nothing to search).
    void bestPlanned();

private:
    void recompute() override;
    void fillHeroModel();
    void checkTeam();
    void showFigures(Side side, const std::optional<TeamCheck>& check);
    void planBest();
    void startBest();
    void onBestFinished();

    PlanningSession& m_session;
    PlanningTables& m_tables;
    std::optional<TeamCheck> m_check;
    std::optional<TeamCheck> m_bestCheck;
    bool m_filling = false;

    // What the worker reads and writes; it owns them until it has finished.
    std::unique_ptr<PlanningTables> m_snapshot;
    std::unique_ptr<PlanRecord> m_found;
    PlanRequest m_bestRequest;
    bool m_busy = false;
    bool m_restart = false;
    QFutureWatcher<bool> m_watcher;

    QStandardItemModel* m_heroModel = nullptr;
    std::array<QComboBox*, kTeamSize> m_heroBoxes{};
    std::array<std::array<QLabel*, FigureCount>, SideCount> m_figures{};
    QPushButton* m_takePlanButton = nullptr;
    QLabel* m_request = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_bestStatus = nullptr;
};
