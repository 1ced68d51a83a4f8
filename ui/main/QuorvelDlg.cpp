#include "ui/main/QuorvelDlg.h"

#include "engine/Strategies.h"
#include "engine/TeamCheck.h"
#include "engine/TeamSearch.h"
#include "resources/MainDialogIds.h"
#include "resources/Menus.h"
#include "texts/CheckTexts.h"
#include "texts/PlanHints.h"
#include "texts/PlanTexts.h"
#include "ui/common/CopiedNotice.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/EmptyViewHint.h"
#include "ui/common/FittedText.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PopupMenu.h"
#include "ui/common/UpDownCtrl.h"
#include "ui/common/WindowPlacement.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/AdviceWindow.h"
#include "ui/main/AlternativesWindow.h"
#include "ui/main/ExcludeHeroesDlg.h"
#include "ui/main/LanguageMenu.h"
#include "ui/main/MainWindowHints.h"
#include "ui/main/MultiTeamWindow.h"
#include "ui/main/PlanChatText.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/RosterMenu.h"
#include "ui/main/SelectorComboBox.h"
#include "ui/main/StrategyItemData.h"
#include "ui/main/TeamCheckWindow.h"
#include "ui/main/TitledBanner.h"
#include "ui/main/ZoneOverviewWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace MainDialogIds;

namespace {

constexpr int kLastVirus = kVirusCount - 1;
constexpr int kLastHero = kHeroCount - 1;

// The index explained by its two margins, for a plan of six distinct heroes
// (every plan a search finds); no explanation for any other record.
QString ExplainedIndex(const PlanningTables& tables, int virus, const Strategy& strategy,
                       const PlanRecord& plan)
{
    try {
        return CheckTexts::IndexExplained(CheckPlan(tables, virus, strategy, plan));
    } catch (const std::invalid_argument&) {
        return {};
    }
}
constexpr int kLastStrategy = kStrategyCount - 1;

// A selector position inside 0..last, compared unsigned so that "no
// selection" (-1) fails as well.
bool IsPosition(int position, int last)
{
    return static_cast<unsigned>(position) <= static_cast<unsigned>(last);
}

// Selects `position`, or nothing when it is not an entry of the selector.
void SelectPosition(QComboBox* selector, int position)
{
    selector->setCurrentIndex(IsPosition(position, selector->count() - 1) ? position : -1);
}

// The busy cursor for as long as a search runs.
class BusyCursor final
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(BusyCursor)
};

} // namespace

CQuorvelDlg::CQuorvelDlg(PlanningTables& tables, RememberedChoices& choices, QWidget* parent)
    : CQuorvelDlg(*new PlanningSession(tables), choices, parent)
{
    m_session.setParent(this);
}

