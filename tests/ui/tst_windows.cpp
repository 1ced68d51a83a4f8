// Every window of the program on a small screen: run at 1280 × 800 and again
// at twice the scale (see CMakeLists.txt), each window must open wholly
// inside the available area with its buttons in reach, and every control the
// keyboard reaches must have a name for screen readers.

#include "engine/CombatModel.h"
#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/CopiedNotice.h"
#include "ui/common/EmptyViewHint.h"
#include "ui/common/WindowPlacement.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/SelectDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/AlternativesWindow.h"
#include "ui/main/ExcludeHeroesDlg.h"
#include "ui/main/MultiTeamWindow.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/ZoneOverviewWindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString Describe(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect area = WindowPlacement::AvailableArea(window);
    return u"%1 (%2): frame %3,%4 %5×%6 on %7,%8 %9×%10"_s.arg(window.windowTitle())
        .arg(QString::fromLatin1(window.metaObject()->className()))
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height())
        .arg(area.x())
        .arg(area.y())
        .arg(area.width())
        .arg(area.height());
}

bool InsideItsScreen(const QWidget& window)
{
    return WindowPlacement::AvailableArea(window).contains(window.frameGeometry());
}

// Every push button of the window lies inside its client area.
QStringList ButtonsOutOfReach(const QWidget& window)
{
    QStringList out;
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->window() != &window || button->isHidden())
            continue;
        const QRect where(button->mapTo(&window, QPoint(0, 0)), button->size());
        if (!window.rect().contains(where))
            out.append(button->text());
    }
    return out;
}

QStringList Unnamed(const QWidget& window)
{
    QStringList names;
    for (const QWidget* widget : AccessibleNames::Unnamed(window))
        names.append(QString::fromLatin1(widget->metaObject()->className()) + u' ' +
                     widget->objectName());
    return names;
}

} // namespace

class TestWindows final : public QObject
{
    Q_OBJECT

private:
    TemporarySettings m_settings;
    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;

    std::unique_ptr<CQuorvelDlg> makeWindow() { return ShownMainWindow(*m_tables, m_choices); }

    // A shown window, once the placement has settled: inside its screen,
    // every button in reach, every control named.
    static void checkWindow(QWidget& window)
    {
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY2(InsideItsScreen(window), qPrintable(Describe(window)));
        const QStringList unreachable = ButtonsOutOfReach(window);
        QVERIFY2(unreachable.isEmpty(),
                 qPrintable(Describe(window) + u": "_s + unreachable.join(u", "_s)));
        const QStringList unnamed = Unnamed(window);
        QVERIFY2(unnamed.isEmpty(),
                 qPrintable(Describe(window) + u": unnamed "_s + unnamed.join(u", "_s)));
    }

