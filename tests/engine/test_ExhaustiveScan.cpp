#include "engine/CombatModel.h"
#include "engine/ScanCeiling.h"
#include "engine/TeamSearch.h"
#include "engine/TopTeams.h"
#include "engine/internal/CuteFrontier.h"
#include "engine/internal/ExhaustiveScan.h"
#include "engine/internal/MarginModel.h"
#include "engine/internal/ScanKernel.h"
#include "tests/engine/PlanningReference.h"
#include "tests/support/CandidateTables.h"
#include "tools/rosters/CeilingRosters.h"
#include "tools/rosters/RandomRosters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using rosters::CeilingKind;
using rosters::Rng;
using rosters::StatKind;
using rosters::Uniform;

// Runs each test on one vector path, and puts the widest one back after it.
class ScanPathTest : public testing::TestWithParam<ScanPath>
{
protected:
    void SetUp() override
    {
        if (!ScanPathAvailable(GetParam()))
            GTEST_SKIP() << "this processor cannot run the " << ScanPathName(GetParam()) << " path";
        m_before = ActiveScanPath();
        ChooseScanPath(GetParam());
    }
    void TearDown() override { ChooseScanPath(m_before); }

private:
    ScanPath m_before = ScanPath::Baseline;
};

std::string PathName(const testing::TestParamInfo<ScanPath>& info)
{
    return ScanPathName(info.param);
}

// One virus and strategy as the kernel and the exact model both see them.
struct KernelCase
{
    VirusRecord virus{};
    int virusIndex = 30;
    int n = 2;
    int k = 1;
    std::int64_t threshold = 0;
};

ScanQuery QueryOf(const KernelCase& c, const MarginModel& model)
{
    ScanQuery query;
    query.threshold = static_cast<std::int32_t>(std::clamp<std::int64_t>(c.threshold, -1, 1 << 30));
    query.hateful = c.virus.hateful;
    query.countedHits = model.countedHits();
    query.cuteFactor = 10000 - 3 * std::int32_t{c.virus.notAbnormal};
    query.heroHits = c.n + 1;
    query.stupidTwice = 2 * std::int32_t{c.virus.stupid};
    query.lifeSpan = 5 * c.n + 1;
    query.damageSpan = 5 * c.n + 6;
    return query;
}

// Lane `at` alone, against the model's exact key: reported above key - 1 and
// not above key.
void ExpectLaneKey(const ScanQuery& query, const ScanColumns& columns, int at,
                   const MarginModel& model, std::int64_t threshold, bool wide = false)
{
    const std::int64_t cute = std::int64_t{query.cute} + columns.cute[at];
    std::int64_t key = 0;
    if (cute >= threshold)
        key = model.key(model.lifeMargin(std::int64_t{query.smart} + columns.smart[at],
                                         std::int64_t{query.abnormal} + columns.abnormal[at]),
                        model.damageMargin(cute));
    ASSERT_EQ(FirstBlockAbove(query, columns, at, at + 1, static_cast<double>(key), wide), at + 1)
        << "lane " << at << " keys above " << key;
    if (key > 0) {
        ASSERT_EQ(FirstBlockAbove(query, columns, at, at + 1, static_cast<double>(key - 1), wide),
                  at)
            << "lane " << at << " does not reach " << key;
    }
}

