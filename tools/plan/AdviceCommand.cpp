#include "tools/plan/AdviceCommand.h"

#include "engine/TeamCheck.h"
#include "engine/TrainingAdvice.h"
#include "texts/CheckTexts.h"
#include "texts/PlanTexts.h"
#include "tools/plan/PlanOutput.h"
#include "tools/plan/PlanUsage.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kAdvice = u"advice"_s;
const QString kTeam = u"team"_s;

// "H,H,H,H,H,H": six distinct hero indices, items may carry spaces.
void ReadTeam(const QString& text, int team[6])
{
    const QString wrong =
        u"--team must list six different hero indices from 0 to 127 separated by commas, "
        u"not '%1'"_s.arg(text);
    const QStringList items = text.split(u',');
    if (items.size() != 6)
        throw UsageError(wrong);
    HeroSet listed;
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const int hero = items[i].trimmed().toInt(&ok);
        if (!ok || hero < 0 || hero >= kHeroCount || listed.contains(hero))
            throw UsageError(wrong);
        listed.insert(hero);
        team[i] = hero;
    }
}

void RefuseTogether(const QCommandLineParser& parser, const QString& option,
                    const QStringList& others)
{
    for (const QString& other : others) {
        if (parser.isSet(other))
            throw UsageError(u"--%1 does not go with --%2"_s.arg(other, option));
    }
}

QString StatKey(TrainedStat stat)
{
    switch (stat) {
    case TrainedStat::Smart:
        return u"smart"_s;
    case TrainedStat::Cute:
        return u"cute"_s;
    case TrainedStat::Abnormal:
        return u"abnormal"_s;
    }
    return {};
}

QString HeroList(const PlanRecord& plan)
{
    QStringList heroes;
    for (std::uint32_t hero : plan.heroes)
        heroes << QString::number(hero);
    return heroes.join(u',');
}

void PrintAdviceJson(const TrainingAdvice& advice, QTextStream& out)
{
    QJsonObject result;
    if (advice.found) {
        const QJsonObject today = PlanFields(advice.plan);
        result.insert(u"score"_s, today.value(u"score"_s));
        result.insert(u"index"_s, today.value(u"index"_s));
    } else {
        result.insert(u"found"_s, false);
    }
    QJsonArray entries;
    for (int i = 0; i < advice.count; ++i) {
        const AdviceEntry& entry = advice.entries[static_cast<std::size_t>(i)];
        entries.append(QJsonObject{
            {u"hero"_s, entry.hero},
            {u"stat"_s, StatKey(entry.stat)},
            {u"value"_s, entry.value},
            {u"increase"_s, entry.increase},
            {u"plan"_s, PlanFields(entry.plan)},
        });
    }
    result.insert(u"advice"_s, entries);
    PrintJsonLine(result, out);
}

void PrintAdviceText(const TrainingAdvice& advice, const PlanningTables& tables, QTextStream& out)
{
    if (advice.found)
        out << CheckTexts::CurrentIndex(PlanTexts::FeasibilityIndex(advice.plan)) << '\n';
    else
        out << PlanTexts::NoPlanCaption() << '\n';
    if (advice.cuteWithheld) {
        out << CheckTexts::CuteWithheld() << '\n';
        return;
    }
    if (advice.found && IsFeasiblePlan(advice.plan)) {
        out << CheckTexts::AlreadyFeasible() << '\n';
        return;
    }
    if (advice.count == 0) {
        out << CheckTexts::NothingReaches100() << '\n';
        return;
    }
    out << CheckTexts::AdviceTitle() << '\n';
    out << CheckTexts::AdviceColumns().join(u'\t') << '\n';
    for (int i = 0; i < advice.count; ++i) {
        const AdviceEntry& entry = advice.entries[static_cast<std::size_t>(i)];
        out << entry.hero << '\t' << PlanTexts::HeroNameText(tables.heroTable[entry.hero]) << '\t'
            << CheckTexts::StatName(entry.stat) << '\t' << entry.value << '\t' << entry.increase
            << '\t' << entry.value + entry.increase << '\t'
            << PlanTexts::FeasibilityIndex(entry.plan) << '\t' << HeroList(entry.plan) << '\n';
    }
}

