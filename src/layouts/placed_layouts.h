#pragma once
// The layouts of an entity list as shapes: per layout number the sheet (instance 0) and each
// placed part (instance 1..), with the part's file name, all in sheet coordinates.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "geometry/shape.h"
#include "job/nesting_state.h"

namespace dravenor {

struct PlacedLayoutShapes {
    Shape sheet;
    std::vector<Shape> parts;        // index = instance - 1
    std::vector<std::string> names;  // the part's file name, same index
};

std::map<std::int32_t, PlacedLayoutShapes> placedLayoutShapes(const NestingState& state);

// A part as messages name it: its row in the layout as the layout editor's grid and the layout
// file number it (the sheet is row 1, so placement 1 is row 2), then its file name without
// folder when known ("3 (plate.shp)" for placement 2).
std::string placedPartLabel(int number, const std::vector<std::string>& names);

} // namespace dravenor
