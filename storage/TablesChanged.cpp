#include "storage/TablesChanged.h"

#include <utility>

namespace {

TablesChangedHandler& Handler()
{
    static TablesChangedHandler handler;
    return handler;
}

} // namespace

TablesChangedHandler SetTablesChangedHandler(TablesChangedHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

void NotifyTablesChanged(const PlanningTables& tables)
{
    if (Handler())
        Handler()(tables);
}
