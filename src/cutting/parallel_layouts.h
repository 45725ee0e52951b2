#pragma once
// Work on several layouts at once: each layout is planned (and its program written) on its own,
// so they run side by side on the machine's cores, which a quote, a report or the programs of
// many layouts wait on.
#include <cstddef>
#include <functional>
#include <vector>

#include "cutting/cut_plan.h"

namespace dravenor::cutting {

// Calls work(i) once for every i below count, on as many threads as the machine has cores.
// work must touch nothing another index touches.
void forEachInParallel(size_t count, const std::function<void(size_t)>& work);

// The plans of the layouts, in the order of layoutNos; the same as planLayoutCut of each.
std::vector<CutPlanResult> planLayoutCuts(const NestingState& state, const std::vector<int>& layoutNos,
                                          const CutSettings& settings);

} // namespace dravenor::cutting
