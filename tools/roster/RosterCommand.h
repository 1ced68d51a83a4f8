#pragma once

#include <QIODevice>
#include <QStringList>
#include <QTextStream>

inline constexpr int kRosterExitOk = 0;
// A file could not be read or written.
inline constexpr int kRosterExitFile = 1;
// A bad argument, or a CSV file with problems; nothing was written.
inline constexpr int kRosterExitRefused = 2;

// Runs `quorvel-roster` for a full argument list (program name first):
//   export --dir DIR (--heroes|--viruses) FILE   a table as CSV (FILE "-": `out`)
//   import --dir DIR (--heroes|--viruses) FILE   a CSV into the table's data file
//                                                (FILE "-": `in`)
// Reports go to `err`; export to "-" writes nothing else to `out`.
int RunRosterCommand(const QStringList& arguments, QIODevice& in, QIODevice& out, QTextStream& err);
