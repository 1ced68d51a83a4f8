#pragma once

#include "engine/PlanningTables.h"
#include "engine/TrainingAdvice.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The entries of a training advice as a table, one row per entry in the
// advice's order, with the columns the planner prints: hero index, name,
// stat, value, rise, value after it, the index after it and the team after it.
// The texts are taken when the advice is set, so the rows stay as they were
// planned even if the roster is edited meanwhile.
class AdviceModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdviceModel)

public:
    enum Column
    {
        HeroColumn,
        NameColumn,
        StatColumn,
        ValueColumn,
        IncreaseColumn,
        RaisedColumn,
        IndexColumn,
        TeamColumn,
        ColumnCount,
    };

    explicit AdviceModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setAdvice(const TrainingAdvice& advice, const HeroTable& heroes);
    void clear();

    const AdviceEntry& entry(int row) const { return m_entries[static_cast<std::size_t>(row)]; }
    // The name of the entry's hero as it was when the advice was set.
    const QString& heroName(int row) const { return m_names[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<AdviceEntry> m_entries;
    QStringList m_names;
    QStringList m_teams;
};
