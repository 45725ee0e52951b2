#pragma once
// The shape of a fit test: part raster, sheet raster, the part's key points and a position.
// The engine's own test is the word-parallel fits() of placement.h; tests and the benchmark
// may run the engine with another one of the same contract to compare.
#include <cstddef>
#include <utility>
#include <vector>

#include "engine/raster.h"

namespace dravenor {

// Random occupied cells of a part raster, tested first by the fit test: most conflicts show
// there after a few cells. The fail-fast layer of the fit test together with its sparse diagonal.
using KeyPoints = std::vector<std::pair<int, int>>;

// The engine's own fit test and its searches read no key point past this many; a run that uses
// them keeps only these (the others are still drawn, so the random sequence stays the same).
inline constexpr size_t kKeyPointsUsed = 24;

using FitTest = bool (*)(const Raster& part, const Raster& sheet, const KeyPoints& keys, int x, int y);

} // namespace dravenor
