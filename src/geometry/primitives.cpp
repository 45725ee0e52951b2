#include "geometry/primitives.h"

#include <cmath>

namespace dravenor {

namespace {

constexpr double kDegreesToRadians = kPi / 180.0;

// True when the quadrant angle lies on the counter-clockwise sweep from s to e, ends included.
bool sweepReaches(double s, double e, double angle)
{
    if (s == angle || e == angle) return true;
    if (s < angle && angle < e) return true;
    return e < s && (angle > s || angle < e);
}

void includeArc(Extents& box, const ShapeEntity& arc)
{
    double s = normaliseAngle(arc.Nstart);
    double e = normaliseAngle(arc.Nend);
    if (arc.Nend == arc.Nstart) {
        s = 0;
        e = 360;
    }
    const double r = arc.RAD;
    includePoint(box, arc.CX + r * std::cos(s * kDegreesToRadians), arc.CY + r * std::sin(s * kDegreesToRadians));
    includePoint(box, arc.CX + r * std::cos(e * kDegreesToRadians), arc.CY + r * std::sin(e * kDegreesToRadians));
    if (s == 0 || e == 0 || e < s) includePoint(box, arc.CX + r, arc.CY);
    if (sweepReaches(s, e, 90)) includePoint(box, arc.CX, arc.CY + r);
    if (sweepReaches(s, e, 180)) includePoint(box, arc.CX - r, arc.CY);
    if (sweepReaches(s, e, 270)) includePoint(box, arc.CX, arc.CY - r);
}

// Adds the angle and takes 360 off once when the sum reaches a full turn.
double turnedAngle(double degrees, double angle)
{
    const double turned = degrees + angle;
    return turned >= 360 ? turned - 360 : turned;
}

} // namespace

void includePoint(Extents& box, double x, double y)
{
    if (x <= box.xmin) box.xmin = x;
    if (y <= box.ymin) box.ymin = y;
    if (x >= box.xmax) box.xmax = x;
    if (y >= box.ymax) box.ymax = y;
}

Extents shapeExtents(const Shape& shape)
{
    Extents box;
    for (const ShapeEntity& e : shape) {
        if (e.RAD == 0) {
            includePoint(box, e.X1, e.Y1);
            includePoint(box, e.X2, e.Y2);
        } else {
            includeArc(box, e);
        }
    }
    return box;
}

void moveShape(Shape& shape, double dx, double dy)
{
    for (ShapeEntity& e : shape) {
        e.X1 += dx;
        e.X2 += dx;
        e.CX += dx;
        e.Y1 += dy;
        e.Y2 += dy;
        e.CY += dy;
    }
}

void normaliseShape(Shape& shape)
{
    if (shape.empty()) return;
    const Extents box = shapeExtents(shape);
    moveShape(shape, -box.xmin, -box.ymin);
}

void mirrorShape(Shape& shape)
{
    if (shape.empty()) return;
    const Extents box = shapeExtents(shape);
    const double across = box.xmin + box.xmax;
    for (ShapeEntity& e : shape) {
        if (e.RAD == 0) {
            e.X1 = across - e.X1;
            e.X2 = across - e.X2;
            continue;
        }
        // Angle a mirrors to 180 - a; the arc from start to end, run backwards, stays
        // counter-clockwise from the mirrored end to the mirrored start.
        e.CX = across - e.CX;
        const double start = e.Nstart;
        e.Nstart = normaliseAngle(180 - e.Nend);
        e.Nend = normaliseAngle(180 - start);
    }
}

void rotateShape(Shape& shape, double angleDegrees)
{
    if (shape.empty()) return;
    const Extents box = shapeExtents(shape);
    const double cx = box.xmin + (box.xmax - box.xmin) / 2;
    const double cy = box.ymin + (box.ymax - box.ymin) / 2;
    const double a = angleDegrees * kPi / 180;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double tx = (1 - c) * cx + s * cy;
    const double ty = (1 - c) * cy - s * cx;
    auto mapX = [&](double x, double y) { return c * x - s * y + tx; };
    auto mapY = [&](double x, double y) { return s * x + c * y + ty; };

    Shape turned(shape.size());
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const ShapeEntity& from = shape[i];
        ShapeEntity& to = turned[i];
        if (from.RAD == 0) {
            to.X1 = mapX(from.X1, from.Y1);
            to.Y1 = mapY(from.X1, from.Y1);
            to.X2 = mapX(from.X2, from.Y2);
            to.Y2 = mapY(from.X2, from.Y2);
        } else {
            to.CX = mapX(from.CX, from.CY);
            to.CY = mapY(from.CX, from.CY);
            to.RAD = from.RAD;
            to.Nstart = turnedAngle(from.Nstart, angleDegrees);
            to.Nend = turnedAngle(from.Nend, angleDegrees);
        }
    }
    shape = std::move(turned);
}

double polarAngle(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (dx == 0 && dy == 0) return 0;
    if (dx == 0) return dy > 0 ? kPi / 2 : 4.712388980384685;
    if (dy == 0) return dx > 0 ? 0 : kPi;
    const double t = std::fabs(std::atan(dy / dx));
    if (dx > 0 && dy > 0) return t;
    if (dx < 0 && dy > 0) return kPi - t;
    if (dx < 0 && dy < 0) return kPi + t;
    return 6.28318530717958 - t;
}

double normaliseAngle(double degrees)
{
    // Same result as taking 360 off (or adding it) one turn at a time, which is exact for
    // doubles, without looping over huge values.
    if (degrees > 360) {
        const double rest = std::fmod(degrees, 360.0);
        return rest == 0 ? 360.0 : rest;
    }
    if (degrees < 0) {
        const double rest = std::fmod(degrees, 360.0);
        return rest < 0 ? rest + 360.0 : 0.0;
    }
    return degrees;
}

void normaliseArcAngles(Shape& shape)
{
    for (ShapeEntity& e : shape) {
        e.Nend = normaliseAngle(e.Nend);
        e.Nstart = normaliseAngle(e.Nstart);
        if (e.Nstart == e.Nend) {
            e.Nstart = 0;
            e.Nend = 0;
        }
    }
}

EntityKindCode entityKind(const ShapeEntity& e)
{
    if (e.RAD <= 0) return EntityKindCode::Line;
    const double d = std::fabs(e.Nstart - e.Nend);
    if (d == 0 || d == 360) return EntityKindCode::Circle;
    return EntityKindCode::Arc;
}

} // namespace dravenor
