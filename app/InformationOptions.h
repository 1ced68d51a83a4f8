#pragma once

#include <cstdio>
#include <optional>

// `quorvel --help` and `quorvel --version` answer on `out` and end the run
// before the application object exists: no display is needed, no window
// opens, no data file, recovery file or setting is read or written. The
// window program reads no other argument of its own; the rest (Qt's own,
// such as -platform) go to Qt as before. Returns the exit code when it
// answered.
std::optional<int> AnswerInformationOptions(int argc, const char* const* argv, std::FILE* out);
