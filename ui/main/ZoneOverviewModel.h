#pragma once

#include "engine/Strategies.h"
#include "engine/ZoneOverview.h"

#include <QAbstractTableModel>
#include <QColor>

#include <bitset>
#include <memory>

// The zone at a glance for one leader: 64 rows (the levels, headed by their
// target-selector texts) × 21 columns (the strategies in the strategy
// selector's order, headed by rounds and crits, the win chance in the
// tooltip). A cell shows the feasibility index of the best team, coloured on
// a scale that reads without telling red from green, and the team in its
// tooltip; it is empty and grey where no team scores above 0.
class ZoneOverviewModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZoneOverviewModel)

public:
    // The plan of a cell, for whoever opens it.
    static constexpr int kFoundRole = Qt::UserRole;
    static constexpr int kIndexRole = Qt::UserRole + 1; // the index as a number
    // With the feasible-only filter, cells below this index show as empty.
    static constexpr double kFeasibleIndex = 100.0;

    explicit ZoneOverviewModel(QObject* parent = nullptr);

    // The tables the cells' texts are read from (names and level texts).
    void setTables(const HeroTable* heroes, const VirusTable* viruses);
    // The columns' strategies, in the order they are shown.
    void setStrategies(const StrategyList& strategies);
    // New cells for every level and strategy; nullptr empties the grid.
    // Ends any fresh cells shown over the grid.
    void setCells(std::unique_ptr<ZoneOverview> cells);
    // While a new overview is computed into `fresh`, its cells show over the
    // grid as showFresh(cell) is called for them (after their flag was seen
    // set), each batch announced by one announceFresh(); endFresh() drops
    // them, as after a cancel.
    void beginFresh(const ZoneOverview* fresh);
    void showFresh(int cell);
    void announceFresh();
    void endFresh();
    void setFeasibleOnly(bool on);
    bool feasibleOnly() const { return m_feasibleOnly; }

    const Strategy& strategyOfColumn(int column) const { return m_strategies[column]; }
    // The engine cell shown at (row, column), or nullptr while there is none.
    const OverviewCell* cellAt(int row, int column) const;
    // Whether a level has a cell the filter shows.
    bool rowShown(int row) const;

    // The index as a cell shows it: whole below ten thousand, past that in
    // 万 (10^4), 亿 (10^8) or 万亿 (10^12) with three significant digits, so
    // that it reads at a glance and fits a narrow column; the cell's tooltip
    // has the exact index, its digits grouped. In a language that counts in
    // thousands, whole below a thousand, then in its K, M, B or T.
    static QString cellText(double index);

    // The colour scale, lowest band first, with the legend's texts.
    struct Band
    {
        double fromIndex;
        QColor background;
        QColor text;
        const char* label;
    };
    static const Band* bands(int& count);
    // A band's legend text in the shown language.
    static QString bandLabel(const Band& band);
    static QColor emptyColor();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool shows(const OverviewCell& cell) const;

    const HeroTable* m_heroes = nullptr;
    const VirusTable* m_viruses = nullptr;
    StrategyList m_strategies{};
    std::unique_ptr<ZoneOverview> m_cells;
    const ZoneOverview* m_fresh = nullptr;
    std::bitset<kOverviewCells> m_freshShown;
    bool m_freshPending = false; // shown since the last announceFresh()
    bool m_feasibleOnly = false;
};

// A strategy's position in generation order (the overview's cell layout).
int GenerationPosition(const Strategy& strategy);
