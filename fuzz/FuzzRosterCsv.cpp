// Arbitrary bytes as a CSV file, imported into the sample guild's roster and
// virus table: a refused file leaves the table byte for byte as it was and
// lists at least one problem; a taken file changes only the rows it names,
// and the table it leaves, exported and imported again, stays the same.

#include "fuzz/FuzzSupport.h"

#include "storage/RosterCsv.h"

#include <QByteArray>
#include <QFile>

#include <cstring>
#include <memory>

namespace {

template <typename Table> QByteArray Image(const Table& table)
{
    return QByteArray(reinterpret_cast<const char*>(table.data()), sizeof table);
}

HeroTable g_heroes{};
VirusTable g_viruses{};

template <typename Table, typename Read, typename Write>
void Check(QByteArrayView bytes, const Table& start, Read read, Write write)
{
    auto table = std::make_unique<Table>(start);
    const RosterCsv::ImportResult result = read(bytes, *table, -1);
    if (!result.accepted()) {
        FUZZ_CHECK(Image(*table) == Image(start));
        FUZZ_CHECK(result.namedRows.isEmpty());
        return;
    }
    // Rows the file did not name are untouched.
    for (std::size_t row = 0; row < start.size(); ++row) {
        if (!result.namedRows.contains(static_cast<int>(row)))
            FUZZ_CHECK(std::memcmp(&(*table)[row], &start[row], sizeof start[row]) == 0);
    }
    // What was taken travels again unchanged.
    auto again = std::make_unique<Table>(*table);
    const RosterCsv::ImportResult second = read(write(*table), *again, -1);
    FUZZ_CHECK(second.accepted());
    FUZZ_CHECK(second.namedRows.size() == static_cast<qsizetype>(start.size()));
    FUZZ_CHECK(Image(*again) == Image(*table));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The sample guild, so that imports meet real names and stats.
    QFile heroes(QStringLiteral(QUORVEL_EXAMPLES_DIR "/Heroes.dat"));
    QFile viruses(QStringLiteral(QUORVEL_EXAMPLES_DIR "/Virus.dat"));
    if (!heroes.open(QIODevice::ReadOnly) || !viruses.open(QIODevice::ReadOnly) ||
        heroes.read(reinterpret_cast<char*>(g_heroes.data()), sizeof g_heroes) != sizeof g_heroes ||
        viruses.read(reinterpret_cast<char*>(g_viruses.data()), sizeof g_viruses) !=
            sizeof g_viruses)
        return -1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    Check(bytes, g_heroes, RosterCsv::ReadHeroes, RosterCsv::WriteHeroes);
    Check(bytes, g_viruses, RosterCsv::ReadViruses, RosterCsv::WriteViruses);
    return 0;
}