// Every total the lanes can meet, one lane at a time: 聪明 and 不正常 through
// the life margin, 可爱 through the damage margin for factors of either sign.
TEST_P(ScanPathTest, LanesKeyEveryTotalAsTheModelDoes)
{
    constexpr int kMaxTotal = 6 * kScanVectorStatLimit;
    std::vector<std::int32_t> totals(kMaxTotal + 1 + kScanBlock, 0);
    std::vector<std::int32_t> fixed(kMaxTotal + 1 + kScanBlock, 0);
    for (int t = 0; t <= kMaxTotal; ++t)
        totals[static_cast<std::size_t>(t)] = t;
    std::vector<std::int32_t> bigCute(kMaxTotal + 1 + kScanBlock, kMaxTotal);

    // Life: 聪明 and 不正常 totals 0..59994, the damage margin far above its span.
    for (const int hateful : {0, 1, 777, 9999}) {
        KernelCase c;
        rosters::SetVirus(c.virus, 0, hateful, 0);
        c.threshold = SearchThreshold(c.virus, c.n);
        const MarginModel model(c.virus, c.virusIndex, c.n, c.k);
        const ScanQuery query = QueryOf(c, model);
        const ScanColumns bySmart{totals.data(), bigCute.data(), fixed.data()};
        const ScanColumns byAbnormal{fixed.data(), bigCute.data(), totals.data()};
        for (int t = 0; t <= kMaxTotal; ++t) {
            ExpectLaneKey(query, bySmart, t, model, c.threshold);
            ExpectLaneKey(query, byAbnormal, t, model, c.threshold);
        }
    }
    // Damage: 可爱 totals 0..59994 for factors from +10000 to -19997, with a
    // large 聪明 total so that the life margin exceeds its span.
    std::vector<std::int32_t> bigSmart(kMaxTotal + 1 + kScanBlock, kMaxTotal);
    for (const int notAbnormal : {0, 1, 2500, 3332, 3333, 3334, 3335, 3400, 6000, 9999}) {
        for (const int stupid : {0, 3, 500, 9999}) {
            KernelCase c;
            rosters::SetVirus(c.virus, stupid, 100, notAbnormal);
            c.threshold = -1; // every team counts here; the threshold has its own cases
            const MarginModel model(c.virus, c.virusIndex, c.n, c.k);
            const ScanQuery query = QueryOf(c, model);
            const ScanColumns byCute{bigSmart.data(), totals.data(), fixed.data()};
            for (int t = 0; t <= kMaxTotal; t += (notAbnormal % 2 == 0 ? 1 : 7))
                ExpectLaneKey(query, byCute, t, model, c.threshold);
        }
    }

    // Wide lanes: totals up to 6 × 65535, stats of the virus up to 65535.
    constexpr int kWideTotal = 6 * 65535;
    std::vector<std::int32_t> wideTotals(kWideTotal + 1 + kScanBlock, 0);
    for (int t = 0; t <= kWideTotal; ++t)
        wideTotals[static_cast<std::size_t>(t)] = t;
    std::vector<std::int32_t> wideFixed(kWideTotal + 1 + kScanBlock, 0);
    std::vector<std::int32_t> wideBig(kWideTotal + 1 + kScanBlock, kWideTotal);
    for (const int hateful : {0, 9999, 65535}) {
        for (const int notAbnormal : {0, 3333, 3334, 20000, 65535}) {
            for (const int stupid : {0, 65535}) {
                KernelCase c;
                rosters::SetVirus(c.virus, stupid, hateful, notAbnormal);
                c.threshold = -1;
                const MarginModel model(c.virus, c.virusIndex, c.n, c.k);
                const ScanQuery query = QueryOf(c, model);
                const ScanColumns bySmart{wideTotals.data(), wideBig.data(), wideFixed.data()};
                const ScanColumns byCute{wideBig.data(), wideTotals.data(), wideFixed.data()};
                const ScanColumns byAbnormal{wideBig.data(), wideFixed.data(), wideTotals.data()};
                for (int t = 0; t <= kWideTotal; t += 3) {
                    ExpectLaneKey(query, bySmart, t, model, c.threshold, true);
                    ExpectLaneKey(query, byCute, t, model, c.threshold, true);
                }
                for (int t = 0; t <= 4000; ++t)
                    ExpectLaneKey(query, byAbnormal, t, model, c.threshold, true);
            }
        }
    }
}

