#include "geometry/dxf_spline.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/dxf_curve_fit.h"
#include "geometry/dxf_spline_fit.h"

namespace dravenor {

namespace {

constexpr int kClosedFlag = 1;
constexpr int kHighestDegree = 25; // far past what drawing programs write (11)

// Knots for a spline that names none: clamped at both ends, evenly spaced between.
std::vector<double> clampedUniformKnots(std::size_t points, int degree)
{
    std::vector<double> knots;
    const std::size_t p = static_cast<std::size_t>(degree);
    for (std::size_t k = 0; k < points + p + 1; ++k)
        knots.push_back(static_cast<double>(std::clamp(k, p, points) - p));
    return knots;
}

bool clampedAtStart(const DxfSpline& s)
{
    return s.knots.front() == s.start();
}

bool clampedAtEnd(const DxfSpline& s)
{
    return s.knots.back() == s.end();
}

std::vector<double> distinctKnotsOfTheCurve(const DxfSpline& s)
{
    std::vector<double> breaks;
    for (double k : s.knots)
        if (k >= s.start() && k <= s.end() && (breaks.empty() || k > breaks.back())) breaks.push_back(k);
    return breaks;
}

// The curve through the fit points as placed: the points and tangents are placed first, as
// the chord lengths the curve is built from are those of the drawing.
std::string readFitPointSpline(DxfFitPoints fit, bool closed, const DxfTransform& at, Shape& shape)
{
    for (DxfPoint& p : fit.points) p = at.apply(p);
    for (std::optional<DxfPoint>* tangent : {&fit.startTangent, &fit.endTangent})
        if (*tangent) **tangent = at.applyLinear(**tangent);
    const DxfFitResult built = splineThroughFitPoints(fit);
    if (!built.problem.empty()) return built.problem;
    if (std::string problem = built.spline.problem(); !problem.empty()) return problem;
    appendDxfSpline(built.spline, closed, shape);
    return "";
}

} // namespace

DxfPoint DxfSpline::at(double t) const
{
    const std::size_t p = static_cast<std::size_t>(degree);
    const std::size_t n = points.size() - 1;
    // The knot span [knots[k], knots[k + 1]) holding t, of non-zero length.
    std::size_t k = static_cast<std::size_t>(std::upper_bound(knots.begin() + p, knots.begin() + n + 1, t) - knots.begin());
    k = std::clamp(k, p + 1, n + 1) - 1;
    while (k > p && knots[k] == knots[k + 1]) --k;
    // de Boor's scheme on the weighted points (x w, y w, w).
    std::vector<std::array<double, 3>> d(p + 1);
    for (std::size_t j = 0; j <= p; ++j) {
        const std::size_t i = k - p + j;
        const double w = weights.empty() ? 1 : weights[i];
        d[j] = {points[i].x * w, points[i].y * w, w};
    }
    for (std::size_t r = 1; r <= p; ++r)
        for (std::size_t j = p; j >= r; --j) {
            const std::size_t i = k - p + j;
            const double alpha = (t - knots[i]) / (knots[i + p - r + 1] - knots[i]);
            for (std::size_t c = 0; c < 3; ++c) d[j][c] = (1 - alpha) * d[j - 1][c] + alpha * d[j][c];
        }
    return {d[p][0] / d[p][2], d[p][1] / d[p][2]};
}

std::string DxfSpline::problem() const
{
    if (degree < 1 || degree > kHighestDegree) return "degree " + std::to_string(degree);
    if (points.size() < static_cast<std::size_t>(degree) + 1) return "too few control points";
    if (knots.size() != points.size() + static_cast<std::size_t>(degree) + 1) return "knots do not match";
    if (!std::is_sorted(knots.begin(), knots.end())) return "knots out of order";
    if (!(start() < end())) return "no length";
    if (!weights.empty() && weights.size() != points.size()) return "weights do not match";
    if (std::any_of(weights.begin(), weights.end(), [](double w) { return !(w > 0); })) return "weights not positive";
    return "";
}

void appendDxfSpline(const DxfSpline& spline, bool closed, Shape& shape)
{
    const DxfPoint first = clampedAtStart(spline) ? spline.points.front() : spline.at(spline.start());
    DxfPoint last = clampedAtEnd(spline) ? spline.points.back() : spline.at(spline.end());
    if (closed && std::hypot(last.x - first.x, last.y - first.y) <= kDxfCurveTolerance / 2) last = first;
    appendFittedCurve([&spline](double t) { return spline.at(t); }, distinctKnotsOfTheCurve(spline), first, last,
                      shape);
}

std::string readDxfSpline(const DxfEntity& entity, DxfNumberTally& tally, const DxfTransform& at, Shape& shape)
{
    DxfSpline spline;
    DxfFitPoints fit;
    for (const DxfGroup& group : entity.groups) {
        if (group.code == 10) spline.points.push_back({dxfNumberOf(group, tally), 0});
        else if (group.code == 20 && !spline.points.empty()) spline.points.back().y = dxfNumberOf(group, tally);
        else if (group.code == 40) spline.knots.push_back(dxfNumberOf(group, tally));
        else if (group.code == 41) spline.weights.push_back(dxfNumberOf(group, tally));
        else if (group.code == 11) fit.points.push_back({dxfNumberOf(group, tally), 0});
        else if (group.code == 21 && !fit.points.empty()) fit.points.back().y = dxfNumberOf(group, tally);
        else if (group.code == 12) fit.startTangent = DxfPoint{dxfNumberOf(group, tally), 0};
        else if (group.code == 22 && fit.startTangent) fit.startTangent->y = dxfNumberOf(group, tally);
        else if (group.code == 13) fit.endTangent = DxfPoint{dxfNumberOf(group, tally), 0};
        else if (group.code == 23 && fit.endTangent) fit.endTangent->y = dxfNumberOf(group, tally);
    }
    const bool closed = (dxfFlags(entity, tally) & kClosedFlag) != 0;
    if (spline.points.empty() && !fit.points.empty()) return readFitPointSpline(fit, closed, at, shape);
    if (spline.points.empty()) return "no control points";
    const double degree = dxfGroupNumber(entity, 71, tally, 3);
    spline.degree = std::fabs(degree) <= 1000 ? static_cast<int>(degree) : 1000; // problem() names it
    if (spline.knots.empty() && spline.degree >= 1 && spline.degree <= kHighestDegree &&
        spline.points.size() > static_cast<std::size_t>(spline.degree))
        spline.knots = clampedUniformKnots(spline.points.size(), spline.degree);
    if (std::all_of(spline.weights.begin(), spline.weights.end(), [](double w) { return w == 1; }))
        spline.weights.clear();
    if (std::string problem = spline.problem(); !problem.empty()) return problem;
    for (DxfPoint& p : spline.points) p = at.apply(p);
    appendDxfSpline(spline, closed, shape);
    return "";
}

} // namespace dravenor
