// The "花名册" menu of the main window: CSV exports, and imports that open the
// matching editor on the imported rows.

#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "storage/RosterCsv.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/common/FileDialog.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/RosterMenu.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<PlanningTables> Tables()
{
    auto tables = std::make_unique<PlanningTables>();
    FillDefaultVirusTable(tables->virusTable);
    FillDefaultHeroTable(tables->heroTable);
    return tables;
}

template <typename Table> QByteArray Image(const Table& table)
{
    return QByteArray(reinterpret_cast<const char*>(table.data()), sizeof table);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

class TestRosterMenu final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void theMenuHoldsItsFourActions();
    void exportWritesTheTableAndTellsWhere();
    void exportFailureIsReported();
    void heroImportOpensTheEditorOnTheImportedRows_data();
    void heroImportOpensTheEditorOnTheImportedRows();
    void virusImportOpensTheEditorOnTheImportedRows();
    void aBadFileIsRefusedWithItsProblems();
    void unknownColumnsAreNotedBeforeTheEditor();
    void cancelledOrUnreadablePicksChangeNothing();
    void pipesAreNeitherReadNorReplaced();

private:
    void makeWindow();
    QString path(const QString& name) const { return m_folder->filePath(name); }

    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;
    std::unique_ptr<CQuorvelDlg> m_window;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestRosterMenu::initTestCase()
{
    RequirePreparedAnswers();
    FileDialog::setAnswersRequired(true);
}

void TestRosterMenu::init()
{
    m_tables = Tables();
    m_choices = RememberedChoices{};
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    MessageBox::resetLastShown();
}

void TestRosterMenu::cleanup()
{
    m_window.reset();
    QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
}

void TestRosterMenu::makeWindow()
{
    m_window = std::make_unique<CQuorvelDlg>(*m_tables, m_choices);
    m_window->show();
}

void TestRosterMenu::theMenuHoldsItsFourActions()
{
    makeWindow();
    QMenu* menu = QuorvelDlgTestAccess::rosterMenu(*m_window)->menu();
    QCOMPARE(menu->title(), u"花名册(&R)"_s);
    // On the menu bar between 方案 and 帮助.
    const QList<QAction*> bar = QuorvelDlgTestAccess::menuBar(*m_window)->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[1], menu->menuAction());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text());
    }
    QCOMPARE(texts, (QStringList{u"导入英雄(&I)…"_s, u"导出英雄(&E)…"_s, u"导入病毒(&V)…"_s,
                                 u"导出病毒(&X)…"_s}));
}

void TestRosterMenu::exportWritesTheTableAndTellsWhere()
{
    m_tables->heroTable[3].smart = 4321;
    makeWindow();
    FileDialog::setNextAnswer(path(u"guild"_s)); // no suffix: .csv is added
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ExportHeroes();
    QCOMPARE(FileBytes(path(u"guild.csv"_s)), RosterCsv::WriteHeroes(m_tables->heroTable));
    std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QCOMPARE(shown->icon, QMessageBox::Information);
    QVERIFY2(shown->text.contains(path(u"guild.csv"_s)), qPrintable(shown->text));

    // The next dialog starts in the folder the last one ended in.
    FileDialog::setNextAnswer(path(u"病毒.csv"_s));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ExportViruses();
    QCOMPARE(FileDialog::lastStart(), std::optional<QString>(path(u"病毒.csv"_s)));
    QCOMPARE(FileBytes(path(u"病毒.csv"_s)), RosterCsv::WriteViruses(m_tables->virusTable));
    QVERIFY(!m_window->tablesModified());
}

void TestRosterMenu::exportFailureIsReported()
{
    makeWindow();
    FileDialog::setNextAnswer(path(u"missing/英雄.csv"_s));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ExportHeroes();
    const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QCOMPARE(shown->icon, QMessageBox::Critical);
    QVERIFY(shown->text.startsWith(u"无法保存"_s));
    QVERIFY(!QFile::exists(path(u"missing/英雄.csv"_s)));
}

void TestRosterMenu::heroImportOpensTheEditorOnTheImportedRows_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void TestRosterMenu::heroImportOpensTheEditorOnTheImportedRows()
{
    QFETCH(bool, confirm);
    makeWindow();
    const QByteArray before = Image(m_tables->heroTable);
    QVERIFY(WriteFile(
        path(u"in.csv"_s),
        u"序号,名称,勾选,聪明,可爱,不正常\n3,张三,1,10,20,30\n50,李四,1,1,2,3\n"_s.toUtf8()));
    FileDialog::setNextAnswer(path(u"in.csv"_s));
    bool seen = false;
    WhenDialogShown<CHeroesDlg>(this, [&](CHeroesDlg& editor) {
        seen = true;
        CEditListCtrl& list = *editor.list();
        QCOMPARE(list.cellText(2, 0), u"张三"_s);
        QCOMPARE(list.cellText(2, 5), u"60"_s);
        QCOMPARE(list.cellText(49, 0), u"李四"_s);
        QCOMPARE(list.checkState(49), Qt::Checked); // row 50 was not ticked before
        QCOMPARE(list.cellText(3, 0), u"输入会友信息"_s);
        // The imported rows are the selection.
        QVERIFY(list.selectionModel()->isRowSelected(2, {}));
        QVERIFY(list.selectionModel()->isRowSelected(49, {}));
        QCOMPARE(list.selectionModel()->selectedRows().size(), 2);
        // Nothing reaches the roster before the confirmation.
        QCOMPARE(Image(m_tables->heroTable), before);
        if (confirm)
            editor.accept();
        else
            editor.reject();
    });
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ImportHeroes();
    QVERIFY(seen);
    QCOMPARE(m_window->tablesModified(), confirm);
    if (!confirm) {
        QCOMPARE(Image(m_tables->heroTable), before);
        return;
    }
    QCOMPARE(HeroName(m_tables->heroTable[2]), std::u16string_view(u"张三"));
    QCOMPARE(m_tables->heroTable[2].abnormal, 30);
    QCOMPARE(m_tables->heroTable[49].checked, 1);
    // The leading-hero selector shows the new names.
    QVERIFY(QuorvelDlgTestAccess::controls(*m_window)
                .get<QComboBox>(MainDialogIds::kLeaderSelector)
                ->itemText(2)
                .contains(u"张三"_s));
}

