#include "HeroesDlg.h"

#include "CellValues.h"
#include "DialogBuilder.h"
#include "EditListCtrl.h"
#include "EditorDialogTemplates.h"
#include "Menus.h"
#include "MessageBox.h"
#include "OuterSizeKeeper.h"
#include "PlanTexts.h"
#include "PopupMenu.h"
#include "SelectDlg.h"
#include "SheetCells.h"

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

using namespace Qt::StringLiterals;
using namespace EditorDialogIds;

namespace {

enum Column
{
    kName,
    kSmart,
    kCute,
    kAbnormal,
    kSmartCute,
    kTotal
};

std::uint16_t& Stat(HeroRecord& hero, int column)
{
    switch (column) {
    case kSmart:
        return hero.smart;
    case kCute:
        return hero.cute;
    default:
        return hero.abnormal;
    }
}

// The sort key of a column: the stored values, summed in plain integers so
// that the sums never wrap.
int SortKey(const HeroRecord& hero, int column)
{
    switch (column) {
    case kSmart:
        return hero.smart;
    case kCute:
        return hero.cute;
    case kAbnormal:
        return hero.abnormal;
    case kSmartCute:
        return hero.smart + hero.cute;
    default:
        return hero.smart + hero.cute + hero.abnormal;
    }
}

} // namespace

CHeroesDlg::CHeroesDlg(HeroTable& table, QWidget* parent)
    : QDialog(parent), m_table(table), m_heroes(table)
{
    m_controls = BuildDialog(
        *this, HeroesDialogTemplate(), [](const ControlTemplate& control, QWidget* dialogWidget) {
            return control.id == kList ? CEditListCtrl::FromTemplate(control, dialogWidget)
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
    list->setOwner(this);
    list->addColumn(u"名称"_s, Qt::AlignLeft, 110);
    list->addColumn(u"聪明"_s, Qt::AlignRight, 52);
    list->addColumn(u"可爱"_s, Qt::AlignRight, 52);
    list->addColumn(u"不正常"_s, Qt::AlignRight, 52);
    list->addColumn(u"聪明+可爱"_s, Qt::AlignRight, 72);
    list->addColumn(u"总值"_s, Qt::AlignRight, 52);
    list->setRowCount(kHeroCount);
    m_list = list;
    for (int record = 0; record < kHeroCount; ++record)
        FillRow(record, record);

    // Only left clicks reach sectionClicked.
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CHeroesDlg::SortRows);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &CHeroesDlg::ShowContextMenu);
    m_contextMenu = BuildPopup(ContextMenus()[kHeroEditorPopup], this);
    connect(m_list, &CEditListCtrl::pasteRequested, this, &CHeroesDlg::PasteCells);
    connect(m_list, &CEditListCtrl::copyRequested, this, &CHeroesDlg::CopyRows);

    // Outer sizes: refined for the frame once the window has one.
    OuterSizeKeeper::install(*this, kOpeningSize, kMinimumSize, OuterSizeKeeper::Mode::Resizable);
}

CHeroesDlg::~CHeroesDlg() = default;

int CHeroesDlg::recordOfRow(int row) const
{
    return m_list->item(row, kName)->data(Qt::UserRole).toInt();
}

bool CHeroesDlg::rowChecked(int row) const
{
    return m_list->item(row, kName)->checkState() == Qt::Checked;
}

void CHeroesDlg::setRowChecked(int row, bool checked)
{
    m_list->item(row, kName)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CHeroesDlg::StoreCheck(int row)
{
    m_heroes[static_cast<std::size_t>(recordOfRow(row))].checked = rowChecked(row) ? 1 : 0;
}

void CHeroesDlg::FillRow(int row, int record)
{
    const HeroRecord& hero = m_heroes[static_cast<std::size_t>(record)];
    m_list->setCellText(row, kName, PlanTexts::HeroNameText(hero));
    m_list->item(row, kName)->setData(Qt::UserRole, record);
    setRowChecked(row, hero.checked != 0);
    m_list->setCellText(row, kSmart, CellValues::StatText(hero.smart));
    m_list->setCellText(row, kCute, CellValues::StatText(hero.cute));
    m_list->setCellText(row, kAbnormal, CellValues::StatText(hero.abnormal));
    WriteSums(row, record);
}

void CHeroesDlg::WriteSums(int row, int record)
{
    const HeroRecord& hero = m_heroes[static_cast<std::size_t>(record)];
    m_list->setCellText(row, kSmartCute, CellValues::StatText(SortKey(hero, kSmartCute)));
    m_list->setCellText(row, kTotal, CellValues::StatText(SortKey(hero, kTotal)));
}

int CHeroesDlg::CountCheckedRows() const
{
    int count = 0;
    for (int row = 0; row < kHeroCount; ++row)
        count += rowChecked(row) ? 1 : 0;
    return count;
}

bool CHeroesDlg::beginLabelEdit(CEditListCtrl& /*list*/, int /*row*/, int column)
{
    return column <= kAbnormal; // the two sums are read-only
}

bool CHeroesDlg::endLabelEdit(CEditListCtrl& /*list*/, int row, int column, QString* text)
{
    if (text == nullptr || column > kAbnormal)
        return false;                      // cancelled, or a sum
    *text = StoreCell(row, column, *text); // the cell shows the value as stored
    return true;
}

QString CHeroesDlg::StoreCell(int row, int column, const QString& text)
{
    const int record = recordOfRow(row);
    HeroRecord& hero = m_heroes[static_cast<std::size_t>(record)];
    if (column == kName) {
        const QString name = CellValues::CutName(text);
        CellValues::StoreName(hero.name, name);
        return name;
    }
    const std::uint16_t value = CellValues::ReadStat(text);
    Stat(hero, column) = value;
    WriteSums(row, record);
    return CellValues::StatText(value);
}

void CHeroesDlg::PasteCells()
{
    m_list->endEdit(false);
    const QList<QStringList> block = SheetCells::ParseBlock(QGuiApplication::clipboard()->text());
    const int row = std::max(m_list->currentRow(), 0);
    const int column = std::max(m_list->currentColumn(), 0);
    // The sums take nothing from a paste, as from typing: they follow the
    // stats. Only cells beyond the list's own edges are cut.
    const int cut = SheetCells::Paste(block, row, column, kHeroCount, kTotal,
                                      [this](int r, int c, const QString& text) {
                                          if (c <= kAbnormal)
                                              m_list->setCellText(r, c, StoreCell(r, c, text));
                                      });
    if (cut > 0) {
        MessageBox::show(this, QMessageBox::Information, u"粘贴"_s, SheetCells::CutNote(cut),
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
    m_list->endEdit(false);
    m_sortColumn = column;
    std::vector<int> order(static_cast<std::size_t>(kHeroCount));
    for (int row = 0; row < kHeroCount; ++row)
        order[static_cast<std::size_t>(row)] = row;
    std::vector<int> keys(order.size());
    for (int row = 0; row < kHeroCount; ++row) {
        keys[static_cast<std::size_t>(row)] =
            SortKey(m_heroes[static_cast<std::size_t>(recordOfRow(row))], m_sortColumn);
    }
    // Always descending, the largest on top; equal keys keep their order.
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] > keys[static_cast<std::size_t>(b)];
    });
    m_list->arrangeRows(order);
}

