#include "deep/layout_distances.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace dravenor::testing {

namespace {

struct P {
    double x, y;
};

double dist(P a, P b) { return std::hypot(a.x - b.x, a.y - b.y); }

double pointSegment(P p, P a, P b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    return dist(p, {a.x + t * dx, a.y + t * dy});
}

double cross(P o, P a, P b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool segmentsCross(P a, P b, P c, P d)
{
    const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
}

double segmentSegment(P a, P b, P c, P d)
{
    if (segmentsCross(a, b, c, d)) return 0;
    return std::min({pointSegment(a, c, d), pointSegment(b, c, d), pointSegment(c, a, b), pointSegment(d, a, b)});
}

// An arc as centre, radius and counter-clockwise sweep from `start` (radians); a circle sweeps 2 pi.
struct Arc {
    P c;
    double r, start, sweep;
    bool holds(double angle) const
    {
        if (sweep >= 2 * std::numbers::pi) return true;
        double a = std::fmod(angle - start, 2 * std::numbers::pi);
        if (a < 0) a += 2 * std::numbers::pi;
        return a <= sweep;
    }
    P at(double angle) const { return {c.x + r * std::cos(angle), c.y + r * std::sin(angle)}; }
    P first() const { return at(start); }
    P last() const { return at(start + sweep); }
};

Arc arcOf(const ShapeEntity& e)
{
    constexpr double k = std::numbers::pi / 180;
    double sweep = std::fmod(e.Nend - e.Nstart, 360.0);
    if (sweep <= 0) sweep += 360;
    if (e.Nstart == e.Nend) sweep = 360;
    return {{e.CX, e.CY}, std::fabs(e.RAD), e.Nstart * k, sweep * k};
}

double pointArc(P p, const Arc& arc)
{
    const double d = dist(p, arc.c);
    if (d > 0 && arc.holds(std::atan2(p.y - arc.c.y, p.x - arc.c.x))) return std::fabs(d - arc.r);
    if (d == 0 && arc.sweep > 0) return arc.r;
    return std::min(dist(p, arc.first()), dist(p, arc.last()));
}

double segmentArc(P a, P b, const Arc& arc)
{
    // Where the segment crosses the circle within the arc, they meet.
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double fx = a.x - arc.c.x, fy = a.y - arc.c.y;
    const double qa = dx * dx + dy * dy, qb = 2 * (fx * dx + fy * dy), qc = fx * fx + fy * fy - arc.r * arc.r;
    const double disc = qb * qb - 4 * qa * qc;
    if (qa > 0 && disc >= 0)
        for (double sign : {-1.0, 1.0}) {
            const double t = (-qb + sign * std::sqrt(disc)) / (2 * qa);
            if (t >= 0 && t <= 1) {
                const P q{a.x + t * dx, a.y + t * dy};
                if (arc.holds(std::atan2(q.y - arc.c.y, q.x - arc.c.x))) return 0;
            }
        }
    double best = std::min({pointArc(a, arc), pointArc(b, arc), pointSegment(arc.first(), a, b), pointSegment(arc.last(), a, b)});
    // The foot of the perpendicular from the centre, where the nearest points may both be inner.
    if (qa > 0) {
        const double t = std::clamp(-(fx * dx + fy * dy) / qa, 0.0, 1.0);
        const P foot{a.x + t * dx, a.y + t * dy};
        best = std::min(best, pointArc(foot, arc));
    }
    return best;
}

double arcArc(const Arc& p, const Arc& q)
{
    const double d = dist(p.c, q.c);
    if (d > 0 && d <= p.r + q.r && d >= std::fabs(p.r - q.r)) {
        // Where the circles cross within both arcs, they meet.
        const double along = (d * d + p.r * p.r - q.r * q.r) / (2 * d);
        const double h = std::sqrt(std::max(p.r * p.r - along * along, 0.0));
        const P m{p.c.x + along * (q.c.x - p.c.x) / d, p.c.y + along * (q.c.y - p.c.y) / d};
        for (double sign : {-1.0, 1.0}) {
            const P x{m.x + sign * h * (q.c.y - p.c.y) / d, m.y - sign * h * (q.c.x - p.c.x) / d};
            if (p.holds(std::atan2(x.y - p.c.y, x.x - p.c.x)) && q.holds(std::atan2(x.y - q.c.y, x.x - q.c.x))) return 0;
        }
    }
    double best = std::min({pointArc(p.first(), q), pointArc(p.last(), q), pointArc(q.first(), p), pointArc(q.last(), p)});
    // Inner nearest points lie on the line through both centres.
    if (d > 0) {
        const double toward = std::atan2(q.c.y - p.c.y, q.c.x - p.c.x);
        for (double a : {toward, toward + std::numbers::pi})
            if (p.holds(a)) best = std::min(best, pointArc(p.at(a), q));
    }
    return best;
}

struct Bounds {
    double x0, y0, x1, y1;
};

Bounds boundsOf(const ShapeEntity& e)
{
    if (e.RAD == 0) return {std::min(e.X1, e.X2), std::min(e.Y1, e.Y2), std::max(e.X1, e.X2), std::max(e.Y1, e.Y2)};
    const double r = std::fabs(e.RAD);
    return {e.CX - r, e.CY - r, e.CX + r, e.CY + r};
}

Bounds boundsOf(const Shape& s)
{
    Bounds b{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const ShapeEntity& e : s) {
        const Bounds x = boundsOf(e);
        b = {std::min(b.x0, x.x0), std::min(b.y0, x.y0), std::max(b.x1, x.x1), std::max(b.y1, x.y1)};
    }
    return b;
}

double gap(const Bounds& a, const Bounds& b)
{
    const double dx = std::max({0.0, a.x0 - b.x1, b.x0 - a.x1});
    const double dy = std::max({0.0, a.y0 - b.y1, b.y0 - a.y1});
    return std::hypot(dx, dy);
}

} // namespace

double entityDistance(const ShapeEntity& a, const ShapeEntity& b)
{
    const P a1{a.X1, a.Y1}, a2{a.X2, a.Y2}, b1{b.X1, b.Y1}, b2{b.X2, b.Y2};
    if (a.RAD == 0 && b.RAD == 0) return segmentSegment(a1, a2, b1, b2);
    if (a.RAD == 0) return segmentArc(a1, a2, arcOf(b));
    if (b.RAD == 0) return segmentArc(b1, b2, arcOf(a));
    return arcArc(arcOf(a), arcOf(b));
}

double outlineDistance(const Shape& a, const Shape& b)
{
    double best = INFINITY;
    std::vector<Bounds> bb;
    for (const ShapeEntity& e : b) bb.push_back(boundsOf(e));
    for (const ShapeEntity& x : a) {
        const Bounds bx = boundsOf(x);
        for (std::size_t j = 0; j < b.size(); ++j)
            if (gap(bx, bb[j]) < best) best = std::min(best, entityDistance(x, b[j]));
    }
    return best;
}

std::vector<LayoutGaps> layoutGaps(const NestingState& state)
{
    std::map<int, std::map<int, Shape>> layouts;  // layout, instance -> shape
    for (const LayoutEntity& e : state.entities)
        layouts[e.LayoutNo][e.Instance].push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
    std::vector<LayoutGaps> result;
    for (const auto& [layoutNo, instances] : layouts) {
        LayoutGaps gaps;
        std::vector<const Shape*> parts;
        const Shape* sheet = nullptr;
        for (const auto& [instance, shape] : instances) {
            if (instance == 0) sheet = &shape;
            else parts.push_back(&shape);
        }
        std::vector<Bounds> bounds;
        for (const Shape* s : parts) bounds.push_back(boundsOf(*s));
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (sheet) gaps.toSheet = std::min(gaps.toSheet, outlineDistance(*parts[i], *sheet));
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                if (gap(bounds[i], bounds[j]) < gaps.betweenParts)
                    gaps.betweenParts = std::min(gaps.betweenParts, outlineDistance(*parts[i], *parts[j]));
        }
        result.push_back(gaps);
    }
    return result;
}

LayoutGaps smallestGaps(const NestingState& state)
{
    LayoutGaps least;
    for (const LayoutGaps& g : layoutGaps(state)) {
        least.betweenParts = std::min(least.betweenParts, g.betweenParts);
        least.toSheet = std::min(least.toSheet, g.toSheet);
    }
    return least;
}

} // namespace dravenor::testing
