// The stack fill: copies of the part on a lattice that starts at the first position (from the
// frontier on) where the part fits. Rows of plain copies follow each other by StepY, shifted by
// ShiftX; with PairAngle 180 every second row holds turned partner copies.
#include <algorithm>

#include "engine/placement_phases.h"

namespace dravenor {

namespace {

// The first position in scan order from (x, y) where the part fits: columns to the sheet's last
// one, then the next row from column 0. False when none is left on the sheet.
bool firstFit(PairSearch& search, const Raster& sheet, FitTest fitTest, int& x, int& y)
{
    const Raster& part = *search.rasters.a;
    if (fitTest) {
        while (!fitTest(part, sheet, *search.rasters.keysA, x, y)) {
            if (++x >= sheet.W()) {
                x = 0;
                if (++y >= sheet.H()) return false;
            }
        }
        return true;
    }
    FitFinder& finder = search.finderA();
    // The start row is searched to its end whatever row it is (a frontier may lie on the sheet's
    // last row); the rows after it up to the one before row sheet H. Rows where the part's box
    // passes the sheet's last row hold no fit.
    const int lastRow = sheet.H() - part.H();
    for (int row = y, from = x; row == y || row < sheet.H(); ++row, from = 0) {
        if (row > lastRow) return false;
        // A start past the last column is still tested itself.
        const int found = finder.firstFitInRow(sheet, row, from, std::max(sheet.W() - 1, from));
        if (found >= 0) {
            x = found;
            y = row;
            return true;
        }
    }
    return false;
}

// Remainder whose sign follows the dividend; a pitch below one column is taken as one column.
int wrapColumn(int x, int pitch) { return x % std::max(pitch, 1); }

} // namespace

void stackFill(Frontier& frontier, const OrientedPair& rasters, Raster& sheet, std::int32_t& remaining,
               std::vector<Placement>& placements, const StackParams& params, NestingMode mode, FitTest fitTest)
{
    SheetRows rows(sheet);
    PairSearch search(rasters, rows);
    stackFill(frontier, search, sheet, remaining, placements, params, mode, fitTest);
}

void stackFill(Frontier& frontier, PairSearch& search, Raster& sheet, std::int32_t& remaining,
               std::vector<Placement>& placements, const StackParams& params, NestingMode mode, FitTest fitTest)
{
    if (remaining < 1) return;
    const OrientedPair& rasters = search.rasters;
    const Raster& a = *rasters.a;
    const Raster& b = *rasters.b;
    auto fitsHere = [&](const Raster& part, const KeyPoints& keys, int x, int y) {
        return fitTest ? fitTest(part, sheet, keys, x, y) : fits(part, sheet, keys, x, y);
    };
    const std::int32_t before = remaining;
    int x = frontier.StackCol, y = frontier.StackRow;
    if (!firstFit(search, sheet, fitTest, x, y)) return;
    frontier.StackCol = x;
    frontier.StackRow = y;
    const bool continuous = mode == NestingMode::ContinuousStack;
    if (continuous)
        while (y >= 1 && fitsHere(a, *rasters.keysA, x, y - 1)) --y;

    // Pitches below one cell would never leave the row or the sheet; they count as one cell.
    const int stepX = std::max(params.StepX, 1);
    const int stepY = std::max(params.StepY, 1);
    const bool paired = params.PairAngle == 180;
    bool partnerRow = false;
    int plainRowY = y;
    int lastX = x, lastY = y;
    while (true) {
        const Raster& part = partnerRow ? b : a;
        const KeyPoints& keys = partnerRow ? *rasters.keysB : *rasters.keysA;
        if (fitsHere(part, keys, x, y)) {
            stamp(part, sheet, x, y);
            search.rows.stamped(y, y + part.H());
            placements.push_back({x, y, partnerRow ? 180.0 : 0.0});
            lastX = x;
            lastY = y;
            if (--remaining == 0) break;
        }
        x += stepX;
        if (x < sheet.W()) continue;
        if (paired && !partnerRow) {
            y += stepY;
            if (y >= sheet.H()) break;
            partnerRow = true;
            x = wrapColumn(x + params.ShiftX, stepX);
        } else if (paired) {
            // A plain row never starts at or below the plain row before it.
            y = std::max(y + params.PairShiftY, plainRowY + 1);
            plainRowY = y;
            x = wrapColumn(x + params.PairShiftX - params.ShiftX, stepX);
            if (y >= sheet.H()) break;
            partnerRow = false;
        } else {
            y += stepY;
            if (y >= sheet.H()) break;
            x = wrapColumn(x + params.ShiftX, stepX);
        }
    }
    if (remaining == before) return;
    if (continuous) {
        frontier.StackCol = lastX;
        frontier.StackRow = lastY;
    } else {
        frontier.StackCol = 0;
        frontier.StackRow = lastY + a.H() + 1;
    }
}

} // namespace dravenor
