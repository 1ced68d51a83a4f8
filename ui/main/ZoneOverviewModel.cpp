#include "ui/main/ZoneOverviewModel.h"

#include "texts/PlanTexts.h"

#include <QLocale>

#include <cmath>

namespace {

// A sequential scale from dark purple through teal to yellow (after
// viridis): it runs one way in lightness, so it reads in grey and to the
// common kinds of colour blindness alike. Below 100 a level is lost (two
// bands: far off, and close); from 100 on it is won, and how comfortably is
// what the raid leader reads. A real guild's wins spread over many orders of
// magnitude and gather between a million and a billion, so the scale is
// logarithmic: a tight win (100–999), a clear one (up to a million), then a
// band for each decade where most cells lie, and the easiest levels above.
const ZoneOverviewModel::Band kBands[] = {
    {0.0, QColor(0x44, 0x01, 0x54), QColor(Qt::white),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "< 50")},
    {50.0, QColor(0x46, 0x33, 0x7e), QColor(Qt::white),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "50–99")},
    {100.0, QColor(0x36, 0x5c, 0x8d), QColor(Qt::white),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "100–999")},
    {1e3, QColor(0x27, 0x7f, 0x8e), QColor(Qt::white),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "1000–100万")},
    {1e6, QColor(0x1f, 0xa1, 0x87), QColor(Qt::black),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "100万–1000万")},
    {1e7, QColor(0x4a, 0xc1, 0x6d), QColor(Qt::black),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "1000万–1亿")},
    {1e8, QColor(0x9f, 0xda, 0x3a), QColor(Qt::black),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "1亿–10亿")},
    {1e9, QColor(0xfd, 0xe7, 0x25), QColor(Qt::black),
     QT_TRANSLATE_NOOP("ZoneOverviewModel", "≥ 10亿")},
};

double IndexOf(const PlanRecord& plan)
{
    return static_cast<double>(plan.score) * 100.0;
}

} // namespace

QString ZoneOverviewModel::cellText(double index)
{
    // Chinese counts large numbers in myriads; a language that counts in
    // thousands names four units where Chinese names three. The units always
    // reach 10^12, so how many there are gives their step.
    //: The units of 10^4, 10^8 and 10^12, comma-separated. A language that
    //: counts in thousands gives its four units of 10^3, 10^6, 10^9 and 10^12
    //: instead, e.g. "K,M,B,T"; the cells then count in thousands.
    static constexpr char kMyriads[] = QT_TR_NOOP("万,亿,万亿");
    QStringList names = tr(kMyriads).split(u',', Qt::SkipEmptyParts);
    if (names.size() != 3 && names.size() != 4)
        names = QString::fromUtf8(kMyriads).split(u','); // a translation that names no units
    const double step = names.size() == 4 ? 1e3 : 1e4;
    names.prepend(QString());
    const int last = static_cast<int>(names.size()) - 1;
    int unit = 0;
    double size = 1.0;
    while (unit < last && index >= size * step) {
        ++unit;
        size *= step;
    }
    for (;; ++unit, size *= step) {
        const double inUnits = index / size;
        const int decimals = unit == 0 || inUnits >= 100.0 ? 0 : inUnits >= 10.0 ? 1 : 2;
        const QString number = QString::number(inUnits, 'f', decimals);
        // 9999.6 万 rounds to 10000 万: that is 1.00 亿.
        if (unit < last && number.toDouble() >= step)
            continue;
        return number + names[unit];
    }
}

QString ZoneOverviewModel::bandLabel(const Band& band)
{
    return tr(band.label);
}

int GenerationPosition(const Strategy& strategy)
{
    // n 0..5 with k 0..n, n ascending, then k.
    return strategy.n * (strategy.n + 1) / 2 + strategy.k;
}

ZoneOverviewModel::ZoneOverviewModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_strategies = BuildStrategyList(false);
}

void ZoneOverviewModel::setTables(const HeroTable* heroes, const VirusTable* viruses)
{
    beginResetModel();
    m_heroes = heroes;
    m_viruses = viruses;
    endResetModel();
}

