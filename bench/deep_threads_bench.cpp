// dravenor-bench --deep --thread-compare: every job with 1 thread and with 2 threads, the same
// seeds and time, so that the work the second core adds can be read off: iterations of each
// (median over seeds), their ratio, the fractional sheets of each, and how soon each had the
// median result of the 1-thread runs (median over seeds).
#include "deep_options.h"
#include "deep_runs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace dravenor::bench {

namespace {

template <class T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[(values.size() - 1) / 2];
}

DeepRun runWithThreads(const NestingState& state, const DeepOptions& o, std::uint64_t seed, int threads)
{
    DeepRunSettings s = runSettings(o, seed, false);
    s.threads = threads;
    s.checkpoints.clear();
    return runDeep(state, s);
}

// "12.3" seconds, or "never" for infinity.
void printSeconds(double seconds)
{
    if (std::isinf(seconds)) std::printf(" %7s", "never");
    else std::printf(" %7.1f", seconds);
}

} // namespace

int threadCompareMain(const DeepOptions& o)
{
    std::printf("Deep Nesting with 1 and 2 threads: %.0f s per run, %zu seed(s), median shown; reach: seconds to\n"
                "the median result of the 1-thread runs\n",
                o.time, o.seeds.size());
    std::printf("%-22s | %10s %7s %7s | %10s %7s %7s | %6s\n", "job", "iters 1", "frac 1", "reach 1", "iters 2", "frac 2",
                "reach 2", "ratio");
    const int failures = forEachJob(o.jobs, o.overrides, [&](const std::filesystem::path&, const NestingState& state) {
        std::vector<DeepRun> runs[2];
        for (std::uint64_t seed : o.seeds)
            for (int k = 0; k < 2; ++k) runs[k].push_back(runWithThreads(state, o, seed, k + 1));
        // The typical 1-thread result: the median over seeds of the fractional sheets.
        std::vector<DeepBest> ends;
        for (const DeepRun& run : runs[0]) ends.push_back(run.final);
        std::sort(ends.begin(), ends.end(), [](const DeepBest& a, const DeepBest& b) {
            return a.partsPlaced != b.partsPlaced ? a.partsPlaced > b.partsPlaced : a.fractionalSheets < b.fractionalSheets;
        });
        const DeepBest target = ends[(ends.size() - 1) / 2];
        std::vector<long long> iterations[2];
        std::vector<Measure> finals[2];
        std::vector<double> reach[2];
        for (int k = 0; k < 2; ++k)
            for (const DeepRun& run : runs[k]) {
                iterations[k].push_back(run.measure.iterations);
                finals[k].push_back(run.measure);
                // A run that never reached it counts as the slowest.
                const double seconds = secondsToReach(run, target);
                reach[k].push_back(seconds < 0 ? std::numeric_limits<double>::infinity() : seconds);
            }
        for (int k = 0; k < 2; ++k) {
            std::printf(" %10lld %7.3f", median(iterations[k]), medianMeasure(finals[k]).fractional);
            printSeconds(median(reach[k]));
            std::printf(" |");
        }
        const long long one = median(iterations[0]);
        if (one > 0) std::printf(" %6.2f", static_cast<double>(median(iterations[1])) / static_cast<double>(one));
        std::printf("\n");
        std::fflush(stdout);
    });
    return failures == 0 ? 0 : 1;
}

} // namespace dravenor::bench
