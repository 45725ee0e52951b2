#include "stock/half_plane_clip.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/outline_chains.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"

namespace dravenor {

namespace {

constexpr double kOnLine = 1e-9;

struct Point {
    double x = 0, y = 0;
};

double radians(double degrees) { return degrees * kPi / 180.0; }
double degrees(double radians) { return radians * 180.0 / kPi; }

Point arcPoint(const ShapeEntity& e, double angleDegrees)
{
    return {e.CX + e.RAD * std::cos(radians(angleDegrees)), e.CY + e.RAD * std::sin(radians(angleDegrees))};
}

// A tolerance that grows with the coordinates, for points computed from angles.
double tolerance(const HalfPlane& side) { return kOnLine * std::max(1.0, std::fabs(side.offset)); }

class Clipper {
public:
    explicit Clipper(const HalfPlane& side) : side_(side), eps_(tolerance(side)) {}

    void line(const ShapeEntity& e)
    {
        const double a = side_.of(e.X1, e.Y1) - side_.offset;
        const double b = side_.of(e.X2, e.Y2) - side_.offset;
        if (a < -eps_ && b < -eps_) return;
        ShapeEntity kept = e;
        if (a < -eps_ || b < -eps_) {
            const double t = a / (a - b);
            const double x = e.X1 + t * (e.X2 - e.X1), y = e.Y1 + t * (e.Y2 - e.Y1);
            if (a < -eps_) kept.X1 = x, kept.Y1 = y;
            else kept.X2 = x, kept.Y2 = y;
        }
        if (kept.X1 == kept.X2 && kept.Y1 == kept.Y2) return;
        // A sheet edge lying along the cut closes the outline there already.
        const bool along = std::fabs(side_.of(kept.X1, kept.Y1) - side_.offset) <= eps_ &&
            std::fabs(side_.of(kept.X2, kept.Y2) - side_.offset) <= eps_;
        if (along) alongLine_.push_back({kept.X1, kept.Y1, kept.X2, kept.Y2});
        out_.push_back(kept);
        touch({kept.X1, kept.Y1});
        touch({kept.X2, kept.Y2});
    }

    // Arcs and circles are split at the angles where they cross the line; the pieces whose middle
    // lies on the kept side stay.
    void arc(const ShapeEntity& e)
    {
        double start = e.Nstart, end = e.Nend;
        unwrapArcAngles(start, end);
        std::vector<double> cuts{start, end};
        const double d = (side_.offset - side_.of(e.CX, e.CY)) / e.RAD;
        if (std::fabs(d) < 1) {
            const double normal = degrees(std::atan2(side_.ny, side_.nx));
            const double spread = degrees(std::acos(d));
            for (double angle : {normal - spread, normal + spread}) {
                while (angle < start) angle += 360;
                while (angle >= start + 360) angle -= 360;
                if (angle > start && angle < end) cuts.push_back(angle);
            }
        }
        std::sort(cuts.begin(), cuts.end());
        const bool whole = cuts.size() == 2;
        for (size_t i = 0; i + 1 < cuts.size(); ++i) {
            const Point middle = arcPoint(e, (cuts[i] + cuts[i + 1]) / 2);
            if (side_.of(middle.x, middle.y) < side_.offset) continue;
            ShapeEntity kept = e;
            if (whole && e.isCircle()) {
                out_.push_back(kept);
                continue;
            }
            kept.Nstart = normaliseAngle(cuts[i]);
            kept.Nend = normaliseAngle(cuts[i + 1]);
            if (kept.Nstart == 360) kept.Nstart = 0;
            if (kept.Nend == 0) kept.Nend = 360;
            out_.push_back(kept);
            touch(arcPoint(kept, kept.Nstart));
            touch(arcPoint(kept, kept.Nend));
        }
    }

    // The pieces of the line that run inside the shape join the ends lying on it.
    void closeAlongLine(const std::vector<OutlinePolygon>& outlines)
    {
        const double tx = -side_.ny, ty = side_.nx;
        std::sort(onLine_.begin(), onLine_.end(), [&](const Point& a, const Point& b) {
            return a.x * tx + a.y * ty < b.x * tx + b.y * ty;
        });
        std::vector<Point> ends;
        for (const Point& p : onLine_)
            if (ends.empty() || std::hypot(p.x - ends.back().x, p.y - ends.back().y) > eps_) ends.push_back(p);
        for (size_t i = 0; i + 1 < ends.size(); ++i) {
            const Point m{(ends[i].x + ends[i + 1].x) / 2, (ends[i].y + ends[i + 1].y) / 2};
            if (coveredAlongLine(m) || !inside(outlines, m)) continue;
            ShapeEntity cut;
            cut.X1 = ends[i].x, cut.Y1 = ends[i].y, cut.X2 = ends[i + 1].x, cut.Y2 = ends[i + 1].y;
            out_.push_back(cut);
        }
    }

    Shape take() { return std::move(out_); }

private:
    void touch(const Point& p)
    {
        if (std::fabs(side_.of(p.x, p.y) - side_.offset) <= eps_) onLine_.push_back(p);
    }

    bool coveredAlongLine(const Point& m) const
    {
        return std::any_of(alongLine_.begin(), alongLine_.end(), [&](const Segment& s) {
            const double len = std::hypot(s.X2 - s.X1, s.Y2 - s.Y1);
            const double t = ((m.x - s.X1) * (s.X2 - s.X1) + (m.y - s.Y1) * (s.Y2 - s.Y1)) / (len * len);
            return t > 0 && t < 1;
        });
    }

    // Even-odd over every outline: inside the sheet and outside its holes.
    static bool inside(const std::vector<OutlinePolygon>& outlines, const Point& m)
    {
        bool in = false;
        for (const OutlinePolygon& outline : outlines)
            if (outlineContains(outline, {m.x, m.y})) in = !in;
        return in;
    }

    HalfPlane side_;
    double eps_;
    Shape out_;
    std::vector<Point> onLine_;
    std::vector<Segment> alongLine_;
};

} // namespace

Shape clipShapeToHalfPlane(const Shape& shape, const HalfPlane& side)
{
    Clipper clipper(side);
    for (const ShapeEntity& e : shape) {
        if (e.isLine()) clipper.line(e);
        else if (e.RAD > 0) clipper.arc(e);
    }
    clipper.closeAlongLine(chainOutlines(shape, kEndsMeetAsDrawn).closedOutlines);
    return clipper.take();
}

} // namespace dravenor
