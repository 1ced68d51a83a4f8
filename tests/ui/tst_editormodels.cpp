// The editors' working copies on their own, without a view: the rules for
// names, stats and sums, the row order, imports and pastes.

#include "storage/DataFiles.h"
#include "ui/editors/HeroRosterModel.h"
#include "ui/editors/SheetCells.h"
#include "ui/editors/VirusTableModel.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<HeroTable> Heroes()
{
    auto table = std::make_unique<HeroTable>();
    FillDefaultHeroTable(*table);
    for (int i = 0; i < kHeroCount; ++i)
        table->at(static_cast<std::size_t>(i)).cute = static_cast<std::uint16_t>(i % 7);
    return table;
}

QString Cell(const QAbstractItemModel& model, int row, int column)
{
    return model.index(row, column).data().toString();
}

} // namespace

class TestEditorModels final : public QObject
{
    Q_OBJECT

private slots:
    void heroCellsFollowTheRules_data();
    void heroCellsFollowTheRules();
    void sumsNeverWrap();
    void checkBoxesBelongToRowsUntilStored();
    void sortingMovesRowsNotRecords();
    void arrangingCarriesSelectionsAlong();
    void displayOrderKeepsNameTails();
    void importReplacesTheCopyOnly();
    void pastesLandCellByCellAndCountTheOverrun();
    void virusNamesAreCutOnlyWhenWrittenBack();
};

void TestEditorModels::heroCellsFollowTheRules_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QString smile = u"😀"_s;
    QTest::newRow("eleven characters")
        << 0 << u"一二三四五六七八九十壹"_s << u"一二三四五六七八九十壹"_s;
    QTest::newRow("twelve characters")
        << 0 << u"一二三四五六七八九十壹贰"_s << u"一二三四五六七八九十壹"_s;
    QTest::newRow("pair at the cut")
        << 0 << u"一二三四五六七八九十"_s + smile << u"一二三四五六七八九十"_s;
    QTest::newRow("65535") << 1 << u"65535"_s << u"65535"_s;
    QTest::newRow("65536 held") << 2 << u"65536"_s << u"65535"_s;
    QTest::newRow("negative") << 3 << u"-3"_s << u"0"_s;
    QTest::newRow("text") << 1 << u"abc"_s << u"0"_s;
    QTest::newRow("pasted tail") << 2 << u" 12\t"_s << u"12"_s;
}

void TestEditorModels::heroCellsFollowTheRules()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    auto table = Heroes();
    HeroRosterModel model(*table);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(4, column), typed));
    QCOMPARE(Cell(model, 4, column), shown);
    QCOMPARE(changed.size(), 1);
    // The sums are read-only.
    QVERIFY(!model.setData(model.index(4, HeroRosterModel::kTotal), u"5"_s));
    QVERIFY(!(model.flags(model.index(4, HeroRosterModel::kSmartCute)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(4, column)) & Qt::ItemIsEditable);
    // The roster given to the model is a copy, untouched.
    QCOMPARE(HeroName(table->at(4)), std::u16string_view(u"输入会友信息"));
}

void TestEditorModels::sumsNeverWrap()
{
    auto table = Heroes();
    HeroRosterModel model(*table);
    for (const int column : {1, 2, 3})
        model.setData(model.index(0, column), u"65535"_s);
    QCOMPARE(Cell(model, 0, HeroRosterModel::kSmartCute), u"131070"_s);
    QCOMPARE(Cell(model, 0, HeroRosterModel::kTotal), u"196605"_s);
    QCOMPARE(model.heroes()[0].abnormal, 65535);
}

void TestEditorModels::checkBoxesBelongToRowsUntilStored()
{
    auto table = Heroes();
    HeroRosterModel model(*table);
    QCOMPARE(model.checkedRows(), 40);
    model.setData(model.index(50, 0), Qt::Checked, Qt::CheckStateRole);
    QCOMPARE(model.checkedRows(), 41);
    QCOMPARE(model.heroes()[50].checked, 0); // the row's own, so far
    model.storeCheck(50);
    QCOMPARE(model.heroes()[50].checked, 1);
    model.setChecked(0, false); // batch selection: row and record together
    QCOMPARE(model.heroes()[0].checked, 0);
    QCOMPARE(model.index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
}

void TestEditorModels::sortingMovesRowsNotRecords()
{
    auto table = Heroes();
    HeroRosterModel model(*table);
    const QByteArray before(reinterpret_cast<const char*>(model.heroes().data()), 4096);
    model.sortBy(HeroRosterModel::kCute);
    // cute = index % 7: the sixes first, in table order.
    QCOMPARE(model.recordOfRow(0), 6);
    QCOMPARE(model.recordOfRow(1), 13);
    QCOMPARE(model.recordOfRow(127), 126);
    for (int row = 1; row < kHeroCount; ++row)
        QVERIFY(Cell(model, row - 1, 2).toInt() >= Cell(model, row, 2).toInt());
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(model.heroes().data()), 4096), before);
    // The name column does not sort.
    const int top = model.recordOfRow(0);
    model.sortBy(HeroRosterModel::kName);
    QCOMPARE(model.recordOfRow(0), top);
}

