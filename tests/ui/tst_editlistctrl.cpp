#include "tests/ui/UiTestSupport.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/EditListOwner.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <memory>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// One notification as the owner received it.
struct Notice
{
    bool begin = false;
    int row = -1;
    int column = -1;
    std::optional<QString> text; // end of an edit: null on a cancel
};

// An owner that records what it is told and answers as the test sets it up.
class RecordingOwner final : public EditListOwner
{
public:
    bool beginLabelEdit(CEditListCtrl& /*list*/, int row, int column) override
    {
        notices.push_back({true, row, column, std::nullopt});
        return column != refusedColumn;
    }

    bool endLabelEdit(CEditListCtrl& list, int row, int column, QString* text) override
    {
        // The editor is still up and the edit still open while the owner decides.
        editingDuringEnd =
            list.isEditing() && list.editor() != nullptr && list.editor()->isVisible();
        cellDuringEnd = list.cellText(row, column);
        if (text != nullptr && cutAt >= 0 && text->size() > cutAt)
            text->truncate(cutAt);
        notices.push_back(
            {false, row, column, text != nullptr ? std::optional<QString>(*text) : std::nullopt});
        return accept;
    }

    std::vector<Notice> notices;
    int refusedColumn = -1;
    bool accept = true;
    int cutAt = -1;
    bool editingDuringEnd = false;
    QString cellDuringEnd;
};

} // namespace

class TestEditListCtrl final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickOnTextOpensEditorOverThatCell();
    void refusedBeginLeavesNoEditorAndNoState();
    void enterCommitsWithoutPressingTheDefaultButton();
    void escapeCancelsWithoutClosingTheDialog();
    void ownerDecidesWhatTheCellShows_data();
    void ownerDecidesWhatTheCellShows();
    void columnZeroTakesAnyTextOthersDigitsOnly();
    void clickOnCheckBoxOnlyToggles();
    void onlyALeftClickOpens();
    void wheelCommitsLikeTheScrollBars();
    void clickBelowLastRowOpensNothing();
    void focusLossCommitsAndFocusStaysWhereItWent();
    void tabCommitsAndMovesToTheNextControl();
    void clickOnAnotherCellCommitsThenEditsThat();
    void scrollBarPageCommitsFirst();

private:
    void clickCell(int row, int column);
    QLineEdit* openEditor(int row, int column);

    std::unique_ptr<QDialog> m_dialog;
    CEditListCtrl* m_list = nullptr;
    QStandardItemModel* m_model = nullptr;
    QPushButton* m_defaultButton = nullptr;
    QLineEdit* m_other = nullptr;
    RecordingOwner m_owner;
};

void TestEditListCtrl::init()
{
    m_owner = RecordingOwner();
    m_dialog = std::make_unique<QDialog>();
    auto* layout = new QVBoxLayout(m_dialog.get());
    m_list = new CEditListCtrl(m_dialog.get());
    m_other = new QLineEdit(m_dialog.get());
    m_defaultButton = new QPushButton(u"OK"_s, m_dialog.get());
    m_defaultButton->setDefault(true);
    connect(m_defaultButton, &QPushButton::clicked, m_dialog.get(), &QDialog::accept);
    layout->addWidget(m_list);
    layout->addWidget(m_other);
    layout->addWidget(m_defaultButton);

    m_list->setOwner(&m_owner);
    // Any model will do; the list keeps no data of its own.
    m_model = new QStandardItemModel(40, 3, m_list);
    m_model->setHorizontalHeaderLabels({u"名称"_s, u"聪明"_s, u"可爱"_s});
    m_list->setModel(m_model);
    for (const int column : {0, 1, 2})
        m_list->setColumnWidth(column, column == 0 ? 110 : 52);
    for (int row = 0; row < m_list->rowCount(); ++row) {
        auto* name = new QStandardItem(u"英雄%1"_s.arg(row));
        name->setCheckable(true);
        m_model->setItem(row, 0, name);
        m_list->setCheckState(row, Qt::Unchecked);
        m_model->setItem(row, 1, new QStandardItem(QString::number(row * 10)));
        m_model->setItem(row, 2, new QStandardItem(QString::number(row)));
    }
    m_dialog->resize(320, 300);
    m_dialog->show();
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    m_list->setFocus();
}

