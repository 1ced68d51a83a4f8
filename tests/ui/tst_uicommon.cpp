// The shared dialog layer: templates to widgets, dialog units, the up-down
// control, and the message-box and menu seams.

#include "resources/MainDialogIds.h"
#include "resources/Menus.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/FittedText.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PopupMenu.h"
#include "ui/common/UpDownCtrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr std::array kTwoControls{
    ControlTemplate{7, ControlKind::Edit, "", 10, 10, 40, 14, kTabStop | kBorder | kDigitsOnly},
    ControlTemplate{8, ControlKind::ListView, "", 10, 30, 100, 50, kSingleSelect},
};
constexpr DialogTemplate kResizableDialog{1, "测试", 160, 100, 9, kResizable, kTwoControls};

} // namespace

class TestUiCommon final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RequirePreparedAnswers(); }
    void cleanup()
    {
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    void dialogUnitsRoundAsWindows()
    {
        const QFont font = DialogFont();
        const QSize base = DialogBaseUnits(font);
        QFontMetrics metrics(font);
        // The average of the 52 letters, halved with rounding, and the height.
        const int letters =
            metrics.horizontalAdvance(u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"_s);
        QCOMPARE(base.width(), (letters / 26 + 1) / 2);
        QCOMPARE(base.height(), metrics.height());
        // Four horizontal units are one base width, eight vertical ones one height.
        QCOMPARE(DialogUnitsToPixels(QRect(4, 8, 40, 80), font),
                 QRect(base.width(), base.height(), 10 * base.width(), 10 * base.height()));
        // Each coordinate rounds to the nearest pixel, halves away from zero.
        const QRect one = DialogUnitsToPixels(QRect(1, 1, 2, 4), font);
        QCOMPARE(one.x(), qRound(base.width() / 4.0 + 1e-9));
        QCOMPARE(one.width(), qRound(base.width() / 2.0 + 1e-9));
        QCOMPARE(one.height(), qRound(base.height() / 2.0 + 1e-9));
    }

    void dialogFontShowsChinese()
    {
        const QFont font = DialogFont();
        QCOMPARE(font.pointSize(), 9);
        QVERIFY(QFontMetrics(font).inFont(u'组'));
    }

    void mainTemplateBuildsEveryControl()
    {
        QDialog dialog;
        const DialogTemplate& tmpl = MainDialogTemplate();
        const DialogControls controls = BuildDialog(dialog, tmpl);
        QCOMPARE(dialog.windowTitle(), u"青梧药庐公会疫区组队助手"_s);
        const QRect client = DialogUnitsToPixels(QRect(0, 0, 279, 215), dialog.font());
        QCOMPARE(dialog.minimumSize(), client.size());
        QCOMPARE(dialog.maximumSize(), client.size());
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        QCOMPARE(controls.inOrder().size(), static_cast<qsizetype>(tmpl.controls.size()));
        for (qsizetype i = 0; i < controls.inOrder().size(); ++i) {
            const ControlTemplate& control = tmpl.controls[static_cast<std::size_t>(i)];
            QWidget* widget = controls.inOrder().at(i);
            const QRect expected = DialogUnitsToPixels(
                QRect(control.x, control.y, control.width, control.height), dialog.font());
            QCOMPARE(widget->pos(), expected.topLeft());
            QCOMPARE(widget->width(), expected.width());
            if (control.kind == ControlKind::DropDownList)
                QVERIFY(widget->height() <= expected.height());
            else
                QCOMPARE(widget->height(), expected.height());
            if (control.id != kNoId)
                QCOMPARE(controls.widget(control.id), widget);
        }
        QVERIFY(controls.get<QComboBox>(MainDialogIds::kTargetSelector) != nullptr);
        QVERIFY(controls.get<CUpDownCtrl>(MainDialogIds::kTargetSpin)->arrowKeys());
        QVERIFY(controls.get<QPushButton>(MainDialogIds::kSearchButton)->isDefault());
        QVERIFY(!controls.get<QPushButton>(MainDialogIds::kEditVirusButton)->isDefault());
        QCOMPARE(controls.get<QGroupBox>(MainDialogIds::kPlanGroup)->title(), u"组队方案"_s);
        QCOMPARE(controls.widget(4242), nullptr);
    }

    void tabOrderFollowsTheTemplate()
    {
        QDialog dialog;
        const DialogTemplate& tmpl = MainDialogTemplate();
        const DialogControls controls = BuildDialog(dialog, tmpl);
        QList<QWidget*> tabStops;
        for (const ControlTemplate& control : tmpl.controls) {
            if ((control.style & kTabStop) != 0)
                tabStops.append(controls.widget(control.id));
        }
        QCOMPARE(tabStops.size(), 8);
        for (qsizetype i = 0; i + 1 < tabStops.size(); ++i)
            QCOMPARE(tabStops[i]->nextInFocusChain(), tabStops[i + 1]);
        // The plan list is clicked into, never tabbed into.
        QCOMPARE(controls.widget(MainDialogIds::kPlanList)->focusPolicy(), Qt::ClickFocus);
    }

    // With the dialog font every fixed text of the main window is shown whole
    // inside its control.
    // A text shrinks to 80 % of the normal size at most; past that it is cut
    // with an ellipsis and whole in the tooltip, which goes back to the
    // label's own once the text fits again.
    void fittedTextsStayReadable()
    {
        QWidget parent;
        parent.setFont(DialogFont());
        auto* label = new QLabel(&parent);
        label->setToolTip(u"own"_s);
        label->resize(60, 20);
        const double normal = parent.font().pointSizeF();

        SetFittedText(label, u"123"_s);
        QCOMPARE(label->text(), u"123"_s);
        QCOMPARE(label->font().pointSizeF(), normal);

        const QString slightly = u"1234567890"_s;
        label->resize(QFontMetrics(parent.font()).horizontalAdvance(slightly) - 4, 20);
        SetFittedText(label, slightly);
        QCOMPARE(label->text(), slightly);
        QVERIFY(label->font().pointSizeF() < normal);
        QVERIFY(label->font().pointSizeF() >= normal * kSmallestScale);
        QCOMPARE(label->toolTip(), u"own"_s);

        const QString far = u"1234567890123456789012345"_s;
        SetFittedText(label, far);
        QCOMPARE(label->font().pointSizeF(), SmallestReadableFont(parent.font()).pointSizeF());
        QVERIFY(label->font().pointSizeF() >= normal * kSmallestScale);
        QVERIFY(label->text().endsWith(u'…'));
        QVERIFY(QFontMetricsF(label->font()).horizontalAdvance(label->text()) <=
                label->contentsRect().width());
        QCOMPARE(label->toolTip(), far);

        SetFittedText(label, u"1"_s);
        QCOMPARE(label->toolTip(), u"own"_s);
    }

    void everyMainWindowTextFits()
    {
        QDialog dialog;
        const DialogControls controls = BuildDialog(dialog, MainDialogTemplate());
        for (const ControlTemplate& control : MainDialogTemplate().controls) {
            const QString text = QString::fromUtf8(control.text);
            if (text.isEmpty() || control.kind == ControlKind::GroupBox)
                continue;
            QWidget* widget =
                controls.inOrder().at(&control - MainDialogTemplate().controls.data());
            const int available = widget->width();
            const int needed = control.kind == ControlKind::Static
                                   ? QFontMetrics(widget->font()).horizontalAdvance(text)
                                   : widget->sizeHint().width();
            QVERIFY2(needed <= available,
                     qPrintable(u"%1 needs %2 px, has %3"_s.arg(text).arg(needed).arg(available)));
        }
    }

    void customFactoryAndDefaults()
    {
        QDialog dialog;
        QLabel* custom = nullptr;
        const DialogControls controls =
            BuildDialog(dialog, kResizableDialog,
                        [&custom](const ControlTemplate& control, QWidget* parent) -> QWidget* {
                            if (control.id != 8)
                                return nullptr;
                            custom = new QLabel(parent);
                            return custom;
                        });
        QCOMPARE(controls.widget(8), custom);
        QCOMPARE(custom->parentWidget(), &dialog);
        // Resizable: no fixed size.
        QVERIFY(dialog.maximumSize().width() > dialog.width());
        auto* edit = controls.get<QLineEdit>(7);
        QVERIFY(edit->hasFrame());
        QTest::keyClicks(edit, u"12a3"_s);
        QCOMPARE(edit->text(), u"123"_s);
    }

    void upDownStepsTowardUpper_data()
    {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("upArrow");
        QTest::addColumn<int>("expectedDelta");
        QTest::newRow("reversed, up") << 63 << 0 << 5 << true << -1;
        QTest::newRow("reversed, down") << 63 << 0 << 5 << false << 1;
        QTest::newRow("plain, up") << 0 << 10 << 5 << true << 1;
        QTest::newRow("plain, down") << 0 << 10 << 5 << false << -1;
    }
    void upDownStepsTowardUpper()
    {
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(int, start);
        QFETCH(bool, upArrow);
        QFETCH(int, expectedDelta);
        CUpDownCtrl spin;
        spin.resize(20, 24);
        spin.setRange(lower, upper);
        spin.setPosition(start);
        QList<std::pair<int, int>> asked;
        connect(&spin, &CUpDownCtrl::positionAboutToChange, this,
                [&asked](int position, int delta, bool&) {
                    asked.append({position, delta});
                });
        // A click on the upper half is the up arrow, on the lower half the down arrow.
        QTest::mouseClick(&spin, Qt::LeftButton, {}, QPoint(10, upArrow ? 3 : 21));
        QCOMPARE(asked, (QList<std::pair<int, int>>{{start, expectedDelta}}));
        QCOMPARE(spin.position(), start + expectedDelta);
    }

    void upDownRefusedStepKeepsPosition()
    {
        CUpDownCtrl spin;
        spin.setRange(20, 0);
        spin.setPosition(0);
        spin.setArrowKeys(true);
        connect(&spin, &CUpDownCtrl::positionAboutToChange, this,
                [](int position, int delta, bool& accept) { accept = position + delta >= 0; });
        QSignalSpy changed(&spin, &CUpDownCtrl::positionChanged);
        QVERIFY(!spin.stepUp());
        QCOMPARE(spin.position(), 0);
        QCOMPARE(changed.count(), 0);
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.position(), 1);
        QCOMPARE(changed.count(), 1);
        // An accepted step never leaves the range.
        spin.setPosition(20);
        QVERIFY(spin.stepDown());
        QCOMPARE(spin.position(), 20);
    }

    void messageBoxAnswersInAdvance()
    {
        MessageBox::resetLastShown();
        MessageBox::setNextAnswer(QMessageBox::Retry);
        MessageBox::setNextAnswer(QMessageBox::Cancel);
        QCOMPARE(MessageBox::show(nullptr, QMessageBox::Warning, u"标题"_s, u"正文"_s,
                                  QMessageBox::Retry | QMessageBox::Cancel),
                 QMessageBox::Retry);
        QCOMPARE(MessageBox::show(nullptr, QMessageBox::Information, u"二"_s, u"第二"_s,
                                  QMessageBox::Ok),
                 QMessageBox::Cancel);
        QCOMPARE(MessageBox::shownCount(), 2);
        const auto shown = MessageBox::lastShown();
        QVERIFY(shown.has_value());
        QCOMPARE(shown->icon, QMessageBox::Information);
        QCOMPARE(shown->caption, u"二"_s);
        QCOMPARE(shown->text, u"第二"_s);
    }

    void contextMenusAndTheirSeam()
    {
        const auto popups = ContextMenus();
        QCOMPARE(popups.size(), std::size_t{2});
        QCOMPARE(QString::fromUtf8(popups[0].name), u"Context0"_s);
        QCOMPARE(popups[0].items.size(), std::size_t{1});
        QCOMPARE(popups[0].items[0].commandId, 32775);
        QCOMPARE(QString::fromUtf8(popups[0].items[0].text), u"排除选中的英雄重新组队"_s);
        QCOMPARE(QString::fromUtf8(popups[1].name), u"Context1"_s);
        QCOMPARE(popups[1].items[0].commandId, 32776);
        QCOMPARE(QString::fromUtf8(popups[1].items[0].text), u"将选中的英雄移到最前"_s);
        QCOMPARE(popups[1].items[1].commandId, 32777);
        QCOMPARE(QString::fromUtf8(popups[1].items[1].text), u"将选中的英雄移到最后"_s);

        QWidget owner;
        QMenu* menu = BuildPopup(popups[1], &owner);
        QCOMPARE(menu->actions().size(), 2);
        PopupMenu::findCommand(*menu, kCmdMoveToFront)->setEnabled(false);
        // A disabled command cannot be chosen.
        PopupMenu::setNextChoice(kCmdMoveToFront);
        QCOMPARE(PopupMenu::exec(*menu, QPoint(5, 6)), 0);
        QCOMPARE(PopupMenu::lastEnabledCommands(), QList<int>{kCmdMoveToBack});
        QCOMPARE(PopupMenu::lastPosition(), QPoint(5, 6));
        PopupMenu::setNextChoice(kCmdMoveToBack);
        QCOMPARE(PopupMenu::exec(*menu, QPoint()), kCmdMoveToBack);
    }
};

QTEST_MAIN(TestUiCommon)
#include "tst_uicommon.moc"
