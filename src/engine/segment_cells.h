#pragma once
// The cells an outline's edge passes through. Cell (i, j) covers [i - 0.5, i + 0.5) x
// [j - 0.5, j + 0.5), so a point exactly between two cells belongs to the upper one. Every cell
// that the segment touches is taken, widened by its sag (the arc a chord stands in for) and a
// hair for rounding: a part's cells then cover the whole part, and a sheet's free cells lie
// wholly inside the sheet, whatever the slant of an edge.
#include <algorithm>
#include <cmath>

#include "engine/outline.h"
#include "engine/raster.h"

namespace dravenor {

// Rounding of coordinates that were scaled and turned stays far below this (in cells).
inline constexpr double kCellSlack = 1e-6;

// The cell holding the coordinate.
inline int cellIndex(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// Calls sink(y, x0, x1) for each row y that the widened segment touches, with its cells x0..x1.
template <class RunSink>
void forEachSegmentCellRun(const Segment& segment, RunSink&& sink)
{
    const double widen = segment.sag + kCellSlack;
    const double dx = segment.X2 - segment.X1;
    const double dy = segment.Y2 - segment.Y1;
    const int firstRow = cellIndex(std::min(segment.Y1, segment.Y2) - widen);
    const int lastRow = cellIndex(std::max(segment.Y1, segment.Y2) + widen);
    for (int y = firstRow; y <= lastRow; ++y) {
        // The stretch of the segment within this row, the row widened as the segment is.
        double t0 = 0, t1 = 1;
        if (dy != 0) {
            t0 = (y - 0.5 - widen - segment.Y1) / dy;
            t1 = (y + 0.5 + widen - segment.Y1) / dy;
            if (t0 > t1) std::swap(t0, t1);
            t0 = std::max(t0, 0.0);
            t1 = std::min(t1, 1.0);
            if (t0 > t1) continue;
        }
        const double xa = segment.X1 + t0 * dx;
        const double xb = segment.X1 + t1 * dx;
        sink(y, cellIndex(std::min(xa, xb) - widen), cellIndex(std::max(xa, xb) + widen));
    }
}

// Sets every cell that some segment of the outline touches (cells beyond the stored area are
// left out).
inline void setOutlineCells(const Outline& outline, Raster& raster)
{
    const int lastColumn = raster.lastStoredColumn();
    const int lastRow = raster.lastStoredRow();
    for (const Segment& segment : outline)
        forEachSegmentCellRun(segment, [&raster, lastColumn, lastRow](int y, int x0, int x1) {
            x0 = std::max(x0, 0);
            x1 = std::min(x1, lastColumn);
            if (y >= 0 && y <= lastRow && x0 <= x1) raster.setRun(x0, x1, y);
        });
}

} // namespace dravenor
