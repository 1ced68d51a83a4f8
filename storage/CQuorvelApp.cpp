#include "CQuorvelApp.h"

#include "QuorvelVersion.h"
#include "SettingsStore.h"

CQuorvelApp::CQuorvelApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The About box shows the version this build was made from.
    setApplicationVersion(QString::fromLatin1(kQuorvelVersion));
    setDesktopFileName(QString::fromLatin1(kQuorvelDesktopId));
}

CQuorvelApp::~CQuorvelApp() = default;

bool CQuorvelApp::InitInstance(const MainWindowRun& runMainWindow,
                               const SaveFailurePrompt& saveFailed)
{
    const SettingsStore settings;

    LoadVirusTable(m_tables->virusTable);
    LoadHeroTable(m_tables->heroTable);

    RememberedChoices& choices = *this;
    choices = settings.readChoices();

    const bool tablesModified = runMainWindow(*m_tables, choices);

    settings.writeChoices(choices);

    if (tablesModified) {
        // A failed save loses the user's edits, so it is told; only the user
        // decides to give them up.
        for (;;) {
            const QList<SaveFailure> failures = SaveTables(*m_tables);
            if (failures.isEmpty() || !saveFailed(failures))
                break;
        }
    }
    return false;
}
