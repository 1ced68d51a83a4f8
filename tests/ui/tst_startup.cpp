// One run of the program from start to exit: the data files of the working
// folder, the remembered choices in the settings store, and the save at exit.
// Runs on the real application object, in a temporary working folder and a
// temporary settings folder.

#include "app/CQuorvelApp.h"
#include "resources/MainDialogIds.h"
#include "storage/DataFiles.h"
#include "storage/FileErrors.h"
#include "storage/RecoveryFile.h"
#include "storage/SettingsStore.h"
#include "tests/ui/MainWindowTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/common/MessageBox.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/SaveFailurePrompt.h"
#include "ui/main/SharedFolderPrompts.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool SameChoices(const RememberedChoices& a, const RememberedChoices& b)
{
    return a.m_lastVirus == b.m_lastVirus && a.m_lastHero == b.m_lastHero &&
           a.m_lastPlan == b.m_lastPlan && a.m_topmost == b.m_topmost &&
           a.m_planOrder == b.m_planOrder;
}

QByteArray Image(const void* data, std::size_t size)
{
    return QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Prompts that answer only a failed save: true tries again, false gives the
// changes up.
StartupPrompts SaveFailuresOnly(std::function<bool(const QList<SaveFailure>&)> retry)
{
    StartupPrompts prompts;
    prompts.saveFailed = [retry = std::move(retry)](const QList<SaveFailure>& failures) {
        SaveDecision decision;
        decision.action =
            retry(failures) ? SaveDecision::Action::Retry : SaveDecision::Action::GiveUp;
        return decision;
    };
    return prompts;
}

} // namespace

class TestStartup final : public QObject
{
    Q_OBJECT

public:
    explicit TestStartup(CQuorvelApp& app) : m_app(app) {}

private:
    QSettings storedSettings() const
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Quorvel"_s,
                         SettingsStore::programName());
    }
    void store(const QString& name, const QVariant& value) const
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Quorvel"_s,
                           SettingsStore::programName());
        settings.setValue(u"Last Select/"_s + name, value);
    }
    QString dataFile(const char* name) const { return m_work->filePath(QString::fromLatin1(name)); }

    // A run whose main window does nothing but report what it was given.
    bool runRecording(bool modifyTables)
    {
        return m_app.InitInstance(
            [this, modifyTables](PlanningSession& session, RememberedChoices& choices) {
                PlanningTables& tables = session.tables();
                m_given = choices;
                m_givenVirusName = VirusName(tables.virusTable[0]);
                if (modifyTables)
                    tables.heroTable[3].checked = 0;
                return modifyTables;
            },
            SaveFailuresOnly([this](const QList<SaveFailure>& failures) {
                m_failures.append(failures);
                return false;
            }));
    }
    // A run whose main window changes one hero and says so.
    CQuorvelApp::MainWindowRun modifyingRun()
    {
        return [](PlanningSession& session, RememberedChoices&) {
            PlanningTables& tables = session.tables();
            tables.heroTable[3].checked = 0;
            return true;
        };
    }
    // A run of the real main window, closed by its close command.
    void runRealWindow(std::function<void(CQuorvelDlg&)> act = {})
    {
        m_app.InitInstance(
            [this, act](PlanningSession& session, RememberedChoices& choices) {
                WhenModalShown(this, [act](QWidget* modal) {
                    auto* window = qobject_cast<CQuorvelDlg*>(modal);
                    QVERIFY(window != nullptr);
                    if (act)
                        act(*window);
                    window->close();
                });
                return CQuorvelDlg::runModal(session, choices);
            },
            SaveFailuresOnly([](const QList<SaveFailure>&) { return false; }));
    }

    CQuorvelApp& m_app;
    QString m_originalFolder;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<TemporarySettings> m_settings;
    RememberedChoices m_given;
    std::u16string m_givenVirusName;
    QList<SaveFailure> m_failures;

