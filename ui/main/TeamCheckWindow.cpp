#include "ui/main/TeamCheckWindow.h"

#include "engine/TeamSearch.h"
#include "session/PlanningSession.h"
#include "texts/CheckTexts.h"
#include "texts/PlanTexts.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

constexpr int kHeroRole = Qt::UserRole;

} // namespace

CTeamCheckWindow::CTeamCheckWindow(PlanningSession& session, QWidget& mainWindow)
    : CFollowingWindow(mainWindow), m_session(session), m_tables(session.tables())
{
    setWindowTitle(tr("自选队伍"));

    m_request = new QLabel(this);
    m_request->setWordWrap(true);

    // One list of the roster for all six boxes; typing in a box finds a hero
    // by any part of the name.
    m_heroModel = new QStandardItemModel(this);
    auto* picks = new QGridLayout;
    for (int slot = 0; slot < kTeamSize; ++slot) {
        auto* box = new QComboBox(this);
        box->setModel(m_heroModel);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->completer()->setFilterMode(Qt::MatchContains);
        box->completer()->setCompletionMode(QCompleter::PopupCompletion);
        box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        box->setMinimumContentsLength(12);
        box->lineEdit()->setPlaceholderText(tr("输入名字查找"));
        auto* label =
            new QLabel(slot == 0 ? tr("第1位 (带队):") : tr("第%1位:").arg(slot + 1), this);
        label->setBuddy(box);
        picks->addWidget(label, slot / 3, (slot % 3) * 2);
        picks->addWidget(box, slot / 3, (slot % 3) * 2 + 1);
        m_heroBoxes[static_cast<std::size_t>(slot)] = box;
        connect(box, &QComboBox::currentIndexChanged, this, [this]() {
            if (!m_filling)
                checkTeam();
        });
    }
    m_takePlanButton = new QPushButton(tr("改用最佳方案的队伍(&B)"), this);
    m_takePlanButton->setEnabled(false);

    auto* figures = new QGridLayout;
    figures->addWidget(new QLabel(tr("自选队伍"), this), 0, 1 + ChosenSide);
    figures->addWidget(new QLabel(tr("同一请求的最佳方案"), this), 0, 1 + BestSide);
    const QString names[FigureCount] = {
        tr("队伍 (带队在前):"), tr("英雄属性总值:"), tr("英雄伤害:"),
        tr("病毒伤害:"),        tr("暴击伤害:"),     tr("可行性指数(基于100):"),
        tr("生命余量:"),        tr("伤害余量:"),     tr("可爱门槛:")};
    for (int figure = 0; figure < FigureCount; ++figure) {
        figures->addWidget(new QLabel(names[figure], this), figure + 1, 0,
                           Qt::AlignRight | Qt::AlignTop);
        for (int side = 0; side < SideCount; ++side) {
            auto* value = new QLabel(this);
            value->setWordWrap(true);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            figures->addWidget(value, figure + 1, 1 + side, Qt::AlignTop);
            m_figures[static_cast<std::size_t>(side)][static_cast<std::size_t>(figure)] = value;
        }
    }
    figures->setColumnStretch(1 + ChosenSide, 1);
    figures->setColumnStretch(1 + BestSide, 1);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_bestStatus = new QLabel(this);
    figures->addWidget(m_status, FigureCount + 1, 1 + ChosenSide);
    figures->addWidget(m_bestStatus, FigureCount + 1, 1 + BestSide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_takePlanButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_request);
    layout->addLayout(picks);
    layout->addLayout(buttons);
    layout->addLayout(figures);
    layout->addStretch(1);
    resize(820, 420);

    connect(m_takePlanButton, &QPushButton::clicked, this, &CTeamCheckWindow::TakeBestPlan);
    connect(&m_watcher, &QFutureWatcher<bool>::finished, this, &CTeamCheckWindow::onBestFinished);
    connect(&m_session, &PlanningSession::changed, this, [this](PlanningSession::Changes what) {
        if (what.testAnyFlags(PlanningSession::kRequest | PlanningSession::kTables))
            refresh();
    });
    fillHeroModel();
    checkTeam();
}

CTeamCheckWindow::~CTeamCheckWindow()
{
    // The worker writes into members of this window: it must end first.
    m_watcher.waitForFinished();
}

int CTeamCheckWindow::hero(int slot) const
{
    const QComboBox* box = heroBox(slot);
    const int row = box->currentIndex();
    return row < 0 ? -1 : box->itemData(row, kHeroRole).toInt();
}

void CTeamCheckWindow::setHero(int slot, int hero)
{
    // Row r of the list is hero r.
    heroBox(slot)->setCurrentIndex(hero >= 0 && hero < kHeroCount ? hero : -1);
}

void CTeamCheckWindow::TakeBestPlan()
{
    if (!m_bestCheck)
        return;
    m_filling = true;
    for (int slot = 0; slot < kTeamSize; ++slot)
        setHero(slot, static_cast<int>(m_bestCheck->plan.heroes[static_cast<std::size_t>(slot)]));
    m_filling = false;
    checkTeam();
}

void CTeamCheckWindow::fillHeroModel()
{
    // The names may have been edited: the rows are renamed, the choices kept.
    m_filling = true;
    if (m_heroModel->rowCount() != kHeroCount) {
        m_heroModel->clear();
        for (int hero = 0; hero < kHeroCount; ++hero) {
            auto* item = new QStandardItem;
            item->setData(hero, kHeroRole);
            m_heroModel->appendRow(item);
        }
        for (QComboBox* box : m_heroBoxes)
            box->setCurrentIndex(-1);
    }
    for (int hero = 0; hero < kHeroCount; ++hero) {
        const HeroRecord& record = m_tables.heroTable[hero];
        QString text = tr("%1: %2").arg(hero).arg(PlanTexts::HeroNameText(record));
        if (record.checked == 0)
            text += tr(" (未选中)");
        m_heroModel->item(hero)->setText(text);
    }
    // An editable box shows its own text: bring it up to the new name.
    for (QComboBox* box : m_heroBoxes) {
        const int row = box->currentIndex();
        box->setEditText(row < 0 ? QString() : box->itemText(row));
    }
    m_filling = false;
}

