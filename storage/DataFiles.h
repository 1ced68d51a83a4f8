#pragma once

#include "engine/PlanningTables.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The two data files are raw images of the tables: no header, no count.
inline constexpr char kVirusFileName[] = "Virus.dat";
inline constexpr char kHeroFileName[] = "Heroes.dat";

// A file that could not be saved, with the system's reason and its error
// code (an errno value, or kNotARegularFile).
struct SaveFailure
{
    QString filePath;
    QString reason;
    int error = 0;
};

// What loading found at a data file's path.
struct LoadOutcome
{
    enum class State
    {
        Missing,    // nothing there: the defaults stand
        Read,       // a regular file, read to its end or to the table's size
        Unreadable, // something there that could not be read (see error)
    };
    QString filePath;
    State state = State::Missing;
    int error = 0;  // errno value or kNotARegularFile when Unreadable
    QString reason; // the system's text for error
};

void FillDefaultVirusTable(VirusTable& table);
void FillDefaultHeroTable(HeroTable& table);

// Fills the table with its defaults, then lays the first bytes of the data
// file in `folder` (empty: the current directory) over them. A missing,
// short or long file is not an error: what it holds replaces the defaults
// byte for byte, the rest keeps them. A path holding something that cannot
// be read (no permission, a folder, a pipe or a device, which are never
// opened for a blocking read) leaves the defaults, or the bytes that arrived
// before a read error, and is reported as Unreadable.
LoadOutcome LoadVirusTable(VirusTable& table, const QString& folder = QString());
LoadOutcome LoadHeroTable(HeroTable& table, const QString& folder = QString());

// Writes Virus.dat, then Heroes.dat, in `folder` (empty: the current
// directory). Each file is replaced atomically, so it holds either its old or
// its new bytes, never a mix; bytes of an existing file beyond the table are
// kept (copied in bounded chunks, holes of a sparse file left as holes). A
// path that is, or leads to, a folder, a device or a pipe is refused, never
// replaced. A failure of one file does not stop the other. Returns the
// failures, empty when both files were written. Names in `skip` (a bare file
// name, kVirusFileName or kHeroFileName) are left alone.
QList<SaveFailure> SaveTables(const PlanningTables& tables, const QString& folder = QString(),
                              const QStringList& skip = {});

// Replaces the file at `path` atomically with `image` followed by whatever
// the old file held past image.size() bytes; on success, temporary files
// left beside it by an earlier save that was killed are removed.
std::optional<SaveFailure> SaveFileImage(const QString& path, QByteArrayView image);

// Writes one table's data file in `folder`, the same way SaveTables writes
// each of the two. Returns the failure, nothing when the file was written.
std::optional<SaveFailure> SaveVirusTable(const VirusTable& table,
                                          const QString& folder = QString());
std::optional<SaveFailure> SaveHeroTable(const HeroTable& table, const QString& folder = QString());

// The path of a data file inside `folder` (empty: the current directory).
QString DataFilePath(const QString& folder, const char* fileName);
