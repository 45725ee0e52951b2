// Sheet rasters: a rectangle anchored at the origin stands upright (height not less than width)
// and is free inside; any other sheet is laid on its longest edge, filled and inverted so that
// its inside is free and everything around it occupied. The sheet's own edge is occupied.
#include <cmath>

#include "engine/rasterise.h"
#include "engine/segment_cells.h"
#include "geometry/primitives.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr double kDegreesPerRadian = 180 / kPi;


bool isOnAxis(double x, double y) { return x == 0 || y == 0; }

// Two segments that run from the origin to a point on an axis: the sheet already has a square
// corner at the origin.
bool hasCornerAtOrigin(const Outline& outline)
{
    int corners = 0;
    for (const Segment& s : outline) {
        const bool startAtOrigin = s.X1 == 0 && s.Y1 == 0;
        const bool endAtOrigin = s.X2 == 0 && s.Y2 == 0;
        if ((startAtOrigin && isOnAxis(s.X2, s.Y2)) || (endAtOrigin && isOnAxis(s.X1, s.Y1))) ++corners;
    }
    return corners >= 2;
}

size_t longestSegment(const Outline& outline)
{
    size_t longest = 0;
    double longestLength = -1;
    for (size_t i = 0; i < outline.size(); ++i) {
        const double dx = outline[i].X2 - outline[i].X1;
        const double dy = outline[i].Y2 - outline[i].Y1;
        const double length = std::sqrt(dx * dx + dy * dy);
        if (length > longestLength) {
            longest = i;
            longestLength = length;
        }
    }
    return longest;
}

// Turns a sheet that has no square corner at the origin so that its longest edge lies on row 0;
// returns the turn in degrees.
double layOnLongestEdge(Outline& outline)
{
    if (outline.empty() || hasCornerAtOrigin(outline)) return 0;
    const size_t edge = longestSegment(outline);
    const Segment& s = outline[edge];
    double angle = polarAngle(s.X1, s.Y2, s.X2, s.Y1) * kDegreesPerRadian;
    turnOutline(outline, angle);
    if (roundHalfEven(outline[edge].Y1) != 0) {
        angle += 180;
        if (angle >= 360) angle -= 360;
        turnOutline(outline, 180);
    }
    return angle;
}

} // namespace

PreparedSheet prepareSheet(const Outline& sheetOutline, NestingRun& run)
{
    Outline outline = sheetOutline;
    PreparedSheet prepared;
    if (isOriginRectangle(outline)) {
        const Extents box = outlineBox(outline);
        if (box.height() < box.width()) {
            prepared.angle = 90;
            turnOutline(outline, 90);
        }
        const Extents upright = outlineBox(outline);
        prepared.raster = Raster::forBox(upright.width(), upright.height());
    } else {
        prepared.angle = layOnLongestEdge(outline);
        normaliseOutline(outline);
        prepared.raster = rasteriseOutline(outline, run);
        prepared.raster.invertBox();
    }
    setOutlineCells(outline, prepared.raster);
    return prepared;
}

} // namespace dravenor