void TestEditListCtrl::cleanup()
{
    m_dialog.reset();
    QCOMPARE(LeftoverWindows(), QStringList());
}

void TestEditListCtrl::clickCell(int row, int column)
{
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {},
                      m_list->labelRect(row, column).center());
}

QLineEdit* TestEditListCtrl::openEditor(int row, int column)
{
    clickCell(row, column);
    return m_list->editor();
}

void TestEditListCtrl::clickOnTextOpensEditorOverThatCell()
{
    for (const int column : {0, 2}) {
        m_owner.notices.clear();
        QLineEdit* editor = openEditor(3, column);
        QVERIFY(editor != nullptr);
        QCOMPARE(m_owner.notices.size(), 1u);
        QVERIFY(m_owner.notices[0].begin);
        QCOMPARE(m_owner.notices[0].row, 3);
        QCOMPARE(m_owner.notices[0].column, column);
        QVERIFY(m_list->isEditing());
        QCOMPARE(m_list->editRow(), 3);
        QCOMPARE(m_list->editColumn(), column);

        QVERIFY(editor->isVisible());
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->text(), m_list->cellText(3, column));
        QCOMPARE(editor->selectedText(), editor->text());
        const QRect cell = m_list->visualRect(m_list->model()->index(3, column));
        QCOMPARE(editor->geometry(), m_list->labelRect(3, column).adjusted(-2, -2, 2, 2));
        QVERIFY(cell.contains(m_list->labelRect(3, column)));
        if (column != 0) {
            QCOMPARE(m_list->labelRect(3, column), cell); // a plain cell is all text
        } else {
            // In column 0 the editor leaves the check box free to be clicked.
            QStyleOptionViewItem option;
            option.initFrom(m_list);
            option.rect = cell;
            option.features |= QStyleOptionViewItem::HasCheckIndicator;
            const QRect box = m_list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator,
                                                              &option, m_list);
            QVERIFY(box.isValid());
            QVERIFY(m_list->labelRect(3, column).left() > box.right());
        }
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!m_list->isEditing());
    }
}

void TestEditListCtrl::refusedBeginLeavesNoEditorAndNoState()
{
    m_owner.refusedColumn = 2;
    clickCell(5, 2);
    QCOMPARE(m_owner.notices.size(), 1u);
    QVERIFY(m_owner.notices[0].begin);
    QVERIFY(!m_list->isEditing());
    QVERIFY(m_list->editor() == nullptr);
    QVERIFY(m_list->findChildren<QLineEdit*>().isEmpty());
    QCOMPARE(m_list->cellText(5, 2), u"5"_s);
    // The refused column stays refused; the others still open.
    QVERIFY(!m_list->beginEdit(5, 2));
    QVERIFY(m_list->beginEdit(5, 1));
}

void TestEditListCtrl::enterCommitsWithoutPressingTheDefaultButton()
{
    QSignalSpy pressed(m_defaultButton, &QPushButton::clicked);
    QLineEdit* editor = openEditor(2, 0);
    QVERIFY(editor != nullptr);
    editor->insert(u"新名字"_s); // as an input method would
    QTest::keyClick(editor, Qt::Key_Return);

    QCOMPARE(m_owner.notices.size(), 2u);
    const Notice& end = m_owner.notices[1];
    QVERIFY(!end.begin);
    QCOMPARE(end.row, 2);
    QCOMPARE(end.column, 0);
    QCOMPARE(end.text, std::optional<QString>(u"新名字"_s));
    // The owner decided while the editor was up and the cell still old.
    QVERIFY(m_owner.editingDuringEnd);
    QCOMPARE(m_owner.cellDuringEnd, u"英雄2"_s);

    QCOMPARE(m_list->cellText(2, 0), u"新名字"_s);
    QCOMPARE(m_list->checkState(2), Qt::Unchecked);
    QVERIFY(!m_list->isEditing());
    QVERIFY(m_list->editor() == nullptr);
    QVERIFY(!editor->isVisible());
    QVERIFY(m_list->hasFocus());
    QCOMPARE(pressed.count(), 0);
    QVERIFY(m_dialog->isVisible());

    // With no edit open, Enter is the dialog's again.
    QTest::keyClick(m_list, Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
}

void TestEditListCtrl::escapeCancelsWithoutClosingTheDialog()
{
    QLineEdit* editor = openEditor(4, 1);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"999"_s);
    QTest::keyClick(editor, Qt::Key_Escape);

    QCOMPARE(m_owner.notices.size(), 2u);
    const Notice& end = m_owner.notices[1];
    QVERIFY(!end.begin);
    QCOMPARE(end.row, 4);
    QCOMPARE(end.column, 1);
    QVERIFY(!end.text.has_value());
    QCOMPARE(m_list->cellText(4, 1), u"40"_s);
    QVERIFY(!m_list->isEditing());
    QVERIFY(m_list->hasFocus());
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected)); // never ended
}

