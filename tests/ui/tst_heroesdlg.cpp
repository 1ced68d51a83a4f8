#include "resources/EditorDialogTemplates.h"
#include "resources/Menus.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/SelectDlg.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;
using namespace EditorDialogIds;

namespace {

// Hero i is "英雄i" with stats that repeat, so that sorts meet equal keys;
// heroes 0 to 19 are ticked.
HeroTable SampleRoster()
{
    HeroTable table{};
    for (int i = 0; i < kHeroCount; ++i) {
        HeroRecord& hero = table[static_cast<std::size_t>(i)];
        const std::u16string name = u"英雄" + std::u16string(QString::number(i).toStdU16String());
        std::copy(name.begin(), name.end(), hero.name);
        hero.checked = i < 20 ? 1 : 0;
        hero.smart = static_cast<std::uint16_t>((i * 37) % 101);
        hero.cute = static_cast<std::uint16_t>((i * 53) % 97);
        hero.abnormal = static_cast<std::uint16_t>((i * 11) % 50);
    }
    table[7].smart = 65535; // the sums must not wrap
    table[7].cute = 65535;
    return table;
}

bool SameTable(const HeroTable& a, const HeroTable& b)
{
    return std::memcmp(a.data(), b.data(), sizeof(HeroTable)) == 0;
}

} // namespace

class TestHeroesDlg final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheRosterWithItsSums();
    void opensAtItsSizeAndLaysOutTheRule();
    void confirmationNeedsSixTicks();
    void namesAreCutToEleven();
    void statsAreHeldToSixteenBitsAndSumsFollow();
    void pastedStatsAreRead_data();
    void pastedStatsAreRead();
    void theSumsAreReadOnly();
    void cellsAreEditedFromTheKeyboard();
    void enterWithNoOpenCellPressesOk();
    void aPastedBlockIsReadAsTyping();
    void aPasteThatOverrunsIsCutWithANote();
    void copiedRowsPasteBackAsTheyWere();
    void everyHeadingButTheNameSortsDescending();
    void onlyLeftClicksSort();
    void anOpenEditLandsOnItsHeroBeforeASort();
    void movingSelectedRows_data();
    void movingSelectedRows();
    void theMenuIsGreyedWithoutSelection();
    void batchSelection_data();
    void batchSelection();
    void batchSelectionActsOnDisplayedRows();
    void confirmationKeepsIndicesOrSavesTheOrder_data();
    void confirmationKeepsIndicesOrSavesTheOrder();
    void escapeNeverCloses();
    void cancelAndCloseLeaveTheRosterUntouched();

private:
    void open();
    CEditListCtrl& list() const { return *m_dialog->list(); }
    std::vector<int> displayedRecords() const;
    void setTicks(const std::set<int>& rows);
    void selectRows(const std::set<int>& rows);
    void runBatch(int action, const QString& from, const QString& to);

    HeroTable m_table{};
    std::unique_ptr<CHeroesDlg> m_dialog;
};

void TestHeroesDlg::initTestCase()
{
    RequirePreparedAnswers();
}

void TestHeroesDlg::init()
{
    m_table = SampleRoster();
    MessageBox::resetLastShown();
    PopupMenu::resetLast();
}

void TestHeroesDlg::cleanup()
{
    m_dialog.reset();
    QCOMPARE(LeftoverWindows(), QStringList());
}

