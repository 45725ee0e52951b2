#pragma once
// The hatching that marks a remnant in drawings: parallel lines at 45 degrees, `spacing` apart,
// cut to the inside of the remnant's outlines (holes left open).
#include <vector>

#include "geometry/segments.h"
#include "geometry/shape.h"

namespace dravenor {

SegmentList remnantHatch(const Shape& outline, double spacing);

} // namespace dravenor
