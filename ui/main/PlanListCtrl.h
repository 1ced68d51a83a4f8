#pragma once

#include "engine/Records.h"

#include <QList>
#include <QTableWidget>

// The plan view's list: no header, no scroll bars, grid lines, whole rows
// selected, several at once. Either empty or the six heroes of a plan, each
// row carrying its hero's index in the hero table; the rows share the height
// so that all six fit. The columns share the list's width so that every name
// and stat shows whole: a stat column is at least its usual 40 pixels, the
// name takes the rest, and when even that is too little the list's text is
// drawn smaller.
class CPlanListCtrl final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CPlanListCtrl)

public:
    static constexpr int kRows = 6;
    static constexpr int kHeroRole = Qt::UserRole;

    explicit CPlanListCtrl(QWidget* parent = nullptr);

    // Appends a row for hero `index` of the table.
    void addHero(int index, const HeroRecord& hero);
    void removeAllRows();

    // The hero index of a row.
    int heroAt(int row) const;
    bool isRowSelected(int row) const;
    bool hasSelection() const;

    // What a cell needs beside its text: the item's margins and the grid line.
    int cellPadding() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitRows();
    void fitColumns();
};
