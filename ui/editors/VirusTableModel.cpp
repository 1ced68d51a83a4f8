#include "ui/editors/VirusTableModel.h"

#include "texts/PlanTexts.h"
#include "ui/editors/CellValues.h"

VirusTableModel::VirusTableModel(const VirusTable& viruses, QObject* parent)
    : QAbstractTableModel(parent), m_stats(kVirusCount)
{
    for (int row = 0; row < kVirusCount; ++row)
        m_names.append(QString());
    loadRecords(viruses);
}

VirusTableModel::~VirusTableModel() = default;

int VirusTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kVirusCount;
}

int VirusTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant VirusTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == kName)
            return m_names[index.row()];
        return CellValues::StatText(m_stats[row][static_cast<std::size_t>(column - 1)]);
    case Qt::TextAlignmentRole:
        return int((column == kName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant VirusTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    static constexpr const char* kHeadings[kColumnCount] = {
        QT_TR_NOOP("名称"), QT_TR_NOOP("愚蠢"), QT_TR_NOOP("可恨"), QT_TR_NOOP("不异常")};
    if (role == Qt::DisplayRole)
        return tr(kHeadings[section]);
    if (role == Qt::TextAlignmentRole)
        return int((section == kName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags VirusTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool VirusTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const int column = index.column();
    if (column == kName)
        m_names[index.row()] = value.toString();
    else
        m_stats[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(column - 1)] =
            CellValues::ReadStat(value.toString());
    emit dataChanged(index, index);
    return true;
}

void VirusTableModel::loadRecords(const VirusTable& viruses)
{
    for (int row = 0; row < kVirusCount; ++row) {
        const VirusRecord& virus = viruses[static_cast<std::size_t>(row)];
        m_names[row] = PlanTexts::VirusNameText(virus);
        m_stats[static_cast<std::size_t>(row)] = {virus.stupid, virus.hateful, virus.notAbnormal};
    }
    emit dataChanged(index(0, 0), index(kVirusCount - 1, kColumnCount - 1));
}

void VirusTableModel::writeBack(VirusTable& table) const
{
    for (int row = 0; row < kVirusCount; ++row) {
        VirusRecord& virus = table[static_cast<std::size_t>(row)];
        const auto& stats = m_stats[static_cast<std::size_t>(row)];
        CellValues::StoreName(virus.name, m_names[row]);
        virus.stupid = stats[0];
        virus.hateful = stats[1];
        virus.notAbnormal = stats[2];
    }
}
