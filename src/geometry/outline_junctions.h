#pragma once
// Which entity ends meet: the junctions that chaining walks through. Found through a grid of
// cells so that time grows with the ends, not their square, however they lie (thousands on one
// line, thousands on one spot).
#include <cstddef>
#include <vector>

#include "geometry/outline_chains.h"

namespace dravenor {

// The ends of the entities (two per entity: 2k its start, 2k + 1 its end) grouped into
// junctions, each end given the number of its junction: ends within `meet` of each other (in
// chains) meet; then every end that meets no other is joined to the nearest such end within
// `gapTolerance` that is still free, nearest pairs first. The two ends of an entity marked
// straight are never joined across a gap (they would close around no area).
std::vector<std::size_t> junctionsOfEnds(const std::vector<OutlinePoint>& ends, const std::vector<bool>& straight,
                                         double meet, double gapTolerance);

} // namespace dravenor
