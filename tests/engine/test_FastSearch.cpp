#include "engine/Candidates.h"
#include "engine/CombatModel.h"
#include "engine/TeamSearch.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/SearchRoster.h"
#include "tests/support/CandidateTables.h"
#include "tests/support/EligibleTeams.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

using rosters::Rng;
using rosters::StatKind;
using rosters::Uniform;

// One random search: tables, virus index, leader, strategy.
struct SearchCase
{
    std::unique_ptr<PlanningTables> tables = std::make_unique<PlanningTables>();
    int virus = 0;
    int leader = 0;
    int n = 0;
    int k = 0;
    int checked = 0;
};

// 5..24 checked heroes mostly, so that most cases are cheap for the
// reference; some up to 60 and a few up to the full roster.
int DrawCheckedCount(Rng& rng)
{
    const int band = Uniform(rng, 0, 99);
    if (band < 70)
        return Uniform(rng, 5, 24);
    if (band < 94)
        return Uniform(rng, 25, 60);
    return Uniform(rng, 61, kHeroCount);
}

void DrawRoster(SearchCase& search, Rng& rng)
{
    HeroTable& heroes = search.tables->heroTable;
    search.checked = DrawCheckedCount(rng);
    switch (Uniform(rng, 0, 6)) {
    case 0:
    case 1:
        rosters::FillRoster(heroes, rng, StatKind::Realistic, search.checked);
        break;
    case 2:
        rosters::FillRoster(heroes, rng, StatKind::Uniform, search.checked, 9999);
        break;
    case 3:
        rosters::FillRoster(heroes, rng, StatKind::Uniform, search.checked, 65535);
        break;
    case 4:
        // Few distinct values: many equal stats and many equally scored teams.
        rosters::FillRoster(heroes, rng, StatKind::Tied, search.checked,
                            Uniform(rng, 0, 1) == 0 ? 30 : 3000);
        break;
    case 5:
        rosters::FillRoster(heroes, rng, StatKind::AntiCorrelated, search.checked);
        break;
    default:
        rosters::FillRoster(heroes, rng, StatKind::Uniform, search.checked, 60);
        break;
    }
}

void DrawVirus(SearchCase& search, Rng& rng)
{
    VirusRecord& virus = search.tables->virusTable[search.virus];
    switch (Uniform(rng, 0, 4)) {
    case 0:
        rosters::SetRealisticVirus(virus, search.virus);
        break;
    case 1:
        rosters::SetRandomVirus(virus, rng, 9999);
        break;
    case 2:
        rosters::SetRandomVirus(virus, rng, 65535);
        break;
    case 3:
        // 不异常 near and above 3333, where the damage factor turns negative.
        rosters::SetVirus(virus, Uniform(rng, 0, 400), Uniform(rng, 0, 9999),
                          Uniform(rng, 3300, 3400));
        break;
    default:
        // 愚蠢 0: every team passes the threshold.
        rosters::SetVirus(virus, 0, Uniform(rng, 0, 9999), Uniform(rng, 0, 3333));
        break;
    }
}

