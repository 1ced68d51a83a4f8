#include "texts/CheckTexts.h"

#include <QCoreApplication>

namespace CheckTexts {

namespace {

QString Tr(const char* source)
{
    return QCoreApplication::translate("CheckTexts", source);
}

// "<name> %1 (跨度 %2): 还差 %3" or "…: 富余 %3", the margin against its span:
// a plan reaches 100 only with both margins at their spans.
QString MarginInWords(const QString& name, std::int64_t margin, std::int64_t span)
{
    const QString words =
        margin < span ? Tr("%1 %2(跨度 %3): 还差 %4") : Tr("%1 %2(跨度 %3): 富余 %4");
    const std::int64_t gap = margin < span ? span - margin : margin - span;
    return words.arg(name).arg(margin).arg(span).arg(gap);
}

} // namespace

QString StatName(TrainedStat stat)
{
    switch (stat) {
    case TrainedStat::Smart:
        return Tr("聪明");
    case TrainedStat::Cute:
        return Tr("可爱");
    case TrainedStat::Abnormal:
        return Tr("不正常");
    }
    return {};
}

QString AlreadyFeasible()
{
    return Tr("当前方案已经可行, 无需培养");
}

QString NothingReaches100()
{
    return Tr("没有哪一项单独的提升能让可行性指数达到100");
}

QString CuteWithheld()
{
    return Tr("病毒的不异常达到3334: 提升可爱反而降低英雄伤害, 所以没有可爱的建议; "
              "英雄伤害至多为0, 任何单项培养都无法让可行性指数达到100");
}

QString AdviceTitle()
{
    return Tr("培养建议(按所需提升从小到大)");
}

QString CurrentIndex(const QString& index)
{
    return Tr("当前方案的可行性指数(基于100): %1").arg(index);
}

QStringList AdviceColumns()
{
    return {Tr("英雄"), Tr("名称"),   Tr("属性"),       Tr("现值"),
            Tr("提升"), Tr("提升后"), Tr("可行性指数"), Tr("提升后的队伍")};
}

QString HypotheticalCaption(const QString& heroName, const AdviceEntry& entry)
{
    return Tr("假设的组队方案: %1 的%2提升 %3 到 %4")
        .arg(heroName, StatName(entry.stat))
        .arg(entry.increase)
        .arg(entry.value + entry.increase);
}

QString LifeMarginInWords(const TeamCheck& check)
{
    return MarginInWords(Tr("生命余量"), check.lifeMargin, check.lifeSpan);
}

QString DamageMarginInWords(const TeamCheck& check)
{
    return MarginInWords(Tr("伤害余量"), check.damageMargin, check.damageSpan);
}

QString ThresholdInWords(const TeamCheck& check)
{
    const QString words =
        check.reachesThreshold
            ? Tr("可爱门槛 %1, 队伍可爱总值 %2: 达到门槛")
            : Tr("可爱门槛 %1, 队伍可爱总值 %2: 未达到门槛, 搜索不会考虑这支队伍");
    return words.arg(check.threshold).arg(check.plan.cuteTotal);
}

QString IndexExplained(const TeamCheck& check)
{
    QString limit;
    switch (LimitingMarginOf(check)) {
    case LimitingMargin::Life:
        limit = Tr("限制方案的是生命余量");
        break;
    case LimitingMargin::Damage:
        limit = Tr("限制方案的是伤害余量");
        break;
    case LimitingMargin::Neither:
        limit = Tr("两项余量同样限制方案");
        break;
    }
    return LifeMarginInWords(check) + u'\n' + DamageMarginInWords(check) + u'\n' + limit;
}

} // namespace CheckTexts
