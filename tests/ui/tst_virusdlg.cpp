#include "resources/EditorDialogTemplates.h"
#include "storage/DataFiles.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/VirusDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;
using namespace EditorDialogIds;

class TestVirusDlg final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsEveryVirus();
    void opensAtItsSizeAndLaysOutTheRule();
    void confirmingWithoutEditsRewritesTheSameTable();
    void statsAreHeldToSixteenBitsAndShownAsStored();
    void namesAreCutOnConfirmation();
    void cancelTouchesNothing();
    void pasteAndCopyAsASpreadsheetDoes();
    void cellsAreEditedFromTheKeyboard();

private:
    void open();
    CEditListCtrl& list() const { return *m_dialog->list(); }

    VirusTable m_table{};
    std::unique_ptr<CVirusDlg> m_dialog;
};

void TestVirusDlg::initTestCase()
{
    RequirePreparedAnswers();
}

void TestVirusDlg::init()
{
    FillDefaultVirusTable(m_table);
    m_table[5].stupid = 123;
    m_table[5].hateful = 45;
    m_table[5].notAbnormal = 6;
    const std::u16string_view name = u"流感";
    std::fill(std::begin(m_table[5].name), std::end(m_table[5].name), u'\0');
    std::copy(name.begin(), name.end(), m_table[5].name);
}

void TestVirusDlg::cleanup()
{
    m_dialog.reset();
    QCOMPARE(LeftoverWindows(), QStringList());
}

void TestVirusDlg::open()
{
    m_dialog = std::make_unique<CVirusDlg>(m_table);
    m_dialog->show();
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

void TestVirusDlg::showsEveryVirus()
{
    open();
    QCOMPARE(m_dialog->windowTitle(), u"修改病毒信息"_s);
    QCOMPARE(list().rowCount(), kVirusCount);
    QCOMPARE(list().columnCount(), 4);
    const QStringList headings{u"名称"_s, u"愚蠢"_s, u"可恨"_s, u"不异常"_s};
    const int widths[] = {110, 52, 52, 52};
    for (int column = 0; column < 4; ++column) {
        QCOMPARE(list().model()->headerData(column, Qt::Horizontal).toString(), headings[column]);
        QCOMPARE(list().columnWidth(column), widths[column]);
    }
    // The default table, with record 5 changed.
    for (const int row : {0, 63}) {
        QCOMPARE(list().cellText(row, 0), u"未知病毒"_s);
        QCOMPARE(list().cellText(row, 1), u"9999"_s);
        QCOMPARE(list().cellText(row, 2), u"9999"_s);
        QCOMPARE(list().cellText(row, 3), u"2000"_s);
    }
    QCOMPARE(list().cellText(5, 0), u"流感"_s);
    QCOMPARE(list().cellText(5, 1), u"123"_s);
    QCOMPARE(list().cellText(5, 3), u"6"_s);
    QCOMPARE(QApplication::focusWidget(), m_dialog->controls().widget(kOk));
}

void TestVirusDlg::opensAtItsSizeAndLaysOutTheRule()
{
    open();
    QCOMPARE(m_dialog->frameGeometry().size(), QSize(300, 480));
    QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize()); // not resizable
    const int w = m_dialog->width();
    const int h = m_dialog->height();
    QCOMPARE(list().geometry(), QRect(0, 0, w, h - 40));
    QCOMPARE(m_dialog->controls().widget(kOk)->pos(), QPoint(w - 180, h - 30));
    QCOMPARE(m_dialog->controls().widget(kCancel)->pos(), QPoint(w - 90, h - 30));
    // Both buttons lie inside the strip below the list.
    for (const int id : {kOk, kCancel}) {
        const QRect button = m_dialog->controls().widget(id)->geometry();
        QVERIFY(button.top() >= h - 40 && button.bottom() < h);
    }
}

void TestVirusDlg::confirmingWithoutEditsRewritesTheSameTable()
{
    const VirusTable before = m_table;
    open();
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(std::memcmp(&before, &m_table, sizeof m_table) == 0);
}

void TestVirusDlg::statsAreHeldToSixteenBitsAndShownAsStored()
{
    open();
    QVERIFY(TypeIntoCell(list(), 3, 1, u"70000"_s));
    QCOMPARE(list().cellText(3, 1), u"65535"_s);
    QVERIFY(TypeIntoCell(list(), 3, 2, QString()));
    QCOMPARE(list().cellText(3, 2), u"0"_s);
    QVERIFY(TypeIntoCell(list(), 40, 3, u"0042"_s));
    QCOMPARE(list().cellText(40, 3), u"42"_s);
    // The table waits for OK.
    QCOMPARE(m_table[3].stupid, 9999);

    m_dialog->accept();
    QCOMPARE(m_table[3].stupid, 65535);
    QCOMPARE(m_table[3].hateful, 0);
    QCOMPARE(m_table[3].notAbnormal, 2000);
    QCOMPARE(m_table[40].notAbnormal, 42);
}

