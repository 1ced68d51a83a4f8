#include "tools/plan/RaidPlanCommand.h"

#include "engine/DisjointTeams.h"
#include "engine/Strategies.h"
#include "engine/TopTeams.h"
#include "engine/ZoneOverview.h"
#include "texts/PlanTexts.h"
#include "tools/plan/PlanOutput.h"
#include "tools/plan/PlanUsage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kTop = u"top"_s;
const QString kExclude = u"exclude"_s;
const QString kOverview = u"overview"_s;
const QString kCsv = u"csv"_s;
const QString kLeaders = u"leaders"_s;

// "H,H,..." with every H a hero index; items may carry spaces around them.
QList<int> ReadHeroList(const QString& option, const QString& text)
{
    QList<int> heroes;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return heroes;
    for (const QString& item : trimmed.split(u',')) {
        bool ok = false;
        const int hero = item.trimmed().toInt(&ok);
        if (!ok || hero < 0 || hero >= kHeroCount)
            throw UsageError(
                u"--%1 must list hero indices from 0 to 127 separated by commas, not '%2'"_s.arg(
                    option, text));
        heroes.append(hero);
    }
    return heroes;
}

void RefuseTogether(const QCommandLineParser& parser, const QString& option,
                    const QStringList& others)
{
    for (const QString& other : others) {
        if (parser.isSet(other))
            throw UsageError(u"--%1 does not go with --%2"_s.arg(other, option));
    }
}

double Milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

QString HeroLabel(const PlanningTables& tables, int hero)
{
    return u"%1 %2"_s.arg(hero).arg(PlanTexts::HeroNameText(tables.heroTable[hero]));
}

void PrintTop(const RaidPlanOptions& options, const PlanningTables& tables,
              const RaidPlanQuery& query, QTextStream& out, QTextStream& err)
{
    PlanRecord plans[kMaxTopTeams];
    SearchStats stats;
    QElapsedTimer timer;
    timer.start();
    const int count = FindTopTeams(tables, query.request, options.top, plans, &stats);
    if (query.printStats)
        err << u"top %1: %2 plans, %3 teams scored, %4 ms"_s.arg(options.top)
                   .arg(count)
                   .arg(stats.teamsScored)
                   .arg(Milliseconds(timer), 0, 'f', 3)
            << Qt::endl;
    if (query.json) {
        QJsonArray list;
        for (int i = 0; i < count; ++i)
            list.append(PlanFields(plans[i]));
        PrintJsonLine(QJsonObject{{u"plans"_s, list}}, out);
        return;
    }
    if (count == 0) {
        out << PlanTexts::NoPlanCaption() << '\n';
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out << '\n';
        out << QCoreApplication::translate("RaidPlanCommand", "第%1名").arg(i + 1) << '\n';
        PrintPlanText(tables, plans[i], out);
    }
}

// A CSV field, quoted when it holds a comma, a quote or a line break (the
// strategies' texts hold commas).
QString CsvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

QString LevelText(int virus)
{
    return QCoreApplication::translate("RaidPlanCommand", "第%1关")
        .arg(virus + 1, 2, 10, QChar(u'0'));
}

void PrintOverview(const RaidPlanOptions& options, const PlanningTables& tables,
                   const RaidPlanQuery& query, QTextStream& out, QTextStream& err)
{
    auto cells = std::make_unique<ZoneOverview>();
    QElapsedTimer timer;
    timer.start();
    PlanZoneOverview(tables, query.request, *cells);
    if (query.printStats)
        err << u"overview: %1 cells, %2 ms"_s.arg(kOverviewCells)
                   .arg(Milliseconds(timer), 0, 'f', 3)
            << Qt::endl;
    const StrategyList strategies = BuildStrategyList(false);
    const auto cellAt = [&](int virus, int strategy) -> const OverviewCell& {
        const int cell = virus * kStrategyCount + strategy;
        return (*cells)[static_cast<std::size_t>(cell)];
    };

    if (query.json) {
        QJsonArray list;
        for (int virus = 0; virus < kVirusCount; ++virus) {
            for (int s = 0; s < kStrategyCount; ++s) {
                const OverviewCell& cell = cellAt(virus, s);
                const Strategy& strategy = strategies[static_cast<std::size_t>(s)];
                QJsonObject entry = cell.found ? PlanFields(cell.plan) : QJsonObject{};
                entry.insert(u"virus"_s, virus);
                entry.insert(u"rounds"_s, strategy.rounds());
                entry.insert(u"crits"_s, strategy.k);
                entry.insert(u"found"_s, cell.found);
                list.append(entry);
            }
        }
        PrintJsonLine(QJsonObject{{u"leader"_s, query.request.leader}, {u"cells"_s, list}}, out);
        return;
    }

    if (options.csv) {
        QStringList header{QCoreApplication::translate("RaidPlanCommand", "关卡")};
        for (const Strategy& strategy : strategies)
            header << CsvField(PlanTexts::StrategyEntry(strategy));
        out << header.join(u',') << '\n';
        for (int virus = 0; virus < kVirusCount; ++virus) {
            QStringList row{LevelText(virus)};
            for (int s = 0; s < kStrategyCount; ++s) {
                const OverviewCell& cell = cellAt(virus, s);
                row << (cell.found ? PlanTexts::FeasibilityIndex(cell.plan) : QString());
            }
            out << row.join(u',') << '\n';
        }
        return;
    }

    out << QCoreApplication::translate(
               "RaidPlanCommand",
               "领队 %1 的全区概览: 可行性指数(基于100), 列为 轮数/暴击数, - 为没有可行的组队方案")
               .arg(HeroLabel(tables, query.request.leader))
        << '\n';
    QStringList header{QCoreApplication::translate("RaidPlanCommand", "关卡")};
    for (const Strategy& strategy : strategies)
        header << u"%1/%2"_s.arg(strategy.rounds()).arg(strategy.k);
    out << header.join(u'\t') << '\n';
    for (int virus = 0; virus < kVirusCount; ++virus) {
        QStringList row{LevelText(virus)};
        for (int s = 0; s < kStrategyCount; ++s) {
            const OverviewCell& cell = cellAt(virus, s);
            row << (cell.found ? PlanTexts::FeasibilityIndex(cell.plan) : u"-"_s);
        }
        out << row.join(u'\t') << '\n';
    }
}

