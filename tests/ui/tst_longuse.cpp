// Long use of one window: a thousand searches with exclusions and a couple of
// hundred editor confirmations must leave no widget behind and, outside the
// sanitizer build (whose quarantine holds freed memory on purpose), no growth
// of the resident memory beyond noise. The sanitizer build checks the same
// run for leaks.

#include "app/CQuorvelApp.h"
#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"

#include <QComboBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QTest>

#include <memory>
#include <unistd.h>

namespace {

constexpr int kRounds = 1000;
constexpr int kEditorEvery = 10; // rounds between two pairs of editor confirmations
constexpr int kWarmUpRounds = 50;
constexpr long kAllowedGrowthKiB = 4096;

long ResidentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

bool UnderAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

} // namespace

class TestLongUse final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RequirePreparedAnswers(); }
    void thousandSearchesLeaveNothingBehind();

private:
    void oneRound(int round);
    void confirmBothEditors();

    std::unique_ptr<PlanningTables> m_tables = std::make_unique<PlanningTables>();
    RememberedChoices m_choices;
    std::unique_ptr<CQuorvelDlg> m_window;
    HeroTable m_roster{};
    int m_searchesWithPlan = 0;
    int m_exclusions = 0;
    int m_editorConfirmations = 0;
};

void TestLongUse::thousandSearchesLeaveNothingBehind()
{
    const QString guild = QStringLiteral(QUORVEL_SAMPLE_GUILD);
    LoadVirusTable(m_tables->virusTable, guild);
    LoadHeroTable(m_tables->heroTable, guild);
    m_roster = m_tables->heroTable;
    m_choices.m_lastHero = 0;

    const int widgetsBefore = static_cast<int>(QApplication::allWidgets().size());
    m_window = std::make_unique<CQuorvelDlg>(*m_tables, m_choices);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const int widgetsOfTheWindow = static_cast<int>(QApplication::allWidgets().size());

    long residentAfterWarmUp = 0;
    for (int round = 0; round < kRounds; ++round) {
        oneRound(round);
        if (QTest::currentTestFailed())
            return;
        if (round + 1 == kWarmUpRounds)
            residentAfterWarmUp = ResidentKiB();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const long residentAtEnd = ResidentKiB();

    qInfo("%d rounds: %d plans shown, %d exclusions, %d editor confirmations; resident memory "
          "%ld KiB after %d rounds, %ld KiB at the end",
          kRounds, m_searchesWithPlan, m_exclusions, m_editorConfirmations, residentAfterWarmUp,
          kWarmUpRounds, residentAtEnd);
    QCOMPARE(static_cast<int>(QApplication::allWidgets().size()), widgetsOfTheWindow);
    QVERIFY(m_searchesWithPlan > kRounds / 2);
    QVERIFY(m_exclusions > kRounds / 2);

    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(static_cast<int>(QApplication::allWidgets().size()), widgetsBefore);
    if (UnderAddressSanitizer() || residentAfterWarmUp < 0)
        QSKIP("resident memory is not comparable here; leaks are checked by the sanitizer");
    QVERIFY2(residentAtEnd - residentAfterWarmUp < kAllowedGrowthKiB,
             qPrintable(QStringLiteral("grew by %1 KiB").arg(residentAtEnd - residentAfterWarmUp)));
}

// One search on a level and strategy that change every round; when it shows
// a plan, two of its heroes are excluded (which searches again) and then
// ticked again in the roster, so that the next round has the whole guild.
void TestLongUse::oneRound(int round)
{
    const DialogControls& controls = QuorvelDlgTestAccess::controls(*m_window);
    controls.get<QComboBox>(MainDialogIds::kTargetSelector)->setCurrentIndex(round % 45);
    controls.get<QComboBox>(MainDialogIds::kStrategySelector)->setCurrentIndex(round % 21);
    m_window->RunTeamSearch();

    auto* plan = controls.get<CPlanListCtrl>(MainDialogIds::kPlanList);
    if (plan->rowCount() == CPlanListCtrl::kRows) {
        ++m_searchesWithPlan;
        plan->clearSelection();
        for (const int row : {1 + round % 5, 5 - round % 3}) {
            plan->selectionModel()->select(plan->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        m_window->ExcludeSelectedHeroes();
        ++m_exclusions;
        m_tables->heroTable = m_roster;
    }
    if (round % kEditorEvery == kEditorEvery - 1)
        confirmBothEditors();
}

void TestLongUse::confirmBothEditors()
{
    WhenDialogShown<CVirusDlg>(this, [](CVirusDlg& editor) { editor.accept(); });
    m_window->OnEditVirus();
    WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) { editor.accept(); });
    m_window->OnEditHeroes();
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    m_editorConfirmations += 2;
}

int main(int argc, char* argv[])
{
    CQuorvelApp app(argc, argv);
    TestLongUse test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_longuse.moc"
