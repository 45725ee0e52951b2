#pragma once
// How close two placed shapes come, exactly on their true outlines (arcs as arcs): the distance
// part of the layout check, apart from its bookkeeping.
#include <vector>

#include "geometry/shape.h"

namespace dravenor {

// A placed shape with its exact box and the box of each entity, made once per check.
struct MeasuredShape {
    const Shape* shape = nullptr;
    Extents box;
    std::vector<Extents> entityBoxes;
};
MeasuredShape measuredShape(const Shape& shape);

// Distance between two boxes (0 when they meet).
double boxGap(const Extents& a, const Extents& b);

// The least distance between the outlines of a and b when it is below `limit`; `limit` (or more)
// otherwise. Only entities within the limit of the other shape are measured.
double leastDistanceBelow(const MeasuredShape& a, const MeasuredShape& b, double limit);

} // namespace dravenor
