// "关卡总览": the grid against the engine's overview, opening a cell in the
// main window, following the main window, and a refresh that can be
// cancelled without the window ever waiting on it.

#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "tests/ui/EditorTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "texts/PlanTexts.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/ZoneOverviewModel.h"
#include "ui/main/ZoneOverviewWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;
using namespace MainDialogIds;

namespace {

constexpr int kWaitMs = 60000;

bool SamePlan(const PlanRecord& a, const PlanRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestZoneOverview final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CQuorvelDlg> makeWindow() { return ShownMainWindow(*m_tables, m_choices); }
    // Opens the overview and waits for its first grid.
    static CZoneOverviewWindow* openAndWait(CQuorvelDlg& window)
    {
        CZoneOverviewWindow* overview = QuorvelDlgTestAccess::zoneOverview(window);
        if (overview == nullptr) {
            // The first opening starts a refresh of its own.
            overview = window.OpenZoneOverview();
        } else {
            window.OpenZoneOverview();
        }
        if (!QTest::qWaitForWindowExposed(overview))
            qWarning("the overview was not exposed");
        // The refresh the showing started, if any.
        QDeadlineTimer deadline(kWaitMs);
        while (overview->isComputing() && !deadline.hasExpired())
            QTest::qWait(10);
        return overview;
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
        m_choices.m_lastHero = 0;
        m_choices.m_lastVirus = 0;
        m_choices.m_planOrder = 1;
    }
    void cleanup()
    {
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    // Every one of the 1,344 cells is the engine's, in the strategy
    // selector's order, with its index as the text.
    void cellsAreTheEnginesOverview()
    {
        const auto window = makeWindow();
        QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
        CZoneOverviewWindow* overview = QuorvelDlgTestAccess::zoneOverview(*window);
        QVERIFY(overview != nullptr);
        QCOMPARE(overview->windowTitle(), u"关卡总览"_s);
        QVERIFY(overview->isVisible());
        QSignalSpy ended(overview, &CZoneOverviewWindow::refreshEnded);
        QVERIFY(ended.wait(kWaitMs));

        auto expected = std::make_unique<ZoneOverview>();
        QVERIFY(PlanZoneOverview(*m_tables, PlanRequest{0, 0, {}, {}}, *expected));
        const ZoneOverviewModel* model = overview->model();
        QCOMPARE(model->rowCount(), 64);
        QCOMPARE(model->columnCount(), 21);
        const StrategyList byChance = BuildStrategyList(true);
        int found = 0;
        for (int column = 0; column < 21; ++column) {
            QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                     QString::fromUtf8("%1轮/%2暴")
                         .arg(byChance[column].rounds())
                         .arg(byChance[column].k));
            QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString(),
                     PlanTexts::StrategyEntry(byChance[column]));
            const int generated = GenerationPosition(byChance[column]);
            for (int row = 0; row < 64; ++row) {
                const OverviewCell& cell = (*expected)[row * kStrategyCount + generated];
                const QModelIndex index = model->index(row, column);
                QCOMPARE(index.data(ZoneOverviewModel::kFoundRole).toBool(), cell.found);
                if (!cell.found) {
                    QVERIFY(index.data().toString().isEmpty());
                    continue;
                }
                ++found;
                QVERIFY(SamePlan(model->cellAt(row, column)->plan, cell.plan));
                QCOMPARE(index.data().toString(),
                         ZoneOverviewModel::cellText(static_cast<double>(cell.plan.score) * 100.0));
                QVERIFY(index.data(Qt::ToolTipRole)
                            .toString()
                            .startsWith(PlanTexts::HeroNameText(m_tables->heroTable[0])));
            }
        }
        // The sample guild beats some levels and not others.
        QVERIFY(found > 0);
        QVERIFY(found < kOverviewCells);
        QCOMPARE(model->headerData(41, Qt::Vertical, Qt::DisplayRole).toString(),
                 PlanTexts::VirusEntry(41, m_tables->virusTable[41]));

        // The other strategy order in the main window reorders the columns,
        // the same cells under them.
        const OverviewCell& lastByChance = *model->cellAt(5, 20); // 6 rounds, 0 crits
        QTest::mouseClick(QuorvelDlgTestAccess::controls(*window).get<QCheckBox>(kPlanOrderCheck),
                          Qt::LeftButton);
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"2轮/0暴"_s);
        QCOMPARE(model->headerData(15, Qt::Horizontal, Qt::DisplayRole).toString(), u"6轮/0暴"_s);
        QVERIFY(SamePlan(model->cellAt(5, 15)->plan, lastByChance.plan));
        window->close();
    }

    void cellTextsAreShort_data()
    {
        QTest::addColumn<double>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << u"0"_s;
        QTest::newRow("just short of 100") << 99.4 << u"99"_s;
        QTest::newRow("largest whole") << 9999.0 << u"9999"_s;
        QTest::newRow("first 万") << 10000.0 << u"1.00万"_s;
        QTest::newRow("tens of 万") << 123456.0 << u"12.3万"_s;
        QTest::newRow("hundreds of 万") << 1234567.0 << u"123万"_s;
        QTest::newRow("rounds up into 亿") << 99999999.0 << u"1.00亿"_s;
        QTest::newRow("eleven digits") << 12345678901.0 << u"123亿"_s;
        QTest::newRow("thirteen digits") << 1.5e13 << u"15.0万亿"_s;
    }
    void cellTextsAreShort()
    {
        QFETCH(double, index);
        QFETCH(QString, text);
        QCOMPARE(ZoneOverviewModel::cellText(index), text);
        QVERIFY(text.size() <= 6);
    }

    // On the sample guild the colours spread: no one band paints most of
    // the cells, the index of each cell is exact in its tooltip, and every
    // cell's text fits its column.
    void bandsSpreadOverARealGuild()
    {
        const auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        const QAbstractItemModel* model = overview->grid()->model();
        int bandCount = 0;
        const ZoneOverviewModel::Band* bands = ZoneOverviewModel::bands(bandCount);
        QList<int> perBand(bandCount, 0);
        int shown = 0;
        const QFontMetrics metrics(overview->grid()->font());
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex index = model->index(row, column);
                if (!index.data(ZoneOverviewModel::kFoundRole).toBool())
                    continue;
                ++shown;
                const QColor background = index.data(Qt::BackgroundRole).value<QColor>();
                for (int band = 0; band < bandCount; ++band) {
                    if (bands[band].background == background)
                        ++perBand[band];
                }
                const double exact = index.data(ZoneOverviewModel::kIndexRole).toDouble();
                const QString grouped = QLocale(QLocale::Chinese, QLocale::China)
                                            .toString(std::floor(exact + 0.5), 'f', 0);
                QVERIFY2(index.data(Qt::ToolTipRole).toString().endsWith(grouped),
                         qPrintable(grouped));
                const QString text = index.data().toString();
                QVERIFY2(metrics.horizontalAdvance(text) < overview->grid()->columnWidth(column),
                         qPrintable(text));
            }
        }
        QVERIFY(shown > 0);
        int bandsUsed = 0;
        for (const int count : perBand) {
            QVERIFY2(count * 2 <= shown, qPrintable(u"%1 of %2"_s.arg(count).arg(shown)));
            bandsUsed += count > 0 ? 1 : 0;
        }
        QVERIFY(bandsUsed >= 4);
        window->close();
    }

    void filterKeepsFeasibleCellsOnly()
    {
        const auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        const ZoneOverviewModel* model = overview->model();
        overview->feasibleOnlyCheck()->setChecked(true);
        int hiddenRows = 0;
        for (int row = 0; row < 64; ++row) {
            bool feasible = false;
            for (int column = 0; column < 21; ++column) {
                const QModelIndex index = model->index(row, column);
                const QVariant value = index.data(ZoneOverviewModel::kIndexRole);
                const bool shown = !index.data().toString().isEmpty();
                QCOMPARE(shown, value.isValid() && value.toDouble() >= 100.0);
                feasible = feasible || shown;
            }
            QCOMPARE(overview->grid()->isRowHidden(row), !feasible);
            hiddenRows += feasible ? 0 : 1;
        }
        QVERIFY(hiddenRows > 0);
        overview->feasibleOnlyCheck()->setChecked(false);
        for (int row = 0; row < 64; ++row)
            QVERIFY(!overview->grid()->isRowHidden(row));
    }

    // A double click opens the cell's level and strategy in the main window.
    void doubleClickShowsThePlanInTheMainWindow()
    {
        const auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        const ZoneOverviewModel* model = overview->model();
        int row = -1;
        int column = -1;
        for (int r = 63; r >= 0 && row < 0; --r) {
            for (int c = 20; c >= 0; --c) {
                if (model->cellAt(r, c) != nullptr && model->cellAt(r, c)->found) {
                    row = r;
                    column = c;
                    break;
                }
            }
        }
        QVERIFY(row >= 0);
        QTableView* grid = overview->grid();
        grid->scrollTo(model->index(row, column));
        const QPoint at = grid->visualRect(model->index(row, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);

        QCOMPARE(
            QuorvelDlgTestAccess::controls(*window).get<QComboBox>(kTargetSelector)->currentIndex(),
            row);
        auto* strategies =
            QuorvelDlgTestAccess::controls(*window).get<QComboBox>(kStrategySelector);
        QCOMPARE(strategies->currentIndex(), column);
        QVERIFY(QuorvelDlgTestAccess::shownPlan(*window).has_value());
        QVERIFY(
            SamePlan(*QuorvelDlgTestAccess::shownPlan(*window), model->cellAt(row, column)->plan));
        QCOMPARE(QuorvelDlgTestAccess::controls(*window).get<CPlanListCtrl>(kPlanList)->rowCount(),
                 6);

        // Enter on the current cell does the same.
        const int otherColumn = column == 0 ? 1 : 0;
        grid->setCurrentIndex(model->index(row, otherColumn));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(strategies->currentIndex(), otherColumn);
    }

    // A confirmed editor and a new leader refresh the grid; a hidden
    // overview computes nothing until it is shown again.
    void followsTheMainWindow()
    {
        const auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        int computations = 0;
        overview->setComputation([&computations](const PlanningTables& tables,
                                                 const PlanRequest& request, ZoneOverview& cells,
                                                 const OverviewControl& control) {
            ++computations;
            return PlanZoneOverview(tables, request, cells, control);
        });
        QSignalSpy ended(overview, &CZoneOverviewWindow::refreshEnded);

        // The leader at 1 in 可爱 plans nothing anywhere.
        WhenDialogShown<CHeroesDlg>(this, [](CHeroesDlg& editor) {
            QVERIFY(TypeIntoCell(*editor.list(), 0, 2, u"1"_s));
            editor.accept();
        });
        window->OnEditHeroes();
        QVERIFY(ended.wait(kWaitMs));
        QCOMPARE(computations, 1);
        auto expected = std::make_unique<ZoneOverview>();
        PlanZoneOverview(*m_tables, PlanRequest{0, 0, {}, {}}, *expected);
        for (int cell = 0; cell < kOverviewCells; ++cell) {
            const int row = cell / kStrategyCount;
            for (int column = 0; column < kStrategyCount; ++column) {
                if (GenerationPosition(overview->model()->strategyOfColumn(column)) ==
                    cell % kStrategyCount) {
                    QCOMPARE(overview->model()->cellAt(row, column)->found,
                             (*expected)[cell].found);
                }
            }
        }

        auto* leader = QuorvelDlgTestAccess::controls(*window).get<QComboBox>(kLeaderSelector);
        leader->setCurrentIndex(5);
        emit leader->activated(5);
        QVERIFY(ended.wait(kWaitMs));
        QCOMPARE(computations, 2);
        QVERIFY(overview->statusLabel()->text().contains(
            PlanTexts::HeroNameText(m_tables->heroTable[5])));

        // An exclusion from the plan list (showing a plan itself computes
        // nothing there).
        auto* list = QuorvelDlgTestAccess::controls(*window).get<CPlanListCtrl>(kPlanList);
        for (int virus = 0; virus < kVirusCount && list->rowCount() == 0; ++virus)
            QuorvelDlgTestAccess::showPlanFor(*window, virus,
                                              overview->model()->strategyOfColumn(0));
        QCOMPARE(list->rowCount(), 6);
        QCOMPARE(computations, 2);
        list->selectRow(1);
        window->ExcludeSelectedHeroes();
        QVERIFY(ended.wait(kWaitMs));
        QCOMPARE(computations, 3);

        overview->close();
        leader->setCurrentIndex(6);
        emit leader->activated(6);
        QTest::qWait(50);
        QCOMPARE(computations, 3);
        window->OpenZoneOverview();
        QVERIFY(ended.wait(kWaitMs));
        QCOMPARE(computations, 4);
    }

    // A refresh made slow on purpose: the progress bar and the cancel button
    // show after the delay, the window keeps answering, and cancelling keeps
    // the grid it had.
    void slowRefreshShowsProgressAndCancels()
    {
        const auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        const OverviewCell before = *overview->model()->cellAt(0, 0);
        std::atomic<bool> started{false};
        overview->setComputation([&started](const PlanningTables&, const PlanRequest&,
                                            ZoneOverview& cells, const OverviewControl& control) {
            started = true;
            for (int cell = 0; cell < kOverviewCells; ++cell) {
                if (control.cancel->load())
                    return false;
                cells[cell] = OverviewCell{};
                control.cellsDone->store(cell);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            return true;
        });
        QSignalSpy ended(overview, &CZoneOverviewWindow::refreshEnded);
        overview->refresh();
        QVERIFY(overview->isComputing());
        QVERIFY(!overview->progressBar()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(overview->progressBar()->isVisible(), 5000);
        QVERIFY(overview->cancelButton()->isVisible());
        QVERIFY(started.load());
        QTRY_VERIFY(overview->progressBar()->value() > 0);
        // The main window still answers while the worker runs.
        QTest::mouseClick(QuorvelDlgTestAccess::controls(*window).get<QPushButton>(kSearchButton),
                          Qt::LeftButton);
        QVERIFY(QuorvelDlgTestAccess::shownPlan(*window).has_value() ||
                QuorvelDlgTestAccess::controls(*window).get<QGroupBox>(kPlanGroup)->title() ==
                    u"没有可行的组队方案"_s);

        QTest::mouseClick(overview->cancelButton(), Qt::LeftButton);
        QVERIFY(ended.wait(kWaitMs));
        QVERIFY(!overview->isComputing());
        QVERIFY(!overview->progressBar()->isVisible());
        QVERIFY(!overview->cancelButton()->isVisible());
        QVERIFY(overview->statusLabel()->text().contains(u"取消"_s));
        QCOMPARE(overview->model()->cellAt(0, 0)->found, before.found);
        QVERIFY(SamePlan(overview->model()->cellAt(0, 0)->plan, before.plan));
    }

    // Cells the worker has filled show at once, over the grid before; a
    // cancel puts the grid before back.
    void filledCellsShowWhileTheRestAreComputed()
    {
        const auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        const OverviewCell before = *overview->model()->cellAt(0, 0);
        constexpr float kMarker = 4242.0f;
        overview->setComputation([](const PlanningTables&, const PlanRequest&, ZoneOverview& cells,
                                    const OverviewControl& control) {
            for (int cell = 0; cell < kOverviewCells; ++cell) {
                cells[cell] = OverviewCell{};
                cells[cell].found = true;
                cells[cell].plan.score = kMarker;
                control.cellsReady[cell].store(true, std::memory_order_release);
            }
            while (!control.cancel->load())
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return false;
        });
        QSignalSpy ended(overview, &CZoneOverviewWindow::refreshEnded);
        overview->refresh();
        QVERIFY(overview->isComputing());
        QTRY_COMPARE_WITH_TIMEOUT(overview->model()->cellAt(0, 0)->plan.score, kMarker, 5000);
        QVERIFY(overview->model()->index(0, 0).data().isValid());

        QTRY_VERIFY_WITH_TIMEOUT(overview->cancelButton()->isVisible(), 5000);
        QTest::mouseClick(overview->cancelButton(), Qt::LeftButton);
        QVERIFY(ended.wait(kWaitMs));
        QCOMPARE(overview->model()->cellAt(0, 0)->found, before.found);
        QVERIFY(SamePlan(overview->model()->cellAt(0, 0)->plan, before.plan));
    }

    // The overview opens at the size it was closed at, in a later run too.
    void remembersItsSize()
    {
        {
            const auto window = makeWindow();
            CZoneOverviewWindow* overview = openAndWait(*window);
            overview->resize(713, 457);
            overview->close();
        }
        const auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        QCOMPARE(overview->size(), QSize(713, 457));
    }

    // Closing the main window with a refresh running stops the worker first.
    void closingDuringARefreshStopsTheWorker()
    {
        auto window = makeWindow();
        CZoneOverviewWindow* overview = openAndWait(*window);
        overview->setComputation([](const PlanningTables&, const PlanRequest&, ZoneOverview&,
                                    const OverviewControl& control) {
            while (!control.cancel->load())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return false;
        });
        overview->refresh();
        QVERIFY(overview->isComputing());
        window.reset();
    }
};

QTEST_MAIN(TestZoneOverview)
#include "tst_zoneoverview.moc"
