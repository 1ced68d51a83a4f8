#include "ui/main/PlanChatText.h"

#include "texts/PlanTexts.h"

#include <QCoreApplication>

#include <utility>

QString PlanChatText(const HeroTable& heroes, int virusIndex, const VirusRecord& virus,
                     const Strategy& strategy, const PlanRecord& plan)
{
    QString text = PlanTexts::VirusEntry(virusIndex, virus) + u'\n';
    text += PlanTexts::StrategyEntry(strategy) + u'\n';
    text += QCoreApplication::translate("PlanChatText", "队伍(聪明/可爱/不正常):") + u'\n';
    for (int row = 0; row < 6; ++row) {
        const std::uint32_t index = plan.heroes[row];
        if (index >= static_cast<std::uint32_t>(kHeroCount))
            continue;
        const HeroRecord& hero = heroes[index];
        const QString stats = QString::asprintf("%d/%d/%d", hero.smart, hero.cute, hero.abnormal);
        const QString line = row == 0
                                 ? QCoreApplication::translate("PlanChatText", "%1. %2　%3 (带队)")
                                 : QCoreApplication::translate("PlanChatText", "%1. %2　%3");
        text += line.arg(QString::number(row + 1), PlanTexts::HeroNameText(hero), stats) + u'\n';
    }
    const std::pair<const char*, QString> details[] = {
        {QT_TRANSLATE_NOOP("PlanChatText", "英雄属性总值: %1"), PlanTexts::StatTotals(plan)},
        {QT_TRANSLATE_NOOP("PlanChatText", "英雄每次伤害值: %1"), PlanTexts::HeroDamage(plan)},
        {QT_TRANSLATE_NOOP("PlanChatText", "病毒常规伤害值: %1"), PlanTexts::VirusDamage(plan)},
        {QT_TRANSLATE_NOOP("PlanChatText", "病毒暴击伤害值: %1"), PlanTexts::CritDamage(plan)},
    };
    for (const auto& [label, value] : details)
        text += QCoreApplication::translate("PlanChatText", label).arg(value) + u'\n';
    text += PlanTexts::FeasibilityLine(plan) + u'\n';
    return text;
}
