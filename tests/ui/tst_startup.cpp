// One run of the program from start to exit: the data files of the working
// folder, the remembered choices in the settings store, and the save at exit.
// Runs on the real application object, in a temporary working folder and a
// temporary settings folder.

#include "CQuorvelApp.h"
#include "DataFiles.h"
#include "MainDialogIds.h"
#include "MessageBox.h"
#include "QuorvelDlg.h"
#include "SaveFailurePrompt.h"
#include "SettingsStore.h"
#include "UiTestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <memory>

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
            [this, modifyTables](PlanningTables& tables, RememberedChoices& choices) {
                m_given = choices;
                m_givenVirusName = VirusName(tables.virusTable[0]);
                if (modifyTables)
                    tables.heroTable[3].checked = 0;
                return modifyTables;
            },
            [this](const QList<SaveFailure>& failures) {
                m_failures.append(failures);
                return false;
            });
    }
    // A run of the real main window, closed by its close command.
    void runRealWindow(std::function<void(CQuorvelDlg&)> act = {})
    {
        m_app.InitInstance(
            [this, act](PlanningTables& tables, RememberedChoices& choices) {
                WhenModalShown(this, [act](QWidget* modal) {
                    auto* window = qobject_cast<CQuorvelDlg*>(modal);
                    QVERIFY(window != nullptr);
                    if (act)
                        act(*window);
                    window->close();
                });
                return CQuorvelDlg::RunModal(tables, choices);
            },
            [](const QList<SaveFailure>&) { return false; });
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
            window.controls().get<QComboBox>(MainDialogIds::kLeaderSelector)->setCurrentIndex(7);
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

    void changedTablesAreSavedAfterTheSettings()
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
            [](PlanningTables&, RememberedChoices& choices) {
                choices.m_planOrder = 0;
                return true;
            },
            [&](const QList<SaveFailure>& failures) {
                ++prompts;
                // The settings are written before the data files, and the
                // other file is still written.
                planOrderWhenPrompted = storedSettings().value(u"Last Select/PlanOrder"_s).toInt();
                heroesWrittenWhenPrompted = QFile::exists(dataFile(kHeroFileName));
                failuresWhenPrompted = failures.size();
                QDir(m_work->path()).rmdir(QString::fromLatin1(kVirusFileName));
                return prompts == 1;
            });
        QCOMPARE(prompts, 1);
        QCOMPARE(planOrderWhenPrompted, 0);
        QVERIFY(heroesWrittenWhenPrompted);
        QCOMPARE(failuresWhenPrompted, 1);
        QCOMPARE(QFileInfo(dataFile(kVirusFileName)).size(), qint64(sizeof(VirusTable)));
    }

    void savePromptNamesFileAndReason()
    {
        // The files of the working folder come as bare names; the box tells
        // the folder too.
        const QList<SaveFailure> failures{{u"/guild/Virus.dat"_s, u"Disk full"_s},
                                          {u"Heroes.dat"_s, u"Read-only"_s}};
        MessageBox::setNextAnswer(QMessageBox::Cancel);
        QVERIFY(!AskToRetrySave(failures));
        const auto shown = MessageBox::lastShown();
        QVERIFY(shown.has_value());
        QCOMPARE(shown->icon, QMessageBox::Warning);
        QCOMPARE(shown->caption, SettingsStore::programName());
        QVERIFY(shown->text.contains(QDir::toNativeSeparators(u"/guild/Virus.dat"_s)));
        QVERIFY(shown->text.contains(u"Disk full"_s));
        QVERIFY(shown->text.contains(
            QDir::toNativeSeparators(QDir::current().absoluteFilePath(u"Heroes.dat"_s))));
        QCOMPARE(shown->buttons, QMessageBox::Retry | QMessageBox::Cancel);
        MessageBox::setNextAnswer(QMessageBox::Retry);
        QVERIFY(AskToRetrySave(failures));
    }
};

int main(int argc, char* argv[])
{
    CQuorvelApp app(argc, argv);
    TestStartup test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
