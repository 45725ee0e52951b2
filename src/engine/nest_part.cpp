// One part type on one sheet: its rasters in four quarter turns, their key points, and the
// phases of the chosen mode (a free scan, or pre-stack scan, stack fill and post-stack scan).
#include <algorithm>
#include <array>

#include "engine/placement_phases.h"
#include "engine/rasterise.h"

namespace dravenor {

namespace {

// The part's raster a number of quarter turns past the base angle; the outline is turned only
// when the raster is not cached yet.
const Raster& quarterTurnRaster(const Outline& turnedOutline, const PartEntry& part, double baseAngle, int quarters,
                         NestingRun& run)
{
    const double angle = baseAngle + 90.0 * quarters;
    if (quarters == 0 || run.caches.partRasters.count(partRasterName(angle, part.FileName)))
        return partRaster(turnedOutline, part.FileName, angle, run);
    Outline turned = turnedOutline;
    turnOutline(turned, 90.0 * quarters);
    return partRaster(turned, part.FileName, angle, run);
}

} // namespace

bool quarterTurnRastersCached(const PartEntry& part, double baseAngle, const NestingRun& run)
{
    for (int q = 0; q < 4; ++q)
        if (!run.caches.partRasters.count(partRasterName(baseAngle + 90.0 * q, part.FileName))) return false;
    return true;
}

std::vector<Placement> nestPartOnSheet(const Outline& turnedOutline, Raster& sheet, Frontier& frontier,
                                       PartEntry& part, const StackParams& params, NestingRun& run)
{
    SheetRows rows(sheet);
    return nestPartOnSheet(turnedOutline, sheet, rows, frontier, part, params, run);
}

std::vector<Placement> nestPartOnSheet(const Outline& turnedOutline, Raster& sheet, SheetRows& rows,
                                       Frontier& frontier, PartEntry& part, const StackParams& params,
                                       NestingRun& run)
{
    // 0, 90, 180 and 270 degrees past the base angle, read in place from the run's cache.
    std::array<const Raster*, 4> rasters{};
    for (int q = 0; q < 4; ++q) rasters[q] = &quarterTurnRaster(turnedOutline, part, params.BaseAngle, q, run);
    std::array<KeyPoints, 4> keys;
    for (int q = 0; q < 4; ++q) keys[q] = makeKeyPointsFor(run, *rasters[q], run.random);
    const OrientedPair upright{rasters[0], rasters[2], &keys[0], &keys[2]};
    const OrientedPair across{rasters[1], rasters[3], &keys[1], &keys[3]};

    std::vector<Placement> placements;
    const int endCol = frontier.StackCol;
    const int endRow0 = std::max(frontier.StackRow - rasters[0]->H(), 0);
    const int endRow90 = std::max(frontier.StackRow - rasters[1]->H(), 0);
    const bool turns = part.Orn != "No";
    const ScanWindow wholeSheet{0, 0, sheet.W(), sheet.H()};
    auto scan = [&](const OrientedPair& pair, const ScanWindow& window, int advance, int angle) {
        freeScan(pair, sheet, rows, placements, part.Remaining, window, advance, part.Orn, angle, run.fitTest);
    };

    if (run.mode == NestingMode::Free) {
        run.status("Free nesting ");
        scan(upright, wholeSheet, params.StepX, 0);
        if (turns) scan(across, wholeSheet, 2, 90);
        return placements;
    }
    run.status("Pre-stack nesting ");
    scan(upright, {0, 0, endCol, endRow0}, params.StepX, 0);
    if (turns) scan(across, {0, 0, endCol, endRow90}, 2, 90);

    run.status(run.mode == NestingMode::Stack ? "Stack nesting " : "Continuous stack nesting ");
    stackFill(frontier, upright, sheet, rows, part.Remaining, placements, params, run.mode, run.fitTest);

    run.status("Post-stack nesting ");
    scan(upright, {endCol, endRow0, sheet.W(), sheet.H()}, params.StepX, 0);
    if (turns) scan(across, {endCol, endRow90, sheet.W(), sheet.H()}, 2, 90);
    return placements;
}

} // namespace dravenor
