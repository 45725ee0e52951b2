#pragma once
// Filling the inside of an outline: every cell whose centre lies inside the outline by the
// even-odd rule over all its loops (so holes stay free and separate islands are all filled).
// With the edge cells set as well, the raster then holds every cell the part touches: a cell
// that no edge touches lies wholly inside or wholly outside, and its centre tells which.
#include "engine/outline.h"
#include "engine/raster.h"

namespace dravenor {

// Sets the cells of 0..W x 0..H whose centre is inside the outline; returns how many of them
// were free before (0: the outline has no inside apart from its edge cells).
long long fillInside(Raster& raster, const Outline& outline);

// Sets every free cell of 0..W x 0..H that no path of free cells (side to side, never corner to
// corner) joins to the raster's border: a part's holes, so that nothing is laid in them.
void fillEnclosed(Raster& raster);

} // namespace dravenor