void PrintLeaders(const RaidPlanOptions& options, const PlanningTables& tables,
                  const RaidPlanQuery& query, QTextStream& out, QTextStream& err)
{
    DisjointTeam teams[kMaxDisjointLeaders];
    const auto count = static_cast<int>(options.leaders.size());
    QElapsedTimer timer;
    timer.start();
    PlanDisjointTeams(tables, query.request, options.leaders.constData(), count, teams);
    if (query.printStats)
        err << u"leaders: %1 teams, %2 ms"_s.arg(count).arg(Milliseconds(timer), 0, 'f', 3)
            << Qt::endl;
    if (query.json) {
        QJsonArray list;
        for (int i = 0; i < count; ++i)
            list.append(teams[i].found ? PlanFields(teams[i].plan)
                                       : QJsonObject{{u"found"_s, false}});
        PrintJsonLine(QJsonObject{{u"teams"_s, list}}, out);
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out << '\n';
        out << QCoreApplication::translate("RaidPlanCommand", "第%1队, 领队 %2")
                   .arg(i + 1)
                   .arg(HeroLabel(tables, options.leaders[i]))
            << '\n';
        if (teams[i].found)
            PrintPlanText(tables, teams[i].plan, out);
        else
            out << PlanTexts::NoPlanCaption() << '\n';
    }
}

} // namespace

QList<QCommandLineOption> RaidPlanOptionList()
{
    return {
        {kTop, u"Print the K best teams, best first (K 1..50)."_s, u"K"_s},
        {kExclude, u"Leave these heroes out of every search (indices, comma-separated)."_s,
         u"H,H,..."_s},
        {kOverview, u"Plan every level under every strategy for --leader."_s},
        {kCsv, u"With --overview: print the feasibility indices as CSV."_s},
        {kLeaders, u"Teams sharing no hero for up to 8 leaders, in order (instead of --leader)."_s,
         u"H,H,..."_s},
    };
}

RaidPlanOptions ReadRaidPlanOptions(const QCommandLineParser& parser)
{
    RaidPlanOptions options;
    if (parser.isSet(kTop)) {
        RefuseTogether(parser, kTop, {kOverview, kLeaders, u"reference"_s});
        options.mode = RaidPlanMode::Top;
        options.top = ReadNumber(parser, kTop, 1, kMaxTopTeams);
    } else if (parser.isSet(kOverview)) {
        RefuseTogether(parser, kOverview,
                       {kLeaders, u"virus"_s, u"rounds"_s, u"crits"_s, u"reference"_s});
        options.mode = RaidPlanMode::Overview;
    } else if (parser.isSet(kLeaders)) {
        RefuseTogether(parser, kLeaders, {u"leader"_s, u"reference"_s});
        options.mode = RaidPlanMode::Leaders;
        options.leaders = ReadHeroList(kLeaders, parser.value(kLeaders));
        if (options.leaders.isEmpty() || options.leaders.size() > kMaxDisjointLeaders)
            throw UsageError(
                u"--leaders must list from 1 to %1 heroes, not '%2'"_s.arg(kMaxDisjointLeaders)
                    .arg(parser.value(kLeaders)));
        HeroSet listed;
        for (int leader : options.leaders) {
            if (listed.contains(leader))
                throw UsageError(u"--leaders lists hero %1 twice"_s.arg(leader));
            listed.insert(leader);
        }
    }
    if (parser.isSet(kCsv)) {
        if (options.mode != RaidPlanMode::Overview)
            throw UsageError(u"--csv goes with --overview"_s);
        if (parser.isSet(u"json"_s))
            throw UsageError(u"--json does not go with --csv"_s);
        options.csv = true;
    }
    for (const QString& list : parser.values(kExclude)) {
        for (int hero : ReadHeroList(kExclude, list))
            options.excluded.insert(hero);
    }
    return options;
}

void RefuseRaidPlanOptionsWith(const QCommandLineParser& parser, const QString& other)
{
    RefuseTogether(parser, other, {kTop, kExclude, kOverview, kCsv, kLeaders});
}

void CheckExclusions(const RaidPlanOptions& options, int leader)
{
    const QList<int> leaders =
        options.mode == RaidPlanMode::Leaders ? options.leaders : QList<int>{leader};
    for (int hero : leaders) {
        if (options.excluded.contains(hero))
            throw UsageError(
                u"--exclude holds the leader %1, who is always in their own team"_s.arg(hero));
    }
}

void RunRaidPlan(const RaidPlanOptions& options, const PlanningTables& tables,
                 const RaidPlanQuery& query, QTextStream& out, QTextStream& err)
{
    switch (options.mode) {
    case RaidPlanMode::Top:
        PrintTop(options, tables, query, out, err);
        return;
    case RaidPlanMode::Overview:
        PrintOverview(options, tables, query, out, err);
        return;
    case RaidPlanMode::Leaders:
        PrintLeaders(options, tables, query, out, err);
        return;
    case RaidPlanMode::Single:
        break;
    }
    Q_ASSERT(false);
}