void TestRosterMenu::virusImportOpensTheEditorOnTheImportedRows()
{
    makeWindow();
    QVERIFY(
        WriteFile(path(u"v.csv"_s), u"关卡,名称,愚蠢,可恨,不异常\n64,大魔王,1,2,3\n"_s.toUtf8()));
    FileDialog::setNextAnswer(path(u"v.csv"_s));
    WhenDialogShown<CVirusDlg>(this, [](CVirusDlg& editor) {
        QCOMPARE(editor.list()->cellText(63, 0), u"大魔王"_s);
        QCOMPARE(editor.list()->cellText(63, 3), u"3"_s);
        QCOMPARE(editor.list()->currentRow(), 63);
        QCOMPARE(editor.list()->cellText(62, 0), u"未知病毒"_s);
        editor.accept();
    });
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ImportViruses();
    QVERIFY(m_window->tablesModified());
    QCOMPARE(VirusName(m_tables->virusTable[63]), std::u16string_view(u"大魔王"));
    QCOMPARE(m_tables->virusTable[63].hateful, 2);
    QVERIFY(QuorvelDlgTestAccess::controls(*m_window)
                .get<QComboBox>(MainDialogIds::kTargetSelector)
                ->itemText(63)
                .contains(u"大魔王"_s));
}

void TestRosterMenu::aBadFileIsRefusedWithItsProblems()
{
    makeWindow();
    const QByteArray before = Image(m_tables->heroTable);
    QByteArray bad = u"序号,名称,勾选,聪明,可爱,不正常\n"_s.toUtf8();
    for (int i = 1; i <= 20; ++i)
        bad += u"%1,甲,1,70000,0,0\n"_s.arg(i).toUtf8();
    // A name may hold what looks like a placeholder; it is shown as it is.
    const QString file = path(u"bad%1%2.csv"_s);
    QVERIFY(WriteFile(file, bad));
    FileDialog::setNextAnswer(file);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ImportHeroes();
    const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QCOMPARE(shown->icon, QMessageBox::Warning);
    QVERIFY2(
        shown->text.startsWith(u"文件“"_s + QDir::toNativeSeparators(file) + u"”有 20 个问题"_s),
        qPrintable(shown->text));
    QVERIFY(shown->text.contains(u"第 2 行，“聪明”列"_s));
    QVERIFY(shown->text.contains(u"还有 5 个问题"_s));
    QCOMPARE(MessageBox::shownCount(), 1);
    QCOMPARE(Image(m_tables->heroTable), before);
    QVERIFY(!m_window->tablesModified());
}

void TestRosterMenu::unknownColumnsAreNotedBeforeTheEditor()
{
    makeWindow();
    QVERIFY(WriteFile(path(u"n.csv"_s),
                      u"序号,名称,勾选,聪明,可爱,不正常,备注\n1,我,1,1,1,1,队长\n"_s.toUtf8()));
    FileDialog::setNextAnswer(path(u"n.csv"_s));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) { editor.reject(); });
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ImportHeroes();
    const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QCOMPARE(shown->icon, QMessageBox::Information);
    QVERIFY(shown->text.contains(u"备注"_s));
}

void TestRosterMenu::cancelledOrUnreadablePicksChangeNothing()
{
    makeWindow();
    const QByteArray before = Image(m_tables->heroTable);
    FileDialog::setNextAnswer(QString());
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ImportHeroes();
    FileDialog::setNextAnswer(QString());
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ExportViruses();
    QCOMPARE(MessageBox::shownCount(), 0);

    FileDialog::setNextAnswer(path(u"nothing-here.csv"_s));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ImportViruses();
    const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QVERIFY(shown->text.startsWith(u"无法读取文件"_s));
    QCOMPARE(Image(m_tables->heroTable), before);
    QVERIFY(!m_window->tablesModified());
}

void TestRosterMenu::pipesAreNeitherReadNorReplaced()
{
    // Nobody writes to the pipe: opening it for a plain read would wait for
    // ever, so the test ends itself if the window ever does.
    alarm(60);
    makeWindow();
    const QString pipe = path(u"pipe.csv"_s);
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    FileDialog::setNextAnswer(pipe);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ImportHeroes();
    std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
    QVERIFY(shown.has_value());
    QVERIFY(shown->text.startsWith(u"无法读取"_s));
    QVERIFY2(shown->text.contains(u"不是普通文件"_s), qPrintable(shown->text));

    FileDialog::setNextAnswer(pipe);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QuorvelDlgTestAccess::rosterMenu(*m_window)->ExportHeroes();
    shown = MessageBox::lastShown();
    QVERIFY(shown->text.startsWith(u"无法保存"_s));
    struct stat status
    {
    };
    QCOMPARE(stat(QFile::encodeName(pipe).constData(), &status), 0);
    QVERIFY2(S_ISFIFO(status.st_mode), "the pipe was replaced");
    alarm(0);
    QVERIFY(!m_window->tablesModified());
}

QTEST_MAIN(TestRosterMenu)
#include "tst_rostermenu.moc"
