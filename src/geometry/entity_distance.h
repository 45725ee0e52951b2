#pragma once
// Exact least distances between the entities of placed shapes: lines as segments, arcs and
// circles as arcs (never by their chords). 0 when they meet.
#include "geometry/shape.h"

namespace dravenor {

// Least distance between any point of one entity and any point of the other.
double entityDistance(const ShapeEntity& a, const ShapeEntity& b);

// Least distance from the point to the entity.
double pointEntityDistance(double x, double y, const ShapeEntity& e);

// The entity's exact bounding box (arcs by their extreme points).
Extents entityExtents(const ShapeEntity& e);

} // namespace dravenor
