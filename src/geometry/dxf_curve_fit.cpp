#include "geometry/dxf_curve_fit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/dxf_arcs.h"

namespace dravenor {

namespace {

// Pieces are fitted to half the tolerance: the check samples the curve, and between samples
// it may stray a little further.
constexpr double kAim = kDxfCurveTolerance / 2;
constexpr int kSamples = 8;  // curve points checked per piece, none at its middle
constexpr int kDeepest = 20; // halvings of one piece at most
// The pieces one curve may be tried in: kTriesPerBreak for each piece between its breaks, never
// fewer than kFewestTries. A curve no arc can follow (coordinates so large that rounding alone
// exceeds the tolerance) would otherwise be halved to the deepest everywhere, a million pieces each.
constexpr long kFewestTries = 1 << 14;
constexpr long kTriesPerBreak = 64;

struct Vector {
    double x, y;
};

Vector minus(DxfPoint a, DxfPoint b) { return {a.x - b.x, a.y - b.y}; }
double cross(Vector a, Vector b) { return a.x * b.y - a.y * b.x; }
double length(Vector v) { return std::hypot(v.x, v.y); }

// Angle turned counter-clockwise from direction `from` to `to`, in [0, 2 pi).
double turnBetween(Vector from, Vector to)
{
    double a = std::atan2(cross(from, to), from.x * to.x + from.y * to.y);
    return a < 0 ? a + 2 * std::numbers::pi : a;
}

// One fitted entity: the arc through a piece's ends and middle (counter-clockwise from `start`),
// or the line between its ends when those three points are all but in line.
struct Candidate {
    bool isLine = true;
    DxfPoint from, to; // the piece's ends, in curve order
    DxfPoint centre;
    double radius = 0;
    DxfPoint start;    // where the arc starts counter-clockwise
    double sweep = 0;  // radians

    double distanceTo(DxfPoint p) const
    {
        if (isLine) {
            const Vector d = minus(to, from), w = minus(p, from);
            const double lengthSquared = d.x * d.x + d.y * d.y;
            const double along = lengthSquared == 0 ? 0 : std::clamp((w.x * d.x + w.y * d.y) / lengthSquared, 0.0, 1.0);
            return std::hypot(w.x - along * d.x, w.y - along * d.y);
        }
        const Vector r = minus(p, centre);
        if (turnBetween(minus(start, centre), r) > sweep + 1e-9) return INFINITY; // beside the arc
        return std::fabs(length(r) - radius);
    }

    ShapeEntity entity() const
    {
        ShapeEntity e;
        if (!isLine) {
            const DxfPoint end = start == from ? to : from;
            e.CX = centre.x;
            e.CY = centre.y;
            e.RAD = radius;
            e.Nstart = dxfDirectionDegrees(start.x - centre.x, start.y - centre.y);
            e.Nend = dxfDirectionDegrees(end.x - centre.x, end.y - centre.y);
            if (e.Nstart != e.Nend) return e; // else too slight to tell from a circle: a line
        }
        e = ShapeEntity{};
        e.X1 = from.x;
        e.Y1 = from.y;
        e.X2 = to.x;
        e.Y2 = to.y;
        return e;
    }
};

Candidate candidateThrough(DxfPoint from, DxfPoint middle, DxfPoint to)
{
    Candidate c;
    c.from = from;
    c.to = to;
    const Vector b = minus(middle, from), d = minus(to, from);
    const double turn = cross(b, d); // > 0: the curve bends left (counter-clockwise)
    const double chord = length(d);
    // Offset of the middle from the chord: below a hundredth of the aim the line is as good.
    if (chord == 0 || std::fabs(turn) / chord <= kAim / 100) return c;
    const double bb = b.x * b.x + b.y * b.y, dd = d.x * d.x + d.y * d.y;
    const double k = 2 * cross(b, d);
    const Vector centre{(d.y * bb - b.y * dd) / k, (b.x * dd - d.x * bb) / k};
    c.isLine = false;
    c.centre = {from.x + centre.x, from.y + centre.y};
    c.radius = length(centre);
    c.start = turn > 0 ? from : to;
    const DxfPoint end = turn > 0 ? to : from;
    c.sweep = turnBetween(minus(c.start, c.centre), minus(end, c.centre));
    return c;
}

class CurveFitter {
public:
    CurveFitter(const DxfCurvePoint& point, long tries, Shape& shape) : point_(point), triesLeft_(tries), shape_(shape) {}

    void fit(double t0, double t1, DxfPoint p0, DxfPoint p1, int depth)
    {
        const double tm = (t0 + t1) / 2;
        const DxfPoint pm = point_(tm);
        const Candidate c = candidateThrough(p0, pm, p1);
        if (depth < kDeepest && --triesLeft_ > 0 && !follows(c, t0, t1)) {
            fit(t0, tm, p0, pm, depth + 1);
            fit(tm, t1, pm, p1, depth + 1);
            return;
        }
        shape_.push_back(c.entity());
    }

private:
    bool follows(const Candidate& c, double t0, double t1) const
    {
        for (int k = 0; k < kSamples; ++k) {
            const double t = t0 + (t1 - t0) * (2 * k + 1) / (2 * kSamples);
            if (!(c.distanceTo(point_(t)) <= kAim)) return false;
        }
        return true;
    }

    const DxfCurvePoint& point_;
    long triesLeft_;
    Shape& shape_;
};

} // namespace

void appendFittedCurve(const DxfCurvePoint& point, const std::vector<double>& breaks, DxfPoint first, DxfPoint last,
                       Shape& shape)
{
    if (breaks.size() < 2) return;
    CurveFitter fitter(point, std::max(kFewestTries, kTriesPerBreak * static_cast<long>(breaks.size())), shape);
    DxfPoint from = first;
    for (std::size_t k = 0; k + 1 < breaks.size(); ++k) {
        if (!(breaks[k + 1] > breaks[k])) continue;
        const bool lastPiece = k + 2 == breaks.size();
        const DxfPoint to = lastPiece ? last : point(breaks[k + 1]);
        fitter.fit(breaks[k], breaks[k + 1], from, to, 0);
        from = to;
    }
}

} // namespace dravenor
