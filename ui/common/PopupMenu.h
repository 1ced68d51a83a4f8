#pragma once

#include "resources/Menus.h"

#include <QList>
#include <QPoint>

#include <optional>

class QAction;
class QMenu;
class QWidget;

// A pop-up of the menu resource as a QMenu; each action's data() is its
// command id. The caller owns the menu (through `parent`).
QMenu* BuildPopup(const PopupTemplate& popup, QWidget* parent);

// Every context menu is run through here, so tests can choose a command in
// advance instead of running a real menu loop.
class PopupMenu final
{
public:
    PopupMenu() = delete;

    // Opens the menu with its top-left corner at globalPos and returns the
    // command id chosen, or 0 when the menu was dismissed.
    static int exec(QMenu& menu, const QPoint& globalPos);

    // Test hook: the next exec() records the menu and returns commandId at
    // once, or 0 when that command is missing or disabled. Calls queue.
    static void setNextChoice(int commandId);
    // Test hook: while set, an exec() with no choice queued aborts the
    // process instead of blocking a test in a menu loop.
    static void setChoicesRequired(bool required);
    // The enabled commands and the position of the last menu exec() saw.
    static QList<int> lastEnabledCommands();
    static std::optional<QPoint> lastPosition();
    static void resetLast();

    // The action of a command in a menu built by BuildPopup, or nullptr.
    static QAction* findCommand(const QMenu& menu, int commandId);
};