CQuorvelDlg::CQuorvelDlg(PlanningSession& session, RememberedChoices& choices, QWidget* parent)
    : QDialog(parent), m_session(session), m_tables(session.tables()), m_choices(choices),
      m_teamSearch([](const PlanningTables& searched, const PlanRequest& request,
                      PlanRecord& plan) { return FindBestTeam(searched, request, plan); })
{
    m_clientArea = new QWidget(this);
    m_clientArea->setObjectName(u"templateArea"_s);
    m_controls = BuildDialog(
        *this, MainDialogTemplate(),
        [this](const ControlTemplate& control, QWidget* controlParent) {
            return makeControl(control, controlParent);
        },
        m_clientArea);
    AddMainWindowHints(m_controls);
    setWindowIcon(QIcon(u":/quorvel/icon.png"_s));
    createBanner();
    createMenuBar();

    m_targetSelector = m_controls.get<QComboBox>(kTargetSelector);
    m_leaderSelector = m_controls.get<QComboBox>(kLeaderSelector);
    m_strategySelector = m_controls.get<QComboBox>(kStrategySelector);
    m_targetSpin = m_controls.get<CUpDownCtrl>(kTargetSpin);
    m_strategySpin = m_controls.get<CUpDownCtrl>(kStrategySpin);
    m_leaderStats = m_controls.get<QLabel>(kLeaderStats);
    m_planGroup = m_controls.get<QGroupBox>(kPlanGroup);
    m_planList = m_controls.get<CPlanListCtrl>(kPlanList);
    m_planHint = new CEmptyViewHint(*m_planList);
    m_statTotals = m_controls.get<QLabel>(kStatTotals);
    m_heroDamage = m_controls.get<QLabel>(kHeroDamage);
    m_virusDamage = m_controls.get<QLabel>(kVirusDamage);
    m_critDamage = m_controls.get<QLabel>(kCritDamage);
    m_feasibility = m_controls.get<QLabel>(kFeasibility);
    m_topmostCheck = m_controls.get<QCheckBox>(kTopmostCheck);
    m_planOrderCheck = m_controls.get<QCheckBox>(kPlanOrderCheck);

    FillVirusList();
    FillHeroList();
    FillStrategyList();
    if (m_choices.m_topmost != 0) {
        m_topmostCheck->setChecked(true);
        setTopmost(true);
    }
    if (m_choices.m_planOrder != 0)
        m_planOrderCheck->setChecked(true);
    m_contextMenu = BuildPopup(ContextMenus()[kPlanListPopup], this);
    RosterEditors editors;
    editors.editHeroes = [this](const std::function<void(CHeroesDlg&)>& prepare) {
        EditHeroes(prepare);
    };
    editors.editViruses = [this](const std::function<void(CVirusDlg&)>& prepare) {
        EditVirus(prepare);
    };
    m_rosterMenu = new RosterMenu(*this, m_tables, std::move(editors));
    addMenuBeforeHelp(m_rosterMenu->menu());
    connectHandlers();
    m_session.setSelections(currentVirus(), currentLeader(), currentStrategy());
    m_session.setStrategyOrder(m_strategies);
    // No search yet: the view is empty under its plain caption.
    m_targetSelector->setFocus();
}

CQuorvelDlg::~CQuorvelDlg() = default;

bool CQuorvelDlg::runModal(PlanningSession& session, RememberedChoices& choices)
{
    CQuorvelDlg window(session, choices);
    window.exec();
    return window.tablesModified();
}

QWidget* CQuorvelDlg::makeControl(const ControlTemplate& control, QWidget* parent)
{
    if (control.id == kPlanList)
        return new CPlanListCtrl(parent);
    if (control.id == kTargetSelector || control.id == kLeaderSelector ||
        control.id == kStrategySelector)
        return new CSelectorComboBox(parent);
    return nullptr;
}

void CQuorvelDlg::createBanner()
{
    const QPixmap picture = TitledBanner();
    m_banner = new QLabel(m_clientArea);
    m_banner->setObjectName(u"banner"_s);
    m_banner->setPixmap(picture);
    m_banner->setScaledContents(true);
    // The banner fills the client width above the first row: at its own
    // 500 × 80 pixels when the dialog font makes the window that wide,
    // otherwise scaled to the width with its proportions kept.
    const int firstRow = DialogUnitsToPixels(QRect(0, 52, 0, 0), font()).y();
    QSize size = picture.size().scaled(m_clientArea->width(), firstRow, Qt::KeepAspectRatio);
    if (size.width() > picture.width())
        size = picture.size();
    m_banner->setGeometry(QRect(QPoint(0, 0), size));
    m_banner->lower();
}

