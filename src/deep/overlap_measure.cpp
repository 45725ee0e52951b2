#include "deep/overlap_measure.h"

#include <numbers>

namespace dravenor::deep {

namespace {

// Below this share of the larger diameter a penetration counts as shallow, and fades smoothly
// rather than dropping to zero, so that barely colliding regions still weigh something.
constexpr double kShallowShare = 0.01;

// Where the compiler can, the depth is built twice, for wide vectors and for any processor; the
// loader picks the one the processor runs.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define DRAVENOR_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define DRAVENOR_WIDE_VECTORS
#endif

// How deep the poles of a (moved by o relative to b) reach into those of b, each pair's depth
// weighted by its smaller radius; infinity once past `enough`. Each row of pairs runs in lanes
// (so that the compiler keeps whole vectors); the lanes are summed, and the sum compared with
// `enough`, once every few rows, since summing across lanes costs as much as a short row.
DRAVENOR_WIDE_VECTORS
double poleDepth(const Poles& a, double ox, double oy, const Poles& b, double epsilon, double enough)
{
    constexpr std::size_t kLanes = Poles::kLanes;
    const float* qx = b.fx();
    const float* qy = b.fy();
    const float* qr = b.fr();
    const std::size_t nb = b.paddedSize();
    const float eps = static_cast<float>(epsilon), twoEps = 2 * eps, e2 = eps * eps;
    constexpr std::size_t kRowsSummed = 4;
    double depth = 0;
    float lanes[kLanes] = {};
    for (std::size_t i = 0; i < a.size(); ++i) {
        // a's pole in b's frame: the offset is added in double, as parts lie far from the origin.
        const float px = static_cast<float>(a.x()[i] + ox), py = static_cast<float>(a.y()[i] + oy);
        const float pr = static_cast<float>(a.r()[i]);
        for (std::size_t j0 = 0; j0 < nb; j0 += kLanes)
            for (std::size_t k = 0; k < kLanes; ++k) {
                const std::size_t j = j0 + k;
                const float dx = px - qx[j], dy = py - qy[j];
                const float pd = pr + qr[j] - std::sqrt(dx * dx + dy * dy);
                // Both branches are worked out, so that the choice is a blend of lanes.
                const float shallow = e2 / (twoEps - pd);
                const float faded = pd >= eps ? pd : shallow;
                lanes[k] += faded * (pr < qr[j] ? pr : qr[j]);
            }
        if (i % kRowsSummed != kRowsSummed - 1 && i + 1 != a.size()) continue;
        float rows = 0;
        for (float& v : lanes) {
            rows += v;
            v = 0;
        }
        depth += rows;
        if (depth > enough) return kInfinity;
    }
    return depth;
}

} // namespace

double overlapLoss(const Region& a, Point da, const Region& b, Point db, double bound)
{
    const double epsilon = std::max(a.diameter, b.diameter) * kShallowShare;
    const double size = std::sqrt(std::sqrt(a.hullArea) * std::sqrt(b.hullArea));
    // The depth beyond which the loss exceeds the bound: no need to sum further.
    const double enough = bound < kInfinity ? ((bound / size) * (bound / size) - epsilon * epsilon) / std::numbers::pi : kInfinity;
    const double depth = poleDepth(a.poles, da.x - db.x, da.y - db.y, b.poles, epsilon, enough);
    if (!(depth < kInfinity)) return kInfinity;
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
