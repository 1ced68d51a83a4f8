#pragma once

// Shared by the fuzz targets: how a target reports a broken promise, and the
// scratch folder it writes its files into.

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A broken promise is a crash of the target: libFuzzer keeps the input, and
// the replay test fails on it.
[[noreturn]] inline void Fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

// One folder for the whole run, removed when the process ends normally. In
// memory where the system has a memory file system: the targets save through
// QSaveFile, whose flush to disk would otherwise cost more than the rest of
// an input.
inline const QString& ScratchFolder()
{
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isDir()
                                    ? QStringLiteral("/dev/shm/quorvel-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/quorvel-fuzz-XXXXXX"));
    if (!folder.isValid())
        Fail("no temporary folder", __FILE__, __LINE__);
    static const QString path = folder.path();
    return path;
}

// Replaces the file at `path` with exactly these bytes.
inline void WriteBytes(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        Fail("cannot write a scratch file", __FILE__, __LINE__);
}

} // namespace fuzz

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::fuzz::Fail(#condition, __FILE__, __LINE__);                                          \
    } while (false)

// Every target defines both: libFuzzer calls the first once, then the second
// for every input; the replay driver does the same for each corpus file.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
