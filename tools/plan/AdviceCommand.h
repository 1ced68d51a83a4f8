#pragma once

#include "engine/PlanRequest.h"
#include "engine/PlanningTables.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QTextStream>

// The planner's answers about what to change: training advice for a request
// (--advice: the least rise of one stat of one hero that makes the plan
// feasible) and the check of a team of the user's own (--team H,H,H,H,H,H:
// its plan with the margins, spans and threshold that explain its score).

enum class AdviceMode
{
    None,
    Advice, // --advice
    Team,   // --team H,H,H,H,H,H
};

struct AdviceOptions
{
    AdviceMode mode = AdviceMode::None;
    int team[6] = {};

    // A team is given whole, so --team takes no leader.
    bool usesLeader() const { return mode != AdviceMode::Team; }
};

QList<QCommandLineOption> AdviceOptionList();

// Reads --advice and --team and refuses the options they do not go with;
// throws UsageError.
AdviceOptions ReadAdviceOptions(const QCommandLineParser& parser);

// Throws UsageError when --advice or --team is set with `other`.
void RefuseAdviceOptionsWith(const QCommandLineParser& parser, const QString& other);

// The request as the options read (--team ignores its leader and excluded
// heroes) and how to print the answer.
struct AdviceQuery
{
    PlanRequest search;
    bool json = false;
    bool printStats = false;
};

// Runs an Advice or Team request on loaded tables and prints it.
void RunAdvice(const AdviceOptions& options, const PlanningTables& tables, const AdviceQuery& query,
               QTextStream& out, QTextStream& err);
