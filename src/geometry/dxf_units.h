#pragma once
// The units a drawing names in its header ($INSUNITS) and the scale that brings its lengths
// into the program's drawing unit. A drawing that names no units is read as drawn.
#include <string>
#include <string_view>

#include "geometry/dxf_sections.h"
#include "job/drawing_unit.h"

namespace dravenor {

struct DxfUnitScale {
    double factor = 1; // drawing lengths times this are lengths in the program's unit
    std::string note;  // "converted from inches to millimetres", why units were ignored, or ""
};

// The scale for the drawing whose text holds the header range.
DxfUnitScale dxfUnitScale(std::string_view text, const DxfTextRange& header, DrawingUnit unit);

} // namespace dravenor
