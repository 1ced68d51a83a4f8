#pragma once

#include <QPointer>
#include <QTableView>

#include <vector>

struct ControlTemplate;
class EditListDelegate;
class QLineEdit;

// A report list whose cells the user edits in place. A single click on the
// text of a cell opens an editor over exactly that cell; Enter, moving the
// focus elsewhere or scrolling with the scroll bars commits the text, Escape
// throws it away. The list knows nothing of what its rows mean: the model
// decides. A cell opens only when the model's flags() say Qt::ItemIsEditable,
// and a committed text reaches the model as setData(EditRole), which stores it
// as the records keep it (a cut name, a number held to its range) and shows
// that; a cancelled edit never reaches the model.
//
// The rows and columns are a model's, which the dialog gives the list; column
// 0 may carry the rows' check boxes.
class CEditListCtrl final : public QTableView
{
    Q_OBJECT

public:
    explicit CEditListCtrl(QWidget* parent = nullptr);

    // The list for a list-view control of a dialog template, with the
    // template's selection mode and border.
    static CEditListCtrl* fromTemplate(const ControlTemplate& control, QWidget* parent);

    int rowCount() const;
    int columnCount() const;
    // The text a cell shows, and the check box of a row (column 0).
    QString cellText(int row, int column) const;
    Qt::CheckState checkState(int row) const;
    void setCheckState(int row, Qt::CheckState state);
    // The current cell; -1 when there is none.
    int currentRow() const { return currentIndex().row(); }
    int currentColumn() const { return currentIndex().column(); }
    // Makes (row, column) the current cell, selecting its row.
    void setCurrentCell(int row, int column);

    // Opens the editor on (row, column) if the model lets the cell be edited.
    // Returns whether it opened; it never opens while another edit is open.
    bool BeginEdit(int row, int column);
    // Ends the open edit, if any: the editor closes and, on a commit, the
    // model is given the text. Callers that reorder or refill rows end the
    // edit first, so that it lands on its own row.
    void EndEdit(bool cancel);

    bool isEditing() const { return m_editing; }
    int editRow() const { return m_editRow; }
    int editColumn() const { return m_editColumn; }
    // The open editor, or null while no cell is being edited.
    QLineEdit* editor() const;

    // The width column `column` needs to show `text` whole beside what its
    // cells keep apart from the text (a check box, the margins).
    int columnWidthFor(int column, const QString& text) const;
    // The widest text of `length` characters a cell may hold: names are
    // mostly Chinese, whose characters are the widest.
    static QString widestText(int length);

    // The rectangle of the cell's text (the cell without its check box), in
    // viewport coordinates.
    QRect labelRect(int row, int column) const;

signals:
    // Ctrl+V and Ctrl+C (the platform's keys for them) in the list while no
    // cell is being edited: what they mean is the dialog's. In an open cell
    // they are the editor's own.
    void pasteRequested();
    void copyRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void onClicked(const QModelIndex& index);
    void onScrollAction(int action);

    EditListDelegate* m_delegate = nullptr;
    QPointer<QLineEdit> m_edit;
    bool m_editing = false;
    int m_editRow = 0;
    int m_editColumn = 0;
    QPoint m_clickPos;
    // The cell of the edit that ended last, until control returns to the
    // event loop: a mouse press that ended an edit by taking the focus finds
    // it here.
    QPersistentModelIndex m_endedCell;
    // The cell a mouse press hit that had just ended its own edit.
    QPersistentModelIndex m_pressOnEndedCell;
};
