#include "layouts/layout_hover.h"

#include "job/files.h"
#include "job/number_format.h"
#include "layouts/layout_range.h"
#include "layouts/layout_view.h"

namespace dravenor {

namespace {

bool withinBox(const OutlineBox& box, double x, double y, double margin)
{
    return x >= box.xmin - margin && x <= box.xmax + margin && y >= box.ymin - margin && y <= box.ymax + margin;
}

} // namespace

LayoutPartFinder::LayoutPartFinder(const NestingState& state, int layoutNo)
{
    const auto [firstEntity, lastEntity] = findEntityRange(state.entities, layoutNo);
    const auto [firstItem, lastItem] = findItemRange(state.items, layoutNo);
    if (firstEntity < 0 || firstItem < 0) return;
    const std::vector<Shape> shapes = layoutInstanceShapes(state.entities, firstEntity, lastEntity);
    // The item range ends with the sheet row; the rows before it are instances 1, 2, ...
    for (int row = firstItem; row < lastItem; ++row) {
        const size_t instance = static_cast<size_t>(row - firstItem + 1);
        if (instance >= shapes.size() || shapes[instance].empty()) continue;
        Part part;
        part.itemRow = row;
        part.outline = placedOutline(shapes[instance], 0);
        const OutlineBox& box = part.outline.box;
        part.boxArea = (box.xmax - box.xmin) * (box.ymax - box.ymin);
        parts_.push_back(std::move(part));
    }
}

int LayoutPartFinder::partAt(double x, double y, double tolerance) const
{
    const Part* inside = nullptr;
    const Part* near = nullptr;
    double nearest = tolerance;
    for (const Part& part : parts_) {
        if (!withinBox(part.outline.box, x, y, tolerance)) continue;
        if (insideOutline(x, y, part.outline)) {
            if (!inside || part.boxArea < inside->boxArea) inside = &part;
            continue;
        }
        const double gap = distanceToOutline(x, y, part.outline);
        if (gap <= nearest) {
            nearest = gap;
            near = &part;
        }
    }
    if (inside) return inside->itemRow;
    return near ? near->itemRow : -1;
}

std::string hoveredPartText(const LayoutItem& item)
{
    std::string text = fileNameOnly(item.Name) + " at X=" + formatMask(item.X, "0.00") + ", Y=" +
                       formatMask(item.Y, "0.00");
    if (item.Angle != 0) text += ", turned " + formatGeneral(item.Angle);
    return text;
}

} // namespace dravenor
