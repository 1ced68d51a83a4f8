// The best K teams against the straightforward ranking of every scored team,
// with exclusions, ties and identical heroes, plus a signature over a fixed
// batch.

#include "engine/TopTeams.h"
#include "tests/engine/PlanningReference.h"
#include "tests/support/TableBuilder.h"
#include "tools/rosters/CeilingRosters.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using rosters::Rng;
using rosters::StatKind;
using rosters::Uniform;

struct TopCase
{
    std::unique_ptr<PlanningTables> tables = std::make_unique<PlanningTables>();
    int virus = 0;
    int leader = 0;
    int n = 0;
    int k = 0;
    int wanted = 1;
    HeroSet excluded;
};

// Rosters of 6..18 checked heroes by default, so that ranking every team
// stays cheap.
TopCase DrawTopCase(std::uint64_t seed, int index, int fewestChecked = 6, int mostChecked = 18)
{
    Rng rng(seed * 7'000'003 + static_cast<std::uint64_t>(index));
    TopCase entry;
    HeroTable& heroes = entry.tables->heroTable;
    const int checked = Uniform(rng, fewestChecked, mostChecked);
    switch (Uniform(rng, 0, 5)) {
    case 0:
    case 1:
        rosters::FillRoster(heroes, rng, StatKind::Realistic, checked);
        break;
    case 2:
        // Few distinct values: identical heroes and many equal scores.
        rosters::FillRoster(heroes, rng, StatKind::Tied, checked, Uniform(rng, 0, 1) ? 30 : 3000);
        break;
    case 3:
        rosters::FillRoster(heroes, rng, StatKind::AntiCorrelated, checked);
        break;
    case 4:
        rosters::FillRoster(heroes, rng, StatKind::Uniform, checked, 9999);
        break;
    default:
        rosters::FillRoster(heroes, rng, StatKind::Uniform, checked, 60);
        break;
    }
    entry.virus = Uniform(rng, 0, kVirusCount - 1);
    VirusRecord& virus = entry.tables->virusTable[entry.virus];
    switch (Uniform(rng, 0, 3)) {
    case 0:
        // Weak enough for the small rosters to beat often.
        rosters::SetVirus(virus, Uniform(rng, 0, 6000), Uniform(rng, 0, 4000),
                          Uniform(rng, 0, 3000));
        break;
    case 1:
        rosters::SetRandomVirus(virus, rng, 9999);
        break;
    case 2:
        rosters::SetVirus(virus, 0, Uniform(rng, 0, 9999), Uniform(rng, 0, 3333));
        break;
    default:
        rosters::SetVirus(virus, Uniform(rng, 0, 60), Uniform(rng, 0, 60), Uniform(rng, 0, 60));
        break;
    }
    entry.leader = Uniform(rng, 0, kHeroCount - 1);
    const Strategy drawn = rosters::StrategyOf(index);
    entry.n = drawn.n;
    entry.k = drawn.k;
    entry.wanted = Uniform(rng, 0, 3) == 0 ? kMaxTopTeams : Uniform(rng, 1, 12);
    for (int i = Uniform(rng, 0, 4); i > 0; --i) {
        const int hero = Uniform(rng, 0, kHeroCount - 1);
        if (hero != entry.leader)
            entry.excluded.insert(hero);
    }
    return entry;
}

std::string Describe(const TopCase& entry)
{
    const VirusRecord& virus = entry.tables->virusTable[entry.virus];
    return "virus " + std::to_string(entry.virus) + " (" + std::to_string(virus.stupid) + "/" +
           std::to_string(virus.hateful) + "/" + std::to_string(virus.notAbnormal) + "), leader " +
           std::to_string(entry.leader) + ", n " + std::to_string(entry.n) + ", k " +
           std::to_string(entry.k) + ", K " + std::to_string(entry.wanted) + ", " +
           std::to_string(entry.excluded.size()) + " excluded";
}

