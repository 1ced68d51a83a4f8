#include "ui/editors/SheetCells.h"

#include "storage/RosterCsv.h"
#include "ui/editors/EditListCtrl.h"

#include <QCoreApplication>

namespace SheetCells {

QList<QStringList> ParseBlock(const QString& text)
{
    return RosterCsv::SplitRecords(text, u'\t');
}

QString CopySelectedRows(const CEditListCtrl& list)
{
    QString block;
    for (int row = 0; row < list.rowCount(); ++row) {
        if (!list.selectionModel()->isRowSelected(row, {}))
            continue;
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column)
            cells.append(RosterCsv::QuoteField(list.cellText(row, column), u'\t'));
        block += cells.join(u'\t') + u'\n';
    }
    return block;
}

QString CutNote(int cut)
{
    return QCoreApplication::translate(
        "SheetCells", "粘贴的内容超出了表格的边界，超出的 %n 个单元格没有粘贴。", nullptr, cut);
}

} // namespace SheetCells
