// The main window: selectors, spins, switches, closing, the plan view and the
// search driver, on small hand-made tables.

#include "engine/TeamSearch.h"
#include "resources/MainDialogIds.h"
#include "resources/Menus.h"
#include "storage/DataFiles.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/FittedText.h"
#include "ui/common/PopupMenu.h"
#include "ui/common/TemplateGroupBox.h"
#include "ui/common/UpDownCtrl.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/SelectorComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace Qt::StringLiterals;
using namespace MainDialogIds;

namespace {

// The 21 strategy entries in generation order: text and item data.
struct StrategyRow
{
    const char16_t* text;
    unsigned itemData;
    int positionByChance;
};
// Exact halves (6.25, 31.25, 81.25) round away from zero, as the
// platform's own formatting of the time showed them.
const StrategyRow kStrategies[21] = {
    {u"1轮击败病毒, 最多承受 0次暴击, 获胜机率:100.0%", 0x00000, 0},
    {u"2轮击败病毒, 最多承受 0次暴击, 获胜机率: 50.0%", 0x10000, 12},
    {u"2轮击败病毒, 最多承受 1次暴击, 获胜机率:100.0%", 0x10001, 1},
    {u"3轮击败病毒, 最多承受 0次暴击, 获胜机率: 25.0%", 0x20000, 16},
    {u"3轮击败病毒, 最多承受 1次暴击, 获胜机率: 75.0%", 0x20001, 10},
    {u"3轮击败病毒, 最多承受 2次暴击, 获胜机率:100.0%", 0x20002, 2},
    {u"4轮击败病毒, 最多承受 0次暴击, 获胜机率: 12.5%", 0x30000, 18},
    {u"4轮击败病毒, 最多承受 1次暴击, 获胜机率: 50.0%", 0x30001, 13},
    {u"4轮击败病毒, 最多承受 2次暴击, 获胜机率: 87.5%", 0x30002, 8},
    {u"4轮击败病毒, 最多承受 3次暴击, 获胜机率:100.0%", 0x30003, 3},
    {u"5轮击败病毒, 最多承受 0次暴击, 获胜机率:  6.3%", 0x40000, 19},
    {u"5轮击败病毒, 最多承受 1次暴击, 获胜机率: 31.3%", 0x40001, 15},
    {u"5轮击败病毒, 最多承受 2次暴击, 获胜机率: 68.8%", 0x40002, 11},
    {u"5轮击败病毒, 最多承受 3次暴击, 获胜机率: 93.8%", 0x40003, 7},
    {u"5轮击败病毒, 最多承受 4次暴击, 获胜机率:100.0%", 0x40004, 4},
    {u"6轮击败病毒, 最多承受 0次暴击, 获胜机率:  3.1%", 0x50000, 20},
    {u"6轮击败病毒, 最多承受 1次暴击, 获胜机率: 18.8%", 0x50001, 17},
    {u"6轮击败病毒, 最多承受 2次暴击, 获胜机率: 50.0%", 0x50002, 14},
    {u"6轮击败病毒, 最多承受 3次暴击, 获胜机率: 81.3%", 0x50003, 9},
    {u"6轮击败病毒, 最多承受 4次暴击, 获胜机率: 96.9%", 0x50004, 6},
    {u"6轮击败病毒, 最多承受 5次暴击, 获胜机率:100.0%", 0x50005, 5},
};

// Position of the strategy (3 rounds, 1 crit) in either order.
constexpr int kThreeRoundsOneCrit = 4;

// What the plan view's widgets last put on the screen: each paint records the
// state its widget was drawn in.
class PaintRecorder final : public QObject
{
public:
    PaintRecorder(QGroupBox* group, CPlanListCtrl* list, const QList<QLabel*>& fields)
        : m_group(group), m_list(list), m_fields(fields)
    {
        m_group->installEventFilter(this);
        m_list->viewport()->installEventFilter(this);
        for (QLabel* field : m_fields)
            field->installEventFilter(this);
    }
    void reset()
    {
        paintedCaption.clear();
        paintedRows = -1;
        paintedFieldTexts.clear();
    }

    QString paintedCaption;
    int paintedRows = -1;
    QStringList paintedFieldTexts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (watched == m_group)
                paintedCaption = m_group->title();
            else if (watched == m_list->viewport())
                paintedRows = m_list->rowCount();
            else if (auto* field = qobject_cast<QLabel*>(watched))
                paintedFieldTexts.append(field->text());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QGroupBox* m_group;
    CPlanListCtrl* m_list;
    QList<QLabel*> m_fields;
};

} // namespace

