#pragma once
// How much room the parts of each layout keep, measured exactly on the true outlines (arcs as
// arcs): the least distance between two parts and the least distance from a part to its sheet's
// outline or holes. A torch running half the kerf outside each outline needs the first to be at
// least the kerf and the second at least half of it.
#include <limits>
#include <string>
#include <vector>

#include "geometry/shape.h"

namespace dravenor {

struct LayoutClearance {
    static constexpr double kNone = std::numeric_limits<double>::infinity();
    int layoutNo = 0;
    double betweenParts = kNone; // kNone with fewer than two parts
    int partA = 0, partB = 0;    // 1-based placement numbers of the closest pair
    double toSheet = kNone;      // kNone without parts or without a sheet outline
    int partNearSheet = 0;
};

// One layout with the sheet and part outlines already placed in sheet coordinates.
LayoutClearance measureClearance(int layoutNo, const Shape& sheet, const std::vector<Shape>& parts);

// "layout 2: parts 3 (a.shp) and 5 (b.shp) 3.0004 apart, part 1 (c.shp) 1.5 from the sheet's outline"
std::string clearanceText(const LayoutClearance& clearance, const std::vector<std::string>& names);

} // namespace dravenor
