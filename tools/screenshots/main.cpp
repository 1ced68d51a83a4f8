// Renders the planner's windows to PNG files for the documentation, on
// whatever platform runs it (scripts/screenshots.sh uses the offscreen one).
// Usage: quorvel-screenshots DATA_FOLDER OUTPUT_FOLDER [en]
// (en: in English; otherwise in Chinese)
// DATA_FOLDER holds Virus.dat and Heroes.dat (missing files give the
// defaults); each picture has a function of its own below.

#include "engine/Strategies.h"
#include "storage/DataFiles.h"
#include "texts/Language.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/QtTranslations.h"
#include "ui/editors/EditListCtrl.h"
#include "ui/editors/HeroesDlg.h"
#include "ui/editors/SelectDlg.h"
#include "ui/editors/VirusDlg.h"
#include "ui/main/AdviceWindow.h"
#include "ui/main/AlternativesWindow.h"
#include "ui/main/MultiTeamWindow.h"
#include "ui/main/PlanListCtrl.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/TeamCheckWindow.h"
#include "ui/main/ZoneOverviewModel.h"
#include "ui/main/ZoneOverviewWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The picture of a widget as it is shown, for a file in `folder`.
bool Save(QWidget& widget, const QDir& folder, const QString& fileName, QTextStream& err)
{
    widget.show();
    QApplication::processEvents();
    const QString path = folder.filePath(fileName);
    if (!widget.grab().save(path)) {
        err << "cannot write " << path << '\n';
        return false;
    }
    return true;
}

// The choices of the pictures with a plan: the given level, led by hero 0,
// won in 3 rounds while withstanding one critical hit, with the strategies
// ordered by win chance.
RememberedChoices LeaderZeroThreeRoundsOneCrit(int virusIndex)
{
    RememberedChoices choices;
    choices.m_lastVirus = virusIndex;
    choices.m_lastHero = 0;
    choices.m_planOrder = 1;
    const StrategyList strategies = BuildStrategyList(true);
    for (int position = 0; position < kStrategyCount; ++position) {
        if (strategies[position].rounds() == 3 && strategies[position].k == 1)
            choices.m_lastPlan = position;
    }
    return choices;
}

// The main window with a plan: level 42, led by hero 0, won in 3 rounds while
// withstanding one critical hit, with the strategies ordered by win chance. A
// level the sample guild only just beats, so the index reads as a user's
// everyday one (below 100) rather than the huge one of an easy level.
bool MainWindowWithPlan(PlanningTables tables, const QDir& out, QTextStream& err)
{
    RememberedChoices choices = LeaderZeroThreeRoundsOneCrit(41);
    CQuorvelDlg window(tables, choices);
    window.RunTeamSearch();
    // One member row selected, as before the exclusion command is chosen.
    auto* list = window.findChild<CPlanListCtrl*>();
    if (list->rowCount() > 2)
        list->selectRow(2);
    return Save(window, out, u"main-window.png"_s, err);
}

// The main window of a guild at the stats' ceiling: every hero at 65535, so
// five-digit stats, six-digit totals and an index of a dozen digits, all whole.
bool MainWindowFiveDigits(PlanningTables tables, const QDir& out, QTextStream& err)
{
    for (int i = 0; i < kHeroCount; ++i) {
        HeroRecord& hero = tables.heroTable[i];
        hero.checked = 1;
        hero.smart = hero.cute = hero.abnormal = 65535;
    }
    RememberedChoices choices;
    choices.m_lastVirus = 0;
    choices.m_lastHero = 0;
    choices.m_planOrder = 1;
    CQuorvelDlg window(tables, choices);
    window.RunTeamSearch();
    return Save(window, out, u"main-window-five-digits.png"_s, err);
}

// The main window as a new user first sees it: nothing chosen, nothing searched.
bool MainWindowAtStart(PlanningTables tables, const QDir& out, QTextStream& err)
{
    RememberedChoices choices;
    CQuorvelDlg window(tables, choices);
    return Save(window, out, u"main-window-start.png"_s, err);
}

