#include "ui/main/ZoneOverviewWindow.h"

#include "session/PlanningSession.h"
#include "texts/PlanTexts.h"
#include "ui/common/ToolWindow.h"
#include "ui/main/ZoneOverviewModel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

namespace {

constexpr int kProgressTickMs = 50;

QWidget* MakeLegend(QWidget* parent)
{
    auto* legend = new QWidget(parent);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(
        new QLabel(QCoreApplication::translate("CZoneOverviewWindow", "可行性指数:"), legend));
    const auto addSwatch = [&](const QColor& background, const QColor& text, const QString& label) {
        auto* swatch = new QLabel(label, legend);
        swatch->setAlignment(Qt::AlignCenter);
        swatch->setAutoFillBackground(true);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::WindowText, text);
        swatch->setPalette(palette);
        swatch->setMargin(2);
        row->addWidget(swatch);
    };
    int count = 0;
    const ZoneOverviewModel::Band* bands = ZoneOverviewModel::bands(count);
    for (int i = 0; i < count; ++i)
        addSwatch(bands[i].background, bands[i].text, ZoneOverviewModel::bandLabel(bands[i]));
    addSwatch(ZoneOverviewModel::emptyColor(), QColor(Qt::black),
              QCoreApplication::translate("CZoneOverviewWindow", "无可行方案"));
    row->addStretch();
    return legend;
}

} // namespace

