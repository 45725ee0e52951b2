#include "engine/layout_results.h"

#include <map>
#include <utility>

#include "geometry/primitives.h"

namespace dravenor {

namespace {

ShapeEntity shapeEntityOf(const LayoutEntity& e)
{
    return {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
}

void copyGeometry(const ShapeEntity& from, LayoutEntity& to)
{
    to.X1 = from.X1;
    to.Y1 = from.Y1;
    to.X2 = from.X2;
    to.Y2 = from.Y2;
    to.CX = from.CX;
    to.CY = from.CY;
    to.RAD = from.RAD;
    to.Nstart = from.Nstart;
    to.Nend = from.Nend;
}

// The entities of one instance of one layout (instance 0: the sheet) as a shape, and the
// first of them, which carries the instance's tags.
struct InstanceEntities {
    const LayoutEntity* first = nullptr;
    Shape shape;
};
using InstanceKey = std::pair<std::int32_t, std::int32_t>; // (LayoutNo, Instance)

std::map<InstanceKey, InstanceEntities> groupByInstance(const std::vector<LayoutEntity>& entities)
{
    std::map<InstanceKey, InstanceEntities> groups;
    for (const LayoutEntity& e : entities) {
        InstanceEntities& group = groups[{e.LayoutNo, e.Instance}];
        if (!group.first) group.first = &e;
        group.shape.push_back(shapeEntityOf(e));
    }
    return groups;
}

template <class Entries>
std::string fileNameAt(const Entries& entries, std::int32_t index)
{
    if (index < 1 || static_cast<size_t>(index) > entries.size()) return {};
    return entries[static_cast<size_t>(index - 1)].FileName;
}

} // namespace

void appendShape(std::vector<LayoutEntity>& entities, const Shape& shape, std::int32_t layoutNo,
                 std::int32_t sheetIndex, std::int32_t partIndex, std::int32_t instance, double angle,
                 std::int32_t qty)
{
    // No reserve here: an exact reserve per shape would copy the whole list on every append.
    for (const ShapeEntity& s : shape) {
        LayoutEntity e;
        copyGeometry(s, e);
        e.SheetIndex = sheetIndex;
        e.PartIndex = partIndex;
        e.LayoutNo = layoutNo;
        e.Instance = instance;
        e.Angle = angle;
        e.Qty = qty;
        entities.push_back(e);
    }
}

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

void normaliseArcs(std::vector<LayoutEntity>& entities)
{
    for (LayoutEntity& e : entities) {
        if (e.RAD == 0) continue;
        if (e.Nend == 360) e.Nend = 0;
        while (e.Nstart < 0) e.Nstart += 360;
        while (e.Nend < 0) e.Nend += 360;
    }
}

std::vector<LayoutItem> buildItemList(const NestingState& state)
{
    std::vector<LayoutItem> items;
    if (state.entities.empty()) return items;
    const std::map<InstanceKey, InstanceEntities> groups = groupByInstance(state.entities);
    const std::int32_t lastLayout = state.entities.back().LayoutNo;
    for (std::int32_t layoutNo = 1; layoutNo <= lastLayout; ++layoutNo) {
        // Instances 1, 2, ... of the layout in number order; a number the list skips gives no row.
        for (auto it = groups.upper_bound({layoutNo, 0}); it != groups.end() && it->first.first == layoutNo; ++it) {
            const LayoutEntity& first = *it->second.first;
            const Extents box = shapeExtents(it->second.shape);
            LayoutItem row;
            row.Name = fileNameAt(state.parts, first.PartIndex);
            row.X = box.xmin;
            row.Y = box.ymin;
            row.Angle = first.Angle;
            row.SheetIndex = first.SheetIndex;
            row.PartIndex = first.PartIndex;
            row.LayoutNo = layoutNo;
            row.Qty = first.Qty;
            items.push_back(row);
        }
        const auto sheet = groups.find({layoutNo, 0});
        if (sheet == groups.end()) continue;
        LayoutItem row;
        row.Name = fileNameAt(state.sheets, sheet->second.first->SheetIndex);
        row.SheetIndex = sheet->second.first->SheetIndex;
        row.LayoutNo = layoutNo;
        row.Qty = sheet->second.first->Qty;
        items.push_back(row);
    }
    return items;
}

} // namespace dravenor
