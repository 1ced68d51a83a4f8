#include "texts/CheckTexts.h"

#include <QCoreApplication>

namespace CheckTexts {

namespace {

// "%1(跨度 %2): 还差 %3" or "…: 富余 %3", the margin against its span: a plan
// reaches 100 only with both margins at their spans.
QString MarginFigure(std::int64_t margin, std::int64_t span)
{
    const QString words = margin < span
                              ? QCoreApplication::translate("CheckTexts", "%1(跨度 %2): 还差 %3")
                              : QCoreApplication::translate("CheckTexts", "%1(跨度 %2): 富余 %3");
    const std::int64_t gap = margin < span ? span - margin : margin - span;
    return words.arg(margin).arg(span).arg(gap);
}

// A figure after the name of what it measures, where nothing beside it says.
QString Named(const char* name, const QString& figure)
{
    return QCoreApplication::translate("CheckTexts", name) + u' ' + figure;
}

} // namespace

QString StatName(TrainedStat stat)
{
    switch (stat) {
    case TrainedStat::Smart:
        return QCoreApplication::translate("CheckTexts", "聪明");
    case TrainedStat::Cute:
        return QCoreApplication::translate("CheckTexts", "可爱");
    case TrainedStat::Abnormal:
        return QCoreApplication::translate("CheckTexts", "不正常");
    }
    return {};
}

QString AlreadyFeasible()
{
    return QCoreApplication::translate("CheckTexts", "当前方案已经可行, 无需培养");
}

QString NothingReaches100()
{
    return QCoreApplication::translate("CheckTexts", "没有哪一项单独的提升能让可行性指数达到100");
}

QString CuteWithheld()
{
    return QCoreApplication::translate(
        "CheckTexts", "病毒的不异常达到3334: 提升可爱反而降低英雄伤害, 所以没有可爱的建议; "
                      "英雄伤害至多为0, 任何单项培养都无法让可行性指数达到100");
}

QString AdviceTitle()
{
    return QCoreApplication::translate("CheckTexts", "培养建议(按所需提升从小到大)");
}

QString CurrentIndex(const QString& index)
{
    return QCoreApplication::translate("CheckTexts", "当前方案的可行性指数(基于100): %1")
        .arg(index);
}

QStringList AdviceColumns()
{
    return {QCoreApplication::translate("CheckTexts", "英雄"),
            QCoreApplication::translate("CheckTexts", "名称"),
            QCoreApplication::translate("CheckTexts", "属性"),
            QCoreApplication::translate("CheckTexts", "现值"),
            QCoreApplication::translate("CheckTexts", "提升"),
            QCoreApplication::translate("CheckTexts", "提升后"),
            QCoreApplication::translate("CheckTexts", "可行性指数"),
            QCoreApplication::translate("CheckTexts", "提升后的队伍")};
}

QString HypotheticalCaption(const QString& heroName, const AdviceEntry& entry)
{
    return QCoreApplication::translate("CheckTexts", "假设的组队方案: %1 的%2提升 %3 到 %4")
        .arg(heroName, StatName(entry.stat))
        .arg(entry.increase)
        .arg(entry.value + entry.increase);
}

QString LifeMarginFigure(const TeamCheck& check)
{
    return MarginFigure(check.lifeMargin, check.lifeSpan);
}

QString DamageMarginFigure(const TeamCheck& check)
{
    return MarginFigure(check.damageMargin, check.damageSpan);
}

QString ThresholdFigure(const TeamCheck& check)
{
    const QString words =
        check.reachesThreshold
            ? QCoreApplication::translate("CheckTexts", "%1, 队伍可爱总值 %2: 达到门槛")
            : QCoreApplication::translate("CheckTexts",
                                          "%1, 队伍可爱总值 %2: 未达到门槛, 搜索不会考虑这支队伍");
    return words.arg(check.threshold).arg(check.plan.cuteTotal);
}

QString LifeMarginInWords(const TeamCheck& check)
{
    return Named(QT_TRANSLATE_NOOP("CheckTexts", "生命余量"), LifeMarginFigure(check));
}

QString DamageMarginInWords(const TeamCheck& check)
{
    return Named(QT_TRANSLATE_NOOP("CheckTexts", "伤害余量"), DamageMarginFigure(check));
}

QString ThresholdInWords(const TeamCheck& check)
{
    return Named(QT_TRANSLATE_NOOP("CheckTexts", "可爱门槛"), ThresholdFigure(check));
}

QString IndexExplained(const TeamCheck& check)
{
    QString limit;
    switch (LimitingMarginOf(check)) {
    case LimitingMargin::Life:
        limit = QCoreApplication::translate("CheckTexts", "限制方案的是生命余量");
        break;
    case LimitingMargin::Damage:
        limit = QCoreApplication::translate("CheckTexts", "限制方案的是伤害余量");
        break;
    case LimitingMargin::Neither:
        limit = QCoreApplication::translate("CheckTexts", "两项余量同样限制方案");
        break;
    }
    return LifeMarginInWords(check) + u'\n' + DamageMarginInWords(check) + u'\n' + limit;
}

} // namespace CheckTexts
