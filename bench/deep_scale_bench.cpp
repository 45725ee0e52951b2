// dravenor-bench --deep --scale [offcuts | many]: the generated large jobs of scale_jobs.h (both,
// or those named), one row per seed.
// offcuts: part area placed by the classic engine (stopped at --classic-limit; the most any of
// its trials placed, the stopped one included) and by Deep Nesting (at --time); many: seconds to the first result with every part placed (or the first
// result at all), how often it improved after that, and sheets then and at the end. The process's
// largest resident memory so far follows each job.
#include "deep_options.h"
#include "deep_runs.h"
#include "scale_jobs.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace dravenor::bench {

namespace {

double maxResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

void printMemory() { std::printf("  max resident memory so far: %.0f MB\n", maxResidentMegabytes()); }

// One engine's row; no seed (-1) for the classic engine.
void printPlaced(const char* engine, long long seed, double area, const Measure& m, double seconds)
{
    char label[32];
    std::snprintf(label, sizeof label, seed >= 0 ? "%s s%lld" : "%s", engine, seed);
    std::printf("  %-14s | %9.3f m2 | %4lld of %-4lld parts | %6d sheets | %7.1f s", label, area / 1e6, m.placed,
                m.required, m.sheets, seconds);
}

void offcutsBench(const NestingState& state, const DeepOptions& o)
{
    AreaBook areas(state);
    double sheetArea = 0;
    for (const SheetEntry& s : state.sheets) sheetArea += areas.areaOf(s.FileName) * s.Qty;
    const Measure all = measureLayouts(state, areas, false);
    std::printf("offcuts: %zu sheets, %.3f m2 (holes taken out); %lld parts, %.3f m2\n", state.sheets.size(), sheetArea / 1e6,
                all.required, all.requiredArea / 1e6);
    std::printf("  %-14s | %12s | %19s | %13s | %9s\n", "engine", "part area", "parts placed", "sheets", "seconds");
    if (o.classic) {
        const ClassicRun classic = runClassic(state, o.classicLimit);
        printPlaced("classic", -1, classic.bestPlacedArea, classic.measure, classic.measure.seconds);
        std::printf(classic.cancelled ? " (stopped at the limit)\n" : "\n");
        std::fflush(stdout);
    }
    for (std::uint64_t seed : o.seeds) {
        const DeepRun run = runDeep(state, runSettings(o, seed, false));
        printPlaced("deep", static_cast<long long>(seed), run.measure.placedArea, run.measure, run.measure.seconds);
        std::printf(" %lld iterations\n", run.measure.iterations);
        std::fflush(stdout);
    }
}

void manyBench(const NestingState& state, const DeepOptions& o)
{
    long long parts = 0;
    for (const PartEntry& p : state.parts) parts += p.Qty;
    std::printf("many: %lld parts of %zu types on %zu sheet sizes\n", parts, state.parts.size(), state.sheets.size());
    std::printf("  %-5s | %8s | %8s | %8s | %-17s | %-15s | %9s\n", "seed", "first s", "full s", "improved", "frac full -> end",
                "placed at end", "iters");
    for (std::uint64_t seed : o.seeds) {
        const DeepRun run = runDeep(state, runSettings(o, seed, false));
        std::printf("  %-5llu | %8.1f |", static_cast<unsigned long long>(seed), run.firstResultSeconds);
        if (run.firstCompleteSeconds < 0) std::printf(" %8s | %8s | %17s |", "never", "-", "-");
        else
            std::printf(" %8.1f | %8d | %7.3f -> %7.3f |", run.firstCompleteSeconds, run.improvementsAfterComplete,
                        run.firstComplete.fractionalSheets, run.final.fractionalSheets);
        std::printf(" %6lld of %-5lld | %9lld\n", run.measure.placed, run.measure.required, run.measure.iterations);
        std::fflush(stdout);
    }
}

} // namespace

int scaleBenchMain(const DeepOptions& o)
{
    const fs::path repository(DRAVENOR_SOURCE_DIR);
    ScaleJobFiles files;
    try {
        files = writeScaleJobs(DRAVENOR_SCALE_DIR, partShapeSources(repository / "resources" / "examples",
                                                                    repository / ".." / "shared" / "bench"));
    } catch (const std::exception& e) {
        std::cerr << "cannot write the scale jobs: " << e.what() << "\n";
        return 2;
    }
    std::printf("Scale jobs in %s; Deep Nesting %.0f s per run, threads %d (0: all cores)\n", DRAVENOR_SCALE_DIR, o.time,
                o.threads);
    int failures = 0;
    using Bench = void (*)(const NestingState&, const DeepOptions&);
    for (const auto& [file, bench] : {std::pair<fs::path, Bench>{files.offcuts, offcutsBench}, {files.many, manyBench}}) {
        const std::string name = file.parent_path().filename().string();
        if (!o.jobNames.empty() && std::find(o.jobNames.begin(), o.jobNames.end(), name) == o.jobNames.end()) continue;
        NestingState state;
        if (!readJob(file, state)) {
            ++failures;
            continue;
        }
        bench(state, o);
        printMemory();
    }
    return failures == 0 ? 0 : 1;
}

} // namespace dravenor::bench