CZoneOverviewWindow::CZoneOverviewWindow(PlanningSession& session, QWidget& mainWindow)
    : CFollowingWindow(mainWindow), m_session(session), m_tables(session.tables()),
      m_computation([](const PlanningTables& searched, const PlanRequest& request,
                       ZoneOverview& cells, const OverviewControl& control) {
          return PlanZoneOverview(searched, request, cells, control);
      })
{
    setWindowTitle(tr("关卡总览"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_model = new ZoneOverviewModel(this);
    m_model->setTables(&m_tables.heroTable, &m_tables.virusTable);

    m_status = new QLabel(this);
    m_feasibleOnly = new QCheckBox(tr("只显示可行 (≥100)"), this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, kOverviewCells);
    m_progress->hide();
    m_cancelButton = new QPushButton(tr("取消"), this);
    m_cancelButton->hide();

    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->setWordWrap(false);

    auto* top = new QHBoxLayout;
    top->addWidget(m_status, 1);
    top->addWidget(m_feasibleOnly);
    top->addWidget(m_progress);
    top->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(MakeLegend(this));

    m_progressDelay = new QTimer(this);
    m_progressDelay->setSingleShot(true);
    m_progressDelay->setInterval(kProgressDelayMs);
    m_progressTick = new QTimer(this);
    m_progressTick->setInterval(kProgressTickMs);

    connect(m_progressDelay, &QTimer::timeout, this, &CZoneOverviewWindow::showProgress);
    connect(m_progressTick, &QTimer::timeout, this, [this]() {
        m_progress->setValue(m_cellsDone.load());
        showReadyCells();
    });
    connect(m_cancelButton, &QPushButton::clicked, this, &CZoneOverviewWindow::Cancel);
    connect(m_feasibleOnly, &QCheckBox::toggled, this, &CZoneOverviewWindow::applyFilter);
    connect(m_grid, &QTableView::activated, this, &CZoneOverviewWindow::onCellActivated);
    connect(&m_watcher, &QFutureWatcher<bool>::finished, this, &CZoneOverviewWindow::onFinished);
    // The grid plans one leader over every level and strategy: only the
    // leader and the tables change it; the strategies' order only moves its
    // columns.
    connect(&m_session, &PlanningSession::changed, this, [this](PlanningSession::Changes what) {
        if (what.testFlag(PlanningSession::Change::StrategyOrder))
            followStrategyOrder();
        if (what.testAnyFlags(PlanningSession::kTables | PlanningSession::Change::Leader))
            refresh();
    });

    resize(900, 600);
    PrepareToolWindow(*this, u"ZoneOverview"_s);
    followStrategyOrder();
}

CZoneOverviewWindow::~CZoneOverviewWindow()
{
    // The worker writes into members of this window: it must stop first.
    m_cancelFlag = true;
    m_watcher.waitForFinished();
}

void CZoneOverviewWindow::followStrategyOrder()
{
    StrategyList strategies{};
    for (int position = 0; position < kStrategyCount; ++position)
        strategies[position] = m_session.strategyOrder()[position];
    m_model->setStrategies(strategies);
    applyFilter();
}

void CZoneOverviewWindow::recompute()
{
    if (m_busy) {
        // The grid would be stale: stop the old one and start again when it
        // has ended (the worker notices the flag within a cell).
        m_restart = true;
        m_cancelFlag = true;
        return;
    }
    start();
}

void CZoneOverviewWindow::start()
{
    m_restart = false;
    m_leader = m_session.currentLeader();
    if (m_leader < 0) {
        m_model->setCells(nullptr);
        m_status->setText(tr("未选择带队英雄"));
        applyFilter();
        emit refreshEnded();
        return;
    }
    // The worker plans on a copy: the user may edit the tables meanwhile.
    m_snapshot = std::make_unique<PlanningTables>(m_tables);
    m_cells = std::make_unique<ZoneOverview>();
    m_cancelFlag = false;
    m_cellsDone = 0;
    for (int cell = 0; cell < kOverviewCells; ++cell)
        m_cellsReady[cell].store(false, std::memory_order_relaxed);
    m_status->setText(
        tr("带队英雄: %1　正在计算…").arg(PlanTexts::HeroNameText(m_tables.heroTable[m_leader])));
    OverviewControl control;
    control.cancel = &m_cancelFlag;
    control.cellsDone = &m_cellsDone;
    control.cellsReady = m_cellsReady.get();
    // The cells filled so far show over the last grid while the rest are
    // computed; a cancel drops them again.
    m_model->beginFresh(m_cells.get());
    const PlanningTables* snapshot = m_snapshot.get();
    ZoneOverview* cells = m_cells.get();
    const int leader = m_leader;
    m_busy = true;
    m_watcher.setFuture(
        QtConcurrent::run([computation = m_computation, snapshot, leader, cells, control]() {
            PlanRequest request;
            request.leader = leader;
            return computation(*snapshot, request, *cells, control);
        }));
    m_progress->setValue(0);
    m_progressDelay->start();
    m_progressTick->start();
}

void CZoneOverviewWindow::Cancel()
{
    if (!m_busy)
        return;
    m_restart = false;
    m_cancelFlag = true;
}

void CZoneOverviewWindow::showProgress()
{
    if (!m_busy)
        return;
    m_progress->setValue(m_cellsDone.load());
    m_progress->show();
    m_cancelButton->show();
    m_progressTick->start();
}

void CZoneOverviewWindow::showReadyCells()
{
    if (!m_busy)
        return;
    // Acquire: a flag seen set makes its cell's plan visible to this thread.
    for (int cell = 0; cell < kOverviewCells; ++cell) {
        if (m_cellsReady[cell].load(std::memory_order_acquire))
            m_model->showFresh(cell);
    }
    m_model->announceFresh();
}

void CZoneOverviewWindow::onFinished()
{
    m_busy = false;
    m_progressDelay->stop();
    m_progressTick->stop();
    m_progress->hide();
    m_cancelButton->hide();
    const bool complete = m_watcher.future().result();
    if (m_restart) {
        m_model->endFresh();
        start();
        return;
    }
    const QString leader = PlanTexts::HeroNameText(m_tables.heroTable[m_leader]);
    if (complete) {
        m_model->setCells(std::move(m_cells));
        m_status->setText(tr("带队英雄: %1").arg(leader));
    } else {
        // What was filled before the cancel was for the request given up.
        m_model->endFresh();
        m_status->setText(tr("带队英雄: %1　计算已取消").arg(leader));
    }
    m_cells.reset();
    m_snapshot.reset();
    applyFilter();
    emit refreshEnded();
}

void CZoneOverviewWindow::applyFilter()
{
    m_model->setFeasibleOnly(m_feasibleOnly->isChecked());
    for (int row = 0; row < kVirusCount; ++row)
        m_grid->setRowHidden(row, m_model->feasibleOnly() && !m_model->rowShown(row));
}

void CZoneOverviewWindow::onCellActivated(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    m_session.showPlanFor(index.row(), m_model->strategyOfColumn(index.column()));
}
