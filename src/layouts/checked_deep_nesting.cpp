#include "layouts/checked_deep_nesting.h"

#include "engine/run_texts.h"
#include "job/deep_settings_input.h"
#include "layouts/checked_optimisation.h"
#include "layouts/common_line_rows.h"
#include "layouts/common_line_snap.h"
#include "layouts/layout_rebuild.h"
#include "layouts/sheet_use.h"

namespace dravenor {

namespace {

EndStatus endStatusOf(const NestingState& state)
{
    for (const PartEntry& part : state.parts)
        if (part.Remaining > 0) return state.entities.empty() ? EndStatus::Failed : EndStatus::Partial;
    return EndStatus::Full;
}

} // namespace

DeepRun nestDeepChecked(NestingState& state, const DeepSettings& settings, DeepProgress& progress,
                        const DeepSearch& search)
{
    DeepRun run;
    if (const auto problem = deepSettingsProblem(settings)) {
        run.outcome.error = *problem;
        run.result.statusText = *problem;
        return run;
    }
    run.outcome = search(state, settings, progress);
    if (!run.outcome.ran) {
        run.result.statusText = run.outcome.error;
        return run;
    }
    const LeastDistances least{effectiveSpacing(settings, state.details.Kerf), settings.margin};
    if (state.commonLines && preferRowsForCommonLines(state, least)) {
        // The run's figures are the rows' from here on.
        run.result.commonLineRows = true;
        run.outcome.best.sheets = sheetsUsed(state);
        run.outcome.best.fractionalSheets = run.outcome.best.sheets - 1 + leastUsedShare(state);
    }
    // The check judges the layouts as they will be kept.
    for (const std::string& problem : rebuildRunLayouts(state)) progress.warning(problem);
    state.details.ActKerf = least.spacing;
    state.deepLayouts = true;
    if (state.commonLines) run.result.commonLineMoves = snapRunLayouts(state, least);
    run.result.seconds = run.outcome.seconds;
    run.result.bestYield = run.outcome.best.yield / 100;
    run.result.cancelled = run.outcome.stopped;
    run.result.status = endStatusOf(state);
    run.result.statusText = endStatusText(run.result.status, run.result.seconds);
    // Moves are kept only on layouts that passed this same check: nothing left to find.
    if (run.result.commonLineMoves == 0)
        takeLayoutFaults(run.result, checkLayouts(state, kEngineLayoutTolerance, least),
                         [&](const std::string& text) { progress.warning(text); });
    return run;
}

} // namespace dravenor
