#include "engine/kerf_growth.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/raster_fill.h"
#include "engine/segment_cells.h"

namespace dravenor {

namespace {

// Least and greatest x of a set of points, empty until a point is taken.
struct Span {
    double lo = INFINITY, hi = -INFINITY;
    void take(double x)
    {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
    bool empty() const { return lo > hi; }
};

// The x of the disc about (cx, cy) within the rows y0..y1.
void takeDisc(double cx, double cy, double r, double y0, double y1, Span& span)
{
    const double dy = cy < y0 ? y0 - cy : (cy > y1 ? cy - y1 : 0);
    if (dy > r) return;
    const double half = std::sqrt(r * r - dy * dy);
    span.take(cx - half);
    span.take(cx + half);
}

// The x of the convex polygon within the rows y0..y1: its corners inside them and the points
// where its edges cross them.
void takePolygon(const std::array<double, 8>& p, double y0, double y1, Span& span)
{
    for (int k = 0; k < 4; ++k) {
        const double xa = p[2 * k], ya = p[2 * k + 1];
        const double xb = p[(2 * k + 2) % 8], yb = p[(2 * k + 3) % 8];
        if (ya >= y0 && ya <= y1) span.take(xa);
        for (const double yc : {y0, y1})
            if ((ya - yc) * (yb - yc) < 0) span.take(xa + (yc - ya) * (xb - xa) / (yb - ya));
    }
}

} // namespace

double partGrowthCells(double kerf, double scale) { return kerf > 0 ? kerf / 2 * scale : 0; }

int partShiftCells(double growth)
{
    return growth > 0.5 + kCellSlack ? static_cast<int>(std::ceil(growth - 0.5 - kCellSlack)) : 0;
}

void setCellsNearSegment(const Segment& s, double reach, Raster& raster)
{
    const double dx = s.X2 - s.X1, dy = s.Y2 - s.Y1;
    const double length = std::hypot(dx, dy);
    // The band's sides: the segment moved by `reach` both ways across it.
    const double nx = length > 0 ? -dy / length * reach : 0, ny = length > 0 ? dx / length * reach : 0;
    const std::array<double, 8> band{s.X1 + nx, s.Y1 + ny, s.X2 + nx, s.Y2 + ny,
                                     s.X2 - nx, s.Y2 - ny, s.X1 - nx, s.Y1 - ny};
    const int lastColumn = raster.lastStoredColumn();
    const int firstRow = std::max(cellIndex(std::min(s.Y1, s.Y2) - reach), 0);
    const int lastRow = std::min(cellIndex(std::max(s.Y1, s.Y2) + reach), raster.lastStoredRow());
    for (int y = firstRow; y <= lastRow; ++y) {
        const double y0 = y - 0.5, y1 = y + 0.5;
        Span span;
        takeDisc(s.X1, s.Y1, reach, y0, y1, span);
        takeDisc(s.X2, s.Y2, reach, y0, y1, span);
        if (length > 0) takePolygon(band, y0, y1, span);
        if (span.empty()) continue;
        const int x0 = std::max(cellIndex(span.lo), 0);
        const int x1 = std::min(static_cast<int>(std::ceil(span.hi - 0.5)), lastColumn);
        if (x0 <= x1) raster.setRun(x0, x1, y);
    }
}

Raster grownPartRaster(Outline outline, double growth, bool& tooSmall)
{
    normaliseOutline(outline);
    const int shift = partShiftCells(growth);
    moveOutline(outline, shift, shift);
    // The chords stand up to their sag off the arcs, and the shape is placed by the box of its own
    // chords, which may lie up to the sag (in x and in y) off the outline's: three sags in all.
    double sag = 0;
    for (const Segment& s : outline) sag = std::max(sag, s.sag);
    const double reach = growth - kCellSlack + 3 * sag;
    const Extents box = outlineBox(outline);
    Raster raster = box.empty() ? Raster(0, 0)
                                : Raster(cellIndex(box.xmax + reach), cellIndex(box.ymax + reach));
    tooSmall = fillInside(raster, outline) == 0;
    if (tooSmall) {
        raster.fillBox();
        return raster;
    }
    for (const Segment& s : outline) setCellsNearSegment(s, reach, raster);
    return raster;
}

} // namespace dravenor
