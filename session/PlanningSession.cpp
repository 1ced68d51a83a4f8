#include "session/PlanningSession.h"

PlanningSession::PlanningSession(PlanningTables& tables, QObject* parent)
    : QObject(parent), m_tables(tables)
{
}

PlanningSession::~PlanningSession() = default;

std::optional<PlanRequest> PlanningSession::currentRequest() const
{
    if (m_virus < 0 || m_leader < 0 || !m_strategy)
        return std::nullopt;
    return PlanRequest{m_virus, m_leader, *m_strategy, {}};
}

void PlanningSession::setSelections(int virus, int leader, std::optional<Strategy> strategy)
{
    m_virus = virus;
    m_leader = leader;
    m_strategy = strategy;
}

void PlanningSession::announce(Changes what)
{
    if (what)
        emit changed(what);
}

void PlanningSession::showPlanFor(int virus, const Strategy& strategy)
{
    emit planForRequested(virus, strategy);
}

void PlanningSession::showAlternative(const PlanRecord& plan, int rank)
{
    emit alternativeRequested(plan, rank);
}

void PlanningSession::showSupposedPlan(const AdviceEntry& entry, const QString& heroName)
{
    emit supposedPlanRequested(entry, heroName);
}
