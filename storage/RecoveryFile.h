#pragma once

#include "storage/DataFiles.h"

#include <optional>

// The data files are written only when the program ends; until then a copy
// of both tables goes to a recovery file after every confirmed change, so a
// crash, a kill or a power cut loses nothing. A normal end removes it.
//
// It is kept in the user's own application-data folder
// (<data folder>/Quorvel/recovery), named after the guild folder's canonical
// path, so nobody else who shares the guild folder can plant one or make the
// program write through a link; it is only ever written onto a regular file
// or nothing there.
//
// Its bytes: a marker, then the virus table's image, then the hero table's,
// as in the data files. The marker says why it was left: kRecoveryMarker by a
// run that did not end normally, kKeptRecoveryMarker by a run whose user kept
// an unreadable data file at exit.
inline constexpr char kRecoveryMarker[] = "QRVRCV01";
inline constexpr char kKeptRecoveryMarker[] = "QRVRCVK1";

enum class RecoveryReason
{
    UnfinishedRun, // written during a run: found at start, the run ended abnormally
    KeptAtExit,    // the user kept a data file that could not be read
};

// The recovery file of the guild folder `folder`.
QString RecoveryFilePath(const QString& folder);

// Replaces the recovery file atomically (through SaveFileImage); a link or
// anything but a regular file at its path is refused.
std::optional<SaveFailure> SaveRecoveryFile(const PlanningTables& tables, const QString& folder,
                                            RecoveryReason reason = RecoveryReason::UnfinishedRun);

// A recovery file worth offering: one with a marker and both tables whose
// tables differ from `loaded`, the tables the data files gave at start-up.
// Whether it is older or newer than the data files does not matter (clocks
// differ, a roster import may have come after a crash); one that holds
// nothing beyond the data files has nothing to offer.
struct PendingRecovery
{
    QString path;
    RecoveryReason reason = RecoveryReason::UnfinishedRun;
};
std::optional<PendingRecovery> FindPendingRecovery(const QString& folder,
                                                   const PlanningTables& loaded);

// Removes a recovery file whose tables are `loaded`: the data files already
// hold everything it kept.
void RemoveRecoveryFileIfContained(const QString& folder, const PlanningTables& loaded);

// Copies the tables out of the recovery file; false, leaving `tables`
// untouched, when it is missing or does not hold both tables.
bool LoadRecoveryFile(PlanningTables& tables, const QString& folder);

void RemoveRecoveryFile(const QString& folder);
