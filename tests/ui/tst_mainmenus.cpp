// The main window's menu bar: its menus and shortcuts, the plan copied for
// the chat, the About box.

#include "resources/MainDialogIds.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/QuorvelDlg.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace MainDialogIds;

class TestMainMenus final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CQuorvelDlg> makeShownWindow() { return ShownMainWindow(*m_tables, m_choices); }
    // Level 11, led by hero 0, 3 rounds with 1 crit, in generation order.
    void chooseExampleRequest()
    {
        m_choices.m_lastVirus = 10;
        m_choices.m_lastHero = 0;
        m_choices.m_planOrder = 0;
        m_choices.m_lastPlan = 4;
    }
    static QAction* findAction(const QMenu* menu, const QString& text)
    {
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;

private slots:
    void initTestCase()
    {
        RequirePreparedAnswers();
        QCoreApplication::setApplicationVersion(u"9.8.7"_s);
    }
    void init()
    {
        m_tables = ExampleTables();
        m_choices = RememberedChoices{};
        MessageBox::resetLastShown();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    // A confirmed editor is one action: the windows beside the main one hear
    // of it once, with everything it changed, and so plan once.
    void aConfirmedEditorIsAnnouncedOnce()
    {
        chooseExampleRequest();
        const auto window = makeShownWindow();
        QSignalSpy changes(&QuorvelDlgTestAccess::session(*window), &PlanningSession::changed);
        WhenDialogShown<CVirusDlg>(this, [](CVirusDlg& editor) { editor.accept(); });
        window->OnEditVirus();
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0][0].value<PlanningSession::Changes>(),
                 PlanningSession::Change::Target | PlanningSession::Change::Levels);

        changes.clear();
        WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) { editor.accept(); });
        window->OnEditHeroes();
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0][0].value<PlanningSession::Changes>(),
                 PlanningSession::Changes(PlanningSession::Change::Roster));
        // The session carries the request the selectors make.
        QCOMPARE(QuorvelDlgTestAccess::session(*window).currentVirus(),
                 QuorvelDlgTestAccess::currentVirus(*window));
        QCOMPARE(QuorvelDlgTestAccess::session(*window).currentLeader(), 0);
        QVERIFY(QuorvelDlgTestAccess::session(*window).currentRequest().has_value());
    }

    void menusInOrderWithShortcuts()
    {
        const auto window = makeShownWindow();
        const QList<QAction*> menus = QuorvelDlgTestAccess::menuBar(*window)->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), u"方案(&P)"_s);
        QCOMPARE(menus[1]->text(), u"花名册(&R)"_s);
        QCOMPARE(menus[2]->text(), u"帮助(&H)"_s);
        const QMenu* plan = menus[0]->menu();
        const std::pair<QString, QString> entries[] = {
            {u"关卡总览(&L)…"_s, u"Ctrl+L"_s},
            {u"备选方案(&T)…"_s, u"Ctrl+T"_s},
            {u"多队规划(&M)…"_s, u"Ctrl+M"_s},
            {u"复制方案(&C)"_s, u"Ctrl+Shift+C"_s},
        };
        for (const auto& [text, keys] : entries) {
            QAction* action = findAction(plan, text);
            QVERIFY2(action != nullptr, qPrintable(text));
            QCOMPARE(action->shortcut(), QKeySequence(keys));
        }
        QVERIFY(findAction(menus[2]->menu(), u"关于 Quorvel(&A)"_s) != nullptr);

        // Another menu goes in before 帮助.
        auto* extra = new QMenu(u"其他(&O)"_s, window.get());
        QuorvelDlgTestAccess::addMenuBeforeHelp(*window, extra);
        QCOMPARE(QuorvelDlgTestAccess::menuBar(*window)->actions().size(), 4);
        QCOMPARE(QuorvelDlgTestAccess::menuBar(*window)->actions()[2]->menu(), extra);
        QCOMPARE(QuorvelDlgTestAccess::menuBar(*window)->actions()[3]->text(), u"帮助(&H)"_s);
    }

    // Alt with a menu's letter opens it, as in any desktop program.
    void altAndTheLetterOpenAMenu()
    {
        const auto window = makeShownWindow();
        QMenu* plan = QuorvelDlgTestAccess::menuBar(*window)->actions()[0]->menu();
        QTest::keyClick(window.get(), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(plan->isVisible());
        plan->hide();
        QTRY_VERIFY(!plan->isVisible());
        QMenu* help = QuorvelDlgTestAccess::menuBar(*window)->actions().last()->menu();
        QTest::keyClick(window.get(), Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(help->isVisible());
        help->hide();
    }

    // The template area lies below the bar; the window grew by its height,
    // and Tab walks the template's controls only.
    void barSitsAboveTheTemplateArea()
    {
        const auto window = makeShownWindow();
        const int bar = QuorvelDlgTestAccess::menuBar(*window)->height();
        QVERIFY(bar > 0);
        QWidget* target = QuorvelDlgTestAccess::controls(*window).get<QComboBox>(kTargetSelector);
        QVERIFY(target->mapTo(window.get(), QPoint(0, 0)).y() >= bar);
        QCOMPARE(target->parentWidget()->y(), bar);
        QCOMPARE(window->height(), target->parentWidget()->height() + bar);
        QCOMPARE(QuorvelDlgTestAccess::menuBar(*window)->focusPolicy(), Qt::NoFocus);
        target->setFocus();
        for (int step = 0; step < 12; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != QuorvelDlgTestAccess::menuBar(*window));
            QVERIFY(QApplication::focusWidget()->parentWidget() == target->parentWidget());
        }
    }

    void copyIsGreyedWithoutAPlan()
    {
        chooseExampleRequest();
        const auto window = makeShownWindow();
        QVERIFY(!QuorvelDlgTestAccess::copyPlanAction(*window)->isEnabled());
        window->RunTeamSearch();
        QVERIFY(QuorvelDlgTestAccess::copyPlanAction(*window)->isEnabled());
        // Picking another level empties the view and greys the entry again.
        auto* target = QuorvelDlgTestAccess::controls(*window).get<QComboBox>(kTargetSelector);
        target->setCurrentIndex(3);
        emit target->activated(3);
        QVERIFY(!QuorvelDlgTestAccess::copyPlanAction(*window)->isEnabled());
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        // A search without a result has nothing to copy either.
        m_choices.m_lastVirus = 0;
        QuorvelDlgTestAccess::FillVirusList(*window);
        window->RunTeamSearch();
        QCOMPARE(QuorvelDlgTestAccess::controls(*window).get<QGroupBox>(kPlanGroup)->title(),
                 u"没有可行的组队方案"_s);
        QVERIFY(!QuorvelDlgTestAccess::copyPlanAction(*window)->isEnabled());
    }

    // The known plan of level 11, character for character, through the
    // shortcut.
    void shortcutCopiesTheShownPlan()
    {
        chooseExampleRequest();
        const auto window = makeShownWindow();
        QTest::mouseClick(QuorvelDlgTestAccess::controls(*window).get<QPushButton>(kSearchButton),
                          Qt::LeftButton);
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString expected = u"第11关　熬夜　4966/6371/1000\n"
                                 u"3轮击败病毒, 最多承受 1次暴击, 获胜机率: 75.0%\n"
                                 u"队伍(聪明/可爱/不正常):\n"
                                 u"1. 雪叶　1200/900/300 (带队)\n"
                                 u"2. 石竹　1100/850/250\n"
                                 u"3. 青岚　1000/800/200\n"
                                 u"4. 云泉　950/700/150\n"
                                 u"5. 晨风　900/650/100\n"
                                 u"6. 霜歌　800/600/100\n"
                                 u"英雄属性总值: 5950/4500/1100\n"
                                 u"英雄每次伤害值: 3308～3313\n"
                                 u"病毒常规伤害值: 4163～4168\n"
                                 u"病毒暴击伤害值: 4163～4168\n"
                                 u"可行性指数(基于100): 44\n"_s;
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    // The copy speaks of the plan as it was searched, even when the
    // strategy order is switched afterwards (which empties the view).
    void copyNamesTheSearchedLevelAndStrategy()
    {
        chooseExampleRequest();
        m_choices.m_lastVirus = 30;
        const auto window = makeShownWindow();
        window->RunTeamSearch();
        window->CopyPlan();
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines.value(0), u"第31关　熬夜　4966/6371/1000"_s);
        QCOMPARE(lines.value(13), u"可行性指数(基于100): 20"_s);
    }

    void aboutNamesVersionAndLicence()
    {
        const auto window = makeShownWindow();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QAction* about =
            findAction(QuorvelDlgTestAccess::menuBar(*window)->actions().last()->menu(),
                       u"关于 Quorvel(&A)"_s);
        about->trigger();
        const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
        QVERIFY(shown.has_value());
        QCOMPARE(shown->caption, u"关于 Quorvel"_s);
        QVERIFY(shown->text.contains(u"9.8.7"_s));
        QVERIFY(shown->text.contains(u"MIT"_s));
        QCOMPARE(shown->icon, QMessageBox::Information);
    }
};

QTEST_MAIN(TestMainMenus)
#include "tst_mainmenus.moc"
