#include "ui/main/MainWindowHints.h"

#include "resources/MainDialogIds.h"
#include "ui/common/DialogControls.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

QString Text(const char* source)
{
    return QCoreApplication::translate("MainWindowHints", source);
}

} // namespace

void AddMainWindowHints(const DialogControls& controls)
{
    using namespace MainDialogIds;
    struct Hint
    {
        int id;
        const char* name; // empty: the name of the label beside it
        const char* tip;
    };
    static constexpr Hint kHints[] = {
        {kTargetSpin, QT_TRANSLATE_NOOP("MainWindowHints", "换一关"),
         QT_TRANSLATE_NOOP("MainWindowHints", "上一关或下一关，并立即查看组队方案")},
        {kStrategySpin, QT_TRANSLATE_NOOP("MainWindowHints", "换一个战斗策略"),
         QT_TRANSLATE_NOOP("MainWindowHints", "上一个或下一个战斗策略，并立即查看组队方案")},
        {kStrategySelector, "",
         QT_TRANSLATE_NOOP("MainWindowHints",
                           "几轮击败病毒、最多承受几次暴击，以及这样获胜的机率")},
        {kFeasibility, QT_TRANSLATE_NOOP("MainWindowHints", "可行性指数"),
         QT_TRANSLATE_NOOP("MainWindowHints",
                           "以 100 为基准：100 以上可以按这个策略获胜，越大越稳妥")},
    };
    for (const Hint& hint : kHints) {
        QWidget* widget = controls.widget(hint.id);
        if (widget == nullptr)
            continue;
        if (hint.name[0] != '\0')
            widget->setAccessibleName(Text(hint.name));
        widget->setAccessibleDescription(Text(hint.tip));
        // The selectors' tooltips show an entry cut for want of room.
        if (hint.id != kStrategySelector)
            widget->setToolTip(Text(hint.tip));
    }
}
