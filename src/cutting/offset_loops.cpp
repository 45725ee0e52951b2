#include "cutting/offset_loops.h"

#include <algorithm>
#include <cmath>

#include "cutting/kerf_offset.h"
#include "cutting/part_contours.h"

namespace dravenor::cutting {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Bit {
    PathPiece piece;
    bool convexCorner = false;
};

// Every piece moved d to its left and, at every corner, an arc about the corner from one
// neighbour's offset to the next: turning away from the part the arc rounds the corner, turning
// into it the arc runs back over the offsets, which the crossings then cut away.
std::vector<Bit> rawOffset(const PiecePath& contour, double d)
{
    std::vector<Bit> raw;
    const size_t n = contour.size();
    for (size_t i = 0; i < n; ++i) {
        const PathPiece& p = contour[i];
        if (!p.arc) {
            const Vec2 shift = leftOf(unit(p.b - p.a)) * d;
            raw.push_back({linePiece(p.a + shift, p.b + shift)});
        } else {
            // Tighter than the offset on its waste side, the arc's offset passes through the centre
            // and comes out mirrored: a negative radius does exactly that.
            const double r = radiusOf(p) + (p.ccw ? -d : d);
            if (std::abs(r) > 1e-9) {
                PathPiece o = p;
                o.a = p.c + unit(p.a - p.c) * r;
                o.b = p.c + unit(p.b - p.c) * r;
                raw.push_back({o});
            }
        }
        const Vec2 t1 = tangentAt(p, 1), t2 = tangentAt(contour[(i + 1) % n], 0);
        const double turn = std::atan2(cross(t1, t2), dot(t1, t2));
        if (std::abs(turn) * d <= 1e-7) continue;
        const bool away = turn < 0 || turn > kPi - 1e-9;
        raw.push_back({arcPiece(p.b + leftOf(t1) * d, p.b + leftOf(t2) * d, p.b, !away), away});
    }
    return raw;
}

struct Box {
    double x0, y0, x1, y1;
};

Box boxOf(const PathPiece& p)
{
    if (p.arc) {
        const double r = radiusOf(p);
        return {p.c.x - r, p.c.y - r, p.c.x + r, p.c.y + r};
    }
    return {std::min(p.a.x, p.b.x), std::min(p.a.y, p.b.y), std::max(p.a.x, p.b.x), std::max(p.a.y, p.b.y)};
}

bool overlap(const Box& a, const Box& b, double tol)
{
    return a.x0 <= b.x1 + tol && b.x0 <= a.x1 + tol && a.y0 <= b.y1 + tol && b.y0 <= a.y1 + tol;
}

// The raw offset cut at every point where two of its pieces cross.
std::vector<Bit> cutAtCrossings(const std::vector<Bit>& raw, double tol)
{
    std::vector<Box> boxes;
    for (const Bit& b : raw) boxes.push_back(boxOf(b.piece));
    std::vector<std::vector<double>> shares(raw.size(), std::vector<double>{0.0, 1.0});
    for (size_t i = 0; i < raw.size(); ++i)
        for (size_t j = i + 1; j < raw.size(); ++j) {
            if (!overlap(boxes[i], boxes[j], tol)) continue;
            const PathPiece &p = raw[i].piece, &q = raw[j].piece;
            for (const Vec2& x : carrierCrossings(p, q)) {
                if (distanceToPiece(x, p) > tol || distanceToPiece(x, q) > tol) continue;
                shares[i].push_back(shareAt(p, x));
                shares[j].push_back(shareAt(q, x));
            }
        }
    std::vector<Bit> bits;
    for (size_t i = 0; i < raw.size(); ++i) {
        std::vector<double>& s = shares[i];
        std::sort(s.begin(), s.end());
        const PathPiece& p = raw[i].piece;
        const double len = pieceLength(p);
        for (size_t k = 0; k + 1 < s.size(); ++k) {
            if ((s[k + 1] - s[k]) * len <= tol) continue;
            if (s[k] <= 0 && s[k + 1] >= 1) {
                bits.push_back(raw[i]);
                continue;
            }
            PathPiece piece = p;
            piece.a = pointAt(p, s[k]);
            piece.b = pointAt(p, s[k + 1]);
            bits.push_back({piece, raw[i].convexCorner});
        }
    }
    return bits;
}

// Chains the bits end to start into closed loops; a chain that does not close is dropped.
std::vector<std::vector<Bit>> closedLoops(const std::vector<Bit>& bits, double tol)
{
    std::vector<std::vector<Bit>> loops;
    std::vector<bool> used(bits.size(), false);
    for (size_t s = 0; s < bits.size(); ++s) {
        if (used[s]) continue;
        used[s] = true;
        std::vector<Bit> loop{bits[s]};
        bool closed = false;
        while (!closed) {
            const Vec2 at = loop.back().piece.b;
            if (loop.size() > 1 && distance(at, loop.front().piece.a) <= tol) {
                closed = true;
                break;
            }
            size_t best = bits.size();
            double nearest = tol;
            for (size_t k = 0; k < bits.size(); ++k)
                if (!used[k] && distance(bits[k].piece.a, at) <= nearest) {
                    nearest = distance(bits[k].piece.a, at);
                    best = k;
                }
            if (best == bits.size()) break;
            used[best] = true;
            loop.push_back(bits[best]);
        }
        const bool circle = loop.size() == 1 && sweepOf(loop[0].piece) > 2 * kPi - 1e-9;
        if (closed || circle) loops.push_back(std::move(loop));
    }
    return loops;
}

double doubleArea(const std::vector<Bit>& loop)
{
    double area = 0;
    for (const Bit& b : loop) area += doubleAreaTerm(b.piece);
    return area;
}

} // namespace

OffsetLoop offsetLoop(const PiecePath& contour, double d, const std::vector<const PiecePath*>& guards)
{
    OffsetLoop result;
    if (contour.empty()) return result;
    const double tol = 1e-6 * std::max(1.0, d);
    std::vector<Bit> kept;
    for (const Bit& b : cutAtCrossings(rawOffset(contour, d), tol))
        if (distanceToPaths(pointAt(b.piece, 0.5), guards) >= d - tol) kept.push_back(b);

    // The loop that runs the contour's way round and encloses the most; the others (other lobes of
    // a hole pinched by the kerf, pockets a notch's mouth closes off) are left.
    const double sense = doubleSignedArea(contour);
    const std::vector<std::vector<Bit>> loops = closedLoops(kept, 10 * tol);
    const std::vector<Bit>* best = nullptr;
    int sameSense = 0;
    for (const std::vector<Bit>& loop : loops) {
        const double area = doubleArea(loop);
        if (area * sense <= 0) continue;
        ++sameSense;
        if (!best || std::abs(area) > std::abs(doubleArea(*best))) best = &loop;
    }
    if (!best) return result;
    for (const Bit& b : *best) {
        result.path.push_back(b.piece);
        result.cornerArc.push_back(b.convexCorner);
    }
    for (size_t k = 0; k < result.path.size(); ++k) result.path[(k + 1) % result.path.size()].a = result.path[k].b;
    result.ok = true;

    // A stretch of the contour whose middle the path does not pass at the offset stays uncut.
    const std::vector<const PiecePath*> cut{&result.path};
    result.leftUncut = sameSense > 1;
    for (const PathPiece& p : contour)
        if (pieceLength(p) > 2 * tol && distanceToPaths(pointAt(p, 0.5), cut) > d + 1e-3 * std::max(1.0, d))
            result.leftUncut = true;
    return result;
}

} // namespace dravenor::cutting
