#pragma once
// The gaps of laid-out parts measured apart from the optimiser: exact least distances between the
// lines, arcs and circles of the placed shapes, as the cutting head would see them.
#include <limits>
#include <vector>

#include "geometry/shape.h"
#include "job/nesting_state.h"

namespace dravenor::testing {

// Least distance between two entities (0 when they meet).
double entityDistance(const ShapeEntity& a, const ShapeEntity& b);
// Least distance between the outlines of two shapes.
double outlineDistance(const Shape& a, const Shape& b);

struct LayoutGaps {
    double betweenParts = std::numeric_limits<double>::infinity();
    double toSheet = std::numeric_limits<double>::infinity();
};
// The least gaps of every layout of the entity list, in layout order.
std::vector<LayoutGaps> layoutGaps(const NestingState& state);
// The least of them over all layouts.
LayoutGaps smallestGaps(const NestingState& state);

} // namespace dravenor::testing