void CQuorvelDlg::createMenuBar()
{
    m_menuBar = new QMenuBar(this);
    // Menus are opened with Alt and their letters, or the mouse; Tab stays
    // among the template's controls.
    m_menuBar->setFocusPolicy(Qt::NoFocus);

    QMenu* planMenu = m_menuBar->addMenu(tr("方案(&P)"));
    QAction* overview = planMenu->addAction(tr("关卡总览(&L)…"));
    overview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(overview, &QAction::triggered, this, &CQuorvelDlg::OpenZoneOverview);
    QAction* alternatives = planMenu->addAction(tr("备选方案(&T)…"));
    alternatives->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(alternatives, &QAction::triggered, this, &CQuorvelDlg::OpenAlternatives);
    QAction* multiTeam = planMenu->addAction(tr("多队规划(&M)…"));
    multiTeam->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(multiTeam, &QAction::triggered, this, &CQuorvelDlg::OpenMultiTeam);
    QAction* advice = planMenu->addAction(tr("培养建议(&A)…"));
    connect(advice, &QAction::triggered, this, &CQuorvelDlg::OpenAdvice);
    QAction* teamCheck = planMenu->addAction(tr("自选队伍(&K)…"));
    connect(teamCheck, &QAction::triggered, this, &CQuorvelDlg::OpenTeamCheck);
    planMenu->addSeparator();
    m_copyPlanAction = planMenu->addAction(tr("复制方案(&C)"));
    m_copyPlanAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_copyPlanAction->setEnabled(false);
    connect(m_copyPlanAction, &QAction::triggered, this, &CQuorvelDlg::CopyPlan);
    QAction* exclude = planMenu->addAction(tr("排除英雄重新组队(&E)…"));
    exclude->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(exclude, &QAction::triggered, this, &CQuorvelDlg::ExcludeChosenHeroes);
    connect(planMenu, &QMenu::aboutToShow, this,
            [this, exclude] { exclude->setEnabled(m_planList->rowCount() > 0); });

    m_helpMenu = m_menuBar->addMenu(tr("帮助(&H)"));
    m_helpMenu->addMenu(CreateLanguageMenu(this));
    QAction* about = m_helpMenu->addAction(tr("关于 Quorvel(&A)"));
    connect(about, &QAction::triggered, this, &CQuorvelDlg::ShowAbout);

    // The template's controls keep their places below the bar; the window
    // grows by the bar's height.
    const int barHeight = m_menuBar->sizeHint().height();
    const QSize client = m_clientArea->size();
    m_menuBar->setGeometry(0, 0, client.width(), barHeight);
    m_clientArea->move(0, barHeight);
    setFixedSize(client.width(), client.height() + barHeight);
}

void CQuorvelDlg::addMenuBeforeHelp(QMenu* menu)
{
    m_menuBar->insertMenu(m_helpMenu->menuAction(), menu);
}

void CQuorvelDlg::connectHandlers()
{
    connect(m_targetSelector, &QComboBox::activated, this, &CQuorvelDlg::onTargetSelected);
    connect(m_leaderSelector, &QComboBox::activated, this, &CQuorvelDlg::onLeaderSelected);
    connect(m_strategySelector, &QComboBox::activated, this, &CQuorvelDlg::onStrategySelected);
    connect(m_targetSpin, &CUpDownCtrl::positionAboutToChange, this,
            [this](int position, int delta, bool& accept) {
                stepSelector(m_targetSelector, kLastVirus, position, delta, accept);
            });
    connect(m_strategySpin, &CUpDownCtrl::positionAboutToChange, this,
            [this](int position, int delta, bool& accept) {
                stepSelector(m_strategySelector, kLastStrategy, position, delta, accept);
            });
    connect(m_controls.get<QPushButton>(kEditVirusButton), &QPushButton::clicked, this,
            &CQuorvelDlg::OnEditVirus);
    connect(m_controls.get<QPushButton>(kEditHeroesButton), &QPushButton::clicked, this,
            &CQuorvelDlg::OnEditHeroes);
    connect(m_controls.get<QPushButton>(kSearchButton), &QPushButton::clicked, this,
            &CQuorvelDlg::RunTeamSearch);
    connect(m_topmostCheck, &QCheckBox::clicked, this, &CQuorvelDlg::onTopmostClicked);
    connect(m_planOrderCheck, &QCheckBox::clicked, this, &CQuorvelDlg::onPlanOrderClicked);
    m_planList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_planList, &CPlanListCtrl::customContextMenuRequested, this,
            &CQuorvelDlg::onPlanListContextMenu);
    // The raid windows ask the session for a plan in this window's view.
    connect(&m_session, &PlanningSession::planForRequested, this, &CQuorvelDlg::showPlanFor);
    connect(&m_session, &PlanningSession::alternativeRequested, this,
            &CQuorvelDlg::showAlternative);
    connect(&m_session, &PlanningSession::supposedPlanRequested, this,
            &CQuorvelDlg::showSupposedPlan);
}

void CQuorvelDlg::announce(PlanningSession::Changes what)
{
    m_session.setSelections(currentVirus(), currentLeader(), currentStrategy());
    m_session.setStrategyOrder(m_strategies);
    m_session.announce(what);
}

// --- Selectors -------------------------------------------------------------

