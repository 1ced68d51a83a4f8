#include "tools/plan/PlanOutput.h"

#include "texts/PlanTexts.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

QJsonObject PlanFields(const PlanRecord& plan)
{
    QJsonArray heroes;
    for (std::uint32_t hero : plan.heroes)
        heroes.append(static_cast<int>(hero));
    const auto range = [](std::int32_t low, std::int32_t high) { return QJsonArray{low, high}; };
    // The score goes out with 9 significant digits, enough to tell any two
    // 32-bit floats apart.
    const double score = QString::asprintf("%.9g", static_cast<double>(plan.score)).toDouble();
    return QJsonObject{
        {u"heroes"_s, heroes},
        {u"smartTotal"_s, plan.smartTotal},
        {u"cuteTotal"_s, plan.cuteTotal},
        {u"abnormalTotal"_s, plan.abnormalTotal},
        {u"heroDamage"_s, range(plan.heroDamageLow, plan.heroDamageHigh)},
        {u"virusDamage"_s, range(plan.virusDamageLow, plan.virusDamageHigh)},
        {u"critDamage"_s, range(plan.critDamageLow, plan.critDamageHigh)},
        {u"score"_s, score},
        {u"index"_s, PlanTexts::FeasibilityIndex(plan)},
    };
}

void PrintPlanText(const PlanningTables& tables, const PlanRecord& plan, QTextStream& out)
{
    out << PlanTexts::PlanCaption() << '\n';
    out << QCoreApplication::translate("PlanOutput", "名称\t聪明\t可爱\t不正常") << '\n';
    for (std::uint32_t index : plan.heroes) {
        const HeroRecord& hero = tables.heroTable[index];
        out << PlanTexts::HeroNameText(hero) << '\t' << hero.smart << '\t' << hero.cute << '\t'
            << hero.abnormal << '\n';
    }
    out << QCoreApplication::translate("PlanOutput", "英雄属性总值: ")
        << PlanTexts::StatTotals(plan) << '\n';
    out << QCoreApplication::translate("PlanOutput", "英雄每次伤害值: ")
        << PlanTexts::HeroDamage(plan) << '\n';
    out << QCoreApplication::translate("PlanOutput", "病毒常规伤害值: ")
        << PlanTexts::VirusDamage(plan) << '\n';
    out << QCoreApplication::translate("PlanOutput", "病毒暴击伤害值: ")
        << PlanTexts::CritDamage(plan) << '\n';
    out << PlanTexts::FeasibilityLine(plan) << '\n';
}

void PrintJsonLine(const QJsonObject& object, QTextStream& out)
{
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
}
