#include "ui/editors/VirusDlg.h"

#include "resources/EditorDialogTemplates.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/OuterSizeKeeper.h"
#include "ui/editors/SheetCells.h"
#include "ui/editors/VirusTableModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

using namespace EditorDialogIds;

namespace {

constexpr int kName = VirusTableModel::kName;
constexpr int kNotAbnormal = VirusTableModel::kNotAbnormal;

} // namespace

CVirusDlg::CVirusDlg(VirusTable& table, QWidget* parent) : QDialog(parent), m_table(table)
{
    m_controls = BuildDialog(
        *this, VirusDialogTemplate(), [](const ControlTemplate& control, QWidget* dialogWidget) {
            return control.id == kList ? CEditListCtrl::fromTemplate(control, dialogWidget)
                                       : nullptr;
        });
    m_okButton = m_controls.get<QPushButton>(kOk);
    m_cancelButton = m_controls.get<QPushButton>(kCancel);
    connect(m_okButton, &QPushButton::clicked, this, &CVirusDlg::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CVirusDlg::reject);

    auto* list = m_controls.get<CEditListCtrl>(kList);
    m_model = new VirusTableModel(m_table, this);
    list->setModel(m_model);
    for (int column = 0; column < VirusTableModel::kColumnCount; ++column)
        list->setColumnWidth(column, VirusTableModel::kWidths[column]);
    connect(list, &CEditListCtrl::pasteRequested, this, &CVirusDlg::PasteCells);
    connect(list, &CEditListCtrl::copyRequested, this, &CVirusDlg::CopyRows);
    m_list = list; // from here on the layout rule places the controls

    // Not resizable: the window keeps its opening size, outer size, so the
    // minimum of 300 × 200 never binds.
    OuterSizeKeeper::install(*this, kOpeningSize, kMinimumSize, OuterSizeKeeper::Mode::Fixed);
    m_okButton->setFocus(); // the first control in tab order
}

CVirusDlg::~CVirusDlg() = default;

void CVirusDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_list == nullptr)
        return;
    const int w = event->size().width();
    const int h = event->size().height();
    m_list->setGeometry(0, 0, w, h - 40);
    m_okButton->move(w - 180, h - 30);
    m_cancelButton->move(w - 90, h - 30);
}

void CVirusDlg::PasteCells()
{
    m_list->EndEdit(false);
    const QList<QStringList> block = SheetCells::ParseBlock(QGuiApplication::clipboard()->text());
    const int row = std::max(m_list->currentRow(), 0);
    const int column = std::max(m_list->currentColumn(), 0);
    const int cut = SheetCells::Paste(block, row, column, kVirusCount, kNotAbnormal,
                                      [this](int r, int c, const QString& text) {
                                          m_model->setData(m_model->index(r, c), text);
                                      });
    if (cut > 0) {
        MessageBox::show(this, QMessageBox::Information, tr("粘贴"), SheetCells::CutNote(cut),
                         QMessageBox::Ok);
    }
}

void CVirusDlg::CopyRows() const
{
    QGuiApplication::clipboard()->setText(SheetCells::CopySelectedRows(*m_list));
}

void CVirusDlg::loadImported(const VirusTable& viruses, const QList<int>& namedRows)
{
    m_list->EndEdit(false);
    m_model->loadRecords(viruses);
    if (!namedRows.isEmpty()) {
        m_list->setCurrentCell(namedRows.front(), kName);
        m_list->scrollTo(m_list->model()->index(namedRows.front(), kName));
    }
}

void CVirusDlg::accept()
{
    m_list->EndEdit(false);
    m_model->writeBack(m_table);
    QDialog::accept();
}
