#include <cmath>
#include <utility>

#include "geometry/primitives.h"
#include "job/number_format.h"
#include "library/standard_shape_builders.h"

namespace dravenor::standard_shapes {

ShapeEntity lineEntity(double x1, double y1, double x2, double y2)
{
    ShapeEntity e;
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    return e;
}

ShapeEntity arcEntity(double cx, double cy, double radius, double startDegrees, double endDegrees)
{
    ShapeEntity e;
    e.CX = cx;
    e.CY = cy;
    e.RAD = radius;
    e.Nstart = startDegrees;
    e.Nend = endDegrees;
    return e;
}

ShapeEntity circleEntity(double cx, double cy, double radius)
{
    return arcEntity(cx, cy, radius, 0, 0);
}

namespace {

// Four lines round the rectangle from the origin, first up the height, then clockwise.
Shape rectangle(double height, double width)
{
    return {lineEntity(0, 0, 0, height), lineEntity(0, height, width, height),
            lineEntity(width, height, width, 0), lineEntity(width, 0, 0, 0)};
}

} // namespace

Shape lyingPlateRectangle(double length, double width)
{
    return rectangle(width, length);
}

Shape sheetRectangle(const Parameters& p)
{
    return rectangle(p[0], p[1]);
}

Shape square(const Parameters& p)
{
    return rectangle(p[0], p[0]);
}

Shape rightTriangle(const Parameters& p)
{
    const double base = p[0], height = p[1];
    return {lineEntity(0, 0, base, 0), lineEntity(0, 0, 0, height), lineEntity(base, 0, 0, height)};
}

// Centred on the origin, first vertex on the positive Y axis, vertices running clockwise.
Shape regularPolygon(const Parameters& p)
{
    const double sides = p[0], sideLength = p[1];
    const double step = 360 / sides;
    const double radius = (sideLength / 2) / std::sin(step / 2 * kPi / 180);
    const int count = toWhole(sides);
    auto vertex = [&](int i) {
        const double a = i * step * kPi / 180;
        return std::pair{radius * std::sin(a), radius * std::cos(a)};
    };
    Shape shape;
    for (int i = 1; i <= count; ++i) {
        const auto [x1, y1] = vertex(i - 1);
        // The last side ends on the first vertex itself, not on a point a rounding away from it.
        const auto [x2, y2] = vertex(i == count ? 0 : i);
        shape.push_back(lineEntity(x1, y1, x2, y2));
    }
    return shape;
}

Shape rightAngledTrapezoid(const Parameters& p)
{
    const double base = p[0], left = p[1], right = p[2];
    return {lineEntity(0, 0, base, 0), lineEntity(0, 0, 0, left), lineEntity(base, 0, base, right),
            lineEntity(base, right, 0, left)};
}

} // namespace dravenor::standard_shapes
