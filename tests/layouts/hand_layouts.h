#pragma once
// Layouts made by hand: item rows on sheet 1, and shapes placed as they lie with their entities
// and item rows in step.
#include <string>

#include "engine/layout_results.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "job/nesting_state.h"

namespace dravenor::testing {

inline LayoutItem layoutItem(const std::string& name, std::int32_t layoutNo, std::int32_t partIndex, double x = 0,
                             double y = 0, double angle = 0, std::int32_t qty = 1)
{
    return {name, x, y, angle, 1, partIndex, layoutNo, qty};
}

// The shape's entities and an item row at the corner of its box (part and instance 0: the sheet).
inline void placeShape(NestingState& state, std::int32_t layoutNo, const Shape& placed, std::int32_t partIndex,
                       std::int32_t instance, const std::string& name)
{
    appendShape(state.entities, placed, layoutNo, 1, partIndex, instance, 0, 1);
    const Extents box = shapeExtents(placed);
    state.items.push_back(layoutItem(name, layoutNo, partIndex, box.xmin, box.ymin));
}

} // namespace dravenor::testing
