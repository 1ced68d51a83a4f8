#include "ui/editors/SelectDlg.h"

#include "resources/EditorDialogTemplates.h"
#include "storage/SettingsStore.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/CellValues.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

using namespace EditorDialogIds;

CSelectDlg::CSelectDlg(QWidget* parent) : QDialog(parent)
{
    m_controls = BuildDialog(*this, SelectDialogTemplate());
    m_actionCombo = m_controls.get<QComboBox>(kActionCombo);
    m_fromEdit = m_controls.get<QLineEdit>(kFromEdit);
    m_toEdit = m_controls.get<QLineEdit>(kToEdit);
    connect(m_controls.get<QPushButton>(kOk), &QPushButton::clicked, this, &CSelectDlg::accept);
    connect(m_controls.get<QPushButton>(kCancel), &QPushButton::clicked, this, &CSelectDlg::reject);

    for (const char* item : SelectDialogComboItems())
        m_actionCombo->addItem(QCoreApplication::translate(kSelectChoiceContext, item));
    m_actionCombo->setCurrentIndex(m_nAction);
    m_fromEdit->setText(QString::number(m_nFrom));
    m_toEdit->setText(QString::number(m_nTo));

    // The first control in tab order takes the focus, its text selected.
    m_fromEdit->selectAll();
    m_fromEdit->setFocus();
}

CSelectDlg::~CSelectDlg() = default;

void CSelectDlg::accept()
{
    // In the order of the controls; a value read before a failing edit keeps
    // its new value.
    m_nAction = m_actionCombo->currentIndex();
    if (!readBound(m_fromEdit, m_nFrom) || !readBound(m_toEdit, m_nTo))
        return;
    QDialog::accept();
}

bool CSelectDlg::readBound(QLineEdit* edit, std::uint32_t& bound)
{
    if (const std::optional<std::uint32_t> value = CellValues::ReadUnsigned(edit->text())) {
        bound = *value;
        return true;
    }
    MessageBox::show(this, QMessageBox::Warning, SettingsStore::programName(),
                     tr("请输入一个正整数。"), QMessageBox::Ok);
    edit->setFocus();
    edit->selectAll();
    return false;
}
