#pragma once
// The turn and lattice with which copies of a part type are repeated: a plain grid of boxes,
// the nearest-neighbour turn, and the search for the next row (plain or turned partner copies).
// Depends only on the part's shape, its Orn and the mode, so it is cached per part for the run.
#include <string>

#include "engine/nesting_run.h"
#include "engine/outline.h"
#include "engine/raster.h"
#include "engine/stack_params.h"

namespace dravenor {

// The part's stack parameters for a sheet nested turned by sheetAngle (degrees).
StackParams analysePart(const PartEntry& part, double sheetAngle, NestingRun& run);

// StepX and StepH from the outline's box (each + 1 cell), everything else 0.
StackParams simpleAnalysis(const Outline& outline);
// Raises StepX until copies in a row share no cell, then sets ShiftX, StepY, PairAngle,
// PairShiftX, PairShiftY from BaseAngle and StepX.
void latticeSearch(const Outline& outline, const PartEntry& part, StackParams& params, NestingRun& run);
// Nearest-neighbour offset, base angle, StepX and the upside check.
void autoAnalysis(const Outline& outline, const PartEntry& part, StackParams& params, NestingRun& run);
// The smallest pitch from stepX on at which a copy of the part beside another shares no cell
// with it (at most the part's width plus one cell).
int clearPitch(const Raster& part, int stepX);

} // namespace dravenor
