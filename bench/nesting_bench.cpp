// dravenor-bench: optimises nesting jobs and prints per job the trials, parts, layouts, overall
// yield, seconds and where the time went (set-up, sheet rasters, part analysis, placement).
//
//   dravenor-bench [--compare] [JOB.args | FOLDER]...
//
// A folder stands for its job.args. Without arguments: the example job and every job of
// ../shared/bench relative to the repository. --compare runs each job a second time with the
// cell-by-cell fit test, checks both give the same layouts and prints the speed-up.
#include <algorithm>
#include <chrono>
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
    double setup = 0, rasterise = 0, analyse = 0, place = 0;
    std::string status;
    double referenceSeconds = 0; // with the cell-by-cell fit test (--compare)
    bool identical = false;
};

struct Outcome {
    RunResult result;
    RunTimings timings;
    double seconds = 0;
};

Outcome optimiseTimed(NestingState& state, NestingMode mode, FitTest fitTest)
{
    SilentProgress progress;
    Outcome outcome;
    const auto start = std::chrono::steady_clock::now();
    outcome.result = optimise(state, mode, progress, &outcome.timings, fitTest);
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

// Runs one job; an empty name means the job could not be read (the reason went to stderr).
Row runJob(const fs::path& file, bool compare)
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

    NestingState reference = job.state;
    const Outcome outcome = optimiseTimed(job.state, job.mode, nullptr);
    const RunResult& result = outcome.result;
    const RunTimings& timings = outcome.timings;
    row.seconds = outcome.seconds;
    if (compare) {
        row.referenceSeconds = optimiseTimed(reference, job.mode, &testing::cellByCellFits).seconds;
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
    std::printf("%-16s %7s %6s %8s %8s %9s %8s %8s %8s %8s  %-8s", "job", "trials", "parts", "layouts", "yield%",
                "seconds", "setup", "raster", "analyse", "place", "status");
    if (compare) std::printf(" %11s %8s %9s", "cell-by-cell", "speed-up", "identical");
    std::printf("\n");
}

void printRow(const Row& r, bool compare)
{
    std::printf("%-16s %7d %6lld %8d %8.3f %9.3f %8.3f %8.3f %8.3f %8.3f  %-8s", r.name.c_str(), r.trials, r.parts,
                r.layouts, r.yield * 100, r.seconds, r.setup, r.rasterise, r.analyse, r.place, r.status.c_str());
    if (compare)
        std::printf(" %11.3f %7.1fx %9s", r.referenceSeconds, r.seconds > 0 ? r.referenceSeconds / r.seconds : 0.0,
                    r.identical ? "yes" : "NO");
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<fs::path> jobs;
    bool compare = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << "Usage: dravenor-bench [--compare] [JOB.args | FOLDER]...\n"
                         "Optimises each job (default: the example job and ../shared/bench/*/job.args)\n"
                         "and prints trials, parts, layouts, overall yield, seconds and the time spent\n"
                         "in set-up, sheet rasters, part analysis and placement.\n"
                         "--compare  runs each job again with the cell-by-cell fit test, prints its\n"
                         "           seconds and the speed-up, and checks both layouts are identical.\n";
            return 0;
        }
        if (a == "--compare") {
            compare = true;
            continue;
        }
        jobs.push_back(jobFile(a));
    }
    if (jobs.empty()) jobs = defaultJobs();
    printHeader(compare);
    int failures = 0;
    for (const fs::path& job : jobs) {
        const Row row = runJob(job, compare);
        if (row.name.empty()) {
            ++failures;
            continue;
        }
        printRow(row, compare);
        if (compare && !row.identical) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