void TestEditorModels::arrangingCarriesSelectionsAlong()
{
    auto table = Heroes();
    HeroRosterModel model(*table);
    model.setData(model.index(3, 0), Qt::Unchecked, Qt::CheckStateRole);
    QItemSelectionModel selection(&model);
    selection.select(model.index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::vector<int> order(kHeroCount);
    for (int row = 0; row < kHeroCount; ++row)
        order[static_cast<std::size_t>(row)] = kHeroCount - 1 - row; // reversed
    model.arrange(order);
    QCOMPARE(model.recordOfRow(124), 3);
    QVERIFY(selection.isRowSelected(124, {}));
    QVERIFY(!selection.isRowSelected(3, {}));
    QVERIFY(!model.rowChecked(124)); // the check box moved with its row
    QVERIFY(model.rowChecked(127));
}

void TestEditorModels::displayOrderKeepsNameTails()
{
    auto table = Heroes();
    std::memcpy(table->at(1).name, u"甲\0XYZ", 6 * sizeof(char16_t)); // a tail after the name
    HeroRosterModel model(*table);
    model.setData(model.index(0, 1), u"7"_s);
    std::vector<int> order(kHeroCount);
    for (int row = 0; row < kHeroCount; ++row)
        order[static_cast<std::size_t>(row)] = row;
    std::swap(order[0], order[1]);
    model.arrange(order);
    model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    const HeroTable saved = model.inDisplayOrder();
    QCOMPARE(HeroName(saved[0]), std::u16string_view(u"甲"));
    QCOMPARE(saved[0].checked, 0);
    QCOMPARE(HeroName(saved[1]), std::u16string_view(u"输入自己的信息"));
    QCOMPARE(saved[1].smart, 7);
    QCOMPARE(saved[1].checked, 1);
    // Record 1 held "甲" with a tail; the longer name covers it.
    QCOMPARE(saved[1].name[7], u'\0');

    // Names that open with what a UTF-16 reader takes for a byte-order mark
    // are names like any other: shown and stored unit for unit.
    std::memcpy(table->at(2).name, u"\uFFFE乙", 3 * sizeof(char16_t));
    std::memcpy(table->at(3).name, u"\uFEFF丙", 3 * sizeof(char16_t));
    HeroRosterModel marked(*table);
    QCOMPARE(Cell(marked, 2, 0), u"\uFFFE乙"_s);
    const HeroTable stored = marked.inDisplayOrder();
    QCOMPARE(HeroName(stored[2]), std::u16string_view(u"\uFFFE乙"));
    QCOMPARE(HeroName(stored[3]), std::u16string_view(u"\uFEFF丙"));
}

void TestEditorModels::importReplacesTheCopyOnly()
{
    auto table = Heroes();
    HeroRosterModel model(*table);
    model.sortBy(HeroRosterModel::kCute);
    auto imported = std::make_unique<HeroTable>(*table);
    std::memcpy(imported->at(6).name, u"新人", 3 * sizeof(char16_t));
    imported->at(6).checked = 0;
    model.loadRecords(*imported);
    QCOMPARE(model.recordOfRow(0), 6); // the order stays
    QCOMPARE(Cell(model, 0, 0), u"新人"_s);
    QVERIFY(!model.rowChecked(0));
    QCOMPARE(HeroName(table->at(6)), std::u16string_view(u"输入会友信息"));
}

void TestEditorModels::pastesLandCellByCellAndCountTheOverrun()
{
    auto table = Heroes();
    HeroRosterModel model(*table);
    const QList<QStringList> block = SheetCells::ParseBlock(u"甲\t1\t2\t3\t9\t9\t9\n乙\t4\n"_s);
    QCOMPARE(block.size(), 2);
    int stored = 0;
    const int cut = SheetCells::Paste(block, 127, 0, kHeroCount, HeroRosterModel::kTotal,
                                      [&](int r, int c, const QString& text) {
                                          ++stored;
                                          model.setData(model.index(r, c), text);
                                      });
    QCOMPARE(cut, 3);    // one cell past the last column, the whole second row
    QCOMPARE(stored, 6); // the sums were offered two and took nothing
    QCOMPARE(Cell(model, 127, 0), u"甲"_s);
    QCOMPARE(Cell(model, 127, HeroRosterModel::kTotal), u"6"_s);
}

void TestEditorModels::virusNamesAreCutOnlyWhenWrittenBack()
{
    auto table = std::make_unique<VirusTable>();
    FillDefaultVirusTable(*table);
    table->at(2).name[12] = u'Q'; // the 13th unit is nobody's but the file's
    VirusTableModel model(*table);
    const QString twelve = u"一二三四五六七八九十壹贰"_s;
    model.setData(model.index(2, 0), twelve);
    model.setData(model.index(2, 1), u"70000"_s);
    model.setData(model.index(2, 3), u"12abc"_s);
    QCOMPARE(Cell(model, 2, 0), twelve);
    QCOMPARE(Cell(model, 2, 1), u"65535"_s);
    QCOMPARE(Cell(model, 2, 3), u"12"_s);
    QCOMPARE(VirusName(table->at(2)), std::u16string_view(u"未知病毒"));
    model.writeBack(*table);
    QCOMPARE(VirusName(table->at(2)), std::u16string_view(u"一二三四五六七八九十壹"));
    QCOMPARE(table->at(2).stupid, 65535);
    QCOMPARE(table->at(2).notAbnormal, 12);
    QCOMPARE(table->at(2).name[12], u'Q');
    QCOMPARE(table->at(3).hateful, 9999);
}

QTEST_MAIN(TestEditorModels)
#include "tst_editormodels.moc"
