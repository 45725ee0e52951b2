#include "deep/collision_exact.h"

#include <algorithm>

namespace dravenor::deep {

namespace {

// Poles per region tried before the edges: the largest ones settle most collisions.
constexpr std::size_t kFailFastPoles = 4;

double orient(Point a, Point b, Point c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

Box edgeBox(const Edge& e)
{
    return {std::min(e.a.x, e.b.x), std::min(e.a.y, e.b.y), std::max(e.a.x, e.b.x), std::max(e.a.y, e.b.y)};
}

bool crosses(const Edge& e, Point p)
{
    if ((e.a.y > p.y) == (e.b.y > p.y)) return false;
    return p.x < e.a.x + (p.y - e.a.y) * (e.b.x - e.a.x) / (e.b.y - e.a.y);
}

double squaredDistance(const Edge& e, Point p)
{
    const double dx = e.b.x - e.a.x, dy = e.b.y - e.a.y;
    const double len2 = dx * dx + dy * dy;
    const double t = std::clamp(len2 > 0 ? ((p.x - e.a.x) * dx + (p.y - e.a.y) * dy) / len2 : 0.0, 0.0, 1.0);
    const double qx = e.a.x + t * dx - p.x, qy = e.a.y + t * dy - p.y;
    return qx * qx + qy * qy;
}

// The runs of the region, moved by d, whose boxes meet the window.
void runsIn(const Region& region, Point d, const Box& window, std::vector<std::pair<Box, const EdgeRun*>>& out)
{
    out.clear();
    for (const EdgeRun& run : region.runs) {
        const Box moved = run.box.moved(d.x, d.y);
        if (moved.meets(window)) out.push_back({moved, &run});
    }
}

bool runsMeet(const Region& a, Point da, const EdgeRun& ra, const Region& b, Point db, const EdgeRun& rb, const Box& boxB)
{
    // Edges are moved with the arithmetic that moved the boxes: an edge on a box's side stays on it.
    for (std::uint32_t i = ra.first; i < ra.first + ra.count; ++i) {
        const Edge& x = a.edges[i];
        const Edge mx{{x.a.x + da.x, x.a.y + da.y}, {x.b.x + da.x, x.b.y + da.y}};
        const Box bx = edgeBox(mx);
        if (!bx.meets(boxB)) continue;
        for (std::uint32_t j = rb.first; j < rb.first + rb.count; ++j) {
            const Edge& y = b.edges[j];
            const Edge my{{y.a.x + db.x, y.a.y + db.y}, {y.b.x + db.x, y.b.y + db.y}};
            if (bx.meets(edgeBox(my)) && segmentsMeet(mx.a, mx.b, my.a, my.b)) return true;
        }
    }
    return false;
}

// Runs against runs first, whose boxes keep apart most of the edges that cannot meet.
bool edgesMeet(const Region& a, Point da, const Region& b, Point db, const Box& window)
{
    thread_local std::vector<std::pair<Box, const EdgeRun*>> ra, rb;
    runsIn(a, da, window, ra);
    if (ra.empty()) return false;
    runsIn(b, db, window, rb);
    for (const auto& [boxA, runA] : ra)
        for (const auto& [boxB, runB] : rb)
            if (boxA.meets(boxB) && runsMeet(a, da, *runA, b, db, *runB, boxB)) return true;
    return false;
}

bool anchorsInside(const Region& a, Point da, const Region& b, Point db)
{
    for (const Point& p : a.anchors) {
        const Point local{p.x + da.x - db.x, p.y + da.y - db.y};
        if (b.box.meets({local.x, local.y, local.x, local.y}) && materialHolds(b, local)) return true;
    }
    return false;
}

} // namespace

bool materialHolds(const std::vector<Edge>& edges, Point p)
{
    bool inside = false;
    for (const Edge& e : edges) inside ^= crosses(e, p);
    return inside;
}

bool materialHolds(const Region& region, Point p)
{
    bool inside = false;
    for (const EdgeRun& run : region.runs) {
        // No edge of the run reaches the ray to the right of the point.
        if (run.box.y1 <= p.y || run.box.y0 > p.y || run.box.x1 < p.x) continue;
        for (std::uint32_t i = run.first; i < run.first + run.count; ++i) inside ^= crosses(region.edges[i], p);
    }
    return inside;
}

double distanceToEdges(const std::vector<Edge>& edges, Point p)
{
    double best = kInfinity;
    for (const Edge& e : edges) best = std::min(best, squaredDistance(e, p));
    return std::sqrt(best);
}

double distanceToEdges(const Region& region, Point p)
{
    double best = kInfinity;
    for (const EdgeRun& run : region.runs) {
        const double dx = std::max({0.0, run.box.x0 - p.x, p.x - run.box.x1});
        const double dy = std::max({0.0, run.box.y0 - p.y, p.y - run.box.y1});
        if (dx * dx + dy * dy >= best) continue;
        for (std::uint32_t i = run.first; i < run.first + run.count; ++i) best = std::min(best, squaredDistance(region.edges[i], p));
    }
    return std::sqrt(best);
}

bool segmentsMeet(Point a1, Point a2, Point b1, Point b2)
{
    const double d1 = orient(b1, b2, a1), d2 = orient(b1, b2, a2);
    if ((d1 > 0 && d2 > 0) || (d1 < 0 && d2 < 0)) return false;
    const double d3 = orient(a1, a2, b1), d4 = orient(a1, a2, b2);
    if ((d3 > 0 && d4 > 0) || (d3 < 0 && d4 < 0)) return false;
    if (d1 == 0 && d2 == 0 && d3 == 0 && d4 == 0) {
        // On one line: they meet when their extents along it overlap.
        const Box x{std::min(a1.x, a2.x), std::min(a1.y, a2.y), std::max(a1.x, a2.x), std::max(a1.y, a2.y)};
        const Box y{std::min(b1.x, b2.x), std::min(b1.y, b2.y), std::max(b1.x, b2.x), std::max(b1.y, b2.y)};
        return x.meets(y);
    }
    return true;
}

bool polesOverlap(const Region& a, Point da, const Region& b, Point db)
{
    const std::size_t na = std::min(a.poles.size(), kFailFastPoles);
    const std::size_t nb = std::min(b.poles.size(), kFailFastPoles);
    const double ox = da.x - db.x, oy = da.y - db.y;
    for (std::size_t i = 0; i < na; ++i) {
        const Circle p = a.poles[i];
        for (std::size_t j = 0; j < nb; ++j) {
            const Circle q = b.poles[j];
            const double dx = p.c.x + ox - q.c.x, dy = p.c.y + oy - q.c.y;
            const double reach = p.r + q.r;
            if (dx * dx + dy * dy < reach * reach) return true;
        }
    }
    return false;
}

bool outlinesCollide(const Region& a, Point da, const Region& b, Point db)
{
    const Box ba = a.box.moved(da.x, da.y), bb = b.box.moved(db.x, db.y);
    if (!ba.meets(bb)) return false;
    if (edgesMeet(a, da, b, db, ba.intersection(bb))) return true;
    return anchorsInside(a, da, b, db) || anchorsInside(b, db, a, da);
}

bool regionsCollide(const Region& a, Point da, const Region& b, Point db)
{
    if (!a.box.moved(da.x, da.y).meets(b.box.moved(db.x, db.y))) return false;
    return polesOverlap(a, da, b, db) || outlinesCollide(a, da, b, db);
}

} // namespace dravenor::deep
