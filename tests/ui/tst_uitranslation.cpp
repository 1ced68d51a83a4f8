// The window layer under a translator: every text it shows is looked up at
// the moment it is shown, in the context the translation catalogue gives it,
// with the number for a text that has plural forms; numbers of many digits
// count in the units of the shown language.

#include "engine/PlanRecord.h"
#include "storage/DataFiles.h"
#include "storage/DiskChangesMerge.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "texts/PlanTexts.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/HeroRosterModel.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/SheetCells.h"
#include "ui/editors/VirusTableModel.h"
#include "ui/main/AlternativesWindow.h"
#include "ui/main/MultiTeamWindow.h"
#include "ui/main/PlanChatText.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/RosterMenu.h"
#include "ui/main/SaveFailurePrompt.h"
#include "ui/main/SharedFolderPrompts.h"
#include "ui/main/ZoneOverviewModel.h"
#include "ui/main/ZoneOverviewWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A catalogue for the test: the texts it is given come back translated (the
// forms of a plural text joined by "|||", singular first); with marking on,
// every other text comes back as "«context»source", or "«context:1»" and
// "«context:n»" for the two forms of a plural text, so a test sees which
// texts were looked up, in which context, and with which number.
class TestTranslator final : public QTranslator
{
public:
    explicit TestTranslator(bool marking) : m_marking(marking) {}

    void add(const char* context, const char* source, const QString& translation)
    {
        m_texts.insert(Key(context, source), translation);
    }

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        if (const auto found = m_texts.constFind(Key(context, source)); found != m_texts.cend()) {
            const QStringList forms = found->split(u"|||"_s);
            return n == 1 || forms.size() == 1 ? forms.first() : forms.last();
        }
        if (!m_marking)
            return {};
        QString mark = QString::fromUtf8(context);
        if (n >= 0)
            mark += n == 1 ? u":1"_s : u":n"_s;
        return u"«"_s + mark + u"»"_s + QString::fromUtf8(source);
    }

private:
    static QString Key(const char* context, const char* source)
    {
        return QString::fromUtf8(context) + u'\x1f' + QString::fromUtf8(source);
    }

    bool m_marking = false;
    QHash<QString, QString> m_texts;
};

// Installs a translator for the life of the object.
class Installed final
{
public:
    explicit Installed(QTranslator& translator) : m_translator(translator)
    {
        QCoreApplication::installTranslator(&m_translator);
    }
    ~Installed() { QCoreApplication::removeTranslator(&m_translator); }
    Q_DISABLE_COPY_MOVE(Installed)

private:
    QTranslator& m_translator;
};

QStringList ActionTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text());
    }
    return texts;
}

bool HasLabel(const QWidget& window, const QString& text)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text() == text)
            return true;
    }
    return false;
}

} // namespace

class TestUiTranslation final : public QObject
{
    Q_OBJECT

private:
    // Level 11, led by hero 0, 3 rounds with 1 crit, in generation order.
    std::unique_ptr<CQuorvelDlg> makeWindow()
    {
        m_choices.m_lastVirus = 10;
        m_choices.m_lastHero = 0;
        m_choices.m_planOrder = 0;
        m_choices.m_lastPlan = 4;
        auto window = std::make_unique<CQuorvelDlg>(*m_tables, m_choices);
        window->show();
        return window;
    }

    std::unique_ptr<PlanningTables> m_tables;
    RememberedChoices m_choices;

private slots:
    void initTestCase()
    {
        RequirePreparedAnswers();
        FileDialog::setAnswersRequired(true);
    }
    void init()
    {
        m_tables = ExampleTables();
        m_choices = RememberedChoices{};
        MessageBox::resetLastShown();
    }
    void cleanup()
    {
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    // Column headings are looked up each time they are asked for, not kept
    // from the first time, before the language was chosen.
    void headingsFollowTheTranslatorInstalledAfterFirstUse()
    {
        const HeroRosterModel heroes(m_tables->heroTable);
        const VirusTableModel viruses(m_tables->virusTable);
        const ZoneOverviewModel zone;
        QCOMPARE(heroes.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), u"总值"_s);
        QCOMPARE(viruses.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"不异常"_s);
        QCOMPARE(zone.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"1轮/0暴"_s);

        TestTranslator marking(true);
        const Installed installed(marking);
        QCOMPARE(heroes.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 u"«HeroRosterModel»名称"_s);
        QCOMPARE(heroes.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(),
                 u"«HeroRosterModel»总值"_s);
        QCOMPARE(viruses.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 u"«VirusTableModel»不异常"_s);
        QCOMPARE(zone.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 u"«ZoneOverviewModel»1轮/0暴"_s);
        const CPlanListCtrl planList;
        QCOMPARE(planList.horizontalHeaderItem(0)->text(), u"«CPlanListCtrl»名称"_s);
        QCOMPARE(planList.horizontalHeaderItem(3)->text(), u"«CPlanListCtrl»不正常"_s);
    }

