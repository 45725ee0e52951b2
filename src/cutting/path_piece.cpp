#include "cutting/path_piece.h"

#include <algorithm>
#include <cmath>

namespace dravenor::cutting {

namespace {

constexpr double kTwoPi = 6.283185307179586;

double angleOf(Vec2 v) { return std::atan2(v.y, v.x); }

// Angle turned from the direction `from` to `to` in the arc's sense, in [0, 2 pi).
double turnBetween(double from, double to, bool ccw)
{
    double d = ccw ? to - from : from - to;
    d = std::fmod(d, kTwoPi);
    if (d < 0) d += kTwoPi;
    return d;
}

std::vector<Vec2> lineCircle(Vec2 a, Vec2 b, Vec2 c, double r)
{
    const Vec2 d = unit(b - a);
    const Vec2 f = a - c;
    const double along = dot(f, d);
    const double disc = along * along - (dot(f, f) - r * r);
    if (disc < -1e-12) return {};
    const double s = std::sqrt(std::max(0.0, disc));
    return {a + d * (-along - s), a + d * (-along + s)};
}

} // namespace

double length(Vec2 v) { return std::hypot(v.x, v.y); }
double distance(Vec2 a, Vec2 b) { return length(b - a); }

Vec2 unit(Vec2 v)
{
    const double l = length(v);
    return l > 0 ? Vec2{v.x / l, v.y / l} : Vec2{1, 0};
}

PathPiece linePiece(Vec2 a, Vec2 b) { return {a, b, false, {}, true}; }
PathPiece arcPiece(Vec2 a, Vec2 b, Vec2 c, bool ccw) { return {a, b, true, c, ccw}; }

double radiusOf(const PathPiece& p) { return p.arc ? distance(p.a, p.c) : 0; }

double sweepOf(const PathPiece& p)
{
    if (!p.arc) return 0;
    const double r = radiusOf(p);
    if (distance(p.a, p.b) <= 1e-9 * std::max(1.0, r)) return kTwoPi;
    const double s = turnBetween(angleOf(p.a - p.c), angleOf(p.b - p.c), p.ccw);
    return s > 0 ? s : kTwoPi;
}

double pieceLength(const PathPiece& p) { return p.arc ? radiusOf(p) * sweepOf(p) : distance(p.a, p.b); }

Vec2 pointAt(const PathPiece& p, double t)
{
    if (t <= 0) return p.a;
    if (t >= 1) return p.b;
    if (!p.arc) return p.a + (p.b - p.a) * t;
    const double r = radiusOf(p);
    const double angle = angleOf(p.a - p.c) + (p.ccw ? 1 : -1) * sweepOf(p) * t;
    return {p.c.x + r * std::cos(angle), p.c.y + r * std::sin(angle)};
}

Vec2 tangentAt(const PathPiece& p, double t)
{
    if (!p.arc) return unit(p.b - p.a);
    const Vec2 radial = unit(pointAt(p, t) - p.c);
    return p.ccw ? leftOf(radial) : leftOf(radial) * -1;
}

PathPiece headOf(const PathPiece& p, double t)
{
    PathPiece h = p;
    h.b = pointAt(p, t);
    return h;
}

PathPiece tailOf(const PathPiece& p, double t)
{
    PathPiece h = p;
    h.a = pointAt(p, t);
    return h;
}

PathPiece reversed(const PathPiece& p)
{
    PathPiece r = p;
    std::swap(r.a, r.b);
    r.ccw = !p.ccw;
    return r;
}

void appendChordPoints(const PathPiece& p, double sag, std::vector<Vec2>& points)
{
    if (!p.arc) {
        points.push_back(p.b);
        return;
    }
    const double r = radiusOf(p);
    const double sweep = sweepOf(p);
    // A chord of angle s stands r (1 - cos(s / 2)) from its arc.
    double step = sag < r ? 2 * std::acos(1 - sag / r) : sweep;
    step = std::min(step, 0.3);
    const int n = std::max(1, static_cast<int>(std::ceil(sweep / step)));
    for (int i = 1; i < n; ++i) points.push_back(pointAt(p, static_cast<double>(i) / n));
    points.push_back(p.b);
}

double doubleAreaTerm(const PathPiece& p)
{
    double term = cross(p.a, p.b);
    if (p.arc) {
        const double r = radiusOf(p);
        const double s = sweepOf(p);
        term += (p.ccw ? 1 : -1) * r * r * (s - std::sin(s));
    }
    return term;
}

double distanceToPiece(Vec2 q, const PathPiece& p)
{
    if (!p.arc) {
        const Vec2 d = p.b - p.a;
        const double ll = dot(d, d);
        const double t = ll > 0 ? std::clamp(dot(q - p.a, d) / ll, 0.0, 1.0) : 0.0;
        return distance(q, p.a + d * t);
    }
    const double r = radiusOf(p);
    const double toCentre = distance(q, p.c);
    if (toCentre > 0) {
        const double turn = turnBetween(angleOf(p.a - p.c), angleOf(q - p.c), p.ccw);
        if (turn <= sweepOf(p)) return std::abs(toCentre - r);
    }
    return std::min(distance(q, p.a), distance(q, p.b));
}

std::vector<Vec2> carrierCrossings(const PathPiece& p, const PathPiece& q)
{
    if (!p.arc && !q.arc) {
        const Vec2 r = p.b - p.a, s = q.b - q.a;
        const double den = cross(r, s);
        if (std::abs(den) <= 1e-12 * length(r) * length(s)) return {};
        return {p.a + r * (cross(q.a - p.a, s) / den)};
    }
    if (!p.arc) return lineCircle(p.a, p.b, q.c, radiusOf(q));
    if (!q.arc) return lineCircle(q.a, q.b, p.c, radiusOf(p));
    const double r0 = radiusOf(p), r1 = radiusOf(q);
    const double dd = distance(p.c, q.c);
    if (dd <= 1e-12 || dd > r0 + r1 + 1e-9 || dd < std::abs(r0 - r1) - 1e-9) return {};
    const double a = (r0 * r0 - r1 * r1 + dd * dd) / (2 * dd);
    const double h = std::sqrt(std::max(0.0, r0 * r0 - a * a));
    const Vec2 u = unit(q.c - p.c);
    const Vec2 m = p.c + u * a;
    return {m + leftOf(u) * h, m - leftOf(u) * h};
}

double shareAt(const PathPiece& p, Vec2 q)
{
    if (!p.arc) {
        const Vec2 d = p.b - p.a;
        const double ll = dot(d, d);
        return ll > 0 ? std::clamp(dot(q - p.a, d) / ll, 0.0, 1.0) : 0.0;
    }
    return std::clamp(turnBetween(angleOf(p.a - p.c), angleOf(q - p.c), p.ccw) / sweepOf(p), 0.0, 1.0);
}

double pathLength(const PiecePath& path)
{
    double total = 0;
    for (const PathPiece& p : path) total += pieceLength(p);
    return total;
}

PiecePath pathHead(const PiecePath& path, double len)
{
    PiecePath head;
    for (const PathPiece& p : path) {
        if (len <= 1e-12) break;
        const double l = pieceLength(p);
        if (l <= len) {
            head.push_back(p);
            len -= l;
        } else {
            head.push_back(headOf(p, len / l));
            len = 0;
        }
    }
    return head;
}

} // namespace dravenor::cutting
