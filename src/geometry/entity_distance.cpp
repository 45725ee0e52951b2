#include "geometry/entity_distance.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "geometry/primitives.h"
#include "geometry/segments.h"

namespace dravenor {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

struct Point {
    double x = 0, y = 0;
};

Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
double length(Point a) { return std::hypot(a.x, a.y); }

struct Seg {
    Point p, q;
};

// Counter-clockwise from `start` (radians) through `sweep` (up to a full turn).
struct Arc {
    Point c;
    double r = 0, start = 0, sweep = kTwoPi;

    Point at(double angle) const { return {c.x + r * std::cos(angle), c.y + r * std::sin(angle)}; }
    Point first() const { return at(start); }
    Point last() const { return at(start + sweep); }
    bool covers(double angle) const
    {
        if (sweep >= kTwoPi) return true;
        double offset = std::fmod(angle - start, kTwoPi);
        if (offset < 0) offset += kTwoPi;
        return offset <= sweep;
    }
    bool coversDirection(Point d) const { return covers(std::atan2(d.y, d.x)); }
};

Seg segmentOf(const ShapeEntity& e) { return {{e.X1, e.Y1}, {e.X2, e.Y2}}; }

Arc arcOf(const ShapeEntity& e)
{
    double s = e.Nstart, end = e.Nend;
    unwrapArcAngles(s, end);
    // A negative radius draws the arc on the far side of its centre.
    const double turn = e.RAD < 0 ? 180 : 0;
    const double toRad = std::numbers::pi / 180;
    return {{e.CX, e.CY}, std::fabs(e.RAD), (s + turn) * toRad, std::min(end - s, 360.0) * toRad};
}

double pointSegment(Point p, const Seg& s)
{
    const Point d = s.q - s.p;
    const double len2 = dot(d, d);
    const double t = len2 > 0 ? std::clamp(dot(p - s.p, d) / len2, 0.0, 1.0) : 0.0;
    return length(p - (s.p + t * d));
}

double pointArc(Point p, const Arc& a)
{
    const Point d = p - a.c;
    const double dist = length(d);
    if (dist == 0) return a.r;
    if (a.coversDirection(d)) return std::fabs(dist - a.r);
    return std::min(length(p - a.first()), length(p - a.last()));
}

double orientation(Point a, Point b, Point c) { return cross(b - a, c - a); }

bool onSegment(Point p, const Seg& s)
{
    return std::min(s.p.x, s.q.x) <= p.x && p.x <= std::max(s.p.x, s.q.x) && std::min(s.p.y, s.q.y) <= p.y &&
        p.y <= std::max(s.p.y, s.q.y);
}

bool segmentsMeet(const Seg& a, const Seg& b)
{
    const double d1 = orientation(b.p, b.q, a.p), d2 = orientation(b.p, b.q, a.q);
    const double d3 = orientation(a.p, a.q, b.p), d4 = orientation(a.p, a.q, b.q);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
    return (d1 == 0 && onSegment(a.p, b)) || (d2 == 0 && onSegment(a.q, b)) || (d3 == 0 && onSegment(b.p, a)) ||
        (d4 == 0 && onSegment(b.q, a));
}

double segmentSegment(const Seg& a, const Seg& b)
{
    if (segmentsMeet(a, b)) return 0;
    return std::min({pointSegment(a.p, b), pointSegment(a.q, b), pointSegment(b.p, a), pointSegment(b.q, a)});
}

// The least distance lies where the segment meets the arc, at an end of either, or on the normal
// from the centre to the segment's line (the only place where both can be at right angles to it).
double segmentArc(const Seg& s, const Arc& a)
{
    const Point d = s.q - s.p;
    const double len2 = dot(d, d);
    if (len2 == 0) return pointArc(s.p, a);
    double best = std::min({pointArc(s.p, a), pointArc(s.q, a), pointSegment(a.first(), s), pointSegment(a.last(), s)});
    const double t = dot(a.c - s.p, d) / len2;
    const Point foot = s.p + t * d;
    const Point toFoot = foot - a.c;
    const double h = length(toFoot);
    if (t >= 0 && t <= 1) {
        if (h == 0) best = std::min(best, a.r);
        if (h > 0 && a.coversDirection(toFoot)) best = std::min(best, std::fabs(h - a.r));
        if (h > 0 && a.coversDirection(-1 * toFoot)) best = std::min(best, h + a.r);
    }
    if (h <= a.r) { // the line crosses the circle at foot +- w along the segment
        const double w = std::sqrt(std::max(0.0, a.r * a.r - h * h) / len2);
        for (double u : {t - w, t + w})
            if (u >= 0 && u <= 1 && a.coversDirection(s.p + u * d - a.c)) return 0;
    }
    return best;
}

// Besides the ends, only points on the line through both centres can be nearest on both arcs.
double arcArc(const Arc& a, const Arc& b)
{
    double best = std::min({pointArc(a.first(), b), pointArc(a.last(), b), pointArc(b.first(), a), pointArc(b.last(), a)});
    const Point between = b.c - a.c;
    const double d = length(between);
    if (d == 0) {
        if (a.covers(b.start) || b.covers(a.start)) best = std::min(best, std::fabs(a.r - b.r));
        return best;
    }
    const Point u = (1 / d) * between;
    std::vector<Point> onA, onB;
    for (double sign : {1.0, -1.0}) {
        if (a.coversDirection(sign * u)) onA.push_back(a.c + (sign * a.r) * u);
        if (b.coversDirection(sign * u)) onB.push_back(b.c + (sign * b.r) * u);
    }
    for (Point p : onA)
        for (Point q : onB) best = std::min(best, length(p - q));
    // Crossing points of the two circles.
    if (d <= a.r + b.r && d >= std::fabs(a.r - b.r)) {
        const double along = (d * d + a.r * a.r - b.r * b.r) / (2 * d);
        const double across = std::sqrt(std::max(0.0, a.r * a.r - along * along));
        const Point mid = a.c + along * u;
        const Point n{-u.y, u.x};
        for (double sign : {1.0, -1.0}) {
            const Point p = mid + (sign * across) * n;
            if (a.coversDirection(p - a.c) && b.coversDirection(p - b.c)) return 0;
        }
    }
    return best;
}

} // namespace

double entityDistance(const ShapeEntity& a, const ShapeEntity& b)
{
    if (a.isLine() && b.isLine()) return segmentSegment(segmentOf(a), segmentOf(b));
    if (a.isLine()) return segmentArc(segmentOf(a), arcOf(b));
    if (b.isLine()) return segmentArc(segmentOf(b), arcOf(a));
    return arcArc(arcOf(a), arcOf(b));
}

double pointEntityDistance(double x, double y, const ShapeEntity& e)
{
    return e.isLine() ? pointSegment({x, y}, segmentOf(e)) : pointArc({x, y}, arcOf(e));
}

Extents entityExtents(const ShapeEntity& e)
{
    return shapeExtents(Shape{e});
}

} // namespace dravenor