// Random blocks of random queries: the block reported is the first whose
// exact best key lies above the floor, and the lanes reported are those above
// it, for floors at and just below a key.
TEST_P(ScanPathTest, BlocksAboveTheFloorAreFoundInOrder)
{
    Rng rng(2026);
    constexpr int kPairs = 5 * kScanBlock + 7;
    std::vector<std::int32_t> smart(kPairs + kScanBlock, 0);
    std::vector<std::int32_t> cute(kPairs + kScanBlock, 0);
    std::vector<std::int32_t> abnormal(kPairs + kScanBlock, 0);
    for (int round = 0; round < 600; ++round) {
        KernelCase c;
        c.virusIndex = Uniform(rng, 0, kVirusCount - 1);
        c.n = Uniform(rng, 0, 5);
        c.k = Uniform(rng, 0, c.n);
        const bool wide = round % 3 == 0;
        const int statLimit = wide ? 65535 : 9999;
        rosters::SetVirus(c.virus, Uniform(rng, 0, 3) == 0 ? 0 : Uniform(rng, 0, statLimit),
                          Uniform(rng, 0, statLimit),
                          Uniform(rng, 0, 2) == 0 ? Uniform(rng, 3300, 3400)
                                                  : Uniform(rng, 0, statLimit));
        c.threshold = SearchThreshold(c.virus, c.n);
        const MarginModel model(c.virus, c.virusIndex, c.n, c.k);
        ScanQuery query = QueryOf(c, model);
        const int scale = wide ? 65535 : Uniform(rng, 0, 1) == 0 ? 9999 : 2500;
        query.smart = Uniform(rng, 0, 4 * scale);
        query.cute = Uniform(rng, 0, 4 * scale);
        query.abnormal = Uniform(rng, 0, 4 * scale);
        for (int i = 0; i < kPairs; ++i) {
            smart[static_cast<std::size_t>(i)] = Uniform(rng, 0, 2 * scale);
            cute[static_cast<std::size_t>(i)] = Uniform(rng, 0, 2 * scale);
            abnormal[static_cast<std::size_t>(i)] = Uniform(rng, 0, 2 * scale);
        }
        const ScanColumns columns{smart.data(), cute.data(), abnormal.data()};
        std::vector<std::int64_t> keys;
        for (int i = 0; i < kPairs; ++i) {
            const std::int64_t total = std::int64_t{query.cute} + cute[static_cast<std::size_t>(i)];
            keys.push_back(
                total < c.threshold
                    ? 0
                    : model.key(
                          model.lifeMargin(query.smart + smart[static_cast<std::size_t>(i)],
                                           query.abnormal + abnormal[static_cast<std::size_t>(i)]),
                          model.damageMargin(total)));
        }
        const int begin = Uniform(rng, 0, kScanBlock);
        const std::int64_t pick = keys[static_cast<std::size_t>(Uniform(rng, begin, kPairs - 1))];
        for (const std::int64_t floor : {pick - 1, pick, std::int64_t{0}}) {
            if (floor < 0)
                continue;
            int expected = kPairs;
            for (int base = begin; base < kPairs && expected == kPairs; base += kScanBlock)
                for (int i = base; i < std::min(base + kScanBlock, kPairs); ++i)
                    if (keys[static_cast<std::size_t>(i)] > floor)
                        expected = base;
            ASSERT_EQ(
                FirstBlockAbove(query, columns, begin, kPairs, static_cast<double>(floor), wide),
                expected)
                << "round " << round << ", floor " << floor;
            // Each block's lanes above the floor, bit by bit, the blocks
            // taken in a shuffled order in one call.
            std::vector<int> bases;
            for (int base = begin; base < kPairs; base += kScanBlock)
                bases.push_back(base);
            std::reverse(bases.begin(), bases.end());
            std::vector<std::uint16_t> masks(bases.size(), 0xffff);
            LanesAbove(query, columns, bases.data(), static_cast<int>(bases.size()), kPairs,
                       static_cast<double>(floor), wide, masks.data());
            for (std::size_t b = 0; b < bases.size(); ++b) {
                unsigned lanes = 0;
                for (int i = bases[b]; i < std::min(bases[b] + kScanBlock, kPairs); ++i)
                    if (keys[static_cast<std::size_t>(i)] > floor)
                        lanes |= 1u << (i - bases[b]);
                ASSERT_EQ(masks[b], lanes)
                    << "round " << round << ", floor " << floor << ", block at " << bases[b];
            }
        }
    }
}

void ExpectSamePlan(const PlanRecord& got, const PlanRecord& want, const std::string& where)
{
    EXPECT_EQ(0, std::memcmp(&got, &want, sizeof got)) << where;
}

