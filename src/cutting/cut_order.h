#pragma once
// The order parts are cut in: nearest neighbour from the start corner, then improved by
// reversing stretches of the tour while that shortens it (2-opt).
#include <vector>

#include "cutting/path_piece.h"

namespace dravenor::cutting {

// Indices into `points`, an open tour from `home` visiting every point once.
std::vector<int> shortTour(Vec2 home, const std::vector<Vec2>& points);
// Length of the open tour from home through the points in that order.
double tourLength(Vec2 home, const std::vector<Vec2>& points, const std::vector<int>& order);

} // namespace dravenor::cutting
