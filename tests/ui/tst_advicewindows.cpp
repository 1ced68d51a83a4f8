// "培养建议" and "自选队伍" against the engine's answers on the sample guild,
// and the plan view's explained feasibility index.

#include "engine/TeamCheck.h"
#include "engine/TeamSearch.h"
#include "engine/TrainingAdvice.h"
#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "texts/CheckTexts.h"
#include "texts/PlanTexts.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/main/AdviceModel.h"
#include "ui/main/AdviceWindow.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/TeamCheckWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;
using namespace MainDialogIds;

namespace {

// Led by hero 0 under 3 rounds with 1 crit, the sample guild's best plan for
// table index 41 has the index 94: advice has something to say. At 35 the
// plan is feasible many times over.
constexpr int kShortVirus = 41;
constexpr int kEasyVirus = 35;
constexpr int kRounds = 3;
constexpr int kCrits = 1;
const Strategy kStrategy{kRounds - 1, kCrits};

bool SamePlan(const PlanRecord& a, const PlanRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool AdviceShown(const CAdviceWindow* window)
{
    return QTest::qWaitFor([window] { return !window->isComputing(); }, 20000);
}

bool BestShown(const CTeamCheckWindow* window)
{
    return QTest::qWaitFor([window] { return !window->isComputing(); }, 20000);
}

std::unique_ptr<TrainingAdvice> EnginesAdvice(const PlanningTables& tables,
                                              const PlanRequest& request)
{
    auto advice = std::make_unique<TrainingAdvice>();
    FindTrainingAdvice(tables, request, *advice);
    return advice;
}

// An advice that reports some progress and then waits, without searching,
// until the test lets it go or it is cancelled; let go, it answers as the
// engine does.
struct HeldAdvice
{
    std::atomic<bool> hold{true};
    std::atomic<int> started{0};
    std::atomic<int> sawCancel{0};

    CAdviceWindow::Computation computation()
    {
        return [this](const PlanningTables& tables, const PlanRequest& request,
                      TrainingAdvice& advice, const AdviceControl& control) {
            ++started;
            control.tasksDone->store(5);
            while (hold.load()) {
                if (control.cancel->load()) {
                    ++sawCancel;
                    return false;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return FindTrainingAdvice(tables, request, advice, control);
        };
    }
};

QAction* PlanMenuAction(const CQuorvelDlg& window, const QString& text)
{
    for (QAction* menu : QuorvelDlgTestAccess::menuBar(window)->actions()) {
        if (menu->menu() == nullptr)
            continue;
        for (QAction* action : menu->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
    }
    return nullptr;
}

bool OnScreen(const QWidget& window)
{
    const QScreen* screen = window.screen();
    return screen != nullptr && screen->availableGeometry().intersects(window.frameGeometry());
}

} // namespace

class TestAdviceWindows final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CQuorvelDlg> makeWindow(int virus)
    {
        m_choices.m_lastVirus = virus;
        return ShownMainWindow(*m_tables, m_choices);
    }
    static void selectStrategy(CQuorvelDlg& window, int position)
    {
        auto* strategies = QuorvelDlgTestAccess::controls(window).get<QComboBox>(kStrategySelector);
        strategies->setCurrentIndex(position);
        emit strategies->activated(position);
    }

    TemporarySettings m_settings;
    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;

private slots:
    void initTestCase() { RequirePreparedAnswers(); }
    void init()
    {
        m_tables = TablesIn(QUORVEL_SAMPLE_GUILD);
        m_choices = RememberedChoices{};
        m_choices.m_lastHero = 0;
        m_choices.m_planOrder = 0;
        m_choices.m_lastPlan = (kRounds - 1) * kRounds / 2 + kCrits;
    }
    void cleanup()
    {
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    void adviceIsTheEnginesForTheMainWindowsRequest()
    {
        const auto window = makeWindow(kShortVirus);
        QAction* open = PlanMenuAction(*window, u"培养建议(&A)…"_s);
        QVERIFY(open != nullptr);
        open->trigger();
        CAdviceWindow* advice = QuorvelDlgTestAccess::advice(*window);
        QVERIFY(advice != nullptr);
        QVERIFY(AdviceShown(advice));
        QCOMPARE(advice->windowTitle(), u"培养建议"_s);
        QVERIFY(advice->isVisible());
        QVERIFY(OnScreen(*advice));

        const auto expected = EnginesAdvice(*m_tables, PlanRequest{kShortVirus, 0, kStrategy, {}});
        QVERIFY(expected->found);
        QVERIFY(expected->count > 3);
        const AdviceModel* model = advice->model();
        QCOMPARE(model->rowCount(), expected->count);
        QCOMPARE(model->columnCount(), CheckTexts::AdviceColumns().size());
        for (int row = 0; row < expected->count; ++row) {
            const AdviceEntry& want = expected->entries[static_cast<std::size_t>(row)];
            const AdviceEntry& got = model->entry(row);
            QCOMPARE(got.hero, want.hero);
            QCOMPARE(got.stat, want.stat);
            QCOMPARE(got.increase, want.increase);
            QVERIFY(SamePlan(got.plan, want.plan));
            const auto cell = [model, row](int column) {
                return model->index(row, column).data().toString();
            };
            QCOMPARE(cell(AdviceModel::HeroColumn), QString::number(want.hero));
            QCOMPARE(cell(AdviceModel::StatColumn), CheckTexts::StatName(want.stat));
            QCOMPARE(cell(AdviceModel::IncreaseColumn), QString::number(want.increase));
            QCOMPARE(cell(AdviceModel::RaisedColumn), QString::number(want.value + want.increase));
            QCOMPARE(cell(AdviceModel::IndexColumn), PlanTexts::FeasibilityIndex(want.plan));
        }
        QVERIFY(advice->noteLabel()->text().contains(
            CheckTexts::CurrentIndex(PlanTexts::FeasibilityIndex(expected->plan))));
        QVERIFY(advice->adviceList()->isEnabled());

        // A level already beaten: nothing to train.
        QuorvelDlgTestAccess::showPlanFor(*window, kEasyVirus, kStrategy);
        QVERIFY(AdviceShown(advice));
        QCOMPARE(advice->model()->rowCount(), 0);
        QVERIFY(advice->noteLabel()->text().contains(CheckTexts::AlreadyFeasible()));
        QVERIFY(!advice->adviceList()->isEnabled());
    }

    // The entry's plan in the main window, on the roster it supposes: the
    // raised stat shows in the plan view, the roster itself is untouched.
    void selectingAnEntryShowsTheSupposedPlan()
    {
        const auto window = makeWindow(kShortVirus);
        CAdviceWindow* advice = window->OpenAdvice();
        QVERIFY(AdviceShown(advice));
        const HeroTable before = m_tables->heroTable;

        // The first entry whose hero is in its own plan.
        int row = 0;
        const auto inPlan = [](const AdviceEntry& entry) {
            for (const std::uint32_t hero : entry.plan.heroes) {
                if (static_cast<int>(hero) == entry.hero)
                    return true;
            }
            return false;
        };
        while (row < advice->model()->rowCount() && !inPlan(advice->model()->entry(row)))
            ++row;
        QVERIFY(row < advice->model()->rowCount());
        const AdviceEntry entry = advice->model()->entry(row);
        advice->adviceList()->selectRow(row);

        QCOMPARE(QuorvelDlgTestAccess::planGroup(*window)->title(),
                 CheckTexts::HypotheticalCaption(
                     PlanTexts::HeroNameText(m_tables->heroTable[entry.hero]), entry));
        QVERIFY(QuorvelDlgTestAccess::planGroup(*window)->title().contains(u"假设"_s));
        QCOMPARE(QuorvelDlgTestAccess::feasibilityLabel(*window)->text(),
                 PlanTexts::FeasibilityIndex(entry.plan));
        auto* list = QuorvelDlgTestAccess::controls(*window).get<CPlanListCtrl>(kPlanList);
        QCOMPARE(list->rowCount(), 6);
        bool raisedShown = false;
        for (int planRow = 0; planRow < 6; ++planRow) {
            QCOMPARE(list->heroAt(planRow), static_cast<int>(entry.plan.heroes[planRow]));
            if (list->heroAt(planRow) != entry.hero)
                continue;
            for (int column = 0; column < list->columnCount(); ++column) {
                const QTableWidgetItem* item = list->item(planRow, column);
                raisedShown =
                    raisedShown || (item != nullptr &&
                                    item->text() == QString::number(entry.value + entry.increase));
            }
        }
        QVERIFY(raisedShown);

        // Explained on the supposed roster too.
        auto supposed = std::make_unique<PlanningTables>(*m_tables);
        ApplyAdvice(entry, supposed->heroTable);
        QCOMPARE(
            QuorvelDlgTestAccess::feasibilityLabel(*window)->toolTip(),
            CheckTexts::IndexExplained(CheckPlan(*supposed, kShortVirus, kStrategy, entry.plan)));

        QVERIFY(std::memcmp(&before, &m_tables->heroTable, sizeof before) == 0);
        QVERIFY(!window->tablesModified());
        QVERIFY(!QuorvelDlgTestAccess::shownPlan(*window).has_value());
        QVERIFY(!QuorvelDlgTestAccess::copyPlanAction(*window)->isEnabled());

        // The real search shows the roster's own plan again.
        window->RunTeamSearch();
        QCOMPARE(QuorvelDlgTestAccess::planGroup(*window)->title(), PlanTexts::PlanCaption());
        QVERIFY(QuorvelDlgTestAccess::shownPlan(*window).has_value());

        // A confirmed hero editor leaves no supposed plan on the screen,
        // even when none of its heroes changed.
        advice->adviceList()->clearSelection();
        advice->adviceList()->selectRow(row);
        QVERIFY(QuorvelDlgTestAccess::planGroup(*window)->title().contains(u"假设"_s));
        WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) { editor.accept(); });
        window->OnEditHeroes();
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(!QuorvelDlgTestAccess::planGroup(*window)->title().contains(u"假设"_s));
    }

    // A slow advice shows its progress and 取消 after a moment; cancel keeps
    // the previous list, greyed; a request changed meanwhile is advised anew.
    void cancelKeepsThePreviousListAndTheNextRequestIsAdvised()
    {
        const auto window = makeWindow(kShortVirus);
        CAdviceWindow* advice = window->OpenAdvice();
        QVERIFY(AdviceShown(advice));
        const int rows = advice->model()->rowCount();
        QVERIFY(rows > 0);

        HeldAdvice held;
        advice->setComputation(held.computation());
        selectStrategy(*window, 0);
        QVERIFY(advice->isComputing());
        QVERIFY(!advice->adviceList()->isEnabled());
        QVERIFY(!advice->cancelButton()->isVisible());
        QTRY_VERIFY(advice->cancelButton()->isVisible());
        QVERIFY(advice->progressBar()->isVisible());
        QCOMPARE(advice->progressBar()->maximum(),
                 AdviceTaskCount(*m_tables, PlanRequest{kShortVirus, 0, Strategy{0, 0}, {}}));
        QTRY_COMPARE(advice->progressBar()->value(), 5);

        QTest::mouseClick(advice->cancelButton(), Qt::LeftButton);
        QVERIFY(AdviceShown(advice));
        QCOMPARE(held.sawCancel.load(), 1);
        QVERIFY(!advice->progressBar()->isVisible());
        QVERIFY(advice->statusLabel()->text().contains(u"取消"_s));
        QCOMPARE(advice->model()->rowCount(), rows);
        QVERIFY(!advice->adviceList()->isEnabled());

        // Two changes during one advice: the newest request is advised.
        selectStrategy(*window, 1);
        QTRY_COMPARE(held.started.load(), 2);
        selectStrategy(*window, kStrategyCount - 1);
        QTRY_COMPARE(held.sawCancel.load(), 2);
        held.hold = false;
        QVERIFY(AdviceShown(advice));
        QCOMPARE(held.started.load(), 3);
        const std::optional<Strategy> last = QuorvelDlgTestAccess::currentStrategy(*window);
        QVERIFY(last.has_value());
        const auto expected = EnginesAdvice(*m_tables, PlanRequest{kShortVirus, 0, *last, {}});
        QCOMPARE(advice->model()->rowCount(), expected->count);
        for (int row = 0; row < expected->count; ++row) {
            QCOMPARE(advice->model()->entry(row).hero,
                     expected->entries[static_cast<std::size_t>(row)].hero);
            QCOMPARE(advice->model()->entry(row).increase,
                     expected->entries[static_cast<std::size_t>(row)].increase);
        }
        QVERIFY(advice->statusLabel()->text().isEmpty());
    }

    // Closing the window stops its advice; destroying the main window during
    // one waits for it.
    void closingDuringAnAdviceIsSafe()
    {
        auto window = makeWindow(kShortVirus);
        CAdviceWindow* advice = window->OpenAdvice();
        QVERIFY(AdviceShown(advice));
        HeldAdvice held;
        advice->setComputation(held.computation());
        selectStrategy(*window, 0);
        QTRY_COMPARE(held.started.load(), 1);
        advice->close();
        QVERIFY(AdviceShown(advice));
        QCOMPARE(held.sawCancel.load(), 1);
        QCOMPARE(window->OpenAdvice(), advice);
        QTRY_COMPARE(held.started.load(), 2);
        window.reset();
        QCOMPARE(held.sawCancel.load(), 2);
    }

    void teamCheckShowsTheFiguresBesideTheBestPlan()
    {
        const auto window = makeWindow(kShortVirus);
        QAction* open = PlanMenuAction(*window, u"自选队伍(&K)…"_s);
        QVERIFY(open != nullptr);
        open->trigger();
        CTeamCheckWindow* check = QuorvelDlgTestAccess::teamCheck(*window);
        QVERIFY(check != nullptr);
        QVERIFY(BestShown(check));
        QCOMPARE(check->windowTitle(), u"自选队伍"_s);
        QVERIFY(OnScreen(*check));

        // The best plan beside, and the six boxes start from it.
        PlanRecord best;
        QVERIFY(FindBestTeam(*m_tables, PlanRequest{kShortVirus, 0, kStrategy, {}}, best));
        QVERIFY(check->bestCheck().has_value());
        QVERIFY(SamePlan(check->bestCheck()->plan, best));
        for (int slot = 0; slot < CTeamCheckWindow::kTeamSize; ++slot)
            QCOMPARE(check->hero(slot), static_cast<int>(best.heroes[slot]));
        QVERIFY(check->check().has_value());
        QVERIFY(SamePlan(check->check()->plan, best));

        // A team of one's own, unchecked heroes allowed, any leader.
        const int team[6] = {7, 3, 12, 0, 25, 19};
        m_tables->heroTable[12].checked = 0;
        for (int slot = 0; slot < 6; ++slot)
            check->setHero(slot, team[slot]);
        const TeamCheck expected = CheckTeam(*m_tables, kShortVirus, kStrategy, team);
        QVERIFY(check->check().has_value());
        const TeamCheck& shown = *check->check();
        QVERIFY(SamePlan(shown.plan, expected.plan));
        QCOMPARE(shown.lifeMargin, expected.lifeMargin);
        QCOMPARE(shown.damageMargin, expected.damageMargin);
        QCOMPARE(shown.threshold, expected.threshold);
        const auto figure = [check](CTeamCheckWindow::Figure row) {
            return check->figureLabel(CTeamCheckWindow::ChosenSide, row)->text();
        };
        QCOMPARE(figure(CTeamCheckWindow::TotalsFigure), PlanTexts::StatTotals(expected.plan));
        QCOMPARE(figure(CTeamCheckWindow::IndexFigure), PlanTexts::FeasibilityIndex(expected.plan));
        QCOMPARE(figure(CTeamCheckWindow::LifeMarginFigure),
                 CheckTexts::LifeMarginFigure(expected));
        QCOMPARE(figure(CTeamCheckWindow::DamageMarginFigure),
                 CheckTexts::DamageMarginFigure(expected));
        // The rows' labels name the margins; the figures do not again.
        QVERIFY(figure(CTeamCheckWindow::LifeMarginFigure).contains(u"(跨度 "_s));
        QVERIFY(!figure(CTeamCheckWindow::LifeMarginFigure).contains(u"生命余量"_s));
        QVERIFY(!figure(CTeamCheckWindow::DamageMarginFigure).contains(u"伤害余量"_s));
        QCOMPARE(figure(CTeamCheckWindow::ThresholdFigure), CheckTexts::ThresholdFigure(expected));
        QVERIFY(!figure(CTeamCheckWindow::ThresholdFigure).contains(u"可爱门槛"_s));
        QVERIFY(figure(CTeamCheckWindow::TeamFigure)
                    .startsWith(PlanTexts::HeroNameText(m_tables->heroTable[7])));
        QCOMPARE(
            check->figureLabel(CTeamCheckWindow::BestSide, CTeamCheckWindow::IndexFigure)->text(),
            PlanTexts::FeasibilityIndex(best));

        // A hero twice, or one missing: no figures, and why.
        check->setHero(4, 7);
        QVERIFY(!check->check().has_value());
        QCOMPARE(check->statusLabel()->text(), u"每位英雄只能选一次"_s);
        QVERIFY(figure(CTeamCheckWindow::IndexFigure).isEmpty());
        check->setHero(4, -1);
        QVERIFY(!check->check().has_value());
        QVERIFY(check->statusLabel()->text().contains(u"1"_s));
        check->setHero(4, 25);
        QVERIFY(check->check().has_value());
        QVERIFY(check->statusLabel()->text().isEmpty());

        // Another strategy in the main window: both sides follow it.
        selectStrategy(*window, 0);
        QVERIFY(BestShown(check));
        const TeamCheck again = CheckTeam(*m_tables, kShortVirus, Strategy{0, 0}, team);
        QVERIFY(check->check().has_value());
        QVERIFY(SamePlan(check->check()->plan, again.plan));
        PlanRecord bestAgain;
        if (FindBestTeam(*m_tables, PlanRequest{kShortVirus, 0, Strategy{0, 0}, {}}, bestAgain)) {
            QVERIFY(check->bestCheck().has_value());
            QVERIFY(SamePlan(check->bestCheck()->plan, bestAgain));
        } else {
            QVERIFY(!check->bestCheck().has_value());
        }
    }

    // Each box finds a hero by any part of its name, from the keyboard.
    void aHeroIsFoundByPartOfItsName()
    {
        const auto window = makeWindow(kShortVirus);
        CTeamCheckWindow* check = window->OpenTeamCheck();
        QVERIFY(BestShown(check));
        int hero = 0;
        while (hero < kHeroCount && PlanTexts::HeroNameText(m_tables->heroTable[hero]).size() < 3)
            ++hero;
        QVERIFY(hero < kHeroCount);
        const QString name = PlanTexts::HeroNameText(m_tables->heroTable[hero]);
        const QString part = name.mid(1, name.size() - 2); // neither its start nor its end

        QComboBox* box = check->heroBox(3);
        box->setFocus();
        box->lineEdit()->clear();
        // Typed one character at a time, as an input method commits them.
        for (const QChar character : part)
            QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        QCompleter* completer = box->completer();
        QVERIFY(completer->completionCount() >= 1);
        int found = -1;
        for (int row = 0; completer->setCurrentRow(row); ++row) {
            if (completer->currentCompletion().contains(name))
                found = row;
        }
        QVERIFY(found >= 0);
        completer->setCurrentRow(found);
        QTRY_VERIFY(completer->popup()->isVisible());
        completer->popup()->setCurrentIndex(completer->currentIndex());
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        QCOMPARE(check->hero(3), hero);
    }

    // The plan view's index explains itself: both margins and which limits.
    void theFeasibilityIndexExplainsItself()
    {
        const auto window = makeWindow(kShortVirus);
        window->RunTeamSearch();
        QVERIFY(QuorvelDlgTestAccess::shownPlan(*window).has_value());
        const TeamCheck check =
            CheckPlan(*m_tables, kShortVirus, kStrategy, *QuorvelDlgTestAccess::shownPlan(*window));
        const QString tip = QuorvelDlgTestAccess::feasibilityLabel(*window)->toolTip();
        QCOMPARE(tip, CheckTexts::IndexExplained(check));
        QVERIFY(tip.contains(u"生命余量"_s));
        QVERIFY(tip.contains(u"伤害余量"_s));
        // The index is 94: one margin falls short and is named.
        QCOMPARE(QuorvelDlgTestAccess::feasibilityLabel(*window)->text(), u"94"_s);
        QVERIFY(LimitingMarginOf(check) != LimitingMargin::Neither);
        QVERIFY(tip.contains(u"限制方案的是"_s));

        // Without a plan, or for a record that is no team of six (the same
        // hero six times, shown rather than refused), the index keeps only
        // its standing hint.
        const QString standing =
            QuorvelDlgTestAccess::feasibilityLabel(*window)->accessibleDescription();
        QVERIFY(!standing.isEmpty());
        QuorvelDlgTestAccess::ClearPlanView(*window);
        QCOMPARE(QuorvelDlgTestAccess::feasibilityLabel(*window)->toolTip(), standing);
        QuorvelDlgTestAccess::ShowPlan(*window, PlanRecord{});
        QCOMPARE(QuorvelDlgTestAccess::feasibilityLabel(*window)->toolTip(), standing);
        QCOMPARE(QuorvelDlgTestAccess::feasibilityLabel(*window)->text(),
                 PlanTexts::FeasibilityIndex(PlanRecord{}));
    }
};

QTEST_MAIN(TestAdviceWindows)
#include "tst_advicewindows.moc"