// A small roster of one of the kinds: realistic, tied, wide stats, and the
// rosters the ceiling is for.
void DrawSmallCase(PlanningTables& tables, Rng& rng, int round, int& virus, int& leader)
{
    const int checked = Uniform(rng, 6, 18);
    virus = Uniform(rng, 0, kVirusCount - 1);
    VirusRecord& target = tables.virusTable[virus];
    switch (round % 6) {
    case 0:
        rosters::FillRoster(tables.heroTable, rng, StatKind::Realistic, checked);
        rosters::SetRealisticVirus(target, virus);
        break;
    case 1:
        rosters::FillRoster(tables.heroTable, rng, StatKind::Tied, checked, 3000);
        rosters::SetVirus(target, 0, Uniform(rng, 0, 9999), Uniform(rng, 0, 3333));
        break;
    case 2:
        rosters::FillRoster(tables.heroTable, rng, StatKind::Uniform, checked, 65535);
        rosters::SetRandomVirus(target, rng, 65535);
        break;
    default: {
        const CeilingKind kind = rosters::kCeilingKinds[round % std::size(rosters::kCeilingKinds)];
        rosters::FillCeilingRoster(tables.heroTable, rng, kind, checked);
        rosters::SetCeilingVirus(target, rng, kind);
        break;
    }
    }
    leader = Uniform(rng, 0, checked);
}

// The scan alone, with and without its skips, and the best K it keeps, are
// the reference's answers bit for bit.
TEST_P(ScanPathTest, ScanAnswersAsTheReference)
{
    Rng rng(77);
    for (int round = 0; round < 240; ++round) {
        PlanningTables tables;
        int virus = 0;
        int leader = 0;
        DrawSmallCase(tables, rng, round, virus, leader);
        const PlanRequest request{virus, leader, rosters::StrategyOf(round), {}};
        const std::string where = "round " + std::to_string(round);

        PlanRecord reference;
        const bool found = FindBestTeamReference(tables, request, reference);
        for (const bool skipClosed : {true, false}) {
            PlanRecord plan;
            SearchStats stats;
            ASSERT_EQ(FindBestTeamByScan(tables, request, plan, stats, skipClosed), found) << where;
            ExpectSamePlan(plan, reference, where);
        }

        const int wanted = Uniform(rng, 1, 12);
        const std::vector<PlanRecord> top = planningreference::TopTeams(tables, request, wanted);
        PlanRecord plans[kMaxTopTeams];
        SearchStats stats;
        ASSERT_EQ(FindTopTeamsByScan(tables, request, wanted, plans, stats),
                  static_cast<int>(top.size()))
            << where;
        for (std::size_t i = 0; i < top.size(); ++i)
            ExpectSamePlan(plans[i], top[i], where + ", team " + std::to_string(i));
    }
}

// Lists long enough for runs of many blocks, on the rosters whose blocks
// the bounds skip (planes, lines, falling damage) and on rosters where they
// skip little: the scan alone and the best K it keeps are the reference's.
TEST_P(ScanPathTest, RunsOfManyBlocksAnswerAsTheReference)
{
    Rng rng(303);
    for (int round = 0; round < 16; ++round) {
        PlanningTables tables;
        const int checked = Uniform(rng, 28, 34);
        const int virus = round % 2 == 0 ? 10 : 40;
        VirusRecord& target = tables.virusTable[virus];
        if (round % 8 < 6) {
            const CeilingKind kind =
                rosters::kCeilingKinds[round % std::size(rosters::kCeilingKinds)];
            rosters::FillCeilingRoster(tables.heroTable, rng, kind, checked);
            rosters::SetCeilingVirus(target, rng, kind);
        } else {
            rosters::FillRoster(tables.heroTable, rng,
                                round % 2 == 0 ? StatKind::Realistic : StatKind::Uniform, checked,
                                round % 2 == 0 ? 9999 : 65535);
            rosters::SetRealisticVirus(target, virus);
        }
        const int leader = Uniform(rng, 0, checked - 1);
        const PlanRequest request{virus, leader, rosters::StrategyOf(round), {}};
        const std::string where = "round " + std::to_string(round);

        PlanRecord reference;
        const bool found = FindBestTeamReference(tables, request, reference);
        PlanRecord plan;
        SearchStats stats;
        ASSERT_EQ(FindBestTeamByScan(tables, request, plan, stats), found) << where;
        ExpectSamePlan(plan, reference, where);

        const int wanted = round % 3 == 0 ? 1 : Uniform(rng, 2, 30);
        const std::vector<PlanRecord> top = planningreference::TopTeams(tables, request, wanted);
        PlanRecord plans[kMaxTopTeams];
        ASSERT_EQ(FindTopTeamsByScan(tables, request, wanted, plans, stats),
                  static_cast<int>(top.size()))
            << where;
        for (std::size_t i = 0; i < top.size(); ++i)
            ExpectSamePlan(plans[i], top[i], where + ", team " + std::to_string(i));
    }
}

