#include "geometry/dxf_arcs.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace dravenor {

namespace {

ShapeEntity lineBetween(const DxfVertex& from, const DxfVertex& to)
{
    ShapeEntity line;
    line.X1 = from.x;
    line.Y1 = from.y;
    line.X2 = to.x;
    line.Y2 = to.y;
    return line;
}

} // namespace

double dxfNormalisedDegrees(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d < 0) d += 360.0;
    if (d >= 360.0) d -= 360.0;
    return d + 0.0; // no -0
}

double dxfDirectionDegrees(double dx, double dy)
{
    return dxfNormalisedDegrees(std::atan2(dy, dx) * 180.0 / std::numbers::pi);
}

ShapeEntity dxfPolylineSegment(const DxfVertex& from, const DxfVertex& to)
{
    const double b = from.bulge;
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    if (b == 0 || (dx == 0 && dy == 0)) return lineBetween(from, to);

    // The centre lies on the chord's perpendicular bisector, (1 - b^2) / (4b) chord lengths to
    // the left of the chord's direction (to the right for a clockwise bulge or one past a half
    // circle).
    const double offset = (1 - b * b) / (4 * b);
    ShapeEntity arc;
    arc.CX = (from.x + to.x) / 2 - offset * dy;
    arc.CY = (from.y + to.y) / 2 + offset * dx;
    arc.RAD = std::hypot(dx, dy) * (1 + b * b) / (4 * std::fabs(b));
    const double fromAngle = dxfDirectionDegrees(from.x - arc.CX, from.y - arc.CY);
    const double toAngle = dxfDirectionDegrees(to.x - arc.CX, to.y - arc.CY);
    arc.Nstart = b > 0 ? fromAngle : toAngle;
    arc.Nend = b > 0 ? toAngle : fromAngle;
    // A bend too slight to show in the angles would read as a full circle.
    if (arc.Nstart == arc.Nend) return lineBetween(from, to);
    return arc;
}

void appendDxfPolylinePath(const std::vector<DxfVertex>& vertices, bool closed, Shape& shape)
{
    if (vertices.empty()) return;
    for (std::size_t k = 0; k + 1 < vertices.size(); ++k)
        shape.push_back(dxfPolylineSegment(vertices[k], vertices[k + 1]));
    if (closed) shape.push_back(dxfPolylineSegment(vertices.back(), vertices.front()));
}

void mirrorArcInX(ShapeEntity& arc)
{
    arc.CX = 0.0 - arc.CX;
    if (arc.Nstart == arc.Nend) return; // a full circle stays one
    const double start = arc.Nstart;
    arc.Nstart = dxfNormalisedDegrees(180 - arc.Nend);
    arc.Nend = dxfNormalisedDegrees(180 - start);
}

void mirrorVerticesInX(std::vector<DxfVertex>& vertices)
{
    for (DxfVertex& v : vertices) {
        v.x = 0.0 - v.x;
        v.bulge = -v.bulge;
    }
}

} // namespace dravenor
