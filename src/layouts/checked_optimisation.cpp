#include "layouts/checked_optimisation.h"

#include "layouts/common_line_rows.h"
#include "layouts/common_line_snap.h"
#include "layouts/layout_rebuild.h"

namespace dravenor {

void takeLayoutFaults(RunResult& result, const std::vector<LayoutFault>& faults,
                      const std::function<void(const std::string&)>& warn)
{
    for (const LayoutFault& fault : faults) warn(fault.text);
    if (faults.empty() || result.status != EndStatus::Full) return;
    result.status = EndStatus::Partial;
    result.statusText = "Optimization Done, Layouts Need Checking [" + formatElapsed(result.seconds) + "]";
}

LeastDistances classicEngineRoom(double kerf)
{
    if (kerf <= 0) return {};
    return {kerf - kEngineLayoutTolerance, kerf / 2 - kEngineLayoutTolerance};
}

RunResult optimiseChecked(NestingState& state, NestingMode mode, NestingProgress& progress, FitTest fitTest)
{
    RunResult result = optimise(state, mode, progress, nullptr, fitTest);
    // Parts end exactly the kerf apart, as the cut plan finds them; the half kerf to the sheet stays.
    const double kerf = state.details.Kerf;
    if (state.commonLines) result.commonLineRows = preferRowsForCommonLines(state, {kerf, kerf / 2});
    // The check judges the layouts as they will be kept.
    for (const std::string& problem : rebuildRunLayouts(state)) progress.warning(problem);
    if (state.commonLines) result.commonLineMoves = snapRunLayouts(state, {kerf, kerf / 2});
    // Moves are kept only on layouts that passed the check at the full kerf: nothing left to find.
    if (result.commonLineMoves == 0)
        takeLayoutFaults(result, checkLayouts(state, kEngineLayoutTolerance, classicEngineRoom(kerf)),
                         [&](const std::string& text) { progress.warning(text); });
    return result;
}

} // namespace dravenor