// The frontier holds, for every 可爱 total of five picks, the largest 聪明 and
// 不正常 totals of five picks with it, as trying every five picks finds them;
// its ceiling is at least every team's key, and on planes it is the best key.
TEST_P(ScanPathTest, FrontierHoldsTheBestTotalsOfFivePicks)
{
    Rng rng(808);
    auto frontier = std::make_unique<CuteFrontier>();
    for (int round = 0; round < 30; ++round) {
        PlanningTables tables;
        const int checked = Uniform(rng, 6, 16);
        const CeilingKind plane = round % 2 == 0 ? CeilingKind::Plane : CeilingKind::CappedPlane;
        if (round % 3 == 2)
            rosters::FillRoster(tables.heroTable, rng, StatKind::Tied, checked, 9999);
        else
            rosters::FillCeilingRoster(tables.heroTable, rng, plane, checked);
        const int virus = Uniform(rng, 0, kVirusCount - 1);
        rosters::SetCeilingVirus(tables.virusTable[virus], rng, plane);
        const int leader = Uniform(rng, 0, checked - 1);
        const Strategy strategy = rosters::StrategyOf(round);
        const std::string where = "round " + std::to_string(round);

        SearchRoster roster;
        BuildSearchRoster(CandidatesFor(tables, leader), tables.virusTable[virus], virus,
                          strategy.n, CritsCount(virus) ? strategy.k : 0, roster);
        ASSERT_TRUE(FrontierServes(roster)) << where;
        BuildCuteFrontier(roster, *frontier);
        ASSERT_TRUE(frontier->holds(roster)) << where;

        const int count = roster.count;
        std::vector<std::int32_t> smart(static_cast<std::size_t>(frontier->limit) + 1, -1);
        std::vector<std::int32_t> abnormal(smart.size(), -1);
        int team[6] = {0, 0, 0, 0, 0, 0};
        for (team[1] = 1; team[1] < count; ++team[1]) {
            for (team[2] = team[1] + 1; team[2] < count; ++team[2]) {
                for (team[3] = team[2] + 1; team[3] < count; ++team[3]) {
                    for (team[4] = team[3] + 1; team[4] < count; ++team[4]) {
                        for (team[5] = team[4] + 1; team[5] < count; ++team[5]) {
                            std::int32_t s = 0;
                            std::int32_t c = 0;
                            std::int32_t a = 0;
                            for (int m = 1; m < 6; ++m) {
                                s += roster.smart[team[m]];
                                c += roster.cute[team[m]];
                                a += roster.abnormal[team[m]];
                            }
                            const auto at = static_cast<std::size_t>(c);
                            ASSERT_LT(at, smart.size()) << where;
                            smart[at] = std::max(smart[at], s);
                            abnormal[at] = std::max(abnormal[at], a);
                        }
                    }
                }
            }
        }
        for (int t = 0; t <= frontier->limit; ++t) {
            const auto at = static_cast<std::size_t>(t);
            ASSERT_EQ(std::max(frontier->smart[5][t], -1), smart[at]) << where << ", total " << t;
            ASSERT_EQ(std::max(frontier->abnormal[5][t], -1), abnormal[at])
                << where << ", total " << t;
        }

        const MarginModel model(tables.virusTable[virus], virus, strategy.n,
                                CritsCount(virus) ? strategy.k : 0);
        const std::int64_t threshold = SearchThreshold(tables.virusTable[virus], strategy.n);
        const std::int64_t ceiling = frontier->keyCeiling(roster, model, threshold);
        PlanRecord best;
        const PlanRequest request{virus, leader, strategy, {}};
        const std::int64_t bestKey =
            FindBestTeamReference(tables, request, best)
                ? model.key(model.lifeMargin(best.smartTotal, best.abnormalTotal),
                            model.damageMargin(best.cuteTotal))
                : 0;
        EXPECT_GE(ceiling, bestKey) << where;
        if (round % 3 != 2) {
            EXPECT_EQ(ceiling, bestKey) << where << ": a plane's ceiling is its best key";
        }
    }
}

