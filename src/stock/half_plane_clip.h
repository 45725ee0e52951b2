#pragma once
// The part of a closed shape (outlines and holes of lines, arcs and circles) on one side of a
// straight line across it, as a closed shape again: entities are cut where they cross the line
// (arcs stay arcs), and the line itself closes the outline wherever it runs inside the shape.
#include "geometry/shape.h"

namespace dravenor {

// The side kept: every point p with p.x * nx + p.y * ny >= offset. (nx, ny) is a unit vector.
struct HalfPlane {
    double nx = 1, ny = 0;
    double offset = 0;
    double of(double x, double y) const { return x * nx + y * ny; }
};

// The shape's region on the kept side of the line. Empty when nothing of the shape lies there.
Shape clipShapeToHalfPlane(const Shape& shape, const HalfPlane& side);

} // namespace dravenor