void TestHeroesDlg::open()
{
    m_dialog = std::make_unique<CHeroesDlg>(m_table);
    m_dialog->show();
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

std::vector<int> TestHeroesDlg::displayedRecords() const
{
    std::vector<int> records;
    for (int row = 0; row < list().rowCount(); ++row)
        records.push_back(m_dialog->recordOfRow(row));
    return records;
}

void TestHeroesDlg::setTicks(const std::set<int>& rows)
{
    for (int row = 0; row < list().rowCount(); ++row)
        list().setCheckState(row, rows.count(row) != 0 ? Qt::Checked : Qt::Unchecked);
}

void TestHeroesDlg::selectRows(const std::set<int>& rows)
{
    list().clearSelection();
    for (const int row : rows) {
        list().selectionModel()->select(list().model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void TestHeroesDlg::runBatch(int action, const QString& from, const QString& to)
{
    WhenModalShown(this, [action, from, to](QWidget* modal) {
        auto* select = qobject_cast<CSelectDlg*>(modal);
        QVERIFY(select != nullptr);
        select->controls().get<QComboBox>(kActionCombo)->setCurrentIndex(action);
        select->controls().get<QLineEdit>(kFromEdit)->setText(from);
        select->controls().get<QLineEdit>(kToEdit)->setText(to);
        select->accept();
    });
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kBatchSelectButton), Qt::LeftButton);
}

void TestHeroesDlg::showsTheRosterWithItsSums()
{
    open();
    QCOMPARE(m_dialog->windowTitle(), u"修改英雄信息"_s);
    QCOMPARE(list().rowCount(), kHeroCount);
    const QStringList headings{u"名称"_s,   u"聪明"_s,      u"可爱"_s,
                               u"不正常"_s, u"聪明+可爱"_s, u"总值"_s};
    const int widths[] = {110, 52, 52, 52, 72, 52};
    for (int column = 0; column < 6; ++column) {
        QCOMPARE(list().model()->headerData(column, Qt::Horizontal).toString(), headings[column]);
        // The name column is as wide as an eleven-character name needs.
        if (column > 0)
            QCOMPARE(list().columnWidth(column), widths[column]);
    }
    QVERIFY(list().columnWidth(0) >= widths[0]);
    QCOMPARE(displayedRecords()[42], 42); // table order
    QCOMPARE(list().cellText(42, 0), u"英雄42"_s);
    QCOMPARE(list().checkState(19), Qt::Checked);
    QCOMPARE(list().checkState(20), Qt::Unchecked);
    const HeroRecord& hero = m_table[42];
    QCOMPARE(list().cellText(42, 1), QString::number(hero.smart));
    QCOMPARE(list().cellText(42, 4), QString::number(hero.smart + hero.cute));
    QCOMPARE(list().cellText(42, 5), QString::number(hero.smart + hero.cute + hero.abnormal));
    QCOMPARE(list().cellText(7, 4), u"131070"_s);
    QVERIFY(!m_dialog->controls().get<QCheckBox>(kSaveOrderCheck)->isChecked());
}

void TestHeroesDlg::opensAtItsSizeAndLaysOutTheRule()
{
    open();
    // Wider by what the name column took beyond its 110 pixels.
    const int widerBy = list().columnWidth(0) - 110;
    QCOMPARE(m_dialog->frameGeometry().size(), QSize(430 + widerBy, 480));
    const QSize frame = m_dialog->frameGeometry().size() - m_dialog->size();
    QCOMPARE(m_dialog->minimumSize() + frame, QSize(430, 200));

    for (const QSize client : {m_dialog->size(), QSize(640, 520)}) {
        m_dialog->resize(client);
        const int cx = m_dialog->width();
        const int cy = m_dialog->height();
        QCOMPARE(cx, client.width());
        QCOMPARE(list().geometry(), QRect(0, 0, cx, cy - 40));
        QCOMPARE(m_dialog->controls().widget(kBatchSelectButton)->pos(), QPoint(7, cy - 30));
        QCOMPARE(m_dialog->controls().widget(kSaveOrderCheck)->pos(), QPoint(107, cy - 27));
        QCOMPARE(m_dialog->controls().widget(kOk)->pos(), QPoint(cx - 180, cy - 30));
        QCOMPARE(m_dialog->controls().widget(kCancel)->pos(), QPoint(cx - 90, cy - 30));
    }
    // Narrower than the minimum is refused.
    m_dialog->resize(200, 100);
    QCOMPARE(m_dialog->frameGeometry().size(), QSize(430, 200));
    // Side by side, nothing overlapping in the bottom strip.
    const QRect batch = m_dialog->controls().widget(kBatchSelectButton)->geometry();
    const QRect check = m_dialog->controls().widget(kSaveOrderCheck)->geometry();
    const QRect ok = m_dialog->controls().widget(kOk)->geometry();
    QVERIFY(batch.right() < check.left());
    QVERIFY(check.right() < ok.left());
}

void TestHeroesDlg::confirmationNeedsSixTicks()
{
    open();
    setTicks({0, 10, 20, 30, 40});
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);
    const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QCOMPARE(shown->icon, QMessageBox::Critical);
    QCOMPARE(shown->caption, u"错误"_s);
    QCOMPARE(shown->text, u"至少要勾选6个英雄！"_s);
    QVERIFY(m_dialog->isVisible());
    QVERIFY(SameTable(m_table, SampleRoster()));
    QCOMPARE(list().checkState(30), Qt::Checked); // the ticks stay

    setTicks({0, 10, 20, 30, 40, 127});
    MessageBox::resetLastShown();
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);
    QVERIFY(!MessageBox::lastShown().has_value());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QVERIFY(!m_dialog->orderSaved());
    for (int i = 0; i < kHeroCount; ++i) {
        const bool ticked = i % 10 == 0 && i <= 40 ? true : i == 127;
        QCOMPARE(m_table[static_cast<std::size_t>(i)].checked, ticked ? 1 : 0);
    }
}

