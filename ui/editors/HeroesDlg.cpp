#include "ui/editors/HeroesDlg.h"

#include "resources/EditorDialogTemplates.h"
#include "resources/Menus.h"
#include "texts/PlanTexts.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PopupMenu.h"
#include "ui/editors/CellValues.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/HeroRosterModel.h"
#include "ui/editors/OuterSizeKeeper.h"
#include "ui/editors/SelectDlg.h"
#include "ui/editors/SheetCells.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

#include <algorithm>
#include <cstdint>

using namespace EditorDialogIds;

namespace {

constexpr int kName = HeroRosterModel::kName;
constexpr int kAbnormal = HeroRosterModel::kAbnormal;
constexpr int kTotal = HeroRosterModel::kTotal;

} // namespace

CHeroesDlg::CHeroesDlg(HeroTable& table, QWidget* parent) : QDialog(parent), m_table(table)
{
    m_controls = BuildDialog(
        *this, HeroesDialogTemplate(), [](const ControlTemplate& control, QWidget* dialogWidget) {
            return control.id == kList ? CEditListCtrl::fromTemplate(control, dialogWidget)
                                       : nullptr;
        });
    m_batchButton = m_controls.get<QPushButton>(kBatchSelectButton);
    m_okButton = m_controls.get<QPushButton>(kOk);
    m_cancelButton = m_controls.get<QPushButton>(kCancel);
    m_saveOrderCheck = m_controls.get<QCheckBox>(kSaveOrderCheck);
    connect(m_batchButton, &QPushButton::clicked, this, &CHeroesDlg::BatchSelect);
    connect(m_okButton, &QPushButton::clicked, this, &CHeroesDlg::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &CHeroesDlg::reject);

    auto* list = m_controls.get<CEditListCtrl>(kList);
    m_model = new HeroRosterModel(m_table, this);
    list->setModel(m_model);
    // A name of the most characters shows whole, and every heading (wider in
    // some languages than in Chinese); the window is as much wider, so that
    // the columns keep their widths without a scroll bar.
    for (int column = 0; column < HeroRosterModel::kColumnCount; ++column)
        list->setColumnWidth(column, HeroRosterModel::kWidths[column]);
    const int nameWidth = list->columnWidthFor(kName, CEditListCtrl::widestText(kMaxNameLength));
    int widerBy = 0;
    for (int column = 0; column < HeroRosterModel::kColumnCount; ++column) {
        const int heading = list->horizontalHeader()->sectionSizeHint(column);
        const int needed = std::max(heading, column == kName ? nameWidth : 0);
        const int width = std::max(HeroRosterModel::kWidths[column], needed);
        list->setColumnWidth(column, width);
        widerBy += width - HeroRosterModel::kWidths[column];
    }
    m_list = list;

    // Only left clicks reach sectionClicked.
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CHeroesDlg::SortRows);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CHeroesDlg::showContextMenu);
    m_contextMenu = BuildPopup(ContextMenus()[kHeroEditorPopup], this);
    connect(m_list, &CEditListCtrl::pasteRequested, this, &CHeroesDlg::PasteCells);
    connect(m_list, &CEditListCtrl::copyRequested, this, &CHeroesDlg::CopyRows);

    // Outer sizes: refined for the frame once the window has one.
    m_openingSize = kOpeningSize + QSize(widerBy, 0);
    OuterSizeKeeper::install(*this, m_openingSize, kMinimumSize, OuterSizeKeeper::Mode::Resizable);
}

CHeroesDlg::~CHeroesDlg() = default;

int CHeroesDlg::recordOfRow(int row) const
{
    return m_model->recordOfRow(row);
}

void CHeroesDlg::PasteCells()
{
    m_list->EndEdit(false);
    const QList<QStringList> block = SheetCells::ParseBlock(QGuiApplication::clipboard()->text());
    const int row = std::max(m_list->currentRow(), 0);
    const int column = std::max(m_list->currentColumn(), 0);
    // The sums take nothing from a paste, as from typing: they follow the
    // stats. Only cells beyond the list's own edges are cut.
    const int cut = SheetCells::Paste(block, row, column, kHeroCount, kTotal,
                                      [this](int r, int c, const QString& text) {
                                          if (c <= kAbnormal)
                                              m_model->setData(m_model->index(r, c), text);
                                      });
    if (cut > 0) {
        MessageBox::show(this, QMessageBox::Information, tr("粘贴"), SheetCells::CutNote(cut),
                         QMessageBox::Ok);
    }
}

void CHeroesDlg::CopyRows() const
{
    QGuiApplication::clipboard()->setText(SheetCells::CopySelectedRows(*m_list));
}

