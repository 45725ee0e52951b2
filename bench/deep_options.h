#pragma once
// What dravenor-bench --deep was asked for, and its three ways of running.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "deep_measure.h"

namespace dravenor::bench {

struct DeepOptions {
    double time = 20;                    // seconds per Deep Nesting run
    std::int64_t iterations = 0;         // above 0: a fixed amount of work instead of the time
    std::vector<std::uint64_t> seeds{1, 2, 3};
    int threads = 0;                     // 0: every core
    bool classic = true;                 // run the classic engine beside Deep Nesting
    double classicLimit = 600;           // seconds after which the classic engine is stopped
    std::vector<double> checkpoints;     // elapsed seconds at which the best result is kept, ascending
    bool threadCompare = false;          // 1 thread against 2 instead of the usual tables
    bool scale = false;                  // only the generated large jobs
    bool timeline = false;               // each run's gains and stalls in the order they came
    JobOverrides overrides;              // --spacing S, --half-turn
    std::vector<std::string> jobNames;   // the job arguments as given ("many" picks one scale job)
    std::vector<std::filesystem::path> jobs;
};

// Each job with 1 and with 2 threads: iterations, their ratio and fractional sheets.
int threadCompareMain(const DeepOptions& options);
// The generated jobs: placed part area on offcuts, time to a first result with 2000 parts, memory.
int scaleBenchMain(const DeepOptions& options);

} // namespace dravenor::bench
