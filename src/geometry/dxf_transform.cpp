#include "geometry/dxf_transform.h"

#include <cmath>
#include <numbers>

#include "geometry/dxf_arcs.h"
#include "geometry/dxf_ellipse.h"

namespace dravenor {

namespace {

constexpr double kSameRelative = 1e-9;

double radians(double degrees) { return degrees * std::numbers::pi / 180; }

bool nearlyEqual(double a, double b, double scale) { return std::fabs(a - b) <= kSameRelative * scale; }


ShapeEntity placedLine(const ShapeEntity& line, const DxfTransform& at)
{
    ShapeEntity placed;
    const DxfPoint a = at.apply({line.X1, line.Y1});
    const DxfPoint b = at.apply({line.X2, line.Y2});
    placed.X1 = a.x;
    placed.Y1 = a.y;
    placed.X2 = b.x;
    placed.Y2 = b.y;
    return placed;
}

ShapeEntity placedRoundArc(const ShapeEntity& arc, const DxfTransform& at)
{
    ShapeEntity placed;
    const DxfPoint centre = at.apply({arc.CX, arc.CY});
    placed.CX = centre.x;
    placed.CY = centre.y;
    placed.RAD = arc.RAD * std::sqrt(std::fabs(at.determinant()));
    if (arc.isCircle()) return placed;
    // The direction the x axis is mapped to; a mirror runs the arc the other way round.
    const double axis = at.yx == 0 && at.xx > 0 ? 0 : std::atan2(at.yx, at.xx) * 180 / std::numbers::pi;
    if (at.determinant() > 0) {
        // Unturned arcs (a scale only) keep their angles as drawn.
        placed.Nstart = axis == 0 ? arc.Nstart : dxfNormalisedDegrees(arc.Nstart + axis);
        placed.Nend = axis == 0 ? arc.Nend : dxfNormalisedDegrees(arc.Nend + axis);
    } else {
        placed.Nstart = dxfNormalisedDegrees(axis - arc.Nend);
        placed.Nend = dxfNormalisedDegrees(axis - arc.Nstart);
    }
    return placed;
}

DxfEllipticArc placedEllipse(const ShapeEntity& arc, const DxfTransform& at)
{
    DxfEllipticArc placed;
    placed.centre = at.apply({arc.CX, arc.CY});
    placed.u = at.applyLinear({arc.RAD, 0});
    placed.v = at.applyLinear({0, arc.RAD});
    if (arc.isCircle()) return placed;
    placed.t0 = radians(arc.Nstart);
    placed.t1 = radians(arc.Nend);
    while (placed.t1 <= placed.t0) placed.t1 += 2 * std::numbers::pi;
    return placed;
}

} // namespace

DxfTransform DxfTransform::scaling(double sx, double sy)
{
    return {sx, 0, 0, sy, 0, 0};
}

DxfTransform DxfTransform::rotation(double degrees)
{
    if (degrees == 0) return {};
    const double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    return {c, -s, s, c, 0, 0};
}

DxfTransform DxfTransform::translation(double x, double y)
{
    return {1, 0, 0, 1, x, y};
}

DxfTransform DxfTransform::after(const DxfTransform& inner) const
{
    const DxfPoint shift = apply({inner.dx, inner.dy});
    return {xx * inner.xx + xy * inner.yx, xx * inner.xy + xy * inner.yy,
            yx * inner.xx + yy * inner.yx, yx * inner.xy + yy * inner.yy, shift.x, shift.y};
}

bool DxfTransform::keepsCircles() const
{
    const double scale = std::fabs(xx) + std::fabs(xy) + std::fabs(yx) + std::fabs(yy);
    const bool turn = nearlyEqual(xx, yy, scale) && nearlyEqual(xy, -yx, scale);
    const bool mirror = nearlyEqual(xx, -yy, scale) && nearlyEqual(xy, yx, scale);
    return (turn || mirror) && determinant() != 0;
}

void appendPlaced(const Shape& drawn, const DxfTransform& at, Shape& shape)
{
    if (at.isIdentity()) {
        shape.insert(shape.end(), drawn.begin(), drawn.end());
        return;
    }
    const bool round = at.keepsCircles();
    for (const ShapeEntity& e : drawn) {
        if (e.isLine()) shape.push_back(placedLine(e, at));
        else if (round) shape.push_back(placedRoundArc(e, at));
        else appendEllipticArc(placedEllipse(e, at), shape);
    }
}

} // namespace dravenor
