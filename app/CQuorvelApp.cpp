#include "app/CQuorvelApp.h"

#include "QuorvelVersion.h"
#include "storage/FileErrors.h"
#include "storage/RecoveryFile.h"
#include "storage/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>

namespace {

// Unreadable for a reason that a new file would cure (no read permission, a
// read error), as against a folder, a pipe or a device, which a save refuses
// anyway.
bool ReplaceableWhenUnreadable(const LoadOutcome& load)
{
    return load.state == LoadOutcome::State::Unreadable && load.error != EISDIR &&
           load.error != kNotARegularFile && QFileInfo(load.filePath).isFile();
}

} // namespace

CQuorvelApp::CQuorvelApp(int& argc, char** argv) : QApplication(argc, argv)
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The About box shows the version this build was made from.
    setApplicationVersion(QString::fromLatin1(kQuorvelVersion));
    setDesktopFileName(QString::fromLatin1(kQuorvelDesktopId));
}

CQuorvelApp::~CQuorvelApp() = default;

bool CQuorvelApp::InitInstance(const MainWindowRun& runMainWindow, const StartupPrompts& prompts)
{
    const SettingsStore settings;
    m_workingFolder = QDir::currentPath();

    const QList<LoadOutcome> loads{LoadVirusTable(m_tables->virusTable, m_workingFolder),
                                   LoadHeroTable(m_tables->heroTable, m_workingFolder)};
    QList<LoadOutcome> unreadable;
    for (const LoadOutcome& load : loads) {
        if (load.state == LoadOutcome::State::Unreadable)
            unreadable.append(load);
    }
    if (!unreadable.isEmpty() && prompts.unreadableFiles)
        prompts.unreadableFiles(unreadable);

    bool restored = false;
    if (prompts.restoreRecovery && HasPendingRecovery(m_workingFolder)) {
        if (prompts.restoreRecovery(RecoveryFilePath(m_workingFolder)))
            restored = LoadRecoveryFile(*m_tables, m_workingFolder);
        else
            RemoveRecoveryFile(m_workingFolder);
    }

    RememberedChoices& choices = *this;
    choices = settings.readChoices();

    bool tablesModified = false;
    {
        // Every confirmed change of a table is kept in the recovery file. The
        // copy is only a safety net: a failure to write it is not the user's
        // concern until the real save at exit.
        PlanningSession session(*m_tables);
        connect(&session, &PlanningSession::changed, this, [this](PlanningSession::Changes what) {
            if (what.testAnyFlags(PlanningSession::kTables))
                SaveRecoveryFile(*m_tables, m_workingFolder);
        });
        if (restored)
            SaveRecoveryFile(*m_tables, m_workingFolder);
        tablesModified = runMainWindow(session, choices);
    }

    if (tablesModified || restored)
        SaveAtExit(loads, prompts);

    settings.writeChoices(choices);
    return false;
}

void CQuorvelApp::SaveAtExit(const QList<LoadOutcome>& loads, const StartupPrompts& prompts)
{
    // A file that exists but could not be read was never shown to the user:
    // replacing it with the defaults plus this run's edits may throw away a
    // whole table, so it is replaced only when the user says so.
    QStringList keep;
    for (const LoadOutcome& load : loads) {
        if (!ReplaceableWhenUnreadable(load))
            continue;
        if (!prompts.replaceUnreadable || !prompts.replaceUnreadable(load.filePath))
            keep.append(QFileInfo(load.filePath).fileName());
    }

    // A failed save loses the user's edits, so it is told; only the user
    // decides to give them up.
    QString folder = m_workingFolder;
    for (;;) {
        const QList<SaveFailure> failures = SaveTables(*m_tables, folder, keep);
        if (failures.isEmpty())
            break;
        const SaveDecision decision =
            prompts.saveFailed ? prompts.saveFailed(failures) : SaveDecision{};
        if (!prompts.saveFailed || decision.action == SaveDecision::Action::GiveUp) {
            RemoveRecoveryFile(m_workingFolder);
            return;
        }
        if (decision.action == SaveDecision::Action::SaveElsewhere) {
            folder = decision.folder;
            keep.clear(); // nothing of the other folder was read
        } else {
            folder = m_workingFolder;
        }
    }
    // A table kept out of its file lives on in the recovery file, which the
    // next start offers to restore.
    if (keep.isEmpty())
        RemoveRecoveryFile(m_workingFolder);
    else
        SaveRecoveryFile(*m_tables, m_workingFolder); // newer than the file just saved
}
