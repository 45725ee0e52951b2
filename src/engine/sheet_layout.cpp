#include "engine/sheet_layout.h"

#include <vector>

#include "engine/kerf_growth.h"
#include "engine/layout_results.h"
#include "engine/part_analysis.h"
#include "engine/placement.h"
#include "engine/rasterise.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"

namespace dravenor {

namespace {

// The part's shape, already turned, moved onto its placement, as the layout holds it; its box
// starts `shift` cells past the placement's cell (see partShiftCells).
Shape placedShape(const Shape& turnedShape, const Placement& at, double scale, int shift)
{
    Shape placed = turnedShape;
    moveShape(placed, static_cast<float>(at.x + shift) / scale, static_cast<float>(at.y + shift) / scale);
    return placed;
}

} // namespace

const Shape& ShapeStore::shape(const std::string& file)
{
    auto it = shapes_.find(file);
    if (it == shapes_.end()) {
        Shape loaded;
        loadShape(file, loaded, unit_);
        it = shapes_.emplace(file, std::move(loaded)).first;
    }
    return it->second;
}

const Shape& ShapeStore::turned(const std::string& file, double angleDegrees)
{
    const auto key = std::make_pair(file, angleDegrees);
    auto it = turned_.find(key);
    if (it == turned_.end()) {
        Shape shape = this->shape(file);
        rotateShape(shape, angleDegrees);
        const Extents box = outlineBox(shapeToSegments(shape));
        if (!box.empty()) moveShape(shape, -box.xmin, -box.ymin);
        it = turned_.emplace(key, std::move(shape)).first;
    }
    return it->second;
}

std::int32_t chooseSheet(const NestingState& state, UniformRandom& random)
{
    const auto count = static_cast<std::int32_t>(state.sheets.size());
    std::int32_t first = 1;
    while (first <= count && state.sheet(first).Remaining <= 0) ++first;
    if (first > count) return 0;
    std::int32_t runLength = 1;
    while (first + runLength <= count && state.sheet(first + runLength).Pri == state.sheet(first).Pri &&
           state.sheet(first + runLength).Remaining >= 1)
        ++runLength;
    return first + static_cast<std::int32_t>(random.next() * runLength);
}

bool layOutSheet(NestingRun& run, std::int32_t sheetIndex, std::int32_t layoutNo, TrialAreas& areas,
                 ShapeStore& shapes)
{
    NestingState& state = run.state;
    SheetEntry& sheet = state.sheet(sheetIndex);
    run.status("Strategizing for sheet " + fileNameOnly(sheet.FileName) + "...");

    PreparedSheet prepared;
    {
        ScopedPhase phase(run.timings, RunPhase::Rasterise);
        prepared = prepareSheet(loadOutline(sheet.FileName, run), run);
    }
    const Shape& sheetShape = shapes.turned(sheet.FileName, prepared.angle);

    Frontier frontier;
    SheetRows rows(prepared.raster);
    std::vector<std::int32_t> counts(state.parts.size(), 0);
    std::int32_t instance = 0;
    bool placedAny = false;
    for (std::int32_t partIndex = 1; partIndex <= static_cast<std::int32_t>(state.parts.size()); ++partIndex) {
        PartEntry& part = state.part(partIndex);
        if (part.Remaining <= 0) continue;
        run.status("Analyzing part " + fileNameOnly(part.FileName) + "...");
        StackParams params;
        {
            ScopedPhase phase(run.timings, RunPhase::Analyse);
            params = analysePart(part, prepared.angle, run);
        }
        std::vector<Placement> placements;
        {
            ScopedPhase phase(run.timings, RunPhase::Place);
            // Turned only while some raster of the part is still to be made.
            Outline outline;
            if (!quarterTurnRastersCached(part, params.BaseAngle, run)) {
                outline = loadOutline(part.FileName, run);
                turnOutline(outline, params.BaseAngle);
            }
            placements = nestPartOnSheet(outline, prepared.raster, rows, frontier, part, params, run);
        }
        if (!placements.empty()) placedAny = true;
        for (const Placement& at : placements) {
            const double angle = params.BaseAngle + at.angle;
            const Shape& partShape = shapes.turned(part.FileName, angle);
            ++instance;
            ++counts[static_cast<size_t>(partIndex - 1)];
            areas.partArea += part.Area;
            appendShape(state.entities, placedShape(partShape, at, run.scale, partShiftCells(run.partGrowth)), layoutNo, sheetIndex, partIndex,
                        instance, angle);
        }
    }

    if (!placedAny) {
        sheet.Remaining = -sheet.Remaining;
        return false;
    }
    sheet.Remaining -= 1;
    areas.sheetArea += sheet.Area;
    appendShape(state.entities, sheetShape, layoutNo, sheetIndex, 0, 0, prepared.angle);
    rotateLastLayout(state.entities, -prepared.angle);
    repeatLayout(state, counts, layoutNo, sheetIndex, areas.sheetArea, areas.partArea, run.progress);
    return true;
}

} // namespace dravenor
