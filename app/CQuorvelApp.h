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

    // Takes the guild folder (the current directory) for this run, or, when
    // another run holds it, asks to open the tables read-only or quit.
    // Loads Virus.dat and Heroes.dat from it, offers a recovery file whose
    // tables differ from them, reads the remembered choices,
    // runs the main window (keeping the recovery file up to date after every
    // confirmed change) and, when the tables were changed, saves both files
    // (virus first), merging what another program wrote to them meanwhile,
    // asking again for as long as a save fails until the user has the files
    // written or gives them up. Then writes the choices back:
    // they never hold the data up. Returns false: nothing runs after it.
    bool InitInstance(const MainWindowRun& runMainWindow, const StartupPrompts& prompts);

    PlanningTables& tables() { return *m_tables; }
    // The working folder as it was at start-up: the data files are saved to
    // that path even if the folder was removed and made again meanwhile.
    const QString& workingFolder() const { return m_workingFolder; }

private:
    // Saves the changed tables into `folder`, merging what another program
    // wrote to the working folder's files meanwhile. A read-only run never
    // writes the working folder, nor the recovery file.
    void SaveAtExit(const QList<LoadOutcome>& loads, const StartupPrompts& prompts,
                    const QString& folder, bool readOnly);

    // Allocated once and never moved: the window keeps references into it.
    std::unique_ptr<PlanningTables> m_tables = std::make_unique<PlanningTables>();
    // The tables as the data files gave them at start-up, later as merged
    // from the files: what a save compares the files with, to see whether
    // another program wrote them.
    std::unique_ptr<PlanningTables> m_baseline = std::make_unique<PlanningTables>();
    QString m_workingFolder;
};
