#include "layouts/sheet_use.h"

#include <algorithm>
#include <map>

#include "geometry/layout_lists.h"
#include "geometry/primitives.h"

namespace dravenor {

std::optional<SheetUse> leastUsedSheet(const NestingState& layouts)
{
    struct Boxes {
        Extents sheet, parts;
    };
    std::map<std::int32_t, Boxes> boxes;
    for (const LayoutEntity& e : layouts.entities) {
        Boxes& b = boxes[e.LayoutNo];
        const Extents one = shapeExtents(Shape{shapeEntityOf(e)});
        Extents& into = e.Instance <= 0 ? b.sheet : b.parts;
        into = {std::min(into.xmin, one.xmin), std::min(into.ymin, one.ymin), std::max(into.xmax, one.xmax),
                std::max(into.ymax, one.ymax)};
    }
    std::optional<SheetUse> least;
    for (const auto& [layoutNo, b] : boxes) {
        if (b.sheet.empty()) continue;
        const bool alongX = b.sheet.width() >= b.sheet.height();
        SheetUse use{layoutNo, 0, alongX ? b.sheet.width() : b.sheet.height(), alongX ? b.sheet.height() : b.sheet.width()};
        use.used = b.parts.empty() ? 0 : (alongX ? b.parts.xmax - b.sheet.xmin : b.parts.ymax - b.sheet.ymin);
        if (!least || use.share() < least->share()) least = use;
    }
    return least;
}

double leastUsedShare(const NestingState& layouts)
{
    const std::optional<SheetUse> least = leastUsedSheet(layouts);
    return least ? least->share() : 1;
}

} // namespace dravenor
