#include "deep/overlap_measure.h"

#include <numbers>

namespace dravenor::deep {

namespace {

// Below this share of the larger diameter a penetration counts as shallow, and fades smoothly
// rather than dropping to zero, so that barely colliding regions still weigh something.
constexpr double kShallowShare = 0.01;
constexpr std::size_t kMostPoles = 32;

} // namespace

double overlapLoss(const Region& a, Point da, const Region& b, Point db, double bound)
{
    const double epsilon = std::max(a.diameter, b.diameter) * kShallowShare;
    const double size = std::sqrt(std::sqrt(a.hullArea) * std::sqrt(b.hullArea));
    // The depth beyond which the loss exceeds the bound: no need to sum further.
    const double enough = bound < kInfinity ? ((bound / size) * (bound / size) - epsilon * epsilon) / std::numbers::pi : kInfinity;
    const double ox = da.x - db.x, oy = da.y - db.y;
    const double* qx = b.poles.x();
    const double* qy = b.poles.y();
    const double* qr = b.poles.r();
    const std::size_t nb = b.poles.size();
    const double e2 = epsilon * epsilon;
    double depth = 0;
    for (std::size_t i = 0; i < a.poles.size(); ++i) {
        const double px = a.poles.x()[i] + ox, py = a.poles.y()[i] + oy, pr = a.poles.r()[i];
        // One row of pairs, each term apart (so that the compiler runs them on whole vectors), then
        // summed in order.
        double terms[kMostPoles];
        for (std::size_t j0 = 0; j0 < nb; j0 += kMostPoles) {
            const std::size_t n = std::min(nb - j0, kMostPoles);
            for (std::size_t j = 0; j < n; ++j) {
                const double dx = px - qx[j0 + j], dy = py - qy[j0 + j];
                const double pd = pr + qr[j0 + j] - std::sqrt(dx * dx + dy * dy);
                const double faded = pd >= epsilon ? pd : e2 / (2 * epsilon - pd);
                terms[j] = faded * (pr < qr[j0 + j] ? pr : qr[j0 + j]);
            }
            for (std::size_t j = 0; j < n; ++j) depth += terms[j];
        }
        if (depth > enough) return kInfinity;
    }
    const double proxy = std::numbers::pi * depth + epsilon * epsilon;
    return std::sqrt(proxy) * size;
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