void PrintAdvice(const PlanningTables& tables, const AdviceQuery& query, QTextStream& out,
                 QTextStream& err)
{
    auto advice = std::make_unique<TrainingAdvice>();
    QElapsedTimer timer;
    timer.start();
    FindTrainingAdvice(tables, query.search, *advice);
    if (query.printStats)
        err << u"advice: %1 entries, %2 searches, %3 ms"_s.arg(advice->count)
                   .arg(advice->searches)
                   .arg(static_cast<double>(timer.nsecsElapsed()) / 1e6, 0, 'f', 3)
            << Qt::endl;
    if (query.json)
        PrintAdviceJson(*advice, out);
    else
        PrintAdviceText(*advice, tables, out);
}

void PrintTeamCheck(const AdviceOptions& options, const PlanningTables& tables,
                    const AdviceQuery& query, QTextStream& out)
{
    const TeamCheck check =
        CheckTeam(tables, query.search.virus, query.search.strategy, options.team);
    if (query.json) {
        QJsonObject result = PlanFields(check.plan);
        result.insert(u"lifeMargin"_s, static_cast<qint64>(check.lifeMargin));
        result.insert(u"damageMargin"_s, static_cast<qint64>(check.damageMargin));
        result.insert(u"lifeSpan"_s, static_cast<qint64>(check.lifeSpan));
        result.insert(u"damageSpan"_s, static_cast<qint64>(check.damageSpan));
        result.insert(u"threshold"_s, static_cast<qint64>(check.threshold));
        result.insert(u"reachesThreshold"_s, check.reachesThreshold);
        PrintJsonLine(result, out);
        return;
    }
    PrintPlanText(tables, check.plan, out);
    out << CheckTexts::LifeMarginInWords(check) << '\n';
    out << CheckTexts::DamageMarginInWords(check) << '\n';
    out << CheckTexts::ThresholdInWords(check) << '\n';
}

} // namespace

QList<QCommandLineOption> AdviceOptionList()
{
    return {
        {kAdvice,
         u"For each hero and stat, the least rise that makes the plan's index reach 100."_s},
        {kTeam, u"Score this team of six (instead of --leader) with its margins."_s,
         u"H,H,H,H,H,H"_s},
    };
}

AdviceOptions ReadAdviceOptions(const QCommandLineParser& parser)
{
    AdviceOptions options;
    const QStringList raidOptions{u"top"_s, u"overview"_s, u"leaders"_s, u"csv"_s, u"reference"_s};
    if (parser.isSet(kAdvice)) {
        RefuseTogether(parser, kAdvice, QStringList{kTeam} + raidOptions);
        options.mode = AdviceMode::Advice;
    } else if (parser.isSet(kTeam)) {
        RefuseTogether(parser, kTeam, QStringList{u"leader"_s, u"exclude"_s} + raidOptions);
        options.mode = AdviceMode::Team;
        ReadTeam(parser.value(kTeam), options.team);
    }
    return options;
}

void RefuseAdviceOptionsWith(const QCommandLineParser& parser, const QString& other)
{
    RefuseTogether(parser, other, {kAdvice, kTeam});
}

void RunAdvice(const AdviceOptions& options, const PlanningTables& tables, const AdviceQuery& query,
               QTextStream& out, QTextStream& err)
{
    switch (options.mode) {
    case AdviceMode::Advice:
        PrintAdvice(tables, query, out, err);
        return;
    case AdviceMode::Team:
        PrintTeamCheck(options, tables, query, out);
        return;
    case AdviceMode::None:
        break;
    }
    Q_ASSERT(false);
}