    // The hero editor's headings show whole in a language that makes them
    // wider than their columns; the window widens by as much, so that the
    // columns still fit it.
    void heroEditorHeadingsShowWhole()
    {
        const CHeroesDlg chinese(m_tables->heroTable);
        TestTranslator english(false);
        english.add("HeroRosterModel", "不正常", u"Abnormal, as the game counts it"_s);
        const Installed installed(english);
        const CHeroesDlg translated(m_tables->heroTable);
        const QHeaderView* header = translated.list()->horizontalHeader();
        const QHeaderView* usual = chinese.list()->horizontalHeader();
        int widened = 0;
        for (int column = 0; column < HeroRosterModel::kColumnCount; ++column) {
            QVERIFY(header->sectionSize(column) >= header->sectionSizeHint(column));
            widened += header->sectionSize(column) - usual->sectionSize(column);
        }
        QVERIFY(header->sectionSize(HeroRosterModel::kAbnormal) >
                usual->sectionSize(HeroRosterModel::kAbnormal));
        QCOMPARE(widened, header->sectionSize(HeroRosterModel::kAbnormal) -
                              usual->sectionSize(HeroRosterModel::kAbnormal));
        QCOMPARE(translated.openingSize(), chinese.openingSize() + QSize(widened, 0));
    }

    // The menus the main window builds: every title and item, each in the
    // context of the class that builds it.
    void menusAreLookedUpInTheirClasses()
    {
        TestTranslator marking(true);
        const Installed installed(marking);
        const auto window = makeWindow();
        const QList<QAction*> bar = QuorvelDlgTestAccess::menuBar(*window)->actions();
        QCOMPARE(bar.size(), 3);
        QCOMPARE(bar[0]->text(), u"«CQuorvelDlg»方案(&P)"_s);
        QCOMPARE(bar[1]->text(), u"«RosterMenu»花名册(&R)"_s);
        QCOMPARE(bar[2]->text(), u"«CQuorvelDlg»帮助(&H)"_s);
        const QStringList plan = ActionTexts(bar[0]->menu());
        QCOMPARE(plan.size(), 7);
        for (const QString& text : plan)
            QVERIFY2(text.startsWith(u"«CQuorvelDlg»"_s), qPrintable(text));
        QVERIFY(plan.contains(u"«CQuorvelDlg»排除英雄重新组队(&E)…"_s));
        QCOMPARE(ActionTexts(bar[1]->menu()),
                 (QStringList{u"«RosterMenu»导入英雄(&I)…"_s, u"«RosterMenu»导出英雄(&E)…"_s,
                              u"«RosterMenu»导入病毒(&V)…"_s, u"«RosterMenu»导出病毒(&X)…"_s}));
        QCOMPARE(ActionTexts(bar[2]->menu()), (QStringList{u"«LanguageMenu»语言 / &Language"_s,
                                                           u"«CQuorvelDlg»关于 Quorvel(&A)"_s}));
        window->close();
    }

