#include "tests/ui/UiTestSupport.h"
#include "ui/editors/EditListCtrl.h"

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
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A text the list handed to the model as a committed edit.
struct Edit
{
    int row = -1;
    int column = -1;
    QString text;
};

// A model that decides as the test sets it up: which column is read-only,
// whether it takes a committed text and how it cuts one. It records every
// text it is given.
class RecordingModel final : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags flags = QStandardItemModel::flags(index);
        if (index.column() == refusedColumn)
            flags &= ~Qt::ItemIsEditable;
        return flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole)
            return QStandardItemModel::setData(index, value, role);
        QString text = value.toString();
        edits.push_back({index.row(), index.column(), text});
        if (!accept)
            return false;
        if (cutAt >= 0 && text.size() > cutAt)
            text.truncate(cutAt);
        return QStandardItemModel::setData(index, text, role);
    }

    std::vector<Edit> edits;
    int refusedColumn = -1;
    bool accept = true;
    int cutAt = -1;
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
    void modelDecidesWhatTheCellShows_data();
    void modelDecidesWhatTheCellShows();
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
    RecordingModel* m_model = nullptr;
    QPushButton* m_defaultButton = nullptr;
    QLineEdit* m_other = nullptr;
};

void TestEditListCtrl::init()
{
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

    // Any model will do; the list keeps no data of its own.
    m_model = new RecordingModel(40, 3, m_list);
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
        QLineEdit* editor = openEditor(3, column);
        QVERIFY(editor != nullptr);
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
    QVERIFY(m_model->edits.empty());
}

void TestEditListCtrl::refusedBeginLeavesNoEditorAndNoState()
{
    m_model->refusedColumn = 2;
    clickCell(5, 2);
    QVERIFY(!m_list->isEditing());
    QVERIFY(m_list->editor() == nullptr);
    QVERIFY(m_list->findChildren<QLineEdit*>().isEmpty());
    QCOMPARE(m_list->cellText(5, 2), u"5"_s);
    // The refused column stays refused; the others still open.
    QVERIFY(!m_list->BeginEdit(5, 2));
    // Nor do F2 and typing open it from the keyboard.
    m_list->setCurrentCell(5, 2);
    QTest::keyClick(m_list, Qt::Key_F2);
    QTest::keyClick(m_list, Qt::Key_7);
    QVERIFY(!m_list->isEditing());
    QCOMPARE(m_list->cellText(5, 2), u"5"_s);
    QVERIFY(m_list->BeginEdit(5, 1));
}

void TestEditListCtrl::enterCommitsWithoutPressingTheDefaultButton()
{
    QSignalSpy pressed(m_defaultButton, &QPushButton::clicked);
    QLineEdit* editor = openEditor(2, 0);
    QVERIFY(editor != nullptr);
    editor->insert(u"新名字"_s); // as an input method would
    QTest::keyClick(editor, Qt::Key_Return);

    QCOMPARE(m_model->edits.size(), 1u);
    const Edit& edit = m_model->edits[0];
    QCOMPARE(edit.row, 2);
    QCOMPARE(edit.column, 0);
    QCOMPARE(edit.text, u"新名字"_s);

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

    QVERIFY(m_model->edits.empty()); // a cancel never reaches the model
    QCOMPARE(m_list->cellText(4, 1), u"40"_s);
    QVERIFY(!m_list->isEditing());
    QVERIFY(m_list->hasFocus());
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected)); // never ended
}

void TestEditListCtrl::modelDecidesWhatTheCellShows_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("cutAt");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QString>("shown");

    QTest::newRow("accepted") << true << -1 << u"abc"_s << u"abc"_s << u"abc"_s;
    QTest::newRow("rejected keeps the old text")
        << false << -1 << u"abc"_s << u"abc"_s << u"英雄6"_s;
    QTest::newRow("shortened by the model")
        << true << 11 << u"一二三四五六七八九十壹贰叁肆伍"_s << u"一二三四五六七八九十壹贰叁肆伍"_s
        << u"一二三四五六七八九十壹"_s;
    QTest::newRow("emptied is an empty text, not a cancel")
        << true << -1 << QString() << u""_s << QString();
}

