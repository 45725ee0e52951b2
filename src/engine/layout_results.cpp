#include "engine/layout_results.h"

#include "geometry/primitives.h"

namespace dravenor {

void rotateLastLayout(std::vector<LayoutEntity>& entities, double angleDegrees)
{
    if (entities.empty()) return;
    const std::int32_t layoutNo = entities.back().LayoutNo;
    Shape layout;
    for (const LayoutEntity& e : entities)
        if (e.LayoutNo == layoutNo) layout.push_back(shapeEntityOf(e));
    rotateShape(layout, angleDegrees);
    normaliseShape(layout);
    size_t next = 0;
    for (LayoutEntity& e : entities) {
        if (e.LayoutNo != layoutNo) continue;
        copyGeometry(layout[next++], e);
        // A part's angle says how it lies on the sheet as cut, so that the layout can be built
        // again from its items (a saved job, the layout editor); the sheet keeps its own.
        if (e.PartIndex != 0) e.Angle = normaliseAngle(e.Angle + angleDegrees);
    }
}

std::int32_t repeatLayout(NestingState& state, const std::vector<std::int32_t>& counts, std::int32_t layoutNo,
                          std::int32_t sheetIndex, double& sheetArea, double& partArea,
                          NestingProgress& progress)
{
    SheetEntry& sheet = state.sheet(sheetIndex);
    auto demandAllows = [&] {
        for (size_t i = 0; i < state.parts.size() && i < counts.size(); ++i)
            if (state.parts[i].Remaining < counts[i]) return false;
        return true;
    };
    std::int32_t copies = 1;
    while (sheet.Remaining > 0 && demandAllows()) {
        progress.layoutNumber(layoutNo);
        sheet.Remaining -= 1;
        sheetArea += sheet.Area;
        for (size_t i = 0; i < state.parts.size() && i < counts.size(); ++i) {
            state.parts[i].Remaining -= counts[i];
            partArea += static_cast<double>(state.parts[i].Area) * counts[i];
        }
        ++copies;
    }
    for (LayoutEntity& e : state.entities)
        if (e.LayoutNo == layoutNo) e.Qty = copies;
    return copies;
}

} // namespace dravenor