    // The raid windows: titles, buttons, legends, and the request lines put
    // together from a translated frame and the names and entries in it.
    void raidWindowsAreLookedUpInTheirClasses()
    {
        TestTranslator marking(true);
        const Installed installed(marking);
        const auto window = makeWindow();
        window->RunTeamSearch();
        const QString leader = PlanTexts::HeroNameText(m_tables->heroTable[0]);
        const std::optional<Strategy> strategy = QuorvelDlgTestAccess::currentStrategy(*window);
        QVERIFY(strategy.has_value());

        CZoneOverviewWindow* zone = window->OpenZoneOverview();
        QCOMPARE(zone->windowTitle(), u"«CZoneOverviewWindow»关卡总览"_s);
        QCOMPARE(zone->cancelButton()->text(), u"«CZoneOverviewWindow»取消"_s);
        QVERIFY(HasLabel(*zone, u"«CZoneOverviewWindow»可行性指数:"_s));
        QVERIFY(HasLabel(*zone, u"«ZoneOverviewModel»1000–100万"_s));
        QVERIFY(HasLabel(*zone, u"«ZoneOverviewModel»≥ 10亿"_s));
        QVERIFY(HasLabel(*zone, u"«CZoneOverviewWindow»无可行方案"_s));
        QVERIFY(QTest::qWaitFor([zone] { return !zone->isComputing(); }, 20000));
        QCOMPARE(zone->statusLabel()->text(), u"«CZoneOverviewWindow»带队英雄: %1"_s.arg(leader));

        CAlternativesWindow* alternatives = window->OpenAlternatives();
        QCOMPARE(alternatives->windowTitle(), u"«CAlternativesWindow»备选方案"_s);
        QCOMPARE(alternatives->countBox()->suffix(), u"«CAlternativesWindow» 个方案"_s);
        QVERIFY(QTest::qWaitFor([alternatives] { return !alternatives->isComputing(); }, 20000));
        QCOMPARE(alternatives->requestLabel()->text(),
                 PlanTexts::VirusEntry(10, m_tables->virusTable[10]) + u'\n' +
                     u"«CAlternativesWindow»带队英雄: "_s + leader + u"　"_s +
                     PlanTexts::StrategyEntry(*strategy));

        CMultiTeamWindow* multi = window->OpenMultiTeam();
        QCOMPARE(multi->windowTitle(), u"«CMultiTeamWindow»多队规划"_s);
        QCOMPARE(multi->copyButton()->text(), u"«CMultiTeamWindow»复制全部"_s);
        QVERIFY(QTest::qWaitFor([multi] { return !multi->isComputing(); }, 20000));
        QCOMPARE(multi->teamCount(), 1);
        const QStringList lines = multi->teamsText().split(u'\n');
        QCOMPARE(lines.value(2),
                 u"«CMultiTeamWindow»第1队: "_s +
                     PlanTexts::TeamNames(m_tables->heroTable, multi->team(0).plan) + u"　"_s +
                     PlanTexts::FeasibilityLine(multi->team(0).plan));
        window->close();
    }

    void cellsCountInTheUnitsOfTheShownLanguage_data()
    {
        QTest::addColumn<QString>("units"); // the translation; empty: none
        QTest::addColumn<double>("index");
        QTest::addColumn<QString>("text");
        const QString thousands = u"K,M,B,T"_s;
        QTest::newRow("thousands: largest whole") << thousands << 999.0 << u"999"_s;
        QTest::newRow("thousands: rounds up into K") << thousands << 999.6 << u"1.00K"_s;
        QTest::newRow("thousands: first K") << thousands << 1000.0 << u"1.00K"_s;
        QTest::newRow("thousands: tens of K") << thousands << 12345.0 << u"12.3K"_s;
        QTest::newRow("thousands: rounds up into M") << thousands << 999999.0 << u"1.00M"_s;
        QTest::newRow("thousands: hundreds of B") << thousands << 123456789012.0 << u"123B"_s;
        QTest::newRow("thousands: past the last unit") << thousands << 2e15 << u"2000T"_s;
        QTest::newRow("no translation: myriads") << QString() << 123456.0 << u"12.3万"_s;
        QTest::newRow("two units name no system: myriads") << u"K,M"_s << 123456.0 << u"12.3万"_s;
    }
    void cellsCountInTheUnitsOfTheShownLanguage()
    {
        QFETCH(QString, units);
        QFETCH(double, index);
        QFETCH(QString, text);
        TestTranslator english(false);
        if (!units.isEmpty())
            english.add("ZoneOverviewModel", "万,亿,万亿", units);
        const Installed installed(english);
        QCOMPARE(ZoneOverviewModel::cellText(index), text);
    }

    // A text with plural forms is looked up with its number, and shows it.
    void pluralTextsAreLookedUpWithTheirNumber()
    {
        TestTranslator english(true);
        english.add("SheetCells", "粘贴的内容超出了表格的边界，超出的 %n 个单元格没有粘贴。",
                    u"%n cell was cut.|||%n cells were cut."_s);
        const Installed installed(english);
        QCOMPARE(SheetCells::CutNote(1), u"1 cell was cut."_s);
        QCOMPARE(SheetCells::CutNote(7), u"7 cells were cut."_s);
    }