void TestHeroesDlg::namesAreCutToEleven()
{
    open();
    const QString eleven = u"一二三四五六七八九十壹"_s;
    QVERIFY(TypeIntoCell(list(), 1, 0, eleven));
    QVERIFY(TypeIntoCell(list(), 2, 0, eleven + u"贰"_s));
    QVERIFY(TypeIntoCell(list(), 3, 0, eleven + u"贰叁肆伍"_s));
    QVERIFY(TypeIntoCell(list(), 4, 0, u"0123456789😀"_s));
    for (const int row : {1, 2, 3})
        QCOMPARE(list().cellText(row, 0), eleven);
    QCOMPARE(list().cellText(4, 0), u"0123456789"_s);
    // The name shows whole in its cell, beside the check box.
    const int textWidth = list().fontMetrics().horizontalAdvance(eleven);
    QVERIFY2(list().labelRect(1, 0).width() >= textWidth + 2,
             qPrintable(u"%1 < %2"_s.arg(list().labelRect(1, 0).width()).arg(textWidth)));
    // ...and without a scroll bar across the list.
    QVERIFY(!list().horizontalScrollBar()->isVisible());

    m_dialog->accept();
    for (const int row : {1, 2, 3})
        QCOMPARE(HeroName(m_table[row]), std::u16string_view(u"一二三四五六七八九十壹"));
    QCOMPARE(HeroName(m_table[4]), std::u16string_view(u"0123456789"));
}

void TestHeroesDlg::statsAreHeldToSixteenBitsAndSumsFollow()
{
    open();
    const HeroRecord before = SampleRoster()[9];
    QVERIFY(TypeIntoCell(list(), 9, 1, u"70000"_s));
    QCOMPARE(list().cellText(9, 1), u"65535"_s);
    QCOMPARE(list().cellText(9, 4), QString::number(65535 + before.cute));
    QCOMPARE(list().cellText(9, 5), QString::number(65535 + before.cute + before.abnormal));

    QVERIFY(TypeIntoCell(list(), 9, 2, QString()));
    QCOMPARE(list().cellText(9, 2), u"0"_s);
    QCOMPARE(list().cellText(9, 4), u"65535"_s);
    QVERIFY(TypeIntoCell(list(), 9, 3, u"007"_s));
    QCOMPARE(list().cellText(9, 3), u"7"_s);
    QCOMPARE(list().cellText(9, 5), u"65542"_s);

    m_dialog->accept();
    QCOMPARE(m_table[9].smart, 65535);
    QCOMPARE(m_table[9].cute, 0);
    QCOMPARE(m_table[9].abnormal, 7);
}

void TestHeroesDlg::pastedStatsAreRead_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("stored");
    QTest::newRow("number with a unit") << u"12abc"_s << 12;
    QTest::newRow("leading blank") << u" 12"_s << 12;
    QTest::newRow("spreadsheet cell") << u"12\t"_s << 12;
    QTest::newRow("signed") << u"+70000"_s << 65535;
    QTest::newRow("negative") << u"-5"_s << 0;
    QTest::newRow("no number") << u"abc"_s << 0;
}

