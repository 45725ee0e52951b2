#include <cmath>

#include "geometry/primitives.h"
#include "library/breakup.h"

namespace dravenor {

namespace {

ShapeEntity line(double x1, double y1, double x2, double y2)
{
    ShapeEntity e;
    e.X1 = x1, e.Y1 = y1, e.X2 = x2, e.Y2 = y2;
    return e;
}

ShapeEntity arc(double radius, double startDegrees, double endDegrees)
{
    ShapeEntity e;
    e.RAD = radius;
    e.Nstart = normaliseAngle(startDegrees);
    e.Nend = normaliseAngle(endDegrees);
    const double a1 = startDegrees * kPi / 180, a2 = endDegrees * kPi / 180;
    e.X1 = radius * std::cos(a1), e.Y1 = radius * std::sin(a1);
    e.X2 = radius * std::cos(a2), e.Y2 = radius * std::sin(a2);
    return e;
}

} // namespace

Shape annularSector(double outerRadius, double innerRadius, double angleRadians)
{
    const double half = angleRadians / 2;
    const double halfDegrees = half * 180 / kPi;
    const double s = std::sin(half), c = std::cos(half);
    Shape shape{arc(outerRadius, 90 - halfDegrees, 90 + halfDegrees)};
    if (innerRadius > 0) shape.push_back(arc(innerRadius, 90 - halfDegrees, 90 + halfDegrees));
    shape.push_back(line(outerRadius * s, outerRadius * c, innerRadius * s, innerRadius * c));
    shape.push_back(line(-outerRadius * s, outerRadius * c, -innerRadius * s, innerRadius * c));
    return shape;
}

} // namespace dravenor
