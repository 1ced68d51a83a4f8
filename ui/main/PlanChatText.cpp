#include "ui/main/PlanChatText.h"

#include "texts/PlanTexts.h"

using namespace Qt::StringLiterals;

QString PlanChatText(const HeroTable& heroes, int virusIndex, const VirusRecord& virus,
                     const Strategy& strategy, const PlanRecord& plan)
{
    QString text = PlanTexts::VirusEntry(virusIndex, virus) + u'\n';
    text += PlanTexts::StrategyEntry(strategy) + u'\n';
    text += u"队伍(聪明/可爱/不正常):\n"_s;
    for (int row = 0; row < 6; ++row) {
        const std::uint32_t index = plan.heroes[row];
        if (index >= static_cast<std::uint32_t>(kHeroCount))
            continue;
        const HeroRecord& hero = heroes[index];
        text += QString::number(row + 1) + u". "_s + PlanTexts::HeroNameText(hero) + u'　' +
                QString::asprintf("%d/%d/%d", hero.smart, hero.cute, hero.abnormal);
        if (row == 0)
            text += u" (带队)"_s;
        text += u'\n';
    }
    text += u"英雄属性总值: "_s + PlanTexts::StatTotals(plan) + u'\n';
    text += u"英雄每次伤害值: "_s + PlanTexts::HeroDamage(plan) + u'\n';
    text += u"病毒常规伤害值: "_s + PlanTexts::VirusDamage(plan) + u'\n';
    text += u"病毒暴击伤害值: "_s + PlanTexts::CritDamage(plan) + u'\n';
    text += PlanTexts::FeasibilityLine(plan) + u'\n';
    return text;
}
