#include "ui/main/MultiTeamWindow.h"

#include "session/PlanningSession.h"
#include "texts/PlanTexts.h"
#include "ui/common/CopiedNotice.h"
#include "ui/common/ToolWindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

CMultiTeamWindow::CMultiTeamWindow(PlanningSession& session, QWidget& mainWindow)
    : CFollowingWindow(mainWindow), m_session(session), m_tables(session.tables())
{
    setWindowTitle(tr("多队规划"));
    m_request = new QLabel(this);
    m_request->setWordWrap(true);
    m_firstLeader = new QLabel(this);

    auto* leaders = new QFormLayout;
    leaders->addRow(tr("第1队带队:"), m_firstLeader);
    for (int row = 1; row < kMaxDisjointLeaders; ++row) {
        auto* box = new QComboBox(this);
        box->setMaxVisibleItems(20);
        // Filled by the first plan, after the window has first been shown.
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        m_leaderBoxes[row] = box;
        leaders->addRow(tr("第%1队带队:").arg(row + 1), box);
        connect(box, &QComboBox::currentIndexChanged, this, [this]() {
            if (!m_filling)
                refresh();
        });
    }

    m_teamModel = new QStandardItemModel(0, 3, this);
    m_teamModel->setHorizontalHeaderLabels({tr("带队"), tr("队伍 (带队在前)"), tr("可行性指数")});
    m_teamList = new QTableView(this);
    m_teamList->setModel(m_teamModel);
    m_teamList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_teamList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_teamList->verticalHeader()->hide();
    m_teamList->horizontalHeader()->setStretchLastSection(true);
    m_teamList->setWordWrap(false);

    m_copyButton = new QPushButton(tr("复制全部"), this);
    connect(m_copyButton, &QPushButton::clicked, this, &CMultiTeamWindow::CopyTeams);

    auto* body = new QHBoxLayout;
    body->addLayout(leaders);
    body->addWidget(m_teamList, 1);
    m_status = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 0); // the plan cannot tell how far it is
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    m_cancelButton = new QPushButton(tr("取消"), this);
    m_cancelButton->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, &CMultiTeamWindow::Cancel);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status);
    bottom->addWidget(m_progress);
    bottom->addWidget(m_cancelButton);
    bottom->addStretch();
    bottom->addWidget(m_copyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_request);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
    resize(820, 360);
    PrepareToolWindow(*this, u"MultiTeam"_s);

    m_changeTimer = new QTimer(this);
    m_changeTimer->setSingleShot(true);
    m_changeTimer->setInterval(0);
    connect(m_changeTimer, &QTimer::timeout, this, &CMultiTeamWindow::plan);
    m_progressDelay = new QTimer(this);
    m_progressDelay->setSingleShot(true);
    m_progressDelay->setInterval(kProgressDelayMs);
    connect(m_progressDelay, &QTimer::timeout, this, &CMultiTeamWindow::showProgress);
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, &CMultiTeamWindow::onFinished);

    connect(&m_session, &PlanningSession::changed, this, [this](PlanningSession::Changes what) {
        if (what.testAnyFlags(PlanningSession::kRequest | PlanningSession::kTables))
            refresh();
    });
}

CMultiTeamWindow::~CMultiTeamWindow()
{
    // The worker writes into members of this window: it must end first, and
    // need not finish a plan nobody will see.
    m_stopWorker.store(true, std::memory_order_relaxed);
    m_watcher.waitForFinished();
}

bool CMultiTeamWindow::isComputing() const
{
    return m_busy || m_changeTimer->isActive();
}

void CMultiTeamWindow::Cancel()
{
    if (!isComputing())
        return;
    // A change not yet planned is dropped with the plan; the planner stops
    // soon after, on its own copy of the tables.
    m_stopWorker.store(true, std::memory_order_relaxed);
    m_changeTimer->stop();
    m_restart = false;
    m_dropped = true;
    m_teamList->setEnabled(false); // what it shows is the earlier answer
    m_progressDelay->stop();
    m_progress->hide();
    m_cancelButton->hide();
    m_status->setText(m_count > 0 ? tr("计算已取消 (灰色的是上一次的结果)") : tr("计算已取消"));
}

void CMultiTeamWindow::setLeader(int row, int hero)
{
    if (row < 1 || row >= kMaxDisjointLeaders)
        return;
    QComboBox* box = m_leaderBoxes[row];
    box->setCurrentIndex(std::max(0, box->findData(hero)));
}

int CMultiTeamWindow::leaders(int* out) const
{
    const int first = m_session.currentLeader();
    if (first < 0)
        return 0;
    int count = 0;
    out[count++] = first;
    for (int row = 1; row < kMaxDisjointLeaders; ++row) {
        const int hero = m_leaderBoxes[row]->currentData().toInt();
        if (hero < 0)
            continue;
        // A leader chosen twice leads one team only.
        if (std::find(out, out + count, hero) == out + count)
            out[count++] = hero;
    }
    return count;
}

void CMultiTeamWindow::fillLeaderSelectors()
{
    const int first = m_session.currentLeader();
    m_filling = true;
    for (int row = 1; row < kMaxDisjointLeaders; ++row) {
        QComboBox* box = m_leaderBoxes[row];
        const int chosen = box->currentData().isValid() ? box->currentData().toInt() : -1;
        box->clear();
        box->addItem(tr("(无)"), -1);
        // Team 1's leader is the main window's and leads no other team.
        for (int hero = 0; hero < kHeroCount; ++hero) {
            if (hero != first)
                box->addItem(PlanTexts::HeroNameText(m_tables.heroTable[hero]), hero);
        }
        box->setCurrentIndex(std::max(0, box->findData(chosen)));
    }
    m_filling = false;
}

