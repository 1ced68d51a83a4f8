#include "ui/main/AdviceModel.h"

#include "texts/CheckTexts.h"
#include "texts/PlanTexts.h"

void AdviceModel::setAdvice(const TrainingAdvice& advice, const HeroTable& heroes)
{
    beginResetModel();
    m_entries.assign(advice.entries.begin(), advice.entries.begin() + advice.count);
    m_names.clear();
    m_teams.clear();
    for (const AdviceEntry& entry : m_entries) {
        m_names.append(PlanTexts::HeroNameText(heroes[entry.hero]));
        m_teams.append(PlanTexts::TeamNames(heroes, entry.plan));
    }
    endResetModel();
}

void AdviceModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_names.clear();
    m_teams.clear();
    endResetModel();
}

int AdviceModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int AdviceModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AdviceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const AdviceEntry& shown = entry(row);
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() != NameColumn && index.column() != StatColumn &&
                            index.column() != TeamColumn;
        return QVariant::fromValue(number ? Qt::AlignRight | Qt::AlignVCenter
                                          : Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case HeroColumn:
        return shown.hero;
    case NameColumn:
        return m_names[row];
    case StatColumn:
        return CheckTexts::StatName(shown.stat);
    case ValueColumn:
        return shown.value;
    case IncreaseColumn:
        return shown.increase;
    case RaisedColumn:
        return shown.value + shown.increase;
    case IndexColumn:
        return PlanTexts::FeasibilityIndex(shown.plan);
    case TeamColumn:
        return m_teams[row];
    default:
        return {};
    }
}

QVariant AdviceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QStringList columns = CheckTexts::AdviceColumns();
    return section >= 0 && section < columns.size() ? QVariant(columns[section]) : QVariant();
}
