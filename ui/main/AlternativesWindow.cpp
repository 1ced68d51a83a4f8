#include "ui/main/AlternativesWindow.h"

#include "session/PlanningSession.h"
#include "texts/PlanTexts.h"
#include "ui/common/ToolWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

namespace {

constexpr int kHeroRole = Qt::UserRole;

} // namespace

CAlternativesWindow::CAlternativesWindow(PlanningSession& session, QWidget& mainWindow)
    : CFollowingWindow(mainWindow), m_session(session), m_tables(session.tables()),
      m_computation([](const PlanningTables& searched, const PlanRequest& request, int wanted,
                       PlanRecord* plans, const std::atomic<bool>* cancel) {
          return FindTopTeams(searched, request, wanted, plans, nullptr, cancel);
      })
{
    setWindowTitle(tr("备选方案"));

    m_request = new QLabel(this);
    m_request->setWordWrap(true);
    m_countBox = new QSpinBox(this);
    m_countBox->setRange(kFewest, kMaxTopTeams);
    m_countBox->setValue(kDefaultCount);
    m_countBox->setSuffix(tr(" 个方案"));

    m_absentModel = new QStandardItemModel(this);
    m_absentList = new QListView(this);
    m_absentList->setModel(m_absentModel);
    m_absentList->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_teamModel = new QStandardItemModel(0, 4, this);
    m_teamModel->setHorizontalHeaderLabels(
        {tr("名次"), tr("队伍 (带队在前)"), tr("英雄属性总值"), tr("可行性指数")});
    m_teamList = new QTableView(this);
    m_teamList->setModel(m_teamModel);
    m_teamList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_teamList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_teamList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_teamList->verticalHeader()->hide();
    // The team column takes the free width; the others fit their texts.
    m_teamList->horizontalHeader()->setStretchLastSection(false);
    m_teamList->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_teamList->setWordWrap(false);

    m_status = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 0); // the search cannot tell how far it is
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    m_cancelButton = new QPushButton(tr("取消"), this);
    m_cancelButton->hide();

    auto* absentBox = new QWidget(this);
    auto* absentLayout = new QVBoxLayout(absentBox);
    absentLayout->setContentsMargins(0, 0, 0, 0);
    absentLayout->addWidget(new QLabel(tr("缺席的英雄 (只在这里不计入):"), absentBox));
    absentLayout->addWidget(m_absentList);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_teamList);
    splitter->addWidget(absentBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_request, 1);
    top->addWidget(m_status);
    top->addWidget(m_progress);
    top->addWidget(m_cancelButton);
    top->addSpacing(12);
    top->addWidget(new QLabel(tr("列出:"), this));
    top->addWidget(m_countBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    resize(900, 440);
    PrepareToolWindow(*this, u"Alternatives"_s);

    m_progressDelay = new QTimer(this);
    m_progressDelay->setSingleShot(true);
    m_progressDelay->setInterval(kProgressDelayMs);
    connect(m_progressDelay, &QTimer::timeout, this, &CAlternativesWindow::showProgress);
    connect(m_cancelButton, &QPushButton::clicked, this, &CAlternativesWindow::Cancel);
    connect(&m_watcher, &QFutureWatcher<int>::finished, this, &CAlternativesWindow::onFinished);

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
    connect(&m_session, &PlanningSession::changed, this, [this](PlanningSession::Changes what) {
        if (what.testAnyFlags(PlanningSession::kRequest | PlanningSession::kTables))
            refresh();
    });
}

CAlternativesWindow::~CAlternativesWindow()
{
    // The worker writes into members of this window: it must stop first.
    m_cancelFlag = true;
    m_watcher.waitForFinished();
}

