#include "engine/rasterise.h"

#include "engine/raster_fill.h"
#include "engine/segment_cells.h"

namespace dravenor {

std::vector<Cell> digitiseSegment(const Segment& segment)
{
    std::vector<Cell> cells;
    forEachSegmentCell(segment, [&cells](int x, int y) { cells.emplace_back(x, y); });
    return cells;
}

Raster rasteriseOutline(Outline outline, NestingRun& run)
{
    // Counted as rasterisation wherever it happens (sheet, part, area or analysis).
    ScopedPhase phase(run.timings, RunPhase::Rasterise);
    normaliseOutline(outline);
    const Extents box = outlineBox(outline);
    Raster raster = box.empty() ? Raster(0, 0) : Raster::forBox(box.width(), box.height());
    setOutlineCells(outline, raster);
    if (const std::optional<Cell> seed = findSeed(raster, run.random)) {
        floodFill(raster, seed->first, seed->second);
    } else {
        // Nothing inside the outline is free: the part counts as its whole box.
        raster.fillBox();
        raster.setTooSmall(true);
        run.warnTooSmall();
    }
    return raster;
}

const Outline& loadOutline(const std::string& shapeFile, NestingRun& run)
{
    const std::string name = cacheName(shapeFile, "d");
    auto found = run.caches.outlines.find(name);
    if (found == run.caches.outlines.end())
        found = run.caches.outlines.emplace(name, makeOutline(shapeFile, run.scale)).first;
    return found->second;
}

const Raster& partRaster(const Outline& outline, const std::string& partFile, double angleDegrees, NestingRun& run)
{
    const std::string name = partRasterName(angleDegrees, partFile);
    if (const auto cached = run.caches.partRasters.find(name); cached != run.caches.partRasters.end())
        return cached->second;
    return run.caches.partRasters.emplace(name, rasteriseOutline(outline, run)).first->second;
}

} // namespace dravenor