void ZoneOverviewModel::setStrategies(const StrategyList& strategies)
{
    beginResetModel();
    m_strategies = strategies;
    endResetModel();
}

void ZoneOverviewModel::setCells(std::unique_ptr<ZoneOverview> cells)
{
    beginResetModel();
    m_cells = std::move(cells);
    m_fresh = nullptr;
    m_freshShown.reset();
    endResetModel();
}

void ZoneOverviewModel::beginFresh(const ZoneOverview* fresh)
{
    beginResetModel();
    m_fresh = fresh;
    m_freshShown.reset();
    m_freshPending = false;
    endResetModel();
}

void ZoneOverviewModel::showFresh(int cell)
{
    if (m_fresh == nullptr || cell < 0 || cell >= kOverviewCells || m_freshShown[cell])
        return;
    m_freshShown.set(cell);
    m_freshPending = true;
}

// One signal for a batch: the grid's columns fit their contents, and each
// signal makes the view measure them all again.
void ZoneOverviewModel::announceFresh()
{
    if (!m_freshPending)
        return;
    m_freshPending = false;
    emit dataChanged(index(0, 0), index(kVirusCount - 1, kStrategyCount - 1));
}

void ZoneOverviewModel::endFresh()
{
    if (m_fresh == nullptr)
        return;
    beginResetModel();
    m_fresh = nullptr;
    m_freshShown.reset();
    endResetModel();
}

void ZoneOverviewModel::setFeasibleOnly(bool on)
{
    if (on == m_feasibleOnly)
        return;
    beginResetModel();
    m_feasibleOnly = on;
    endResetModel();
}

const OverviewCell* ZoneOverviewModel::cellAt(int row, int column) const
{
    if (row < 0 || row >= kVirusCount || column < 0 || column >= kStrategyCount)
        return nullptr;
    const int cell = row * kStrategyCount + GenerationPosition(m_strategies[column]);
    if (m_fresh != nullptr && m_freshShown[cell])
        return &(*m_fresh)[cell];
    if (!m_cells)
        return nullptr;
    return &(*m_cells)[cell];
}

bool ZoneOverviewModel::shows(const OverviewCell& cell) const
{
    return cell.found && (!m_feasibleOnly || IndexOf(cell.plan) >= kFeasibleIndex);
}

bool ZoneOverviewModel::rowShown(int row) const
{
    for (int column = 0; column < kStrategyCount; ++column) {
        const OverviewCell* cell = cellAt(row, column);
        if (cell != nullptr && shows(*cell))
            return true;
    }
    return false;
}

const ZoneOverviewModel::Band* ZoneOverviewModel::bands(int& count)
{
    count = static_cast<int>(std::size(kBands));
    return kBands;
}

QColor ZoneOverviewModel::emptyColor()
{
    return {0xd0, 0xd0, 0xd0};
}

int ZoneOverviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kVirusCount;
}

int ZoneOverviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kStrategyCount;
}

QVariant ZoneOverviewModel::data(const QModelIndex& index, int role) const
{
    const OverviewCell* cell = cellAt(index.row(), index.column());
    if (cell == nullptr)
        return role == Qt::BackgroundRole ? QVariant(emptyColor()) : QVariant();
    const bool shown = shows(*cell);
    const double feasibility = IndexOf(cell->plan);
    switch (role) {
    case Qt::DisplayRole:
        return shown ? QVariant(cellText(feasibility)) : QVariant();
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
            return PlanTexts::NoPlanCaption();
        return PlanTexts::TeamNames(*m_heroes, cell->plan) + u'\n' +
               tr("英雄属性总值: %1").arg(PlanTexts::StatTotals(cell->plan)) + u'\n' +
               PlanTexts::FeasibilityLabel() +
               QLocale(QLocale::Chinese, QLocale::China)
                   .toString(std::floor(feasibility + 0.5), 'f', 0);
    }
    default:
        return {};
    }
}

QVariant ZoneOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= kStrategyCount)
            return {};
        const Strategy& strategy = m_strategies[section];
        if (role == Qt::DisplayRole)
            return tr("%1轮/%2暴").arg(strategy.rounds()).arg(strategy.k);
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