class TestQuorvelDlg final : public QObject
{
    Q_OBJECT

private:
    // A window on the tables and choices, counting the searches it runs.
    std::unique_ptr<CQuorvelDlg> makeWindow()
    {
        auto window = std::make_unique<CQuorvelDlg>(*m_tables, m_choices);
        QuorvelDlgTestAccess::setTeamSearch(
            *window,
            [this](const PlanningTables& tables, const PlanRequest& request, PlanRecord& plan) {
                ++m_searches;
                return FindBestTeam(tables, request, plan);
            });
        return window;
    }
    template <class T> static T* control(const CQuorvelDlg& window, int id)
    {
        return QuorvelDlgTestAccess::controls(window).get<T>(id);
    }
    static QString text(const CQuorvelDlg& window, int id)
    {
        return control<QLabel>(window, id)->text();
    }
    static QString caption(const CQuorvelDlg& window)
    {
        return control<QGroupBox>(window, kPlanGroup)->title();
    }
    static bool planViewEmpty(const CQuorvelDlg& window)
    {
        for (const int field :
             {kStatTotals, kHeroDamage, kVirusDamage, kCritDamage, kFeasibility}) {
            if (!text(window, field).isEmpty())
                return false;
        }
        return control<CPlanListCtrl>(window, kPlanList)->rowCount() == 0 &&
               caption(window) == u"组队方案"_s;
    }
    // Picks an entry the way the user does, through the closed drop-down list.
    static void pickWithKeyboard(QComboBox* selector, int position)
    {
        while (selector->currentIndex() < position)
            QTest::keyClick(selector, Qt::Key_Down);
        while (selector->currentIndex() > position)
            QTest::keyClick(selector, Qt::Key_Up);
    }
    // Example tables, led by hero 0, level 11, strategy 3 rounds / 1 crit.
    void chooseExampleRequest(int virus = 10)
    {
        m_choices.m_lastVirus = virus;
        m_choices.m_lastHero = 0;
        m_choices.m_planOrder = 0;
        m_choices.m_lastPlan = kThreeRoundsOneCrit;
    }
    // A right click on the plan list, at a point of its rows' area.
    static void rightClick(CPlanListCtrl* list, const QPoint& point)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                                list->viewport()->mapToGlobal(point));
        QApplication::sendEvent(list->viewport(), &event);
    }
    static void clickSpin(CUpDownCtrl* spin, bool up)
    {
        QTest::mouseClick(spin, Qt::LeftButton, {},
                          QPoint(spin->width() / 2, up ? 2 : spin->height() - 3));
    }

    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;
    int m_searches = 0;

