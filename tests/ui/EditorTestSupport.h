#pragma once

// Helpers shared by the editors' tests.

#include "ui/editors/EditListCtrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

// Types `text` into cell (row, column) as the user does: a click on the
// cell's text, the old text replaced, Enter. Returns whether an editor opened.
inline bool TypeIntoCell(CEditListCtrl& list, int row, int column, const QString& text)
{
    list.scrollTo(list.model()->index(row, column));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.labelRect(row, column).center());
    QLineEdit* editor = list.editor();
    if (editor == nullptr)
        return false;
    editor->selectAll();
    editor->del();
    editor->insert(text); // whole, as a paste goes in
    QTest::keyClick(editor, Qt::Key_Return);
    return true;
}

// A click on a column heading with `button`.
inline void ClickHeading(CEditListCtrl& list, int column, Qt::MouseButton button = Qt::LeftButton)
{
    QHeaderView* header = list.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), button, {}, at);
}

// A right click on the list's rows area, as the context menu sees it.
inline void RightClickList(CEditListCtrl& list, const QPoint& viewportPos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, viewportPos,
                            list.viewport()->mapToGlobal(viewportPos));
    QApplication::sendEvent(list.viewport(), &event);
}

// Runs `action` on the modal dialog of type Dialog as soon as one is running
// (call it just before whatever opens it), e.g. to edit it and close it.
template <class Dialog> void WhenDialogShown(QObject* context, std::function<void(Dialog&)> action)
{
    QTimer::singleShot(0, context, [context, action = std::move(action)]() {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            action(*dialog);
        else
            WhenDialogShown<Dialog>(context, action);
    });
}
