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
    int code = 0;      // the drawing's known $INSUNITS code (1 inches, 4 millimetres, ...); 0 none
};

// The scale for the drawing whose text holds the header range.
DxfUnitScale dxfUnitScale(std::string_view text, const DxfTextRange& header, DrawingUnit unit);
// The scale of the drawing file (factor 1 and code 0 when it cannot be read or names no units).
DxfUnitScale drawingFileUnits(const std::string& path, DrawingUnit unit);

// "inches", "millimetres", ... for a known $INSUNITS code; "" otherwise.
std::string unitsName(int code);
// The $INSUNITS code of the program's unit: 4 for millimetres, 1 for inches.
int insunitsCode(DrawingUnit unit);
// A header template with $INSUNITS set to the code, added as the last variable of its HEADER
// section; the template as it is when it names units already, has no HEADER section, or the
// code is 0.
std::string headerWithUnits(const std::string& header, int code);

} // namespace dravenor
