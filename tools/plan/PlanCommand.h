#pragma once

#include <QStringList>
#include <QTextStream>

#include "tools/ExitCodes.h"

inline constexpr int kPlanExitOk = kExitOk;
inline constexpr int kPlanExitUsage = kExitUsage;
inline constexpr int kPlanExitUnreadable = kExitDataFileUnreadable;

// Runs the headless planner for a full argument list (program name first):
// prints a plan, or the strategy list, to `out`; a bad argument (an option
// that takes one value given twice among them; --exclude may repeat and
// merges) gets one line on `err` and the exit code kPlanExitUsage; a data file that exists but
// cannot be read (no permission, a folder, a pipe or a device) gets one line
// naming it and the exit code kPlanExitUnreadable. Never writes the data
// files.
int RunPlanCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
