#include "cutting/part_contours.h"

#include <cmath>

namespace dravenor::cutting {

namespace {

constexpr double kDegree = 3.14159265358979 / 180;

PathPiece pieceOf(const ShapeEntity& e)
{
    if (e.RAD == 0) return linePiece({e.X1, e.Y1}, {e.X2, e.Y2});
    const Vec2 c{e.CX, e.CY};
    const double r = std::abs(e.RAD);
    const Vec2 a{c.x + r * std::cos(e.Nstart * kDegree), c.y + r * std::sin(e.Nstart * kDegree)};
    if (e.Nstart == e.Nend) return arcPiece(a, a, c, true);
    const Vec2 b{c.x + r * std::cos(e.Nend * kDegree), c.y + r * std::sin(e.Nend * kDegree)};
    return arcPiece(a, b, c, true);
}

bool isFullCircle(const PathPiece& p) { return p.arc && distance(p.a, p.b) <= 1e-9 * std::max(1.0, radiusOf(p)); }

// Chains pieces end to end, from the first unused one, until the chain returns to its start.
std::vector<PiecePath> chainLoops(std::vector<PathPiece> pieces, double tol, int& openChains)
{
    std::vector<PiecePath> loops;
    std::vector<bool> used(pieces.size(), false);
    for (size_t first = 0; first < pieces.size(); ++first) {
        if (used[first]) continue;
        used[first] = true;
        PiecePath loop{pieces[first]};
        if (isFullCircle(pieces[first])) {
            loops.push_back(loop);
            continue;
        }
        bool closed = false;
        while (!closed) {
            const Vec2 end = loop.back().b;
            if (loop.size() > 1 && distance(end, loop.front().a) <= tol) {
                loop.back().b = loop.front().a;
                closed = true;
                break;
            }
            size_t best = pieces.size();
            bool flip = false;
            double bestGap = tol;
            for (size_t i = 0; i < pieces.size(); ++i) {
                if (used[i] || isFullCircle(pieces[i])) continue;
                const double toStart = distance(end, pieces[i].a);
                const double toEnd = distance(end, pieces[i].b);
                if (toStart <= bestGap) { best = i; flip = false; bestGap = toStart; }
                if (toEnd <= bestGap && toEnd < toStart) { best = i; flip = true; bestGap = toEnd; }
            }
            if (best == pieces.size()) break;
            used[best] = true;
            PathPiece next = flip ? reversed(pieces[best]) : pieces[best];
            next.a = end;
            loop.push_back(next);
        }
        if (closed || (loop.size() == 1 && distance(loop[0].a, loop[0].b) <= tol && loop[0].arc))
            loops.push_back(loop);
        else
            ++openChains;
    }
    return loops;
}

PiecePath reversedPath(const PiecePath& path)
{
    PiecePath r;
    for (auto it = path.rbegin(); it != path.rend(); ++it) r.push_back(reversed(*it));
    return r;
}

} // namespace

double doubleSignedArea(const PiecePath& path)
{
    double twice = 0;
    for (const PathPiece& p : path) twice += doubleAreaTerm(p);
    return twice;
}

std::vector<Vec2> chordPolygon(const PiecePath& path, double sag)
{
    std::vector<Vec2> points;
    for (const PathPiece& p : path) appendChordPoints(p, sag, points);
    return points;
}

bool insidePolygon(Vec2 q, const std::vector<Vec2>& polygon)
{
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Vec2 a = polygon[i], b = polygon[j];
        if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

PartContours partContours(const Shape& shape, double joinTolerance)
{
    std::vector<PathPiece> pieces;
    for (const ShapeEntity& e : shape) {
        if (!std::isfinite(e.X1 + e.Y1 + e.X2 + e.Y2 + e.CX + e.CY + e.RAD + e.Nstart + e.Nend)) continue;
        PathPiece p = pieceOf(e);
        if (!p.arc && distance(p.a, p.b) <= 1e-9) continue;
        pieces.push_back(p);
    }
    PartContours result;
    const std::vector<PiecePath> loops = chainLoops(std::move(pieces), joinTolerance, result.openChains);
    std::vector<std::vector<Vec2>> polygons;
    for (const PiecePath& loop : loops) polygons.push_back(chordPolygon(loop, 1e-3));
    for (size_t i = 0; i < loops.size(); ++i) {
        // A contour inside an odd number of others bounds a hole.
        const Vec2 probe = pointAt(loops[i].front(), 0.5);
        int depth = 0;
        for (size_t j = 0; j < loops.size(); ++j)
            if (j != i && insidePolygon(probe, polygons[j])) ++depth;
        Contour contour{loops[i], depth % 2 == 1};
        const bool counterClockwise = doubleSignedArea(contour.path) > 0;
        if (counterClockwise != contour.hole) contour.path = reversedPath(contour.path);
        result.contours.push_back(std::move(contour));
    }
    return result;
}

} // namespace dravenor::cutting
