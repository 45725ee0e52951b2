#include "layout_gaps.h"

#include <algorithm>

#include "layouts/layout_clearances.h"
#include "layouts/placed_layouts.h"

namespace dravenor::bench {

LayoutGaps smallestGaps(const NestingState& state)
{
    LayoutGaps least;
    for (const auto& [layoutNo, layout] : placedLayoutShapes(state)) {
        const LayoutClearance clearance = measureClearance(layoutNo, layout.sheet, layout.parts);
        least.betweenParts = std::min(least.betweenParts, clearance.betweenParts);
        least.toSheet = std::min(least.toSheet, clearance.toSheet);
    }
    return least;
}

} // namespace dravenor::bench
