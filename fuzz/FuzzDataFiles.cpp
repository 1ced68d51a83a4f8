// Both data files from arbitrary bytes of any length, loaded as the program
// loads them, saved over copies of themselves and loaded again (the tables
// come back equal, the bytes past them are kept byte for byte), then
// searched: the fast search must give exactly the reference's answer.
//
// Input: bytes 0-1 the split point (little-endian, taken modulo the payload
// size + 1), bytes 2-13 four searches of three bytes each (virus, leader,
// strategy), the rest the payload: Virus.dat is its first `split` bytes,
// Heroes.dat the others. A short input reads missing header bytes as 0.

#include "fuzz/FuzzSupport.h"

#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/TeamSearch.h"
#include "storage/DataFiles.h"
#include "tests/support/EligibleTeams.h"
#include "texts/PlanTexts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t kSearches = 4;
constexpr std::size_t kHeaderSize = 2 + 3 * kSearches;
constexpr std::size_t kSearchesRun = 2;

// Both searches can score hundreds of millions of teams on a roster where
// many heroes are checked with high 可爱 (the reference always does there, and
// the fast search does too when equal heroes leave its bounds nothing to cut:
// seconds per search). A search whose eligible teams exceed this limit is run
// on the roster cut down: the checked heroes at the end of the candidate list
// (least 可爱) are unchecked one by one until the teams fit. Each input so
// stays within milliseconds and is still compared; the engine's differential
// test covers full rosters.
//
// The limit is low: the loading and saving are what this target is about,
// and the engine's own differential test covers searches of every size; a
// hundred teams keep each input well under a millisecond.
constexpr std::uint64_t kTeamLimit = 100;

std::uint8_t HeaderByte(const std::uint8_t* data, std::size_t size, std::size_t index)
{
    return index < size ? data[index] : 0;
}

// What a load must give: the file's bytes over the defaults, nothing more.
template <typename Table>
bool LoadedAsTheFileSays(const Table& loaded, const Table& defaults, QByteArrayView file)
{
    const auto* image = reinterpret_cast<const char*>(loaded.data());
    const auto* fallback = reinterpret_cast<const char*>(defaults.data());
    const std::size_t covered = std::min<std::size_t>(file.size(), sizeof loaded);
    return (covered == 0 || std::memcmp(image, file.data(), covered) == 0) &&
           std::memcmp(image + covered, fallback + covered, sizeof loaded - covered) == 0;
}

// Saves the loaded tables over copies of the two files in a folder of its
// own and loads them again: the same tables, and each file is its table's
// image followed by exactly the bytes the old file held past it.
void CheckSaveRoundTrip(const PlanningTables& loaded, QByteArrayView virusFile,
                        QByteArrayView heroFile)
{
    static const QString folder = [] {
        const QString path = QDir(fuzz::ScratchFolder()).filePath(QStringLiteral("saved"));
        if (!QDir().mkpath(path))
            fuzz::Fail("cannot make the save folder", __FILE__, __LINE__);
        return path;
    }();
    const QString virusPath = DataFilePath(folder, kVirusFileName);
    const QString heroPath = DataFilePath(folder, kHeroFileName);
    fuzz::WriteBytes(virusPath, virusFile);
    fuzz::WriteBytes(heroPath, heroFile);
    FUZZ_CHECK(SaveTables(loaded, folder).isEmpty());

    static const auto reloaded = std::make_unique<PlanningTables>();
    FUZZ_CHECK(LoadVirusTable(reloaded->virusTable, folder).state == LoadOutcome::State::Read);
    FUZZ_CHECK(LoadHeroTable(reloaded->heroTable, folder).state == LoadOutcome::State::Read);
    FUZZ_CHECK(std::memcmp(&reloaded->virusTable, &loaded.virusTable, sizeof(VirusTable)) == 0);
    FUZZ_CHECK(std::memcmp(&reloaded->heroTable, &loaded.heroTable, sizeof(HeroTable)) == 0);

    const auto tailKept = [](const QString& path, QByteArrayView old, qsizetype tableSize) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray saved = file.readAll();
        const QByteArrayView oldTail =
            old.size() > tableSize ? old.sliced(tableSize) : QByteArrayView();
        return saved.size() == tableSize + oldTail.size() &&
               QByteArrayView(saved).sliced(tableSize) == oldTail;
    };
    FUZZ_CHECK(tailKept(virusPath, virusFile, sizeof(VirusTable)));
    FUZZ_CHECK(tailKept(heroPath, heroFile, sizeof(HeroTable)));
}

