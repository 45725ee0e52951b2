#pragma once
// The benchmark's measure of how closely parts lie: exact least distances between the outlines of
// the placed parts, and from each part to its sheet's outline, over all layouts.
#include <limits>

#include "job/nesting_state.h"

namespace dravenor::bench {

struct LayoutGaps {
    double betweenParts = std::numeric_limits<double>::infinity();
    double toSheet = std::numeric_limits<double>::infinity();
};

// The least gaps over every layout of the entity list (instance 0 the sheet, 1.. the parts).
LayoutGaps smallestGaps(const NestingState& state);

} // namespace dravenor::bench
