#include "VirusDlg.h"

#include "CellValues.h"
#include "DialogBuilder.h"
#include "EditListCtrl.h"
#include "EditorDialogTemplates.h"
#include "MessageBox.h"
#include "OuterSizeKeeper.h"
#include "PlanTexts.h"
#include "SheetCells.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace EditorDialogIds;

namespace {

enum Column
{
    kName,
    kStupid,
    kHateful,
    kNotAbnormal
};

void FillRow(CEditListCtrl& list, int row, const VirusRecord& virus)
{
    list.setCellText(row, kName, PlanTexts::VirusNameText(virus));
    list.setCellText(row, kStupid, CellValues::StatText(virus.stupid));
    list.setCellText(row, kHateful, CellValues::StatText(virus.hateful));
    list.setCellText(row, kNotAbnormal, CellValues::StatText(virus.notAbnormal));
}

// What a cell shows of a text typed or pasted into it: a stat shows what OK
// will store; a name is cut only by OK.
QString CellShown(int column, const QString& text)
{
    return column == kName ? text : CellValues::StatText(CellValues::ReadStat(text));
}

} // namespace

CVirusDlg::CVirusDlg(VirusTable& table, QWidget* parent) : QDialog(parent), m_table(table)
{
    m_controls = BuildDialog(
        *this, VirusDialogTemplate(), [](const ControlTemplate& control, QWidget* dialogWidget) {
            return control.id == kList ? CEditListCtrl::FromTemplate(control, dialogWidget)
                                       : nullptr;
        });
    m_okButton = m_controls.get<QPushButton>(kOk);
    m_cancelButton = m_controls.get<QPushButton>(kCancel);
    connect(m_okButton, &QPushButton::clicked, this, &CVirusDlg::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CVirusDlg::reject);

    auto* list = m_controls.get<CEditListCtrl>(kList);
    list->setOwner(this);
    list->addColumn(u"名称"_s, Qt::AlignLeft, 110);
    list->addColumn(u"愚蠢"_s, Qt::AlignRight, 52);
    list->addColumn(u"可恨"_s, Qt::AlignRight, 52);
    list->addColumn(u"不异常"_s, Qt::AlignRight, 52);
    list->setRowCount(kVirusCount);
    for (int row = 0; row < kVirusCount; ++row)
        FillRow(*list, row, m_table[static_cast<std::size_t>(row)]);
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

bool CVirusDlg::beginLabelEdit(CEditListCtrl& /*list*/, int /*row*/, int /*column*/)
{
    return true; // every cell is editable
}

bool CVirusDlg::endLabelEdit(CEditListCtrl& /*list*/, int /*row*/, int column, QString* text)
{
    if (text == nullptr)
        return false;
    *text = CellShown(column, *text);
    return true;
}

void CVirusDlg::PasteCells()
{
    m_list->endEdit(false);
    const QList<QStringList> block = SheetCells::ParseBlock(QGuiApplication::clipboard()->text());
    const int row = std::max(m_list->currentRow(), 0);
    const int column = std::max(m_list->currentColumn(), 0);
    const int cut = SheetCells::Paste(block, row, column, kVirusCount, kNotAbnormal,
                                      [this](int r, int c, const QString& text) {
                                          m_list->setCellText(r, c, CellShown(c, text));
                                      });
    if (cut > 0) {
        MessageBox::show(this, QMessageBox::Information, u"粘贴"_s, SheetCells::CutNote(cut),
                         QMessageBox::Ok);
    }
}

void CVirusDlg::CopyRows() const
{
    QGuiApplication::clipboard()->setText(SheetCells::CopySelectedRows(*m_list));
}

void CVirusDlg::loadImported(const VirusTable& viruses, const QList<int>& namedRows)
{
    m_list->endEdit(false);
    for (int row = 0; row < kVirusCount; ++row)
        FillRow(*m_list, row, viruses[static_cast<std::size_t>(row)]);
    if (!namedRows.isEmpty()) {
        m_list->setCurrentCell(namedRows.front(), kName);
        m_list->scrollTo(m_list->model()->index(namedRows.front(), kName));
    }
}

void CVirusDlg::accept()
{
    m_list->endEdit(false);
    for (int row = 0; row < kVirusCount; ++row) {
        VirusRecord& virus = m_table[static_cast<std::size_t>(row)];
        CellValues::StoreName(virus.name, m_list->cellText(row, kName));
        virus.stupid = CellValues::ReadStat(m_list->cellText(row, kStupid));
        virus.hateful = CellValues::ReadStat(m_list->cellText(row, kHateful));
        virus.notAbnormal = CellValues::ReadStat(m_list->cellText(row, kNotAbnormal));
    }
    QDialog::accept();
}
