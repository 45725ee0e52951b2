#pragma once
// One layout read from the entity list: the sheet's outline and each placed part's shape, in the
// order of the parts' instance numbers (the order the cut plan numbers them in).
#include <string>
#include <vector>

#include "geometry/shape.h"
#include "job/nesting_state.h"

namespace dravenor::cutting {

struct PlacedShape {
    int instance = 0;
    int partIndex = 0; // 1-based part record
    std::string name;  // the part's file name without its folder
    Shape shape;
};

struct LayoutShapes {
    std::string error;   // "there is no layout N"
    Shape sheet;
    int sheetIndex = 0;  // 1-based sheet record, 0 when unknown
    int count = 1;       // identical sheets cut to this layout
    std::vector<PlacedShape> parts;
};

LayoutShapes layoutShapes(const NestingState& state, int layoutNo);

} // namespace dravenor::cutting
