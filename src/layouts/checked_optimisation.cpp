#include "layouts/checked_optimisation.h"

#include "layouts/layout_geometry_check.h"

namespace dravenor {

RunResult optimiseChecked(NestingState& state, NestingMode mode, NestingProgress& progress, FitTest fitTest)
{
    RunResult result = optimise(state, mode, progress, nullptr, fitTest);
    const std::vector<LayoutFault> faults = checkLayouts(state, kEngineLayoutTolerance);
    if (faults.empty()) return result;
    for (const LayoutFault& fault : faults) progress.warning(fault.text);
    if (result.status == EndStatus::Full) {
        result.status = EndStatus::Partial;
        result.statusText = "Optimization Done, Layouts Need Checking# [" + formatElapsed(result.seconds) + " Seconds]";
    }
    return result;
}

} // namespace dravenor