    // Runs `check` on a modal dialog of type T once it is up, then closes it.
    template <typename T> void whenDialogUp(const std::function<void(T&)>& check)
    {
        WhenModalShown(this, [check](QWidget* modal) {
            auto* dialog = qobject_cast<T*>(modal);
            QVERIFY(dialog != nullptr);
            check(*dialog);
            dialog->reject();
        });
    }

private slots:
    void initTestCase()
    {
        RequirePreparedAnswers();
        qInfo("screen %dx%d, device pixel ratio %.1f",
              QGuiApplication::primaryScreen()->availableGeometry().width(),
              QGuiApplication::primaryScreen()->availableGeometry().height(),
              QGuiApplication::primaryScreen()->devicePixelRatio());
    }
    void init()
    {
        m_tables = TablesIn(QUORVEL_SAMPLE_GUILD);
        m_choices = RememberedChoices{};
        QSettings(QSettings::IniFormat, QSettings::UserScope, u"Quorvel"_s, u"windows"_s).clear();
    }
    void cleanup()
    {
        QTRY_VERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    void theMainWindowAndItsRaidWindows()
    {
        const auto window = makeWindow();
        checkWindow(*window);
        checkWindow(*window->OpenZoneOverview());
        checkWindow(*window->OpenAlternatives());
        checkWindow(*window->OpenMultiTeam());
    }

    void theEditors()
    {
        const auto window = makeWindow();
        bool heroesChecked = false;
        whenDialogUp<CHeroesDlg>([&heroesChecked](CHeroesDlg& editor) {
            checkWindow(editor);
            heroesChecked = true;
        });
        window->OnEditHeroes();
        QVERIFY(heroesChecked);

        bool virusChecked = false;
        whenDialogUp<CVirusDlg>([&virusChecked](CVirusDlg& editor) {
            checkWindow(editor);
            virusChecked = true;
        });
        window->OnEditVirus();
        QVERIFY(virusChecked);

        CSelectDlg select(window.get());
        select.show();
        checkWindow(select);
    }

    // Names come from the labels beside the controls; the controls whose
    // place does not tell what they do say it in a description and a tip.
    void controlsAreNamedByTheirLabels()
    {
        using namespace MainDialogIds;
        const auto window = makeWindow();
        const DialogControls& controls = QuorvelDlgTestAccess::controls(*window);
        QCOMPARE(controls.widget(kTargetSelector)->accessibleName(), u"攻击目标"_s);
        QCOMPARE(controls.widget(kLeaderSelector)->accessibleName(), u"带队英雄"_s);
        QCOMPARE(controls.widget(kStrategySelector)->accessibleName(), u"战斗策略"_s);
        QCOMPARE(controls.widget(kSearchButton)->accessibleName(), u"查看组队方案"_s);
        QVERIFY(!controls.widget(kStrategySelector)->accessibleDescription().isEmpty());
        for (const int id : {kTargetSpin, kStrategySpin, kFeasibility}) {
            QVERIFY(!controls.widget(id)->accessibleName().isEmpty());
            QVERIFY(!controls.widget(id)->toolTip().isEmpty());
        }
        QVERIFY(controls.widget(kTargetSpin)->accessibleName() !=
                controls.widget(kTargetSelector)->accessibleName());

        CAlternativesWindow* alternatives = window->OpenAlternatives();
        QVERIFY(QTest::qWaitForWindowExposed(alternatives));
        QTRY_COMPARE(alternatives->countBox()->accessibleName(), u"列出"_s);
    }

    // The focus is framed from the start in every window, and Escape closes
    // the raid windows as it closes a dialog.
    void keyboardUsersSeeTheFocusAndEscapeCloses()
    {
        const auto window = makeWindow();
        QVERIFY(window->testAttribute(Qt::WA_KeyboardFocusChange));
        QWidget* raid[] = {window->OpenZoneOverview(), window->OpenAlternatives(),
                           window->OpenMultiTeam()};
        for (QWidget* other : raid) {
            other->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(other));
            QVERIFY(other->testAttribute(Qt::WA_KeyboardFocusChange));
            // Where the window's keys go: its focus control, or itself.
            QWidget* keys = other->focusWidget() != nullptr ? other->focusWidget() : other;
            QTest::keyClick(keys, Qt::Key_Escape);
            QTRY_VERIFY2(!other->isVisible(), qPrintable(other->windowTitle()));
        }
        QVERIFY(window->isVisible());
    }

    // Team 1 is led by the main window's leader; the other teams' selectors
    // do not offer that hero again.
    void otherTeamsOfferAllButTheFirstLeader()
    {
        m_choices.m_lastVirus = 35;
        m_choices.m_lastHero = 3;
        const auto window = makeWindow();
        QCOMPARE(QuorvelDlgTestAccess::currentLeader(*window), 3);
        CMultiTeamWindow* multi = window->OpenMultiTeam();
        QVERIFY(QTest::qWaitForWindowExposed(multi));
        QTRY_VERIFY(!multi->isComputing());
        const QList<QComboBox*> boxes = multi->findChildren<QComboBox*>();
        QCOMPARE(boxes.size(), kMaxDisjointLeaders - 1);
        for (const QComboBox* box : boxes) {
            QCOMPARE(box->findData(3), -1);
            QVERIFY(box->findData(4) > 0);
        }
    }

