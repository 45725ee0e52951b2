#pragma once
// Everything one optimisation run shares between its steps: the state being laid out, the mode,
// the raster scale, the per-run caches, the random sequence and the progress sink.
#include <string>

#include "engine/fit_test.h"
#include "engine/nesting_progress.h"
#include "job/nesting_state.h"
#include "engine/run_caches.h"
#include "engine/run_timings.h"
#include "engine/uniform_random.h"

namespace dravenor {

struct NestingRun {
    NestingRun(NestingState& s, NestingMode m, NestingProgress& p) : state(s), mode(m), progress(p) {}

    NestingState& state;
    NestingMode mode;
    NestingProgress& progress;
    double scale = 1;          // raster cells per job length unit (1 / ActKerf, or the small-part scale)
    double partGrowth = 0;     // cells part rasters grow by on every side: half the kerf as entered
    RunCaches caches;
    UniformRandom random;
    // The fit test of the placement phases and the part analysis; empty means the engine's own
    // word-parallel one. Tests and the benchmark set a cell-by-cell test to compare results.
    FitTest fitTest = nullptr;
    RunTimings* timings = nullptr; // measured only when given (benchmark)
    bool tooSmallReported = false;

    // Status text with the progress counts of the state's parts (sum of Qty - Remaining / Qty).
    void status(const std::string& text);
    // The too-small warning, shown once it has happened and kept for the rest of the run.
    void warnTooSmall();
};

} // namespace dravenor
