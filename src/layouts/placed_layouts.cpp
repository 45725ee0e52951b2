#include "layouts/placed_layouts.h"

#include "job/files.h"

namespace dravenor {

std::map<std::int32_t, PlacedLayoutShapes> placedLayoutShapes(const NestingState& state)
{
    std::map<std::int32_t, PlacedLayoutShapes> layouts;
    for (const LayoutEntity& e : state.entities) {
        PlacedLayoutShapes& layout = layouts[e.LayoutNo];
        const ShapeEntity entity{e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
        if (e.Instance <= 0) {
            layout.sheet.push_back(entity);
            continue;
        }
        const size_t index = static_cast<size_t>(e.Instance - 1);
        if (layout.parts.size() <= index) {
            layout.parts.resize(index + 1);
            layout.names.resize(index + 1);
        }
        layout.parts[index].push_back(entity);
        if (e.PartIndex >= 1 && static_cast<size_t>(e.PartIndex) <= state.parts.size())
            layout.names[index] = state.part(e.PartIndex).FileName;
    }
    return layouts;
}

std::string placedPartLabel(int number, const std::vector<std::string>& names)
{
    std::string label = std::to_string(number + 1);
    const size_t index = static_cast<size_t>(number - 1);
    if (index < names.size() && !names[index].empty()) label += " (" + fileNameOnly(names[index]) + ")";
    return label;
}

} // namespace dravenor