void TestEditListCtrl::ownerDecidesWhatTheCellShows_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("cutAt");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QString>("shown");

    QTest::newRow("accepted") << true << -1 << u"abc"_s << u"abc"_s << u"abc"_s;
    QTest::newRow("rejected keeps the old text")
        << false << -1 << u"abc"_s << u"abc"_s << u"英雄6"_s;
    QTest::newRow("shortened by the owner")
        << true << 11 << u"一二三四五六七八九十壹贰叁肆伍"_s << u"一二三四五六七八九十壹"_s
        << u"一二三四五六七八九十壹"_s;
    QTest::newRow("emptied is an empty text, not a cancel")
        << true << -1 << QString() << u""_s << QString();
}

void TestEditListCtrl::ownerDecidesWhatTheCellShows()
{
    QFETCH(bool, accept);
    QFETCH(int, cutAt);
    QFETCH(QString, typed);
    QFETCH(QString, told);
    QFETCH(QString, shown);
    m_owner.accept = accept;
    m_owner.cutAt = cutAt;

    QLineEdit* editor = openEditor(6, 0);
    QVERIFY(editor != nullptr);
    QTest::keyClick(editor, Qt::Key_Delete); // the whole text is selected
    editor->insert(typed);
    QTest::keyClick(editor, Qt::Key_Enter);

    QCOMPARE(m_owner.notices.size(), 2u);
    QVERIFY(m_owner.notices[1].text.has_value());
    QCOMPARE(*m_owner.notices[1].text, told);
    QCOMPARE(m_list->cellText(6, 0), shown);
    QVERIFY(!m_list->isEditing());
}

void TestEditListCtrl::columnZeroTakesAnyTextOthersDigitsOnly()
{
    for (const int column : {0, 1, 2}) {
        QLineEdit* editor = openEditor(1, column);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, u"a1 -2.b4"_s);
        QCOMPARE(editor->text(), column == 0 ? u"a1 -2.b4"_s : u"124"_s);
        // Pasted text goes in whole in every column: the owner reads it.
        editor->insert(u"３5\t"_s);
        QCOMPARE(editor->text(), column == 0 ? u"a1 -2.b4３5\t"_s : u"124３5\t"_s);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // Unchanged text is still handed over, whole.
    m_owner.notices.clear();
    QLineEdit* editor = openEditor(7, 2);
    QVERIFY(editor != nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(m_owner.notices.back().text, std::optional<QString>(u"7"_s));
}

void TestEditListCtrl::clickOnCheckBoxOnlyToggles()
{
    QStyleOptionViewItem option;
    option.initFrom(m_list);
    option.rect = m_list->visualRect(m_list->model()->index(2, 0));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        m_list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, m_list);

    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(m_list->checkState(2), Qt::Checked);
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(m_list->checkState(2), Qt::Unchecked);
    QVERIFY(m_owner.notices.empty());
    QVERIFY(!m_list->isEditing());

    // The box of the row whose name is open: the press commits the name, the
    // click still toggles the box.
    QLineEdit* editor = openEditor(2, 0);
    QVERIFY(editor != nullptr);
    editor->insert(u"乙"_s);
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, box.center());
    QVERIFY(!m_list->isEditing());
    QCOMPARE(m_list->cellText(2, 0), u"乙"_s);
    QCOMPARE(m_list->checkState(2), Qt::Checked);
    QCOMPARE(m_owner.notices.size(), 2u);
}

