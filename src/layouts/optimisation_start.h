#pragma once
// What "Start Optimization" does around the run itself, free of windows: the checks in their
// order with the zero-kerf question, the records built from the grids, and taking a finished
// run back into the job.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/nesting_driver.h"
#include "job/job.h"

namespace dravenor {

// Why a run does not start: a missing or unusable file is a problem, shown as a warning; no
// usable sheet or part row is a plain notice. An empty text means the user declined the
// zero-kerf question and there is nothing to show.
struct StartRefusal {
    std::string text;
    bool plainNotice = false;
};

struct OptimisationStart {
    // Why the run may not start, or nothing when it may.
    std::optional<StartRefusal> stop;
    // What the shape files were read with that the run goes on without (entities of drawings
    // not read, units converted), one line each naming the file; for the user to see first.
    std::vector<std::string> notes;
};

// Checks the job and prepares its records for a run: every named file exists, the basic
// details are read, a zero kerf is confirmed through askZeroKerf, the grids become records,
// and the lists and shapes are usable (for Deep Nesting, its settings too). The results are
// thrown away first: a run always starts from the grids.
OptimisationStart prepareOptimisation(Job& job, const std::function<bool()>& askZeroKerf);

// Takes a finished run into the job: its state, the kerf it used written to the basic
// details' ActKerf column, and the job marked modified. Typing before the run can no longer be
// taken back with Esc.
void acceptOptimisation(Job& job, NestingState finished);

} // namespace dravenor
