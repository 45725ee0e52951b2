#include "cutting/kerf_offset.h"

#include "cutting/offset_loops.h"

#include <cmath>
#include <limits>
#include <optional>

namespace dravenor::cutting {

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Offset {
    PathPiece piece;     // the whole offset piece, before its ends are trimmed
    PathPiece trimmed;   // with the ends met at the joins
    double sweep = 0;    // arcs: the sweep before trimming
    bool alive = true;
};

std::optional<Offset> offsetPiece(const PathPiece& p, double d)
{
    Offset o;
    if (!p.arc) {
        const Vec2 shift = leftOf(unit(p.b - p.a)) * d;
        o.piece = linePiece(p.a + shift, p.b + shift);
    } else {
        // The left of a counter-clockwise arc is its centre.
        const double r = radiusOf(p) + (p.ccw ? -d : d);
        if (r <= 1e-9) return std::nullopt;
        o.piece = p;
        o.piece.a = p.c + unit(p.a - p.c) * r;
        o.piece.b = p.c + unit(p.b - p.c) * r;
        o.sweep = sweepOf(p);
    }
    o.trimmed = o.piece;
    return o;
}

Vec2 ontoPiece(const PathPiece& p, Vec2 q)
{
    return p.arc ? p.c + unit(q - p.c) * radiusOf(p) : q;
}

// Whether trimming turned the piece inside out (its ends passed each other).
bool inverted(const Offset& o)
{
    if (!o.trimmed.arc) return dot(o.trimmed.b - o.trimmed.a, o.piece.b - o.piece.a) <= 1e-12;
    if (o.sweep >= kTwoPi - 1e-12) return false;
    const double r = radiusOf(o.piece);
    if (distance(o.trimmed.a, o.trimmed.b) <= 1e-9 * std::max(1.0, r)) return true;
    const double startShift = sweepOf(arcPiece(o.piece.a, o.trimmed.a, o.piece.c, o.piece.ccw));
    const double fromStart = distance(o.piece.a, o.trimmed.a) <= 1e-9 * r ? 0 : startShift;
    const double endAt = sweepOf(arcPiece(o.piece.a, o.trimmed.b, o.piece.c, o.piece.ccw));
    return fromStart >= endAt || endAt > o.sweep + 1e-9;
}

// Joins every living piece to the next one; false when two neighbours cannot meet.
bool joinPieces(std::vector<Offset>& offsets, const PiecePath& contour, double d, PiecePath& path,
                std::vector<bool>& cornerArc)
{
    std::vector<size_t> alive;
    for (size_t i = 0; i < offsets.size(); ++i) {
        offsets[i].trimmed = offsets[i].piece;
        if (offsets[i].alive) alive.push_back(i);
    }
    if (alive.empty()) return false;
    if (alive.size() == 1) {
        const Offset& o = offsets[alive[0]];
        if (!(o.piece.arc && o.sweep >= kTwoPi - 1e-12)) return false;
        path = {o.piece};
        cornerArc = {false};
        return true;
    }
    const double close = 1e-9 * std::max(1.0, d);
    std::vector<std::optional<PathPiece>> corners(alive.size());
    for (size_t k = 0; k < alive.size(); ++k) {
        const size_t i = alive[k], j = alive[(k + 1) % alive.size()];
        Offset& from = offsets[i];
        Offset& to = offsets[j];
        const Vec2 e = from.piece.b, s = to.piece.a;
        if (distance(e, s) <= close) {
            to.trimmed.a = from.trimmed.b;
            continue;
        }
        const bool adjacent = (i + 1) % offsets.size() == j;
        const Vec2 t1 = tangentAt(from.piece, 1), t2 = tangentAt(to.piece, 0);
        if (adjacent && cross(t1, t2) < 0) {
            // Turning away from the part on its right: round the corner about its point.
            corners[k] = arcPiece(e, s, contour[i].b, false);
            continue;
        }
        const std::vector<Vec2> meet = carrierCrossings(from.piece, to.piece);
        if (meet.empty()) return false;
        const Vec2 middle = (e + s) * 0.5;
        Vec2 best = meet[0];
        for (const Vec2& m : meet)
            if (distance(m, middle) < distance(best, middle)) best = m;
        from.trimmed.b = ontoPiece(from.piece, best);
        to.trimmed.a = ontoPiece(to.piece, best);
    }
    bool anyInverted = false;
    for (size_t i : alive)
        if (inverted(offsets[i])) {
            offsets[i].alive = false;
            anyInverted = true;
        }
    if (anyInverted) return joinPieces(offsets, contour, d, path, cornerArc);
    path.clear();
    cornerArc.clear();
    for (size_t k = 0; k < alive.size(); ++k) {
        path.push_back(offsets[alive[k]].trimmed);
        cornerArc.push_back(false);
        if (corners[k]) {
            path.push_back(*corners[k]);
            cornerArc.push_back(true);
        }
    }
    // Pin the seams so the path closes exactly.
    for (size_t k = 0; k < path.size(); ++k) path[(k + 1) % path.size()].a = path[k].b;
    return true;
}

bool keepsDistance(const PiecePath& path, double d, const std::vector<const PiecePath*>& guards)
{
    const double least = d * (1 - 1e-6) - 1e-7;
    for (const PathPiece& p : path)
        for (int k = 0; k <= 8; ++k)
            if (distanceToPaths(pointAt(p, k / 8.0), guards) < least) return false;
    return true;
}

} // namespace

double distanceToPaths(Vec2 q, const std::vector<const PiecePath*>& paths)
{
    double least = std::numeric_limits<double>::infinity();
    for (const PiecePath* path : paths)
        for (const PathPiece& p : *path) least = std::min(least, distanceToPiece(q, p));
    return least;
}

OffsetContour offsetContour(const PiecePath& contour, double d, const std::vector<const PiecePath*>& guards)
{
    OffsetContour result;
    std::vector<Offset> offsets;
    for (const PathPiece& p : contour) {
        std::optional<Offset> o = offsetPiece(p, d);
        if (!o) {
            o = Offset{};
            o->alive = false;
        }
        offsets.push_back(*o);
    }
    if (joinPieces(offsets, contour, d, result.path, result.cornerArc) && keepsDistance(result.path, d, guards)) {
        result.ok = true;
        return result;
    }
    const OffsetLoop loop = offsetLoop(contour, d, guards);
    result.ok = loop.ok && keepsDistance(loop.path, d, guards);
    result.path = loop.path;
    result.cornerArc = loop.cornerArc;
    result.leftUncut = loop.leftUncut;
    return result;
}

} // namespace dravenor::cutting
