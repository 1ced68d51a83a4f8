#include "ui/editors/EditListDelegate.h"

#include "ui/common/DigitKeysOnly.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

using namespace Qt::StringLiterals;

EditListDelegate::EditListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* EditListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(true);
    // The input rule is the list's own and the same for every model: names in
    // column 0, numbers everywhere else. The keys type ASCII digits only, as
    // the models read the text as a decimal number; a paste goes in whole.
    if (index.column() != 0)
        DigitKeysOnly::install(editor);
    return editor;
}

void EditListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    // The keyboard's cell: F2 and typing open it, the arrows move it. The
    // list selects whole rows, so the cell gets a frame of its own, whatever
    // the style draws for focus.
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        painter->save();
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        QPen pen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
        painter->restore();
    }
}

void EditListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data(Qt::EditRole).toString());
    line->selectAll(); // typing replaces the whole text; the caret ends up in view
}

void EditListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void EditListDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const
{
    editor->setGeometry(
        labelRect(option, index)
            .adjusted(-kEditorOutset, -kEditorOutset, kEditorOutset, kEditorOutset));
}

QRect EditListDelegate::labelRect(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle* style = cell.widget != nullptr ? cell.widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget);
}

bool EditListDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Committed here and now and consumed: the base class would let
            // the key travel on to the dialog's default button.
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    // Escape (cancel, consumed), Tab (commit, move on) and the focus loss
    // (commit) are the base class's.
    return QStyledItemDelegate::eventFilter(object, event);
}
