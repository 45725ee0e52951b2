#pragma once
// The classic engine's layout steps: turning a finished layout back into the sheet's own
// orientation and repeating it while stock and demand allow (appending shapes, tidying arcs and
// the item list come from the geometry layer's layout lists).
#include <cstdint>
#include <vector>

#include "engine/nesting_progress.h"
#include "job/nesting_state.h"
#include "geometry/layout_lists.h"
#include "geometry/shape.h"

namespace dravenor {

// Turns every entity of the last layout by the angle and moves them to the origin together;
// each part entity's Angle takes the turn too (within one turn), the sheet's stays.
void rotateLastLayout(std::vector<LayoutEntity>& entities, double angleDegrees);
// Takes further copies of the layout from stock and demand while both allow; writes the number of
// identical sheets into Qty of the layout's entities and returns it. counts holds, per part
// (0-based like state.parts), the instances of that part on the layout.
std::int32_t repeatLayout(NestingState& state, const std::vector<std::int32_t>& counts, std::int32_t layoutNo,
                          std::int32_t sheetIndex, double& sheetArea, double& partArea,
                          NestingProgress& progress);

} // namespace dravenor
