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

// The cells on a segment (digital differential analyser; halves of coordinates go up).
std::vector<Cell> digitiseSegment(const Segment& segment);

// Moves the outline to the origin, digitises it into the raster for its box and fills the
// inside from a random seed; with no seed found, fills the whole box, marks the raster too
// small and reports the warning through the run.
Raster rasteriseOutline(Outline outline, NestingRun& run);

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