    // "复制方案" and "复制全部" say so in a note that takes neither the focus
    // nor a click to close.
    void copyingSaysSoWithoutABox()
    {
        m_choices.m_lastVirus = 35;
        m_choices.m_lastHero = 0;
        m_choices.m_lastPlan = 3;
        const auto window = makeWindow();
        window->RunTeamSearch();
        QWidget* focus = QApplication::focusWidget();
        QGuiApplication::clipboard()->clear();
        QCOMPARE(CopiedNotice::Shown(*window), nullptr);
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
        const QLabel* note = CopiedNotice::Shown(*window);
        QVERIFY(note != nullptr);
        QCOMPARE(note->text(), u"已复制到剪贴板"_s);
        QVERIFY(window->frameGeometry().contains(note->geometry().center()));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(QApplication::focusWidget(), focus);
        // Copying again shows one note, not two.
        window->CopyPlan();
        int shown = 0;
        for (const QLabel* label : window->findChildren<QLabel*>(u"copiedNotice"_s))
            shown += label->isVisible() ? 1 : 0;
        QCOMPARE(shown, 1);

        CMultiTeamWindow* multi = window->OpenMultiTeam();
        QVERIFY(QTest::qWaitForWindowExposed(multi));
        QTRY_VERIFY(!multi->isComputing());
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(multi->copyButton(), Qt::LeftButton);
        QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
        QVERIFY(CopiedNotice::Shown(*multi) != nullptr);
        // It goes by itself.
        QTRY_COMPARE_WITH_TIMEOUT(CopiedNotice::Shown(*multi), nullptr, CopiedNotice::kShownMs * 5);
    }

