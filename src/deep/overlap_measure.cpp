#include "deep/overlap_measure.h"

#include <numbers>

namespace dravenor::deep {

namespace {

// Below this share of the larger diameter a penetration counts as shallow, and fades smoothly
// rather than dropping to zero, so that barely colliding regions still weigh something.
constexpr double kShallowShare = 0.01;

} // namespace

double overlapLoss(const Region& a, Point da, const Region& b, Point db)
{
    const double epsilon = std::max(a.diameter, b.diameter) * kShallowShare;
    const double ox = da.x - db.x, oy = da.y - db.y;
    double depth = 0;
    for (const Circle& p : a.poles)
        for (const Circle& q : b.poles) {
            const double pd = p.r + q.r - std::hypot(p.c.x + ox - q.c.x, p.c.y + oy - q.c.y);
            const double faded = pd >= epsilon ? pd : epsilon * epsilon / (2 * epsilon - pd);
            depth += faded * std::min(p.r, q.r);
        }
    const double proxy = std::numbers::pi * depth + epsilon * epsilon;
    return std::sqrt(proxy) * std::sqrt(std::sqrt(a.hullArea) * std::sqrt(b.hullArea));
}

double exteriorLoss(const Box& box, const Box& container, double hullArea)
{
    if (box.within(container)) return 0;
    const Box inside = box.intersection(container);
    const double outside = inside.empty()
                               ? box.area() + std::hypot((box.x0 + box.x1 - container.x0 - container.x1) / 2,
                                                         (box.y0 + box.y1 - container.y0 - container.y1) / 2)
                               : box.area() - inside.area() + 1e-4 * box.area();
    return 2 * std::sqrt(std::max(outside, 0.0)) * std::sqrt(hullArea);
}

} // namespace dravenor::deep