void CHeroesDlg::SortRows(int column)
{
    if (column <= kName)
        return; // names do not sort
    // The open edit lands on its hero and counts in the keys.
    m_list->EndEdit(false);
    m_sortColumn = column;
    m_model->sortBy(m_sortColumn);
    // Sorting is always largest first.
    m_list->horizontalHeader()->setSortIndicator(column, Qt::DescendingOrder);
    m_list->horizontalHeader()->setSortIndicatorShown(true);
}

void CHeroesDlg::showContextMenu(const QPoint& position)
{
    const bool anySelected = m_list->selectionModel()->hasSelection();
    for (QAction* action : m_contextMenu->actions())
        action->setEnabled(anySelected);
    const int command = PopupMenu::exec(*m_contextMenu, m_list->viewport()->mapToGlobal(position));
    if (command == kCmdMoveToFront)
        MoveSelectedToTop();
    else if (command == kCmdMoveToBack)
        MoveSelectedToBottom();
}

void CHeroesDlg::moveSelected(bool toTop)
{
    m_list->EndEdit(false);
    // The moved rows keep their relative order, and so do the others; the
    // moved rows carry their check boxes into their records and come back
    // unselected, like every other row.
    std::vector<int> moved;
    std::vector<int> staying;
    for (int row = 0; row < kHeroCount; ++row) {
        if (m_list->selectionModel()->isRowSelected(row, {})) {
            m_model->storeCheck(row);
            moved.push_back(row);
        } else {
            staying.push_back(row);
        }
    }
    std::vector<int> order = toTop ? moved : staying;
    const std::vector<int>& rest = toTop ? staying : moved;
    order.insert(order.end(), rest.begin(), rest.end());
    m_list->clearSelection();
    m_model->arrange(order);
    // The rows no longer stand in the order of a column.
    m_list->horizontalHeader()->setSortIndicatorShown(false);
}

void CHeroesDlg::MoveSelectedToTop()
{
    moveSelected(true);
}

void CHeroesDlg::MoveSelectedToBottom()
{
    moveSelected(false);
}

void CHeroesDlg::BatchSelect()
{
    m_list->EndEdit(false);
    CSelectDlg select(this);
    if (select.exec() != QDialog::Accepted)
        return;
    const bool tick = select.action() == 0; // "选中"; "取消" or no choice unticks
    // Row numbers count from 1 as displayed.
    const std::optional<std::pair<int, int>> rows =
        CellValues::BatchRows(select.from(), select.to(), kHeroCount);
    if (!rows)
        return;
    for (int row = rows->first; row <= rows->second; ++row)
        m_model->setChecked(row, tick);
}

void CHeroesDlg::loadImported(const HeroTable& heroes, const QList<int>& namedRecords)
{
    m_list->EndEdit(false);
    m_model->loadRecords(heroes);
    m_list->clearSelection();
    int firstNamed = -1;
    for (int row = 0; row < kHeroCount; ++row) {
        const int record = recordOfRow(row);
        if (namedRecords.contains(record)) {
            m_list->selectionModel()->select(m_list->model()->index(row, kName),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
            if (firstNamed < 0)
                firstNamed = row;
        }
    }
    if (firstNamed >= 0) {
        m_list->selectionModel()->setCurrentIndex(m_model->index(firstNamed, kName),
                                                  QItemSelectionModel::NoUpdate);
        m_list->scrollTo(m_list->model()->index(firstNamed, kName));
    }
}

void CHeroesDlg::accept()
{
    m_list->EndEdit(false);
    if (m_model->checkedRows() < kFewestChecked) {
        MessageBox::show(this, QMessageBox::Critical, tr("错误"), tr("至少要勾选6个英雄！"),
                         QMessageBox::Ok);
        return;
    }
    for (int row = 0; row < kHeroCount; ++row)
        m_model->storeCheck(row);
    if (m_saveOrderCheck->isChecked()) {
        m_orderSaved = true;
        m_table = m_model->inDisplayOrder();
    } else {
        m_table = m_model->heroes();
    }
    QDialog::accept();
}

void CHeroesDlg::keyPressEvent(QKeyEvent* event)
{
    // Escape never closes the hero editor: a slip of the key would throw all
    // the edits away. (In an open cell Escape only cancels that edit.)
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CHeroesDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_list == nullptr)
        return;
    const int cx = event->size().width();
    const int cy = event->size().height();
    m_list->setGeometry(0, 0, cx, cy - 40);
    m_batchButton->move(7, cy - 30);
    m_saveOrderCheck->move(107, cy - 27);
    m_okButton->move(cx - 180, cy - 30);
    m_cancelButton->move(cx - 90, cy - 30);
}
