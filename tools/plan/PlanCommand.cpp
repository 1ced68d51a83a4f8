#include "tools/plan/PlanCommand.h"

#include "QuorvelVersion.h"
#include "engine/Strategies.h"
#include "engine/TeamSearch.h"
#include "storage/DataFiles.h"
#include "texts/PlanTexts.h"
#include "tools/ExitCodes.h"
#include "tools/RepeatedOptions.h"
#include "tools/plan/AdviceCommand.h"
#include "tools/plan/PlanOutput.h"
#include "tools/plan/PlanUsage.h"
#include "tools/plan/RaidPlanCommand.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// One call of the planner as its options read; the search's own request
// (virus, leader, strategy, excluded heroes) among them.
struct PlanCall
{
    QString folder;
    PlanRequest search;
    bool json = false;
    bool reference = false;
    RaidPlanOptions raid;
    AdviceOptions advice;
};

// An argument echoed in a message keeps the message on one line: control
// characters and line separators are shown as escapes.
QString OneLine(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar unit : text) {
        if (unit == u'\n')
            shown += u"\\n"_s;
        else if (unit == u'\r')
            shown += u"\\r"_s;
        else if (unit.category() == QChar::Other_Control || unit == QChar::LineSeparator ||
                 unit == QChar::ParagraphSeparator)
            shown += u"\\u%1"_s.arg(unit.unicode(), 4, 16, QChar(u'0'));
        else
            shown += unit;
    }
    return shown;
}

void PrintStrategies(bool byChance, QTextStream& out)
{
    for (const Strategy& strategy : BuildStrategyList(byChance))
        out << PlanTexts::StrategyEntry(strategy) << '\n';
}

QJsonObject PlanJson(const PlanRecord& plan)
{
    QJsonObject json = PlanFields(plan);
    json.insert(u"found"_s, true);
    return json;
}

int RunPlan(const PlanCall& request, bool printStats, QTextStream& out, QTextStream& err)
{
    // Large enough to keep off the stack; allocated once, before the search.
    auto tables = std::make_unique<PlanningTables>();
    const LoadOutcome loads[] = {LoadVirusTable(tables->virusTable, request.folder),
                                 LoadHeroTable(tables->heroTable, request.folder)};
    // A plan from the defaults in place of data that exists but could not be
    // read would look like an answer about the user's guild; it is an error.
    for (const LoadOutcome& load : loads) {
        if (load.state == LoadOutcome::State::Unreadable) {
            err << u"quorvel-plan: cannot read "_s
                << OneLine(QDir::toNativeSeparators(QFileInfo(load.filePath).absoluteFilePath()))
                << u": "_s << load.reason << Qt::endl;
            return kPlanExitUnreadable;
        }
    }
    if (loads[0].state == LoadOutcome::State::Missing &&
        loads[1].state == LoadOutcome::State::Missing) {
        err << u"quorvel-plan: neither Virus.dat nor Heroes.dat is in "_s
            << OneLine(QDir::toNativeSeparators(QDir(request.folder).absolutePath()))
            << u"; planning with the default tables"_s << Qt::endl;
    }
    if (request.advice.mode != AdviceMode::None) {
        const AdviceQuery query{request.search, request.json, printStats};
        RunAdvice(request.advice, *tables, query, out, err);
        return kPlanExitOk;
    }
    if (request.raid.mode != RaidPlanMode::Single) {
        const RaidPlanQuery query{request.search, request.json, printStats};
        RunRaidPlan(request.raid, *tables, query, out, err);
        return kPlanExitOk;
    }

    PlanRecord plan;
    SearchStats stats;
    QElapsedTimer timer;
    timer.start();
    const bool found = request.reference
                           ? FindBestTeamReference(*tables, request.search, plan, &stats)
                           : FindBestTeam(*tables, request.search, plan, &stats);
    const qint64 elapsed = timer.nsecsElapsed();
    if (printStats) {
        err << u"search (%1): %2 candidates, %3 teams scored, %4 ms"_s
                   .arg(request.reference ? u"reference"_s : u"fast"_s)
                   .arg(stats.candidateCount)
                   .arg(stats.teamsScored)
                   .arg(static_cast<double>(elapsed) / 1e6, 0, 'f', 3)
            << Qt::endl;
    }

    if (request.json) {
        const QJsonObject result = found ? PlanJson(plan) : QJsonObject{{u"found"_s, false}};
        out << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)) << '\n';
    } else if (found) {
        PrintPlanText(*tables, plan, out);
    } else {
        out << PlanTexts::NoPlanCaption() << '\n';
    }
    return kPlanExitOk;
}

} // namespace

int RunPlanCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Finds the best team of six for a virus, a leading hero and a battle strategy, "
        u"from Virus.dat and Heroes.dat (never written)."_s);
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Show this help."_s);
    const QCommandLineOption version(u"version"_s, u"Show the version."_s);
    parser.addOptions({
        help,
        version,
        {u"dir"_s, u"Folder holding Virus.dat and Heroes.dat (default: current)."_s, u"DIR"_s},
        {u"virus"_s, u"Virus index 0..63 (level V+1)."_s, u"V"_s},
        {u"leader"_s, u"Leading hero index 0..127."_s, u"H"_s},
        {u"rounds"_s, u"Rounds in which the heroes win, 1..6."_s, u"R"_s},
        {u"crits"_s, u"Critical hits withstood, 0..R-1."_s, u"K"_s},
        {u"json"_s, u"Print the plan as one line of JSON."_s},
        {u"reference"_s, u"Use the straightforward reference search."_s},
        {u"stats"_s, u"Print the search's figures to stderr."_s},
        {u"strategies"_s, u"List the 21 battle strategies."_s},
        {u"by-chance"_s, u"With --strategies: order them by win chance."_s},
    });
    parser.addOptions(RaidPlanOptionList());
    parser.addOptions(AdviceOptionList());

    try {
        if (!parser.parse(arguments))
            throw UsageError(parser.errorText());
        if (parser.isSet(help)) {
            out << parser.helpText() << QString::fromLatin1(kExitCodesHelp);
            return kPlanExitOk;
        }
        if (parser.isSet(version)) {
            out << u"quorvel-plan "_s << QString::fromLatin1(kQuorvelVersion) << '\n';
            return kPlanExitOk;
        }
        if (!parser.positionalArguments().isEmpty())
            throw UsageError(
                u"unexpected argument '%1'"_s.arg(parser.positionalArguments().constFirst()));
        if (const std::optional<QString> repeated = RepeatedValueProblem(parser, {u"exclude"_s}))
            throw UsageError(*repeated);

        if (parser.isSet(u"strategies"_s)) {
            for (const char* planOnly :
                 {"dir", "virus", "leader", "rounds", "crits", "json", "reference", "stats"}) {
                if (parser.isSet(QString::fromLatin1(planOnly)))
                    throw UsageError(
                        u"--%1 does not go with --strategies"_s.arg(QString::fromLatin1(planOnly)));
            }
            RefuseRaidPlanOptionsWith(parser, u"strategies"_s);
            RefuseAdviceOptionsWith(parser, u"strategies"_s);
            PrintStrategies(parser.isSet(u"by-chance"_s), out);
            return kPlanExitOk;
        }
        if (parser.isSet(u"by-chance"_s))
            throw UsageError(u"--by-chance goes with --strategies"_s);

        PlanCall request;
        if (parser.isSet(u"dir"_s)) {
            request.folder = parser.value(u"dir"_s);
            if (!QFileInfo(request.folder).isDir())
                throw UsageError(
                    u"--dir must be an existing folder, not '%1'"_s.arg(request.folder));
        }
        request.advice = ReadAdviceOptions(parser);
        request.raid = ReadRaidPlanOptions(parser);
        if (request.raid.usesStrategy())
            request.search.virus = ReadNumber(parser, u"virus"_s, 0, kVirusCount - 1);
        if (request.raid.usesLeader() && request.advice.usesLeader())
            request.search.leader = ReadNumber(parser, u"leader"_s, 0, kHeroCount - 1);
        if (request.raid.usesStrategy()) {
            // The options name the rounds; the strategy counts the virus's hits.
            const int rounds = ReadNumber(parser, u"rounds"_s, 1, 6);
            request.search.strategy.n = rounds - 1;
            request.search.strategy.k =
                ReadNumber(parser, u"crits"_s, 0, rounds - 1, u" for %1 rounds"_s.arg(rounds));
        }
        CheckExclusions(request.raid, request.search.leader);
        request.search.excluded = request.raid.excluded;
        request.json = parser.isSet(u"json"_s);
        request.reference = parser.isSet(u"reference"_s);
        return RunPlan(request, parser.isSet(u"stats"_s), out, err);
    } catch (const UsageError& error) {
        err << u"quorvel-plan: "_s << OneLine(error.message()) << u" (see --help)"_s << Qt::endl;
        return kPlanExitUsage;
    }
}
