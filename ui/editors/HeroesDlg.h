#pragma once

#include "engine/Records.h"
#include "ui/common/DialogControls.h"

#include <QDialog>
#include <QList>

class CEditListCtrl;
class HeroRosterModel;
class QCheckBox;
class QMenu;
class QPushButton;

// The hero editor "修改英雄信息": renames heroes, takes their stats, ticks the
// heroes the search may use and reorders the roster. It works on a private
// copy of the roster and writes it back only when confirmed with at least six
// ticked heroes; orderSaved() then tells whether the records now stand in the
// order shown, which moves heroes to other indices.
//
// The private copy and its rules live in a HeroRosterModel, which the list
// shows: rows move (sorting, moving), records stay, and a row's check box is
// the row's own until a step below carries it into the record.
class CHeroesDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CHeroesDlg)

public:
    static constexpr QSize kOpeningSize{430, 480}; // outer size
    static constexpr QSize kMinimumSize{430, 200}; // outer size
    // The fewest ticked heroes a team search can use: a leader and five.
    static constexpr int kFewestChecked = 6;

    explicit CHeroesDlg(HeroTable& table, QWidget* parent = nullptr);
    ~CHeroesDlg() override;

    bool orderSaved() const { return m_orderSaved; }
    // The outer size it opens at: kOpeningSize, wider by what the columns
    // need beyond their usual widths to show a name of the most characters
    // and their headings whole.
    QSize openingSize() const { return m_openingSize; }

    const DialogControls& controls() const { return m_controls; }
    CEditListCtrl* list() const { return m_list; }
    // The record a row shows.
    int recordOfRow(int row) const;

    // Puts an imported roster into the working copy before the dialog opens:
    // every row shows its record of `heroes`; the rows the import named are
    // selected, the first of them in view. Nothing reaches the roster until
    // the dialog is confirmed.
    void loadImported(const HeroTable& heroes, const QList<int>& namedRecords);

    // Ctrl+V in the list: a block of tab-separated cells from the current
    // cell on, each read as typing it would be read (the sums take nothing);
    // what runs past the last row or column is cut, with a note. Ctrl+C: the
    // selected rows as such a block.
    void PasteCells();
    void CopyRows() const;

    // "确定": refuses fewer than six ticks; otherwise carries the ticks into
    // the records, rebuilds them in display order when "保存排列顺序" is
    // checked, and writes the copy over the roster.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SortRows(int column);
    void showContextMenu(const QPoint& position);
    void moveSelected(bool toTop);
    void MoveSelectedToTop();
    void MoveSelectedToBottom();
    void BatchSelect();

    bool m_orderSaved = false;
    QSize m_openingSize = kOpeningSize;
    CEditListCtrl* m_list = nullptr;
    QMenu* m_contextMenu = nullptr;
    HeroTable& m_table;
    HeroRosterModel* m_model = nullptr;
    int m_sortColumn = 0;

    DialogControls m_controls;
    QPushButton* m_batchButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QCheckBox* m_saveOrderCheck = nullptr;
};
