#pragma once

#include "engine/PlanningTables.h"

#include <functional>

// The window tells the application here each time a confirmed change marks
// the tables for saving (an editor confirmed, heroes excluded), so the
// application can keep a copy safe until the data files are written.
using TablesChangedHandler = std::function<void(const PlanningTables&)>;

// Installs `handler` (empty: none) and returns the one it replaces.
TablesChangedHandler SetTablesChangedHandler(TablesChangedHandler handler);
void NotifyTablesChanged(const PlanningTables& tables);
