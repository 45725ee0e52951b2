// One part type on one sheet: its rasters in four quarter turns, their key points, and the
// phases of the chosen mode (a free scan, or pre-stack scan, stack fill and post-stack scan).
#include <algorithm>
#include <array>

#include "engine/placement_phases.h"
#include "engine/rasterise.h"
#include "job/part_rules.h"

namespace dravenor {

namespace {

// The part's raster a number of quarter turns past the base angle; the outline is turned only
// when the raster is not cached yet.
const Raster& quarterTurnRaster(const Outline& turnedOutline, const PartEntry& part, double baseAngle, int quarters,
                         NestingRun& run)
{
    const double angle = baseAngle + 90.0 * quarters;
    if (quarters == 0 || run.caches.partRasters.count(partRasterKey(angle, part.FileName)))
        return partRaster(turnedOutline, part.FileName, angle, run);
    Outline turned = turnedOutline;
    turnOutline(turned, 90.0 * quarters);
    return partRaster(turned, part.FileName, angle, run);
}

// The profile kept for the raster of the part at this angle.
const PartProfile& partProfile(const Raster& raster, const PartEntry& part, double angle, NestingRun& run)
{
    const std::string name = partRasterKey(angle, part.FileName);
    auto found = run.caches.partProfiles.find(name);
    if (found == run.caches.partProfiles.end()) found = run.caches.partProfiles.emplace(name, PartProfile(raster)).first;
    return found->second;
}

} // namespace

bool quarterTurnRastersCached(const PartEntry& part, double baseAngle, const NestingRun& run)
{
    for (int q = 0; q < 4; ++q)
        if (!run.caches.partRasters.count(partRasterKey(baseAngle + 90.0 * q, part.FileName))) return false;
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
    // The engine's own search reads the rasters' kept profiles; another fit test needs none.
    std::array<const PartProfile*, 4> profiles{};
    if (!run.fitTest)
        for (int q = 0; q < 4; ++q) profiles[q] = &partProfile(*rasters[q], part, params.BaseAngle + 90.0 * q, run);
    const OrientedPair upright{rasters[0], rasters[2], &keys[0], &keys[2], profiles[0], profiles[2]};
    const OrientedPair across{rasters[1], rasters[3], &keys[1], &keys[3], profiles[1], profiles[3]};

    std::vector<Placement> placements;
    const int endCol = frontier.StackCol;
    const int endRow0 = std::max(frontier.StackRow - rasters[0]->H(), 0);
    const int endRow90 = std::max(frontier.StackRow - rasters[1]->H(), 0);
    // Across (90 and 270 degrees past the base angle) only where the rule allows right angles.
    const bool turns = allowsQuarterTurns(part.Orn);
    const ScanWindow wholeSheet{0, 0, sheet.W(), sheet.H()};
    PairSearch uprightSearch(upright, rows), acrossSearch(across, rows);
    auto scan = [&](PairSearch& search, const ScanWindow& window, int advance, int angle) {
        freeScan(search, sheet, placements, part.Remaining, window, advance, part.Orn, angle, run.fitTest);
    };

    if (run.mode == NestingMode::Free) {
        run.status("Free nesting ");
        scan(uprightSearch, wholeSheet, params.StepX, 0);
        if (turns) scan(acrossSearch, wholeSheet, 2, 90);
        return placements;
    }
    run.status("Pre-stack nesting ");
    scan(uprightSearch, {0, 0, endCol, endRow0}, params.StepX, 0);
    if (turns) scan(acrossSearch, {0, 0, endCol, endRow90}, 2, 90);

    run.status(run.mode == NestingMode::Stack ? "Stack nesting " : "Continuous stack nesting ");
    stackFill(frontier, uprightSearch, sheet, part.Remaining, placements, params, run.mode, run.fitTest);

    run.status("Post-stack nesting ");
    scan(uprightSearch, {endCol, endRow0, sheet.W(), sheet.H()}, params.StepX, 0);
    if (turns) scan(acrossSearch, {endCol, endRow90, sheet.W(), sheet.H()}, 2, 90);
    return placements;
}

} // namespace dravenor
