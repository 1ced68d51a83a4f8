#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"
#include "engine/Strategies.h"
#include "engine/TrainingAdvice.h"

#include <QFlags>
#include <QObject>
#include <QString>

#include <optional>

// What the planner's windows share: the tables they work on and the request
// the main window's selectors make. Every window depends on the session, not
// on another window: the main window writes the request and says when it
// changed the tables, the raid windows read both and ask for a plan to be
// shown, and the application keeps its recovery file by the same signal.
//
// Each user action is announced once, with everything it changed, so a window
// that follows the session recomputes once per action however many parts
// changed.
class PlanningSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PlanningSession)

public:
    enum class Change
    {
        Leader = 0x01,        // the chosen leader
        Target = 0x02,        // the chosen level or strategy
        StrategyOrder = 0x04, // the strategies' order (the plan-order switch)
        Roster = 0x08,        // the hero table
        Levels = 0x10,        // the virus table
    };
    Q_DECLARE_FLAGS(Changes, Change)
    static constexpr Changes kRequest{Change::Leader, Change::Target};
    static constexpr Changes kTables{Change::Roster, Change::Levels};

    explicit PlanningSession(PlanningTables& tables, QObject* parent = nullptr);
    ~PlanningSession() override;

    PlanningTables& tables() { return m_tables; }
    const PlanningTables& tables() const { return m_tables; }

    // The main window's selections: -1 or no value where there is none.
    int currentVirus() const { return m_virus; }
    int currentLeader() const { return m_leader; }
    const std::optional<Strategy>& currentStrategy() const { return m_strategy; }
    // The whole request, when the level, the leader and the strategy are all
    // chosen; nothing is excluded.
    std::optional<PlanRequest> currentRequest() const;
    // The strategies in the order the strategy selector lists them.
    const StrategyList& strategyOrder() const { return m_strategyOrder; }

    // Written by the main window; announced by announce().
    void setSelections(int virus, int leader, std::optional<Strategy> strategy);
    void setStrategyOrder(const StrategyList& order) { m_strategyOrder = order; }

    // Tells every window, in one signal, what one action changed. Nothing is
    // sent for an empty set.
    void announce(Changes what);

    // A raid window asks for a plan in the main window's plan view: the
    // level and strategy searched as if the user had picked them, or a team
    // it found shown with its rank (1 = best).
    void showPlanFor(int virus, const Strategy& strategy);
    void showAlternative(const PlanRecord& plan, int rank);
    // The advice window asks for the plan of one of its entries, shown on
    // the roster the entry supposes and marked as supposed; the roster is
    // not changed. `heroName` names the entry's hero in the caption.
    void showSupposedPlan(const AdviceEntry& entry, const QString& heroName);

signals:
    void changed(PlanningSession::Changes what);
    void planForRequested(int virus, const Strategy& strategy);
    void alternativeRequested(const PlanRecord& plan, int rank);
    void supposedPlanRequested(const AdviceEntry& entry, const QString& heroName);

private:
    PlanningTables& m_tables;
    int m_virus = -1;
    int m_leader = -1;
    std::optional<Strategy> m_strategy;
    StrategyList m_strategyOrder = BuildStrategyList(false);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PlanningSession::Changes)
