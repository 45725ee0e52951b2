#include "deep/outline_rings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/outline_chains.h"
#include "geometry/segments.h"

namespace dravenor::deep {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979 / 180.0;
// Enough chords for any arc a sheet can hold; beyond it the sagitta grows instead.
constexpr int kMostChordsPerArc = 2048;

int chordsFor(double radius, double sweepDegrees, double sag)
{
    const double r = std::fabs(radius);
    const double sweep = sweepDegrees * kRadiansPerDegree;
    if (!(r > 0) || !(sweep > 0)) return 1;
    const double step = sag >= r ? std::numbers::pi / 2 : 2 * std::acos(1 - sag / r);
    const double chords = std::ceil(sweep / step);
    return static_cast<int>(std::clamp(chords, 1.0, static_cast<double>(kMostChordsPerArc)));
}

} // namespace

Shape chordedShape(const Shape& shape, double sag)
{
    Shape out;
    out.reserve(shape.size());
    for (const ShapeEntity& e : shape) {
        if (e.RAD == 0) {
            out.push_back(e);
            continue;
        }
        double s = e.Nstart, end = e.Nend;
        unwrapArcAngles(s, end);
        const int n = chordsFor(e.RAD, end - s, sag);
        auto at = [&](int k) {
            const double a = (k == n ? end : s + (end - s) * k / n) * kRadiansPerDegree;
            return Point{e.CX + e.RAD * std::cos(a), e.CY + e.RAD * std::sin(a)};
        };
        Point from = at(0);
        for (int k = 1; k <= n; ++k) {
            const Point to = at(k);
            ShapeEntity line;
            line.X1 = from.x;
            line.Y1 = from.y;
            line.X2 = to.x;
            line.Y2 = to.y;
            out.push_back(line);
            from = to;
        }
    }
    return out;
}

OutlineRings outlineRings(const Shape& shape, double sag, double gapTolerance)
{
    OutlineRings result;
    // Outlines of lines alone have no chords standing in for arcs.
    const bool arcs = std::any_of(shape.begin(), shape.end(), [](const ShapeEntity& e) { return e.RAD != 0; });
    result.sag = arcs ? sag : 0;
    const OutlineChains chains = chainOutlines(chordedShape(shape, sag), gapTolerance);
    result.openEnds = chains.openEnds;
    for (const OutlinePolygon& polygon : chains.closedOutlines) {
        if (polygon.size() < 3) continue;
        Ring ring;
        ring.reserve(polygon.size());
        for (const OutlinePoint& p : polygon) ring.push_back({p.x, p.y});
        result.rings.push_back(std::move(ring));
    }
    return result;
}

} // namespace dravenor::deep
