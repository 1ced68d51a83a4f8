#include "tools/bench/AdviceBench.h"

#include "engine/TeamSearch.h"
#include "engine/TrainingAdvice.h"
#include "tools/bench/Durations.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Requests of the scenario whose plan is not feasible, so that the advice
// has work to do: at most `wanted`, spread over its queries.
std::vector<BenchQuery> InfeasibleQueries(const BenchScenario& scenario, int wanted)
{
    std::vector<BenchQuery> found;
    const std::size_t count = scenario.queries.size();
    const std::size_t step = std::max<std::size_t>(1, count / 40);
    for (std::size_t q = 0; q < count && static_cast<int>(found.size()) < wanted; q += step) {
        const BenchQuery& query = scenario.queries[q];
        PlanRecord plan;
        if (!FindBestTeam(*scenario.tables, query.request, plan) || !IsFeasiblePlan(plan))
            found.push_back(query);
    }
    return found;
}

struct AdviceRun
{
    double seconds = 0.0;
    bool complete = false;
    int tasksDone = 0;
    std::uint64_t searches = 0;
    int entries = 0;
};

// One advice, cancelled after `cancelAfter` seconds (through the flag a
// window would set); `stopSeconds` is then the time from the flag to the
// return, or negative when the advice was done first.
AdviceRun TimedAdvice(const BenchScenario& scenario, const BenchQuery& query, int threads,
                      double cancelAfter, double& stopSeconds)
{
    auto advice = std::make_unique<TrainingAdvice>();
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    bool over = false;
    Clock::time_point cancelledAt{};
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::duration<double>(cancelAfter),
                               [&] { return over; })) {
            cancelledAt = Clock::now();
            cancel = true;
        }
    });
    AdviceControl control;
    control.threads = threads;
    control.cancel = &cancel;
    control.tasksDone = &done;
    const Clock::time_point start = Clock::now();
    AdviceRun run;
    run.complete = FindTrainingAdvice(*scenario.tables, query.request, *advice, control);
    const Clock::time_point end = Clock::now();
    run.seconds = std::chrono::duration<double>(end - start).count();
    {
        std::lock_guard lock(mutex);
        over = true;
    }
    finished.notify_all();
    watchdog.join();
    stopSeconds = cancel ? std::chrono::duration<double>(end - cancelledAt).count() : -1.0;
    run.tasksDone = done.load();
    run.searches = advice->searches;
    run.entries = advice->count;
    return run;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

void RunAdviceBench(const std::vector<BenchScenario>& scenarios, double limitSeconds)
{
    constexpr int kRequests = 5;
    std::printf("\ntraining advice for requests whose plan is not feasible (up to %d per "
                "scenario; whole advice, median and worst; hard rosters stopped after %.0f s)\n",
                kRequests, limitSeconds);
    std::printf("%-34s %3s  %10s %10s  %10s %10s  %9s %8s  %10s\n", "scenario", "req", "1 thread",
                "worst", "2 threads", "worst", "searches", "per srch", "cancel <=");
    for (const BenchScenario& scenario : scenarios) {
        const std::vector<BenchQuery> queries = InfeasibleQueries(scenario, kRequests);
        if (queries.empty()) {
            std::printf("%-34s %3d  every plan feasible\n", scenario.name.c_str(), 0);
            continue;
        }
        std::vector<double> times[2];
        double worst[2] = {0.0, 0.0};
        bool stopped[2] = {false, false};
        std::uint64_t searches = 0;
        double searchSeconds = 0.0;
        for (const BenchQuery& query : queries) {
            for (int t = 0; t < 2; ++t) {
                double stop = 0.0;
                const AdviceRun run = TimedAdvice(scenario, query, t + 1, limitSeconds, stop);
                times[t].push_back(run.seconds);
                worst[t] = std::max(worst[t], run.seconds);
                stopped[t] = stopped[t] || !run.complete;
                if (t == 0) {
                    searches += run.searches;
                    searchSeconds += run.seconds;
                }
            }
        }
        // How long the flag takes to stop a running advice on both cores,
        // the worst of it set at five points of the first request's time
        // (negative when the advice was always done first).
        double cancelStop = -1.0;
        const double firstTime = std::min(times[1].front(), limitSeconds);
        for (double share : {0.1, 0.3, 0.5, 0.7, 0.9}) {
            double stop = 0.0;
            TimedAdvice(scenario, queries.front(), 2, firstTime * share, stop);
            cancelStop = std::max(cancelStop, stop);
        }
        // Appended rather than built with operator+: GCC 12 at -O3 reports a
        // false overlap (-Wrestrict) in the inlined insert of ">" + string.
        const auto shown = [&](int t, double seconds) {
            std::string text = stopped[t] ? std::string(">") : std::string();
            text += Duration(seconds);
            return text;
        };
        std::printf(
            "%-34s %3zu  %10s %10s  %10s %10s  %9llu %8s  %10s\n", scenario.name.c_str(),
            queries.size(), shown(0, Median(times[0])).c_str(), shown(0, worst[0]).c_str(),
            shown(1, Median(times[1])).c_str(), shown(1, worst[1]).c_str(),
            static_cast<unsigned long long>(searches / queries.size()),
            Duration(searches > 0 ? searchSeconds / static_cast<double>(searches) : 0.0).c_str(),
            cancelStop < 0.0 ? "done first" : Duration(cancelStop).c_str());
        std::fflush(stdout);
    }
}
