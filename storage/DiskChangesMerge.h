#pragma once

#include "storage/DataFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Another program (a second window that was opened read-only and saved
// elsewhere, quorvel-roster, a copy from another machine) may have written a
// data file while this run had the tables open. Before the exit save
// replaces a file, its content is compared with what this run loaded; when it
// changed, the file's changes are merged in record by record (RecordMerge)
// and the user is asked only about records both sides changed.

// What the user chose for records that both this run and the file changed.
enum class ConflictChoice
{
    KeepBoth,    // the file keeps its version; this run's table goes to another file
    KeepThisRun, // this run's version replaces the file's
    KeepFile,    // the file's version stays and this run's is dropped
};

struct RecordConflict
{
    QString filePath;     // the data file
    bool heroes = false;  // Heroes.dat (else Virus.dat)
    QList<int> records;   // the records both sides changed, in table order
    QByteArray mine;      // this run's table image
    QByteArray theirs;    // the file's table image
    QString keepBothPath; // where KeepBoth writes this run's table
};
using ConflictPrompt = std::function<ConflictChoice(const RecordConflict&)>;

struct DiskMergeOutcome
{
    // Files with this run's version (KeepBoth) that could not be written;
    // their data file is left alone this time (in `hold`).
    QList<SaveFailure> failures;
    QStringList hold;
    // The files this run's versions were written to.
    QStringList keptCopies;
};

// For each data file in `folder` not named in `skip` whose table now differs
// from `baseline` (the tables as this run loaded them, or as last merged):
// merges the file's changes into `tables`, asks `ask` about conflicts (none:
// KeepBoth) and sets the baseline to the file's table, so a second call after
// a failed save asks nothing again unless the file changed again. A file
// that is missing now or cannot be read is not merged: the save decides.
DiskMergeOutcome MergeChangesOnDisk(PlanningTables& tables, PlanningTables& baseline,
                                    const QString& folder, const QStringList& skip,
                                    const ConflictPrompt& ask);

// The file beside `dataFilePath` that KeepBoth writes this run's table to:
// "Heroes-本次运行-<date>-<time>.dat" (the marker in the language shown), with
// a number added if taken.
QString KeepBothPath(const QString& dataFilePath);
