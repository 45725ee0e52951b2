#pragma once
// How drawings of layouts mark their remnants: the cut line across the sheet, the remnant
// hatched, and its label with its size (and its stock id once the layout was cut).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "geometry/drawing_surface.h"
#include "job/job.h"
#include "stock/remnant.h"

namespace dravenor {

struct RemnantMarks {
    double clearance = 0;
    RemnantSettings least;
    std::vector<std::int64_t> ids; // stock id by layout number (0 or missing: not in stock)

    std::int64_t idOf(std::int32_t layoutNo) const;
};

// The marks of the job's layouts: its clearance (kerf, and the margin of Deep Nesting), its
// minimums and the stock ids it was given.
RemnantMarks remnantMarksOf(const Job& job);
// The same for layouts outside a job (a batch run): no stock ids.
RemnantMarks remnantMarksOf(const NestingState& state, double deepMargin, const RemnantSettings& least);

// The kept remnant of a layout with these marks, or nothing.
std::optional<Remnant> markedRemnant(const NestingState& state, std::int32_t layoutNo, const RemnantMarks& marks);

// "Remnant 695 x 1500" or "Remnant 17: 695 x 1500".
std::string remnantLabel(const Remnant& remnant, std::int64_t id);
// Where the label of that width starts: centred over the remnant when it fits, else from the
// remnant's outer edge inwards, so it never runs off the sheet.
double remnantLabelLeft(const Remnant& remnant, const Extents& box, double labelWidth);

// Draws the cut line, the hatching and the label onto the surface (y drawn as mirror - y).
void drawRemnantMarks(const NestingState& state, std::int32_t layoutNo, const RemnantMarks& marks,
                      DrawingSurface& surface, double mirror);

} // namespace dravenor
