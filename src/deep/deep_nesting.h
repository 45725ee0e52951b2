#pragma once
// Deep Nesting: an anytime search that uses the time and cores it is given to place the job's
// parts on fewer sheets, with spacing and margin kept exactly on the true outlines. It leaves its
// best result in the same layout lists the classic engine fills.
#include <cstdint>
#include <string>

#include "job/deep_settings.h"
#include "deep/work_counts.h"
#include "job/nesting_state.h"

namespace dravenor {

// The best result found so far.
struct DeepBest {
    int sheets = 0;               // sheets used
    double fractionalSheets = 0;  // sheets - 1 + used length of the least used sheet over its length
    double yield = 0;             // part area over the area of the sheets used, in percent
    std::int64_t partsPlaced = 0;
    std::int64_t partsRequired = 0;
    int fewestSheets = 0;         // the fewest sheets any layout of the parts that fit can use
};

// How a run reports; called from the thread that called runDeepNesting.
class DeepProgress {
public:
    virtual ~DeepProgress() = default;
    // A better result: `layouts` holds it as entities and items, as the run will leave them.
    virtual void improved(const DeepBest& best, const NestingState& layouts) = 0;
    // About ten times a second: elapsed seconds and iterations so far.
    virtual void tick(double elapsedSeconds, std::int64_t iterations) = 0;
    // Something the user must hear, e.g. a part that fits no sheet once spacing and margin apply.
    virtual void warning(const std::string& text) = 0;
    // Polled often; true ends the run, keeping the best result so far.
    virtual bool stopRequested() = 0;
};

struct DeepOutcome {
    bool ran = false;        // false: nothing could run, `error` says why
    std::string error;       // "The time limit must be a number above 0", ...
    DeepBest best;
    double seconds = 0;
    std::int64_t iterations = 0;
    bool stopped = false;    // ended by stopRequested()
    int fewestSheets = 0;    // no layout of the parts that fit a sheet uses fewer sheets
    DeepWork work;           // summed over the threads
};

// Runs on a state whose records are read from the grids and whose files exist. Leaves the best
// result in state.entities and state.items (sheets sorted and numbered as the classic engine
// numbers them, identical sheets as one layout with its count).
DeepOutcome runDeepNesting(NestingState& state, const DeepSettings& settings, DeepProgress& progress);

} // namespace dravenor
