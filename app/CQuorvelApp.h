#pragma once

#include "engine/PlanningTables.h"
#include "session/PlanningSession.h"
#include "storage/DataFiles.h"
#include "storage/RememberedChoices.h"
#include "storage/StartupPrompts.h"

#include <QApplication>
#include <QList>

#include <functional>
#include <memory>

// The application object: owns the two tables for the whole process and holds the five remembered
// choices (RememberedChoices' m_lastVirus … m_planOrder). InitInstance runs the whole program in
// one pass.
class CQuorvelApp final : public QApplication, public RememberedChoices
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CQuorvelApp)

public:
    // Runs the main window modally on the session (the tables and the
    // request) and the choices, and returns whether the tables were changed
    // (the window's m_tablesModified).
    using MainWindowRun = std::function<bool(PlanningSession&, RememberedChoices&)>;

    // Also makes a file size limit (ulimit -f) a write error that a save
    // reports, rather than a signal that ends the program half-way.
    CQuorvelApp(int& argc, char** argv);
    ~CQuorvelApp() override;

    // Loads Virus.dat and Heroes.dat from the current directory, offers a
    // recovery file left by an abnormal end, reads the remembered choices,
    // runs the main window (keeping the recovery file up to date after every
    // confirmed change) and, when the tables were changed, saves both files
    // (virus first), asking again for as long as a save fails until the user
    // has the files written or gives them up. Then writes the choices back:
    // they never hold the data up. Returns false: nothing runs after it.
    bool InitInstance(const MainWindowRun& runMainWindow, const StartupPrompts& prompts);

    PlanningTables& tables() { return *m_tables; }
    // The working folder as it was at start-up: the data files are saved to
    // that path even if the folder was removed and made again meanwhile.
    const QString& workingFolder() const { return m_workingFolder; }

private:
    void SaveAtExit(const QList<LoadOutcome>& loads, const StartupPrompts& prompts);

    // Allocated once and never moved: the window keeps references into it.
    std::unique_ptr<PlanningTables> m_tables = std::make_unique<PlanningTables>();
    QString m_workingFolder;
};