// The least value in [low, high] for which `fits` holds, given that it holds
// at `high` or nowhere and, once it holds, for every greater value.
int LeastFitting(int low, int high, const std::function<bool(int)>& fits)
{
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (fits(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

// The reference scores every eligible team; keep each case's count of them
// within `budget` by raising the threshold: first the virus's 愚蠢, then,
// for rosters of very large stats, its 不异常 (both raise the threshold while
// 不异常 is at most 3332), each to the least value that suffices.
void BoundReferenceCost(SearchCase& search, std::uint64_t budget)
{
    PlanningTables& tables = *search.tables;
    const CandidateList list = CandidatesFor(tables, search.leader);
    VirusRecord& virus = tables.virusTable[search.virus];
    const auto fits = [&] {
        return CountEligibleTeams(list, SearchThreshold(virus, search.n), budget) <= budget;
    };
    if (fits())
        return;
    virus.notAbnormal = static_cast<std::uint16_t>(std::min<int>(virus.notAbnormal, 3000));
    virus.stupid = static_cast<std::uint16_t>(LeastFitting(virus.stupid, 65535, [&](int stupid) {
        virus.stupid = static_cast<std::uint16_t>(stupid);
        return fits();
    }));
    if (fits())
        return;
    virus.notAbnormal =
        static_cast<std::uint16_t>(LeastFitting(virus.notAbnormal, 3332, [&](int notAbnormal) {
            virus.notAbnormal = static_cast<std::uint16_t>(notAbnormal);
            return fits();
        }));
}

SearchCase DrawCase(std::uint64_t seed, int index, std::uint64_t budget)
{
    Rng rng(seed * 1'000'003 + static_cast<std::uint64_t>(index));
    SearchCase search;
    DrawRoster(search, rng);
    search.virus = Uniform(rng, 0, kVirusCount - 1);
    DrawVirus(search, rng);
    // Half the leaders are checked heroes, half are not (while any is not).
    const bool wantChecked = search.checked == kHeroCount || Uniform(rng, 0, 1) == 0;
    do {
        search.leader = Uniform(rng, 0, kHeroCount - 1);
    } while ((search.tables->heroTable[search.leader].checked != 0) != wantChecked);
    const Strategy drawn = rosters::StrategyOf(index);
    search.n = drawn.n;
    search.k = drawn.k;
    BoundReferenceCost(search, budget);
    return search;
}

PlanRequest RequestOf(const SearchCase& search)
{
    return PlanRequest{search.virus, search.leader, Strategy{search.n, search.k}, {}};
}

PlanRecord Request(int leader)
{
    // Untouched fields must stay as they were: give them a recognisable value.
    PlanRecord plan;
    std::memset(static_cast<void*>(&plan), 0x5A, sizeof plan);
    plan.heroes[0] = static_cast<std::uint32_t>(leader);
    return plan;
}

std::string Describe(const SearchCase& search)
{
    const VirusRecord& virus = search.tables->virusTable[search.virus];
    return "virus " + std::to_string(search.virus) + " (" + std::to_string(virus.stupid) + "/" +
           std::to_string(virus.hateful) + "/" + std::to_string(virus.notAbnormal) + "), leader " +
           std::to_string(search.leader) + ", n " + std::to_string(search.n) + ", k " +
           std::to_string(search.k) + ", " + std::to_string(search.checked) + " checked";
}

void ExpectSamePlan(const PlanRecord& fast, const PlanRecord& reference)
{
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(fast.heroes[i], reference.heroes[i]) << "hero " << i;
    EXPECT_EQ(fast.smartTotal, reference.smartTotal);
    EXPECT_EQ(fast.cuteTotal, reference.cuteTotal);
    EXPECT_EQ(fast.abnormalTotal, reference.abnormalTotal);
    EXPECT_EQ(fast.heroDamageLow, reference.heroDamageLow);
    EXPECT_EQ(fast.heroDamageHigh, reference.heroDamageHigh);
    EXPECT_EQ(fast.virusDamageLow, reference.virusDamageLow);
    EXPECT_EQ(fast.virusDamageHigh, reference.virusDamageHigh);
    EXPECT_EQ(fast.critDamageLow, reference.critDamageLow);
    EXPECT_EQ(fast.critDamageHigh, reference.critDamageHigh);
    // Bit for bit, not merely close.
    std::uint32_t fastBits = 0;
    std::uint32_t referenceBits = 0;
    std::memcpy(&fastBits, &fast.score, sizeof fastBits);
    std::memcpy(&referenceBits, &reference.score, sizeof referenceBits);
    EXPECT_EQ(fastBits, referenceBits) << fast.score << " vs " << reference.score;
}

constexpr int kDifferentialCases = 2100;
constexpr std::uint64_t kReferenceBudget = 40'000;

TEST(FastSearchDifferential, MatchesTheReferenceOnRandomCases)
{
    int found = 0;
    int unchecked = 0;
    int mismatches = 0;
    for (int i = 0; i < kDifferentialCases && mismatches < 5; ++i) {
        SearchCase search = DrawCase(1, i, kReferenceBudget);
        PlanningTables& tables = *search.tables;
        SCOPED_TRACE("case " + std::to_string(i) + ": " + Describe(search));

        PlanRecord reference = Request(search.leader);
        SearchStats referenceStats;
        const bool referenceFound =
            FindBestTeamReference(tables, RequestOf(search), reference, &referenceStats);
        const std::uint64_t eligible =
            CountEligibleTeams(CandidatesFor(tables, search.leader),
                               SearchThreshold(tables.virusTable[search.virus], search.n));

        PlanRecord fast = Request(search.leader);
        SearchStats stats;
        const bool fastFound = FindBestTeam(tables, RequestOf(search), fast, &stats);

        const bool same =
            fastFound == referenceFound && std::memcmp(&fast, &reference, sizeof fast) == 0;
        if (!same) {
            ++mismatches;
            EXPECT_EQ(fastFound, referenceFound);
            ExpectSamePlan(fast, reference);
        }
        // The reference scores exactly the eligible teams, the fast search a
        // subset of them.
        EXPECT_EQ(referenceStats.teamsScored, eligible);
        EXPECT_LE(stats.teamsScored, eligible);
        found += referenceFound ? 1 : 0;
        unchecked += search.tables->heroTable[search.leader].checked == 0 ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
    // The mix must exercise both outcomes and both kinds of leader.
    EXPECT_GT(found, kDifferentialCases / 4);
    EXPECT_LT(found, kDifferentialCases * 9 / 10);
    EXPECT_GT(unchecked, kDifferentialCases / 4);
}

// FNV-1a over the outcome and every field of a batch of plans: one number
// that changes with any change of any search result.
class Signature final
{
public:
    void add(const void* data, std::size_t size)
    {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            m_hash ^= bytes[i];
            m_hash *= 0x100000001B3ull;
        }
    }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xCBF29CE484222325ull;
};

using Search = std::function<bool(const PlanningTables&, const PlanRequest&, PlanRecord&)>;

std::uint64_t SignatureOf(const Search& search)
{
    Signature signature;
    for (int i = 0; i < 210; ++i) {
        SearchCase entry = DrawCase(2, i, 20'000);
        PlanRecord plan = Request(entry.leader);
        const unsigned char found = search(*entry.tables, RequestOf(entry), plan) ? 1 : 0;
        signature.add(&found, 1);
        signature.add(&plan, sizeof plan);
    }
    return signature.value();
}

// Recorded from the reference; a change means some search now answers
// differently (or the case generator changed).
constexpr std::uint64_t kSearchSignature = 0xf35fd08852bfa425ull;

TEST(FastSearchSignature, FixedBatchHashesAsRecorded)
{
    const std::uint64_t reference =
        SignatureOf([](const PlanningTables& t, const PlanRequest& r, PlanRecord& p) {
            return FindBestTeamReference(t, r, p);
        });
    const std::uint64_t fast = SignatureOf([](const PlanningTables& t, const PlanRequest& r,
                                              PlanRecord& p) { return FindBestTeam(t, r, p); });
    EXPECT_EQ(reference, kSearchSignature) << std::hex << "0x" << reference;
    EXPECT_EQ(fast, kSearchSignature) << std::hex << "0x" << fast;
}

} // namespace