void CQuorvelDlg::FillVirusList()
{
    m_targetSelector->clear();
    for (int i = 0; i < kVirusCount; ++i)
        m_targetSelector->addItem(PlanTexts::VirusEntry(i, m_tables.virusTable[i]));
    SelectPosition(m_targetSelector, m_choices.m_lastVirus);
    // Reversed, so that the up arrow moves to the entry above.
    m_targetSpin->setRange(kLastVirus, 0);
    m_targetSpin->setPosition(m_targetSelector->currentIndex());
    ClearPlanView();
}

void CQuorvelDlg::FillHeroList()
{
    m_leaderSelector->clear();
    for (const HeroRecord& hero : m_tables.heroTable)
        m_leaderSelector->addItem(PlanTexts::HeroNameText(hero));
    SelectPosition(m_leaderSelector, m_choices.m_lastHero);
    ShowLeaderStats();
}

void CQuorvelDlg::ShowLeaderStats()
{
    writeLeaderStats();
    ClearPlanView();
}

void CQuorvelDlg::writeLeaderStats()
{
    const int leader = m_leaderSelector->currentIndex();
    SetFittedText(m_leaderStats,
                  PlanTexts::LeaderStats(IsPosition(leader, kLastHero) ? &m_tables.heroTable[leader]
                                                                       : nullptr));
}

void CQuorvelDlg::FillStrategyList()
{
    m_strategySelector->clear();
    m_strategies = BuildStrategyList(m_choices.m_planOrder != 0);
    for (const Strategy& strategy : m_strategies) {
        m_strategySelector->addItem(PlanTexts::StrategyEntry(strategy),
                                    QVariant::fromValue(StrategyItemData(strategy)));
    }
    SelectPosition(m_strategySelector, m_choices.m_lastPlan);
    m_strategySpin->setRange(kLastStrategy, 0);
    m_strategySpin->setPosition(m_strategySelector->currentIndex());
    ClearPlanView();
}

void CQuorvelDlg::onTargetSelected(int position)
{
    m_targetSpin->setPosition(position);
    ClearPlanView();
    announce(PlanningSession::Change::Target);
}

void CQuorvelDlg::onLeaderSelected(int /*position*/)
{
    ShowLeaderStats();
    announce(PlanningSession::Change::Leader);
}

void CQuorvelDlg::onStrategySelected(int position)
{
    m_strategySpin->setPosition(position);
    ClearPlanView();
    announce(PlanningSession::Change::Target);
}

void CQuorvelDlg::stepSelector(QComboBox* selector, int limit, int position, int delta,
                               bool& accept)
{
    const int proposed = position + delta;
    // No wrap-around: a step past either end, or from no selection upward,
    // is refused and nothing happens.
    if (!IsPosition(proposed, limit)) {
        accept = false;
        return;
    }
    accept = true;
    selector->setCurrentIndex(proposed);
    announce(PlanningSession::Change::Target);
    RunTeamSearch();
}

// --- Search driver ---------------------------------------------------------

void CQuorvelDlg::RunTeamSearch()
{
    ClearPlanView();

    const int leader = m_leaderSelector->currentIndex();
    if (!IsPosition(leader, kLastHero)) {
        m_leaderSelector->setFocus();
        return;
    }
    // A remembered position outside the target or strategy selector leaves
    // it without a selection; that is no virus and no strategy to search for.
    const int virus = m_targetSelector->currentIndex();
    if (!IsPosition(virus, kLastVirus)) {
        m_targetSelector->setFocus();
        return;
    }
    const int entry = m_strategySelector->currentIndex();
    if (!IsPosition(entry, kLastStrategy)) {
        m_strategySelector->setFocus();
        return;
    }
    PlanRequest request;
    request.virus = virus;
    request.leader = leader;
    request.strategy = StrategyOfItemData(m_strategySelector->itemData(entry).toUInt());

    m_planGroup->setTitle(PlanTexts::SearchingCaption());
    // The search holds the thread; the emptied list and the caption are
    // painted now, before it starts.
    if (m_planGroup->isVisible())
        m_planGroup->repaint();

    PlanRecord plan;
    bool found = false;
    {
        const BusyCursor busy;
        found = m_teamSearch(m_tables, request, plan);
    }
    if (!found) {
        m_planGroup->setTitle(PlanTexts::NoPlanCaption());
        m_planHint->setHint(PlanHints::NoPlanReason(m_tables, virus, leader, request.strategy.n));
        return;
    }
    ShowPlan(plan);
}

