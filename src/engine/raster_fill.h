#pragma once
// Filling the inside of a digitised outline: a random seed cell that lies inside (an odd number
// of edge crossings on each of the four rays from it) and the flood fill from it.
#include <optional>

#include "engine/raster.h"
#include "engine/rasterise.h"
#include "engine/uniform_random.h"

namespace dravenor {

// Runs of consecutive occupied cells among cells x0..x1 of row y (0 when x0 > x1).
int occupiedRunsInRow(const Raster& raster, int y, int x0, int x1);
// Runs of consecutive occupied cells among rows y0..y1 of column x (0 when y0 > y1).
int occupiedRunsInColumn(const Raster& raster, int x, int y0, int y1);

// Up to 2 x W x H draws of a free cell with an odd number of runs on each of its four rays;
// none when every draw fails.
std::optional<Cell> findSeed(const Raster& raster, UniformRandom& random);

// Sets every free cell of 0..W x 0..H that is reachable from (x, y) through free left, right,
// down and up neighbours.
void floodFill(Raster& raster, int x, int y);

} // namespace dravenor
