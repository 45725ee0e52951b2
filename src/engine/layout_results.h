#pragma once
// The layout lists: appending placed shapes, turning a finished layout back into the sheet's own
// orientation, repeating it while stock and demand allow, tidying arc angles, and the item list
// of placed instances and sheets.
#include <cstdint>
#include <vector>

#include "engine/nesting_progress.h"
#include "job/nesting_state.h"
#include "geometry/shape.h"

namespace dravenor {

void appendShape(std::vector<LayoutEntity>& entities, const Shape& shape, std::int32_t layoutNo,
                 std::int32_t sheetIndex, std::int32_t partIndex, std::int32_t instance, double angle,
                 std::int32_t qty = 0);
// Turns every entity of the last layout by the angle and moves them to the origin together;
// each part entity's Angle takes the turn too (within one turn), the sheet's stays.
void rotateLastLayout(std::vector<LayoutEntity>& entities, double angleDegrees);
// Takes further copies of the layout from stock and demand while both allow; writes the number of
// identical sheets into Qty of the layout's entities and returns it. counts holds, per part
// (0-based like state.parts), the instances of that part on the layout.
std::int32_t repeatLayout(NestingState& state, const std::vector<std::int32_t>& counts, std::int32_t layoutNo,
                          std::int32_t sheetIndex, double& sheetArea, double& partArea,
                          NestingProgress& progress);
// Nend 360 becomes 0; negative angles are raised by 360 until not negative.
void normaliseArcs(std::vector<LayoutEntity>& entities);
// One row per instance (in instance order) and then one for the sheet, per layout.
std::vector<LayoutItem> buildItemList(const NestingState& state);

} // namespace dravenor