    // An export suggests a translated file name and says in one translated
    // text how many records went where.
    void exportSpeaksTheShownLanguage()
    {
        TestTranslator marking(true);
        const Installed installed(marking);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const auto window = makeWindow();
        const QString path = folder.filePath(u"out.csv"_s);
        FileDialog::setNextAnswer(path);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        QuorvelDlgTestAccess::rosterMenu(*window)->ExportViruses();
        QVERIFY(FileDialog::lastStart().value_or(QString()).endsWith(u"/«RosterMenu»病毒.csv"_s));
        const std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
        QVERIFY(shown.has_value());
        QCOMPARE(shown->caption, u"«RosterMenu»导出病毒"_s);
        QCOMPARE(shown->text, u"«RosterMenu:n»已把 64 个病毒导出到：\n"_s +
                                  QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
        window->close();
    }

    // The plan copied for the chat: every line of its own, translated.
    void chatTextIsTranslatedLineByLine()
    {
        TestTranslator marking(true);
        const Installed installed(marking);
        PlanRecord plan{};
        for (int row = 0; row < 6; ++row)
            plan.heroes[row] = static_cast<std::uint32_t>(row);
        const QStringList lines =
            PlanChatText(m_tables->heroTable, 10, m_tables->virusTable[10], Strategy{2, 1}, plan)
                .split(u'\n');
        QCOMPARE(lines.value(2), u"«PlanChatText»队伍(聪明/可爱/不正常):"_s);
        QCOMPARE(lines.value(3), u"«PlanChatText»1. 雪叶　1200/900/300 (带队)"_s);
        QCOMPARE(lines.value(4), u"«PlanChatText»2. 青岚　1000/800/200"_s);
        QCOMPARE(lines.value(9), u"«PlanChatText»英雄属性总值: "_s + PlanTexts::StatTotals(plan));
        QCOMPARE(lines.value(12),
                 u"«PlanChatText»病毒暴击伤害值: "_s + PlanTexts::CritDamage(plan));
    }

    // The questions about data files: each part in its place, whatever the
    // language puts around it.
    void dataFileQuestionsKeepTheirPartsInPlace()
    {
        TestTranslator marking(true);
        const Installed installed(marking);
        const QString file =
            QDir::toNativeSeparators(QDir::current().absoluteFilePath(u"Heroes.dat"_s));
        MessageBox::setNextAnswer(QMessageBox::Retry);
        AskAfterSaveFailure({SaveFailure{file, u"磁盘已满"_s, 0}});
        std::optional<MessageBox::Shown> shown = MessageBox::lastShown();
        QVERIFY(shown.has_value());
        QVERIFY2(shown->text.startsWith(u"«SaveFailurePrompt»无法保存以下数据文件"_s),
                 qPrintable(shown->text));
        QVERIFY2(shown->text.contains(u"\n«SaveFailurePrompt»"_s + file + u"\n原因："_s),
                 qPrintable(shown->text));
        QCOMPARE(shown->labels.value(QMessageBox::Save), u"«SaveFailurePrompt»另存到其他文件夹…"_s);

        // Twelve records in conflict: ten shown, the rest counted, and the
        // file, the pairs and the second file each where the text says.
        RecordConflict conflict;
        conflict.filePath = file;
        conflict.heroes = true;
        for (int record = 0; record < 12; ++record)
            conflict.records.append(record);
        conflict.mine = QByteArray(reinterpret_cast<const char*>(m_tables->heroTable.data()),
                                   sizeof m_tables->heroTable);
        conflict.theirs = conflict.mine;
        conflict.keepBothPath = QDir::current().absoluteFilePath(u"Heroes.mine.dat"_s);
        MessageBox::setNextAnswer(QMessageBox::Save);
        QCOMPARE(AskAboutConflict(conflict), ConflictChoice::KeepBoth);
        shown = MessageBox::lastShown();
        QVERIFY(shown.has_value());
        const QString& text = shown->text;
        QVERIFY2(
            text.startsWith(u"«SharedFolderPrompts:n»本次运行期间，另一个程序修改了数据文件\n"_s +
                            file + u"\n"_s),
            qPrintable(text));
        QVERIFY2(text.contains(u"以下 12 条记录"_s), qPrintable(text));
        QVERIFY2(text.contains(u"«SharedFolderPrompts:n»……还有 2 条。"_s), qPrintable(text));
        QVERIFY2(text.contains(u"另存到\n"_s + QDir::toNativeSeparators(conflict.keepBothPath) +
                               u"\n"_s),
                 qPrintable(text));
        QCOMPARE(text.count(u"«SharedFolderPrompts»本次："_s), 10);
    }
};

QTEST_MAIN(TestUiTranslation)
#include "tst_uitranslation.moc"