bool SamePlan(const PlanRecord& a, const PlanRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

int Top(const TopCase& entry, PlanRecord* plans, SearchStats* stats = nullptr)
{
    return FindTopTeams(
        *entry.tables,
        PlanRequest{entry.virus, entry.leader, Strategy{entry.n, entry.k}, entry.excluded},
        entry.wanted, plans, stats);
}

TEST(TopTeamsDifferential, MatchesRankingEveryScoredTeam)
{
    constexpr int kCases = 1200;
    int mismatches = 0;
    int full = 0;
    int short_ = 0;
    int none = 0;
    for (int i = 0; i < kCases && mismatches < 5; ++i) {
        const TopCase entry = DrawTopCase(1, i);
        SCOPED_TRACE("case " + std::to_string(i) + ": " + Describe(entry));
        const std::vector<PlanRecord> expected = planningreference::TopTeams(
            *entry.tables,
            PlanRequest{entry.virus, entry.leader, Strategy{entry.n, entry.k}, entry.excluded},
            entry.wanted);
        PlanRecord plans[kMaxTopTeams];
        const PlanningTables before = *entry.tables;
        const int count = Top(entry, plans);
        EXPECT_EQ(std::memcmp(&before, entry.tables.get(), sizeof before), 0)
            << "the tables were written";
        bool same = count == static_cast<int>(expected.size());
        for (int j = 0; same && j < count; ++j)
            same = SamePlan(plans[j], expected[static_cast<std::size_t>(j)]);
        if (!same) {
            ++mismatches;
            ADD_FAILURE() << count << " plans, expected " << expected.size();
        }
        // The first plan is always the single search's.
        PlanRecord single;
        const bool found = planningreference::ReferenceSearch(
            *entry.tables,
            PlanRequest{entry.virus, entry.leader, Strategy{entry.n, entry.k}, entry.excluded},
            single);
        EXPECT_EQ(found, count > 0);
        if (found && count > 0) {
            EXPECT_TRUE(SamePlan(plans[0], single));
        }
        none += count == 0 ? 1 : 0;
        full += count == entry.wanted ? 1 : 0;
        short_ += count > 0 && count < entry.wanted ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
    // The mix must hold full lists, short ones and empty ones.
    EXPECT_GT(full, kCases / 5);
    EXPECT_GT(short_, kCases / 30);
    EXPECT_GT(none, kCases / 20);
}

// Larger rosters, where the bounds cut most of the tree: still the ranking.
TEST(TopTeamsDifferential, MatchesTheRankingOnLargerRosters)
{
    int found = 0;
    for (int i = 0; i < 40; ++i) {
        const TopCase entry = DrawTopCase(3, i, 26, 34);
        SCOPED_TRACE("case " + std::to_string(i) + ": " + Describe(entry));
        const std::vector<PlanRecord> expected = planningreference::TopTeams(
            *entry.tables,
            PlanRequest{entry.virus, entry.leader, Strategy{entry.n, entry.k}, entry.excluded},
            entry.wanted);
        PlanRecord plans[kMaxTopTeams];
        SearchStats stats;
        const int count = Top(entry, plans, &stats);
        ASSERT_EQ(count, static_cast<int>(expected.size()));
        for (int j = 0; j < count; ++j)
            ASSERT_TRUE(SamePlan(plans[j], expected[static_cast<std::size_t>(j)])) << "plan " << j;
        found += count > 0 ? 1 : 0;
    }
    EXPECT_GT(found, 10);
}

// Six heroes, all alike: every team of the leader and five of them ties, and
// each is a different team.
TEST(TopTeams, IdenticalHeroesAreDifferentTeamsInCandidateOrder)
{
    TableBuilder builder;
    for (int i = 0; i < 8; ++i)
        builder.hero(i, 2000, 1500, 400);
    builder.virus(3, 3000, 2500, 1000);
    PlanRecord plans[kMaxTopTeams];
    const int count =
        FindTopTeams(builder.tables(), PlanRequest{3, 0, Strategy{2, 0}, {}}, 50, plans);
    // C(7, 5) teams, all of one score.
    ASSERT_EQ(count, 21);
    for (int i = 1; i < count; ++i) {
        EXPECT_EQ(plans[i].score, plans[0].score);
        EXPECT_TRUE(std::lexicographical_compare(plans[i - 1].heroes, plans[i - 1].heroes + 6,
                                                 plans[i].heroes, plans[i].heroes + 6))
            << "plan " << i << " is out of candidate order";
    }
    EXPECT_EQ(plans[0].heroes[5], 5u);
    EXPECT_EQ(plans[20].heroes[1], 3u);
}

TEST(TopTeams, RefusesAnExcludedLeaderAndABadCount)
{
    TableBuilder builder;
    for (int i = 0; i < 8; ++i)
        builder.hero(i, 2000, 1500, 400);
    builder.virus(0, 3000, 2500, 1000);
    PlanRecord plans[kMaxTopTeams];
    HeroSet leader;
    leader.insert(2);
    EXPECT_THROW(
        FindTopTeams(builder.tables(), PlanRequest{0, 2, Strategy{1, 0}, leader}, 5, plans),
        std::invalid_argument);
    EXPECT_THROW(FindTopTeams(builder.tables(), PlanRequest{0, 0, Strategy{1, 0}, {}}, 0, plans),
                 std::invalid_argument);
    EXPECT_THROW(FindTopTeams(builder.tables(), PlanRequest{0, 0, Strategy{1, 0}, {}}, 51, plans),
                 std::invalid_argument);
    EXPECT_EQ(FindTopTeams(builder.tables(), PlanRequest{0, 0, Strategy{1, 0}, leader}, 5, plans),
              5);
}

TEST(TopTeams, ExcludingEveryCandidateLeavesNoTeam)
{
    TableBuilder builder;
    for (int i = 0; i < 12; ++i)
        builder.hero(i, 2000, 1000 + 10 * i, 400);
    builder.virus(0, 3000, 2500, 1000);
    PlanRecord plans[kMaxTopTeams];
    HeroSet all;
    for (int i = 1; i < kHeroCount; ++i)
        all.insert(i);
    EXPECT_EQ(FindTopTeams(builder.tables(), PlanRequest{0, 0, Strategy{1, 0}, all}, 10, plans), 0);
    // Leaving five of them in gives exactly one team, made of those five.
    for (int i = 7; i < 12; ++i)
        all.erase(i);
    ASSERT_EQ(FindTopTeams(builder.tables(), PlanRequest{0, 0, Strategy{1, 0}, all}, 10, plans), 1);
    const std::uint32_t team[6] = {0, 11, 10, 9, 8, 7};
    EXPECT_EQ(std::memcmp(plans[0].heroes, team, sizeof team), 0);
}

// Work counts, not times: on full rosters the best 10 teams cost a few
// thousand teams scored at most, where ranking every team scores up to
// C(127, 5) = 253,047,168 of them.
TEST(TopTeamsWork, FullRealisticRostersScoreFewTeams)
{
    Rng rng(77);
    auto tables = std::make_unique<PlanningTables>();
    rosters::FillRoster(tables->heroTable, rng, StatKind::Realistic, kHeroCount);
    rosters::FillRealisticViruses(tables->virusTable);
    std::uint64_t worst = 0;
    int found = 0;
    for (int virus = 0; virus <= 40; virus += 8) {
        for (int s = 0; s < rosters::kStrategies; ++s) {
            int n = 0;
            int k = 0;
            const Strategy drawn = rosters::StrategyOf(s);
            n = drawn.n;
            k = drawn.k;
            PlanRecord plans[kMaxTopTeams];
            SearchStats stats;
            const int count = FindTopTeams(
                *tables, PlanRequest{virus, Uniform(rng, 0, kHeroCount - 1), Strategy{n, k}, {}},
                10, plans, &stats);
            worst = std::max(worst, stats.teamsScored);
            found += count == 10 ? 1 : 0;
        }
    }
    EXPECT_LE(worst, 20'000u);
    EXPECT_GT(found, 60);
}

// 128 equal heroes: the best 50 are the first 50 teams in candidate order,
// found without scoring the other 250 million that tie with them.
TEST(TopTeamsWork, ACrowdOfEqualHeroesGivesTheFirstTeamsInOrder)
{
    auto tables = std::make_unique<PlanningTables>();
    rosters::FillEqualRoster(tables->heroTable, 2000, 1500, 400);
    rosters::SetVirus(tables->virusTable[3], 3000, 2500, 1000);
    PlanRecord plans[kMaxTopTeams];
    SearchStats stats;
    ASSERT_EQ(
        FindTopTeams(*tables, PlanRequest{3, 0, Strategy{2, 0}, {}}, kMaxTopTeams, plans, &stats),
        kMaxTopTeams);
    for (int i = 0; i < kMaxTopTeams; ++i) {
        const std::uint32_t team[6] = {0, 1, 2, 3, 4, static_cast<std::uint32_t>(5 + i)};
        EXPECT_EQ(std::memcmp(plans[i].heroes, team, sizeof team), 0) << "plan " << i;
        EXPECT_EQ(plans[i].score, plans[0].score);
    }
    EXPECT_LE(stats.teamsScored, 5'000u);
}

// Work counts, not times: on fixed full rosters of the decoy family, where
// the single search answers through the totals, the best 50 are ranked with
// those totals; each level of that ranking ends as soon as no later pick can
// still reach the list, so the totals tried stay a small multiple of what the
// single search itself tries. Before, every position of every level was
// tried: about 27,000 totals a query. (On the grid family the scan's sorted
// runs now answer before the totals are built.)
TEST(TopTeamsWork, TheTotalsRankTheBestFiftyWithFewTries)
{
    struct Family
    {
        rosters::HardKind kind;
        std::uint64_t seed;
        std::uint64_t mostTried; // in any one query
    };
    constexpr Family kFamilies[] = {{rosters::HardKind::Decoy, 26, 9'000}};
    constexpr int kViruses[] = {3, 14, 25, 30};
    constexpr Strategy kStrategies[] = {{1, 0}, {4, 2}};
    auto tables = std::make_unique<PlanningTables>();
    for (const Family& family : kFamilies) {
        SCOPED_TRACE(rosters::HardKindName(family.kind));
        Rng rng(family.seed);
        rosters::FillHardRoster(tables->heroTable, rng, family.kind);
        rosters::FillRealisticViruses(tables->virusTable);
        int leader = 0;
        do {
            leader = Uniform(rng, 0, kHeroCount - 1);
        } while (tables->heroTable[leader].checked == 0);
        int ranked = 0;
        for (const int virus : kViruses) {
            for (const Strategy strategy : kStrategies) {
                const PlanRequest request{virus, leader, strategy, {}};
                PlanRecord plans[kMaxTopTeams];
                SearchStats stats;
                const int count = FindTopTeams(*tables, request, kMaxTopTeams, plans, &stats);
                if (stats.totalsTried == 0)
                    continue;
                ++ranked;
                EXPECT_EQ(count, kMaxTopTeams) << "virus " << virus;
                EXPECT_LE(stats.totalsTried, family.mostTried) << "virus " << virus;
                PlanRecord single;
                ASSERT_TRUE(FindBestTeam(*tables, request, single));
                EXPECT_TRUE(SamePlan(plans[0], single));
            }
        }
        // The guard means something only where the totals ranked.
        EXPECT_GE(ranked, 3);
    }
}

// FNV-1a over the count and every field of every plan of a fixed batch.
using TopSearch = std::function<int(const TopCase&, PlanRecord*)>;

std::uint64_t TopSignature(const TopSearch& search)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    const auto add = [&](const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            hash ^= bytes[i];
            hash *= 0x100000001B3ull;
        }
    };
    for (int i = 0; i < 126; ++i) {
        const TopCase entry = DrawTopCase(2, i);
        PlanRecord plans[kMaxTopTeams];
        const int count = search(entry, plans);
        add(&count, sizeof count);
        add(plans, sizeof(PlanRecord) * static_cast<std::size_t>(count));
    }
    return hash;
}

// Recorded from the straightforward ranking; a change means some list now
// differs (or the case generator changed).
constexpr std::uint64_t kTopSignature = 0xaf920f673ec6deb9ull;

TEST(TopTeamsSignature, FixedBatchHashesAsRecorded)
{
    const std::uint64_t reference = TopSignature([](const TopCase& entry, PlanRecord* plans) {
        const std::vector<PlanRecord> ranked = planningreference::TopTeams(
            *entry.tables,
            PlanRequest{entry.virus, entry.leader, Strategy{entry.n, entry.k}, entry.excluded},
            entry.wanted);
        std::copy(ranked.begin(), ranked.end(), plans);
        return static_cast<int>(ranked.size());
    });
    const std::uint64_t fast =
        TopSignature([](const TopCase& entry, PlanRecord* plans) { return Top(entry, plans); });
    EXPECT_EQ(reference, kTopSignature) << std::hex << "0x" << reference;
    EXPECT_EQ(fast, kTopSignature) << std::hex << "0x" << fast;
}

} // namespace

// Work counts again: a set flag stops the search; the same thread's next
// search, whose workspace the stopped one left behind, is still exact.
TEST(TopTeamsCancel, ASetFlagStopsTheSearchAndWritesNoPlan)
{
    Rng rng(91);
    auto tables = std::make_unique<PlanningTables>();
    rosters::FillRoster(tables->heroTable, rng, StatKind::Realistic, kHeroCount);
    rosters::FillRealisticViruses(tables->virusTable);
    PlanRecord expected[kMaxTopTeams];
    SearchStats expectedStats;
    const int count =
        FindTopTeams(*tables, PlanRequest{20, 3, Strategy{2, 1}, {}}, 10, expected, &expectedStats);
    ASSERT_EQ(count, 10);
    ASSERT_GT(expectedStats.teamsScored, 0u);

    const std::atomic<bool> stop{true};
    PlanRecord untouched;
    untouched.heroes[0] = 999;
    untouched.score = -1.0f;
    PlanRecord plans[kMaxTopTeams];
    std::fill(std::begin(plans), std::end(plans), untouched);
    SearchStats stats;
    EXPECT_EQ(
        FindTopTeams(*tables, PlanRequest{20, 3, Strategy{2, 1}, {}}, 10, plans, &stats, &stop), 0);
    EXPECT_EQ(stats.teamsScored, 0u);
    for (const PlanRecord& plan : plans) {
        EXPECT_EQ(plan.heroes[0], 999u);
        EXPECT_EQ(plan.score, -1.0f);
    }

    const std::atomic<bool> go{false};
    EXPECT_EQ(FindTopTeams(*tables, PlanRequest{20, 3, Strategy{2, 1}, {}}, 10, plans, &stats, &go),
              count);
    EXPECT_EQ(std::memcmp(plans, expected, sizeof(PlanRecord) * count), 0);
    EXPECT_EQ(stats.teamsScored, expectedStats.teamsScored);
}

// A product-grid roster where the best 10 take tens of millions of scored
// teams: a flag set by another thread soon after the start stops the search
// long before it would end.
TEST(TopTeamsCancel, AFlagSetDuringTheSearchStopsIt)
{
    // A plane of 聪明 + 可爱: the totals are too many, so the walk and the scan
    // take their turns.
    Rng rng(4242);
    auto tables = std::make_unique<PlanningTables>();
    rosters::FillCeilingRoster(tables->heroTable, rng, rosters::CeilingKind::Plane);
    rosters::FillRealisticViruses(tables->virusTable);
    rosters::SetVirus(tables->virusTable[24], 4240, 6438, 674);
    int n = 0;
    int k = 0;
    const Strategy drawn = rosters::StrategyOf(10);
    n = drawn.n;
    k = drawn.k;
    PlanRecord plans[kMaxTopTeams];
    SearchStats full;
    ASSERT_EQ(FindTopTeams(*tables, PlanRequest{24, 0, Strategy{n, k}, {}}, 10, plans, &full), 10);
    // A long search: its walk and its scan together look at many teams.
    ASSERT_GT(full.teamsScored + full.teamsScanned, 100'000u);

    std::atomic<bool> stop{false};
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stop = true;
    });
    SearchStats stats;
    const int count =
        FindTopTeams(*tables, PlanRequest{24, 0, Strategy{n, k}, {}}, 10, plans, &stats, &stop);
    stopper.join();
    EXPECT_EQ(count, 0);
    EXPECT_LT(stats.teamsScored + stats.teamsScanned, full.teamsScored + full.teamsScanned);
}