private slots:
    void initTestCase()
    {
        RequirePreparedAnswers();
        m_originalFolder = QDir::currentPath();
    }
    // The About box shows QCoreApplication::applicationVersion(); it must be
    // the version the package and quorvel-plan --version carry.
    void applicationCarriesTheProjectVersionAndDesktopEntry()
    {
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(QUORVEL_PROJECT_VERSION));
        // The name of the desktop entry the package installs.
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(QUORVEL_APP_ID));
    }
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<TemporarySettings>();
        QVERIFY(m_work->isValid() && m_settings->isValid());
        QVERIFY(QDir::setCurrent(m_work->path()));
        m_given = RememberedChoices{9, 9, 9, 9, 9};
        m_givenVirusName.clear();
        m_failures.clear();
        MessageBox::resetLastShown();
    }
    void cleanup()
    {
        QVERIFY(QDir::setCurrent(m_originalFolder));
        m_work.reset();
        m_settings.reset();
        QVERIFY2(LeftoverWindows().isEmpty(), qPrintable(LeftoverWindows().join(u' ')));
    }

    void firstRunStartsFromDefaultsAndCreatesNoData()
    {
        QVERIFY(!runRecording(false));
        QVERIFY(SameChoices(m_given, RememberedChoices{0, -1, 0, 0, 1}));
        QCOMPARE(QString::fromStdU16String(m_givenVirusName), u"未知病毒"_s);
        const QSettings settings = storedSettings();
        QCOMPARE(settings.value(u"Last Select/Virus"_s).toInt(), 0);
        QCOMPARE(settings.value(u"Last Select/Hero"_s).toInt(), -1);
        QCOMPARE(settings.value(u"Last Select/Plan"_s).toInt(), 0);
        QCOMPARE(settings.value(u"Last Select/Topmost"_s).toInt(), 0);
        QCOMPARE(settings.value(u"Last Select/PlanOrder"_s).toInt(), 1);
        QVERIFY(!QFile::exists(dataFile(kVirusFileName)));
        QVERIFY(!QFile::exists(dataFile(kHeroFileName)));
    }

    void storedChoicesSurviveARealRun()
    {
        store(u"PlanOrder"_s, 0);
        store(u"Virus"_s, 5);
        runRealWindow();
        const QSettings settings = storedSettings();
        QCOMPARE(settings.value(u"Last Select/PlanOrder"_s).toInt(), 0);
        QCOMPARE(settings.value(u"Last Select/Virus"_s).toInt(), 5);
        // No leader chosen is stored as -1 (0xFFFFFFFF as a 32-bit value).
        QCOMPARE(settings.value(u"Last Select/Hero"_s).toInt(), -1);
        QFile file(settings.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Hero=-1"));
        QVERIFY(!QFile::exists(dataFile(kVirusFileName)));
    }

    void choicesChangedInTheWindowAreStored()
    {
        runRealWindow([](CQuorvelDlg& window) {
            QuorvelDlgTestAccess::controls(window)
                .get<QComboBox>(MainDialogIds::kLeaderSelector)
                ->setCurrentIndex(7);
        });
        QCOMPARE(storedSettings().value(u"Last Select/Hero"_s).toInt(), 7);
    }

    void unreadableValuesGiveTheirDefaults()
    {
        store(u"Virus"_s, u"abc"_s);
        store(u"Hero"_s, u"99999999999"_s);
        store(u"Plan"_s, u"1.5"_s);
        store(u"Topmost"_s, QString());
        runRecording(false);
        QVERIFY(SameChoices(m_given, RememberedChoices{0, -1, 0, 0, 1}));

        // Numbers outside the selectors reach the window unchanged.
        store(u"Virus"_s, 99);
        store(u"Plan"_s, 99);
        store(u"Hero"_s, -5);
        runRecording(false);
        QVERIFY(SameChoices(m_given, RememberedChoices{99, -5, 99, 0, 1}));

        // Another program name has settings of its own.
        QCOMPARE(SettingsStore(u"renamed"_s).readChoices().m_lastVirus, 0);
    }

    void changedTablesAreSaved()
    {
        QVERIFY(!runRecording(true));
        QVERIFY(m_failures.isEmpty());
        PlanningTables expected;
        FillDefaultVirusTable(expected.virusTable);
        FillDefaultHeroTable(expected.heroTable);
        expected.heroTable[3].checked = 0;
        QFile virus(dataFile(kVirusFileName));
        QFile heroes(dataFile(kHeroFileName));
        QVERIFY(virus.open(QIODevice::ReadOnly) && heroes.open(QIODevice::ReadOnly));
        QCOMPARE(virus.readAll(), Image(&expected.virusTable, sizeof(VirusTable)));
        QCOMPARE(heroes.readAll(), Image(&expected.heroTable, sizeof(HeroTable)));
    }

    void unchangedRunLeavesDataFilesAlone()
    {
        QFile short_(dataFile(kHeroFileName));
        QVERIFY(short_.open(QIODevice::WriteOnly));
        short_.write(QByteArray(100, '\0'));
        short_.close();
        runRecording(false);
        QCOMPARE(QFileInfo(dataFile(kHeroFileName)).size(), 100);
        QVERIFY(!QFile::exists(dataFile(kVirusFileName)));
    }

    void failedSaveIsToldInFileOrder()
    {
        // Directories in the way: neither file can be written.
        QVERIFY(QDir(m_work->path()).mkdir(QString::fromLatin1(kVirusFileName)));
        QVERIFY(QDir(m_work->path()).mkdir(QString::fromLatin1(kHeroFileName)));
        runRecording(true);
        QCOMPARE(m_failures.size(), 2);
        QVERIFY(m_failures[0].filePath.endsWith(u"Virus.dat"_s));
        QVERIFY(m_failures[1].filePath.endsWith(u"Heroes.dat"_s));
        QVERIFY(!m_failures[0].reason.isEmpty());
    }

    void retryAfterAFailedSave()
    {
        QVERIFY(QDir(m_work->path()).mkdir(QString::fromLatin1(kVirusFileName)));
        int prompts = 0;
        int planOrderWhenPrompted = -1;
        bool heroesWrittenWhenPrompted = false;
        qsizetype failuresWhenPrompted = 0;
        m_app.InitInstance(
            [](PlanningSession&, RememberedChoices& choices) {
                choices.m_planOrder = 0;
                return true;
            },
            SaveFailuresOnly([&](const QList<SaveFailure>& failures) {
                ++prompts;
                // The data files come first, so the settings wait (they still
                // hold the stored default), and the other file is still
                // written.
                planOrderWhenPrompted =
                    storedSettings().value(u"Last Select/PlanOrder"_s, 1).toInt();
                heroesWrittenWhenPrompted = QFile::exists(dataFile(kHeroFileName));
                failuresWhenPrompted = failures.size();
                QDir(m_work->path()).rmdir(QString::fromLatin1(kVirusFileName));
                return prompts == 1;
            }));
        QCOMPARE(prompts, 1);
        QCOMPARE(planOrderWhenPrompted, 1);
        QCOMPARE(storedSettings().value(u"Last Select/PlanOrder"_s).toInt(), 0);
        QVERIFY(heroesWrittenWhenPrompted);
        QCOMPARE(failuresWhenPrompted, 1);
        QCOMPARE(QFileInfo(dataFile(kVirusFileName)).size(), qint64(sizeof(VirusTable)));
    }

    void savePromptNamesPathAndCauseAndKeepsEscapeSafe()
    {
        const QList<SaveFailure> failures{
            {u"/guild/Virus.dat"_s, u"No space left on device"_s, ENOSPC},
            {u"Heroes.dat"_s, u"Permission denied"_s, EACCES}};
        MessageBox::setNextAnswer(QMessageBox::Retry);
        QCOMPARE(AskAfterSaveFailure(failures).action, SaveDecision::Action::Retry);
        const auto shown = MessageBox::lastShown();
        QVERIFY(shown.has_value());
        QCOMPARE(shown->icon, QMessageBox::Warning);
        QCOMPARE(shown->caption, u"青梧药庐公会疫区组队助手"_s);
        // The files of the working folder come as bare names; the box tells
        // the folder too, and the cause in Chinese before the system's text.
        QVERIFY(shown->text.contains(QDir::toNativeSeparators(u"/guild/Virus.dat"_s)));
        QVERIFY(shown->text.contains(u"磁盘空间不足（No space left on device）"_s));
        QVERIFY(shown->text.contains(
            QDir::toNativeSeparators(QDir::current().absoluteFilePath(u"Heroes.dat"_s))));
        QVERIFY(shown->text.contains(u"没有访问该文件的权限（Permission denied）"_s));
        QCOMPARE(shown->buttons, QMessageBox::Retry | QMessageBox::Save | QMessageBox::Discard);
        // Escape and the close box retry; they never give the edits up.
        QCOMPARE(shown->escapeButton, QMessageBox::Retry);
        QCOMPARE(shown->defaultButton, QMessageBox::Retry);
        QCOMPARE(shown->labels.value(QMessageBox::Save), u"另存到其他文件夹…"_s);
    }

    void givingUpIsAskedOnceMore()
    {
        const QList<SaveFailure> failures{{u"/guild/Virus.dat"_s, u"Disk full"_s, ENOSPC}};
        // Give up, then step back at the second question, then retry.
        MessageBox::setNextAnswer(QMessageBox::Discard);
        MessageBox::setNextAnswer(QMessageBox::Cancel);
        MessageBox::setNextAnswer(QMessageBox::Retry);
        QCOMPARE(AskAfterSaveFailure(failures).action, SaveDecision::Action::Retry);
        QCOMPARE(MessageBox::shownCount(), 3);

        MessageBox::resetLastShown();
        MessageBox::setNextAnswer(QMessageBox::Discard);
        MessageBox::setNextAnswer(QMessageBox::Discard);
        QCOMPARE(AskAfterSaveFailure(failures).action, SaveDecision::Action::GiveUp);
        QCOMPARE(MessageBox::shownCount(), 2);
        const auto confirm = MessageBox::lastShown();
        QVERIFY(confirm->text.contains(u"放弃保存将丢失"_s));
        QCOMPARE(confirm->defaultButton, QMessageBox::Cancel);
        QCOMPARE(confirm->escapeButton, QMessageBox::Cancel);
    }

    void saveIntoAnotherFolderThatTheUserPicks()
    {
        QTemporaryDir other;
        QVERIFY(other.isValid());
        int picks = 0;
        SetFolderPickerForTests([&] { return ++picks == 1 ? QString() : other.path(); });
        // The first pick is cancelled and leads back to the question.
        MessageBox::setNextAnswer(QMessageBox::Save);
        MessageBox::setNextAnswer(QMessageBox::Save);
        const QList<SaveFailure> failures{{u"/guild/Virus.dat"_s, u"Disk full"_s, ENOSPC}};
        const SaveDecision decision = AskAfterSaveFailure(failures);
        SetFolderPickerForTests({});
        QCOMPARE(decision.action, SaveDecision::Action::SaveElsewhere);
        QCOMPARE(decision.folder, other.path());
        QCOMPARE(picks, 2);

        // Through a whole run: the working folder refuses both files (folders
        // in the way), the other folder gets both.
        QVERIFY(QDir(m_work->path()).mkdir(QString::fromLatin1(kVirusFileName)));
        QVERIFY(QDir(m_work->path()).mkdir(QString::fromLatin1(kHeroFileName)));
        StartupPrompts prompts;
        prompts.saveFailed = [&](const QList<SaveFailure>& told) {
            m_failures.append(told);
            return SaveDecision{SaveDecision::Action::SaveElsewhere, other.path()};
        };
        m_app.InitInstance(modifyingRun(), prompts);
        QCOMPARE(m_failures.size(), 2);
        QCOMPARE(m_failures[0].error, EISDIR);
        QCOMPARE(QFileInfo(other.filePath(u"Virus.dat"_s)).size(), qint64(sizeof(VirusTable)));
        QCOMPARE(QFileInfo(other.filePath(u"Heroes.dat"_s)).size(), qint64(sizeof(HeroTable)));
    }

    void removedWorkingFolderIsSavedToItsPathOnceMadeAgain()
    {
        const QString folder = m_work->path();
        StartupPrompts prompts;
        int prompted = 0;
        prompts.saveFailed = [&](const QList<SaveFailure>& failures) {
            ++prompted;
            m_failures.append(failures);
            QDir().mkpath(folder);
            // Past the first prompt the retry has already failed once too
            // often: give up rather than loop.
            return SaveDecision{
                prompted == 1 ? SaveDecision::Action::Retry : SaveDecision::Action::GiveUp, {}};
        };
        m_app.InitInstance(
            [&](PlanningSession& session, RememberedChoices&) {
                PlanningTables& tables = session.tables();
                tables.heroTable[3].checked = 0;
                QDir(folder).removeRecursively();
                return true;
            },
            prompts);
        QCOMPARE(prompted, 1);
        QCOMPARE(m_failures.size(), 2);
        QCOMPARE(m_failures[0].filePath, QDir(folder).filePath(u"Virus.dat"_s));
        QCOMPARE(m_failures[0].error, ENOENT);
        QVERIFY(DescribeFileError(m_failures[0].error, m_failures[0].reason)
                    .startsWith(u"文件所在的文件夹不存在"_s));
        // Written into the folder made again at the same path, not into the
        // removed one that the process still stands in.
        QCOMPARE(QFileInfo(QDir(folder).filePath(u"Virus.dat"_s)).size(),
                 qint64(sizeof(VirusTable)));
        QCOMPARE(QFileInfo(QDir(folder).filePath(u"Heroes.dat"_s)).size(),
                 qint64(sizeof(HeroTable)));
        QVERIFY(QDir::setCurrent(folder));
    }

    void unreadableFilesAreToldAndNeverReplacedUnasked()
    {
        // Reading /proc/self/mem at offset 0 fails with an I/O error, also for
        // root; a pipe would block a plain open for ever.
        QVERIFY(QFile::link(u"/proc/self/mem"_s, dataFile(kVirusFileName)));
        QVERIFY(mkfifo(QFile::encodeName(dataFile(kHeroFileName)).constData(), 0600) == 0);
        QList<LoadOutcome> told;
        QStringList askedToReplace;
        StartupPrompts prompts;
        prompts.unreadableFiles = [&](const QList<LoadOutcome>& files) { told = files; };
        prompts.replaceUnreadable = [&](const QString& path) {
            askedToReplace.append(path);
            return false;
        };
        prompts.saveFailed = [&](const QList<SaveFailure>& failures) {
            m_failures.append(failures);
            return SaveDecision{SaveDecision::Action::GiveUp, {}};
        };
        m_app.InitInstance(modifyingRun(), prompts);
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[0].filePath, dataFile(kVirusFileName));
        QCOMPARE(told[0].error, EIO);
        QCOMPARE(told[1].error, kNotARegularFile);
        // Only the file that a save could replace is asked about; the pipe is
        // refused by the save itself and stays a pipe.
        QCOMPARE(askedToReplace, QStringList{dataFile(kVirusFileName)});
        QVERIFY(QFileInfo(dataFile(kVirusFileName)).isSymLink());
        QCOMPARE(m_failures.size(), 1);
        QCOMPARE(m_failures[0].error, kNotARegularFile);
        QVERIFY(!QFileInfo(dataFile(kHeroFileName)).isFile());

        // The message box of the real program names each file and its cause.
        MessageBox::setNextAnswer(QMessageBox::Ok);
        TellUnreadableDataFiles(told);
        const auto shown = MessageBox::lastShown();
        QVERIFY(shown->text.contains(dataFile(kVirusFileName)));
        QVERIFY(shown->text.contains(u"读写设备出错"_s));
        QVERIFY(shown->text.contains(u"不是普通文件"_s));
        MessageBox::setNextAnswer(QMessageBox::Yes);
        QVERIFY(!AskToReplaceUnreadable(dataFile(kVirusFileName)));
        QCOMPARE(MessageBox::lastShown()->escapeButton, QMessageBox::Yes);
        QCOMPARE(MessageBox::lastShown()->labels.value(QMessageBox::Yes), u"保留原文件"_s);
    }

    void confirmedChangesAreKeptInARecoveryFileUntilSaved()
    {
        bool recoveryDuringRun = false;
        m_app.InitInstance(
            [&](PlanningSession& session, RememberedChoices&) {
                PlanningTables& tables = session.tables();
                tables.heroTable[5].smart = 4321;
                session.announce(PlanningSession::Change::Roster);
                PlanningTables copy;
                recoveryDuringRun =
                    LoadRecoveryFile(copy, m_work->path()) && copy.heroTable[5].smart == 4321;
                return true;
            },
            StartupPrompts{});
        QVERIFY(recoveryDuringRun);
        QVERIFY2(!QFile::exists(RecoveryFilePath(m_work->path())), "removed after the save");
    }

    void recoveryFileOfAnAbnormalEndIsOffered()
    {
        // What a run killed after a confirmed edit leaves: an old data file
        // and a newer recovery file.
        PlanningTables edited;
        FillDefaultVirusTable(edited.virusTable);
        FillDefaultHeroTable(edited.heroTable);
        QFile old(dataFile(kHeroFileName));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(Image(&edited.heroTable, sizeof(HeroTable)));
        QVERIFY(old.flush());
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                QFileDevice::FileModificationTime));
        old.close();
        edited.heroTable[7].cute = 777;
        QVERIFY(!SaveRecoveryFile(edited, m_work->path()));

        QString offered;
        int shownValue = -1;
        StartupPrompts prompts;
        prompts.restoreRecovery = [&](const PendingRecovery& recovery) {
            offered = recovery.path;
            return true;
        };
        // The window changes nothing, yet the restored tables are saved.
        m_app.InitInstance(
            [&](PlanningSession& session, RememberedChoices&) {
                PlanningTables& tables = session.tables();
                shownValue = tables.heroTable[7].cute;
                return false;
            },
            prompts);
        QCOMPARE(offered, RecoveryFilePath(m_work->path()));
        QCOMPARE(shownValue, 777);
        HeroTable saved;
        LoadHeroTable(saved, m_work->path());
        QCOMPARE(int(saved[7].cute), 777);
        QVERIFY(!QFile::exists(RecoveryFilePath(m_work->path())));

        // Dropped: the tables come from the data files and the file goes.
        edited.heroTable[7].cute = 888;
        QVERIFY(!SaveRecoveryFile(edited, m_work->path()));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                QFileDevice::FileModificationTime));
        old.close();
        prompts.restoreRecovery = [](const PendingRecovery&) { return false; };
        m_app.InitInstance(
            [&](PlanningSession& session, RememberedChoices&) {
                PlanningTables& tables = session.tables();
                shownValue = tables.heroTable[7].cute;
                return false;
            },
            prompts);
        QCOMPARE(shownValue, 777);
        QVERIFY(!QFile::exists(RecoveryFilePath(m_work->path())));
    }

    void linkToNothingIsNamedAtStartAndNeverWrittenThrough()
    {
        const QString gone = m_work->filePath(u"elsewhere/Heroes.dat"_s);
        QVERIFY(QFile::link(gone, dataFile(kHeroFileName)));
        QList<LoadOutcome> told;
        StartupPrompts prompts;
        prompts.unreadableFiles = [&](const QList<LoadOutcome>& files) { told = files; };
        prompts.saveFailed = [&](const QList<SaveFailure>& failures) {
            m_failures.append(failures);
            return SaveDecision{SaveDecision::Action::GiveUp, {}};
        };
        m_app.InitInstance(modifyingRun(), prompts);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].error, kDanglingLink);
        QCOMPARE(m_failures.size(), 1);
        QCOMPARE(m_failures[0].error, kDanglingLink);
        QVERIFY(!QFileInfo::exists(gone));

        MessageBox::setNextAnswer(QMessageBox::Ok);
        TellUnreadableDataFiles(told);
        QVERIFY(MessageBox::lastShown()->text.contains(u"链接"_s));
    }

    void secondRunInAHeldFolderOpensReadOnlyOrQuits()
    {
        GuildFolderLock holder(m_work->path());
        QCOMPARE(holder.tryLock(), GuildFolderLock::State::Held);
        GuildFolderLock::Holder named;
        bool ran = false;
        StartupPrompts prompts;
        prompts.openReadOnly = [&](const GuildFolderLock::Holder& who, const QString&) {
            named = who;
            return false;
        };
        m_app.InitInstance(
            [&](PlanningSession&, RememberedChoices&) {
                ran = true;
                return false;
            },
            prompts);
        QVERIFY2(!ran, "quit means no window");
        QCOMPARE(named.pid, QCoreApplication::applicationPid());
        QCOMPARE(named.host, QSysInfo::machineHostName());

        // Read-only: no recovery file, nothing written into the held folder;
        // the changes go where the user says, or nowhere.
        prompts.openReadOnly = [](const GuildFolderLock::Holder&, const QString&) { return true; };
        int askedWhereTo = 0;
        prompts.readOnlyChanged = [&] {
            ++askedWhereTo;
            return SaveDecision{SaveDecision::Action::GiveUp, {}};
        };
        const auto editingRun = [](PlanningSession& session, RememberedChoices&) {
            session.tables().heroTable[3].smart = 3333;
            session.announce(PlanningSession::Change::Roster);
            return true;
        };
        m_app.InitInstance(editingRun, prompts);
        QCOMPARE(askedWhereTo, 1);
        QVERIFY(!QFile::exists(dataFile(kHeroFileName)));
        QVERIFY(!QFile::exists(RecoveryFilePath(m_work->path())));

        QTemporaryDir other;
        prompts.readOnlyChanged = [&] {
            return SaveDecision{SaveDecision::Action::SaveElsewhere, other.path()};
        };
        m_app.InitInstance(editingRun, prompts);
        QVERIFY(!QFile::exists(dataFile(kHeroFileName)));
        HeroTable saved;
        QCOMPARE(LoadHeroTable(saved, other.path()).state, LoadOutcome::State::Read);
        QCOMPARE(int(saved[3].smart), 3333);

        // The question names the folder and the holder; read-only is the
        // default, Escape quits.
        MessageBox::setNextAnswer(QMessageBox::Open);
        QVERIFY(AskToOpenReadOnly({4242, u"guildhost"_s, u"quorvel"_s}, m_work->path()));
        const auto shown = MessageBox::lastShown();
        QVERIFY(shown->text.contains(u"4242"_s) && shown->text.contains(u"guildhost"_s));
        QVERIFY(shown->text.contains(QDir::toNativeSeparators(m_work->path())));
        QCOMPARE(shown->defaultButton, QMessageBox::Open);
        QCOMPARE(shown->escapeButton, QMessageBox::Close);
    }

    void changesAnotherProgramMadeMeanwhileAreMergedAndConflictsAsked()
    {
        PlanningTables start;
        FillDefaultVirusTable(start.virusTable);
        FillDefaultHeroTable(start.heroTable);
        QVERIFY(SaveTables(start, m_work->path()).isEmpty());
        QList<RecordConflict> asked;
        StartupPrompts prompts;
        prompts.resolveConflict = [&](const RecordConflict& conflict) {
            asked.append(conflict);
            return ConflictChoice::KeepThisRun;
        };
        m_app.InitInstance(
            [&](PlanningSession& session, RememberedChoices&) {
                PlanningTables& tables = session.tables();
                tables.heroTable[3].smart = 300;
                tables.heroTable[5].smart = 500;
                // Another program writes the file meanwhile.
                PlanningTables other = start;
                other.heroTable[5].smart = 555;
                other.heroTable[7].cute = 777;
                other.virusTable[2].stupid = 22;
                SaveTables(other, m_work->path());
                return true;
            },
            prompts);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].records, QList<int>{5});
        PlanningTables saved;
        LoadHeroTable(saved.heroTable, m_work->path());
        LoadVirusTable(saved.virusTable, m_work->path());
        QCOMPARE(int(saved.heroTable[3].smart), 300);
        QCOMPARE(int(saved.heroTable[5].smart), 500);
        QCOMPARE(int(saved.heroTable[7].cute), 777);
        QCOMPARE(int(saved.virusTable[2].stupid), 22);

        // The question shows both versions and where keeping both puts this
        // run's; Escape keeps both.
        MessageBox::setNextAnswer(QMessageBox::Save);
        QCOMPARE(AskAboutConflict(asked[0]), ConflictChoice::KeepBoth);
        const auto shown = MessageBox::lastShown();
        QVERIFY(shown->text.contains(u"500/0/0"_s));
        QVERIFY(shown->text.contains(u"555/0/0"_s));
        QVERIFY(shown->text.contains(QDir::toNativeSeparators(asked[0].keepBothPath)));
        QCOMPARE(shown->escapeButton, QMessageBox::Save);
    }

    void dataFileKeptAtExitIsOfferedAsKeptNotAsACrash()
    {
        QVERIFY(QFile::link(u"/proc/self/mem"_s, dataFile(kVirusFileName)));
        StartupPrompts prompts;
        prompts.replaceUnreadable = [](const QString&) { return false; };
        // The edit of the table whose file was kept lives only in the
        // recovery file.
        m_app.InitInstance(
            [](PlanningSession& session, RememberedChoices&) {
                session.tables().virusTable[1].stupid = 1234;
                return true;
            },
            prompts);

        std::optional<PendingRecovery> offered;
        prompts.restoreRecovery = [&](const PendingRecovery& recovery) {
            offered = recovery;
            return false;
        };
        m_app.InitInstance([](PlanningSession&, RememberedChoices&) { return false; }, prompts);
        QVERIFY(offered);
        QCOMPARE(offered->reason, RecoveryReason::KeptAtExit);

        MessageBox::setNextAnswer(QMessageBox::Yes);
        AskToRestoreRecovery(*offered);
        QVERIFY(!MessageBox::lastShown()->text.contains(u"没有正常结束"_s));
        QVERIFY(MessageBox::lastShown()->text.contains(u"保留了无法读取的数据文件"_s));
        MessageBox::setNextAnswer(QMessageBox::Yes);
        AskToRestoreRecovery({offered->path, RecoveryReason::UnfinishedRun});
        QVERIFY(MessageBox::lastShown()->text.contains(u"没有正常结束"_s));
    }

    void savingIntoAFolderThatHoldsDataFilesAsksFirst()
    {
        QTemporaryDir other;
        QVERIFY(other.isValid());
        const QString theirs = other.filePath(u"Heroes.dat"_s);
        QFile file(theirs);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("another guild");
        file.close();
        int picks = 0;
        SetFolderPickerForTests([&] {
            ++picks;
            return other.path();
        });
        // Save elsewhere, then "pick another folder", then replace.
        MessageBox::setNextAnswer(QMessageBox::Save);
        MessageBox::setNextAnswer(QMessageBox::No);
        MessageBox::setNextAnswer(QMessageBox::Yes);
        const QList<SaveFailure> failures{{u"/guild/Virus.dat"_s, u"Disk full"_s, ENOSPC}};
        const SaveDecision decision = AskAfterSaveFailure(failures);
        const auto shown = MessageBox::lastShown();
        SetFolderPickerForTests({});
        QCOMPARE(picks, 2);
        QCOMPARE(decision.action, SaveDecision::Action::SaveElsewhere);
        QVERIFY(shown->text.contains(QDir::toNativeSeparators(theirs)));
        QVERIFY2(!shown->text.contains(u"Virus.dat"_s), "only the files that are there");
        QCOMPARE(shown->escapeButton, QMessageBox::No);

        // An empty folder is taken without a question.
        QTemporaryDir empty;
        QVERIFY(ConfirmReplacingInFolder(empty.path()));
    }

    void fileSizeLimitIsAWriteErrorNotTheEnd()
    {
        // In a child, so the limit stays there: the save of the 4096-byte
        // hero file passes a 3000-byte limit and must come back as an error.
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const rlimit small{3000, 3000};
            setrlimit(RLIMIT_FSIZE, &small);
            PlanningTables tables;
            FillDefaultVirusTable(tables.virusTable);
            FillDefaultHeroTable(tables.heroTable);
            const QList<SaveFailure> failures = SaveTables(tables, m_work->path());
            _exit(failures.size() == 1 && failures[0].error == EFBIG ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(!WIFSIGNALED(status), "the save was ended by a signal");
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

int main(int argc, char* argv[])
{
    CQuorvelApp app(argc, argv);
    TestStartup test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