void TestHeroesDlg::pastedStatsAreRead()
{
    QFETCH(QString, pasted);
    QFETCH(int, stored);
    open();
    list().scrollTo(list().model()->index(9, 2));
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().labelRect(9, 2).center());
    QLineEdit* editor = list().editor();
    QVERIFY(editor != nullptr);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor->text(), pasted);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(list().cellText(9, 2), QString::number(stored));
    m_dialog->accept();
    QCOMPARE(int(m_table[9].cute), stored);
}

void TestHeroesDlg::aPastedBlockIsReadAsTyping()
{
    open();
    list().setCurrentCell(5, 0);
    const QString twelve = u"一二三四五六七八九十壹贰"_s;
    QGuiApplication::clipboard()->setText(u"甲\t1\t2\t3\n"_s + twelve +
                                          u"\t70000\t\"12\tx\"\t-1\n"_s);
    QTest::keyClick(&list(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(MessageBox::shownCount(), 0); // it all fitted
    QCOMPARE(list().cellText(5, 0), u"甲"_s);
    QCOMPARE(list().cellText(5, 4), u"3"_s);
    QCOMPARE(list().cellText(5, 5), u"6"_s);
    QCOMPARE(list().cellText(6, 0), twelve.left(11));
    QCOMPARE(list().cellText(6, 1), u"65535"_s);
    QCOMPARE(list().cellText(6, 2), u"12"_s); // a quoted cell with a tab in it
    QCOMPARE(list().cellText(6, 3), u"0"_s);
    QCOMPARE(list().cellText(6, 5), u"65547"_s);
    QCOMPARE(list().cellText(7, 0), u"英雄7"_s); // the block ends at row 6
    m_dialog->accept();
    QCOMPARE(HeroName(m_table[5]), std::u16string_view(u"甲"));
    QCOMPARE(m_table[5].abnormal, 3);
    QCOMPARE(m_table[6].smart, 65535);
    QCOMPARE(m_table[6].cute, 12);
    QCOMPARE(m_table[6].abnormal, 0);
    QCOMPARE(m_table[6].checked, SampleRoster()[6].checked); // ticks are not pasted
}

void TestHeroesDlg::aPasteThatOverrunsIsCutWithANote()
{
    open();
    ClickHeading(list(), 5); // pasting follows the rows as displayed
    const std::vector<int> shown = displayedRecords();
    list().setCurrentCell(126, 2);
    // Columns 2 and 3 take the first two cells of a row, the sums ignore the
    // next two, the fifth runs past the last column.
    QGuiApplication::clipboard()->setText(u"1\t2\t3\t3\t3\n4\t5\t6\t6\t6\n7\t8\t9\t9\t9\n"_s);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::keyClick(&list(), Qt::Key_V, Qt::ControlModifier);
    const std::optional<MessageBox::Shown> note = MessageBox::lastShown();
    QVERIFY(note.has_value());
    QCOMPARE(note->icon, QMessageBox::Information);
    QVERIFY2(note->text.contains(u"7 个单元格"_s), qPrintable(note->text)); // 2 + 5 of row 3
    QCOMPARE(list().cellText(126, 2), u"1"_s);
    QCOMPARE(list().cellText(126, 3), u"2"_s);
    QCOMPARE(list().cellText(127, 2), u"4"_s);
    QCOMPARE(list().cellText(127, 3), u"5"_s);
    m_dialog->accept();
    QCOMPARE(m_table[static_cast<std::size_t>(shown[127])].abnormal, 5);
    QCOMPARE(m_table[static_cast<std::size_t>(shown[126])].cute, 1);
}

void TestHeroesDlg::copiedRowsPasteBackAsTheyWere()
{
    std::memcpy(m_table[4].name, u"a\tb", 4 * sizeof(char16_t));
    open();
    selectRows({2, 4});
    QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
    const HeroRecord two = SampleRoster()[2];
    const QString expected = u"英雄2\t%1\t%2\t%3\t%4\t%5\n"_s.arg(two.smart)
                                 .arg(two.cute)
                                 .arg(two.abnormal)
                                 .arg(two.smart + two.cute)
                                 .arg(two.smart + two.cute + two.abnormal);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.startsWith(expected), qPrintable(copied));
    QVERIFY(copied.contains(u"\n\"a\tb\"\t"_s));
    QCOMPARE(copied.count(u'\n'), 2);

    // Pasted onto rows 10 and 11 they give those rows the same names and stats.
    list().setCurrentCell(10, 0);
    QTest::keyClick(&list(), Qt::Key_V, Qt::ControlModifier);
    for (int column = 0; column < 6; ++column) {
        QCOMPARE(list().cellText(10, column), list().cellText(2, column));
        QCOMPARE(list().cellText(11, column), list().cellText(4, column));
    }
}

void TestHeroesDlg::theSumsAreReadOnly()
{
    open();
    for (const int column : {4, 5}) {
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {},
                          list().labelRect(2, column).center());
        QVERIFY(!list().isEditing());
        QVERIFY(!list().BeginEdit(2, column));
    }
    QVERIFY(list().BeginEdit(2, 3));
    list().EndEdit(true);
}

