#include "layouts/outline_depth.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "geometry/open_ends.h"

namespace dravenor {

namespace {

double distanceToSegment(double px, double py, const Segment& s)
{
    const double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((px - s.X1) * dx + (py - s.Y1) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (s.X1 + t * dx), py - (s.Y1 + t * dy));
}

OutlineBox segmentBox(const Segment& s)
{
    return {std::min(s.X1, s.X2), std::min(s.Y1, s.Y2), std::max(s.X1, s.X2), std::max(s.Y1, s.Y2)};
}

OutlineBox intersection(const OutlineBox& a, const OutlineBox& b)
{
    return {std::max(a.xmin, b.xmin), std::max(a.ymin, b.ymin), std::min(a.xmax, b.xmax), std::min(a.ymax, b.ymax)};
}

OutlineBox widened(const OutlineBox& box, double margin)
{
    return {box.xmin - margin, box.ymin - margin, box.xmax + margin, box.ymax + margin};
}

double diagonal(const OutlineBox& box)
{
    return box.empty() ? 0 : std::hypot(box.xmax - box.xmin, box.ymax - box.ymin);
}

bool contains(const OutlineBox& box, double x, double y)
{
    return x >= box.xmin && x <= box.xmax && y >= box.ymin && y <= box.ymax;
}

// The part of the segment within the box (Liang-Barsky); false when none of it is.
bool clipToBox(Segment& s, const OutlineBox& box)
{
    const double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.X1 - box.xmin, box.xmax - s.X1, s.Y1 - box.ymin, box.ymax - s.Y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    s = {s.X1 + t0 * dx, s.Y1 + t0 * dy, s.X1 + t1 * dx, s.Y1 + t1 * dy};
    return true;
}

// The x positions where the horizontal line at y crosses the outline, sorted.
std::vector<double> crossingsAt(const SegmentList& segments, double y)
{
    std::vector<double> xs;
    for (const Segment& s : segments) {
        if ((s.Y1 > y) == (s.Y2 > y)) continue;
        xs.push_back(s.X1 + (y - s.Y1) / (s.Y2 - s.Y1) * (s.X2 - s.X1));
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

void placeProbe(PlacedOutline& o)
{
    // A hair off the middle so that the line misses chord ends lying exactly there.
    const double y = (o.box.ymin + o.box.ymax) / 2 + (o.box.ymax - o.box.ymin) * 1.234e-6;
    const std::vector<double> xs = crossingsAt(o.segments, y);
    double widest = 0;
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
        if (xs[k + 1] - xs[k] <= widest) continue;
        widest = xs[k + 1] - xs[k];
        o.probeX = (xs[k] + xs[k + 1]) / 2;
        o.probeY = y;
    }
    if (widest > 0 && insideOutline(o.probeX, o.probeY, o)) o.probeDepth = distanceToOutline(o.probeX, o.probeY, o);
}

// The segments of b that can be nearer than `margin` to a point of the region.
SegmentList segmentsNear(const PlacedOutline& b, const OutlineBox& region, double margin)
{
    const OutlineBox window = widened(region, margin);
    SegmentList near;
    for (const Segment& s : b.segments)
        if (segmentBox(s).meets(window, 0)) near.push_back(s);
    return near;
}

// Searches a's pieces for a point on the wanted side of b beyond the tolerance. A piece is split
// in two until the distance from its middle to b's outline (only `near` is searched; any other
// segment is at least `margin` away) settles whether some point of it can lie that deep.
class DepthSearch {
public:
    DepthSearch(const PlacedOutline& b, SegmentList near, double margin, bool wantInside, double tolerance)
        : b_(b), near_(std::move(near)), margin_(margin), wantInside_(wantInside), tolerance_(tolerance)
    {
    }

    bool reaches(const Segment& piece) const
    {
        std::vector<Segment> pending{piece};
        while (!pending.empty()) {
            const Segment s = pending.back();
            pending.pop_back();
            const double mx = (s.X1 + s.X2) / 2, my = (s.Y1 + s.Y2) / 2;
            const double half = std::hypot(s.X2 - s.X1, s.Y2 - s.Y1) / 2;
            const double upper = nearestDistance(mx, my);
            // No point of the piece gets that far from b's outline (a piece lying along b's
            // outline is settled at once, however long).
            if (upper + half <= tolerance_ || farthestFromOneSegment(s) <= tolerance_) continue;
            const double lower = std::min(upper, margin_);
            if (lower > tolerance_) {
                if (insideOutline(mx, my, b_) == wantInside_) return true;
                if (half - lower <= tolerance_) continue; // the piece cannot cross to the wanted side deep enough
            }
            if (half < tolerance_ * 0.05) continue;
            pending.push_back({s.X1, s.Y1, mx, my});
            pending.push_back({mx, my, s.X2, s.Y2});
        }
        return false;
    }

private:
    // Distance to one segment is convex along the piece, so no point of the piece is further
    // from that segment than the farther of its ends: the least such bound over b's segments.
    double farthestFromOneSegment(const Segment& piece) const
    {
        double best = std::numeric_limits<double>::infinity();
        for (const Segment& s : near_)
            best = std::min(best, std::max(distanceToSegment(piece.X1, piece.Y1, s), distanceToSegment(piece.X2, piece.Y2, s)));
        return best;
    }

    double nearestDistance(double x, double y) const
    {
        double best = std::numeric_limits<double>::infinity();
        for (const Segment& s : near_) best = std::min(best, distanceToSegment(x, y, s));
        return best;
    }

    const PlacedOutline& b_;
    SegmentList near_;
    double margin_;
    bool wantInside_;
    double tolerance_;
};

bool exceedsBox(const OutlineBox& inner, const OutlineBox& outer, double tolerance)
{
    return inner.xmin < outer.xmin - tolerance || inner.ymin < outer.ymin - tolerance ||
           inner.xmax > outer.xmax + tolerance || inner.ymax > outer.ymax + tolerance;
}

} // namespace

bool OutlineBox::meets(const OutlineBox& other, double margin) const
{
    return xmin <= other.xmax + margin && other.xmin <= xmax + margin && ymin <= other.ymax + margin &&
           other.ymin <= ymax + margin;
}

PlacedOutline placedOutline(const Shape& shape, double bridge)
{
    PlacedOutline o;
    o.segments = shapeToSegments(shape);
    bridgeOpenEnds(o.segments, bridge);
    for (const Segment& s : o.segments) {
        o.box.xmin = std::min({o.box.xmin, s.X1, s.X2});
        o.box.ymin = std::min({o.box.ymin, s.Y1, s.Y2});
        o.box.xmax = std::max({o.box.xmax, s.X1, s.X2});
        o.box.ymax = std::max({o.box.ymax, s.Y1, s.Y2});
    }
    if (!o.empty()) placeProbe(o);
    return o;
}

// The ray runs a hair above the point so that chord ends at exactly its height cannot upset
// the count.
bool insideOutline(double px, double py, const PlacedOutline& outline)
{
    py += 1e-7 * (1 + std::fabs(py));
    bool inside = false;
    for (const Segment& s : outline.segments) {
        if ((s.Y1 > py) == (s.Y2 > py)) continue;
        const double x = s.X1 + (py - s.Y1) / (s.Y2 - s.Y1) * (s.X2 - s.X1);
        if (x > px) inside = !inside;
    }
    return inside;
}

double distanceToOutline(double x, double y, const PlacedOutline& outline)
{
    double best = std::numeric_limits<double>::infinity();
    for (const Segment& s : outline.segments) best = std::min(best, distanceToSegment(x, y, s));
    return best;
}

bool outlineReaches(const PlacedOutline& a, const PlacedOutline& b, bool wantInside, double tolerance)
{
    if (a.empty() || b.empty()) return false;
    if (!wantInside && exceedsBox(a.box, b.box, tolerance)) return true;
    // Inside b means inside b's box, so only the part of a within it matters; outside b can be
    // anywhere a is.
    const OutlineBox region = wantInside ? intersection(a.box, b.box) : a.box;
    if (region.empty()) return false;
    const double margin = std::max(4 * tolerance, 0.05 * diagonal(region));
    const DepthSearch search(b, segmentsNear(b, region, margin), margin, wantInside, tolerance);
    for (Segment s : a.segments)
        if (clipToBox(s, region) && search.reaches(s)) return true;
    return false;
}

bool probeInside(const PlacedOutline& a, const PlacedOutline& b, double tolerance)
{
    if (a.probeDepth <= 0 || !contains(b.box, a.probeX, a.probeY)) return false;
    return insideOutline(a.probeX, a.probeY, b) && distanceToOutline(a.probeX, a.probeY, b) > tolerance;
}

} // namespace dravenor
