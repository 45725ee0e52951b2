#pragma once
// A Deep Nesting run whose layouts are checked on the vector outlines before it is called done:
// the same guard as the classic engine's, with the job's spacing and margin measured exactly.
#include <functional>

#include "deep/deep_nesting.h"
#include "engine/nesting_driver.h"

namespace dravenor {

struct DeepRun {
    RunResult result;   // status and its text as the classic engine gives them
    DeepOutcome outcome;
};

// What runs the search (runDeepNesting; tests give others).
using DeepSearch = std::function<DeepOutcome(NestingState&, const DeepSettings&, DeepProgress&)>;

// The search, then the check of every layout at the spacing (the kerf as entered unless set) and
// margin: each fault is named through the progress warning, and a faulty result ends as
// "Optimization Done, Layouts Need Checking" with the Partial status. Settings no run can use end
// at once as Failed with the reason as the status text. The details' ActKerf is the spacing kept.
DeepRun nestDeepChecked(NestingState& state, const DeepSettings& settings, DeepProgress& progress,
                        const DeepSearch& search = runDeepNesting);

} // namespace dravenor
