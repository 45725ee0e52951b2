#include "layout_gaps.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "geometry/entity_distance.h"
#include "geometry/shape.h"

namespace dravenor::bench {

namespace {

struct Placed {
    Shape shape;
    Extents box;
};

double boxGap(const Extents& a, const Extents& b)
{
    const double dx = std::max({0.0, b.xmin - a.xmax, a.xmin - b.xmax});
    const double dy = std::max({0.0, b.ymin - a.ymax, a.ymin - b.ymax});
    return std::hypot(dx, dy);
}

// Least distance between the outlines, skipping entity pairs whose boxes lie farther apart.
double outlineDistance(const Placed& a, const Placed& b, double known)
{
    double least = known;
    for (const ShapeEntity& x : a.shape) {
        const Extents bx = entityExtents(x);
        for (const ShapeEntity& y : b.shape)
            if (boxGap(bx, entityExtents(y)) < least) least = std::min(least, entityDistance(x, y));
    }
    return least;
}

Placed placed(Shape shape)
{
    Placed p{std::move(shape), {}};
    for (const ShapeEntity& e : p.shape) {
        const Extents b = entityExtents(e);
        p.box.xmin = std::min(p.box.xmin, b.xmin);
        p.box.ymin = std::min(p.box.ymin, b.ymin);
        p.box.xmax = std::max(p.box.xmax, b.xmax);
        p.box.ymax = std::max(p.box.ymax, b.ymax);
    }
    return p;
}

} // namespace

LayoutGaps smallestGaps(const NestingState& state)
{
    std::map<int, std::map<int, Shape>> layouts;  // layout, instance -> shape
    for (const LayoutEntity& e : state.entities)
        layouts[e.LayoutNo][e.Instance].push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
    LayoutGaps least;
    for (auto& [layoutNo, instances] : layouts) {
        std::vector<Placed> parts;
        std::optional<Placed> sheet;
        for (auto& [instance, shape] : instances) {
            if (instance == 0) sheet = placed(std::move(shape));
            else parts.push_back(placed(std::move(shape)));
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (sheet) least.toSheet = outlineDistance(parts[i], *sheet, least.toSheet);
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                if (boxGap(parts[i].box, parts[j].box) < least.betweenParts)
                    least.betweenParts = outlineDistance(parts[i], parts[j], least.betweenParts);
        }
    }
    return least;
}

} // namespace dravenor::bench
