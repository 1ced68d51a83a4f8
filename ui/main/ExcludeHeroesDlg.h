#pragma once

#include <QDialog>
#include <QList>

class CPlanListCtrl;
class QListWidget;

// The keyboard's way to "排除选中的英雄重新组队": the plan list takes no tab
// stop, so this small dialog lists the six heroes of the shown plan with a
// check box each (the rows selected in the plan list come checked) and hands
// back the rows the user checked.
class CExcludeHeroesDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CExcludeHeroesDlg)

public:
    CExcludeHeroesDlg(const CPlanListCtrl& plan, QWidget* parent = nullptr);

    // The plan list's rows whose heroes are checked, in order.
    QList<int> checkedRows() const;
    QListWidget* heroList() const { return m_heroes; }

private:
    void updateOkButton();

    QListWidget* m_heroes = nullptr;
    QPushButton* m_ok = nullptr;
};
