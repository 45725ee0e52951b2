// The turn for parts free to take any angle: the nearest place (upwards) where a second copy
// fits beside the first gives the direction in which copies pack closest; the part is turned so
// that this direction lies along a row, and upside down when most of its cells would sit high.
#include <algorithm>
#include <cmath>

#include "engine/fit_search.h"
#include "engine/part_analysis.h"
#include "engine/placement.h"
#include "engine/rasterise.h"
#include "geometry/primitives.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr double kNoOffset = 999999999;

// Whole cells by which the part's raster reaches past its outline's box (its growth by the kerf).
double grownBeyond(const Raster& part, const Extents& box)
{
    return std::max({0.0, part.W() - std::ceil(box.width()), part.H() - std::ceil(box.height())});
}

struct Offset {
    int x = 0, y = 0;
    bool found = false;
};

// The nearest offset, rows upwards and columns left to right, at which a second copy of the part
// fits beside a first one; ties keep the earlier offset.
Offset nearestNeighbour(const Outline& outline, NestingRun& run)
{
    const Extents box = outlineBox(outline);
    const double smaller = std::min(box.width(), box.height());
    const double larger = std::max(box.width(), box.height());
    const int S = toWhole(smaller);
    const Raster part = rasterisePart(outline, run);
    // Room for the second copy, the part's raster grown by the kerf included.
    const double margin = roundHalfEven(smaller) + roundHalfEven(larger) + 2 + grownBeyond(part, box);
    Raster canvas = Raster::forBox(box.width() + margin, box.height() + margin);
    stamp(part, canvas, S + 1, 0);
    const double right = box.width() + S + 1;
    const double top = box.height();

    const KeyPoints noKeys;
    // The engine's own test looks only where the row filter leaves room (a second copy cannot
    // fit elsewhere); another fit test is asked at every position.
    FitFinder finder(part, noKeys);
    int chunk = -64;
    std::uint64_t mayFit = 0;
    auto fitsAt = [&](int c, int r) {
        if (run.fitTest) return run.fitTest(part, canvas, noKeys, c, r);
        if (c >= chunk + 64) mayFit = finder.mayFit(canvas, chunk = c, r);
        return ((mayFit >> (c - chunk)) & 1) && finder.fitsAt(canvas, c, r);
    };
    Offset best;
    double bestDistance = kNoOffset;
    const int lastRow = toWhole((S + top + 1) / 2 + 1);
    const int lastCol = toWhole(right);
    for (int r = 0; r <= lastRow; ++r) {
        if (r >= bestDistance) break; // no offset in this row or above can be nearer
        chunk = -64;
        for (int c = 0; c <= lastCol; ++c) {
            const int x = c - (S + 1);
            const double d = std::sqrt(static_cast<double>(x) * x + static_cast<double>(r) * r);
            if (x > right / 2 + 1 && best.found && d > bestDistance) break;
            if (d < bestDistance && fitsAt(c, r)) {
                best = {x, r, true};
                bestDistance = d;
            }
        }
    }
    return best;
}

// The outline followed by a copy of it moved by (dx, dy).
Outline pairOf(const Outline& outline, double dx, double dy)
{
    Outline pair = outline;
    Outline moved = outline;
    moveOutline(moved, dx, dy);
    pair.insert(pair.end(), moved.begin(), moved.end());
    return pair;
}

// True when more of the part's cells lie in the upper half of the left half of two copies in a
// row than in the lower half.
bool sitsHigh(const Outline& turned, int stepX, NestingRun& run)
{
    const Extents box = outlineBox(turned);
    const Raster part = rasterisePart(turned, run);
    const double grown = grownBeyond(part, box);
    Raster canvas = Raster::forBox(box.width() + grown + stepX + 1, box.height() + grown);
    stamp(part, canvas, 0, 0);
    stamp(part, canvas, stepX, 0);
    const int halfCol = toWhole(canvas.W() / 2.0);
    const int halfRow = toWhole(canvas.H() / 2.0);
    long long lower = 0, upper = 0;
    for (int j = 0; j <= canvas.H(); ++j)
        for (int i = 0; i <= halfCol; ++i)
            if (canvas.test(i, j)) ++(j <= halfRow ? lower : upper);
    return upper > lower;
}

} // namespace

void autoAnalysis(const Outline& outline, const PartEntry& /*part*/, StackParams& params, NestingRun& run)
{
    const Offset offset = outline.empty() ? Offset{} : nearestNeighbour(outline, run);
    if (!offset.found) {
        // No second copy fits anywhere beside the first: a plain grid of boxes.
        params = simpleAnalysis(outline);
        return;
    }
    params.StepH = offset.y;

    // The neighbour's direction, measured clockwise: turning the part counter-clockwise by it
    // brings the neighbour onto the row.
    const double dx = static_cast<float>(offset.x);
    const double dy = static_cast<float>(offset.y);
    Outline pair = pairOf(outline, dx, dy);
    const size_t secondCopy = outline.size();
    double baseAngle = polarAngle(pair[0].X1, pair[secondCopy].Y1, pair[secondCopy].X1, pair[0].Y1) * 180 / kPi;

    // The pitch along the row: the distance between the copies' first points, in whole cells,
    // plus one cell.
    turnOutline(pair, baseAngle);
    const int stepX = static_cast<int>(std::ceil(std::fabs(pair[secondCopy].X1 - pair[0].X1))) + 1;

    Outline turned = outline;
    turnOutline(turned, baseAngle);
    if (sitsHigh(turned, stepX, run)) baseAngle += 180;

    params.BaseAngle = baseAngle;
    params.StepX = stepX;
}

} // namespace dravenor
