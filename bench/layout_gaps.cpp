#include "layout_gaps.h"

#include <map>
#include <optional>

#include "layouts/placed_distance.h"

namespace dravenor::bench {

LayoutGaps smallestGaps(const NestingState& state)
{
    std::map<int, std::map<int, Shape>> layouts;  // layout, instance -> shape
    for (const LayoutEntity& e : state.entities)
        layouts[e.LayoutNo][e.Instance].push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
    LayoutGaps least;
    for (const auto& [layoutNo, instances] : layouts) {
        std::vector<MeasuredShape> parts;
        std::optional<MeasuredShape> sheet;
        for (const auto& [instance, shape] : instances) {
            if (instance == 0) sheet = measuredShape(shape);
            else parts.push_back(measuredShape(shape));
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (sheet) least.toSheet = leastDistanceBelow(parts[i], *sheet, least.toSheet);
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                least.betweenParts = leastDistanceBelow(parts[i], parts[j], least.betweenParts);
        }
    }
    return least;
}

} // namespace dravenor::bench
