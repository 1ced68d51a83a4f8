#pragma once

#include "storage/DataFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

// Helpers shared by the data-file tests. Every folder they touch is a
// QTemporaryDir of the test.
namespace storagetest {

// Tables at their defaults, on the heap (a table is kilobytes).
inline std::unique_ptr<HeroTable> DefaultHeroes()
{
    auto table = std::make_unique<HeroTable>();
    FillDefaultHeroTable(*table);
    return table;
}

inline std::unique_ptr<VirusTable> DefaultViruses()
{
    auto table = std::make_unique<VirusTable>();
    FillDefaultVirusTable(*table);
    return table;
}

// The whole file, or an empty array when it cannot be read.
QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

template <typename Table> QByteArray Image(const Table& table)
{
    return QByteArray(reinterpret_cast<const char*>(table.data()), sizeof table);
}

template <typename Table> void FillBytes(Table& table, unsigned char value)
{
    std::memset(table.data(), value, sizeof table);
}

// Tables whose every byte depends on the seed: two seeds that differ by 1 give
// tables that differ at every byte, so any mix of two images shows.
std::unique_ptr<PlanningTables> PatternTables(int seed);

// The names in a folder, hidden ones included, sorted.
QStringList FolderEntries(const QString& folder);

// The system's text for an errno value, as a save reports it.
QString SystemText(int error);

// A file's permission bits (owner, group, others), as chmod sets them.
unsigned ModeBits(const QString& path);
void SetModeBits(const QString& path, unsigned mode);

// Runs `work` in a forked child and returns what it returned, so that process
// limits and identities can be changed without touching the test process.
// The child never returns into the test.
struct ChildResult
{
    bool exitedNormally = false;
    std::string output;
};
ChildResult RunInChild(const std::function<std::string()>& work);

// The failures of a save as one line each, "path|reason", for passing them
// out of a child.
std::string DescribeFailures(const QList<SaveFailure>& failures);

} // namespace storagetest

// Readable names for parameterised tests and failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}