void CMultiTeamWindow::recompute()
{
    // The main window's request and its tables often change together:
    // their signals arrive one after the other and make one plan.
    m_changeTimer->start();
}

void CMultiTeamWindow::plan()
{
    fillLeaderSelectors();
    const int virus = m_session.currentVirus();
    const std::optional<Strategy> strategy = m_session.currentStrategy();
    const int first = m_session.currentLeader();
    m_firstLeader->setText(first >= 0 ? PlanTexts::HeroNameText(m_tables.heroTable[first])
                                      : PlanTexts::NoLeaderText());
    if (virus < 0 || first < 0 || !strategy) {
        m_request->setText(PlanTexts::ChooseRequestFirst());
        if (m_busy) {
            m_restart = false;
            m_dropped = true;
        }
        m_count = 0;
        m_teamModel->removeRows(0, m_teamModel->rowCount());
        m_copyButton->setEnabled(false);
        emit teamsPlanned();
        return;
    }
    m_request->setText(PlanTexts::VirusEntry(virus, m_tables.virusTable[virus]) + u"　"_s +
                       PlanTexts::StrategyEntry(*strategy));
    if (m_busy) {
        // The running plan answers an older request: it stops, and the new
        // one is planned once it has.
        m_stopWorker.store(true, std::memory_order_relaxed);
        m_restart = true;
        m_dropped = true;
        return;
    }
    start();
}

void CMultiTeamWindow::start()
{
    const int virus = m_session.currentVirus();
    const std::optional<Strategy> strategy = m_session.currentStrategy();
    m_restart = false;
    m_dropped = false;
    m_pendingCount = leaders(m_pendingLeaders.data());
    if (virus < 0 || !strategy || m_pendingCount == 0)
        return;
    m_status->setText(tr("正在计算…"));
    m_teamList->setEnabled(false);
    m_copyButton->setEnabled(false);

    // The worker plans on a copy: the user may edit the tables meanwhile.
    m_snapshot = std::make_unique<PlanningTables>(m_tables);
    const PlanningTables* snapshot = m_snapshot.get();
    const int* leaderList = m_pendingLeaders.data();
    const int count = m_pendingCount;
    DisjointTeam* found = m_found.data();
    PlanRequest request;
    request.virus = virus;
    request.strategy = *strategy;
    m_busy = true;
    ++m_plansStarted;
    m_stopWorker.store(false, std::memory_order_relaxed);
    const std::atomic<bool>* stop = &m_stopWorker;
    m_watcher.setFuture(QtConcurrent::run([snapshot, request, leaderList, count, found, stop] {
        PlanDisjointTeams(*snapshot, request, leaderList, count, found, stop);
    }));
    m_progressDelay->start();
}

void CMultiTeamWindow::showProgress()
{
    if (!m_busy || m_dropped)
        return;
    m_progress->show();
    m_cancelButton->show();
}

void CMultiTeamWindow::onFinished()
{
    m_busy = false;
    m_snapshot.reset();
    m_progressDelay->stop();
    m_progress->hide();
    m_cancelButton->hide();
    if (m_restart) {
        start();
        return;
    }
    if (!m_dropped) {
        m_teamList->setEnabled(true);
        m_count = m_pendingCount;
        m_leaders = m_pendingLeaders;
        m_teams = m_found;
        m_status->clear();
        showTeams();
    }
    m_copyButton->setEnabled(m_count > 0);
    emit teamsPlanned();
}

void CMultiTeamWindow::showTeams()
{
    m_teamModel->removeRows(0, m_teamModel->rowCount());
    for (int i = 0; i < m_count; ++i) {
        const DisjointTeam& team = m_teams[i];
        auto* index =
            new QStandardItem(team.found ? PlanTexts::FeasibilityIndex(team.plan) : QString());
        index->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_teamModel->appendRow(
            {new QStandardItem(PlanTexts::HeroNameText(m_tables.heroTable[m_leaders[i]])),
             new QStandardItem(team.found ? PlanTexts::TeamNames(m_tables.heroTable, team.plan)
                                          : PlanTexts::NoPlanCaption()),
             index});
    }
    // Columns only grow while the window is open: a replan does not make
    // them jump back and forth.
    for (int column = 0; column < m_teamModel->columnCount(); ++column) {
        const int before = m_teamList->columnWidth(column);
        m_teamList->resizeColumnToContents(column);
        m_teamList->setColumnWidth(column, std::max(before, m_teamList->columnWidth(column)));
    }
}

QString CMultiTeamWindow::teamsText() const
{
    const int virus = m_session.currentVirus();
    const std::optional<Strategy> strategy = m_session.currentStrategy();
    if (virus < 0 || !strategy || m_count == 0)
        return {};
    QString text = PlanTexts::VirusEntry(virus, m_tables.virusTable[virus]) + u'\n' +
                   PlanTexts::StrategyEntry(*strategy) + u'\n';
    for (int i = 0; i < m_count; ++i) {
        const DisjointTeam& team = m_teams[i];
        // A team without a plan names its leader instead.
        const QString members = team.found
                                    ? PlanTexts::TeamNames(m_tables.heroTable, team.plan)
                                    : PlanTexts::HeroNameText(m_tables.heroTable[m_leaders[i]]);
        const QString outcome =
            team.found ? PlanTexts::FeasibilityLine(team.plan) : PlanTexts::NoPlanCaption();
        text += tr("第%1队: %2　%3").arg(i + 1).arg(members, outcome) + u'\n';
    }
    return text;
}

void CMultiTeamWindow::CopyTeams()
{
    const QString text = teamsText();
    if (text.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(text);
    CopiedNotice::Show(*this);
}
