#include "engine/part_analysis.h"

#include <algorithm>

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

StackParams analysePart(const PartEntry& part, double sheetAngle, NestingRun& run)
{
    const std::string key = analysisKey(part, sheetAngle);
    if (const auto cached = run.caches.analyses.find(key); cached != run.caches.analyses.end()) return cached->second;

    const Outline& outline = loadOutline(part.FileName, run);
    StackParams params;
    if (turnsWithSheet(part)) {
        // Turned as the sheet is turned for nesting, so that the part ends as drawn (or by
        // right angles from there) on the sheet as the user sees it.
        Outline asOnSheet = outline;
        turnOutline(asOnSheet, sheetAngle);
        params = simpleAnalysis(asOnSheet);
        params.BaseAngle = sheetAngle;
        latticeSearch(outline, part, params, run);
    } else if (run.mode == NestingMode::Free) {
        params = simpleAnalysis(outline);
    } else {
        autoAnalysis(outline, part, params, run);
        latticeSearch(outline, part, params, run);
    }
    run.caches.analyses.emplace(key, asCached(params));
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

int clearPitch(const Raster& part, int stepX)
{
    const int words = part.W() >= 0 ? part.W() / 64 + 1 : 0;
    auto collides = [&part, words](int pitch) {
        for (int j = 0; j <= part.H(); ++j)
            for (int k = 0; k < words; ++k) {
                // Cells i of this word against cells i - pitch of the copy to their left.
                const std::uint64_t left = part.cellsFrom(k * 64 - pitch, j) & part.boxMask(k);
                if (part.row(j)[k] & part.boxMask(k) & left) return true;
            }
        return false;
    };
    stepX = std::max(stepX, 1);
    while (stepX <= part.W() && collides(stepX)) ++stepX;
    return stepX;
}

} // namespace dravenor