void TestVirusDlg::namesAreCutOnConfirmation()
{
    open();
    const QString eleven = u"一二三四五六七八九十壹"_s;
    QVERIFY(TypeIntoCell(list(), 0, 0, eleven));
    QVERIFY(TypeIntoCell(list(), 1, 0, eleven + u"贰"_s));
    QVERIFY(TypeIntoCell(list(), 2, 0, eleven + u"贰叁肆伍"_s));
    QVERIFY(TypeIntoCell(list(), 3, 0, u"0123456789😀"_s));
    QVERIFY(TypeIntoCell(list(), 4, 0, QString()));
    QCOMPARE(list().cellText(2, 0), eleven + u"贰叁肆伍"_s); // as typed until OK

    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);
    for (const int row : {0, 1, 2})
        QCOMPARE(VirusName(m_table[row]), std::u16string_view(u"一二三四五六七八九十壹"));
    QCOMPARE(VirusName(m_table[3]), std::u16string_view(u"0123456789"));
    QCOMPARE(VirusName(m_table[4]), std::u16string_view());
}

void TestVirusDlg::cancelTouchesNothing()
{
    const VirusTable before = m_table;
    open();
    QVERIFY(TypeIntoCell(list(), 0, 0, u"新病毒"_s));
    QVERIFY(TypeIntoCell(list(), 10, 2, u"1"_s));
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kCancel), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(std::memcmp(&before, &m_table, sizeof m_table) == 0);
}

void TestVirusDlg::pasteAndCopyAsASpreadsheetDoes()
{
    open();
    list().setCurrentCell(62, 1);
    QGuiApplication::clipboard()->setText(u"12abc\t 7\t70000\tspill\n1\t2\t3\n4\n"_s);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::keyClick(&list(), Qt::Key_V, Qt::ControlModifier);
    const std::optional<MessageBox::Shown> note = MessageBox::lastShown();
    QVERIFY(note.has_value());
    QVERIFY2(note->text.contains(u"2 个单元格"_s), qPrintable(note->text)); // "spill" and "4"
    QCOMPARE(list().cellText(62, 1), u"12"_s);
    QCOMPARE(list().cellText(62, 2), u"7"_s);
    QCOMPARE(list().cellText(62, 3), u"65535"_s);
    QCOMPARE(list().cellText(63, 3), u"3"_s);

    list().setCurrentCell(63, 0);
    list().selectRow(63);
    QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), list().cellText(63, 0) + u"\t1\t2\t3\n"_s);

    m_dialog->accept();
    QCOMPARE(m_table[62].stupid, 12);
    QCOMPARE(m_table[62].notAbnormal, 65535);
    QCOMPARE(m_table[63].hateful, 2);
}

QTEST_MAIN(TestVirusDlg)
// F2 and typing open the current cell, the arrows move it, Enter commits
// an open cell and otherwise presses "确定".
void TestVirusDlg::cellsAreEditedFromTheKeyboard()
{
    open();
    list().setFocus();
    list().setCurrentCell(10, 0);
    QTest::keyClick(&list(), Qt::Key_F2);
    QVERIFY(list().isEditing());
    QCOMPARE(list().editColumn(), 0);
    QTest::keyClicks(list().editor(), u"Blob"_s);
    QTest::keyClick(list().editor(), Qt::Key_Return);
    QVERIFY(!list().isEditing());
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(list().cellText(10, 0), u"Blob"_s);

    QTest::keyClick(&list(), Qt::Key_Right);
    QTest::keyClick(&list(), Qt::Key_Down);
    QCOMPARE(list().currentRow(), 11);
    QCOMPARE(list().currentColumn(), 1);
    QTest::keyClick(&list(), Qt::Key_4);
    QTest::keyClick(list().editor(), Qt::Key_2);
    QTest::keyClick(list().editor(), Qt::Key_Enter);
    QCOMPARE(list().cellText(11, 1), u"42"_s);

    // No cell open: Enter is the dialog's, and confirms it.
    QTest::keyClick(&list(), Qt::Key_Return);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_table[11].stupid, 42);
    QCOMPARE(std::u16string_view(m_table[10].name), std::u16string_view(u"Blob"));
}

#include "tst_virusdlg.moc"