void CAlternativesWindow::hideEvent(QHideEvent* event)
{
    // Nobody sees the list any more: stop, and plan afresh when shown again.
    if (m_busy) {
        m_restart = false;
        m_cancelFlag = true;
        markStale();
    }
    QWidget::hideEvent(event);
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
    const int leader = m_session.currentLeader();
    m_filling = true;
    m_absentModel->clear();
    for (int hero = 0; hero < kHeroCount; ++hero) {
        if (m_tables.heroTable[hero].checked == 0 && hero != leader)
            continue;
        auto* item = new QStandardItem(PlanTexts::HeroNameText(m_tables.heroTable[hero]));
        item->setData(hero, kHeroRole);
        if (hero == leader) {
            // The leader heads every alternative; it cannot be absent here.
            item->setText(tr("%1 (带队)").arg(item->text()));
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
    fillAbsentList();
    planTeams();
}

void CAlternativesWindow::planTeams()
{
    if (m_busy) {
        // The running search answers an older request: stop it and start
        // again once it has ended (it notices the flag within milliseconds).
        m_restart = true;
        m_cancelFlag = true;
        return;
    }
    start();
}

void CAlternativesWindow::start()
{
    m_restart = false;
    const int virus = m_session.currentVirus();
    const int leader = m_session.currentLeader();
    const std::optional<Strategy> strategy = m_session.currentStrategy();
    if (virus < 0 || leader < 0 || !strategy) {
        m_request->setText(PlanTexts::ChooseRequestFirst());
        m_status->clear();
        m_count = 0;
        m_teamModel->removeRows(0, m_teamModel->rowCount());
        m_teamList->clearSpans();
        m_teamList->setEnabled(false);
        emit teamsPlanned();
        return;
    }
    m_request->setText(PlanTexts::VirusEntry(virus, m_tables.virusTable[virus]) + u'\n' +
                       tr("带队英雄: %1　%2")
                           .arg(PlanTexts::HeroNameText(m_tables.heroTable[leader]),
                                PlanTexts::StrategyEntry(*strategy)));
    m_status->setText(tr("正在计算…"));
    m_teamList->setEnabled(false);

    // The worker searches a copy: the user may edit the tables meanwhile.
    m_snapshot = std::make_unique<PlanningTables>(m_tables);
    m_found = std::make_unique<std::array<PlanRecord, kMaxTopTeams>>();
    m_cancelFlag = false;
    const PlanningTables* snapshot = m_snapshot.get();
    PlanRecord* found = m_found->data();
    const PlanRequest request{virus, leader, *strategy, absentHeroes()};
    const int wanted = m_countBox->value();
    const std::atomic<bool>* flag = &m_cancelFlag;
    m_busy = true;
    m_watcher.setFuture(
        QtConcurrent::run([computation = m_computation, snapshot, request, wanted, found, flag]() {
            return computation(*snapshot, request, wanted, found, flag);
        }));
    m_progressDelay->start();
}

void CAlternativesWindow::Cancel()
{
    if (!m_busy)
        return;
    m_restart = false;
    m_cancelFlag = true;
}

void CAlternativesWindow::showProgress()
{
    if (!m_busy)
        return;
    m_progress->show();
    m_cancelButton->show();
}

void CAlternativesWindow::onFinished()
{
    m_busy = false;
    m_progressDelay->stop();
    m_progress->hide();
    m_cancelButton->hide();
    const int count = m_watcher.future().result();
    const bool cancelled = m_cancelFlag.load();
    if (m_restart) {
        start();
        return;
    }
    if (cancelled) {
        // What the worker left is partial or for an older request.
        m_status->setText(m_count > 0 ? tr("计算已取消 (灰色的是上一次的结果)") : tr("计算已取消"));
    } else {
        m_count = count;
        std::copy(m_found->begin(), m_found->begin() + count, m_plans.begin());
        m_status->clear();
        showTeams();
    }
    m_found.reset();
    m_snapshot.reset();
    emit teamsPlanned();
}

void CAlternativesWindow::showTeams()
{
    m_teamModel->removeRows(0, m_teamModel->rowCount());
    m_teamList->clearSpans();
    if (m_count == 0) {
        auto* none = new QStandardItem(PlanTexts::NoPlanCaption());
        m_teamModel->appendRow(none);
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
        m_teamModel->appendRow({number,
                                new QStandardItem(PlanTexts::TeamNames(m_tables.heroTable, plan)),
                                new QStandardItem(PlanTexts::StatTotals(plan)), index});
    }
    for (const int column : {0, 2, 3})
        m_teamList->resizeColumnToContents(column);
}

void CAlternativesWindow::onTeamSelected()
{
    const QModelIndexList rows = m_teamList->selectionModel()->selectedRows();
    if (rows.isEmpty() || m_count == 0)
        return;
    const int rank = rows.first().row();
    if (rank < m_count)
        m_session.showAlternative(m_plans[rank], rank + 1);
}
