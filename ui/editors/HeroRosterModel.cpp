#include "ui/editors/HeroRosterModel.h"

#include "texts/PlanTexts.h"
#include "ui/editors/CellValues.h"

#include <algorithm>
#include <numeric>

namespace {

std::uint16_t& Stat(HeroRecord& hero, int column)
{
    switch (column) {
    case HeroRosterModel::kSmart:
        return hero.smart;
    case HeroRosterModel::kCute:
        return hero.cute;
    default:
        return hero.abnormal;
    }
}

} // namespace

HeroRosterModel::HeroRosterModel(const HeroTable& heroes, QObject* parent)
    : QAbstractTableModel(parent), m_heroes(heroes), m_records(kHeroCount), m_checked(kHeroCount)
{
    std::iota(m_records.begin(), m_records.end(), 0);
    for (int row = 0; row < kHeroCount; ++row)
        m_checked[static_cast<std::size_t>(row)] =
            m_heroes[static_cast<std::size_t>(row)].checked != 0;
}

HeroRosterModel::~HeroRosterModel() = default;

int HeroRosterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kHeroCount;
}

int HeroRosterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

int HeroRosterModel::sortKey(const HeroRecord& hero, int column)
{
    switch (column) {
    case kSmart:
        return hero.smart;
    case kCute:
        return hero.cute;
    case kAbnormal:
        return hero.abnormal;
    case kSmartCute:
        return hero.smart + hero.cute;
    default:
        return hero.smart + hero.cute + hero.abnormal;
    }
}

QVariant HeroRosterModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row();
    const int column = index.column();
    const HeroRecord& hero = recordAt(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == kName)
            return PlanTexts::HeroNameText(hero);
        return CellValues::StatText(sortKey(hero, column)); // a stat is its own key
    case Qt::CheckStateRole:
        if (column == kName)
            return rowChecked(row) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        return int((column == kName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    case Qt::UserRole:
        return recordOfRow(row);
    default:
        return {};
    }
}

QVariant HeroRosterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    static constexpr const char* kHeadings[kColumnCount] = {
        QT_TR_NOOP("名称"),   QT_TR_NOOP("聪明"),      QT_TR_NOOP("可爱"),
        QT_TR_NOOP("不正常"), QT_TR_NOOP("聪明+可爱"), QT_TR_NOOP("总值")};
    if (role == Qt::DisplayRole)
        return tr(kHeadings[section]);
    if (role == Qt::TextAlignmentRole)
        return int((section == kName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags HeroRosterModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == kName)
        flags |= Qt::ItemIsUserCheckable;
    if (index.column() <= kAbnormal)
        flags |= Qt::ItemIsEditable; // the sums follow the stats
    return flags;
}

bool HeroRosterModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::CheckStateRole && column == kName) {
        m_checked[static_cast<std::size_t>(row)] = value.value<Qt::CheckState>() == Qt::Checked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    if (role != Qt::EditRole || column > kAbnormal)
        return false;
    HeroRecord& hero = recordAt(row);
    if (column == kName)
        CellValues::StoreName(hero.name, value.toString());
    else
        Stat(hero, column) = CellValues::ReadStat(value.toString());
    rowChanged(row);
    return true;
}

void HeroRosterModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

int HeroRosterModel::checkedRows() const
{
    return static_cast<int>(std::count(m_checked.begin(), m_checked.end(), true));
}

void HeroRosterModel::setChecked(int row, bool checked)
{
    m_checked[static_cast<std::size_t>(row)] = checked;
    recordAt(row).checked = checked ? 1 : 0;
    emit dataChanged(index(row, kName), index(row, kName), {Qt::CheckStateRole});
}

void HeroRosterModel::storeCheck(int row)
{
    recordAt(row).checked = rowChecked(row) ? 1 : 0;
}

void HeroRosterModel::arrange(const std::vector<int>& order)
{
    Q_ASSERT(order.size() == m_records.size());
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(order.size());
    std::vector<int> records(order.size());
    std::vector<bool> checked(order.size());
    for (std::size_t row = 0; row < order.size(); ++row) {
        const auto from = static_cast<std::size_t>(order[row]);
        records[row] = m_records[from];
        checked[row] = m_checked[from];
        newRowOf[from] = static_cast<int>(row);
    }
    m_records = std::move(records);
    m_checked = std::move(checked);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& old : before)
        after.append(index(newRowOf[static_cast<std::size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void HeroRosterModel::sortBy(int column)
{
    if (column <= kName || column >= kColumnCount)
        return;
    std::vector<int> order(m_records.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> keys(order.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        keys[row] = sortKey(recordAt(static_cast<int>(row)), column);
    // Always descending, the largest on top; equal keys keep their order.
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] > keys[static_cast<std::size_t>(b)];
    });
    arrange(order);
}

void HeroRosterModel::loadRecords(const HeroTable& heroes)
{
    m_heroes = heroes;
    for (int row = 0; row < kHeroCount; ++row)
        m_checked[static_cast<std::size_t>(row)] = recordAt(row).checked != 0;
    emit dataChanged(index(0, 0), index(kHeroCount - 1, kColumnCount - 1));
}

HeroTable HeroRosterModel::inDisplayOrder() const
{
    HeroTable table = m_heroes;
    for (int row = 0; row < kHeroCount; ++row) {
        const HeroRecord& shown = recordAt(row);
        HeroRecord& hero = table[static_cast<std::size_t>(row)];
        hero.checked = rowChecked(row) ? 1 : 0;
        CellValues::StoreName(hero.name, PlanTexts::HeroNameText(shown));
        hero.smart = shown.smart;
        hero.cute = shown.cute;
        hero.abnormal = shown.abnormal;
    }
    return table;
}
