#include "texts/PlanTexts.h"

#include <QCoreApplication>

namespace PlanTexts {

namespace {

QString Tr(const char* source)
{
    return QCoreApplication::translate("PlanTexts", source);
}

// A printf format of this file, translated. A translation keeps the source's
// conversions in their order (the translation tests check it), so the
// arguments fit it as they fit the source.
template <typename... Args> QString Printf(const char* source, Args... args)
{
    return QString::asprintf(Tr(source).toUtf8().constData(), args...);
}

QString Range(std::int32_t low, std::int32_t high)
{
    return Printf(QT_TRANSLATE_NOOP("PlanTexts", "%d～%d"), low, high); // full-width tilde
}

} // namespace

QString FromName(std::u16string_view name)
{
    // Unit for unit: QString::fromUtf16 would read a leading U+FEFF or U+FFFE
    // as a byte-order mark and drop it or swap every unit after it.
    return QStringView(name.data(), static_cast<qsizetype>(name.size())).toString();
}

QString HeroNameText(const HeroRecord& hero)
{
    return FromName(::HeroName(hero));
}
QString VirusNameText(const VirusRecord& virus)
{
    return FromName(::VirusName(virus));
}

QString VirusEntry(int virusIndex, const VirusRecord& virus)
{
    // The name goes in whole, not through %s: printf would read it as UTF-8
    // and a name is any UTF-16 the data file holds.
    QString format = Tr(QT_TRANSLATE_NOOP("PlanTexts", "第%02d关　%s　%d/%d/%d"));
    const qsizetype name = format.indexOf(u"%s");
    if (name < 0)
        return format;
    return QString::asprintf(format.left(name).toUtf8().constData(), virusIndex + 1) +
           VirusNameText(virus) +
           QString::asprintf(format.mid(name + 2).toUtf8().constData(), virus.stupid, virus.hateful,
                             virus.notAbnormal);
}

QString StrategyEntry(const Strategy& strategy)
{
    return Printf(
        QT_TRANSLATE_NOOP("PlanTexts", "%d轮击败病毒, 最多承受 %d次暴击, 获胜机率:%5.1f%%"),
        strategy.rounds(), strategy.k, static_cast<double>(strategy.winChance));
}

QString NoLeaderText()
{
    return Tr(QT_TRANSLATE_NOOP("PlanTexts", "<--未选择英雄"));
}

QString TeamNames(const HeroTable& heroes, const PlanRecord& plan)
{
    QStringList names;
    for (const std::uint32_t hero : plan.heroes) {
        if (hero < static_cast<std::uint32_t>(kHeroCount))
            names.append(HeroNameText(heroes[hero]));
    }
    return names.join(Tr(QT_TRANSLATE_NOOP("PlanTexts", "、")));
}

QString FeasibilityLabel()
{
    return Tr(QT_TRANSLATE_NOOP("PlanTexts", "可行性指数(基于100): "));
}

QString FeasibilityLine(const PlanRecord& plan)
{
    return FeasibilityLabel() + FeasibilityIndex(plan);
}

QString ChooseRequestFirst()
{
    return Tr(QT_TRANSLATE_NOOP("PlanTexts", "请先在主窗口选择攻击目标、带队英雄和战斗策略。"));
}

QString LeaderStats(const HeroRecord* leader)
{
    if (leader == nullptr)
        return NoLeaderText();
    return Printf(QT_TRANSLATE_NOOP("PlanTexts", "英雄三围: %d/%d/%d"), leader->smart, leader->cute,
                  leader->abnormal);
}

QString StatTotals(const PlanRecord& plan)
{
    return QString::asprintf("%d/%d/%d", plan.smartTotal, plan.cuteTotal, plan.abnormalTotal);
}

QString HeroDamage(const PlanRecord& plan)
{
    return Range(plan.heroDamageLow, plan.heroDamageHigh);
}
QString VirusDamage(const PlanRecord& plan)
{
    return Range(plan.virusDamageLow, plan.virusDamageHigh);
}
QString CritDamage(const PlanRecord& plan)
{
    return Range(plan.critDamageLow, plan.critDamageHigh);
}

QString FeasibilityIndex(const PlanRecord& plan)
{
    return QString::asprintf("%.0f", static_cast<double>(plan.score) * 100.0);
}

QString PlanCaption()
{
    return Tr(QT_TRANSLATE_NOOP("PlanTexts", "组队方案"));
}
QString SearchingCaption()
{
    return Tr(QT_TRANSLATE_NOOP("PlanTexts", "正在寻找组队方案"));
}
QString NoPlanCaption()
{
    return Tr(QT_TRANSLATE_NOOP("PlanTexts", "没有可行的组队方案"));
}

} // namespace PlanTexts
