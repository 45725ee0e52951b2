#include "geometry/dxf_ellipse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/dxf_curve_fit.h"

namespace dravenor {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
// A whole ellipse's end parameter may differ from start + 2 pi by rounding in the writer.
constexpr double kParameterRounding = 1e-9;

struct Vector3 {
    double x, y, z;
};

Vector3 crossProduct(Vector3 a, Vector3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

} // namespace

void appendEllipticArc(const DxfEllipticArc& arc, Shape& shape)
{
    const auto point = [&arc](double t) {
        return DxfPoint{arc.centre.x + arc.u.x * std::cos(t) + arc.v.x * std::sin(t),
                        arc.centre.y + arc.u.y * std::cos(t) + arc.v.y * std::sin(t)};
    };
    // Quarter turns at most per first piece, so that no fitted arc has to bend half way round.
    const int pieces = std::max(1, static_cast<int>(std::ceil((arc.t1 - arc.t0) / (kFullTurn / 4) - 1e-9)));
    std::vector<double> breaks;
    for (int k = 0; k <= pieces; ++k) breaks.push_back(arc.t0 + (arc.t1 - arc.t0) * k / pieces);
    const DxfPoint first = point(arc.t0);
    const bool whole = arc.t1 - arc.t0 >= kFullTurn - kParameterRounding;
    appendFittedCurve(point, breaks, first, whole ? first : point(arc.t1), shape);
}

bool readDxfEllipse(const DxfEntity& entity, DxfNumberTally& tally, const DxfTransform& at, Shape& shape)
{
    const DxfPoint centre{dxfGroupNumber(entity, 10, tally), dxfGroupNumber(entity, 20, tally)};
    const Vector3 major{dxfGroupNumber(entity, 11, tally), dxfGroupNumber(entity, 21, tally),
                        dxfGroupNumber(entity, 31, tally)};
    const double ratio = dxfGroupNumber(entity, 40, tally, 1);
    Vector3 normal{dxfGroupNumber(entity, 210, tally), dxfGroupNumber(entity, 220, tally),
                   dxfGroupNumber(entity, 230, tally, 1)};
    const double normalLength = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
    if (normalLength == 0) normal = {0, 0, 1};
    else normal = {normal.x / normalLength, normal.y / normalLength, normal.z / normalLength};
    // The minor axis lies a quarter turn on from the major one about the normal; seen along z
    // (the drawing's view) the ellipse keeps only the x and y of both.
    const Vector3 minor = crossProduct(normal, major);

    DxfEllipticArc arc;
    arc.centre = at.apply(centre);
    arc.u = at.applyLinear({major.x, major.y});
    arc.v = at.applyLinear({minor.x * ratio, minor.y * ratio});
    if (std::fabs(arc.u.x * arc.v.y - arc.u.y * arc.v.x) == 0) return false;

    const double start = dxfGroupNumber(entity, 41, tally, 0);
    double end = dxfGroupNumber(entity, 42, tally, kFullTurn);
    while (end <= start + kParameterRounding) end += kFullTurn;
    if (end - start > kFullTurn) end = start + kFullTurn;
    arc.t0 = start;
    arc.t1 = end;
    appendEllipticArc(arc, shape);
    return true;
}

} // namespace dravenor
