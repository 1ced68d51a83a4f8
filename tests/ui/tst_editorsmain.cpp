// How the main window meets the editors, and one run of the program in which
// the roster is edited: what reaches the data files.

#include "app/CQuorvelApp.h"
#include "resources/EditorDialogTemplates.h"
#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/QuorvelDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Default tables; heroes 0 to 5 ticked with distinct stats, the rest not.
std::unique_ptr<PlanningTables> SmallTables()
{
    auto tables = std::make_unique<PlanningTables>();
    FillDefaultVirusTable(tables->virusTable);
    FillDefaultHeroTable(tables->heroTable);
    for (int i = 0; i < kHeroCount; ++i) {
        HeroRecord& hero = tables->heroTable[static_cast<std::size_t>(i)];
        hero.checked = i < 6 ? 1 : 0;
        hero.smart = static_cast<std::uint16_t>(i < 6 ? 100 * (i + 1) : 0);
    }
    return tables;
}

QByteArray Image(const void* data, std::size_t size)
{
    return QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(size));
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestEditorsInMainWindow final : public QObject
{
    Q_OBJECT

public:
    explicit TestEditorsInMainWindow(CQuorvelApp& app) : m_app(app) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void confirmedVirusEditorSelectsTheFirstVirus();
    void cancelledVirusEditorChangesNothing();
    void confirmedHeroEditorKeepsTheLeaderWithItsNewData();
    void savedOrderLeavesNoLeader();
    void cancelledHeroEditorChangesNothing();
    void editedRosterReachesTheDataFiles();

private:
    std::unique_ptr<CQuorvelDlg> makeWindow();
    QComboBox* selector(int id) const
    {
        return QuorvelDlgTestAccess::controls(*m_window).get<QComboBox>(id);
    }
    QString leaderStats() const
    {
        return QuorvelDlgTestAccess::controls(*m_window)
            .get<QLabel>(MainDialogIds::kLeaderStats)
            ->text();
    }
    QString planCaption() const
    {
        return QuorvelDlgTestAccess::controls(*m_window)
            .get<QGroupBox>(MainDialogIds::kPlanGroup)
            ->title();
    }
    void clickButton(int id)
    {
        QTest::mouseClick(QuorvelDlgTestAccess::controls(*m_window).get<QPushButton>(id),
                          Qt::LeftButton);
    }

    CQuorvelApp& m_app;
    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;
    std::unique_ptr<CQuorvelDlg> m_window;
};

void TestEditorsInMainWindow::initTestCase()
{
    RequirePreparedAnswers();
}

void TestEditorsInMainWindow::init()
{
    m_tables = SmallTables();
    m_choices = RememberedChoices{};
    MessageBox::resetLastShown();
}

void TestEditorsInMainWindow::cleanup()
{
    m_window.reset();
    QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
}

std::unique_ptr<CQuorvelDlg> TestEditorsInMainWindow::makeWindow()
{
    auto window = std::make_unique<CQuorvelDlg>(*m_tables, m_choices);
    window->show();
    return window;
}

void TestEditorsInMainWindow::confirmedVirusEditorSelectsTheFirstVirus()
{
    m_choices.m_lastVirus = 9;
    m_choices.m_lastHero = 0;
    m_window = makeWindow();
    QCOMPARE(selector(MainDialogIds::kTargetSelector)->currentIndex(), 9);
    clickButton(MainDialogIds::kSearchButton); // the default viruses beat any team
    QCOMPARE(planCaption(), u"没有可行的组队方案"_s);

    for (const bool edit : {true, false}) {
        selector(MainDialogIds::kTargetSelector)->setCurrentIndex(9);
        WhenDialogShown<CVirusDlg>(this, [edit](CVirusDlg& editor) {
            if (edit)
                QVERIFY(TypeIntoCell(*editor.list(), 0, 0, u"新病毒"_s));
            editor.accept();
        });
        clickButton(MainDialogIds::kEditVirusButton);

        QVERIFY(m_window->tablesModified()); // edited or not
        QCOMPARE(m_choices.m_lastVirus, 0);
        QCOMPARE(selector(MainDialogIds::kTargetSelector)->currentIndex(), 0);
        QVERIFY(selector(MainDialogIds::kTargetSelector)->itemText(0).contains(u"新病毒"_s));
        QCOMPARE(planCaption(), u"组队方案"_s); // the plan view was cleared
    }
}

void TestEditorsInMainWindow::cancelledVirusEditorChangesNothing()
{
    m_choices.m_lastVirus = 9;
    const VirusTable before = m_tables->virusTable;
    m_window = makeWindow();
    WhenDialogShown<CVirusDlg>(this, [](CVirusDlg& editor) {
        QVERIFY(TypeIntoCell(*editor.list(), 0, 0, u"新病毒"_s));
        editor.reject();
    });
    clickButton(MainDialogIds::kEditVirusButton);
    QVERIFY(!m_window->tablesModified());
    QCOMPARE(selector(MainDialogIds::kTargetSelector)->currentIndex(), 9);
    QVERIFY(Image(&before, sizeof before) == Image(&m_tables->virusTable, sizeof before));
}

