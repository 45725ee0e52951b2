#include "deep/region.h"

#include "geometry/primitives.h"

namespace dravenor::deep {

Turn turnAbout(double cx, double cy, double angleDegrees)
{
    // The arithmetic of rotateShape: its approximation of pi included.
    const double a = angleDegrees * kPi / 180;
    Turn t;
    t.c = std::cos(a);
    t.s = std::sin(a);
    t.tx = (1 - t.c) * cx + t.s * cy;
    t.ty = (1 - t.c) * cy - t.s * cx;
    return t;
}

namespace {

// The region with every point mapped: edges, poles and anchors; the box is taken again.
template <class Map>
Region mappedRegion(const Region& region, Map map)
{
    Region out;
    out.edges.reserve(region.edges.size());
    for (const Edge& e : region.edges) out.edges.push_back({map(e.a), map(e.b)});
    out.poles.reserve(region.poles.size());
    for (std::size_t i = 0; i < region.poles.size(); ++i) {
        const Circle p = region.poles[i];
        out.poles.push_back({map(p.c), p.r});
    }
    out.anchors.reserve(region.anchors.size());
    for (const Point& p : region.anchors) out.anchors.push_back(map(p));
    out.area = region.area;
    out.hullArea = region.hullArea;
    takeBox(out);
    return out;
}

} // namespace

Region turned(const Region& region, const Turn& turn)
{
    return mappedRegion(region, [&turn](Point p) { return turn.apply(p); });
}

Region mirrored(const Region& region, double cx)
{
    return mappedRegion(region, [cx](Point p) { return Point{2 * cx - p.x, p.y}; });
}

double signedArea(const Ring& ring)
{
    double twice = 0;
    for (std::size_t i = 0, n = ring.size(); i < n; ++i) {
        const Point& a = ring[i];
        const Point& b = ring[(i + 1) % n];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2;
}

double convexHullArea(std::vector<Point> points)
{
    if (points.size() < 3) return 0;
    std::sort(points.begin(), points.end(), [](Point a, Point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    auto cross = [](Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    Ring hull(2 * points.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i > 0; --i) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0) --k;
        hull[k++] = points[i - 1];
    }
    hull.resize(k > 0 ? k - 1 : 0);
    return std::fabs(signedArea(hull));
}

void takeBox(Region& region)
{
    // Runs long enough to skip much at once, short enough to keep their boxes tight.
    constexpr std::uint32_t kRunLength = 8;
    region.box = Box{};
    region.runs.clear();
    for (std::uint32_t i = 0; i < region.edges.size(); ++i) {
        const Edge& e = region.edges[i];
        if (i % kRunLength == 0) region.runs.push_back({Box{}, i, 0});
        EdgeRun& run = region.runs.back();
        run.box.take(e.a);
        run.box.take(e.b);
        ++run.count;
        region.box.take(e.a);
        region.box.take(e.b);
    }
    region.diameter = region.box.empty() ? 0 : std::hypot(region.box.width(), region.box.height());
}

} // namespace dravenor::deep
