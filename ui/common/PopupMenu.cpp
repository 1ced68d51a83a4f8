#include "ui/common/PopupMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QtGlobal>

namespace {

struct Hooks
{
    QList<int> choices;
    QList<int> lastEnabled;
    std::optional<QPoint> lastPosition;
    bool choicesRequired = false;
};

Hooks& TestHooks()
{
    static Hooks hooks;
    return hooks;
}

} // namespace

QMenu* BuildPopup(const PopupTemplate& popup, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setTitle(QString::fromUtf8(popup.name));
    for (const MenuItemTemplate& item : popup.items) {
        QAction* action = menu->addAction(QCoreApplication::translate(kMenuTextContext, item.text));
        action->setData(item.commandId);
    }
    return menu;
}

int PopupMenu::exec(QMenu& menu, const QPoint& globalPos)
{
    Hooks& hooks = TestHooks();
    hooks.lastEnabled.clear();
    for (const QAction* action : menu.actions()) {
        if (action->isEnabled())
            hooks.lastEnabled.append(action->data().toInt());
    }
    hooks.lastPosition = globalPos;
    if (!hooks.choices.isEmpty()) {
        const int choice = hooks.choices.takeFirst();
        const QAction* action = findCommand(menu, choice);
        return action != nullptr && action->isEnabled() ? choice : 0;
    }
    if (hooks.choicesRequired)
        qFatal("PopupMenu::exec without a prepared choice");

    const QAction* chosen = menu.exec(globalPos);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

void PopupMenu::setNextChoice(int commandId)
{
    TestHooks().choices.append(commandId);
}

void PopupMenu::setChoicesRequired(bool required)
{
    TestHooks().choicesRequired = required;
}

QList<int> PopupMenu::lastEnabledCommands()
{
    return TestHooks().lastEnabled;
}

std::optional<QPoint> PopupMenu::lastPosition()
{
    return TestHooks().lastPosition;
}

void PopupMenu::resetLast()
{
    TestHooks().lastEnabled.clear();
    TestHooks().lastPosition.reset();
}

QAction* PopupMenu::findCommand(const QMenu& menu, int commandId)
{
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == commandId)
            return action;
    }
    return nullptr;
}
