#include "engine/nesting_driver.h"

#include <chrono>
#include <cmath>
#include <optional>

#include "engine/layout_results.h"
#include "engine/layout_summary.h"
#include "engine/run_texts.h"
#include "engine/sheet_layout.h"

namespace dravenor {

namespace {

template <class Entries>
bool anyRemaining(const Entries& entries)
{
    for (const auto& e : entries)
        if (e.Remaining > 0) return true;
    return false;
}

int trialCount(size_t sheetTypes)
{
    const double trials = std::pow(static_cast<double>(sheetTypes), 4);
    return trials > 2147483647.0 ? 2147483647 : static_cast<int>(trials);
}

// The best complete trial so far: chosen by the counted areas, shown with the true ones.
struct BestTrial {
    std::optional<NestingState> state;
    double yield = 0;
    double trueYield = 0;
};

std::string titleFor(int trial, int trials, const BestTrial& best)
{
    const int layouts = best.state && !best.state->entities.empty() ? best.state->entities.back().LayoutNo : 0;
    return progressTitle(trial, trials, best.state.has_value(), best.trueYield, layouts);
}

EndStatus endStatusOf(const NestingState& state)
{
    if (!anyRemaining(state.parts)) return EndStatus::Full;
    return state.entities.empty() ? EndStatus::Failed : EndStatus::Partial;
}

} // namespace

RunResult runTrials(NestingRun& run)
{
    using Clock = std::chrono::steady_clock;
    NestingState& state = run.state;
    const NestingState start = state;
    const Clock::time_point startTime = Clock::now();
    run.status("");
    run.random.reseed(UniformRandom::kRunSeed);

    RunResult result;
    result.trials = trialCount(state.sheets.size());
    BestTrial best;
    const RecordAreas shownAreas = trueAreas(state);
    ShapeStore shapes(state.drawingUnit);
    for (int trial = 1; trial <= result.trials && !result.cancelled; ++trial) {
        run.progress.trialStarted(trial, result.trials);
        result.trialsRun = trial;
        state = start;
        std::int32_t layoutNo = 0;
        long long lastSeenLength = -1;
        TrialAreas areas;
        while (anyRemaining(state.sheets) && anyRemaining(state.parts)) {
            const std::int32_t sheetIndex = chooseSheet(state, run.random);
            if (static_cast<long long>(state.entities.size()) > lastSeenLength) {
                ++layoutNo;
                lastSeenLength = static_cast<long long>(state.entities.size());
            }
            if (layOutSheet(run, sheetIndex, layoutNo, areas, shapes))
                run.progress.title(titleFor(trial, result.trials, best));
            if (run.progress.cancelRequested()) {
                result.cancelled = true;
                break;
            }
        }
        if (result.cancelled || anyRemaining(state.parts) || areas.sheetArea <= 0) continue;
        const double yield = areas.partArea / areas.sheetArea;
        if (!best.state || yield > best.yield) {
            best.yield = yield;
            best.state = state;
            best.trueYield = overallYield(summariseLayouts(state, shownAreas));
            run.progress.title(titleFor(trial, result.trials, best));
        }
    }

    if (best.state) {
        state = std::move(*best.state);
    } else if (!state.entities.empty()) {
        // No trial placed every part: the last one's layouts are the result, and the title
        // says what they hold rather than "NA".
        best.trueYield = overallYield(summariseLayouts(state, shownAreas));
        run.progress.title(progressTitle(result.trialsRun, result.trials, true, best.trueYield,
                                         state.entities.back().LayoutNo));
    }
    // Arc angles are tidied on the list the run leaves behind, the best trial's included.
    normaliseArcs(state.entities);
    result.bestYield = best.yield;
    result.seconds = std::chrono::duration<double>(Clock::now() - startTime).count();
    result.status = endStatusOf(state);
    result.statusText = endStatusText(result.status, result.seconds);
    run.status(result.statusText);
    return result;
}

RunResult optimise(NestingState& state, NestingMode mode, NestingProgress& progress, RunTimings* timings,
                   FitTest fitTest)
{
    NestingRun run(state, mode, progress);
    run.timings = timings;
    run.fitTest = fitTest;
    {
        ScopedPhase phase(timings, RunPhase::Setup);
        setUpKerfAndScale(run);
        computeAreasAndSort(run);
    }
    state.entities.clear();
    state.items.clear();
    RunResult result = runTrials(run);
    state.items = buildItemList(state);
    return result;
}

} // namespace dravenor
