#include "layouts/placed_distance.h"

#include <algorithm>
#include <cmath>

#include "geometry/entity_distance.h"

namespace dravenor {

namespace {

// Indices of the shape's entities whose boxes come within the limit of the box.
std::vector<size_t> entitiesNear(const MeasuredShape& shape, const Extents& box, double limit)
{
    std::vector<size_t> near;
    for (size_t k = 0; k < shape.entityBoxes.size(); ++k)
        if (boxGap(shape.entityBoxes[k], box) < limit) near.push_back(k);
    return near;
}

} // namespace

MeasuredShape measuredShape(const Shape& shape)
{
    MeasuredShape measured;
    measured.shape = &shape;
    measured.entityBoxes.reserve(shape.size());
    for (const ShapeEntity& e : shape) {
        const Extents box = entityExtents(e);
        measured.entityBoxes.push_back(box);
        measured.box.xmin = std::min(measured.box.xmin, box.xmin);
        measured.box.ymin = std::min(measured.box.ymin, box.ymin);
        measured.box.xmax = std::max(measured.box.xmax, box.xmax);
        measured.box.ymax = std::max(measured.box.ymax, box.ymax);
    }
    return measured;
}

double boxGap(const Extents& a, const Extents& b)
{
    const double dx = std::max({0.0, a.xmin - b.xmax, b.xmin - a.xmax});
    const double dy = std::max({0.0, a.ymin - b.ymax, b.ymin - a.ymax});
    return std::hypot(dx, dy);
}

double leastDistanceBelow(const MeasuredShape& a, const MeasuredShape& b, double limit)
{
    if (a.box.empty() || b.box.empty() || boxGap(a.box, b.box) >= limit) return limit;
    const std::vector<size_t> nearA = entitiesNear(a, b.box, limit);
    const std::vector<size_t> nearB = entitiesNear(b, a.box, limit);
    double best = limit;
    for (size_t i : nearA)
        for (size_t j : nearB) {
            if (boxGap(a.entityBoxes[i], b.entityBoxes[j]) >= best) continue;
            best = std::min(best, entityDistance((*a.shape)[i], (*b.shape)[j]));
            if (best == 0) return 0;
        }
    return best;
}

} // namespace dravenor
