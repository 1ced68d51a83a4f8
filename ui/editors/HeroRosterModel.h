#pragma once

#include "engine/Records.h"

#include <QAbstractTableModel>

#include <vector>

// The hero editor's working copy: a private copy of the roster shown as one
// row per hero, in an order of its own (sorting and moving change the order,
// never the records). Each row has a check box of its own, carried into its
// record only when storeCheck() says so. Names are cut to 11 characters,
// stats read as typed and held to 0..65535, the two sums reckoned in plain
// integers so that they never wrap.
class HeroRosterModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeroRosterModel)

public:
    enum Column
    {
        kName,
        kSmart,
        kCute,
        kAbnormal,
        kSmartCute,
        kTotal,
        kColumnCount
    };
    // The column widths in pixels, in column order.
    static constexpr int kWidths[kColumnCount] = {110, 52, 52, 52, 72, 52};

    // Rows in table order, each ticked as its record is.
    explicit HeroRosterModel(const HeroTable& heroes, QObject* parent = nullptr);
    ~HeroRosterModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // EditRole on a name or a stat stores it into the row's record as typing
    // does; CheckStateRole on column 0 ticks the row (not its record).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const HeroTable& heroes() const { return m_heroes; }
    int recordOfRow(int row) const { return m_records[static_cast<std::size_t>(row)]; }
    bool rowChecked(int row) const { return m_checked[static_cast<std::size_t>(row)]; }
    int checkedRows() const;
    // Ticks or unticks a row and its record together.
    void setChecked(int row, bool checked);
    // Carries the check box of a row into its record.
    void storeCheck(int row);

    // Row p takes what row order[p] showed, with its check box; selections
    // and the current cell follow their rows.
    void arrange(const std::vector<int>& order);
    // Sorts the rows by the stored values of a column, largest first; rows
    // with equal keys keep their order. The name column does not sort.
    void sortBy(int column);
    // The sort key of a column.
    static int sortKey(const HeroRecord& hero, int column);

    // Replaces the working copy (an import): every row shows its record of
    // `heroes`, ticked as that record is.
    void loadRecords(const HeroTable& heroes);

    // The roster in the order on screen: record k becomes what row k shows,
    // ticked as row k is. The units of a name field past its terminator keep
    // what record k held.
    HeroTable inDisplayOrder() const;

private:
    HeroRecord& recordAt(int row) { return m_heroes[static_cast<std::size_t>(recordOfRow(row))]; }
    const HeroRecord& recordAt(int row) const
    {
        return m_heroes[static_cast<std::size_t>(recordOfRow(row))];
    }
    void rowChanged(int row);

    HeroTable m_heroes;
    std::vector<int> m_records;
    std::vector<bool> m_checked;
};
