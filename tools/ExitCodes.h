#pragma once

// One meaning per exit code, the same in every Quorvel command-line program
// (and in the README and each program's --help).
inline constexpr int kExitOk = 0;
// A file the command names (a CSV file, standard input or output) could not
// be read or written, or a data file could not be saved.
inline constexpr int kExitFileFailed = 1;
// The command line is wrong: an unknown or repeated option, a missing or
// out-of-range value. Nothing was read or written.
inline constexpr int kExitUsage = 2;
// Virus.dat or Heroes.dat exists but cannot be read (no permission, a folder,
// a pipe, a device or a dangling link in its place). Nothing was written.
inline constexpr int kExitDataFileUnreadable = 3;
// The CSV file has problems, each listed; nothing was written.
inline constexpr int kExitCsvRefused = 4;

// The same, as the closing paragraph of a program's --help.
inline constexpr char kExitCodesHelp[] =
    "\nExit status:\n"
    "  0  done\n"
    "  1  a file could not be read or written (a CSV file, standard input or\n"
    "     output), or a data file could not be saved\n"
    "  2  the command line is wrong (nothing was read or written)\n"
    "  3  Virus.dat or Heroes.dat exists but cannot be read\n"
    "  4  the CSV file has problems, each listed (nothing was written)\n";
