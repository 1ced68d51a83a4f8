#pragma once

#include "engine/Records.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <vector>

// The virus editor's working copy: one row per virus, in table order. A name
// is kept as typed and cut to 11 characters only when written back; a stat is
// read as typed and held to 0..65535 at once, so the cell shows what will be
// stored.
class VirusTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VirusTableModel)

public:
    enum Column
    {
        kName,
        kStupid,
        kHateful,
        kNotAbnormal,
        kColumnCount
    };
    static constexpr int kWidths[kColumnCount] = {110, 52, 52, 52};

    explicit VirusTableModel(const VirusTable& viruses, QObject* parent = nullptr);
    ~VirusTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Replaces every row with the records of `viruses` (an import).
    void loadRecords(const VirusTable& viruses);
    // Writes every row into `table`: the name cut to 11 characters, the three
    // stats. The rest of each record keeps what it held.
    void writeBack(VirusTable& table) const;

private:
    QStringList m_names;
    std::vector<std::array<std::uint16_t, 3>> m_stats;
};
