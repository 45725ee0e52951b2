#pragma once
// The remnant of a layout: the part of its sheet beyond one straight cut across the sheet, past
// the last part by the clearance (the kerf, and the margin a run kept from the sheet's edge).
// Each of the four sides is tried; the largest remnant wins, and it is kept only when it is at
// least the job's least width and area. On an irregular sheet or an offcut the remnant is the
// sheet's own outline beyond the cut, holes included, arcs kept as arcs.
#include <cstdint>
#include <string>

#include "geometry/shape.h"
#include "job/nesting_state.h"
#include "job/remnant_settings.h"

namespace dravenor {

// Which side of the parts the remnant lies on.
enum class RemnantSide { None, Right, Top, Left, Bottom };

struct Remnant {
    RemnantSide side = RemnantSide::None;
    bool kept = false;          // at least the least width and area; otherwise it is scrap
    Shape outline;              // in the layout's coordinates
    // The cut: the straight line from (x1, y1) to (x2, y2) across the sheet's extents.
    double cutX1 = 0, cutY1 = 0, cutX2 = 0, cutY2 = 0;
    double width = 0;           // the remnant's extent square to the cut
    double length = 0;          // its extent along the cut
    double area = 0;            // true area, holes subtracted
    // Area over the box width x length: 1 for a rectangle.
    double rectangularity() const { return width > 0 && length > 0 ? area / (width * length) : 0; }
};

// The remnant of a sheet (its outline in layout coordinates) with these parts on it.
Remnant remnantBeyondParts(const Shape& sheet, const Shape& parts, double clearance, const RemnantSettings& least);

// The sheet outline and the parts of layout layoutNo from the state's entity list.
Remnant layoutRemnant(const NestingState& state, std::int32_t layoutNo, double clearance, const RemnantSettings& least);

// How far the remnant stays from the parts: the kerf the run used (never less than the kerf
// entered) plus the margin it kept inside the sheet.
double remnantClearance(const BasicDetails& details, double margin);

// "1200 x 450" in general number format, for the report, the view and the stock.
std::string remnantSizeText(double width, double length);

} // namespace dravenor
