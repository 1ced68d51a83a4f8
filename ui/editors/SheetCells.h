#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CEditListCtrl;

// Blocks of cells as a spreadsheet puts them on the clipboard: one line per
// row, cells separated by tabs, a cell holding a tab, a quote or a line break
// in quotes.
namespace SheetCells {

// The rows of a block; the empty line after the last row's line break does
// not count as a row.
QList<QStringList> ParseBlock(const QString& text);

// The selected rows of `list`, top to bottom, every column, as a block.
QString CopySelectedRows(const CEditListCtrl& list);

// Where a block pasted at (row, column) lands in a list of `rows` rows whose
// columns up to `lastColumn` take text: calls `store(row, column, text)` for
// every cell that fits and returns how many cells fell outside and were cut.
template <typename Store>
int Paste(const QList<QStringList>& block, int row, int column, int rows, int lastColumn,
          Store store)
{
    int cut = 0;
    for (qsizetype i = 0; i < block.size(); ++i) {
        for (qsizetype j = 0; j < block[i].size(); ++j) {
            const int r = row + static_cast<int>(i);
            const int c = column + static_cast<int>(j);
            if (r >= rows || c > lastColumn)
                ++cut;
            else
                store(r, c, block[i][j]);
        }
    }
    return cut;
}

// The note a paste that ran past the list's end shows.
QString CutNote(int cut);

} // namespace SheetCells
