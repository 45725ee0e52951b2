#pragma once
// The cells on a segment, walked by a digital differential analyser: from the first end, the
// larger coordinate difference is taken in whole steps, each cell rounded with halves going up.
#include <algorithm>
#include <cmath>

#include "engine/outline.h"
#include "engine/raster.h"
#include "engine/fast_round.h"

namespace dravenor {

// Rounds to the nearest cell; an exact half goes up (it is raised by 0.0001 first).
inline int cellOf(double v)
{
    if (v - std::floor(v) == 0.5) v += 0.0001;
    return static_cast<int>(roundHalfEvenFast(v));
}

template <class Sink>
void forEachSegmentCell(const Segment& segment, Sink&& sink)
{
    const double dx = segment.X2 - segment.X1;
    const double dy = segment.Y2 - segment.Y1;
    const double n = std::max(std::fabs(dx), std::fabs(dy));
    const double stepX = n == 0 ? 0 : dx / n;
    const double stepY = n == 0 ? 0 : dy / n;
    double x = segment.X1;
    double y = segment.Y1;
    sink(cellOf(x), cellOf(y));
    const long long steps = static_cast<long long>(roundHalfEven(n));
    for (long long k = 0; k < steps; ++k) {
        x += stepX;
        y += stepY;
        sink(cellOf(x), cellOf(y));
    }
}

// Sets every cell of every segment of the outline.
inline void setOutlineCells(const Outline& outline, Raster& raster)
{
    for (const Segment& segment : outline)
        forEachSegmentCell(segment, [&raster](int x, int y) { raster.set(x, y); });
}

} // namespace dravenor
