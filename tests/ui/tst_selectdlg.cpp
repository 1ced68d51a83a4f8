#include "resources/EditorDialogTemplates.h"
#include "storage/SettingsStore.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/SelectDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace EditorDialogIds;

class TestSelectDlg final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensAsTickAllHundredTwentyEight();
    void untickFiveToTen();
    void aReversedRangeIsTheCallersAffair();
    void anEdgeWithoutNumberIsPointedOut_data();
    void anEdgeWithoutNumberIsPointedOut();
    void pastedBoundsAreRead_data();
    void pastedBoundsAreRead();
    void cancelReadsNothing();

private:
    void open();
    QComboBox* combo() const { return m_dialog->controls().get<QComboBox>(kActionCombo); }
    QLineEdit* fromEdit() const { return m_dialog->controls().get<QLineEdit>(kFromEdit); }
    QLineEdit* toEdit() const { return m_dialog->controls().get<QLineEdit>(kToEdit); }
    void retype(QLineEdit* edit, const QString& digits);

    std::unique_ptr<CSelectDlg> m_dialog;
};

void TestSelectDlg::initTestCase()
{
    RequirePreparedAnswers();
}

void TestSelectDlg::init()
{
    MessageBox::resetLastShown();
}

void TestSelectDlg::cleanup()
{
    m_dialog.reset();
    QCOMPARE(LeftoverWindows(), QStringList());
}

void TestSelectDlg::open()
{
    m_dialog = std::make_unique<CSelectDlg>();
    m_dialog->show();
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

void TestSelectDlg::retype(QLineEdit* edit, const QString& digits)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, digits);
}

void TestSelectDlg::opensAsTickAllHundredTwentyEight()
{
    open();
    QCOMPARE(m_dialog->windowTitle(), u"批量选择"_s);
    QCOMPARE(combo()->count(), 2);
    QCOMPARE(combo()->itemText(0), u"选中"_s);
    QCOMPARE(combo()->itemText(1), u"取消"_s);
    QCOMPARE(combo()->currentIndex(), 0);
    QCOMPARE(fromEdit()->text(), u"1"_s);
    QCOMPARE(toEdit()->text(), u"128"_s);
    QCOMPARE(QApplication::focusWidget(), fromEdit());
    QCOMPARE(fromEdit()->selectedText(), u"1"_s);
    // The edits take digits only from the keyboard.
    retype(toEdit(), u"1a-2"_s);
    QCOMPARE(toEdit()->text(), u"12"_s);
    retype(toEdit(), u"128"_s);

    QTest::keyClick(fromEdit(), Qt::Key_Return); // the default button
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->action(), 0);
    QCOMPARE(m_dialog->from(), 1u);
    QCOMPARE(m_dialog->to(), 128u);
}

void TestSelectDlg::untickFiveToTen()
{
    open();
    combo()->setCurrentIndex(1);
    retype(fromEdit(), u"5"_s);
    retype(toEdit(), u"10"_s);
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->action(), 1);
    QCOMPARE(m_dialog->from(), 5u);
    QCOMPARE(m_dialog->to(), 10u);
}

void TestSelectDlg::aReversedRangeIsTheCallersAffair()
{
    open();
    retype(fromEdit(), u"10"_s);
    retype(toEdit(), u"5"_s);
    m_dialog->accept();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->from(), 10u);
    QCOMPARE(m_dialog->to(), 5u);
}

void TestSelectDlg::anEdgeWithoutNumberIsPointedOut_data()
{
    QTest::addColumn<bool>("inFirst");
    QTest::addColumn<QString>("text");
    QTest::newRow("first emptied") << true << QString();
    QTest::newRow("last emptied") << false << QString();
    QTest::newRow("first pasted blank") << true << u" x"_s; // pasting bypasses the keys
}

void TestSelectDlg::anEdgeWithoutNumberIsPointedOut()
{
    QFETCH(bool, inFirst);
    QFETCH(QString, text);
    open();
    combo()->setCurrentIndex(1);
    QLineEdit* bad = inFirst ? fromEdit() : toEdit();
    retype(inFirst ? toEdit() : fromEdit(), u"7"_s);
    bad->setText(text);
    fromEdit()->setFocus();

    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);

    const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QCOMPARE(shown->icon, QMessageBox::Warning);
    QCOMPARE(shown->caption, SettingsStore::programName());
    QCOMPARE(shown->caption, u"tst_selectdlg"_s);
    QCOMPARE(shown->text, u"请输入一个正整数。"_s);
    QCOMPARE(shown->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected)); // not ended
    QCOMPARE(QApplication::focusWidget(), bad);
    QCOMPARE(bad->selectedText(), text);
    // What was read before the failing edit keeps its new value.
    QCOMPARE(m_dialog->action(), 1);
    QCOMPARE(m_dialog->from(), inFirst ? 1u : 7u);
    QCOMPARE(m_dialog->to(), 128u);
}

void TestSelectDlg::pastedBoundsAreRead_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<uint>("from");
    QTest::newRow("number with a unit") << u"12abc"_s << 12u;
    QTest::newRow("leading blank") << u" 12"_s << 12u;
    QTest::newRow("spreadsheet cell") << u"12\t"_s << 12u;
    QTest::newRow("minus one") << u"-1"_s << 4294967295u;
    QTest::newRow("huge") << u"3000000000"_s << 3000000000u;
}

void TestSelectDlg::pastedBoundsAreRead()
{
    QFETCH(QString, pasted);
    QFETCH(uint, from);
    open();
    fromEdit()->setFocus();
    fromEdit()->selectAll();
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(fromEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(fromEdit()->text(), pasted);
    // Typed letters still go nowhere.
    QTest::keyClicks(toEdit(), u"x"_s);
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->from(), from);
    QCOMPARE(m_dialog->to(), 128u);
}

void TestSelectDlg::cancelReadsNothing()
{
    for (const bool byEscape : {false, true}) {
        open();
        combo()->setCurrentIndex(1);
        retype(fromEdit(), u"3"_s);
        retype(toEdit(), u"4"_s);
        if (byEscape)
            QTest::keyClick(toEdit(), Qt::Key_Escape);
        else
            QTest::mouseClick(m_dialog->controls().get<QPushButton>(kCancel), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(m_dialog->action(), 0);
        QCOMPARE(m_dialog->from(), 1u);
        QCOMPARE(m_dialog->to(), 128u);
        QVERIFY(!MessageBox::lastShown().has_value());
    }
}

QTEST_MAIN(TestSelectDlg)
#include "tst_selectdlg.moc"
