// quorvel-bench: times the fast team search against the straightforward
// reference on the same named scenarios, in one process.
//
// Each scenario is one Google Benchmark run per search. The fast search runs
// every query of the scenario; the reference, which can take seconds per
// query on a full roster, only the queries marked withReference and the one
// the fast search was slowest on. A query's fast time is the median of
// several runs of it; the reference runs once.
// After the runs a table compares the two per scenario on the queries both
// ran, and checks that they found the same plans.

#include "engine/TeamSearch.h"
#include "tools/bench/AdviceBench.h"
#include "tools/bench/BenchScenarios.h"
#include "tools/bench/CeilingBench.h"
#include "tools/bench/PlansBench.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// What one search did on one query.
struct QueryRun
{
    double seconds = 0.0;
    std::uint64_t teamsScored = 0;
    bool found = false;
    PlanRecord plan{};
};

// Everything measured on one scenario.
struct ScenarioRuns
{
    std::vector<QueryRun> fast;      // one per query
    std::vector<QueryRun> reference; // one per query; set where referenceRan
    std::vector<bool> referenceRan;
    bool fastDone = false;
    bool referenceDone = false;
};

using Search = bool (*)(const PlanningTables&, const PlanRequest&, PlanRecord&, SearchStats*);

QueryRun RunOnce(Search search, BenchScenario& scenario, const BenchQuery& query)
{
    QueryRun run;
    SearchStats stats;
    const Clock::time_point start = Clock::now();
    run.found = search(*scenario.tables, query.request, run.plan, &stats);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.teamsScored = stats.teamsScored;
    benchmark::DoNotOptimize(run.plan);
    return run;
}

