#include "geometry/layout_lists.h"

#include <map>
#include <string>
#include <utility>

#include "geometry/primitives.h"

namespace dravenor {

namespace {

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

void appendShape(std::vector<LayoutEntity>& entities, const Shape& shape, std::int32_t layoutNo,
                 std::int32_t sheetIndex, std::int32_t partIndex, std::int32_t instance, double angle,
                 std::int32_t qty, bool mirrored)
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
        e.Mirror = mirrored;
        entities.push_back(e);
    }
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
            row.Mirror = first.Mirror;
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
