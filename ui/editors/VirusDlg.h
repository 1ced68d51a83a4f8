#pragma once

#include "engine/Records.h"
#include "ui/common/DialogControls.h"

#include <QDialog>
#include <QList>

class CEditListCtrl;
class VirusTableModel;
class QPushButton;

// The virus editor "修改病毒信息": the 64 viruses of the table, one row each,
// edited in place. The rows are a working copy (VirusTableModel); only OK
// writes them, every one of them, back into the table.
class CVirusDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVirusDlg)

public:
    static constexpr QSize kOpeningSize{300, 480}; // outer size
    static constexpr QSize kMinimumSize{300, 200}; // outer size

    explicit CVirusDlg(VirusTable& table, QWidget* parent = nullptr);
    ~CVirusDlg() override;

    const DialogControls& controls() const { return m_controls; }
    CEditListCtrl* list() const { return m_list; }

    // Puts an imported table into the rows, the working copy, before the
    // dialog opens; the rows the import named are selected (the list takes
    // one at a time, so the first of them), and in view.
    void loadImported(const VirusTable& viruses, const QList<int>& namedRows);

    // Ctrl+V in the list: a block of tab-separated cells from the current
    // cell on, each taken as typing it would be; what runs past the last row
    // or column is cut, with a note. Ctrl+C: the selected row as such a block.
    void PasteCells();
    void CopyRows() const;

    // OK: every row back into the table, changed or not.
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    VirusTable& m_table;
    DialogControls m_controls;
    CEditListCtrl* m_list = nullptr;
    VirusTableModel* m_model = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
