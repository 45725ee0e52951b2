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

StackParams analysePart(const PartEntry& part, NestingRun& run);

// StepX and StepH from the outline's box (each + 1 cell), everything else 0.
StackParams simpleAnalysis(const Outline& outline);
// Sets ShiftX, StepY, PairAngle, PairShiftX, PairShiftY from BaseAngle and StepX.
void latticeSearch(const Outline& outline, const PartEntry& part, StackParams& params, NestingRun& run);
// Nearest-neighbour offset, base angle, StepX and the upside check.
void autoAnalysis(const Outline& outline, const PartEntry& part, StackParams& params, NestingRun& run);
// Clears the part cells that would collide with the copy at pitch stepX in the strip, and
// stores the trimmed raster in the run's cache; a too-small raster is left alone.
void trimForPitch(Raster& part, const Raster& strip, const std::string& partFile, double angleDegrees,
                  int stepX, NestingRun& run);

} // namespace dravenor
