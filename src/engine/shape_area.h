#pragma once
// Areas of sheets and parts in square job units, as the engine counts them: exact for a
// rectangle at the origin, else by counting the filled cells of its raster (scaled down first
// while the outline is more than 100 cells across).
#include <cstdint>

#include "engine/nesting_run.h"
#include "engine/outline.h"

namespace dravenor {

// Area of the outline (raster units) in square job units, rounded half to even. Rasterising
// draws from the run's random sequence.
std::int32_t outlineArea(const Outline& outline, NestingRun& run);
// (xmax - xmin) x (ymax - ymin) of the outline's box, each coordinate first rounded.
double roundedBoxArea(const Outline& outline);

} // namespace dravenor
