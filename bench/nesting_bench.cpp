// dravenor-bench: optimises nesting jobs and prints per job the trials, parts, layouts, overall
// yield, seconds (wall clock and processor time) and where the time went (set-up, sheet rasters,
// part analysis, placement).
//
//   dravenor-bench [--compare] [--repeat N] [JOB.args | FOLDER]...
//
// A folder stands for its job.args. Without arguments: the example job and every job of
// ../shared/bench relative to the repository. --compare runs each job a second time with the
// cell-by-cell fit test, checks both give the same layouts and prints the speed-up. --repeat runs
// each job N times and reports the fastest run, so that other work on the machine counts less.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/nest_job.h"
#include "engine/layout_summary.h"
#include "engine/nesting_checks.h"
#include "engine/nesting_driver.h"
#include "engine/cell_by_cell_fit.h"
#include "deep_bench.h"

namespace fs = std::filesystem;
using namespace dravenor;

namespace {

std::vector<fs::path> defaultJobs()
{
    const fs::path repository(DRAVENOR_SOURCE_DIR);
    std::vector<fs::path> jobs{repository / "resources" / "examples" / "job.args"};
    const fs::path shared = repository / ".." / "shared" / "bench";
    std::vector<fs::path> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(shared, ec))
        if (fs::exists(entry.path() / "job.args")) found.push_back(entry.path() / "job.args");
    std::sort(found.begin(), found.end());
    jobs.insert(jobs.end(), found.begin(), found.end());
    return jobs;
}

fs::path jobFile(const std::string& argument)
{
    const fs::path path(argument);
    return fs::is_directory(path) ? path / "job.args" : path;
}

std::string jobName(const fs::path& file)
{
    const std::string folder = file.parent_path().filename().string();
    return folder == "examples" ? "example" : folder;
}

struct Row {
    std::string name;
    int trials = 0;
    long long parts = 0;
    int layouts = 0;
    double yield = 0;
    double seconds = 0;
    double cpuSeconds = 0; // processor time: counts less of what else runs on the machine
    double setup = 0, rasterise = 0, analyse = 0, place = 0;
    std::string status;
    double referenceSeconds = 0, referenceCpuSeconds = 0; // with the cell-by-cell fit test (--compare)
    bool identical = false;
};

struct Outcome {
    RunResult result;
    RunTimings timings;
    double seconds = 0;
    double cpuSeconds = 0;
};

Outcome optimiseTimed(NestingState& state, NestingMode mode, FitTest fitTest)
{
    SilentProgress progress;
    Outcome outcome;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    outcome.result = optimise(state, mode, progress, &outcome.timings, fitTest);
    outcome.cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

// Keeps the least wall-clock and the least processor time of the runs given to it (the timings
// and result of the fastest run by wall clock).
struct Fastest {
    Outcome best;
    bool any = false;

    void add(Outcome outcome)
    {
        const double leastCpu = any ? std::min(best.cpuSeconds, outcome.cpuSeconds) : outcome.cpuSeconds;
        if (!any || outcome.seconds < best.seconds) best = std::move(outcome);
        best.cpuSeconds = leastCpu;
        any = true;
    }
};

// Runs one job; an empty name means the job could not be read (the reason went to stderr).
Row runJob(const fs::path& file, bool compare, int repeats)
{
    Row row;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << file.string() << ": cannot be read\n";
        return row;
    }
    std::stringstream text;
    text << in.rdbuf();
    cli::NestJob job;
    try {
        job = cli::parseNestJob(cli::readArgsFile(text.str()), file.parent_path().string());
    } catch (const cli::UsageError& e) {
        std::cerr << file.string() << ": " << e.message << "\n";
        return row;
    }
    for (auto check : {missingFileMessage, emptyListMessage, shapeProblemMessage, rasterSizeMessage})
        if (auto problem = check(job.state)) {
            std::cerr << file.string() << ": " << *problem << "\n";
            return row;
        }
    for (const PartEntry& p : job.state.parts) row.parts += p.Qty;

    // Each repeat runs a fresh copy of the job, the cell-by-cell run right after the engine's own,
    // so that both meet much the same load from the rest of the machine.
    const NestingState start = job.state;
    NestingState reference = job.state;
    Fastest ours, theirs;
    for (int r = 0; r < repeats; ++r) {
        job.state = start;
        ours.add(optimiseTimed(job.state, job.mode, nullptr));
        if (!compare) continue;
        reference = start;
        theirs.add(optimiseTimed(reference, job.mode, &testing::cellByCellFits));
    }
    const Outcome& outcome = ours.best;
    const RunResult& result = outcome.result;
    const RunTimings& timings = outcome.timings;
    row.seconds = outcome.seconds;
    row.cpuSeconds = outcome.cpuSeconds;
    if (compare) {
        row.referenceSeconds = theirs.best.seconds;
        row.referenceCpuSeconds = theirs.best.cpuSeconds;
        row.identical = reference.entities == job.state.entities;
    }

    const std::vector<LayoutSummary> layouts = summariseLayouts(job.state);
    row.name = jobName(file);
    row.trials = result.trials;
    row.layouts = static_cast<int>(layouts.size());
    row.yield = overallYield(layouts);
    row.setup = timings.seconds(RunPhase::Setup);
    row.rasterise = timings.seconds(RunPhase::Rasterise);
    row.analyse = timings.seconds(RunPhase::Analyse);
    row.place = timings.seconds(RunPhase::Place);
    row.status = result.status == EndStatus::Full ? "full" : result.status == EndStatus::Partial ? "partial" : "failed";
    return row;
}

