// dravenor-bench --deep --thread-compare: every job with 1 thread and with 2 threads, the same
// seeds and time, so that the work the second core adds can be read off: iterations of each
// (median over seeds), their ratio and the fractional sheets of each.
#include "deep_options.h"
#include "deep_runs.h"

#include <algorithm>
#include <cstdio>

namespace dravenor::bench {

namespace {

struct ThreadResult {
    long long iterations = 0;  // median over seeds
    Measure measure;           // the run of median fractional sheets
};

ThreadResult runWithThreads(const NestingState& state, const DeepOptions& o, int threads)
{
    std::vector<long long> iterations;
    std::vector<Measure> finals;
    for (std::uint64_t seed : o.seeds) {
        DeepRunSettings s;
        s.time = o.time;
        s.iterations = o.iterations;
        s.threads = threads;
        s.seed = seed;
        s.gaps = false;
        const DeepRun run = runDeep(state, s);
        iterations.push_back(run.measure.iterations);
        finals.push_back(run.measure);
    }
    std::sort(iterations.begin(), iterations.end());
    return {iterations[(iterations.size() - 1) / 2], medianMeasure(finals)};
}

} // namespace

int threadCompareMain(const DeepOptions& o)
{
    std::printf("Deep Nesting with 1 and 2 threads: %.0f s per run, %zu seed(s), median shown\n", o.time, o.seeds.size());
    std::printf("%-22s | %10s %7s | %10s %7s | %6s\n", "job", "iters 1", "frac 1", "iters 2", "frac 2", "ratio");
    const int failures = forEachJob(o.jobs, [&](const std::filesystem::path&, const NestingState& state) {
        const ThreadResult one = runWithThreads(state, o, 1);
        std::printf(" %10lld %7.3f |", one.iterations, one.measure.fractional);
        std::fflush(stdout);
        const ThreadResult two = runWithThreads(state, o, 2);
        std::printf(" %10lld %7.3f |", two.iterations, two.measure.fractional);
        if (one.iterations > 0) std::printf(" %6.2f", static_cast<double>(two.iterations) / one.iterations);
        std::printf("\n");
        std::fflush(stdout);
    });
    return failures == 0 ? 0 : 1;
}

} // namespace dravenor::bench
