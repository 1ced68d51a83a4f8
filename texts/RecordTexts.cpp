#include "texts/RecordTexts.h"

#include "texts/PlanTexts.h"

#include <QCoreApplication>

namespace RecordTexts {

// The numbers go in through the one-pass arg(), so a name that holds "%3"
// stays as typed.
QString HeroLine(int heroIndex, const HeroRecord& hero)
{
    const QString checked = hero.checked != 0
                                ? QCoreApplication::translate("RecordTexts", "已勾选")
                                : QCoreApplication::translate("RecordTexts", "未勾选");
    return QCoreApplication::translate("RecordTexts", "第 %1 位　%2　聪明/可爱/不正常 %3/%4/%5　%6")
        .arg(QString::number(heroIndex + 1), PlanTexts::HeroNameText(hero),
             QString::number(hero.smart), QString::number(hero.cute),
             QString::number(hero.abnormal), checked);
}

QString VirusLine(int virusIndex, const VirusRecord& virus)
{
    return QCoreApplication::translate("RecordTexts", "第%1关　%2　愚蠢/可恨/不异常 %3/%4/%5")
        .arg(QStringLiteral("%1").arg(virusIndex + 1, 2, 10, QLatin1Char('0')),
             PlanTexts::VirusNameText(virus), QString::number(virus.stupid),
             QString::number(virus.hateful), QString::number(virus.notAbnormal));
}

} // namespace RecordTexts