void printHeader(bool compare)
{
    std::printf("%-16s %7s %6s %8s %8s %9s %8s %8s %8s %8s %8s  %-8s", "job", "trials", "parts", "layouts", "yield%",
                "seconds", "cpu", "setup", "raster", "analyse", "place", "status");
    if (compare) std::printf(" %12s %8s %8s %8s %9s", "cell-by-cell", "cpu", "speed-up", "cpu", "identical");
    std::printf("\n");
}

void printRow(const Row& r, bool compare)
{
    std::printf("%-16s %7d %6lld %8d %8.3f %9.3f %8.3f %8.3f %8.3f %8.3f %8.3f  %-8s", r.name.c_str(), r.trials,
                r.parts, r.layouts, r.yield * 100, r.seconds, r.cpuSeconds, r.setup, r.rasterise, r.analyse, r.place,
                r.status.c_str());
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    if (compare)
        std::printf(" %12.3f %8.3f %7.1fx %7.1fx %9s", r.referenceSeconds, r.referenceCpuSeconds,
                    ratio(r.referenceSeconds, r.seconds), ratio(r.referenceCpuSeconds, r.cpuSeconds),
                    r.identical ? "yes" : "NO");
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--deep") return bench::deepBenchMain(argc, argv);
    std::vector<fs::path> jobs;
    bool compare = false;
    int repeats = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << "Usage: dravenor-bench [--compare] [--repeat N] [JOB.args | FOLDER]...\n"
                         "       dravenor-bench --deep [--time S] [--iterations N] [--seeds A,B,C] [--threads N]\n"
                         "                             [--no-classic] [JOB.args | FOLDER]...\n"
                         "Optimises each job (default: the example job and ../shared/bench/*/job.args)\n"
                         "and prints trials, parts, layouts, overall yield, seconds (wall clock and\n"
                         "processor time) and the time spent in set-up, sheet rasters, part analysis\n"
                         "and placement.\n"
                         "--compare  runs each job again with the cell-by-cell fit test, prints its\n"
                         "           seconds and the speed-ups (wall clock, processor time), and checks\n"
                         "           both layouts are identical.\n"
                         "--repeat N runs each job N times (both ways) and reports the fastest run.\n"
                         "--deep     the classic engine and Deep Nesting side by side (default jobs: also\n"
                         "           every strip.args): sheets, fractional sheets, density, yield, the\n"
                         "           smallest gaps between parts and to the sheet edge, seconds,\n"
                         "           iterations; the median of the seeds (default 1,2,3) at --time S\n"
                         "           (default 20) or --iterations N.\n";
            return 0;
        }
        if (a == "--compare") {
            compare = true;
            continue;
        }
        if (a == "--repeat") {
            repeats = i + 1 < argc ? std::atoi(argv[++i]) : 0;
            if (repeats < 1) {
                std::cerr << "--repeat needs a whole number of 1 or more\n";
                return 2;
            }
            continue;
        }
        jobs.push_back(jobFile(a));
    }
    if (jobs.empty()) jobs = defaultJobs();
    printHeader(compare);
    int failures = 0;
    for (const fs::path& job : jobs) {
        const Row row = runJob(job, compare, repeats);
        if (row.name.empty()) {
            ++failures;
            continue;
        }
        printRow(row, compare);
        if (compare && !row.identical) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
