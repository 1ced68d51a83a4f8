#include "AlternativesWindow.h"

#include "PlanTexts.h"
#include "QuorvelDlg.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QShowEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kHeroRole = Qt::UserRole;

QString TeamNames(const HeroTable& heroes, const PlanRecord& plan)
{
    QStringList names;
    for (const std::uint32_t hero : plan.heroes) {
        if (hero < static_cast<std::uint32_t>(kHeroCount))
            names.append(PlanTexts::HeroNameText(heroes[hero]));
    }
    return names.join(u"、"_s);
}

} // namespace

CAlternativesWindow::CAlternativesWindow(CQuorvelDlg& mainWindow, PlanningTables& tables)
    : QWidget(&mainWindow, Qt::Window), m_main(mainWindow), m_tables(tables)
{
    setWindowTitle(QString::fromUtf8("备选方案"));

    m_request = new QLabel(this);
    m_request->setWordWrap(true);
    m_countBox = new QSpinBox(this);
    m_countBox->setRange(kFewest, kMaxTopTeams);
    m_countBox->setValue(kDefaultCount);
    m_countBox->setSuffix(QString::fromUtf8(" 个方案"));

    m_absentModel = new QStandardItemModel(this);
    m_absentList = new QListView(this);
    m_absentList->setModel(m_absentModel);
    m_absentList->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_teamModel = new QStandardItemModel(0, 4, this);
    m_teamModel->setHorizontalHeaderLabels(
        {QString::fromUtf8("名次"), QString::fromUtf8("队伍 (带队在前)"),
         QString::fromUtf8("英雄属性总值"), QString::fromUtf8("可行性指数")});
    m_teamList = new QTableView(this);
    m_teamList->setModel(m_teamModel);
    m_teamList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_teamList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_teamList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_teamList->verticalHeader()->hide();
    m_teamList->horizontalHeader()->setStretchLastSection(true);
    m_teamList->setWordWrap(false);

    auto* absentBox = new QWidget(this);
    auto* absentLayout = new QVBoxLayout(absentBox);
    absentLayout->setContentsMargins(0, 0, 0, 0);
    absentLayout->addWidget(
        new QLabel(QString::fromUtf8("缺席的英雄 (只在这里不计入):"), absentBox));
    absentLayout->addWidget(m_absentList);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_teamList);
    splitter->addWidget(absentBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_request, 1);
    top->addWidget(new QLabel(QString::fromUtf8("列出:"), this));
    top->addWidget(m_countBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    resize(900, 440);

    // A new count or a tick plans again over the same absent list; only the
    // main window's changes rebuild the list (never from inside its own
    // signal, which would delete the item being ticked).
    connect(m_countBox, &QSpinBox::valueChanged, this, &CAlternativesWindow::planTeams);
    connect(m_absentModel, &QStandardItemModel::itemChanged, this, [this]() {
        if (!m_filling)
            planTeams();
    });
    connect(m_teamList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CAlternativesWindow::onTeamSelected);
    connect(&m_main, &CQuorvelDlg::requestChanged, this, &CAlternativesWindow::refresh);
    connect(&m_main, &CQuorvelDlg::tablesChanged, this, &CAlternativesWindow::refresh);
}

void CAlternativesWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        recompute();
}

void CAlternativesWindow::refresh()
{
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    recompute();
}

HeroSet CAlternativesWindow::absentHeroes() const
{
    HeroSet absent;
    for (int row = 0; row < m_absentModel->rowCount(); ++row) {
        const QStandardItem* item = m_absentModel->item(row);
        if (item->checkState() == Qt::Checked)
            absent.insert(item->data(kHeroRole).toInt());
    }
    return absent;
}

void CAlternativesWindow::setAbsent(int hero, bool absent)
{
    for (int row = 0; row < m_absentModel->rowCount(); ++row) {
        QStandardItem* item = m_absentModel->item(row);
        if (item->data(kHeroRole).toInt() == hero && item->isCheckable())
            item->setCheckState(absent ? Qt::Checked : Qt::Unchecked);
    }
}

void CAlternativesWindow::fillAbsentList()
{
    // The checked heroes (the only ones a team can hold), absent ticks kept.
    const HeroSet absent = absentHeroes();
    const int leader = m_main.currentLeader();
    m_filling = true;
    m_absentModel->clear();
    for (int hero = 0; hero < kHeroCount; ++hero) {
        if (m_tables.heroTable[hero].checked == 0 && hero != leader)
            continue;
        auto* item = new QStandardItem(PlanTexts::HeroNameText(m_tables.heroTable[hero]));
        item->setData(hero, kHeroRole);
        if (hero == leader) {
            // The leader heads every alternative; it cannot be absent here.
            item->setText(item->text() + QString::fromUtf8(" (带队)"));
            item->setCheckable(false);
            item->setEnabled(false);
        } else {
            item->setCheckable(true);
            item->setCheckState(absent.contains(hero) ? Qt::Checked : Qt::Unchecked);
        }
        m_absentModel->appendRow(item);
    }
    m_filling = false;
}

void CAlternativesWindow::recompute()
{
    m_stale = false;
    fillAbsentList();
    planTeams();
}

void CAlternativesWindow::planTeams()
{
    m_teamModel->removeRows(0, m_teamModel->rowCount());
    m_teamList->clearSpans();
    m_count = 0;

    const int virus = m_main.currentVirus();
    const int leader = m_main.currentLeader();
    const std::optional<Strategy> strategy = m_main.currentStrategy();
    if (virus < 0 || leader < 0 || !strategy) {
        m_request->setText(QString::fromUtf8("请先在主窗口选择攻击目标、带队英雄和战斗策略。"));
        return;
    }
    m_request->setText(PlanTexts::VirusEntry(virus, m_tables.virusTable[virus]) + u'\n' +
                       QString::fromUtf8("带队英雄: ") +
                       PlanTexts::HeroNameText(m_tables.heroTable[leader]) + u"　"_s +
                       PlanTexts::StrategyEntry(*strategy));
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_count = FindTopTeams(m_tables, virus, strategy->hits(), strategy->crits, leader,
                               absentHeroes(), m_countBox->value(), m_plans.data());
        QGuiApplication::restoreOverrideCursor();
    }
    if (m_count == 0) {
        auto* none = new QStandardItem(PlanTexts::NoPlanCaption());
        m_teamModel->appendRow({none});
        m_teamList->setSpan(0, 0, 1, m_teamModel->columnCount());
        m_teamList->setEnabled(false);
        return;
    }
    m_teamList->setEnabled(true);
    for (int rank = 0; rank < m_count; ++rank) {
        const PlanRecord& plan = m_plans[rank];
        auto* number = new QStandardItem(QString::number(rank + 1));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* index = new QStandardItem(PlanTexts::FeasibilityIndex(plan));
        index->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_teamModel->appendRow({number, new QStandardItem(TeamNames(m_tables.heroTable, plan)),
                                new QStandardItem(PlanTexts::StatTotals(plan)), index});
    }
    m_teamList->resizeColumnsToContents();
}

void CAlternativesWindow::onTeamSelected()
{
    const QModelIndexList rows = m_teamList->selectionModel()->selectedRows();
    if (rows.isEmpty() || m_count == 0)
        return;
    const int rank = rows.first().row();
    if (rank < m_count)
        m_main.showAlternative(m_plans[rank], rank + 1);
}
