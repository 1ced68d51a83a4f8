#pragma once

#include "engine/PlanRecord.h"
#include "engine/PlanningTables.h"

#include <QJsonObject>
#include <QTextStream>

// The fields of one plan as the planner prints it in JSON: heroes, the three
// totals, the three damage ranges, the score and the feasibility index.
QJsonObject PlanFields(const PlanRecord& plan);

// The plan as the window shows it: caption, six hero rows, five details.
void PrintPlanText(const PlanningTables& tables, const PlanRecord& plan, QTextStream& out);

// One compact line of JSON.
void PrintJsonLine(const QJsonObject& object, QTextStream& out);