// F2 opens the current cell as it is, typing opens it with the typed text,
// the arrows move the current cell, Enter commits and stays in the dialog.
void TestHeroesDlg::cellsAreEditedFromTheKeyboard()
{
    open();
    list().setFocus();
    list().setCurrentCell(3, 1);
    const QString smart = list().cellText(3, 1);

    QTest::keyClick(&list(), Qt::Key_F2);
    QVERIFY(list().isEditing());
    QCOMPARE(list().editRow(), 3);
    QCOMPARE(list().editColumn(), 1);
    QCOMPARE(list().editor()->text(), smart);
    QCOMPARE(list().editor()->selectedText(), smart); // typing replaces it
    QTest::keyClicks(list().editor(), u"123"_s);
    QTest::keyClick(list().editor(), Qt::Key_Return);
    QVERIFY(!list().isEditing());
    QVERIFY(m_dialog->isVisible()); // the key ended the edit, not the dialog
    QCOMPARE(list().cellText(3, 1), u"123"_s);
    QCOMPARE(list().cellText(3, 4), QString::number(123 + m_table[3].cute));

    // Typing over the next cell to the right: the first key is the text.
    QTest::keyClick(&list(), Qt::Key_Right);
    QCOMPARE(list().currentColumn(), 2);
    QTest::keyClick(&list(), Qt::Key_7);
    QVERIFY(list().isEditing());
    QCOMPARE(list().editColumn(), 2);
    QCOMPARE(list().editor()->text(), u"7"_s);
    QTest::keyClick(list().editor(), Qt::Key_8);
    QTest::keyClick(list().editor(), Qt::Key_Enter);
    QCOMPARE(list().cellText(3, 2), u"78"_s);

    // A letter does not open a stat as text: the stat keeps its digits.
    QTest::keyClick(&list(), Qt::Key_Down);
    QCOMPARE(list().currentRow(), 4);
    const QString before = list().cellText(4, 2);
    QTest::keyClick(&list(), Qt::Key_X);
    QVERIFY(list().isEditing());
    QCOMPARE(list().editor()->text(), before);
    QTest::keyClick(list().editor(), Qt::Key_Escape);
    QVERIFY(!list().isEditing());
    QCOMPARE(list().cellText(4, 2), before);

    // A name takes any character typed over it.
    QTest::keyClick(&list(), Qt::Key_Home);
    QCOMPARE(list().currentColumn(), 0);
    QTest::sendKeyEvent(QTest::Click, &list(), Qt::Key_unknown, u"新"_s, Qt::NoModifier);
    QVERIFY(list().isEditing());
    QTest::keyClicks(list().editor(), u"Ab"_s);
    QCOMPARE(list().editor()->text(), u"新Ab"_s);
    QTest::keyClick(list().editor(), Qt::Key_Return);
    QCOMPARE(list().cellText(list().currentRow(), 0), u"新Ab"_s);

    // The sums stay read-only from the keyboard too.
    list().setCurrentCell(5, 4);
    QTest::keyClick(&list(), Qt::Key_F2);
    QVERIFY(!list().isEditing());
    QTest::keyClick(&list(), Qt::Key_5);
    QVERIFY(!list().isEditing());
}

void TestHeroesDlg::enterWithNoOpenCellPressesOk()
{
    open();
    list().setFocus();
    list().setCurrentCell(2, 1);
    QTest::keyClick(&list(), Qt::Key_Return);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
}

