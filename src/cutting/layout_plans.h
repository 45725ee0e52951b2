#pragma once
// The cut plans of several layouts at once: each layout is planned on its own, so they are
// planned side by side on the machine's cores, which a quote or a report of many layouts waits on.
#include <vector>

#include "cutting/cut_plan.h"

namespace dravenor::cutting {

// The plans of the layouts, in the order of layoutNos; the same as planLayoutCut of each.
std::vector<CutPlanResult> planLayoutCuts(const NestingState& state, const std::vector<int>& layoutNos,
                                          const CutSettings& settings);

} // namespace dravenor::cutting