// Planes whose teams tie by the thousand, where the searches end at the
// first team of the ceiling's key: the single best and the best K are the
// reference's.
TEST(TiedPlanes, SearchesEndingAtTheCeilingAnswerAsTheReference)
{
    Rng rng(4242);
    for (int round = 0; round < 6; ++round) {
        PlanningTables tables;
        rosters::FillCeilingRoster(tables.heroTable, rng, CeilingKind::CappedPlane, 40);
        const int virus = round % 2 == 0 ? 12 : 44;
        rosters::SetCeilingVirus(tables.virusTable[virus], rng, CeilingKind::CappedPlane);
        const PlanRequest request{virus, Uniform(rng, 0, 39), rosters::StrategyOf(round), {}};
        const std::string where = "round " + std::to_string(round);
        PlanRecord reference;
        const bool found = FindBestTeamReference(tables, request, reference);
        PlanRecord plan;
        ASSERT_EQ(FindBestTeam(tables, request, plan), found) << where;
        ExpectSamePlan(plan, reference, where);
        const std::vector<PlanRecord> top = planningreference::TopTeams(tables, request, 50);
        PlanRecord plans[kMaxTopTeams];
        ASSERT_EQ(FindTopTeams(tables, request, 50, plans), static_cast<int>(top.size())) << where;
        for (std::size_t i = 0; i < top.size(); ++i)
            ExpectSamePlan(plans[i], top[i], where + ", team " + std::to_string(i));
    }
}

// The scan alone with the ceiling's key keeps the team it keeps without,
// and on tied planes ends long before it.
TEST(TiedPlanes, TheScanEndsAtTheFirstTeamOfTheCeilingsKey)
{
    Rng rng(77);
    PlanningTables tables;
    rosters::FillCeilingRoster(tables.heroTable, rng, CeilingKind::CappedPlane, 48);
    struct Parts
    {
        SearchRoster roster;
        PairTable pairs;
        SortedPairRuns runs;
        CuteFrontier frontier;
        ExhaustiveScan scan;
    };
    auto parts = std::make_unique<Parts>();
    int scored = 0;
    for (int round = 0; round < 8; ++round) {
        const int virus = 30 + round;
        rosters::SetCeilingVirus(tables.virusTable[virus], rng, CeilingKind::CappedPlane);
        const Strategy strategy = rosters::StrategyOf(round);
        const std::string where = "round " + std::to_string(round);
        const VirusRecord& record = tables.virusTable[virus];
        BuildSearchRoster(CandidatesFor(tables, round), record, virus, strategy.n, strategy.k,
                          parts->roster);
        BuildPairTable(parts->roster, parts->pairs);
        const MarginModel model(record, virus, strategy.n, strategy.k);
        const std::int64_t threshold = SearchThreshold(record, strategy.n);
        ScanBestSink every;
        ScanBestSink ending;
        ending.ceilingKey = KeyCeilingOf(parts->frontier, parts->roster, model, threshold);
        std::uint64_t scanned[2] = {};
        for (ScanBestSink* sink : {&every, &ending}) {
            parts->scan.begin(parts->roster, parts->pairs, model, record, strategy.n,
                              model.countedHits(), threshold, true, nullptr, &parts->runs);
            ASSERT_EQ(parts->scan.run(*sink, UINT64_MAX), ExhaustiveScan::State::Done) << where;
            scanned[sink == &ending ? 1 : 0] = parts->scan.teamsScanned();
        }
        EXPECT_EQ(ending.key, every.key) << where;
        EXPECT_EQ(ending.ceilingKey, every.key) << where;
        EXPECT_TRUE(std::equal(ending.positions, ending.positions + 6, every.positions)) << where;
        if (every.key == 0)
            continue; // no team scores: nothing to end early
        ++scored;
        EXPECT_LT(scanned[1], scanned[0] / 4) << where;
    }
    EXPECT_GE(scored, 3);
}

INSTANTIATE_TEST_SUITE_P(EveryPath, ScanPathTest, testing::ValuesIn(kScanPaths), PathName);

TEST(ScanPath, UnavailablePathsAreRefused)
{
    EXPECT_TRUE(ScanPathAvailable(ScanPath::Baseline));
    for (const ScanPath path : kScanPaths) {
        if (!ScanPathAvailable(path)) {
            EXPECT_THROW(ChooseScanPath(path), std::invalid_argument);
        }
    }
}

} // namespace