void TestHeroesDlg::everyHeadingButTheNameSortsDescending()
{
    open();
    ClickHeading(list(), 0);
    std::vector<int> tableOrder(kHeroCount);
    for (int i = 0; i < kHeroCount; ++i)
        tableOrder[static_cast<std::size_t>(i)] = i;
    QCOMPARE(displayedRecords(), tableOrder);

    const auto key = [this](int record, int column) {
        const HeroRecord& hero = m_table[static_cast<std::size_t>(record)];
        const int keys[] = {0,
                            hero.smart,
                            hero.cute,
                            hero.abnormal,
                            hero.smart + hero.cute,
                            hero.smart + hero.cute + hero.abnormal};
        return keys[column];
    };
    for (const int column : {1, 2, 3, 4, 5, 3}) {
        ClickHeading(list(), column);
        const std::vector<int> once = displayedRecords();
        for (std::size_t row = 1; row < once.size(); ++row)
            QVERIFY(key(once[row - 1], column) >= key(once[row], column));
        QVERIFY(std::is_permutation(once.begin(), once.end(), tableOrder.begin()));
        ClickHeading(list(), column); // no toggling
        QCOMPARE(displayedRecords(), once);
        // The heading shows the sort, largest first.
        const QHeaderView* header = list().horizontalHeader();
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), column);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        // Each row still shows its own record, check box included.
        for (int row = 0; row < kHeroCount; ++row) {
            const int record = once[static_cast<std::size_t>(row)];
            QCOMPARE(list().cellText(row, 0), u"英雄%1"_s.arg(record));
            QCOMPARE(list().checkState(row), record < 20 ? Qt::Checked : Qt::Unchecked);
        }
    }
    ClickHeading(list(), 5);
    QCOMPARE(displayedRecords()[0], 7);          // the largest sum, unwrapped
    QVERIFY(SameTable(m_table, SampleRoster())); // sorting changes no record
}

void TestHeroesDlg::onlyLeftClicksSort()
{
    open();
    const std::vector<int> before = displayedRecords();
    ClickHeading(list(), 5, Qt::RightButton);
    ClickHeading(list(), 5, Qt::MiddleButton);
    QCOMPARE(displayedRecords(), before);
}

void TestHeroesDlg::anOpenEditLandsOnItsHeroBeforeASort()
{
    open();
    // Record 0 has 聪明 0, so it sits below most heroes until the edit counts;
    // with 500 it comes second, after record 7's 65535.
    list().scrollToTop();
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().labelRect(0, 1).center());
    QLineEdit* editor = list().editor();
    QVERIFY(editor != nullptr);
    editor->selectAll();
    editor->insert(u"500"_s);
    ClickHeading(list(), 1); // the header takes no focus: the editor is still open
    QVERIFY(!list().isEditing());
    QCOMPARE(displayedRecords()[1], 0);
    QCOMPARE(list().cellText(1, 1), u"500"_s);
    // Nobody else got the value.
    for (int row = 0; row < kHeroCount; ++row)
        QVERIFY(row == 1 || list().cellText(row, 1) != u"500"_s);

    // A sort asked for while the editor keeps the focus commits first too.
    const int record = displayedRecords()[5];
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().labelRect(5, 3).center());
    QVERIFY(list().editor() != nullptr);
    list().editor()->selectAll();
    list().editor()->insert(u"60000"_s);
    QVERIFY(list().editor()->hasFocus());
    emit list().horizontalHeader()->sectionClicked(3);
    QVERIFY(!list().isEditing());
    QCOMPARE(displayedRecords()[0], record);
    QCOMPARE(list().cellText(0, 3), u"60000"_s);

    m_dialog->accept();
    QCOMPARE(m_table[0].smart, 500);
    QCOMPARE(m_table[static_cast<std::size_t>(record)].abnormal, 60000);
    QCOMPARE(m_table[1].smart, SampleRoster()[1].smart);
}

void TestHeroesDlg::movingSelectedRows_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<std::vector<int>>("expected");
    std::vector<int> top{3, 7, 9};
    std::vector<int> bottom;
    for (int i = 0; i < kHeroCount; ++i) {
        if (i != 3 && i != 7 && i != 9) {
            top.push_back(i);
            bottom.push_back(i);
        }
    }
    bottom.insert(bottom.end(), {3, 7, 9});
    QTest::newRow("to the top") << kCmdMoveToFront << top;
    QTest::newRow("to the bottom") << kCmdMoveToBack << bottom;
}

