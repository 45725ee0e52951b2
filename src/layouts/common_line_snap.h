#pragma once
// Nesting for common lines, after a run: a part whose straight edge faces a neighbour's a little
// further than the spacing apart is moved toward it until the two stand exactly the spacing apart,
// and along it where that makes their ends or middles meet, so that the cut plan can cut that
// edge once for both. A part moves only where every rule of the run still holds (the spacing to
// every part and the margin to the sheet, on the true outlines), where the parts reach no further
// than before (no sheet grows), and where it then shares more of its edges than before (so every
// move adds to the common lines).
#include "job/nesting_state.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor {

// Moves parts of every layout of the state (their rows and entities); `reach` is how far a part
// may move. Returns the number of moves.
int snapCommonLines(NestingState& state, const LeastDistances& room, double reach);

// The same on a run's layouts, a move reaching up to three times the spacing: the layouts are then
// rebuilt from their shape files as a saved job's are and checked, and put back as they were if
// the check finds a fault. Returns the moves kept.
int snapRunLayouts(NestingState& state, const LeastDistances& room);

} // namespace dravenor
