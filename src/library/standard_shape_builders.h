#pragma once
// The entity lists of the standard shapes, one builder per type. Each takes the parameters in
// caption order, already checked (standard_shape_checks.h), and returns the unrotated shape.
#include <vector>

#include "geometry/shape.h"

namespace dravenor::standard_shapes {

using Parameters = std::vector<double>;

ShapeEntity lineEntity(double x1, double y1, double x2, double y2);
ShapeEntity arcEntity(double cx, double cy, double radius, double startDegrees, double endDegrees);
ShapeEntity circleEntity(double cx, double cy, double radius);

// Straight-sided shapes (standard_shape_polygons.cpp).
Shape sheetRectangle(const Parameters& p); // tall: first parameter along Y
Shape lyingPlateRectangle(double length, double width); // length along X
Shape square(const Parameters& p);
Shape rightTriangle(const Parameters& p);
Shape regularPolygon(const Parameters& p);
Shape rightAngledTrapezoid(const Parameters& p);

// Shapes with notches or rounded corners (standard_shape_rectangles.cpp).
Shape notchedRectangle(const Parameters& p);
Shape roundedRectangle(const Parameters& p);

// Round shapes and their sectors (standard_shape_round.cpp).
Shape circle(const Parameters& p);
Shape circleBreakup(const Parameters& p);
Shape arcSection(const Parameters& p);
Shape ring(const Parameters& p);
Shape ringBreakup(const Parameters& p);

} // namespace dravenor::standard_shapes