void TestHeroesDlg::movingSelectedRows()
{
    QFETCH(int, command);
    QFETCH(std::vector<int>, expected);
    open();
    // Row 9 ticked and row 3 unticked by the user: the rows keep their boxes.
    list().setCheckState(9, Qt::Unchecked);
    list().setCheckState(30, Qt::Checked);
    selectRows({3, 7, 9});
    PopupMenu::setNextChoice(command);
    RightClickList(list(), list().visualRect(list().model()->index(5, 2)).center());
    QCOMPARE(PopupMenu::lastEnabledCommands(), (QList<int>{kCmdMoveToFront, kCmdMoveToBack}));

    QCOMPARE(displayedRecords(), expected);
    QVERIFY(!list().selectionModel()->hasSelection());
    for (int row = 0; row < kHeroCount; ++row) {
        const int record = expected[static_cast<std::size_t>(row)];
        const bool ticked = (record < 20 && record != 9) || record == 30;
        QCOMPARE(list().checkState(row), ticked ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(list().cellText(row, 0), u"英雄%1"_s.arg(record));
    }
    m_dialog->accept();
    QVERIFY(!m_dialog->orderSaved());
    QCOMPARE(m_table[9].checked, 0);
    QCOMPARE(m_table[30].checked, 1);
    QCOMPARE(HeroName(m_table[3]), std::u16string_view(u"英雄3"));
}

void TestHeroesDlg::theMenuIsGreyedWithoutSelection()
{
    open();
    list().clearSelection();
    const std::vector<int> before = displayedRecords();
    PopupMenu::setNextChoice(kCmdMoveToFront);
    RightClickList(list(), QPoint(5, 5));
    QVERIFY(PopupMenu::lastPosition().has_value());
    QCOMPARE(*PopupMenu::lastPosition(), list().viewport()->mapToGlobal(QPoint(5, 5)));
    QVERIFY(PopupMenu::lastEnabledCommands().isEmpty());
    QCOMPARE(displayedRecords(), before);
}

void TestHeroesDlg::batchSelection_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("firstChanged");
    QTest::addColumn<int>("lastChanged");
    QTest::newRow("defaults tick all") << 0 << u"1"_s << u"128"_s << 0 << 127;
    QTest::newRow("0 to 500 unticks all") << 1 << u"0"_s << u"500"_s << 0 << 127;
    // Beyond 32 bits reads as 4294967295, which is negative less one.
    QTest::newRow("beyond 32 bits") << 0 << u"1"_s << u"99999999999"_s << -1 << -2;
    QTest::newRow("3000000000 to 5") << 0 << u"3000000000"_s << u"5"_s << 0 << 4;
    QTest::newRow("3 to 3000000000") << 1 << u"3"_s << u"3000000000"_s << -1 << -2;
    QTest::newRow("2147483648 to 5") << 0 << u"2147483648"_s << u"5"_s << -1 << -2;
    QTest::newRow("3 to 2147483648") << 1 << u"3"_s << u"2147483648"_s << 2 << 127;
    QTest::newRow("10 to 5 does nothing") << 1 << u"10"_s << u"5"_s << -1 << -2;
    QTest::newRow("single row") << 1 << u"4"_s << u"4"_s << 3 << 3;
}

