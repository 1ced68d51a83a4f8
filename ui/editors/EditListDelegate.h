#pragma once

#include <QStyledItemDelegate>

// The in-place editor of a CEditListCtrl: a bordered line edit laid over the
// text of one cell. Column 0 takes any text; every other column takes digits
// only. Enter commits and Escape cancels right in the editor, so that neither
// key ever reaches the dialog (which would press its default button or close).
class EditListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit EditListDelegate(QObject* parent = nullptr);

    // The cell with the keyboard's focus (the current one) is framed.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The rectangle of a cell's text: the cell without its check box, in the
    // coordinates of `option.rect` (the view's viewport).
    QRect labelRect(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    // The editor covers the text rectangle grown by this much on every side.
    static constexpr int kEditorOutset = 2;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};
