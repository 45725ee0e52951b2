#include "cutting/layout_shapes.h"

#include <algorithm>
#include <map>

#include "geometry/layout_lists.h"
#include "job/files.h"
#include "layouts/layout_range.h"

namespace dravenor::cutting {

LayoutShapes layoutShapes(const NestingState& state, int layoutNo)
{
    LayoutShapes layout;
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    if (first < 0) {
        layout.error = "there is no layout " + std::to_string(layoutNo);
        return layout;
    }
    std::map<int, PlacedShape> byInstance;
    for (int i = first; i <= last; ++i) {
        const LayoutEntity& e = state.entities[static_cast<size_t>(i)];
        if (e.PartIndex == 0) {
            layout.sheet.push_back(shapeEntityOf(e));
            layout.sheetIndex = e.SheetIndex;
            layout.count = std::max(1, e.Qty);
            continue;
        }
        PlacedShape& p = byInstance[e.Instance];
        p.instance = e.Instance;
        p.partIndex = e.PartIndex;
        if (p.name.empty() && e.PartIndex >= 1 && e.PartIndex <= static_cast<int>(state.parts.size()))
            p.name = fileNameOnly(state.part(e.PartIndex).FileName);
        p.shape.push_back(shapeEntityOf(e));
    }
    for (auto& [instance, part] : byInstance) layout.parts.push_back(std::move(part));
    return layout;
}

} // namespace dravenor::cutting
