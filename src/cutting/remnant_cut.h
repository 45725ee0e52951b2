#pragma once
// The cut that parts a kept remnant off its sheet: one straight line across the whole plate on the
// remnant's cut line, from beyond one edge of the sheet to beyond the other. The torch runs half
// the kerf on the parts' side of the line, so the remnant keeps the size the stock records, as far
// as the gap to the parts allows: the torch path never comes closer than half the kerf to a part.
#include <optional>
#include <string>

#include "cutting/cut_plan.h"
#include "geometry/primitives.h"
#include "stock/remnant.h"

namespace dravenor::cutting {

// What the comment of the cut says: "remnant cut, keeps remnant 17: 695 x 1500" (no id before the
// layout was cut into the stock).
std::string remnantCutLabel(const Remnant& remnant, std::int64_t id);

struct RemnantCut {
    std::optional<CutContour> contour;
    std::string warning; // why a kept remnant has no cut
};

// The cut of the remnant of a sheet (its extents) whose parts reach `parts`; `from` is where the
// torch stands, so that the cut starts at the nearer end.
RemnantCut remnantCut(const Remnant& remnant, const Extents& sheet, const Extents& parts, const CutSettings& settings,
                      Vec2 from);

} // namespace dravenor::cutting
