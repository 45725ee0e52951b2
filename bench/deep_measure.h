#pragma once
// The benchmark's measures of a finished layout list, and the job files it reads.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "job/nesting_state.h"

namespace dravenor::bench {

struct Measure {
    int sheets = 0;
    double fractional = 0;    // sheets - 1 + the used share of the least used sheet
    double density = 0;       // part area over the area of the fractional sheets
    double yield = 0;         // part area over the area of the sheets used
    long long placed = 0, required = 0;
    double placedArea = 0, requiredArea = 0;  // true part areas, mm2
    double gapParts = 0, gapSheet = 0;
    double seconds = 0;
    long long iterations = 0;
    int fewest = 0;           // Deep Nesting: no layout uses fewer sheets
    bool ok = false;          // false: no result (a failed run, or none yet at a checkpoint)
};

// Better first: a result before none, more parts placed, then fewer fractional sheets.
bool betterMeasure(const Measure& a, const Measure& b);
// The middle one by betterMeasure (the lower middle of an even count); a failed Measure for none.
Measure medianMeasure(std::vector<Measure> runs);

// The example job and every job.args and strip.args of ../shared/bench.
std::vector<std::filesystem::path> defaultJobs();
// "albano", "albano-strip", "example": the folder's name, with "-strip" for a strip.args.
std::string jobName(const std::filesystem::path& file);
// Reads and checks a job.args file; false (with the reason on stderr) when it cannot run.
bool readJob(const std::filesystem::path& file, NestingState& state);
// Changes the benchmark makes to every job it reads: another spacing between parts (below 0: the
// job's own kerf), and parts kept as drawn ("No") allowed the half turn as well.
struct JobOverrides {
    double spacing = -1;
    bool halfTurn = false;
};
void applyOverrides(const JobOverrides& overrides, NestingState& state);
// Reads each job and hands it on after printing its name at the start of a row; the number of
// jobs that could not be read.
int forEachJob(const std::vector<std::filesystem::path>& jobs, const JobOverrides& overrides,
               const std::function<void(const std::filesystem::path&, const NestingState&)>& run);

// Caches the true area of each shape file of a job, so that repeated measures read each once.
class AreaBook {
public:
    explicit AreaBook(const NestingState& state) : state_(state) {}
    double areaOf(const std::string& file);
    // Part area placed: the sum over the part records of area x (Qty - Remaining).
    double placedArea(const NestingState& state);

private:
    const NestingState& state_;
    std::map<std::string, double> areas_;
};

// Sheets, fractional sheets, density, yield, parts and areas placed; the gaps only when asked
// (they cost a pass over every pair of outlines).
Measure measureLayouts(const NestingState& state, AreaBook& areas, bool withGaps);

} // namespace dravenor::bench
