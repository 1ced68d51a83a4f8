#include "tools/bench/CeilingBench.h"

#include "engine/ScanCeiling.h"
#include "engine/TeamSearch.h"
#include "engine/TopTeams.h"
#include "engine/ZoneOverview.h"
#include "tools/bench/Durations.h"
#include "tools/bench/PlansBench.h"
#include "tools/rosters/CeilingRosters.h"
#include "tools/rosters/RandomRosters.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using rosters::CeilingKind;
using rosters::HardKind;
using rosters::Rng;
using rosters::Uniform;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string LoadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one;
    std::string five;
    file >> one >> five;
    return one.empty() ? "?" : one + " " + five;
}

struct Query
{
    int virus = 0;
    int n = 0;
    int k = 0;

    PlanRequest of(int leader) const { return PlanRequest{virus, leader, Strategy{n, k}, {}}; }
};

// One family's tables, its leader, and its queries: six viruses (three
// below level 27, three from it on) under two strategies each.
struct Family
{
    std::string name;
    std::unique_ptr<PlanningTables> tables = std::make_unique<PlanningTables>();
    int leader = 0;
    std::vector<Query> queries;
};

constexpr int kFamilyViruses[] = {3, 14, 25, 30, 45, 60};
constexpr int kFamilyStrategies[][2] = {{1, 0}, {4, 2}};

Family MakeFamily(const std::string& name, std::uint64_t seed,
                  void (*fill)(PlanningTables&, Rng&, int virus))
{
    Family family;
    family.name = name;
    Rng rng(seed);
    rosters::FillRealisticViruses(family.tables->virusTable);
    for (const int virus : kFamilyViruses) {
        fill(*family.tables, rng, virus);
        for (const auto& strategy : kFamilyStrategies)
            family.queries.push_back({virus, strategy[0], strategy[1]});
    }
    do {
        family.leader = Uniform(rng, 0, kHeroCount - 1);
    } while (family.tables->heroTable[family.leader].checked == 0);
    return family;
}

std::vector<Family> BuildFamilies()
{
    std::vector<Family> families;
    std::uint64_t seed = 22;
    for (const CeilingKind kind : rosters::kCeilingKinds) {
        static CeilingKind current;
        current = kind;
        families.push_back(
            MakeFamily(rosters::CeilingKindName(kind), seed++,
                       [](PlanningTables& tables, Rng& rng, int virus) {
                           if (virus == kFamilyViruses[0])
                               rosters::FillCeilingRoster(tables.heroTable, rng, current);
                           rosters::SetCeilingVirus(tables.virusTable[virus], rng, current);
                       }));
    }
    // Last round's families keep their seeds.
    seed = 26;
    for (const HardKind kind : rosters::kHardKinds) {
        static HardKind current;
        current = kind;
        families.push_back(MakeFamily(
            rosters::HardKindName(kind), seed++, [](PlanningTables& tables, Rng& rng, int virus) {
                if (virus == kFamilyViruses[0])
                    rosters::FillHardRoster(tables.heroTable, rng, current);
                rosters::SetRealisticVirus(tables.virusTable[virus], virus);
            }));
    }
    return families;
}