// Every name stays inside its record's field, and the texts shown for the
// searched virus and leader hold exactly that name. (The texts are built for
// those two only: building all 192 for every input cost a quarter of it.)
void CheckNames(const PlanningTables& tables, int virus, int leader)
{
    for (const HeroRecord& hero : tables.heroTable)
        FUZZ_CHECK(HeroName(hero).size() <= kHeroNameUnits);
    for (const VirusRecord& record : tables.virusTable)
        FUZZ_CHECK(VirusName(record).size() <= kVirusNameUnits);
    const HeroRecord& hero = tables.heroTable[leader];
    const QString heroName = PlanTexts::HeroNameText(hero);
    FUZZ_CHECK(heroName.size() == static_cast<qsizetype>(HeroName(hero).size()));
    const VirusRecord& shown = tables.virusTable[virus];
    const QString virusName = PlanTexts::VirusNameText(shown);
    FUZZ_CHECK(virusName.size() == static_cast<qsizetype>(VirusName(shown).size()));
    FUZZ_CHECK(PlanTexts::VirusEntry(virus, shown).contains(virusName));
}

// A found plan lists six different heroes of the roster and the totals of
// exactly those heroes.
void CheckPlanIsSensible(const PlanningTables& tables, const PlanRecord& plan)
{
    std::int64_t smart = 0;
    std::int64_t cute = 0;
    std::int64_t abnormal = 0;
    for (int i = 0; i < 6; ++i) {
        FUZZ_CHECK(plan.heroes[i] < static_cast<std::uint32_t>(kHeroCount));
        for (int j = 0; j < i; ++j)
            FUZZ_CHECK(plan.heroes[i] != plan.heroes[j]);
        const HeroRecord& hero = tables.heroTable[plan.heroes[i]];
        smart += hero.smart;
        cute += hero.cute;
        abnormal += hero.abnormal;
    }
    FUZZ_CHECK(plan.smartTotal == smart && plan.cuteTotal == cute &&
               plan.abnormalTotal == abnormal);
    FUZZ_CHECK(plan.heroDamageHigh == plan.heroDamageLow + 5);
    FUZZ_CHECK(plan.virusDamageHigh == plan.virusDamageLow + 5);
    FUZZ_CHECK(plan.critDamageHigh == plan.critDamageLow + 5);
    FUZZ_CHECK(plan.score > 0.0f && std::isfinite(plan.score));
}

// Unchecks the candidates of least 可爱 until the search for this leader,
// virus and strategy has at most kTeamLimit teams to score. Unchecking the
// tail of the candidate list leaves its head in the same order, so the head
// that fits is found on the list as built, by halving.
void CutRoster(PlanningTables& tables, int virus, int leader, int n)
{
    const std::int64_t threshold = SearchThreshold(tables.virusTable[virus], n);
    static const auto list = std::make_unique<CandidateList>();
    PrepareCandidates(tables.heroTable, leader, HeroSet{}, *list);
    const int count = list->count;
    if (CountEligibleTeams(*list, threshold, kTeamLimit) <= kTeamLimit)
        return;
    int fits = 1; // a lone leader has no team at all
    int tooMany = count;
    while (tooMany - fits > 1) {
        const int middle = fits + (tooMany - fits) / 2;
        list->count = middle;
        if (CountEligibleTeams(*list, threshold, kTeamLimit) <= kTeamLimit)
            fits = middle;
        else
            tooMany = middle;
    }
    for (int position = fits; position < count; ++position)
        tables.heroTable[CandidateHeroIndex(list->records[position])].checked = 0;
    PrepareCandidates(tables.heroTable, leader, HeroSet{}, *list);
    FUZZ_CHECK(list->count == fits);
    FUZZ_CHECK(CountEligibleTeams(*list, threshold, kTeamLimit) <= kTeamLimit);
}

