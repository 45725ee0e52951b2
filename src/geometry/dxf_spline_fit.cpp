#include "geometry/dxf_spline_fit.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dravenor {

namespace {

constexpr int kDegree = 3;

DxfPoint operator-(DxfPoint a, DxfPoint b) { return {a.x - b.x, a.y - b.y}; }
DxfPoint operator+(DxfPoint a, DxfPoint b) { return {a.x + b.x, a.y + b.y}; }
DxfPoint operator*(double s, DxfPoint a) { return {s * a.x, s * a.y}; }
double length(DxfPoint a) { return std::hypot(a.x, a.y); }
double crossLength(DxfPoint a, DxfPoint b) { return std::fabs(a.x * b.y - a.y * b.x); }

DxfPoint withLength(DxfPoint v, double wanted)
{
    const double l = length(v);
    return l > 0 ? (wanted / l) * v : DxfPoint{};
}

// Chord-length parameters from 0 to 1.
std::vector<double> chordParameters(const std::vector<DxfPoint>& q, double total)
{
    std::vector<double> t{0};
    double run = 0;
    for (std::size_t k = 1; k < q.size(); ++k) {
        run += length(q[k] - q[k - 1]);
        t.push_back(run / total);
    }
    t.back() = 1;
    return t;
}

// Directions at the first and last fit point from the differences of the points around them,
// each weighted by how sharply its neighbours turn (Akima's estimate), the differences beyond
// the ends continued linearly.
std::array<DxfPoint, 2> estimatedEndTangents(const std::vector<DxfPoint>& p)
{
    const std::size_t n = p.size();
    // d[i] is the difference p[i] - p[i - 1] for i in 1 .. n-1; d[0], d[n], d[n+1] and the one
    // before d[0] are continued.
    std::vector<DxfPoint> d(n + 2);
    for (std::size_t i = 1; i < n; ++i) d[i] = p[i] - p[i - 1];
    d[0] = 2.0 * d[1] - d[2];
    d[n] = 2.0 * d[n - 1] - d[n - 2];
    d[n + 1] = 2.0 * d[n] - d[n - 1];
    const DxfPoint beforeFirst = 2.0 * d[0] - d[1];
    const auto blend = [](DxfPoint a, DxfPoint b, DxfPoint c, DxfPoint e, DxfPoint near, DxfPoint far) {
        const double v1 = crossLength(a, b), v2 = crossLength(c, e);
        const double alpha = v1 + v2 > 0 ? v1 / (v1 + v2) : 0.5;
        return (1 - alpha) * near + alpha * far;
    };
    return {blend(beforeFirst, d[0], d[1], d[2], d[0], d[1]),
            blend(d[n - 2], d[n - 1], d[n], d[n + 1], d[n - 1], d[n])};
}

// The four basis functions of degree 3 that are not zero at u, and the first of their indices.
struct Basis {
    std::size_t first = 0;
    std::array<double, 4> values{};
};

Basis basisAt(const std::vector<double>& knots, std::size_t controlCount, double u)
{
    const std::size_t p = kDegree;
    std::size_t span = static_cast<std::size_t>(std::upper_bound(knots.begin() + p, knots.begin() + controlCount, u) - knots.begin()) - 1;
    span = std::clamp(span, p, controlCount - 1);
    std::array<double, 4> n{1, 0, 0, 0};
    std::array<double, 4> left{}, right{};
    for (std::size_t j = 1; j <= p; ++j) {
        left[j] = u - knots[span + 1 - j];
        right[j] = knots[span + j] - u;
        double saved = 0;
        for (std::size_t r = 0; r < j; ++r) {
            const double temp = n[r] / (right[r + 1] + left[j - r]);
            n[r] = saved + right[r + 1] * temp;
            saved = left[j - r] * temp;
        }
        n[j] = saved;
    }
    return {span - p, n};
}

// Solves a x = b for the two coordinates by Gaussian elimination with partial pivoting; the
// rows of a interpolation system are banded, so only the band is worked on. False when singular.
bool solve(std::vector<std::vector<double>> a, std::vector<DxfPoint> b, std::vector<DxfPoint>& x)
{
    const std::size_t n = a.size();
    std::size_t band = 0;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            if (a[i][j] != 0) band = std::max(band, i > j ? i - j : j - i);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t last = std::min(n - 1, k + band);
        std::size_t pivot = k;
        for (std::size_t i = k + 1; i <= last; ++i)
            if (std::fabs(a[i][k]) > std::fabs(a[pivot][k])) pivot = i;
        if (std::fabs(a[pivot][k]) < 1e-300) return false;
        std::swap(a[k], a[pivot]);
        std::swap(b[k], b[pivot]);
        const std::size_t lastColumn = std::min(n - 1, k + 2 * band);
        for (std::size_t i = k + 1; i <= last; ++i) {
            const double f = a[i][k] / a[k][k];
            if (f == 0) continue;
            for (std::size_t j = k; j <= lastColumn; ++j) a[i][j] -= f * a[k][j];
            b[i] = b[i] - f * b[k];
        }
    }
    x.assign(n, {});
    for (std::size_t k = n; k-- > 0;) {
        DxfPoint sum = b[k];
        for (std::size_t j = k + 1; j <= std::min(n - 1, k + 2 * band); ++j) sum = sum - a[k][j] * x[j];
        x[k] = (1 / a[k][k]) * sum;
    }
    return std::all_of(x.begin(), x.end(), [](DxfPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

} // namespace

DxfFitResult splineThroughFitPoints(const DxfFitPoints& fit)
{
    DxfFitResult result;
    // Repeated points give no chord to measure; drawing programs drop them too.
    std::vector<DxfPoint> q;
    for (const DxfPoint& p : fit.points)
        if (q.empty() || length(p - q.back()) > 0) q.push_back(p);
    if (q.size() < 2) return {{}, "too few fit points"};
    const bool tangentsGiven = fit.startTangent && fit.endTangent && length(*fit.startTangent) > 0 &&
                               length(*fit.endTangent) > 0;
    if (q.size() == 2 && !tangentsGiven) {
        result.spline = {1, q, {0, 0, 1, 1}, {}};
        return result;
    }
    double total = 0;
    for (std::size_t k = 1; k < q.size(); ++k) total += length(q[k] - q[k - 1]);
    const std::vector<double> t = chordParameters(q, total);
    std::array<DxfPoint, 2> tangents = tangentsGiven ? std::array<DxfPoint, 2>{*fit.startTangent, *fit.endTangent}
                                                     : estimatedEndTangents(q);
    for (DxfPoint& tangent : tangents) tangent = withLength(tangent, total);

    // Control points: one per fit point and one more at each end for its tangent; knots clamped,
    // the inner fit points' parameters between.
    const std::size_t n = q.size() - 1;
    const std::size_t count = n + 3;
    std::vector<double> knots(kDegree + 1, 0.0);
    knots.insert(knots.end(), t.begin() + 1, t.end() - 1);
    knots.insert(knots.end(), kDegree + 1, 1.0);
    std::vector<std::vector<double>> rows;
    std::vector<DxfPoint> rhs;
    const auto basisRow = [&](double u) {
        std::vector<double> row(count, 0.0);
        const Basis b = basisAt(knots, count, u);
        for (std::size_t j = 0; j < 4; ++j) row[b.first + j] = b.values[j];
        return row;
    };
    // The first derivative at a clamped end is degree / (first inner knot span) times the
    // difference of the first two control points.
    const auto endRow = [&](std::size_t from) {
        std::vector<double> row(count, 0.0);
        row[from] = -1;
        row[from + 1] = 1;
        return row;
    };
    for (std::size_t k = 0; k <= n; ++k) {
        rows.push_back(basisRow(t[k]));
        rhs.push_back(q[k]);
        if (k == 0) {
            rows.push_back(endRow(0));
            rhs.push_back((knots[kDegree + 1] / kDegree) * tangents[0]);
        }
        if (k + 1 == n) {
            rows.push_back(endRow(count - 2));
            rhs.push_back(((1 - knots[knots.size() - kDegree - 2]) / kDegree) * tangents[1]);
        }
    }
    std::vector<DxfPoint> control;
    if (!solve(rows, rhs, control)) return {{}, "fit points give no curve"};
    result.spline = {kDegree, control, knots, {}};
    return result;
}

} // namespace dravenor