void CQuorvelDlg::ExcludeSelectedHeroes()
{
    bool excluded = false;
    for (int row = 0; row < m_planList->rowCount(); ++row) {
        if (!m_planList->isRowSelected(row))
            continue;
        const int hero = m_planList->heroAt(row);
        if (IsPosition(hero, kLastHero)) {
            m_tables.heroTable[hero].checked = 0;
            m_tablesModified = true;
            excluded = true;
        }
    }
    RunTeamSearch();
    if (excluded)
        announce(PlanningSession::Change::Roster);
}

void CQuorvelDlg::ExcludeChosenHeroes()
{
    if (m_planList->rowCount() == 0)
        return;
    CExcludeHeroesDlg picker(*m_planList, this);
    if (picker.exec() != QDialog::Accepted)
        return;
    m_planList->clearSelection();
    for (const int row : picker.checkedRows()) {
        m_planList->selectionModel()->select(m_planList->model()->index(row, 0),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
    }
    ExcludeSelectedHeroes();
}

// --- Plan view -------------------------------------------------------------

void CQuorvelDlg::ClearPlanView()
{
    m_planList->removeAllRows();
    if (m_planList->isVisible())
        m_planList->viewport()->repaint();
    for (QLabel* field : {m_statTotals, m_heroDamage, m_virusDamage, m_critDamage, m_feasibility})
        field->clear();
    // Without a plan the index keeps its standing hint.
    m_feasibility->setToolTip(m_feasibility->accessibleDescription());
    m_supposedShown = false;
    m_planGroup->setTitle(PlanTexts::PlanCaption());
    m_planHint->setHint(PlanHints::FirstStartHint(m_tables.heroTable));
    m_shownPlan.reset();
    m_copyPlanAction->setEnabled(false);
}

void CQuorvelDlg::ShowPlan(const PlanRecord& plan)
{
    showPlanOn(m_tables, plan);
}

void CQuorvelDlg::showPlanOn(const PlanningTables& tables, const PlanRecord& plan)
{
    m_supposedShown = false;
    for (const std::uint32_t hero : plan.heroes) {
        if (hero < static_cast<std::uint32_t>(kHeroCount))
            m_planList->addHero(static_cast<int>(hero), tables.heroTable[hero]);
    }
    SetFittedText(m_statTotals, PlanTexts::StatTotals(plan));
    SetFittedText(m_heroDamage, PlanTexts::HeroDamage(plan));
    SetFittedText(m_virusDamage, PlanTexts::VirusDamage(plan));
    SetFittedText(m_critDamage, PlanTexts::CritDamage(plan));
    SetFittedText(m_feasibility, PlanTexts::FeasibilityIndex(plan));
    m_planGroup->setTitle(PlanTexts::PlanCaption());
    m_strategySelector->setFocus();

    m_shownPlan = plan;
    m_shownVirus = currentVirus();
    if (const std::optional<Strategy> strategy = currentStrategy())
        m_shownStrategy = *strategy;
    m_copyPlanAction->setEnabled(IsPosition(m_shownVirus, kLastVirus));
    // The index explained: which of the two margins holds the plan down.
    const QString explained = IsPosition(m_shownVirus, kLastVirus)
                                  ? ExplainedIndex(tables, m_shownVirus, m_shownStrategy, plan)
                                  : QString();
    m_feasibility->setToolTip(explained.isEmpty() ? m_feasibility->accessibleDescription()
                                                  : explained);
}

void CQuorvelDlg::showSupposedPlan(const AdviceEntry& entry, const QString& heroName)
{
    auto supposed = std::make_unique<PlanningTables>(m_tables);
    ApplyAdvice(entry, supposed->heroTable);
    ClearPlanView();
    showPlanOn(*supposed, entry.plan);
    m_planGroup->setTitle(CheckTexts::HypotheticalCaption(heroName, entry));
    m_supposedShown = true;
    // Not a plan of the roster: nothing to copy into the chat or to check.
    m_shownPlan.reset();
    m_copyPlanAction->setEnabled(false);
}

void CQuorvelDlg::showAlternative(const PlanRecord& plan, int rank)
{
    ClearPlanView();
    ShowPlan(plan);
    m_planGroup->setTitle(tr("组队方案 (备选第%1名)").arg(rank));
}

void CQuorvelDlg::showPlanFor(int virusIndex, const Strategy& strategy)
{
    const std::uint32_t strategyData = StrategyItemData(strategy);
    if (!IsPosition(virusIndex, kLastVirus))
        return;
    m_targetSelector->setCurrentIndex(virusIndex);
    m_targetSpin->setPosition(virusIndex);
    for (int position = 0; position < m_strategySelector->count(); ++position) {
        if (m_strategySelector->itemData(position).toUInt() == strategyData) {
            m_strategySelector->setCurrentIndex(position);
            m_strategySpin->setPosition(position);
            break;
        }
    }
    announce(PlanningSession::Change::Target);
    RunTeamSearch();
}

int CQuorvelDlg::currentVirus() const
{
    const int virus = m_targetSelector->currentIndex();
    return IsPosition(virus, kLastVirus) ? virus : -1;
}

int CQuorvelDlg::currentLeader() const
{
    const int leader = m_leaderSelector->currentIndex();
    return IsPosition(leader, kLastHero) ? leader : -1;
}

std::optional<Strategy> CQuorvelDlg::currentStrategy() const
{
    const int entry = m_strategySelector->currentIndex();
    if (!IsPosition(entry, kLastStrategy))
        return std::nullopt;
    return m_strategies[entry];
}

void CQuorvelDlg::CopyPlan()
{
    if (!m_shownPlan || !IsPosition(m_shownVirus, kLastVirus))
        return;
    QGuiApplication::clipboard()->setText(PlanChatText(m_tables.heroTable, m_shownVirus,
                                                       m_tables.virusTable[m_shownVirus],
                                                       m_shownStrategy, *m_shownPlan));
    CopiedNotice::Show(*this);
}

// Each raid window is made on its first opening and kept: later openings
// raise it as it was left.
template <typename Window> Window* CQuorvelDlg::openWindow(Window*& window)
{
    const bool first = window == nullptr;
    if (first)
        window = new Window(m_session, *this);
    raiseWindow(window, first);
    return window;
}

CZoneOverviewWindow* CQuorvelDlg::OpenZoneOverview()
{
    return openWindow(m_zoneOverview);
}

CAlternativesWindow* CQuorvelDlg::OpenAlternatives()
{
    return openWindow(m_alternatives);
}

CAdviceWindow* CQuorvelDlg::OpenAdvice()
{
    return openWindow(m_advice);
}

CTeamCheckWindow* CQuorvelDlg::OpenTeamCheck()
{
    return openWindow(m_teamCheck);
}

CMultiTeamWindow* CQuorvelDlg::OpenMultiTeam()
{
    return openWindow(m_multiTeam);
}

void CQuorvelDlg::raiseWindow(QWidget* window, bool first)
{
    window->show();
    if (first)
        placeBeside(window);
    window->raise();
    window->activateWindow();
}

void CQuorvelDlg::placeBeside(QWidget* window)
{
    WindowPlacement::PlaceBeside(*window, *this);
}

void CQuorvelDlg::ShowAbout()
{
    const QString text = tr("Quorvel %1\n\n"
                            "公会疫区组队助手：为每一关的病毒、带队英雄和战斗策略，"
                            "从花名册中找出可行性指数最高的六人队伍。\n\n"
                            "以 MIT 许可证发布。")
                             .arg(QCoreApplication::applicationVersion());
    MessageBox::show(this, QMessageBox::Information, tr("关于 Quorvel"), text, QMessageBox::Ok);
}

void CQuorvelDlg::onPlanListContextMenu(const QPoint& position)
{
    QAction* exclude = PopupMenu::findCommand(*m_contextMenu, kCmdExcludeHeroes);
    exclude->setEnabled(m_planList->hasSelection());
    const int command =
        PopupMenu::exec(*m_contextMenu, m_planList->viewport()->mapToGlobal(position));
    if (command == kCmdExcludeHeroes)
        ExcludeSelectedHeroes();
}

// --- Editors ---------------------------------------------------------------

void CQuorvelDlg::OnEditVirus()
{
    EditVirus({});
}

void CQuorvelDlg::EditVirus(const std::function<void(CVirusDlg&)>& prepare)
{
    CVirusDlg editor(m_tables.virusTable, this);
    if (prepare)
        prepare(editor);
    if (editor.exec() != QDialog::Accepted)
        return;
    // Confirmed, edited or not: the table was rewritten.
    m_choices.m_lastVirus = 0;
    FillVirusList();
    m_tablesModified = true;
    // One announcement: a window that follows both the level and the
    // tables plans once.
    announce(PlanningSession::Change::Target | PlanningSession::Change::Levels);
}

void CQuorvelDlg::OnEditHeroes()
{
    EditHeroes({});
}

void CQuorvelDlg::EditHeroes(const std::function<void(CHeroesDlg&)>& prepare)
{
    const HeroTable before = m_tables.heroTable;
    CHeroesDlg editor(m_tables.heroTable, this);
    if (prepare)
        prepare(editor);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_tablesModified = true;
    // A saved order moves heroes to other indices, so no leader stays chosen.
    if (editor.orderSaved()) {
        m_choices.m_lastHero = -1;
        FillHeroList();
        announce(PlanningSession::Change::Leader | PlanningSession::Change::Roster);
        return;
    }
    // Every hero kept its index: the chosen leader and the remembered one
    // stay, while the selector and the stats line take the new names and
    // stats rather than show the old ones.
    for (int i = 0; i < kHeroCount; ++i)
        m_leaderSelector->setItemText(i, PlanTexts::HeroNameText(m_tables.heroTable[i]));
    writeLeaderStats();
    // A plan whose six heroes are as they were is still what the view says;
    // any change to one of them would leave stale figures on the screen. A
    // supposed plan was the best on the roster before the edit, and may not
    // be on the edited one.
    if (m_supposedShown || shownHeroesChanged(before))
        ClearPlanView();
    announce(PlanningSession::Change::Roster);
}

bool CQuorvelDlg::shownHeroesChanged(const HeroTable& before) const
{
    const auto same = [](const HeroRecord& a, const HeroRecord& b) {
        return HeroName(a) == HeroName(b) && (a.checked != 0) == (b.checked != 0) &&
               a.smart == b.smart && a.cute == b.cute && a.abnormal == b.abnormal;
    };
    if (m_planList->rowCount() == 0) {
        // "没有可行的组队方案" speaks of the whole roster.
        for (int i = 0; i < kHeroCount; ++i) {
            if (!same(before[i], m_tables.heroTable[i]))
                return true;
        }
        return false;
    }
    for (int row = 0; row < m_planList->rowCount(); ++row) {
        const int hero = m_planList->heroAt(row);
        if (IsPosition(hero, kLastHero) && !same(before[hero], m_tables.heroTable[hero]))
            return true;
    }
    return false;
}

// --- Switches and closing --------------------------------------------------

void CQuorvelDlg::onTopmostClicked(bool checked)
{
    setTopmost(checked);
}

void CQuorvelDlg::onPlanOrderClicked(bool checked)
{
    m_choices.m_planOrder = checked ? 1 : 0;
    m_choices.m_lastPlan = 0;
    FillStrategyList();
    announce(PlanningSession::Change::StrategyOrder | PlanningSession::Change::Target);
}

void CQuorvelDlg::setTopmost(bool on)
{
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow* window = windowHandle()) {
        // setWindowFlags would hide the window, which ends a modal run; the
        // platform window takes the new flags in place, position and size kept.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void CQuorvelDlg::takeSelections()
{
    m_choices.m_lastVirus = m_targetSelector->currentIndex();
    m_choices.m_lastHero = m_leaderSelector->currentIndex();
    m_choices.m_lastPlan = m_strategySelector->currentIndex();
    m_choices.m_topmost = m_topmostCheck->isChecked() ? 1 : 0;
    m_choices.m_planOrder = m_planOrderCheck->isChecked() ? 1 : 0;
}

void CQuorvelDlg::closeEvent(QCloseEvent* event)
{
    // The close command (close box, system menu, Alt+F4) keeps the choices;
    // Escape reaches reject() without a close event and keeps nothing.
    takeSelections();
    QDialog::closeEvent(event);
}