void TestEditorsInMainWindow::confirmedHeroEditorKeepsTheLeaderWithItsNewData()
{
    m_choices.m_lastHero = 2;
    m_window = makeWindow();
    // The user picks another leader; the remembered one changes only at close.
    QComboBox* leader = selector(MainDialogIds::kLeaderSelector);
    leader->setCurrentIndex(3);
    emit leader->activated(3);
    QCOMPARE(leaderStats(), u"英雄三围: 400/0/0"_s);
    WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) {
        QVERIFY(TypeIntoCell(*editor.list(), 3, 0, u"新名字"_s));
        QVERIFY(TypeIntoCell(*editor.list(), 3, 2, u"77"_s));
        ClickHeading(*editor.list(), 1); // shown reordered, stored in place
        editor.accept();
    });
    clickButton(MainDialogIds::kEditHeroesButton);

    QVERIFY(m_window->tablesModified());
    QCOMPARE(leader->count(), kHeroCount);
    QCOMPARE(leader->currentIndex(), 3);
    QCOMPARE(leader->itemText(3), u"新名字"_s);
    QCOMPARE(leaderStats(), u"英雄三围: 400/77/0"_s);
    QCOMPARE(HeroName(m_tables->heroTable[3]), std::u16string_view(u"新名字"));
    QCOMPARE(m_choices.m_lastHero, 2);
}

void TestEditorsInMainWindow::savedOrderLeavesNoLeader()
{
    m_choices.m_lastHero = 2;
    m_window = makeWindow();
    WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) {
        ClickHeading(*editor.list(), 1); // hero 5 (600) on top
        editor.controls().get<QCheckBox>(EditorDialogIds::kSaveOrderCheck)->setChecked(true);
        editor.accept();
    });
    clickButton(MainDialogIds::kEditHeroesButton);

    QVERIFY(m_window->tablesModified());
    QCOMPARE(m_choices.m_lastHero, -1);
    QCOMPARE(selector(MainDialogIds::kLeaderSelector)->currentIndex(), -1);
    QCOMPARE(leaderStats(), u"<--未选择英雄"_s);
    QCOMPARE(m_tables->heroTable[0].smart, 600);
    QCOMPARE(selector(MainDialogIds::kLeaderSelector)->itemText(0), u"输入会友信息"_s);
    QCOMPARE(selector(MainDialogIds::kLeaderSelector)->itemText(5), u"输入自己的信息"_s);
}

void TestEditorsInMainWindow::cancelledHeroEditorChangesNothing()
{
    m_choices.m_lastHero = 2;
    const HeroTable before = m_tables->heroTable;
    m_window = makeWindow();
    WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) {
        QVERIFY(TypeIntoCell(*editor.list(), 2, 0, u"新名字"_s));
        editor.controls().get<QCheckBox>(EditorDialogIds::kSaveOrderCheck)->setChecked(true);
        editor.reject();
    });
    clickButton(MainDialogIds::kEditHeroesButton);
    QVERIFY(!m_window->tablesModified());
    QCOMPARE(selector(MainDialogIds::kLeaderSelector)->currentIndex(), 2);
    QCOMPARE(leaderStats(), u"英雄三围: 300/0/0"_s);
    QVERIFY(Image(&before, sizeof before) == Image(&m_tables->heroTable, sizeof before));
}

void TestEditorsInMainWindow::editedRosterReachesTheDataFiles()
{
    QTemporaryDir work;
    TemporarySettings settings;
    QVERIFY(work.isValid() && settings.isValid());
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));

    m_app.InitInstance(
        [this](PlanningSession& session, RememberedChoices& choices) {
            WhenDialogShown<CQuorvelDlg>(this, [this](CQuorvelDlg& window) {
                WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) {
                    CEditListCtrl& list = *editor.list();
                    QVERIFY(TypeIntoCell(list, 3, 0, u"甲乙"_s));
                    QVERIFY(TypeIntoCell(list, 3, 1, u"70000"_s));
                    QVERIFY(TypeIntoCell(list, 100, 3, u"12"_s));
                    list.setCheckState(0, Qt::Unchecked);
                    list.setCheckState(100, Qt::Checked);
                    ClickHeading(list, 5);
                    QTest::mouseClick(editor.controls().get<QPushButton>(EditorDialogIds::kOk),
                                      Qt::LeftButton);
                });
                QTest::mouseClick(QuorvelDlgTestAccess::controls(window).get<QPushButton>(
                                      MainDialogIds::kEditHeroesButton),
                                  Qt::LeftButton);
                window.close();
            });
            return CQuorvelDlg::runModal(session, choices);
        },
        StartupPrompts{}); // a failed save is given up

    // The defaults (no data files at the start) with exactly those edits.
    PlanningTables expected;
    FillDefaultVirusTable(expected.virusTable);
    FillDefaultHeroTable(expected.heroTable);
    HeroRecord& renamed = expected.heroTable[3];
    renamed.name[0] = u'甲';
    renamed.name[1] = u'乙';
    renamed.name[2] = u'\0'; // the rest of "输入会友信息" stays behind the terminator
    renamed.smart = 65535;
    expected.heroTable[100].abnormal = 12;
    expected.heroTable[0].checked = 0;
    expected.heroTable[100].checked = 1;

    const QByteArray virusFile = FileBytes(work.filePath(QString::fromLatin1(kVirusFileName)));
    const QByteArray heroFile = FileBytes(work.filePath(QString::fromLatin1(kHeroFileName)));
    QVERIFY(QDir::setCurrent(home));
    QCOMPARE(virusFile, Image(&expected.virusTable, sizeof(VirusTable)));
    QCOMPARE(heroFile, Image(&expected.heroTable, sizeof(HeroTable)));
}

int main(int argc, char* argv[])
{
    CQuorvelApp app(argc, argv);
    TestEditorsInMainWindow test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_editorsmain.moc"