    // The exclusion from the keyboard: Ctrl+E lists the six heroes, the
    // space bar checks them, Enter excludes them and plans again.
    void heroesAreExcludedFromTheKeyboard()
    {
        m_choices.m_lastVirus = 35;
        m_choices.m_lastHero = 0;
        m_choices.m_lastPlan = 3;
        const auto window = makeWindow();
        window->RunTeamSearch();
        auto* plan =
            QuorvelDlgTestAccess::controls(*window).get<CPlanListCtrl>(MainDialogIds::kPlanList);
        QCOMPARE(plan->rowCount(), 6);
        const int second = plan->heroAt(1);
        const int fourth = plan->heroAt(3);
        QVERIFY(m_tables->heroTable[second].checked != 0);

        // Checked after the dialog: a failure inside would leave it open.
        int listed = 0;
        QStringList unnamed;
        bool listHasFocus = false;
        QList<int> checkedAtFirst{-1};
        QList<int> checked;
        WhenModalShown(this, [&](QWidget* modal) {
            auto* picker = qobject_cast<CExcludeHeroesDlg*>(modal);
            if (picker == nullptr) {
                modal->close();
                return;
            }
            listed = picker->heroList()->count();
            checkedAtFirst = picker->checkedRows();
            unnamed = Unnamed(*picker);
            QWidget* list = picker->heroList();
            listHasFocus = picker->focusWidget() == list;
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Space);
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Space);
            checked = picker->checkedRows();
            QTest::keyClick(list, Qt::Key_Return);
            if (picker->isVisible())
                picker->reject();
        });
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(listed, 6);
        QCOMPARE(checkedAtFirst, QList<int>{});
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
        QVERIFY(listHasFocus);
        QCOMPARE(checked, (QList<int>{1, 3}));
        QCOMPARE(m_tables->heroTable[second].checked, 0);
        QCOMPARE(m_tables->heroTable[fourth].checked, 0);
        QVERIFY(window->tablesModified());
        // Planned again without them.
        QCOMPARE(plan->rowCount(), 6);
        for (int row = 0; row < plan->rowCount(); ++row) {
            QVERIFY(plan->heroAt(row) != second);
            QVERIFY(plan->heroAt(row) != fourth);
        }
    }

    // A first start (no hero has stats yet) says where to start; a search
    // that finds no team says why, beside the plan, under the caption the
    // window always shows for it.
    void theEmptyPlanSaysWhereToStartAndWhyNoTeam()
    {
        FillDefaultHeroTable(m_tables->heroTable);
        FillDefaultVirusTable(m_tables->virusTable);
        m_choices.m_lastVirus = 0;
        m_choices.m_lastHero = 0;
        m_choices.m_lastPlan = 0;
        const auto window = makeWindow();
        auto* group =
            QuorvelDlgTestAccess::controls(*window).get<QGroupBox>(MainDialogIds::kPlanGroup);
        const CEmptyViewHint* hint = QuorvelDlgTestAccess::planHint(*window);
        QVERIFY(hint->isShown());
        QVERIFY2(hint->hint().contains(u"花名册"_s) && hint->hint().contains(u"编辑英雄信息"_s),
                 qPrintable(hint->hint()));
        QCOMPARE(group->title(), u"组队方案"_s);

        // Forty ticked heroes, none with any 可爱: the leader alone.
        window->RunTeamSearch();
        QCOMPARE(group->title(), u"没有可行的组队方案"_s);
        QVERIFY(hint->isShown());
        QVERIFY2(hint->hint().contains(u"只有 1 位英雄"_s), qPrintable(hint->hint()));
        QCOMPARE(
            QuorvelDlgTestAccess::controls(*window).widget(MainDialogIds::kPlanList)->toolTip(),
            hint->hint());

        // Six heroes, far too weak for a level at the stats' ceiling: no
        // team reaches the 可爱 total the search asks for.
        for (int i = 0; i < 6; ++i) {
            HeroRecord& hero = m_tables->heroTable[i];
            hero.checked = 1;
            hero.smart = hero.cute = hero.abnormal = 10;
        }
        VirusRecord& virus = m_tables->virusTable[0];
        virus.stupid = virus.hateful = 65535;
        virus.notAbnormal = 1000;
        window->RunTeamSearch();
        QCOMPARE(group->title(), u"没有可行的组队方案"_s);
        QVERIFY2(hint->hint().contains(u"至少 %1"_s.arg(SearchThreshold(virus, 0))) &&
                     hint->hint().contains(u"最多只有 60"_s),
                 qPrintable(hint->hint()));

        // Every team is looked at (a 不异常 this high asks for no 可爱),
        // and every one scores 0.
        virus.notAbnormal = 65535;
        QVERIFY(SearchThreshold(virus, 0) <= 60);
        window->RunTeamSearch();
        QCOMPARE(group->title(), u"没有可行的组队方案"_s);
        QVERIFY2(hint->hint().contains(u"得分都是 0"_s), qPrintable(hint->hint()));

        // A plan shown: no hint over it, and none at the next first look
        // either, since the roster has stats now.
        m_tables->virusTable[0] = VirusRecord{{u'弱'}, 1, 1, 1};
        window->RunTeamSearch();
        QCOMPARE(QuorvelDlgTestAccess::controls(*window)
                     .get<CPlanListCtrl>(MainDialogIds::kPlanList)
                     ->rowCount(),
                 6);
        QVERIFY(!hint->isShown());
        QuorvelDlgTestAccess::ClearPlanView(*window);
        QVERIFY(!hint->isShown());
    }

    // A window opened for the first time lies beside the main window only
    // where it fits there whole.
    void raidWindowsOpenWhollyOnTheScreen()
    {
        const auto window = makeWindow();
        const QRect area = WindowPlacement::AvailableArea(*window);
        // The main window against the right edge: no room beside it.
        window->move(area.right() - window->frameGeometry().width(), area.top());
        CZoneOverviewWindow* overview = window->OpenZoneOverview();
        QTRY_VERIFY2(InsideItsScreen(*overview), qPrintable(Describe(*overview)));
    }

    // Where the user left a raid window it opens again, at that size; one
    // left on a screen that is gone comes back onto this one.
    void raidWindowsOpenWhereTheyWereLeft()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QRect left;
        {
            const auto window = makeWindow();
            CMultiTeamWindow* multi = window->OpenMultiTeam();
            QTRY_VERIFY(InsideItsScreen(*multi));
            multi->resize(area.width() / 2, area.height() / 2);
            multi->move(area.topLeft() + QPoint(10, 20));
            QTRY_COMPARE(multi->pos(), area.topLeft() + QPoint(10, 20));
            left = QRect(multi->pos(), multi->size());
            multi->close();
        }
        {
            const auto window = makeWindow();
            CMultiTeamWindow* multi = window->OpenMultiTeam();
            QTRY_COMPARE(QRect(multi->pos(), multi->size()), left);
            multi->close();
        }
        // A second screen to the right, gone since.
        QSettings(QSettings::IniFormat, QSettings::UserScope, u"Quorvel"_s, u"windows"_s)
            .setValue(u"MultiTeam/geometry"_s,
                      QRect(area.right() + 200, area.top() + 50, area.width() + 300, 300));
        const auto window = makeWindow();
        CMultiTeamWindow* multi = window->OpenMultiTeam();
        QTRY_VERIFY2(InsideItsScreen(*multi), qPrintable(Describe(*multi)));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