void TestHeroesDlg::batchSelection()
{
    QFETCH(int, action);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, firstChanged);
    QFETCH(int, lastChanged);
    open();
    runBatch(action, from, to);
    for (int row = 0; row < kHeroCount; ++row) {
        const bool inRange = row >= firstChanged && row <= lastChanged;
        const bool ticked = inRange ? action == 0 : row < 20;
        QCOMPARE(list().checkState(row), ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void TestHeroesDlg::batchSelectionActsOnDisplayedRows()
{
    open();
    ClickHeading(list(), 5);
    const std::vector<int> shown = displayedRecords();
    runBatch(0, u"3"_s, u"5"_s); // tick display rows 3 to 5
    runBatch(1, u"1"_s, u"1"_s); // untick the top row
    for (int row = 0; row < kHeroCount; ++row) {
        const int record = shown[static_cast<std::size_t>(row)];
        const bool ticked = row >= 2 && row <= 4 ? true : row == 0 ? false : record < 20;
        QCOMPARE(list().checkState(row), ticked ? Qt::Checked : Qt::Unchecked);
    }
    m_dialog->accept();
    QCOMPARE(m_table[static_cast<std::size_t>(shown[0])].checked, 0);
    for (const int row : {2, 3, 4})
        QCOMPARE(m_table[static_cast<std::size_t>(shown[static_cast<std::size_t>(row)])].checked,
                 1);

    // A batch selection cancelled changes nothing.
    open();
    WhenModalShown(this, [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kBatchSelectButton), Qt::LeftButton);
    QCOMPARE(list().checkState(0), m_table[0].checked != 0 ? Qt::Checked : Qt::Unchecked);
}

void TestHeroesDlg::confirmationKeepsIndicesOrSavesTheOrder_data()
{
    QTest::addColumn<bool>("saveOrder");
    QTest::newRow("indices kept") << false;
    QTest::newRow("order saved") << true;
}

void TestHeroesDlg::confirmationKeepsIndicesOrSavesTheOrder()
{
    QFETCH(bool, saveOrder);
    open();
    QVERIFY(TypeIntoCell(list(), 50, 0, u"改名"_s)); // an edit that follows its hero
    ClickHeading(list(), 5);
    const std::vector<int> shown = displayedRecords();
    setTicks({0, 1, 2, 3, 4, 5});
    m_dialog->controls().get<QCheckBox>(kSaveOrderCheck)->setChecked(saveOrder);
    QTest::mouseClick(m_dialog->controls().get<QPushButton>(kOk), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->orderSaved(), saveOrder);

    const HeroTable sample = SampleRoster();
    for (int position = 0; position < kHeroCount; ++position) {
        const int record = shown[static_cast<std::size_t>(position)];
        // Where the hero shown at `position` now lives.
        const int index = saveOrder ? position : record;
        const HeroRecord& hero = m_table[static_cast<std::size_t>(index)];
        QCOMPARE(hero.checked, position < 6 ? 1 : 0);
        QCOMPARE(hero.smart, sample[static_cast<std::size_t>(record)].smart);
        QCOMPARE(hero.cute, sample[static_cast<std::size_t>(record)].cute);
        QCOMPARE(hero.abnormal, sample[static_cast<std::size_t>(record)].abnormal);
        const QString name = record == 50 ? u"改名"_s : u"英雄%1"_s.arg(record);
        QCOMPARE(QString::fromStdU16String(std::u16string(HeroName(hero))), name);
    }
}

void TestHeroesDlg::escapeNeverCloses()
{
    open();
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Escape);
    QVERIFY(m_dialog->isVisible());
    QTest::keyClick(m_dialog->controls().widget(kBatchSelectButton), Qt::Key_Escape);
    QVERIFY(m_dialog->isVisible());

    // In an open cell Escape cancels that edit only.
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().labelRect(1, 0).center());
    QVERIFY(list().editor() != nullptr);
    list().editor()->insert(u"丢弃"_s);
    QTest::keyClick(list().editor(), Qt::Key_Escape);
    QVERIFY(!list().isEditing());
    QCOMPARE(list().cellText(1, 0), u"英雄1"_s);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
}

void TestHeroesDlg::cancelAndCloseLeaveTheRosterUntouched()
{
    for (const bool byCloseBox : {false, true}) {
        open();
        QVERIFY(TypeIntoCell(list(), 0, 0, u"新名字"_s));
        QVERIFY(TypeIntoCell(list(), 1, 1, u"999"_s));
        ClickHeading(list(), 2);
        runBatch(1, u"1"_s, u"128"_s);
        m_dialog->controls().get<QCheckBox>(kSaveOrderCheck)->setChecked(true);
        if (byCloseBox)
            m_dialog->close();
        else
            QTest::mouseClick(m_dialog->controls().get<QPushButton>(kCancel), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(!m_dialog->orderSaved());
        QVERIFY(SameTable(m_table, SampleRoster()));
    }
}

QTEST_MAIN(TestHeroesDlg)
#include "tst_heroesdlg.moc"
