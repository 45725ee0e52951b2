#pragma once
// Outlines become rasters: digitised edges, filled insides, parts too small to have an inside
// filled as solid boxes, and sheets prepared with their orientation.
#include <utility>
#include <vector>

#include "engine/nesting_run.h"
#include "engine/outline.h"
#include "engine/raster.h"

namespace dravenor {

using Cell = std::pair<int, int>; // (x, y)

// Every cell the segment touches, widened by its sag, row by row.
std::vector<Cell> digitiseSegment(const Segment& segment);

// Moves the outline to the origin and sets, in the raster for its box, every cell that the
// outline touches and every cell inside it; when no cell lies inside apart from the edge's,
// fills the whole box, marks the raster too small and reports the warning through the run.
Raster rasteriseOutline(Outline outline, NestingRun& run);

// A part's outline as the placements see it: grown by the run's part growth (half the kerf; see
// kerf_growth.h), so that parts on separate cells stand the kerf apart; without a kerf, as
// rasteriseOutline makes it.
Raster rasterisePart(const Outline& outline, NestingRun& run);

// The shape's outline from the run's outline cache (built by the kerf and scale set-up).
const Outline& loadOutline(const std::string& shapeFile, NestingRun& run);

// The part's raster at the angle: from the run's cache when present, else rasterised and cached.
// The reference stays valid for the run (the cache never drops an entry).
const Raster& partRaster(const Outline& outline, const std::string& partFile, double angleDegrees, NestingRun& run);

struct PreparedSheet {
    Raster raster;     // free inside the sheet, occupied outside it and on its edge
    double angle = 0;  // the sheet is nested turned counter-clockwise by this many degrees
};
PreparedSheet prepareSheet(const Outline& outline, NestingRun& run);

} // namespace dravenor
