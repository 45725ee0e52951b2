#pragma once
// The layout lists every optimiser fills: placed shapes appended as entities, arc angles tidied,
// and the item list of placed instances and sheets built from the entities.
#include <cstdint>
#include <vector>

#include "geometry/shape.h"
#include "job/nesting_state.h"

namespace dravenor {

ShapeEntity shapeEntityOf(const LayoutEntity& e);
// Copies the geometry fields, leaving the entity's tags as they are.
void copyGeometry(const ShapeEntity& from, LayoutEntity& to);

void appendShape(std::vector<LayoutEntity>& entities, const Shape& shape, std::int32_t layoutNo,
                 std::int32_t sheetIndex, std::int32_t partIndex, std::int32_t instance, double angle,
                 std::int32_t qty = 0, bool mirrored = false);
// Nend 360 becomes 0; negative angles are raised by 360 until not negative.
void normaliseArcs(std::vector<LayoutEntity>& entities);
// One row per instance (in instance order) and then one for the sheet, per layout.
std::vector<LayoutItem> buildItemList(const NestingState& state);

} // namespace dravenor
