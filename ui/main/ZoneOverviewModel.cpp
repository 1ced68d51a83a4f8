#include "ui/main/ZoneOverviewModel.h"

#include "texts/PlanTexts.h"

using namespace Qt::StringLiterals;

namespace {

// A sequential scale from dark blue through teal to yellow (after viridis):
// it runs one way in lightness, so it reads in grey and to the common kinds
// of colour blindness alike. The feasible bands (from 100) are the light half;
// the bands are close together near 100, where a raid is won or lost, and an
// easy level's index (often in the millions) is simply the brightest.
const CZoneOverviewModel::Band kBands[] = {
    {0.0, QColor(0x44, 0x01, 0x54), QColor(Qt::white), "< 50"},
    {50.0, QColor(0x3b, 0x52, 0x8b), QColor(Qt::white), "50–99"},
    {100.0, QColor(0x21, 0x91, 0x8c), QColor(Qt::white), "100–199"},
    {200.0, QColor(0x5e, 0xc9, 0x62), QColor(Qt::black), "200–999"},
    {1000.0, QColor(0xfd, 0xe7, 0x25), QColor(Qt::black), "≥ 1000"},
};

double IndexOf(const PlanRecord& plan)
{
    return static_cast<double>(plan.score) * 100.0;
}

} // namespace

int GenerationPosition(const Strategy& strategy)
{
    // n 0..5 with k 0..n, n ascending, then k.
    return strategy.n * (strategy.n + 1) / 2 + strategy.k;
}

CZoneOverviewModel::CZoneOverviewModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_strategies = BuildStrategyList(false);
}

void CZoneOverviewModel::setTables(const HeroTable* heroes, const VirusTable* viruses)
{
    beginResetModel();
    m_heroes = heroes;
    m_viruses = viruses;
    endResetModel();
}

void CZoneOverviewModel::setStrategies(const StrategyList& strategies)
{
    beginResetModel();
    m_strategies = strategies;
    endResetModel();
}

void CZoneOverviewModel::setCells(std::unique_ptr<ZoneOverview> cells)
{
    beginResetModel();
    m_cells = std::move(cells);
    endResetModel();
}

void CZoneOverviewModel::setFeasibleOnly(bool on)
{
    if (on == m_feasibleOnly)
        return;
    beginResetModel();
    m_feasibleOnly = on;
    endResetModel();
}

const OverviewCell* CZoneOverviewModel::cellAt(int row, int column) const
{
    if (!m_cells || row < 0 || row >= kVirusCount || column < 0 || column >= kStrategyCount)
        return nullptr;
    return &(*m_cells)[row * kStrategyCount + GenerationPosition(m_strategies[column])];
}

bool CZoneOverviewModel::shows(const OverviewCell& cell) const
{
    return cell.found && (!m_feasibleOnly || IndexOf(cell.plan) >= kFeasibleIndex);
}

bool CZoneOverviewModel::rowShown(int row) const
{
    for (int column = 0; column < kStrategyCount; ++column) {
        const OverviewCell* cell = cellAt(row, column);
        if (cell != nullptr && shows(*cell))
            return true;
    }
    return false;
}

const CZoneOverviewModel::Band* CZoneOverviewModel::bands(int& count)
{
    count = static_cast<int>(std::size(kBands));
    return kBands;
}

QColor CZoneOverviewModel::emptyColor()
{
    return {0xd0, 0xd0, 0xd0};
}

int CZoneOverviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kVirusCount;
}

int CZoneOverviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kStrategyCount;
}

QVariant CZoneOverviewModel::data(const QModelIndex& index, int role) const
{
    const OverviewCell* cell = cellAt(index.row(), index.column());
    if (cell == nullptr)
        return role == Qt::BackgroundRole ? QVariant(emptyColor()) : QVariant();
    const bool shown = shows(*cell);
    const double feasibility = IndexOf(cell->plan);
    switch (role) {
    case Qt::DisplayRole:
        return shown ? QVariant(PlanTexts::FeasibilityIndex(cell->plan)) : QVariant();
    case kFoundRole:
        return cell->found;
    case kIndexRole:
        return cell->found ? QVariant(feasibility) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        if (!shown)
            return role == Qt::BackgroundRole ? QVariant(emptyColor()) : QVariant();
        const Band* band = &kBands[0];
        for (const Band& candidate : kBands) {
            if (feasibility >= candidate.fromIndex)
                band = &candidate;
        }
        return role == Qt::BackgroundRole ? band->background : band->text;
    }
    case Qt::ToolTipRole: {
        if (!cell->found || m_heroes == nullptr)
            return QString::fromUtf8("没有可行的组队方案");
        return PlanTexts::TeamNames(*m_heroes, cell->plan) + u'\n' +
               QString::fromUtf8("英雄属性总值: ") + PlanTexts::StatTotals(cell->plan) + u'\n' +
               PlanTexts::FeasibilityLine(cell->plan);
    }
    default:
        return {};
    }
}

QVariant CZoneOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= kStrategyCount)
            return {};
        const Strategy& strategy = m_strategies[section];
        if (role == Qt::DisplayRole)
            return QString::fromUtf8("%1轮/%2暴").arg(strategy.rounds()).arg(strategy.k);
        if (role == Qt::ToolTipRole)
            return PlanTexts::StrategyEntry(strategy);
        return {};
    }
    if (section < 0 || section >= kVirusCount)
        return {};
    if (role == Qt::DisplayRole && m_viruses != nullptr)
        return PlanTexts::VirusEntry(section, (*m_viruses)[section]);
    return {};
}
