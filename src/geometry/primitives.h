#pragma once
// Measuring, moving and turning shapes, and the small helpers the shape code leans on.
#include <string>

#include "geometry/shape.h"
#include "job/files.h"

namespace dravenor {

inline constexpr double kPi = 3.14159265358979;

enum class EntityKindCode { Line = 1, Circle = 2, Arc = 3 };

// Widens the box to take in the point (the rule every box of the system grows by).
void includePoint(Extents& box, double x, double y);
// Bounding box of lines, arcs and circles, exact for arcs.
Extents shapeExtents(const Shape& shape);
void moveShape(Shape& shape, double dx, double dy);
// Moves the shape so that its smallest x and y are 0.
void normaliseShape(Shape& shape);
// Turns the shape counter-clockwise by the angle (degrees) about the centre of its extents.
void rotateShape(Shape& shape, double angleDegrees);
// Mirrors the shape left to right about the vertical line through the centre of its extents,
// which stay where they were; arcs stay counter-clockwise.
void mirrorShape(Shape& shape);
// Direction from (x1,y1) to (x2,y2) in radians, in [0, 2*pi); 0 for equal points.
double polarAngle(double x1, double y1, double x2, double y2);
// Into [0, 360]: 360 stays 360, 720 -> 360, -360 -> 0, 370 -> 10.
double normaliseAngle(double degrees);
// normaliseAngle on Nend then Nstart of every entity; equal results become 0 and 0.
void normaliseArcAngles(Shape& shape);
// Output kind: RAD <= 0 line; |Nstart - Nend| of 0 or 360 circle; else arc.
EntityKindCode entityKind(const ShapeEntity& e);

} // namespace dravenor