// The raid windows answer on worker threads: waits, events flowing, until
// `window` shows its answer (or two minutes have passed).
template <typename Window> void WaitForAnswer(const Window& window)
{
    QElapsedTimer wait;
    wait.start();
    while (window.isComputing() && wait.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The raid-planning windows on the sample guild, for the leader and level
// of the main picture: the zone overview, the alternatives with one member
// ticked absent, and three disjoint teams.
bool RaidWindows(PlanningTables tables, const QDir& out, QTextStream& err)
{
    RememberedChoices choices = LeaderZeroThreeRoundsOneCrit(35);
    CQuorvelDlg window(tables, choices);
    window.show();
    bool ok = true;

    CZoneOverviewWindow* overview = window.OpenZoneOverview();
    overview->resize(1100, 640);
    WaitForAnswer(*overview);
    overview->grid()->scrollTo(overview->model()->index(40, 0));
    ok = Save(*overview, out, u"zone-overview.png"_s, err) && ok;

    CAlternativesWindow* alternatives = window.OpenAlternatives();
    WaitForAnswer(*alternatives);
    if (alternatives->teamCount() > 0)
        alternatives->setAbsent(static_cast<int>(alternatives->team(0).heroes[2]), true);
    WaitForAnswer(*alternatives);
    alternatives->teamList()->selectRow(1);
    ok = Save(*alternatives, out, u"alternatives.png"_s, err) && ok;

    CMultiTeamWindow* multi = window.OpenMultiTeam();
    // The leader lists are filled by the window's first plan: the other
    // leaders are chosen once it has shown.
    WaitForAnswer(*multi);
    multi->setLeader(1, 1);
    multi->setLeader(2, 2);
    WaitForAnswer(*multi);
    ok = Save(*multi, out, u"multi-team.png"_s, err) && ok;
    return ok;
}

// The two windows that answer "what now?" at a level the sample guild just
// misses: the training advice with its first entry selected, and a team of
// one's own beside the best plan.
bool AdviceWindows(PlanningTables tables, const QDir& out, QTextStream& err)
{
    RememberedChoices choices = LeaderZeroThreeRoundsOneCrit(41);
    CQuorvelDlg window(tables, choices);
    window.show();
    window.RunTeamSearch();
    bool ok = true;

    CAdviceWindow* advice = window.OpenAdvice();
    WaitForAnswer(*advice);
    advice->adviceList()->selectRow(0);
    ok = Save(*advice, out, u"advice.png"_s, err) && ok;

    CTeamCheckWindow* check = window.OpenTeamCheck();
    WaitForAnswer(*check);
    // The best team with its fifth member swapped for another hero.
    if (check->bestCheck())
        check->setHero(4, static_cast<int>(check->bestCheck()->plan.heroes[4]) + 1);
    ok = Save(*check, out, u"team-check.png"_s, err) && ok;
    return ok;
}

// The hero editor sorted by "总值", with a stat cell open for editing.
bool HeroEditor(PlanningTables tables, const QDir& out, QTextStream& err)
{
    CHeroesDlg editor(tables.heroTable);
    CEditListCtrl* list = editor.list();
    emit list->horizontalHeader()->sectionClicked(5);
    editor.show();
    list->selectRow(2);
    list->BeginEdit(2, 2);
    return Save(editor, out, u"hero-editor.png"_s, err);
}

// The virus editor on the first levels.
bool VirusEditor(PlanningTables tables, const QDir& out, QTextStream& err)
{
    CVirusDlg editor(tables.virusTable);
    return Save(editor, out, u"virus-editor.png"_s, err);
}

// The batch selection as it opens: tick the heroes 1 to 128.
bool SelectDialog(const QDir& out, QTextStream& err)
{
    CSelectDlg select;
    return Save(select, out, u"select-dialog.png"_s, err);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(DialogFont());
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 && !(arguments.size() == 4 && arguments.at(3) == u"en"_s)) {
        err << "usage: quorvel-screenshots DATA_FOLDER OUTPUT_FOLDER [en]\n";
        return 2;
    }
    if (arguments.size() == 4) {
        if (InstallProgramTranslation(UiLanguage::English) == nullptr) {
            err << "the English translation is missing\n";
            return 1;
        }
    } else {
        QtTranslations::Install();
    }
    // The pictures show every window at its opening place and size, not
    // where this user last left it.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const QString& data = arguments.at(1);
    const QDir out(arguments.at(2));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << '\n';
        return 1;
    }

    auto tables = std::make_unique<PlanningTables>();
    LoadVirusTable(tables->virusTable, data);
    LoadHeroTable(tables->heroTable, data);

    bool ok = true;
    ok = MainWindowWithPlan(*tables, out, err) && ok;
    ok = MainWindowAtStart(*tables, out, err) && ok;
    ok = MainWindowFiveDigits(*tables, out, err) && ok;
    ok = RaidWindows(*tables, out, err) && ok;
    ok = AdviceWindows(*tables, out, err) && ok;
    ok = HeroEditor(*tables, out, err) && ok;
    ok = VirusEditor(*tables, out, err) && ok;
    ok = SelectDialog(out, err) && ok;
    return ok ? 0 : 1;
}
