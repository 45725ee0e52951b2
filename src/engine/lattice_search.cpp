// The next row of the stack lattice: on a canvas holding a row of three copies at pitch StepX
// (raised first where copies at that pitch would share cells), the lowest-then-leftmost place
// for a plain copy (or, where turns are allowed, a copy turned by 180 degrees); after a partner
// row, the place of the plain copy that follows it.
#include <algorithm>

#include "engine/part_analysis.h"
#include "engine/placement.h"
#include "engine/rasterise.h"
#include "job/part_rules.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

struct Strip {
    const Raster* part = nullptr; // the part's raster at the strip's angle
    Raster strip;                 // three copies in a row
    double right = 0, top = 0;    // the box (0, 0, right, top) of the turned outline or its raster
};

// The part at the angle with three copies at pitch stepX.
Strip rowOfThree(const Outline& turned, const Raster& part, int stepX)
{
    Strip s;
    // The raster's box where it grew past the outline's by the kerf.
    const Extents box = outlineBox(turned);
    s.right = std::max(box.width(), static_cast<double>(part.W()));
    s.top = std::max(box.height(), static_cast<double>(part.H()));
    s.strip = Raster::forBox(s.right + 2.0 * stepX, s.top);
    s.part = &part;
    for (int copy = 0; copy < 3; ++copy) stamp(part, s.strip, copy * stepX, 0);
    return s;
}

// A plain grid: rows straight above each other at the given pitch.
void plainGrid(StackParams& params, int rowPitch)
{
    params.ShiftX = 0;
    params.StepY = rowPitch;
    params.PairAngle = 0;
    params.PairShiftX = 0;
    params.PairShiftY = 0;
}

} // namespace

void latticeSearch(const Outline& outline, const PartEntry& part, StackParams& params, NestingRun& run)
{
    Outline turnedA = outline;
    turnOutline(turnedA, params.BaseAngle);
    Outline turnedB = turnedA;
    turnOutline(turnedB, 180);
    const Raster& rasterA = partRaster(turnedA, part.FileName, params.BaseAngle, run);
    const Raster& rasterB = partRaster(turnedB, part.FileName, params.BaseAngle + 180, run);
    // Copies in a row (plain and partner rows alike) never share a cell.
    params.StepX = std::max(clearPitch(rasterA, params.StepX), clearPitch(rasterB, params.StepX));
    const Strip a = rowOfThree(turnedA, rasterA, params.StepX);
    const Strip b = rowOfThree(turnedB, rasterB, params.StepX);

    Raster canvas = Raster::forBox(a.right + 3.0 * params.StepX + 4, 3 * a.top + 4);
    stamp(a.strip, canvas, 0, 0);
    const double canvasHeight = 3 * a.top + 4;
    const KeyPoints keysA = makeKeyPointsFor(run, *a.part, run.random);
    const KeyPoints keysB = makeKeyPointsFor(run, *b.part, run.random);
    const bool turns = allowsHalfTurn(part.Orn);
    const int lastCol = params.StepX + 4;

    bool found = false;
    const int lastRow = toWhole(canvasHeight / 3 + 4);
    for (int r = 0; r <= lastRow && !found; ++r)
        for (int c = 0; c <= lastCol && !found; ++c) {
            if (fitsFor(run, *a.part, canvas, keysA, c, r)) {
                params.PairAngle = 0;
            } else if (turns && fitsFor(run, *b.part, canvas, keysB, c, r)) {
                params.PairAngle = 180;
            } else {
                continue;
            }
            params.ShiftX = c;
            params.StepY = r;
            found = true;
        }
    // No next row within reach: rows of the part's box height plus one cell, straight above
    // each other.
    const int boxRowPitch = toWhole(a.top + 1);
    if (!found) return plainGrid(params, boxRowPitch);

    if (params.PairAngle != 180) {
        params.PairShiftX = params.ShiftX;
        params.PairShiftY = 0;
        return;
    }
    stamp(*b.part, canvas, params.ShiftX, params.StepY);
    const int firstRow = toWhole(canvasHeight / 3);
    const int lastPairRow = toWhole(2 * canvasHeight / 3) + 4;
    for (int r = firstRow; r <= lastPairRow; ++r)
        for (int c = 0; c <= lastCol; ++c)
            if (fitsFor(run, *a.part, canvas, keysA, c, r)) {
                params.PairShiftX = c;
                params.PairShiftY = r - params.StepY;
                return;
            }
    plainGrid(params, boxRowPitch);
}

} // namespace dravenor