void CTeamCheckWindow::recompute()
{
    fillHeroModel();
    checkTeam();
    planBest();
}

void CTeamCheckWindow::checkTeam()
{
    m_check.reset();
    const int virus = m_session.currentVirus();
    const std::optional<Strategy> strategy = m_session.currentStrategy();
    if (virus < 0 || !strategy) {
        m_request->setText(tr("请先在主窗口选择攻击目标和战斗策略。"));
        m_status->clear();
        showFigures(ChosenSide, m_check);
        return;
    }
    m_request->setText(PlanTexts::VirusEntry(virus, m_tables.virusTable[virus]) + u"　"_s +
                       PlanTexts::StrategyEntry(*strategy));
    int heroes[kTeamSize];
    HeroSet chosen;
    int missing = 0;
    bool repeated = false;
    for (int slot = 0; slot < kTeamSize; ++slot) {
        heroes[slot] = hero(slot);
        if (heroes[slot] < 0) {
            ++missing;
            continue;
        }
        repeated = repeated || chosen.contains(heroes[slot]);
        chosen.insert(heroes[slot]);
    }
    if (missing > 0)
        m_status->setText(tr("还要选 %n 位英雄", nullptr, missing));
    else if (repeated)
        m_status->setText(tr("每位英雄只能选一次"));
    else
        m_status->clear();
    if (missing == 0 && !repeated)
        m_check = CheckTeam(m_tables, virus, *strategy, heroes);
    showFigures(ChosenSide, m_check);
}

void CTeamCheckWindow::showFigures(Side side, const std::optional<TeamCheck>& check)
{
    auto& labels = m_figures[static_cast<std::size_t>(side)];
    if (!check) {
        for (QLabel* label : labels) {
            label->clear();
            label->setToolTip({});
        }
        return;
    }
    const PlanRecord& plan = check->plan;
    const HeroTable& heroes =
        side == BestSide && m_snapshot ? m_snapshot->heroTable : m_tables.heroTable;
    labels[TeamFigure]->setText(PlanTexts::TeamNames(heroes, plan));
    labels[TotalsFigure]->setText(PlanTexts::StatTotals(plan));
    labels[HeroDamageFigure]->setText(PlanTexts::HeroDamage(plan));
    labels[VirusDamageFigure]->setText(PlanTexts::VirusDamage(plan));
    labels[CritDamageFigure]->setText(PlanTexts::CritDamage(plan));
    labels[IndexFigure]->setText(PlanTexts::FeasibilityIndex(plan));
    labels[IndexFigure]->setToolTip(CheckTexts::IndexExplained(*check));
    // The row's label names each of these.
    labels[LifeMarginFigure]->setText(CheckTexts::LifeMarginFigure(*check));
    labels[DamageMarginFigure]->setText(CheckTexts::DamageMarginFigure(*check));
    labels[ThresholdFigure]->setText(CheckTexts::ThresholdFigure(*check));
}

void CTeamCheckWindow::planBest()
{
    if (m_busy) {
        // The running search answers an older request: search again once
        // it has ended.
        m_restart = true;
        return;
    }
    startBest();
}

void CTeamCheckWindow::startBest()
{
    m_restart = false;
    m_bestCheck.reset();
    m_takePlanButton->setEnabled(false);
    showFigures(BestSide, m_bestCheck);
    const std::optional<PlanRequest> request = m_session.currentRequest();
    if (!request) {
        m_bestStatus->setText(tr("主窗口选定攻击目标、带队英雄和战斗策略后才有最佳方案"));
        emit bestPlanned();
        return;
    }
    m_bestStatus->setText(tr("正在计算…"));
    m_snapshot = std::make_unique<PlanningTables>(m_tables);
    m_found = std::make_unique<PlanRecord>();
    m_bestRequest = *request;
    m_busy = true;
    // The best plan's search runs on a worker thread with its own copy of
    // the tables.
    m_watcher.setFuture(QtConcurrent::run(
        [snapshot = m_snapshot.get(), request = m_bestRequest, found = m_found.get()]() {
            try {
                return FindBestTeam(*snapshot, request, *found);
            } catch (const std::invalid_argument&) {
                return false; // nothing is excluded here, so never refused
            }
        }));
}

void CTeamCheckWindow::onBestFinished()
{
    m_busy = false;
    if (m_restart) {
        startBest();
        return;
    }
    if (m_watcher.future().result()) {
        m_bestStatus->clear();
        m_bestCheck = CheckPlan(*m_snapshot, m_bestRequest.virus, m_bestRequest.strategy, *m_found);
        showFigures(BestSide, m_bestCheck);
        m_takePlanButton->setEnabled(true);
        // A team to start from: the best one, until the user picks another.
        bool nonePicked = true;
        for (int slot = 0; slot < kTeamSize; ++slot)
            nonePicked = nonePicked && hero(slot) < 0;
        if (nonePicked)
            TakeBestPlan();
    } else {
        m_bestStatus->setText(PlanTexts::NoPlanCaption());
    }
    m_found.reset();
    m_snapshot.reset();
    emit bestPlanned();
}