// The one run of a query over 20 ms; else the median of up to 201 runs
// taken within about 50 ms, since single runs of a few microseconds swing
// by half their time and more.
template <typename Run> double TimeOf(const Run& run)
{
    std::vector<double> times;
    double spent = 0.0;
    for (int i = 0; i < 201; ++i) {
        const Clock::time_point start = Clock::now();
        run();
        times.push_back(SecondsSince(start));
        spent += times.back();
        if (times.back() > 0.02 || spent > 0.05)
            break;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One family's line; returns the plans that differ from the reference's.
int FamilyLine(const Family& family, double overviewLimitSeconds)
{
    const PlanningTables& tables = *family.tables;
    std::vector<double> single;
    std::vector<double> topRatio;
    double worstTop = 0.0;
    std::size_t worst = 0;
    int differences = 0;
    for (std::size_t q = 0; q < family.queries.size(); ++q) {
        const Query& query = family.queries[q];
        PlanRecord plan;
        bool found = false;
        single.push_back(TimeOf([&] {
            plan = PlanRecord{};
            found = FindBestTeam(tables, query.of(family.leader), plan);
        }));
        if (single.back() > single[worst])
            worst = q;
        PlanRecord top[kMaxTopTeams];
        int count = 0;
        const double topTime = TimeOf(
            [&] { count = FindTopTeams(tables, query.of(family.leader), kMaxTopTeams, top); });
        worstTop = std::max(worstTop, topTime);
        topRatio.push_back(topTime / std::max(single.back(), 1e-6));
        if ((count > 0) != found || (found && std::memcmp(&top[0], &plan, sizeof plan) != 0))
            ++differences;
    }
    const Query& slowest = family.queries[worst];
    PlanRecord fast;
    const bool fastFound = FindBestTeam(tables, slowest.of(family.leader), fast);
    PlanRecord reference;
    const Clock::time_point start = Clock::now();
    const bool referenceFound = FindBestTeamReference(tables, slowest.of(family.leader), reference);
    const double referenceTime = SecondsSince(start);
    if (fastFound != referenceFound || std::memcmp(&fast, &reference, sizeof fast) != 0)
        ++differences;

    int cellsDone = 0;
    const double overview =
        TimedOverview(tables, family.leader, 2, overviewLimitSeconds, cellsDone);
    std::vector<double> sorted = single;
    std::sort(sorted.begin(), sorted.end());
    char ratio[32];
    std::snprintf(ratio, sizeof ratio, "%.0fx", referenceTime / single[worst]);
    char topWorst[32];
    std::snprintf(topWorst, sizeof topWorst, "%.1fx",
                  *std::max_element(topRatio.begin(), topRatio.end()));
    const std::string overviewText =
        overview >= 0.0 ? Duration(overview)
                        : "> " + Duration(-overview) + " (" + std::to_string(cellsDone) + ")";
    std::printf("%-26s %9s %9s %10s %7s  %9s %7s  %16s  %s\n", family.name.c_str(),
                Duration(sorted[sorted.size() / 2]).c_str(), Duration(single[worst]).c_str(),
                Duration(referenceTime).c_str(), ratio, Duration(worstTop).c_str(), topWorst,
                overviewText.c_str(), differences == 0 ? "same" : "DIFFER");
    std::fflush(stdout);
    return differences;
}

} // namespace

int RunCeilingBench(double overviewLimitSeconds)
{
    std::printf("hard families, %zu queries each; load average %s\n",
                std::size(kFamilyViruses) * std::size(kFamilyStrategies), LoadAverage().c_str());
    std::printf("%-26s %9s %9s %10s %7s  %9s %7s  %16s  %s\n", "family", "median", "worst",
                "reference", "ratio", "top-50", "top/1", "overview (2 thr)", "plans");
    const std::vector<Family> families = BuildFamilies();
    // A thread's searches make their workspaces (about 35 MB) at its first
    // search; one of each kind first, so that no family's first query pays
    // for them.
    {
        PlanRecord plan;
        FindBestTeam(*families.front().tables, families.front().queries.front().of(0), plan);
        PlanRecord plans[kMaxTopTeams];
        FindTopTeams(*families.front().tables, families.front().queries.front().of(0), kMaxTopTeams,
                     plans);
    }
    int differences = 0;
    for (const Family& family : families)
        differences += FamilyLine(family, overviewLimitSeconds);

    // The ceiling itself: every eligible team of a full roster (none
    // skipped), on each vector path.
    Family full = MakeFamily("full scan", 7, [](PlanningTables& tables, Rng& rng, int virus) {
        if (virus == kFamilyViruses[0])
            rosters::FillRoster(tables.heroTable, rng, rosters::StatKind::Realistic, kHeroCount);
        rosters::SetVirus(tables.virusTable[virus], 0, Uniform(rng, 1000, 9999),
                          Uniform(rng, 0, 3000));
    });
    std::printf("\nexhaustive scan of every eligible team, one thread; load average %s\n",
                LoadAverage().c_str());
    const ScanPath chosen = ActiveScanPath();
    for (const ScanPath path : kScanPaths) {
        if (!ScanPathAvailable(path)) {
            std::printf("%-10s not on this processor\n", ScanPathName(path));
            continue;
        }
        ChooseScanPath(path);
        SearchStats stats;
        const Query& query = full.queries[1];
        const double seconds = TimeOf([&] {
            PlanRecord plan;
            FindBestTeamByScan(*full.tables, query.of(full.leader), plan, stats, false);
        });
        std::printf("%-10s %9s for %llu teams, %.2f ns a team\n", ScanPathName(path),
                    Duration(seconds).c_str(), static_cast<unsigned long long>(stats.teamsScanned),
                    seconds * 1e9 /
                        static_cast<double>(std::max<std::uint64_t>(1, stats.teamsScanned)));
    }
    // The scan as the searches run it, skipping what its bounds close, on a
    // query of the wide plane where the walks do worst.
    Family plane = MakeFamily("wide plane", 24, [](PlanningTables& tables, Rng& rng, int virus) {
        if (virus == kFamilyViruses[0])
            rosters::FillCeilingRoster(tables.heroTable, rng, CeilingKind::WidePlane);
        rosters::SetCeilingVirus(tables.virusTable[virus], rng, CeilingKind::WidePlane);
    });
    std::printf("\nthe scan with its skips alone, %s, one query, one thread\n",
                rosters::CeilingKindName(CeilingKind::WidePlane));
    for (const ScanPath path : kScanPaths) {
        if (!ScanPathAvailable(path))
            continue;
        ChooseScanPath(path);
        SearchStats stats;
        const double seconds = TimeOf([&] {
            PlanRecord plan;
            FindBestTeamByScan(*plane.tables, plane.queries[0].of(plane.leader), plan, stats);
        });
        std::printf("%-10s %9s, %llu lanes for %llu teams\n", ScanPathName(path),
                    Duration(seconds).c_str(), static_cast<unsigned long long>(stats.scanLanes),
                    static_cast<unsigned long long>(stats.teamsScanned));
    }
    ChooseScanPath(chosen);
    return differences;
}
