#pragma once
// The remnant a sheet in use leaves, measured cheaply from boxes: the sheet's free box beyond one
// straight cut across it, past the margin regions of its parts by the spacing (the kerf), on
// whichever of the four sides leaves the most. The sheet's hazards in that box (its holes, what
// lies outside an irregular outline) are taken off by the share of their box inside it, so the
// measure also tells how close to a rectangle the remnant is. It ranks arrangements only; the
// remnant a layout keeps is computed on the exact outlines once the layout exists.
#include "deep/arrangement.h"

namespace dravenor::deep {

struct RemnantMeasure {
    double area = 0;            // free area beyond the cut
    double rectangularity = 0;  // that area over its box: 1 for a rectangle
};

// The remnant of bin b of the arrangement.
RemnantMeasure binRemnant(const Arrangement& a, int b);

// The remnant beyond the used box (margin regions) of a sheet, with this clearance from it.
RemnantMeasure remnantBeyond(const SheetType& sheet, const Box& used, double clearance);

} // namespace dravenor::deep
