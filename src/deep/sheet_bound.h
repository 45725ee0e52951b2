#pragma once
// The fewest sheets a job can need, so that the search stops trying to save a sheet that cannot
// be saved. Beside the area, a job of one sheet type has a bound from the sheet's middle lines:
// a part wider than half the free space in every orientation it may take crosses the middle line
// wherever it lies, parts grown by half the spacing never share material, so the lengths they
// cut from that line add up to at most the sheet's height. Large parts that cannot turn freely
// often need more sheets than their area says.
#include "deep/deep_job.h"

namespace dravenor::deep {

int fewestSheets(const DeepJob& job);

// The least length the region cuts from a line across it (along `axis`'s other direction) at
// any position in [from, to] along `axis`.
double leastCrossSection(const Region& region, int axis, double from, double to);

} // namespace dravenor::deep