private slots:
    void initTestCase() { RequirePreparedAnswers(); }
    void init()
    {
        m_tables = ExampleTables();
        m_choices = RememberedChoices{};
        m_searches = 0;
        PopupMenu::resetLast();
    }
    void cleanup()
    {
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    void firstStartShowsDefaults()
    {
        const auto window = makeWindow();
        QCOMPARE(window->windowTitle(), u"青梧药庐公会疫区组队助手"_s);
        QVERIFY(!window->windowIcon().isNull());
        auto* target = control<QComboBox>(*window, kTargetSelector);
        QCOMPARE(target->count(), 64);
        QCOMPARE(target->currentIndex(), 0);
        QCOMPARE(target->itemText(0), u"第01关　未知病毒　9999/9999/2000"_s);
        QCOMPARE(target->itemText(63), u"第64关　未知病毒　9999/9999/2000"_s);
        auto* leader = control<QComboBox>(*window, kLeaderSelector);
        QCOMPARE(leader->count(), 128);
        QCOMPARE(leader->currentIndex(), -1);
        QCOMPARE(leader->itemText(0), u"雪叶"_s);
        QCOMPARE(leader->itemText(127), u"输入会友信息"_s);
        QCOMPARE(text(*window, kLeaderStats), u"<--未选择英雄"_s);
        QCOMPARE(control<QComboBox>(*window, kStrategySelector)->currentIndex(), 0);
        QVERIFY(control<QCheckBox>(*window, kPlanOrderCheck)->isChecked());
        QVERIFY(!control<QCheckBox>(*window, kTopmostCheck)->isChecked());
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(planViewEmpty(*window));
        QCOMPARE(m_searches, 0);
        QVERIFY(!window->tablesModified());
    }

    void strategySelectorInBothOrders()
    {
        for (const int byChance : {0, 1}) {
            m_choices.m_planOrder = byChance;
            const auto window = makeWindow();
            auto* strategies = control<QComboBox>(*window, kStrategySelector);
            QCOMPARE(strategies->count(), 21);
            for (int generated = 0; generated < 21; ++generated) {
                const StrategyRow& row = kStrategies[generated];
                const int position = byChance != 0 ? row.positionByChance : generated;
                QCOMPARE(strategies->itemText(position), QString::fromUtf16(row.text));
                QCOMPARE(strategies->itemData(position).toUInt(), row.itemData);
            }
        }
    }

    void orderSwitchSelectsTheFirstEntry()
    {
        m_choices.m_lastPlan = 7;
        const auto window = makeWindow();
        auto* strategies = control<QComboBox>(*window, kStrategySelector);
        auto* spin = control<CUpDownCtrl>(*window, kStrategySpin);
        QCOMPARE(strategies->currentIndex(), 7);
        QCOMPARE(spin->position(), 7);
        auto* order = control<QCheckBox>(*window, kPlanOrderCheck);
        QTest::mouseClick(order, Qt::LeftButton);
        QVERIFY(!order->isChecked());
        QCOMPARE(m_choices.m_planOrder, 0);
        QCOMPARE(m_choices.m_lastPlan, 0);
        QCOMPARE(strategies->currentIndex(), 0);
        QCOMPARE(spin->position(), 0);
        QCOMPARE(strategies->itemData(1).toUInt(), 0x10000u); // generation order
        pickWithKeyboard(strategies, 3);
        QTest::mouseClick(order, Qt::LeftButton);
        QCOMPARE(m_choices.m_planOrder, 1);
        QCOMPARE(strategies->currentIndex(), 0);
        QCOMPARE(strategies->itemData(1).toUInt(), 0x10001u); // by win chance
        QCOMPARE(m_searches, 0);
    }

    void spinsStopAtTheirLimits()
    {
        m_choices.m_lastHero = 0;
        const auto window = makeWindow();
        auto* target = control<QComboBox>(*window, kTargetSelector);
        auto* targetSpin = control<CUpDownCtrl>(*window, kTargetSpin);
        auto* strategies = control<QComboBox>(*window, kStrategySelector);
        auto* strategySpin = control<CUpDownCtrl>(*window, kStrategySpin);

        // First virus, first strategy: the up arrows do nothing.
        clickSpin(targetSpin, true);
        clickSpin(strategySpin, true);
        QCOMPARE(target->currentIndex(), 0);
        QCOMPARE(targetSpin->position(), 0);
        QCOMPARE(strategies->currentIndex(), 0);
        QCOMPARE(m_searches, 0);

        // Last virus, last strategy: the down arrows do nothing.
        pickWithKeyboard(target, 63);
        pickWithKeyboard(strategies, 20);
        QCOMPARE(targetSpin->position(), 63);
        QCOMPARE(strategySpin->position(), 20);
        clickSpin(targetSpin, false);
        clickSpin(strategySpin, false);
        QCOMPARE(target->currentIndex(), 63);
        QCOMPARE(strategies->currentIndex(), 20);
        QCOMPARE(m_searches, 0);
    }

    void spinStepSelectsTheNeighbourAndSearches()
    {
        chooseExampleRequest(11);
        const auto window = makeWindow();
        auto* target = control<QComboBox>(*window, kTargetSelector);
        auto* targetSpin = control<CUpDownCtrl>(*window, kTargetSpin);
        // Up is the entry above: level 11, where the example team wins.
        clickSpin(targetSpin, true);
        QCOMPARE(target->currentIndex(), 10);
        QCOMPARE(targetSpin->position(), 10);
        QCOMPARE(m_searches, 1);
        QCOMPARE(control<CPlanListCtrl>(*window, kPlanList)->rowCount(), 6);
        // Down is the entry below.
        clickSpin(targetSpin, false);
        QCOMPARE(target->currentIndex(), 11);
        QCOMPARE(m_searches, 2);

        auto* strategies = control<QComboBox>(*window, kStrategySelector);
        clickSpin(control<CUpDownCtrl>(*window, kStrategySpin), false);
        QCOMPARE(strategies->currentIndex(), kThreeRoundsOneCrit + 1);
        QCOMPARE(m_searches, 3);
    }

    void pickingFromAListOnlyClearsThePlan()
    {
        chooseExampleRequest();
        const auto window = makeWindow();
        struct Pick
        {
            int id;
            int position;
        };
        for (const Pick pick :
             {Pick{kTargetSelector, 12}, Pick{kLeaderSelector, 3}, Pick{kStrategySelector, 2}}) {
            window->RunTeamSearch();
            QCOMPARE(control<CPlanListCtrl>(*window, kPlanList)->rowCount() > 0 ||
                         caption(*window) == u"没有可行的组队方案"_s,
                     true);
            const int searches = m_searches;
            pickWithKeyboard(control<QComboBox>(*window, pick.id), pick.position);
            QVERIFY(planViewEmpty(*window));
            QCOMPARE(m_searches, searches);
        }
        // The spins follow their selectors; the stats line follows the leader.
        QCOMPARE(control<CUpDownCtrl>(*window, kTargetSpin)->position(), 12);
        QCOMPARE(control<CUpDownCtrl>(*window, kStrategySpin)->position(), 2);
        QCOMPARE(text(*window, kLeaderStats), u"英雄三围: 800/600/100"_s);
    }

    void planViewShowsAKnownPlan_data()
    {
        QTest::addColumn<int>("virus");
        QTest::addColumn<QString>("critDamage");
        QTest::addColumn<QString>("feasibility");
        // The combat model's worked examples: crits count from level 27 on.
        QTest::newRow("level 11") << 10 << u"4163～4168"_s << u"44"_s;
        QTest::newRow("level 31") << 30 << u"8326～8331"_s << u"20"_s;
    }
    void planViewShowsAKnownPlan()
    {
        QFETCH(int, virus);
        QFETCH(QString, critDamage);
        QFETCH(QString, feasibility);
        chooseExampleRequest(virus);
        const auto window = makeWindow();
        QTest::mouseClick(control<QPushButton>(*window, kSearchButton), Qt::LeftButton);
        QCOMPARE(m_searches, 1);
        auto* list = control<CPlanListCtrl>(*window, kPlanList);
        // The leader first, then the others by descending 可爱.
        const int expectedHeroes[6] = {0, 2, 1, 4, 5, 3};
        QCOMPARE(list->rowCount(), 6);
        for (int row = 0; row < 6; ++row)
            QCOMPARE(list->heroAt(row), expectedHeroes[row]);
        QCOMPARE(list->item(0, 0)->text(), u"雪叶"_s);
        QCOMPARE(list->item(1, 1)->text(), u"1100"_s);
        QCOMPARE(list->item(1, 2)->text(), u"850"_s);
        QCOMPARE(list->item(1, 3)->text(), u"250"_s);
        QCOMPARE(text(*window, kStatTotals), u"5950/4500/1100"_s);
        QCOMPARE(text(*window, kHeroDamage), u"3308～3313"_s);
        QCOMPARE(text(*window, kVirusDamage), u"4163～4168"_s);
        QCOMPARE(text(*window, kCritDamage), critDamage);
        QCOMPARE(text(*window, kFeasibility), feasibility);
        QCOMPARE(caption(*window), u"组队方案"_s);
        QCOMPARE(window->focusWidget(), control<QComboBox>(*window, kStrategySelector));
    }

    void captionTellsTheSearchState()
    {
        chooseExampleRequest();
        const auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->RunTeamSearch(); // a plan on screen, to be emptied
        QCOMPARE(control<CPlanListCtrl>(*window, kPlanList)->rowCount(), 6);
        QApplication::processEvents();
        QList<QLabel*> fields;
        for (const int field : {kStatTotals, kHeroDamage, kVirusDamage, kCritDamage, kFeasibility})
            fields.append(control<QLabel>(*window, field));
        PaintRecorder painted(control<QGroupBox>(*window, kPlanGroup),
                              control<CPlanListCtrl>(*window, kPlanList), fields);

        QString captionDuring;
        int rowsDuring = -1;
        bool busyDuring = false;
        QString captionOnScreen;
        int rowsOnScreen = -1;
        QStringList fieldsOnScreen;
        QuorvelDlgTestAccess::setTeamSearch(
            *window, [&](const PlanningTables&, const PlanRequest&, PlanRecord&) {
                captionDuring = caption(*window);
                rowsDuring = control<CPlanListCtrl>(*window, kPlanList)->rowCount();
                busyDuring = QGuiApplication::overrideCursor() != nullptr &&
                             QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
                captionOnScreen = painted.paintedCaption;
                rowsOnScreen = painted.paintedRows;
                fieldsOnScreen = painted.paintedFieldTexts;
                return false;
            });
        painted.reset();
        window->RunTeamSearch();
        QCOMPARE(captionDuring, u"正在寻找组队方案"_s);
        QCOMPARE(rowsDuring, 0);
        QVERIFY(busyDuring);
        // The search holds the thread: the emptied view and the caption must
        // already be painted when it starts, not at the next paint cycle.
        QCOMPARE(captionOnScreen, u"正在寻找组队方案"_s);
        QCOMPARE(rowsOnScreen, 0);
        QCOMPARE(fieldsOnScreen.size(), fields.size());
        for (const QString& text : std::as_const(fieldsOnScreen))
            QVERIFY(text.isEmpty());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(caption(*window), u"没有可行的组队方案"_s);
        QVERIFY(text(*window, kStatTotals).isEmpty());
        // Another strategy from the list brings the plain caption back.
        pickWithKeyboard(control<QComboBox>(*window, kStrategySelector), 2);
        QCOMPARE(caption(*window), u"组队方案"_s);
    }

    void searchWithoutLeaderFocusesTheLeaderSelector()
    {
        const auto window = makeWindow();
        window->show();
        QTest::mouseClick(control<QPushButton>(*window, kSearchButton), Qt::LeftButton);
        QCOMPARE(m_searches, 0);
        QVERIFY(planViewEmpty(*window));
        QCOMPARE(window->focusWidget(), control<QComboBox>(*window, kLeaderSelector));
    }

    // Remembered positions that are no entry leave their selector empty, and
    // the search then stops at that selector instead of reading a table.
    void outOfRangeChoicesSearchNothing()
    {
        m_choices.m_lastVirus = 99;
        m_choices.m_lastHero = 200;
        m_choices.m_lastPlan = -7;
        const auto window = makeWindow();
        window->show();
        auto* target = control<QComboBox>(*window, kTargetSelector);
        auto* leader = control<QComboBox>(*window, kLeaderSelector);
        auto* strategies = control<QComboBox>(*window, kStrategySelector);
        QCOMPARE(target->currentIndex(), -1);
        QCOMPARE(leader->currentIndex(), -1);
        QCOMPARE(strategies->currentIndex(), -1);
        QCOMPARE(text(*window, kLeaderStats), u"<--未选择英雄"_s);

        pickWithKeyboard(leader, 0);
        window->RunTeamSearch();
        QCOMPARE(window->focusWidget(), target);
        QCOMPARE(m_searches, 0);
        // The target spin's up arrow is refused from nowhere.
        clickSpin(control<CUpDownCtrl>(*window, kTargetSpin), true);
        QCOMPARE(target->currentIndex(), -1);
        QCOMPARE(m_searches, 0);

        // With a target the strategy selector is still empty.
        target->setCurrentIndex(10);
        window->RunTeamSearch();
        QCOMPARE(window->focusWidget(), strategies);
        QCOMPARE(m_searches, 0);
        QVERIFY(planViewEmpty(*window));
    }

    void contextMenuNeedsASelectedRow()
    {
        chooseExampleRequest();
        const auto window = makeWindow();
        window->show();
        window->RunTeamSearch();
        auto* list = control<CPlanListCtrl>(*window, kPlanList);
        list->clearSelection();
        const QPoint inside(5, 5);
        // No row selected: the item is greyed and cannot be chosen.
        PopupMenu::setNextChoice(kCmdExcludeHeroes);
        rightClick(list, inside);
        QVERIFY(PopupMenu::lastPosition().has_value());
        QCOMPARE(*PopupMenu::lastPosition(), list->viewport()->mapToGlobal(inside));
        QCOMPARE(PopupMenu::lastEnabledCommands(), QList<int>{});
        QCOMPARE(m_searches, 1);
        QVERIFY(!window->tablesModified());

        list->selectRow(1);
        PopupMenu::setNextChoice(0); // dismissed
        rightClick(list, inside);
        QCOMPARE(PopupMenu::lastEnabledCommands(), QList<int>{kCmdExcludeHeroes});
        QCOMPARE(m_searches, 1);
        QCOMPARE(m_tables->heroTable[list->heroAt(1)].checked, 1);
    }

    void excludingTwoRowsSearchesOnce()
    {
        chooseExampleRequest();
        // Two more heroes, so a team is left after two are excluded.
        SetHero(*m_tables, 6, u"大云雁", {1300, 950, 300});
        SetHero(*m_tables, 7, u"砚舟", {1250, 920, 280});
        const auto window = makeWindow();
        window->show();
        window->RunTeamSearch();
        auto* list = control<CPlanListCtrl>(*window, kPlanList);
        QCOMPARE(list->rowCount(), 6);
        const int first = list->heroAt(1);
        const int second = list->heroAt(3);
        list->selectRow(1);
        list->selectionModel()->select(list->model()->index(3, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const int searches = m_searches;
        PopupMenu::setNextChoice(kCmdExcludeHeroes);
        rightClick(list, QPoint(5, 5));

        QCOMPARE(m_tables->heroTable[first].checked, 0);
        QCOMPARE(m_tables->heroTable[second].checked, 0);
        QVERIFY(window->tablesModified());
        QCOMPARE(m_searches, searches + 1);
        QCOMPARE(list->rowCount(), 6);
        for (int row = 0; row < 6; ++row) {
            QVERIFY(list->heroAt(row) != first);
            QVERIFY(list->heroAt(row) != second);
        }
        // Down to the leader and four others: no team any more.
        list->selectRow(5);
        window->ExcludeSelectedHeroes();
        QCOMPARE(caption(*window), u"没有可行的组队方案"_s);
        QCOMPARE(list->rowCount(), 0);
    }

    void excludingTheLeaderKeepsItInFront()
    {
        chooseExampleRequest();
        const auto window = makeWindow();
        window->RunTeamSearch();
        auto* list = control<CPlanListCtrl>(*window, kPlanList);
        list->selectRow(0);
        window->ExcludeSelectedHeroes();
        QCOMPARE(m_tables->heroTable[0].checked, 0);
        QCOMPARE(list->rowCount(), 6);
        QCOMPARE(list->heroAt(0), 0);
    }

    void closeKeepsTheChoicesEscapeDoesNot()
    {
        for (const bool viaClose : {true, false}) {
            m_choices = RememberedChoices{};
            m_choices.m_planOrder = 0;
            const auto window = makeWindow();
            window->show();
            pickWithKeyboard(control<QComboBox>(*window, kTargetSelector), 4);
            pickWithKeyboard(control<QComboBox>(*window, kLeaderSelector), 2);
            pickWithKeyboard(control<QComboBox>(*window, kStrategySelector), 1);
            QTest::mouseClick(control<QCheckBox>(*window, kTopmostCheck), Qt::LeftButton);
            QTest::mouseClick(control<QCheckBox>(*window, kPlanOrderCheck), Qt::LeftButton);
            pickWithKeyboard(control<QComboBox>(*window, kStrategySelector), 1);
            if (viaClose)
                window->close();
            else
                QTest::keyClick(window.get(), Qt::Key_Escape);
            QVERIFY(!window->isVisible());
            QCOMPARE(window->result(), int(QDialog::Rejected));
            if (viaClose) {
                QCOMPARE(m_choices.m_lastVirus, 4);
                QCOMPARE(m_choices.m_lastHero, 2);
                QCOMPARE(m_choices.m_lastPlan, 1);
                QCOMPARE(m_choices.m_topmost, 1);
                QCOMPARE(m_choices.m_planOrder, 1);
            } else {
                // Only what the order switch set itself.
                QCOMPARE(m_choices.m_lastVirus, 0);
                QCOMPARE(m_choices.m_lastHero, -1);
                QCOMPARE(m_choices.m_lastPlan, 0);
                QCOMPARE(m_choices.m_topmost, 0);
                QCOMPARE(m_choices.m_planOrder, 1);
            }
        }
    }

    void topmostSwitchKeepsTheWindowOpen()
    {
        m_choices.m_topmost = 1;
        const auto window = makeWindow();
        QVERIFY(control<QCheckBox>(*window, kTopmostCheck)->isChecked());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        window->show();
        const QPoint where = window->pos();
        QTest::mouseClick(control<QCheckBox>(*window, kTopmostCheck), Qt::LeftButton);
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->isVisible());
        QCOMPARE(window->pos(), where);
        // The switch itself remembers nothing; closing does.
        QCOMPARE(m_choices.m_topmost, 1);
    }

    void leaderStatsFitTheirLine()
    {
        SetHero(*m_tables, 9, u"满属性", {9999, 9999, 9999});
        m_choices.m_lastHero = 9;
        const auto window = makeWindow();
        auto* stats = control<QLabel>(*window, kLeaderStats);
        QCOMPARE(stats->text(), u"英雄三围: 9999/9999/9999"_s);
        QVERIFY(QFontMetrics(stats->font()).horizontalAdvance(stats->text()) <= stats->width());
        // ...and stop short of the hero editor's button.
        QVERIFY(stats->geometry().right() <
                control<QPushButton>(*window, kEditHeroesButton)->geometry().left());
    }

    // A strong guild against an easy level: five-digit totals, six-digit
    // damage and an index of a dozen digits show whole, inside the group.
    void largePlanFiguresFitTheirFields()
    {
        const auto window = makeWindow();
        PlanRecord plan;
        plan.smartTotal = plan.cuteTotal = plan.abnormalTotal = 88888;
        plan.heroDamageLow = plan.virusDamageLow = plan.critDamageLow = 888888;
        plan.heroDamageHigh = plan.virusDamageHigh = plan.critDamageHigh = 888893;
        plan.score = 8.8e9f;
        QuorvelDlgTestAccess::ShowPlan(*window, plan);
        QCOMPARE(text(*window, kStatTotals), u"88888/88888/88888"_s);
        QCOMPARE(text(*window, kFeasibility).size(), 12);
        const QRect group = control<QGroupBox>(*window, kPlanGroup)->geometry();
        for (const int id : {kStatTotals, kHeroDamage, kVirusDamage, kCritDamage, kFeasibility}) {
            const QLabel* field = control<QLabel>(*window, id);
            QVERIFY2(QFontMetrics(field->font()).horizontalAdvance(field->text()) <= field->width(),
                     qPrintable(field->text()));
            QVERIFY(field->geometry().right() < group.right());
        }
    }

    void editorButtonsAreThere()
    {
        const auto window = makeWindow();
        QCOMPARE(control<QPushButton>(*window, kEditVirusButton)->text(), u"编辑病毒信息"_s);
        QCOMPARE(control<QPushButton>(*window, kEditHeroesButton)->text(), u"编辑英雄信息"_s);
    }

    // --- The plan view across a hero editor confirmation --------------------

    // Runs the hero editor from the window, makes `edit` in it and confirms.
    void confirmHeroEditor(CQuorvelDlg& window, std::function<void(CHeroesDlg&)> edit)
    {
        WhenDialogShown<CHeroesDlg>(this, [edit](CHeroesDlg& editor) {
            edit(editor);
            editor.accept();
        });
        window.OnEditHeroes();
    }

    void heroEditorKeepsAPlanWhoseHeroesDidNotChange()
    {
        chooseExampleRequest();
        SetHero(*m_tables, 9, u"旁观者", {500, 500, 500}, false);
        const auto window = makeWindow();
        window->show();
        auto* list = control<CPlanListCtrl>(*window, kPlanList);

        window->RunTeamSearch();
        QCOMPARE(list->rowCount(), 6);
        // Nothing edited.
        confirmHeroEditor(*window, [](CHeroesDlg&) {});
        QCOMPARE(list->rowCount(), 6);
        QCOMPARE(text(*window, kStatTotals), u"5950/4500/1100"_s);
        QVERIFY(window->tablesModified());
        QVERIFY(QuorvelDlgTestAccess::copyPlanAction(*window)->isEnabled());

        // A hero outside the plan renamed and given other stats.
        confirmHeroEditor(*window, [](CHeroesDlg& editor) {
            QVERIFY(TypeIntoCell(*editor.list(), 9, 0, u"新来的"_s));
            QVERIFY(TypeIntoCell(*editor.list(), 9, 2, u"77"_s));
        });
        QCOMPARE(list->rowCount(), 6);
        QCOMPARE(text(*window, kFeasibility), u"44"_s);
        QCOMPARE(m_searches, 1);
    }

    void heroEditorClearsAPlanWhoseHeroChanged_data()
    {
        QTest::addColumn<int>("row");    // hero-table row edited, one of the plan's six
        QTest::addColumn<int>("column"); // 0 name, 1 聪明, 2 可爱, 3 不正常
        QTest::addColumn<QString>("value");
        QTest::newRow("leader renamed") << 0 << 0 << u"改名了"_s;
        QTest::newRow("member 聪明") << 2 << 1 << u"1101"_s;
        QTest::newRow("member 可爱") << 3 << 2 << u"601"_s;
        QTest::newRow("member 不正常") << 5 << 3 << u"0"_s;
    }
    void heroEditorClearsAPlanWhoseHeroChanged()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, value);
        chooseExampleRequest();
        const auto window = makeWindow();
        window->show();
        window->RunTeamSearch();
        auto* list = control<CPlanListCtrl>(*window, kPlanList);
        QCOMPARE(list->rowCount(), 6);
        confirmHeroEditor(*window, [row, column, value](CHeroesDlg& editor) {
            QVERIFY(TypeIntoCell(*editor.list(), row, column, value));
        });
        QVERIFY(planViewEmpty(*window));
        QVERIFY(!QuorvelDlgTestAccess::copyPlanAction(*window)->isEnabled());
    }

    // "没有可行的组队方案" speaks of the whole roster: kept only while the
    // roster is as it was.
    void heroEditorKeepsANoPlanCaptionOnlyForAnUnchangedRoster()
    {
        chooseExampleRequest();
        m_choices.m_lastVirus = 0; // the default virus beats the example team
        const auto window = makeWindow();
        window->show();
        window->RunTeamSearch();
        QCOMPARE(caption(*window), u"没有可行的组队方案"_s);
        confirmHeroEditor(*window, [](CHeroesDlg&) {});
        QCOMPARE(caption(*window), u"没有可行的组队方案"_s);
        confirmHeroEditor(*window, [](CHeroesDlg& editor) {
            QVERIFY(TypeIntoCell(*editor.list(), 40, 2, u"9000"_s));
        });
        QCOMPARE(caption(*window), u"组队方案"_s);
    }

    // --- Selectors: wheel and drop-down height -----------------------------

    void wheelChangesASelectorOnlyWithTheFocus()
    {
        chooseExampleRequest();
        const auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->RunTeamSearch();
        auto* target = control<QComboBox>(*window, kTargetSelector);
        auto* strategies = control<QComboBox>(*window, kStrategySelector);
        QCOMPARE(window->focusWidget(), strategies); // where a shown plan puts it
        const auto wheelDown = [](QWidget* widget) {
            const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
            QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(widget, &event);
        };

        wheelDown(target);
        QCOMPARE(target->currentIndex(), 10);
        QCOMPARE(control<CPlanListCtrl>(*window, kPlanList)->rowCount(), 6);

        wheelDown(strategies);
        QCOMPARE(strategies->currentIndex(), kThreeRoundsOneCrit + 1);
        QVERIFY(planViewEmpty(*window));
    }

    void dropDownListsShowAtMostTwentyEntries()
    {
        const auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (const int id : {kTargetSelector, kLeaderSelector, kStrategySelector}) {
            auto* selector = control<QComboBox>(*window, id);
            selector->showPopup();
            QAbstractItemView* view = selector->view();
            QTRY_VERIFY(view->isVisible());
            const int rowHeight = view->sizeHintForRow(0);
            QVERIFY(rowHeight > 0);
            const int rowsShown = view->viewport()->height() / rowHeight;
            QVERIFY2(rowsShown <= 20, qPrintable(QString::number(rowsShown)));
            // The 64 levels and 128 heroes still show a good page of them.
            QVERIFY2(rowsShown >= std::min(18, selector->count()),
                     qPrintable(QString::number(rowsShown)));
            // Every entry shows whole in the opened list.
            for (int row = 0; row < selector->count(); ++row) {
                QVERIFY(view->fontMetrics().horizontalAdvance(selector->itemText(row)) <
                        view->viewport()->width());
            }
            selector->hidePopup();
            QTRY_VERIFY(!view->isVisible());
        }
    }

    // --- The plan group's frame ----------------------------------------------

    void planGroupFrameClearsItsContents()
    {
        chooseExampleRequest();
        const auto window = makeWindow();
        window->show();
        window->RunTeamSearch();
        auto* group = control<QGroupBox>(*window, kPlanGroup);
        const QImage picture = group->grab().toImage();
        // The frame's top line: the first row, right of the caption, that
        // differs from the background above it.
        const int x = group->width() - 12;
        const QRgb background = picture.pixel(x, 0);
        int line = -1;
        for (int y = 0; y < picture.height() && line < 0; ++y) {
            if (picture.pixel(x, y) != background)
                line = y;
        }
        QVERIFY(line >= 0);
        // Runs through the caption, not below it ...
        const int captionHeight = group->fontMetrics().height();
        QVERIFY2(line < captionHeight, qPrintable(QString::number(line)));
        // ... and clears every control inside the frame by a few pixels.
        for (QWidget* inside : QuorvelDlgTestAccess::controls(*window).inOrder()) {
            if (inside == group || !group->geometry().contains(inside->geometry()))
                continue;
            const int top = inside->geometry().top() - group->geometry().top();
            QVERIFY2(top > line + 2, inside->metaObject()->className());
        }
    }

    // --- Every text whole at the extremes -------------------------------------

    // Every hero and virus at 65535 with names of the longest kind: five-digit
    // stats, six-digit totals and damages, a 13-digit index. Each text of the
    // window is measured in the font it is drawn in against its control.
    void everyTextFitsAtTheExtremes()
    {
        for (int i = 0; i < kHeroCount; ++i)
            SetHero(*m_tables, i, u"最长的英雄名字十一个字", {65535, 65535, 65535});
        for (VirusRecord& virus : m_tables->virusTable) {
            virus = VirusRecord{};
            std::u16string_view(u"最长的病毒名字十一个字").copy(virus.name, kMaxNameLength);
            virus.stupid = virus.hateful = virus.notAbnormal = 65535;
        }
        // A level so weak that the index runs to its largest; the level
        // entries at 65535 are measured afterwards.
        m_tables->virusTable[63].stupid = m_tables->virusTable[63].hateful =
            m_tables->virusTable[63].notAbnormal = 1;
        m_choices.m_lastVirus = 63;
        m_choices.m_lastHero = 127;
        m_choices.m_lastPlan = 0;
        const auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->RunTeamSearch();
        auto* list = control<CPlanListCtrl>(*window, kPlanList);
        QCOMPARE(list->rowCount(), 6);
        QCOMPARE(text(*window, kLeaderStats), u"英雄三围: 65535/65535/65535"_s);
        QCOMPARE(text(*window, kStatTotals), u"393210/393210/393210"_s);
        QVERIFY(text(*window, kFeasibility).size() >= 10);

        // ...in a size that still reads: never below 80 % of the normal.
        const double smallest = DialogFont().pointSizeF() * kSmallestScale;
        for (QWidget* widget : QuorvelDlgTestAccess::controls(*window).inOrder()) {
            if (auto* label = qobject_cast<QLabel*>(widget))
                QVERIFY2(label->font().pointSizeF() >= smallest, qPrintable(label->text()));
            else if (auto* selector = qobject_cast<CSelectorComboBox*>(widget))
                QVERIFY2(selector->textFont().pointSizeF() >= smallest,
                         qPrintable(selector->currentText()));
        }
        for (QWidget* widget : QuorvelDlgTestAccess::controls(*window).inOrder()) {
            const QString name = QString::fromLatin1(widget->metaObject()->className());
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                const QFontMetricsF metrics(label->font());
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                         qPrintable(label->text()));
                QVERIFY2(metrics.height() <= label->contentsRect().height() + 1,
                         qPrintable(label->text()));
            } else if (auto* selector = qobject_cast<CSelectorComboBox*>(widget)) {
                const QFontMetricsF metrics(selector->textFont());
                QVERIFY2(metrics.horizontalAdvance(selector->currentText()) <=
                             selector->textRect().width(),
                         qPrintable(selector->currentText()));
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                // A check box's or a button's own measure of what its text needs.
                QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
            } else if (auto* group = qobject_cast<CTemplateGroupBox*>(widget)) {
                QVERIFY(QFontMetricsF(group->font()).horizontalAdvance(group->title()) <=
                        group->captionRect().width());
            } else {
                QVERIFY2(qobject_cast<CPlanListCtrl*>(widget) != nullptr ||
                             qobject_cast<CUpDownCtrl*>(widget) != nullptr,
                         qPrintable(name));
            }
        }
        // The plan list: all four columns inside the list, each cell's text
        // inside its column.
        const QFontMetricsF metrics(list->font());
        int columnsWidth = 0;
        for (int column = 0; column < list->columnCount(); ++column) {
            columnsWidth += list->columnWidth(column);
            for (int row = 0; row < list->rowCount(); ++row) {
                const QString cell = list->item(row, column)->text();
                QVERIFY2(metrics.horizontalAdvance(cell) + list->cellPadding() <=
                             list->columnWidth(column),
                         qPrintable(cell));
            }
        }
        QVERIFY(columnsWidth <= list->contentsRect().width());

        // The longest entries of each selector, chosen.
        auto* target =
            qobject_cast<CSelectorComboBox*>(control<QComboBox>(*window, kTargetSelector));
        auto* strategies =
            qobject_cast<CSelectorComboBox*>(control<QComboBox>(*window, kStrategySelector));
        for (CSelectorComboBox* selector : {target, strategies}) {
            for (int entry = 0; entry < selector->count(); ++entry) {
                selector->setCurrentIndex(entry);
                QVERIFY2(QFontMetricsF(selector->textFont())
                                 .horizontalAdvance(selector->currentText()) <=
                             selector->textRect().width(),
                         qPrintable(selector->currentText()));
            }
        }
    }

    // The usual figures keep the usual font: nothing shrinks that fits.
    void everydayTextsKeepTheDialogFont()
    {
        chooseExampleRequest();
        const auto window = makeWindow();
        window->show();
        window->RunTeamSearch();
        const QFont dialog = window->font();
        for (const int id : {kLeaderStats, kStatTotals, kHeroDamage, kFeasibility})
            QCOMPARE(control<QLabel>(*window, id)->font().pointSizeF(), dialog.pointSizeF());
        QCOMPARE(control<CPlanListCtrl>(*window, kPlanList)->font().pointSizeF(),
                 dialog.pointSizeF());
        auto* target =
            qobject_cast<CSelectorComboBox*>(control<QComboBox>(*window, kTargetSelector));
        QVERIFY(target != nullptr);
        QCOMPARE(target->textFont().pointSizeF(), dialog.pointSizeF());
        QCOMPARE(control<CPlanListCtrl>(*window, kPlanList)->columnWidth(1), 40);
    }
};

QTEST_MAIN(TestQuorvelDlg)
#include "tst_quorveldlg.moc"
