#include "engine/part_analysis.h"

#include "engine/rasterise.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

// The values as they read back from the analysis cache, which keeps angles to 15 significant
// digits.
StackParams asCached(StackParams params)
{
    params.BaseAngle = leadingNumber(formatGeneral(params.BaseAngle));
    params.PairAngle = leadingNumber(formatGeneral(params.PairAngle));
    return params;
}

} // namespace

StackParams analysePart(const PartEntry& part, NestingRun& run)
{
    const std::string name = cacheName(part.FileName, "STK");
    if (const auto cached = run.caches.analyses.find(name); cached != run.caches.analyses.end()) return cached->second;

    const Outline& outline = loadOutline(part.FileName, run);
    StackParams params;
    if (part.Orn == "step90" || part.Orn == "No") {
        params = simpleAnalysis(outline);
        latticeSearch(outline, part, params, run);
    } else if (run.mode == NestingMode::Free) {
        params = simpleAnalysis(outline);
    } else {
        autoAnalysis(outline, part, params, run);
        latticeSearch(outline, part, params, run);
    }
    run.caches.analyses.emplace(name, asCached(params));
    return params;
}

StackParams simpleAnalysis(const Outline& outline)
{
    Extents box = outlineBox(outline);
    if (box.empty()) box = Extents{0, 0, 0, 0};
    StackParams params;
    params.StepX = toWhole(box.xmax - box.xmin + 1);
    params.StepH = toWhole(box.ymax - box.ymin + 1);
    params.StepY = params.StepH;
    return params;
}

void trimForPitch(Raster& part, const Raster& strip, const std::string& partFile, double angleDegrees, int stepX,
                  NestingRun& run)
{
    if (part.tooSmall()) return;
    const int words = part.W() >= 0 ? part.W() / 64 + 1 : 0;
    for (int j = 0; j <= part.H(); ++j)
        for (int k = 0; k < words; ++k) {
            // Strip cells (i + stepX, j) for the 64 part cells i of this word.
            const std::uint64_t beside = strip.cellsFrom(k * 64 + stepX, j);
            part.row(j)[k] &= ~(beside & part.boxMask(k));
        }
    const std::string name = partRasterName(angleDegrees, partFile);
    run.caches.partRasters[name] = part;
    run.caches.partProfiles.erase(name);
}

} // namespace dravenor