void TestEditListCtrl::modelDecidesWhatTheCellShows()
{
    QFETCH(bool, accept);
    QFETCH(int, cutAt);
    QFETCH(QString, typed);
    QFETCH(QString, told);
    QFETCH(QString, shown);
    m_model->accept = accept;
    m_model->cutAt = cutAt;

    QLineEdit* editor = openEditor(6, 0);
    QVERIFY(editor != nullptr);
    QTest::keyClick(editor, Qt::Key_Delete); // the whole text is selected
    editor->insert(typed);
    QTest::keyClick(editor, Qt::Key_Enter);

    QCOMPARE(m_model->edits.size(), 1u);
    QCOMPARE(m_model->edits[0].text, told);
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
        // Pasted text goes in whole in every column: the model reads it.
        editor->insert(u"３5\t"_s);
        QCOMPARE(editor->text(), column == 0 ? u"a1 -2.b4３5\t"_s : u"124３5\t"_s);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // Unchanged text is still handed over, whole.
    m_model->edits.clear();
    QLineEdit* editor = openEditor(7, 2);
    QVERIFY(editor != nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(m_model->edits.size(), 1u);
    QCOMPARE(m_model->edits.back().text, u"7"_s);
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
    QVERIFY(m_model->edits.empty());
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
    QCOMPARE(m_model->edits.size(), 1u);
}

void TestEditListCtrl::onlyALeftClickOpens()
{
    const QPoint text = m_list->labelRect(2, 1).center();
    QTest::mouseClick(m_list->viewport(), Qt::RightButton, {}, text);
    QTest::mouseClick(m_list->viewport(), Qt::MiddleButton, {}, text);
    QVERIFY(m_list->findChildren<QLineEdit*>().isEmpty());
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
    QCOMPARE(m_model->edits.size(), 1u);
    QCOMPARE(m_list->cellText(0, 1), u"5"_s);
}

void TestEditListCtrl::clickBelowLastRowOpensNothing()
{
    m_model->setRowCount(3);
    const QRect last = m_list->visualRect(m_list->model()->index(2, 1));
    QVERIFY(last.bottom() + 10 < m_list->viewport()->height());
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, last.center() + QPoint(0, 20));
    QVERIFY(m_list->findChildren<QLineEdit*>().isEmpty());
    QVERIFY(!m_list->isEditing());
}

void TestEditListCtrl::focusLossCommitsAndFocusStaysWhereItWent()
{
    QLineEdit* editor = openEditor(8, 1);
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, u"123"_s);
    m_other->setFocus(Qt::MouseFocusReason);

    QCOMPARE(m_model->edits.size(), 1u);
    QCOMPARE(m_model->edits[0].text, u"123"_s);
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

    QCOMPARE(m_model->edits.size(), 1u);
    QCOMPARE(m_model->edits[0].text, u"x"_s);
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

    QCOMPARE(m_model->edits.size(), 1u);
    QCOMPARE(m_model->edits[0].row, 1);
    QCOMPARE(m_model->edits[0].text, u"甲"_s);
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

    QCOMPARE(m_model->edits.size(), 1u);
    QCOMPARE(m_model->edits[0].row, 0);
    QCOMPARE(m_model->edits[0].text, u"77"_s);
    QCOMPARE(m_list->cellText(0, 1), u"77"_s);
    QVERIFY(!m_list->isEditing());
    QVERIFY(!editor->isVisible());
    QVERIFY(m_list->hasFocus());
    QVERIFY(bar->value() > before);
}

QTEST_MAIN(TestEditListCtrl)
#include "tst_editlistctrl.moc"
