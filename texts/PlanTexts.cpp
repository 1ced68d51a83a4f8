#include "texts/PlanTexts.h"

namespace PlanTexts {

namespace {
QString Range(std::int32_t low, std::int32_t high)
{
    return QString::asprintf("%d～%d", low, high); // full-width tilde
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
    const QChar gap(0x3000); // ideographic space
    return QString::asprintf("第%02d关", virusIndex + 1) + gap + VirusNameText(virus) + gap +
           QString::asprintf("%d/%d/%d", virus.stupid, virus.hateful, virus.notAbnormal);
}

QString StrategyEntry(const Strategy& strategy)
{
    return QString::asprintf("%d轮击败病毒, 最多承受 %d次暴击, 获胜机率:%5.1f%%", strategy.rounds(),
                             strategy.k, static_cast<double>(strategy.winChance));
}

QString NoLeaderText()
{
    return QString::fromUtf8("<--未选择英雄");
}

QString TeamNames(const HeroTable& heroes, const PlanRecord& plan)
{
    QStringList names;
    for (const std::uint32_t hero : plan.heroes) {
        if (hero < static_cast<std::uint32_t>(kHeroCount))
            names.append(HeroNameText(heroes[hero]));
    }
    return names.join(QString::fromUtf8("、"));
}

QString FeasibilityLine(const PlanRecord& plan)
{
    return QString::fromUtf8("可行性指数(基于100): ") + FeasibilityIndex(plan);
}

QString ChooseRequestFirst()
{
    return QString::fromUtf8("请先在主窗口选择攻击目标、带队英雄和战斗策略。");
}

QString LeaderStats(const HeroRecord* leader)
{
    if (leader == nullptr)
        return NoLeaderText();
    return QString::asprintf("英雄三围: %d/%d/%d", leader->smart, leader->cute, leader->abnormal);
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
    return QString::fromUtf8("组队方案");
}
QString SearchingCaption()
{
    return QString::fromUtf8("正在寻找组队方案");
}
QString NoPlanCaption()
{
    return QString::fromUtf8("没有可行的组队方案");
}

} // namespace PlanTexts
