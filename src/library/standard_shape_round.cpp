#include <cmath>
#include <utility>

#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "library/standard_shape_builders.h"

namespace dravenor::standard_shapes {

namespace {

struct Point {
    double x, y;
};

// A point of a circle about the origin, computed as the chord form of an arc computes its ends, so
// a line meeting an arc there meets it exactly rather than within rounding.
Point onCircle(double radius, double degrees)
{
    constexpr double toRadians = kPi / 180.0;
    return {radius * std::cos(degrees * toRadians), radius * std::sin(degrees * toRadians)};
}

// The start and end points of an arc about the origin, the end angle unwrapped past the start.
std::pair<Point, Point> arcEnds(const ShapeEntity& arc)
{
    double s = arc.Nstart, e = arc.Nend;
    unwrapArcAngles(s, e);
    return {onCircle(arc.RAD, s), onCircle(arc.RAD, e)};
}

ShapeEntity lineBetween(Point from, Point to)
{
    return lineEntity(from.x, from.y, to.x, to.y);
}

} // namespace

// The parameter is the radius.
Shape circle(const Parameters& p)
{
    return {circleEntity(0, 0, p[0])};
}

// A sector with its apex at the origin, from the positive X axis through the angle.
Shape circleBreakup(const Parameters& p)
{
    const double R = p[0] / 2, A = p[1];
    const ShapeEntity arc = arcEntity(0, 0, R, 0, A);
    const auto [start, end] = arcEnds(arc);
    return {lineBetween(start, {0, 0}), lineBetween(end, {0, 0}), arc};
}

// An annular sector symmetric about the positive Y axis.
Shape arcSection(const Parameters& p)
{
    const double R = p[0] / 2, r = p[1] / 2;
    const double h = normaliseAngle(p[2]) / 2;
    ShapeEntity outer = arcEntity(0, 0, R, normaliseAngle(90 - h), normaliseAngle(90 + h));
    ShapeEntity inner = arcEntity(0, 0, r, outer.Nstart, outer.Nend);
    // The right-hand side edge joins the arcs' starts (90 - h), the left-hand one their ends.
    const auto [outerStart, outerEnd] = arcEnds(outer);
    const auto [innerStart, innerEnd] = arcEnds(inner);
    return {outer, inner, lineBetween(outerStart, innerStart), lineBetween(outerEnd, innerEnd)};
}

Shape ring(const Parameters& p)
{
    return {circleEntity(0, 0, p[0] / 2), circleEntity(0, 0, p[1] / 2)};
}

// An annular sector from the positive X axis through the angle.
Shape ringBreakup(const Parameters& p)
{
    const double R = p[0] / 2, r = p[1] / 2, A = p[2];
    const ShapeEntity outer = arcEntity(0, 0, R, 0, A);
    const ShapeEntity inner = arcEntity(0, 0, r, 0, A);
    const auto [outerStart, outerEnd] = arcEnds(outer);
    const auto [innerStart, innerEnd] = arcEnds(inner);
    return {lineBetween(outerStart, innerStart), lineBetween(outerEnd, innerEnd), outer, inner};
}

} // namespace dravenor::standard_shapes