void Search(const PlanningTables& loaded, const PlanRequest& request)
{
    static const auto tables = std::make_unique<PlanningTables>();
    *tables = loaded;
    const int virus = request.virus;
    const int leader = request.leader;
    CutRoster(*tables, virus, leader, request.strategy.n);

    // Fields the search must either fill or leave alone.
    PlanRecord given;
    std::memset(static_cast<void*>(&given), 0xA5, sizeof given);
    given.heroes[0] = static_cast<std::uint32_t>(leader);

    PlanRecord fast = given;
    const bool fastFound = FindBestTeam(*tables, request, fast);
    if (fastFound)
        CheckPlanIsSensible(*tables, fast);
    else
        FUZZ_CHECK(std::memcmp(&fast, &given, sizeof given) == 0);

    PlanRecord reference = given;
    const bool referenceFound = FindBestTeamReference(*tables, request, reference);
    if (fastFound != referenceFound || std::memcmp(&fast, &reference, sizeof fast) != 0) {
        std::fprintf(stderr, "virus %d leader %d n %d k %d: fast %d, reference %d\n", virus, leader,
                     request.strategy.n, request.strategy.k, fastFound, referenceFound);
        for (const PlanRecord* plan : {&fast, &reference}) {
            std::fprintf(stderr, "  heroes %u %u %u %u %u %u score %.9g\n", plan->heroes[0],
                         plan->heroes[1], plan->heroes[2], plan->heroes[3], plan->heroes[4],
                         plan->heroes[5], static_cast<double>(plan->score));
        }
        FUZZ_CHECK(!"the fast search and the reference differ");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::ScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView payload = size > kHeaderSize
                                       ? QByteArrayView(data + kHeaderSize, size - kHeaderSize)
                                       : QByteArrayView();
    const std::size_t split = (HeaderByte(data, size, 0) | HeaderByte(data, size, 1) << 8) %
                              (static_cast<std::size_t>(payload.size()) + 1);
    const QByteArrayView virusFile = payload.first(static_cast<qsizetype>(split));
    const QByteArrayView heroFile = payload.sliced(static_cast<qsizetype>(split));

    const QString& folder = fuzz::ScratchFolder();
    fuzz::WriteBytes(QDir(folder).filePath(QString::fromLatin1(kVirusFileName)), virusFile);
    fuzz::WriteBytes(QDir(folder).filePath(QString::fromLatin1(kHeroFileName)), heroFile);

    // On the heap, as in the program, so that a read past a table shows;
    // allocated once, as the program does.
    static const auto tables = std::make_unique<PlanningTables>();
    static const auto defaults = std::make_unique<PlanningTables>();
    std::memset(static_cast<void*>(tables.get()), 0x5A, sizeof *tables);
    LoadVirusTable(tables->virusTable, folder);
    LoadHeroTable(tables->heroTable, folder);
    FillDefaultVirusTable(defaults->virusTable);
    FillDefaultHeroTable(defaults->heroTable);
    FUZZ_CHECK(LoadedAsTheFileSays(tables->virusTable, defaults->virusTable, virusFile));
    FUZZ_CHECK(LoadedAsTheFileSays(tables->heroTable, defaults->heroTable, heroFile));
    CheckSaveRoundTrip(*tables, virusFile, heroFile);

    // Two of the four searches the header describes: the engine's own tests
    // search far more, and the bytes of the other two still pick the files'
    // contents through the split.
    const StrategyList strategies = BuildStrategyList(false);
    for (std::size_t i = 0; i < kSearchesRun; ++i) {
        PlanRequest request;
        request.virus = HeaderByte(data, size, 2 + 3 * i) % kVirusCount;
        request.leader = HeaderByte(data, size, 3 + 3 * i) % kHeroCount;
        // Generation order: n, then k, ascending.
        request.strategy = strategies[HeaderByte(data, size, 4 + 3 * i) % kStrategyCount];
        CheckNames(*tables, request.virus, request.leader);
        Search(*tables, request);
    }
    return 0;
}