// The median of at least 5 runs, more while they take under 20 ms in all.
QueryRun RunRepeated(Search search, BenchScenario& scenario, const BenchQuery& query)
{
    constexpr int kLeast = 5;
    constexpr int kMost = 101;
    constexpr double kBudget = 0.02;
    std::vector<double> times;
    QueryRun run = RunOnce(search, scenario, query);
    times.push_back(run.seconds);
    double total = run.seconds;
    while (static_cast<int>(times.size()) < kMost &&
           (static_cast<int>(times.size()) < kLeast || total < kBudget)) {
        const QueryRun again = RunOnce(search, scenario, query);
        times.push_back(again.seconds);
        total += again.seconds;
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    run.seconds = times[times.size() / 2];
    return run;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Worst(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

template <typename T> std::uint64_t MedianCount(std::vector<T> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void TimeFast(benchmark::State& state, BenchScenario& scenario, ScenarioRuns& runs)
{
    for (auto _ : state) {
        runs.fast.assign(scenario.queries.size(), QueryRun{});
        double total = 0.0;
        for (std::size_t q = 0; q < scenario.queries.size(); ++q) {
            runs.fast[q] = RunRepeated(&FindBestTeam, scenario, scenario.queries[q]);
            total += runs.fast[q].seconds;
        }
        state.SetIterationTime(total);
    }
    std::vector<double> times;
    std::vector<std::uint64_t> teams;
    for (const QueryRun& run : runs.fast) {
        times.push_back(run.seconds);
        teams.push_back(run.teamsScored);
    }
    state.counters["queries"] = static_cast<double>(times.size());
    state.counters["median_us"] = Median(times) * 1e6;
    state.counters["worst_us"] = Worst(times) * 1e6;
    state.counters["teams"] = static_cast<double>(MedianCount(teams));
    runs.fastDone = true;
}

void TimeReference(benchmark::State& state, BenchScenario& scenario, ScenarioRuns& runs)
{
    runs.referenceRan.assign(scenario.queries.size(), false);
    for (std::size_t q = 0; q < scenario.queries.size(); ++q)
        runs.referenceRan[q] = scenario.queries[q].withReference;
    // The worst query of the fast search is where the ratio is judged.
    if (runs.fastDone) {
        const auto slowest = std::max_element(
            runs.fast.begin(), runs.fast.end(),
            [](const QueryRun& a, const QueryRun& b) { return a.seconds < b.seconds; });
        runs.referenceRan[static_cast<std::size_t>(slowest - runs.fast.begin())] = true;
    }
    for (auto _ : state) {
        runs.reference.assign(scenario.queries.size(), QueryRun{});
        double total = 0.0;
        for (std::size_t q = 0; q < scenario.queries.size(); ++q) {
            if (!runs.referenceRan[q])
                continue;
            runs.reference[q] = RunOnce(&FindBestTeamReference, scenario, scenario.queries[q]);
            total += runs.reference[q].seconds;
        }
        state.SetIterationTime(total);
    }
    std::vector<double> times;
    std::vector<std::uint64_t> teams;
    for (std::size_t q = 0; q < scenario.queries.size(); ++q) {
        if (runs.referenceRan[q]) {
            times.push_back(runs.reference[q].seconds);
            teams.push_back(runs.reference[q].teamsScored);
        }
    }
    state.counters["queries"] = static_cast<double>(times.size());
    state.counters["median_us"] = Median(times) * 1e6;
    state.counters["worst_us"] = Worst(times) * 1e6;
    state.counters["teams"] = static_cast<double>(MedianCount(teams));
    runs.referenceDone = true;
}

std::string Duration(double seconds)
{
    char text[32];
    if (seconds >= 1.0)
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    else if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    return text;
}

// `text` (UTF-8) padded with spaces to `width` columns, counting the CJK
// characters of scenario names (three-byte sequences) as two columns each.
std::string Padded(const std::string& text, int width)
{
    int columns = 0;
    for (std::size_t i = 0; i < text.size(); ++columns) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        columns += length >= 3 ? 1 : 0;
        i += length;
    }
    return text + std::string(static_cast<std::size_t>(std::max(0, width - columns)), ' ');
}

std::string Ratio(double numerator, double denominator)
{
    char text[32];
    if (denominator <= 0.0)
        return "-";
    std::snprintf(text, sizeof text, "%.0fx", numerator / denominator);
    return text;
}

// One scenario's line of the comparison: the reference and the fast search
// over the queries both ran (median and worst), their ratio of medians, the
// ratio on the fast search's slowest of those queries, the fast search over
// all queries, and the teams each scored (median per query). Returns the
// number of queries on which the two found different plans.
int PrintComparison(const BenchScenario& scenario, const ScenarioRuns& runs)
{
    std::vector<double> referenceTimes;
    std::vector<double> pairedFast;
    std::vector<double> allFast;
    std::vector<std::uint64_t> referenceTeams;
    std::vector<std::uint64_t> fastTeams;
    double slowestFast = -1.0;
    double referenceOnSlowest = 0.0;
    int differences = 0;
    for (std::size_t q = 0; q < scenario.queries.size(); ++q) {
        const QueryRun& fast = runs.fast[q];
        allFast.push_back(fast.seconds);
        fastTeams.push_back(fast.teamsScored);
        if (!runs.referenceDone || !runs.referenceRan[q])
            continue;
        const QueryRun& reference = runs.reference[q];
        referenceTimes.push_back(reference.seconds);
        pairedFast.push_back(fast.seconds);
        referenceTeams.push_back(reference.teamsScored);
        if (fast.seconds > slowestFast) {
            slowestFast = fast.seconds;
            referenceOnSlowest = reference.seconds;
        }
        if (fast.found != reference.found ||
            std::memcmp(&fast.plan, &reference.plan, sizeof fast.plan) != 0)
            ++differences;
    }
    const auto paired = [&](double seconds) {
        return referenceTimes.empty() ? std::string("-") : Duration(seconds);
    };
    std::printf("%s %4zu  %10s %10s  %10s %10s  %9s %9s  %10s %10s  %11s %9llu  %s\n",
                Padded(scenario.name, 30).c_str(), referenceTimes.size(),
                paired(Median(referenceTimes)).c_str(), paired(Worst(referenceTimes)).c_str(),
                paired(Median(pairedFast)).c_str(), paired(Worst(pairedFast)).c_str(),
                Ratio(Median(referenceTimes), Median(pairedFast)).c_str(),
                Ratio(referenceOnSlowest, slowestFast).c_str(), Duration(Median(allFast)).c_str(),
                Duration(Worst(allFast)).c_str(),
                referenceTimes.empty() ? "-" : std::to_string(MedianCount(referenceTeams)).c_str(),
                static_cast<unsigned long long>(MedianCount(fastTeams)),
                differences == 0 ? "same plans" : "PLANS DIFFER");
    return differences;
}

} // namespace

int main(int argc, char** argv)
{
    // --plans-only: only the raid-planning tables (see PlansBench.h);
    // --advice-only: only the training advice's table (see AdviceBench.h);
    // --ceiling: only the hard families and the exhaustive scan (see
    // CeilingBench.h).
    bool plansOnly = false;
    bool adviceOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ceiling") == 0)
            return RunCeilingBench(30.0) == 0 ? 0 : 1;
        const bool plans = std::strcmp(argv[i], "--plans-only") == 0;
        const bool advice = std::strcmp(argv[i], "--advice-only") == 0;
        if (plans || advice) {
            plansOnly = plansOnly || plans;
            adviceOnly = adviceOnly || advice;
            std::copy(argv + i + 1, argv + argc, argv + i);
            --argc;
            --i;
        }
    }
    std::vector<BenchScenario> scenarios = BuildBenchScenarios();
    if (adviceOnly) {
        RunAdviceBench(scenarios, 10.0);
        return 0;
    }
    if (plansOnly)
        return RunPlansBench(scenarios, 10.0) == 0 ? 0 : 1;
    std::vector<ScenarioRuns> runs(scenarios.size());
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        BenchScenario& scenario = scenarios[s];
        ScenarioRuns& scenarioRuns = runs[s];
        benchmark::RegisterBenchmark((scenario.name + "/fast").c_str(),
                                     [&scenario, &scenarioRuns](benchmark::State& state) {
                                         TimeFast(state, scenario, scenarioRuns);
                                     })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((scenario.name + "/reference").c_str(),
                                     [&scenario, &scenarioRuns](benchmark::State& state) {
                                         TimeReference(state, scenario, scenarioRuns);
                                     })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\n%-30s %4s  %21s  %21s  %19s  %21s  %21s\n", "", "", "reference (queries n)",
                "fast, same queries", "ratio", "fast, all queries", "teams scored");
    std::printf("%-30s %4s  %10s %10s  %10s %10s  %9s %9s  %10s %10s  %11s %9s\n", "scenario", "n",
                "median", "worst", "median", "worst", "medians", "slowest", "median", "worst",
                "reference", "fast");
    int differences = 0;
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        if (runs[s].fastDone)
            differences += PrintComparison(scenarios[s], runs[s]);
    }
    std::fflush(stdout); // the table is there before the raid-planning tables, which take long
    differences += RunPlansBench(scenarios, 10.0);
    RunAdviceBench(scenarios, 10.0);
    return differences == 0 ? 0 : 1;
}