void CHeroesDlg::ShowContextMenu(const QPoint& position)
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

void CHeroesDlg::MoveSelectedToTop()
{
    m_list->endEdit(false);
    int top = 0;
    for (int row = 0; row < kHeroCount; ++row) {
        if (!m_list->selectionModel()->isRowSelected(row, {}))
            continue;
        const int record = recordOfRow(row);
        StoreCheck(row);
        m_list->removeRow(row);
        m_list->insertRow(top);
        FillRow(top, record); // unselected
        ++top;
    }
}

void CHeroesDlg::MoveSelectedToBottom()
{
    m_list->endEdit(false);
    const int last = kHeroCount - 1;
    int row = 0;
    while (row < kHeroCount) {
        if (!m_list->selectionModel()->isRowSelected(row, {})) {
            ++row;
            continue;
        }
        // The next row moves up into this position: look at it again. The
        // moved row comes back unselected, so no row moves twice.
        const int record = recordOfRow(row);
        StoreCheck(row);
        m_list->removeRow(row);
        m_list->insertRow(last);
        FillRow(last, record);
    }
}

void CHeroesDlg::BatchSelect()
{
    m_list->endEdit(false);
    CSelectDlg select(this);
    if (select.exec() != QDialog::Accepted)
        return;
    const bool tick = select.action() == 0; // "选中"; "取消" or no choice unticks
    // Row numbers count from 1 as displayed.
    const std::optional<std::pair<int, int>> rows =
        CellValues::BatchRows(select.from(), select.to(), kHeroCount);
    if (!rows)
        return;
    for (int row = rows->first; row <= rows->second; ++row) {
        m_heroes[static_cast<std::size_t>(recordOfRow(row))].checked = tick ? 1 : 0;
        setRowChecked(row, tick);
    }
}

void CHeroesDlg::loadImported(const HeroTable& heroes, const QList<int>& namedRecords)
{
    m_list->endEdit(false);
    m_heroes = heroes;
    m_list->clearSelection();
    int firstNamed = -1;
    for (int row = 0; row < kHeroCount; ++row) {
        const int record = recordOfRow(row);
        FillRow(row, record);
        if (namedRecords.contains(record)) {
            m_list->selectionModel()->select(m_list->model()->index(row, kName),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
            if (firstNamed < 0)
                firstNamed = row;
        }
    }
    if (firstNamed >= 0) {
        m_list->setCurrentCell(firstNamed, kName, QItemSelectionModel::NoUpdate);
        m_list->scrollTo(m_list->model()->index(firstNamed, kName));
    }
}

void CHeroesDlg::accept()
{
    m_list->endEdit(false);
    if (CountCheckedRows() < kFewestChecked) {
        MessageBox::show(this, QMessageBox::Critical, u"错误"_s, u"至少要勾选6个英雄！"_s,
                         QMessageBox::Ok);
        return;
    }
    for (int row = 0; row < kHeroCount; ++row)
        StoreCheck(row);
    if (m_saveOrderCheck->isChecked()) {
        m_orderSaved = true;
        // Record k becomes what row k shows. Read from the rows, not the
        // records, so overwriting the records in turn loses nothing.
        for (int row = 0; row < kHeroCount; ++row) {
            HeroRecord& hero = m_heroes[static_cast<std::size_t>(row)];
            hero.checked = rowChecked(row) ? 1 : 0;
            CellValues::StoreName(hero.name, m_list->cellText(row, kName));
            hero.smart = CellValues::ReadStat(m_list->cellText(row, kSmart));
            hero.cute = CellValues::ReadStat(m_list->cellText(row, kCute));
            hero.abnormal = CellValues::ReadStat(m_list->cellText(row, kAbnormal));
        }
    }
    m_table = m_heroes;
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
