#pragma once

#include <QIODevice>
#include <QStringList>
#include <QTextStream>

#include "tools/ExitCodes.h"

inline constexpr int kRosterExitOk = kExitOk;
// A CSV file or standard input or output could not be read or written, or
// the data file could not be saved.
inline constexpr int kRosterExitFile = kExitFileFailed;
// A bad argument; nothing was read or written.
inline constexpr int kRosterExitRefused = kExitUsage;
// The folder's data file exists but cannot be read.
inline constexpr int kRosterExitUnreadable = kExitDataFileUnreadable;
// A CSV file with problems; nothing was written.
inline constexpr int kRosterExitCsvRefused = kExitCsvRefused;

// Runs `quorvel-roster` for a full argument list (program name first):
//   export --dir DIR (--heroes|--viruses) FILE   a table as CSV (FILE "-": `out`)
//   import --dir DIR (--heroes|--viruses) FILE   a CSV into the table's data file
//                                                (FILE "-": `in`)
// Reports go to `err`; export to "-" writes nothing else to `out`.
int RunRosterCommand(const QStringList& arguments, QIODevice& in, QIODevice& out, QTextStream& err);
