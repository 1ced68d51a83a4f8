#pragma once

#include "PlanningTables.h"

#include <QList>
#include <QString>

#include <optional>

// The two data files are raw images of the tables: no header, no count.
inline constexpr char kVirusFileName[] = "Virus.dat";
inline constexpr char kHeroFileName[] = "Heroes.dat";

// A file that could not be saved, with the system's reason.
struct SaveFailure
{
    QString filePath;
    QString reason;
};

void FillDefaultVirusTable(VirusTable& table);
void FillDefaultHeroTable(HeroTable& table);

// Fills the table with its defaults, then lays the first bytes of the data
// file in `folder` (empty: the current directory) over them. A missing,
// unreadable, short or long file is not an error: what it holds replaces the
// defaults byte for byte, the rest keeps them.
void LoadVirusTable(VirusTable& table, const QString& folder = QString());
void LoadHeroTable(HeroTable& table, const QString& folder = QString());

// Writes Virus.dat, then Heroes.dat, in `folder` (empty: the current
// directory). Each file is replaced atomically, so it holds either its old or
// its new bytes, never a mix; bytes of an existing file beyond the table are
// kept. A failure of one file does not stop the other. Returns the failures,
// empty when both files were written.
QList<SaveFailure> SaveTables(const PlanningTables& tables, const QString& folder = QString());

// Writes one table's data file in `folder`, the same way SaveTables writes
// each of the two. Returns the failure, nothing when the file was written.
std::optional<SaveFailure> SaveVirusTable(const VirusTable& table,
                                          const QString& folder = QString());
std::optional<SaveFailure> SaveHeroTable(const HeroTable& table, const QString& folder = QString());

// The path of a data file inside `folder` (empty: the current directory).
QString DataFilePath(const QString& folder, const char* fileName);
