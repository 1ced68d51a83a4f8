#pragma once

#include "engine/HeroSet.h"
#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QTextStream>

// The planner's raid-planning answers: the best K teams (--top), the zone
// overview of one leader (--overview, as JSON, CSV or a table), disjoint teams
// for several leaders (--leaders), and heroes left out of every search of the
// call (--exclude). All read-only on the data files.

enum class RaidPlanMode
{
    Single,   // today's one plan
    Top,      // --top K
    Overview, // --overview
    Leaders,  // --leaders H,H,...
};

struct RaidPlanOptions
{
    RaidPlanMode mode = RaidPlanMode::Single;
    int top = 0;
    QList<int> leaders;
    HeroSet excluded;
    bool csv = false;

    // Whether --virus, --rounds and --crits are needed, and --leader.
    bool usesStrategy() const { return mode != RaidPlanMode::Overview; }
    bool usesLeader() const { return mode != RaidPlanMode::Leaders; }
};

QList<QCommandLineOption> RaidPlanOptionList();

// Reads and checks the raid-planning options and their combinations with the
// others; throws UsageError. The leader itself is checked by CheckExclusions.
RaidPlanOptions ReadRaidPlanOptions(const QCommandLineParser& parser);

// Throws UsageError when a raid-planning option is set together with the
// option `other` (for example "strategies"), which none of them goes with.
void RefuseRaidPlanOptionsWith(const QCommandLineParser& parser, const QString& other);

// Throws UsageError when a leader of the call is excluded: a leader is always
// in its own team.
void CheckExclusions(const RaidPlanOptions& options, int leader);

// The rest of one call, as read by the planner.
struct RaidPlanQuery
{
    PlanRequest request; // its excluded heroes are the options' --exclude
    bool json = false;
    bool printStats = false;
};

// Runs a Top, Overview or Leaders request on loaded tables and prints it.
void RunRaidPlan(const RaidPlanOptions& options, const PlanningTables& tables,
                 const RaidPlanQuery& query, QTextStream& out, QTextStream& err);