void TestEditListCtrl::onlyALeftClickOpens()
{
    const QPoint text = m_list->labelRect(2, 1).center();
    QTest::mouseClick(m_list->viewport(), Qt::RightButton, {}, text);
    QTest::mouseClick(m_list->viewport(), Qt::MiddleButton, {}, text);
    QVERIFY(m_owner.notices.empty());
    QVERIFY(!m_list->isEditing());
}

void TestEditListCtrl::wheelCommitsLikeTheScrollBars()
{
    QLineEdit* editor = openEditor(0, 1);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"5"_s);
    const QPointF at(20, 20);
    QWheelEvent wheel(at, m_list->viewport()->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                      {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_list->viewport(), &wheel);
    QVERIFY(m_list->verticalScrollBar()->value() > 0);
    QVERIFY(!m_list->isEditing());
    QCOMPARE(m_owner.notices.size(), 2u);
    QCOMPARE(m_list->cellText(0, 1), u"5"_s);
}

void TestEditListCtrl::clickBelowLastRowOpensNothing()
{
    m_model->setRowCount(3);
    const QRect last = m_list->visualRect(m_list->model()->index(2, 1));
    QVERIFY(last.bottom() + 10 < m_list->viewport()->height());
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, last.center() + QPoint(0, 20));
    QVERIFY(m_owner.notices.empty());
    QVERIFY(!m_list->isEditing());
}

void TestEditListCtrl::focusLossCommitsAndFocusStaysWhereItWent()
{
    QLineEdit* editor = openEditor(8, 1);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"123"_s);
    m_other->setFocus(Qt::MouseFocusReason);

    QCOMPARE(m_owner.notices.size(), 2u);
    QCOMPARE(m_owner.notices[1].text, std::optional<QString>(u"123"_s));
    QCOMPARE(m_list->cellText(8, 1), u"123"_s);
    QVERIFY(!m_list->isEditing());
    QVERIFY(m_other->hasFocus());
}

void TestEditListCtrl::tabCommitsAndMovesToTheNextControl()
{
    QLineEdit* editor = openEditor(9, 0);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"x"_s);
    QTest::keyClick(editor, Qt::Key_Tab);

    QCOMPARE(m_owner.notices.size(), 2u);
    QCOMPARE(m_owner.notices[1].text, std::optional<QString>(u"x"_s));
    QCOMPARE(m_list->cellText(9, 0), u"x"_s);
    QVERIFY(!m_list->isEditing());
    QVERIFY(m_other->hasFocus()); // not the neighbouring cell
}

void TestEditListCtrl::clickOnAnotherCellCommitsThenEditsThat()
{
    QLineEdit* editor = openEditor(1, 0);
    QVERIFY(editor != nullptr);
    editor->insert(u"甲"_s);
    clickCell(4, 2);

    QCOMPARE(m_owner.notices.size(), 3u);
    QCOMPARE(m_owner.notices[1].row, 1);
    QCOMPARE(m_owner.notices[1].text, std::optional<QString>(u"甲"_s));
    QVERIFY(m_owner.notices[2].begin);
    QCOMPARE(m_owner.notices[2].row, 4);
    QCOMPARE(m_owner.notices[2].column, 2);
    QCOMPARE(m_list->cellText(1, 0), u"甲"_s);
    QVERIFY(m_list->isEditing());
    QCOMPARE(m_list->editRow(), 4);
    QCOMPARE(m_list->editColumn(), 2);
}

void TestEditListCtrl::scrollBarPageCommitsFirst()
{
    QScrollBar* bar = m_list->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QLineEdit* editor = openEditor(0, 1);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"77"_s);
    const int before = bar->value();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);

    QCOMPARE(m_owner.notices.size(), 2u);
    QCOMPARE(m_owner.notices[1].row, 0);
    QCOMPARE(m_owner.notices[1].text, std::optional<QString>(u"77"_s));
    QCOMPARE(m_list->cellText(0, 1), u"77"_s);
    QVERIFY(!m_list->isEditing());
    QVERIFY(!editor->isVisible());
    QVERIFY(m_list->hasFocus());
    QVERIFY(bar->value() > before);
}

QTEST_MAIN(TestEditListCtrl)
#include "tst_editlistctrl.moc"
