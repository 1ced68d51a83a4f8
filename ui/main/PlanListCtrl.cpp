#include "ui/main/PlanListCtrl.h"

#include "texts/PlanTexts.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

struct Column
{
    const char* heading;
    int width; // pixels
    Qt::Alignment alignment;
};

// The headings are set though the header is hidden.
constexpr Column kColumns[] = {
    {QT_TRANSLATE_NOOP("CPlanListCtrl", "名称"), 100, Qt::AlignLeft | Qt::AlignVCenter},
    {QT_TRANSLATE_NOOP("CPlanListCtrl", "聪明"), 40, Qt::AlignRight | Qt::AlignVCenter},
    {QT_TRANSLATE_NOOP("CPlanListCtrl", "可爱"), 40, Qt::AlignRight | Qt::AlignVCenter},
    {QT_TRANSLATE_NOOP("CPlanListCtrl", "不正常"), 40, Qt::AlignRight | Qt::AlignVCenter},
};

// How far the list's text may shrink for long names and large stats.
constexpr double kSmallestListPoints = 5.0;

} // namespace

CPlanListCtrl::CPlanListCtrl(QWidget* parent)
    : QTableWidget(0, static_cast<int>(std::size(kColumns)), parent)
{
    setFrameShape(QFrame::StyledPanel);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < columnCount(); ++column) {
        auto* heading = new QTableWidgetItem(tr(kColumns[column].heading));
        heading->setTextAlignment(kColumns[column].alignment);
        setHorizontalHeaderItem(column, heading);
        setColumnWidth(column, kColumns[column].width);
    }
}

void CPlanListCtrl::addHero(int index, const HeroRecord& hero)
{
    const int row = rowCount();
    insertRow(row);
    const QString texts[] = {PlanTexts::HeroNameText(hero), QString::number(hero.smart),
                             QString::number(hero.cute), QString::number(hero.abnormal)};
    for (int column = 0; column < columnCount(); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setTextAlignment(kColumns[column].alignment);
        item->setData(kHeroRole, index);
        setItem(row, column, item);
    }
    fitColumns();
}

void CPlanListCtrl::removeAllRows()
{
    setRowCount(0);
    fitColumns();
}

int CPlanListCtrl::cellPadding() const
{
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return 2 * margin + 1;
}

void CPlanListCtrl::fitColumns()
{
    const QFont base = parentWidget() != nullptr ? parentWidget()->font() : font();
    const int available = contentsRect().width();
    const int padding = cellPadding();
    QFont fitted = base;
    int widths[std::size(kColumns)] = {};
    for (double points = base.pointSizeF();; points -= 0.5) {
        fitted.setPointSizeF(points);
        const QFontMetricsF metrics(fitted);
        int statsWidth = 0;
        int nameNeeded = 0;
        for (int column = 0; column < columnCount(); ++column) {
            int needed = 0;
            for (int row = 0; row < rowCount(); ++row) {
                if (const QTableWidgetItem* cell = item(row, column))
                    needed = std::max(needed, static_cast<int>(std::ceil(
                                                  metrics.horizontalAdvance(cell->text()))) +
                                                  padding);
            }
            if (column == 0) {
                nameNeeded = needed;
            } else {
                widths[column] = std::max(kColumns[column].width, needed);
                statsWidth += widths[column];
            }
        }
        widths[0] = std::max(1, available - statsWidth);
        if (nameNeeded <= widths[0] || points <= kSmallestListPoints)
            break;
    }
    setFont(fitted);
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, widths[column]);
}

int CPlanListCtrl::heroAt(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first != nullptr ? first->data(kHeroRole).toInt() : -1;
}

bool CPlanListCtrl::isRowSelected(int row) const
{
    return selectionModel()->isRowSelected(row, QModelIndex());
}

bool CPlanListCtrl::hasSelection() const
{
    return !selectionModel()->selectedRows().isEmpty();
}

void CPlanListCtrl::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    fitRows();
    fitColumns();
}

void CPlanListCtrl::fitRows()
{
    verticalHeader()->setDefaultSectionSize(std::max(1, viewport()->height() / kRows));
}
