// "备选方案" and "多队规划" against the engine's answers on the sample guild.

#include "engine/DisjointTeams.h"
#include "engine/TopTeams.h"
#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "texts/PlanTexts.h"
#include "ui/main/AlternativesWindow.h"
#include "ui/main/MultiTeamWindow.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <QProgressBar>
#include <QSignalSpy>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;
using namespace MainDialogIds;

namespace {

bool SamePlan(const PlanRecord& a, const PlanRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Level 36 under 3 rounds with 1 crit, led by hero 0: a level the sample
// guild beats with many teams.
constexpr int kVirus = 35;
constexpr int kRounds = 3;
constexpr int kCrits = 1;

// The alternatives are searched on a worker: waits until the list is shown.
bool TeamsShown(const CAlternativesWindow* alternatives)
{
    return QTest::qWaitFor([alternatives] { return !alternatives->isComputing(); }, 20000);
}

bool TeamsShown(const CMultiTeamWindow* multi)
{
    return QTest::qWaitFor([multi] { return !multi->isComputing(); }, 20000);
}

// A search made slow on purpose: it waits, without scoring anything, until
// the test lets it go (or, when it heeds the flag, until it is cancelled),
// then answers as the engine does. It records every request it was given.
struct HeldSearch
{
    std::atomic<bool> hold{true};
    bool heedCancel = true;
    std::atomic<int> started{0};
    std::atomic<int> sawCancel{0};
    std::mutex mutex;
    std::vector<int> wantedSeen;

    CAlternativesWindow::Computation computation()
    {
        return [this](const PlanningTables& tables, const PlanRequest& request, int wanted,
                      PlanRecord* plans, const std::atomic<bool>* cancel) {
            {
                const std::lock_guard<std::mutex> lock(mutex);
                wantedSeen.push_back(wanted);
            }
            ++started;
            while (hold.load()) {
                if (cancel->load()) {
                    ++sawCancel;
                    if (heedCancel)
                        return 0;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return FindTopTeams(tables, request, wanted, plans);
        };
    }
    std::vector<int> requests()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return wantedSeen;
    }
};

} // namespace

class TestRaidWindows final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CQuorvelDlg> makeWindow() { return ShownMainWindow(*m_tables, m_choices); }
    static QString cellText(const QTableView* list, int row, int column)
    {
        return list->model()->index(row, column).data().toString();
    }

    TemporarySettings m_settings;
    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;

private slots:
    void initTestCase() { RequirePreparedAnswers(); }
    void init()
    {
        m_tables = TablesIn(QUORVEL_SAMPLE_GUILD);
        m_choices = RememberedChoices{};
        m_choices.m_lastVirus = kVirus;
        m_choices.m_lastHero = 0;
        m_choices.m_planOrder = 0;
        m_choices.m_lastPlan = (kRounds - 1) * kRounds / 2 + kCrits;
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    void alternativesAreTheEnginesTopTeams()
    {
        const auto window = makeWindow();
        QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
        CAlternativesWindow* alternatives = QuorvelDlgTestAccess::alternatives(*window);
        QVERIFY(alternatives != nullptr);
        QVERIFY(TeamsShown(alternatives));
        QCOMPARE(alternatives->windowTitle(), u"备选方案"_s);
        QCOMPARE(alternatives->countBox()->value(), 10);

        PlanRecord expected[kMaxTopTeams];
        const int count = FindTopTeams(
            *m_tables, PlanRequest{kVirus, 0, Strategy{kRounds - 1, kCrits}, {}}, 10, expected);
        QCOMPARE(count, 10);
        QCOMPARE(alternatives->teamCount(), count);
        for (int rank = 0; rank < count; ++rank) {
            QVERIFY(SamePlan(alternatives->team(rank), expected[rank]));
            QCOMPARE(cellText(alternatives->teamList(), rank, 0), QString::number(rank + 1));
            QCOMPARE(cellText(alternatives->teamList(), rank, 3),
                     PlanTexts::FeasibilityIndex(expected[rank]));
            QVERIFY(cellText(alternatives->teamList(), rank, 1)
                        .startsWith(PlanTexts::HeroNameText(m_tables->heroTable[0])));
        }

        // More teams asked for.
        alternatives->countBox()->setValue(25);
        QVERIFY(TeamsShown(alternatives));
        QCOMPARE(alternatives->teamCount(),
                 FindTopTeams(*m_tables, PlanRequest{kVirus, 0, Strategy{kRounds - 1, kCrits}, {}},
                              25, expected));
        QCOMPARE(alternatives->teamList()->model()->rowCount(), alternatives->teamCount());
    }

    // Absent heroes are left out of the alternatives and kept checked in
    // the roster.
    void absentHeroesLeaveTheAlternativesOnly()
    {
        const auto window = makeWindow();
        CAlternativesWindow* alternatives = window->OpenAlternatives();
        QVERIFY(TeamsShown(alternatives));
        const PlanRecord best = alternatives->team(0);
        HeroSet absent;
        absent.insert(static_cast<int>(best.heroes[1]));
        absent.insert(static_cast<int>(best.heroes[2]));
        alternatives->setAbsent(static_cast<int>(best.heroes[1]), true);
        alternatives->setAbsent(static_cast<int>(best.heroes[2]), true);
        QVERIFY(alternatives->absentHeroes() == absent);
        QVERIFY(TeamsShown(alternatives));

        PlanRecord expected[kMaxTopTeams];
        const int count = FindTopTeams(
            *m_tables, PlanRequest{kVirus, 0, Strategy{kRounds - 1, kCrits}, absent}, 10, expected);
        QCOMPARE(alternatives->teamCount(), count);
        for (int rank = 0; rank < count; ++rank) {
            QVERIFY(SamePlan(alternatives->team(rank), expected[rank]));
            for (const std::uint32_t hero : alternatives->team(rank).heroes)
                QVERIFY(!absent.contains(static_cast<int>(hero)));
        }
        QCOMPARE(m_tables->heroTable[best.heroes[1]].checked, std::uint16_t{1});
        QCOMPARE(m_tables->heroTable[best.heroes[2]].checked, std::uint16_t{1});
        QVERIFY(!window->tablesModified());

        // The leader cannot be ticked absent.
        alternatives->setAbsent(0, true);
        QVERIFY(!alternatives->absentHeroes().contains(0));
    }

    void selectingATeamShowsItInTheMainWindow()
    {
        const auto window = makeWindow();
        CAlternativesWindow* alternatives = window->OpenAlternatives();
        QVERIFY(TeamsShown(alternatives));
        QVERIFY2(alternatives->teamCount() >= 3,
                 qPrintable(QString::number(alternatives->teamCount())));
        alternatives->teamList()->selectRow(2);
        QVERIFY(QuorvelDlgTestAccess::shownPlan(*window).has_value());
        QVERIFY(SamePlan(*QuorvelDlgTestAccess::shownPlan(*window), alternatives->team(2)));
        QCOMPARE(QuorvelDlgTestAccess::controls(*window).get<QGroupBox>(kPlanGroup)->title(),
                 u"组队方案 (备选第3名)"_s);
        auto* list = QuorvelDlgTestAccess::controls(*window).get<CPlanListCtrl>(kPlanList);
        QCOMPARE(list->rowCount(), 6);
        for (int row = 0; row < 6; ++row)
            QCOMPARE(list->heroAt(row), static_cast<int>(alternatives->team(2).heroes[row]));

        // Another strategy in the main window: the list follows it.
        auto* strategies =
            QuorvelDlgTestAccess::controls(*window).get<QComboBox>(kStrategySelector);
        strategies->setCurrentIndex(0);
        emit strategies->activated(0);
        QVERIFY(TeamsShown(alternatives));
        PlanRecord expected[kMaxTopTeams];
        QCOMPARE(alternatives->teamCount(),
                 FindTopTeams(*m_tables, PlanRequest{kVirus, 0, Strategy{0, 0}, {}}, 10, expected));
        if (alternatives->teamCount() > 0)
            QVERIFY(SamePlan(alternatives->team(0), expected[0]));
    }

    // A slow search shows the busy bar and 取消 only after a moment; cancel
    // keeps the previous list, greyed, and the next request is planned.
    void cancelDuringASlowSearchKeepsThePreviousList()
    {
        const auto window = makeWindow();
        CAlternativesWindow* alternatives = window->OpenAlternatives();
        QVERIFY(TeamsShown(alternatives));
        QCOMPARE(alternatives->teamCount(), 10);
        PlanRecord previous[10];
        for (int rank = 0; rank < 10; ++rank)
            previous[rank] = alternatives->team(rank);

        HeldSearch held;
        alternatives->setComputation(held.computation());
        alternatives->countBox()->setValue(12);
        QVERIFY(alternatives->isComputing());
        QVERIFY(!alternatives->progressBar()->isVisible());
        QVERIFY(!alternatives->cancelButton()->isVisible());
        QVERIFY(!alternatives->teamList()->isEnabled());
        QCOMPARE(alternatives->statusLabel()->text(), u"正在计算…"_s);
        QTRY_VERIFY(alternatives->cancelButton()->isVisible());
        QVERIFY(alternatives->progressBar()->isVisible());
        QVERIFY(alternatives->isComputing());

        QTest::mouseClick(alternatives->cancelButton(), Qt::LeftButton);
        QVERIFY(TeamsShown(alternatives));
        QVERIFY(held.sawCancel > 0);
        QVERIFY(!alternatives->cancelButton()->isVisible());
        QVERIFY(!alternatives->progressBar()->isVisible());
        QVERIFY(alternatives->statusLabel()->text().contains(u"取消"_s));
        QVERIFY(!alternatives->teamList()->isEnabled());
        QCOMPARE(alternatives->teamCount(), 10);
        QCOMPARE(alternatives->teamList()->model()->rowCount(), 10);
        for (int rank = 0; rank < 10; ++rank)
            QVERIFY(SamePlan(alternatives->team(rank), previous[rank]));

        // The next request runs to its end and is shown.
        held.hold = false;
        alternatives->countBox()->setValue(13);
        QVERIFY(TeamsShown(alternatives));
        PlanRecord expected[kMaxTopTeams];
        const int count = FindTopTeams(
            *m_tables, PlanRequest{kVirus, 0, Strategy{kRounds - 1, kCrits}, {}}, 13, expected);
        QCOMPARE(alternatives->teamCount(), count);
        for (int rank = 0; rank < count; ++rank)
            QVERIFY(SamePlan(alternatives->team(rank), expected[rank]));
        QVERIFY(alternatives->teamList()->isEnabled());
        QVERIFY(alternatives->statusLabel()->text().isEmpty());
    }

    // The request changes twice while a search runs that ignores the cancel
    // flag: its list is dropped, and the newest request's list is shown.
    void aRequestChangedDuringASearchEndsWithTheNewerAnswer()
    {
        const auto window = makeWindow();
        CAlternativesWindow* alternatives = window->OpenAlternatives();
        QVERIFY(TeamsShown(alternatives));
        const int absentHero = static_cast<int>(alternatives->team(0).heroes[1]);

        HeldSearch held;
        held.heedCancel = false;
        alternatives->setComputation(held.computation());
        QSignalSpy planned(alternatives, &CAlternativesWindow::teamsPlanned);
        alternatives->countBox()->setValue(12);
        QTRY_COMPARE(held.started.load(), 1);
        alternatives->setAbsent(absentHero, true);
        alternatives->countBox()->setValue(20);
        QTRY_VERIFY(held.sawCancel > 0);
        held.hold = false;
        QVERIFY(TeamsShown(alternatives));

        HeroSet absent;
        absent.insert(absentHero);
        PlanRecord expected[kMaxTopTeams];
        const int count = FindTopTeams(
            *m_tables, PlanRequest{kVirus, 0, Strategy{kRounds - 1, kCrits}, absent}, 20, expected);
        QCOMPARE(count, 20);
        QCOMPARE(alternatives->teamCount(), count);
        QCOMPARE(alternatives->teamList()->model()->rowCount(), count);
        for (int rank = 0; rank < count; ++rank)
            QVERIFY(SamePlan(alternatives->team(rank), expected[rank]));
        QCOMPARE(held.requests(), (std::vector<int>{12, 20}));
        QCOMPARE(planned.count(), 1);
    }

    // Closing the window stops its search and plans afresh when it opens
    // again; destroying the main window during a search waits for it.
    void closingDuringASearchIsSafe()
    {
        auto window = makeWindow();
        CAlternativesWindow* alternatives = window->OpenAlternatives();
        QVERIFY(TeamsShown(alternatives));
        HeldSearch held;
        alternatives->setComputation(held.computation());
        alternatives->countBox()->setValue(12);
        QTRY_COMPARE(held.started.load(), 1);
        alternatives->close();
        QVERIFY(TeamsShown(alternatives));
        QCOMPARE(held.sawCancel.load(), 1);

        held.hold = false;
        QCOMPARE(window->OpenAlternatives(), alternatives);
        QVERIFY(TeamsShown(alternatives));
        QCOMPARE(held.started.load(), 2);
        PlanRecord expected[kMaxTopTeams];
        QCOMPARE(alternatives->teamCount(),
                 FindTopTeams(*m_tables, PlanRequest{kVirus, 0, Strategy{kRounds - 1, kCrits}, {}},
                              12, expected));
        QVERIFY(SamePlan(alternatives->team(0), expected[0]));

        held.hold = true;
        alternatives->countBox()->setValue(15);
        QTRY_COMPARE(held.started.load(), 3);
        window.reset();
        QCOMPARE(held.sawCancel.load(), 2);
    }

    // The multi-team window plans in the background, once per change of the
    // main window (whose request and tables signals come together), and a
    // cancelled plan keeps the teams shown before.
    void disjointTeamsArePlannedInTheBackgroundOncePerChange()
    {
        const auto window = makeWindow();
        window->RunTeamSearch();
        CMultiTeamWindow* multi = window->OpenMultiTeam();
        QVERIFY(multi->isComputing()); // not planned inside the opening
        QVERIFY(TeamsShown(multi));
        QCOMPARE(multi->teamCount(), 1);
        QVERIFY(multi->teamList()->isEnabled());
        const int plansBefore = multi->plansStarted();

        // An exclusion changes the tables and plans the main window again.
        QuorvelDlgTestAccess::controls(*window)
            .get<CPlanListCtrl>(MainDialogIds::kPlanList)
            ->selectRow(3);
        window->ExcludeSelectedHeroes();
        QVERIFY(TeamsShown(multi));
        QCOMPARE(multi->plansStarted(), plansBefore + 1);
        // Two announcements in a row (a new request, then new tables) reach
        // the window as one burst: one plan.
        PlanningSession& session = QuorvelDlgTestAccess::session(*window);
        session.announce(PlanningSession::Change::Target);
        session.announce(PlanningSession::kTables);
        QVERIFY(TeamsShown(multi));
        QCOMPARE(multi->plansStarted(), plansBefore + 2);

        // Cancelled: the earlier teams stay, and the window says so.
        const DisjointTeam before = multi->team(0);
        multi->setLeader(1, 9);
        QVERIFY(multi->isComputing());
        multi->Cancel();
        QVERIFY(TeamsShown(multi));
        QCOMPARE(multi->teamCount(), 1);
        QVERIFY(SamePlan(multi->team(0).plan, before.plan));
        QVERIFY(multi->statusLabel()->text().startsWith(u"计算已取消"_s));
        QVERIFY(!multi->teamList()->isEnabled()); // greyed: the earlier answer
        // The next change plans again and shows its answer.
        multi->setLeader(2, 11);
        QVERIFY(TeamsShown(multi));
        QCOMPARE(multi->teamCount(), 3);
        QVERIFY(multi->teamList()->isEnabled());
        QVERIFY(multi->statusLabel()->text().isEmpty());
    }

    void disjointTeamsAreTheEngines()
    {
        const auto window = makeWindow();
        QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
        CMultiTeamWindow* multi = QuorvelDlgTestAccess::multiTeam(*window);
        QVERIFY(multi != nullptr);
        QCOMPARE(multi->windowTitle(), u"多队规划"_s);
        QVERIFY(TeamsShown(multi));
        QCOMPARE(multi->teamCount(), 1);
        const int plansBefore = multi->plansStarted();

        multi->setLeader(1, 7);
        multi->setLeader(2, 12);
        multi->setLeader(3, 7); // chosen twice, leads once
        QVERIFY(TeamsShown(multi));
        // Three choices in a row are one change: planned once, not thrice.
        QCOMPARE(multi->plansStarted(), plansBefore + 1);
        int leaders[kMaxDisjointLeaders];
        QCOMPARE(multi->leaders(leaders), 3);
        QCOMPARE(leaders[0], 0);
        QCOMPARE(leaders[1], 7);
        QCOMPARE(leaders[2], 12);

        DisjointTeam expected[kMaxDisjointLeaders];
        PlanDisjointTeams(*m_tables, PlanRequest{kVirus, 0, Strategy{kRounds - 1, kCrits}, {}},
                          leaders, 3, expected);
        QCOMPARE(multi->teamCount(), 3);
        HeroSet used;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(multi->team(i).found, expected[i].found);
            if (!expected[i].found)
                continue;
            QVERIFY(SamePlan(multi->team(i).plan, expected[i].plan));
            for (const std::uint32_t hero : multi->team(i).plan.heroes) {
                QVERIFY(!used.contains(static_cast<int>(hero)));
                used.insert(static_cast<int>(hero));
            }
        }

        // One click copies them all.
        QTest::mouseClick(multi->copyButton(), Qt::LeftButton);
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines.value(0), PlanTexts::VirusEntry(kVirus, m_tables->virusTable[kVirus]));
        for (int i = 0; i < 3; ++i) {
            const QString line = lines.value(2 + i);
            QVERIFY2(line.startsWith(QString::fromUtf8("第%1队: ").arg(i + 1)), qPrintable(line));
            if (expected[i].found) {
                QVERIFY(line.endsWith(PlanTexts::FeasibilityIndex(expected[i].plan)));
                QVERIFY(line.contains(
                    PlanTexts::HeroNameText(m_tables->heroTable[expected[i].plan.heroes[5]])));
            } else {
                QVERIFY(line.endsWith(PlanTexts::NoPlanCaption()));
            }
        }
    }
};

QTEST_MAIN(TestRaidWindows)
#include "tst_raidwindows.moc"
