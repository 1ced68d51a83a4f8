#pragma once

#include "storage/DataFiles.h"

// The data files are written only when the program ends; until then a copy
// of both tables goes to a recovery file in the working folder after every
// confirmed change, so a crash, a kill or a power cut loses nothing. A normal
// end removes it; one found at start-up, newer than the data files, is what
// an abnormal end left.
//
// Its bytes: the marker kRecoveryMarker, then the virus table's image, then
// the hero table's, as in the data files.
inline constexpr char kRecoveryFileName[] = "Quorvel.recovery";
inline constexpr char kRecoveryMarker[] = "QRVRCV01";

QString RecoveryFilePath(const QString& folder);

// Replaces the recovery file atomically (through SaveFileImage).
std::optional<SaveFailure> SaveRecoveryFile(const PlanningTables& tables, const QString& folder);

// Whether `folder` holds a recovery file with the marker and both tables that
// was written after each data file present there (a missing data file is
// older than any recovery file).
bool HasPendingRecovery(const QString& folder);

// Copies the tables out of the recovery file; false, leaving `tables`
// untouched, when it is missing or does not hold both tables.
bool LoadRecoveryFile(PlanningTables& tables, const QString& folder);

void RemoveRecoveryFile(const QString& folder);
