#include "ui/main/AdviceWindow.h"

#include "session/PlanningSession.h"
#include "texts/CheckTexts.h"
#include "texts/PlanTexts.h"
#include "ui/main/AdviceModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <stdexcept>

using namespace Qt::StringLiterals;

CAdviceWindow::CAdviceWindow(PlanningSession& session, QWidget& mainWindow)
    : CFollowingWindow(mainWindow), m_session(session), m_tables(session.tables()),
      m_computation([](const PlanningTables& searched, const PlanRequest& request,
                       TrainingAdvice& advice, const AdviceControl& control) {
          return FindTrainingAdvice(searched, request, advice, control);
      })
{
    setWindowTitle(tr("培养建议"));

    m_request = new QLabel(this);
    m_request->setWordWrap(true);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);

    m_model = new AdviceModel(this);
    m_list = new QTableView(this);
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->setWordWrap(false);
    // The team column takes the free width; the others fit their texts.
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(AdviceModel::TeamColumn, QHeaderView::Stretch);

    m_status = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    m_cancelButton = new QPushButton(tr("取消"), this);
    m_cancelButton->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(m_request, 1);
    top->addWidget(m_status);
    top->addWidget(m_progress);
    top->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_note);
    layout->addWidget(m_list, 1);
    resize(860, 420);

    m_progressDelay = new QTimer(this);
    m_progressDelay->setSingleShot(true);
    m_progressDelay->setInterval(kProgressDelayMs);
    m_progressPoll = new QTimer(this);
    m_progressPoll->setInterval(kProgressPollMs);
    connect(m_progressDelay, &QTimer::timeout, this, &CAdviceWindow::showProgress);
    connect(m_progressPoll, &QTimer::timeout, this, &CAdviceWindow::updateProgress);
    connect(m_cancelButton, &QPushButton::clicked, this, &CAdviceWindow::Cancel);
    connect(&m_watcher, &QFutureWatcher<bool>::finished, this, &CAdviceWindow::onFinished);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CAdviceWindow::onEntrySelected);
    connect(&m_session, &PlanningSession::changed, this, [this](PlanningSession::Changes what) {
        if (what.testAnyFlags(PlanningSession::kRequest | PlanningSession::kTables))
            refresh();
    });
}

CAdviceWindow::~CAdviceWindow()
{
    // The worker writes into members of this window: it must stop first.
    m_cancelFlag = true;
    m_watcher.waitForFinished();
}

void CAdviceWindow::hideEvent(QHideEvent* event)
{
    // Nobody sees the list any more: stop, and advise afresh when shown again.
    if (m_busy) {
        m_restart = false;
        m_cancelFlag = true;
        markStale();
    }
    QWidget::hideEvent(event);
}

void CAdviceWindow::recompute()
{
    if (m_busy) {
        // The running advice answers an older request: stop it and start
        // again once it has ended (it notices the flag between two searches).
        m_restart = true;
        m_cancelFlag = true;
        return;
    }
    start();
}

void CAdviceWindow::start()
{
    m_restart = false;
    const std::optional<PlanRequest> request = m_session.currentRequest();
    if (!request) {
        m_request->setText(PlanTexts::ChooseRequestFirst());
        m_note->clear();
        m_status->clear();
        m_model->clear();
        m_list->setEnabled(false);
        emit advicePlanned();
        return;
    }
    m_request->setText(PlanTexts::VirusEntry(request->virus, m_tables.virusTable[request->virus]) +
                       u'\n' +
                       tr("带队英雄: %1　%2")
                           .arg(PlanTexts::HeroNameText(m_tables.heroTable[request->leader]),
                                PlanTexts::StrategyEntry(request->strategy)));
    m_status->setText(tr("正在计算…"));
    m_list->setEnabled(false);

    // The worker advises on a copy: the user may edit the tables meanwhile.
    m_snapshot = std::make_unique<PlanningTables>(m_tables);
    m_found = std::make_unique<TrainingAdvice>();
    m_cancelFlag = false;
    m_tasksDone = 0;
    m_progress->setRange(0, std::max(1, AdviceTaskCount(*m_snapshot, *request)));
    m_progress->setValue(0);

    AdviceControl control;
    control.cancel = &m_cancelFlag;
    control.tasksDone = &m_tasksDone;
    const PlanningTables* snapshot = m_snapshot.get();
    TrainingAdvice* found = m_found.get();
    m_busy = true;
    m_watcher.setFuture(QtConcurrent::run(
        [computation = m_computation, snapshot, request = *request, found, control]() {
            try {
                return computation(*snapshot, request, *found, control);
            } catch (const std::invalid_argument&) {
                // A request the search refuses has no advice; the window
                // never makes one (nothing is excluded here).
                found->found = false;
                found->count = 0;
                return true;
            }
        }));
    m_progressDelay->start();
}

void CAdviceWindow::Cancel()
{
    if (!m_busy)
        return;
    m_restart = false;
    m_cancelFlag = true;
}

void CAdviceWindow::showProgress()
{
    if (!m_busy)
        return;
    updateProgress();
    m_progress->show();
    m_cancelButton->show();
    m_progressPoll->start();
}

void CAdviceWindow::updateProgress()
{
    m_progress->setValue(std::min(m_tasksDone.load(), m_progress->maximum()));
}

void CAdviceWindow::onFinished()
{
    m_busy = false;
    m_progressDelay->stop();
    m_progressPoll->stop();
    m_progress->hide();
    m_cancelButton->hide();
    const bool complete = m_watcher.future().result();
    const bool cancelled = m_cancelFlag.load() || !complete;
    if (m_restart) {
        start();
        return;
    }
    if (cancelled) {
        // What the worker left is partial or for an older request.
        m_status->setText(m_model->rowCount() > 0 ? tr("计算已取消 (灰色的是上一次的结果)")
                                                  : tr("计算已取消"));
    } else {
        m_status->clear();
        showAdvice(*m_found);
    }
    m_found.reset();
    m_snapshot.reset();
    emit advicePlanned();
}

void CAdviceWindow::showAdvice(const TrainingAdvice& advice)
{
    // The names are those of the tables the advice was made on.
    m_model->setAdvice(advice, m_snapshot->heroTable);
    QStringList notes;
    notes.append(advice.found ? CheckTexts::CurrentIndex(PlanTexts::FeasibilityIndex(advice.plan))
                              : PlanTexts::NoPlanCaption());
    if (advice.cuteWithheld)
        notes.append(CheckTexts::CuteWithheld());
    else if (advice.found && IsFeasiblePlan(advice.plan))
        notes.append(CheckTexts::AlreadyFeasible());
    else if (advice.count == 0)
        notes.append(CheckTexts::NothingReaches100());
    else
        notes.append(CheckTexts::AdviceTitle());
    m_note->setText(notes.join(u'\n'));
    m_list->setEnabled(advice.count > 0);
}

void CAdviceWindow::onEntrySelected()
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.first().row();
    if (row < m_model->rowCount())
        m_session.showSupposedPlan(m_model->entry(row), m_model->heroName(row));
}
