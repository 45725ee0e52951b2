#include "engine/nesting_checks.h"
#include "engine/rasterise.h"

#include <algorithm>

#include "engine/kerf_growth.h"
#include "engine/raster_fill.h"
#include "engine/segment_cells.h"

namespace dravenor {

std::vector<Cell> digitiseSegment(const Segment& segment)
{
    std::vector<Cell> cells;
    forEachSegmentCellRun(segment, [&cells](int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x) cells.emplace_back(x, y);
    });
    return cells;
}

Raster rasteriseOutline(Outline outline, NestingRun& run)
{
    // Counted as rasterisation wherever it happens (sheet, part, area or analysis).
    ScopedPhase phase(run.timings, RunPhase::Rasterise);
    normaliseOutline(outline);
    const Extents box = outlineBox(outline);
    // Arcs may bulge past the chords' box by their sag; the raster holds that too.
    double sag = 0;
    for (const Segment& s : outline) sag = std::max(sag, s.sag);
    Raster raster = box.empty() ? Raster(0, 0) : Raster::forBox(box.width() + sag, box.height() + sag);
    setOutlineCells(outline, raster);
    if (fillInside(raster, outline) == 0) {
        // Nothing inside the outline is free: the part counts as its whole box.
        raster.fillBox();
        raster.setTooSmall(true);
        run.warnTooSmall();
    }
    return raster;
}

Raster rasterisePart(const Outline& outline, NestingRun& run)
{
    if (run.partGrowth <= 0) return rasteriseOutline(outline, run);
    ScopedPhase phase(run.timings, RunPhase::Rasterise);
    bool tooSmall = false;
    Raster raster = grownPartRaster(outline, run.partGrowth, tooSmall);
    if (tooSmall) {
        raster.setTooSmall(true);
        run.warnTooSmall();
    }
    return raster;
}

const Outline& loadOutline(const std::string& shapeFile, NestingRun& run)
{
    auto found = run.caches.outlines.find(shapeFile);
    if (found == run.caches.outlines.end())
        found = run.caches.outlines
                    .emplace(shapeFile, makeOutline(shapeFile, run.scale, run.state.drawingUnit,
                                                    closingTolerance(run.state.details)))
                    .first;
    return found->second;
}

const Raster& partRaster(const Outline& outline, const std::string& partFile, double angleDegrees, NestingRun& run)
{
    const std::string name = partRasterKey(angleDegrees, partFile);
    if (const auto cached = run.caches.partRasters.find(name); cached != run.caches.partRasters.end())
        return cached->second;
    Raster raster = rasterisePart(outline, run);
    // Without parts in holes a part's holes are occupied: nothing is laid in them, and the part
    // is never laid around another.
    if (!run.state.partsInHoles) fillEnclosed(raster);
    return run.caches.partRasters.emplace(name, std::move(raster)).first->second;
}

} // namespace dravenor
