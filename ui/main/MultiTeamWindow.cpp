#include "ui/main/MultiTeamWindow.h"

#include "session/PlanningSession.h"
#include "texts/PlanTexts.h"

#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

} // namespace

CMultiTeamWindow::CMultiTeamWindow(PlanningSession& session, QWidget& mainWindow)
    : CFollowingWindow(mainWindow), m_session(session), m_tables(session.tables())
{
    setWindowTitle(QString::fromUtf8("多队规划"));
    m_request = new QLabel(this);
    m_request->setWordWrap(true);
    m_firstLeader = new QLabel(this);

    auto* leaders = new QFormLayout;
    leaders->addRow(QString::fromUtf8("第1队带队:"), m_firstLeader);
    for (int row = 1; row < kMaxDisjointLeaders; ++row) {
        auto* box = new QComboBox(this);
        box->setMaxVisibleItems(20);
        m_leaderBoxes[row] = box;
        leaders->addRow(QString::fromUtf8("第%1队带队:").arg(row + 1), box);
        connect(box, &QComboBox::currentIndexChanged, this, [this]() {
            if (!m_filling)
                refresh();
        });
    }

    m_teamModel = new QStandardItemModel(0, 3, this);
    m_teamModel->setHorizontalHeaderLabels({QString::fromUtf8("带队"),
                                            QString::fromUtf8("队伍 (带队在前)"),
                                            QString::fromUtf8("可行性指数")});
    m_teamList = new QTableView(this);
    m_teamList->setModel(m_teamModel);
    m_teamList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_teamList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_teamList->verticalHeader()->hide();
    m_teamList->horizontalHeader()->setStretchLastSection(true);
    m_teamList->setWordWrap(false);

    m_copyButton = new QPushButton(QString::fromUtf8("复制全部"), this);
    connect(m_copyButton, &QPushButton::clicked, this, &CMultiTeamWindow::copyTeams);

    auto* body = new QHBoxLayout;
    body->addLayout(leaders);
    body->addWidget(m_teamList, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_copyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_request);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
    resize(820, 360);

    connect(&m_session, &PlanningSession::changed, this, [this](PlanningSession::Changes what) {
        if (what.testAnyFlags(PlanningSession::kRequest | PlanningSession::kTables))
            refresh();
    });
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
    m_filling = true;
    for (int row = 1; row < kMaxDisjointLeaders; ++row) {
        QComboBox* box = m_leaderBoxes[row];
        const int chosen = box->currentData().isValid() ? box->currentData().toInt() : -1;
        box->clear();
        box->addItem(QString::fromUtf8("(无)"), -1);
        for (int hero = 0; hero < kHeroCount; ++hero)
            box->addItem(PlanTexts::HeroNameText(m_tables.heroTable[hero]), hero);
        box->setCurrentIndex(std::max(0, box->findData(chosen)));
    }
    m_filling = false;
}

void CMultiTeamWindow::recompute()
{
    fillLeaderSelectors();
    m_teamModel->removeRows(0, m_teamModel->rowCount());
    m_count = 0;
    const int virus = m_session.currentVirus();
    const std::optional<Strategy> strategy = m_session.currentStrategy();
    const int first = m_session.currentLeader();
    m_firstLeader->setText(first >= 0 ? PlanTexts::HeroNameText(m_tables.heroTable[first])
                                      : PlanTexts::NoLeaderText());
    if (virus < 0 || first < 0 || !strategy) {
        m_request->setText(PlanTexts::ChooseRequestFirst());
        m_copyButton->setEnabled(false);
        return;
    }
    m_request->setText(PlanTexts::VirusEntry(virus, m_tables.virusTable[virus]) + u"　"_s +
                       PlanTexts::StrategyEntry(*strategy));
    m_count = leaders(m_leaders.data());
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    PlanRequest request;
    request.virus = virus;
    request.strategy = *strategy;
    PlanDisjointTeams(m_tables, request, m_leaders.data(), m_count, m_teams.data());
    QGuiApplication::restoreOverrideCursor();
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
    m_teamList->resizeColumnsToContents();
    m_copyButton->setEnabled(m_count > 0);
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
        text += QString::fromUtf8("第%1队: ").arg(i + 1);
        if (team.found) {
            text += PlanTexts::TeamNames(m_tables.heroTable, team.plan) + u"　"_s +
                    PlanTexts::FeasibilityLine(team.plan);
        } else {
            text += PlanTexts::HeroNameText(m_tables.heroTable[m_leaders[i]]) + u"　"_s +
                    PlanTexts::NoPlanCaption();
        }
        text += u'\n';
    }
    return text;
}

void CMultiTeamWindow::copyTeams()
{
    const QString text = teamsText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}
