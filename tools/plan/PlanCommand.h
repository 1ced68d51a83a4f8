#pragma once

#include <QStringList>
#include <QTextStream>

inline constexpr int kPlanExitOk = 0;
inline constexpr int kPlanExitUsage = 2;
inline constexpr int kPlanExitUnreadable = 3;

// Runs the headless planner for a full argument list (program name first):
// prints a plan, or the strategy list, to `out`; a bad argument gets one line
// on `err` and the exit code kPlanExitUsage; a data file that exists but
// cannot be read (no permission, a folder, a pipe or a device) gets one line
// naming it and the exit code kPlanExitUnreadable. Never writes the data
// files.
int RunPlanCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
