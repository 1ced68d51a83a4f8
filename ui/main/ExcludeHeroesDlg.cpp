#include "ui/main/ExcludeHeroesDlg.h"

#include "ui/common/AccessibleNames.h"
#include "ui/common/KeyboardUse.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/PlanListCtrl.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CExcludeHeroesDlg::CExcludeHeroesDlg(const CPlanListCtrl& plan, QWidget* parent)
    : QDialog(parent), m_heroes(new QListWidget(this))
{
    setWindowTitle(tr("排除英雄重新组队"));
    auto* prompt = new QLabel(tr("勾选要排除的英雄（空格键勾选）："), this);
    prompt->setBuddy(m_heroes);
    for (int row = 0; row < plan.rowCount(); ++row) {
        const QTableWidgetItem* name = plan.item(row, 0);
        auto* item = new QListWidgetItem(name != nullptr ? name->text() : QString(), m_heroes);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(plan.isRowSelected(row) ? Qt::Checked : Qt::Unchecked);
    }
    m_heroes->setCurrentRow(0);
    // Six rows, all of them shown.
    m_heroes->setMinimumHeight(m_heroes->sizeHintForRow(0) * (CPlanListCtrl::kRows + 1) +
                               2 * m_heroes->frameWidth());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(tr("排除并重新组队"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_heroes, &QListWidget::itemChanged, this, &CExcludeHeroesDlg::updateOkButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_heroes, 1);
    layout->addWidget(buttons);
    updateOkButton();
    m_heroes->setFocus();
    WindowPlacement::KeepOnScreen(*this);
    AccessibleNames::NameOnShow(*this);
    KeyboardUse::FrameFocusFromTheStart(*this);
}

QList<int> CExcludeHeroesDlg::checkedRows() const
{
    QList<int> rows;
    for (int row = 0; row < m_heroes->count(); ++row) {
        if (m_heroes->item(row)->checkState() == Qt::Checked)
            rows.append(row);
    }
    return rows;
}

void CExcludeHeroesDlg::updateOkButton()
{
    // Nothing checked would only plan the same team again.
    m_ok->setEnabled(!checkedRows().isEmpty());
}
