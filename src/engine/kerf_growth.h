#pragma once
// Part rasters grown by half the kerf: every cell that comes within half the kerf of the part
// (measured exactly, round at the corners) is occupied. Two parts whose grown rasters share no
// cell then stand at least the kerf apart on their true outlines, and a part stays at least half
// the kerf inside a sheet's free cells, which lie wholly inside the sheet.
#include "engine/outline.h"
#include "engine/raster.h"

namespace dravenor {

// Cells each part raster grows by on every side: half the kerf as entered, in cells of the
// raster scale (0 without a kerf).
double partGrowthCells(double kerf, double scale);

// Whole cells a grown part raster starts before the part's box: its growth reaches past cell 0
// only when it is more than half a cell (the small-part scale makes cells narrower than the
// kerf). A placement at column c puts the part's box at c plus this.
int partShiftCells(double growth);

// The raster of a part's outline grown by `growth` cells: the outline moved to the origin and on
// by the shift, every cell it reaches within the growth, and every cell whose centre lies inside.
// `tooSmall` is set when no cell centre lies inside the outline: the raster is then its whole box.
Raster grownPartRaster(Outline outline, double growth, bool& tooSmall);

// Sets every cell of the raster within `reach` (cells) of the segment: the rows it crosses, each
// from the least to the greatest x of the round-ended band about the segment within the row.
void setCellsNearSegment(const Segment& segment, double reach, Raster& raster);

} // namespace dravenor
