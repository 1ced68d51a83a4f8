#include "app/CQuorvelApp.h"

#include "QuorvelVersion.h"
#include "storage/DiskChangesMerge.h"
#include "storage/FileErrors.h"
#include "storage/GuildFolderLock.h"
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

    // A second window in one folder would overwrite the first one's saves
    // and share its recovery file: it may only look.
    GuildFolderLock folderLock(m_workingFolder);
    bool readOnly = false;
    if (folderLock.tryLock() == GuildFolderLock::State::HeldByOther) {
        if (prompts.openReadOnly && !prompts.openReadOnly(folderLock.holder(), m_workingFolder))
            return false;
        readOnly = true;
    }

    const QList<LoadOutcome> loads{LoadVirusTable(m_tables->virusTable, m_workingFolder),
                                   LoadHeroTable(m_tables->heroTable, m_workingFolder)};
    *m_baseline = *m_tables;
    QList<LoadOutcome> unreadable;
    for (const LoadOutcome& load : loads) {
        if (load.state == LoadOutcome::State::Unreadable)
            unreadable.append(load);
    }
    if (!unreadable.isEmpty() && prompts.unreadableFiles)
        prompts.unreadableFiles(unreadable);

    bool restored = false;
    if (!readOnly) {
        const std::optional<PendingRecovery> pending =
            FindPendingRecovery(m_workingFolder, *m_tables);
        if (!pending)
            RemoveRecoveryFileIfContained(m_workingFolder, *m_tables);
        else if (prompts.restoreRecovery && prompts.restoreRecovery(*pending))
            restored = LoadRecoveryFile(*m_tables, m_workingFolder);
        else if (prompts.restoreRecovery)
            RemoveRecoveryFile(m_workingFolder);
    }

    RememberedChoices& choices = *this;
    choices = settings.readChoices();

    bool tablesModified = false;
    {
        // Every confirmed change of a table is kept in the recovery file. The
        // copy is only a safety net: a failure to write it is not the user's
        // concern until the real save at exit. A read-only run has none: the
        // folder's holder owns it.
        PlanningSession session(*m_tables);
        connect(&session, &PlanningSession::changed, this,
                [this, readOnly](PlanningSession::Changes what) {
                    if (!readOnly && what.testAnyFlags(PlanningSession::kTables))
                        SaveRecoveryFile(*m_tables, m_workingFolder);
                });
        if (restored)
            SaveRecoveryFile(*m_tables, m_workingFolder);
        tablesModified = runMainWindow(session, choices);
    }

    if (readOnly && tablesModified && prompts.readOnlyChanged) {
        const SaveDecision decision = prompts.readOnlyChanged();
        if (decision.action == SaveDecision::Action::SaveElsewhere)
            SaveAtExit({}, prompts, decision.folder, true);
    } else if (!readOnly && (tablesModified || restored)) {
        SaveAtExit(loads, prompts, m_workingFolder, false);
    }

    settings.writeChoices(choices);
    return false;
}

void CQuorvelApp::SaveAtExit(const QList<LoadOutcome>& loads, const StartupPrompts& prompts,
                             const QString& firstFolder, bool readOnly)
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
    QString folder = firstFolder;
    for (;;) {
        QList<SaveFailure> failures;
        QStringList skip = keep;
        if (folder == m_workingFolder && !readOnly) {
            // Another program may have written the files since they were
            // loaded: its records are merged in, never overwritten unasked.
            const DiskMergeOutcome merge =
                MergeChangesOnDisk(*m_tables, *m_baseline, folder, keep, prompts.resolveConflict);
            failures = merge.failures;
            skip += merge.hold;
        }
        failures += SaveTables(*m_tables, folder, skip);
        if (failures.isEmpty())
            break;
        const SaveDecision decision =
            prompts.saveFailed ? prompts.saveFailed(failures) : SaveDecision{};
        if (!prompts.saveFailed || decision.action == SaveDecision::Action::GiveUp) {
            if (!readOnly)
                RemoveRecoveryFile(m_workingFolder);
            return;
        }
        if (decision.action == SaveDecision::Action::SaveElsewhere) {
            folder = decision.folder;
            keep.clear(); // nothing of the other folder was read
        } else if (!readOnly) {
            folder = m_workingFolder;
        }
    }
    if (readOnly)
        return;
    // A table kept out of its file lives on in the recovery file, which the
    // next start offers to restore, saying why it was kept.
    if (keep.isEmpty())
        RemoveRecoveryFile(m_workingFolder);
    else
        SaveRecoveryFile(*m_tables, m_workingFolder, RecoveryReason::KeptAtExit);
}
