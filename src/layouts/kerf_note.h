#pragma once
// The kerf a run really used, said wherever its results are shown when it is not the kerf the
// user entered: one raster cell is one kerf wide, but the largest sheet may be at most about
// 1600 cells across and the smallest part at least two, so the engine may widen or narrow it.
#include <string>

#include "engine/kerf_scale.h"
#include "job/nesting_state.h"

namespace dravenor {

// "" when the plan keeps the kerf entered; else both kerfs and the reason, e.g.
// "Kerf used 1.35 (entered 0.1): the largest sheet is too large for a finer grid".
std::string kerfUsedNote(double enteredKerf, const KerfScale& plan);
// The same for the kerf of the state's details and its shapes (the shape files are read). For
// layouts of Deep Nesting, the spacing they keep when it is not the kerf entered:
// "Spacing 2 between parts (kerf entered 3)".
std::string kerfUsedNote(const NestingState& state);

} // namespace dravenor
