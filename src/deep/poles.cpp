#include "deep/poles.h"

#include <numbers>

#include "deep/collision_exact.h"

namespace dravenor::deep {

namespace {

// Candidate centres tried across the box before the best few are refined.
constexpr int kGrid = 24;
constexpr int kRefined = 3;

// How far a circle about p may reach: to the nearest edge and the nearest pole found so far;
// below zero outside the material.
class Clearance {
public:
    Clearance(const Region& region, const std::vector<Circle>& found) : region_(region), found_(found) {}
    double at(Point p) const
    {
        if (!materialHolds(region_, p)) return -1;
        double d = kInfinity;
        for (const Circle& c : found_) d = std::min(d, std::sqrt((p.x - c.c.x) * (p.x - c.c.x) + (p.y - c.c.y) * (p.y - c.c.y)) - c.r);
        return d <= 0 ? d : std::min(d, distanceToEdges(region_, p));
    }

private:
    const Region& region_;
    const std::vector<Circle>& found_;
};

struct Candidate {
    Point p;
    double clearance = -1;
};

// Climbs from the candidate by steps that halve whenever no neighbour is better.
Candidate refine(Candidate c, double step, double finest, const Clearance& clearance)
{
    while (step > finest) {
        bool moved = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                if (dx == 0 && dy == 0) continue;
                const Point q{c.p.x + dx * step, c.p.y + dy * step};
                const double v = clearance.at(q);
                if (v > c.clearance) {
                    c = {q, v};
                    moved = true;
                }
            }
        if (!moved) step /= 2;
    }
    return c;
}

// The largest circle clear of the edges and the poles found.
Candidate largestCircle(const Region& region, const std::vector<Circle>& found)
{
    const Box& box = region.box;
    const Clearance clearance(region, found);
    const double cw = box.width() / kGrid, ch = box.height() / kGrid;
    std::vector<Candidate> best;
    for (int i = 0; i < kGrid; ++i)
        for (int j = 0; j < kGrid; ++j) {
            const Point p{box.x0 + (i + 0.5) * cw, box.y0 + (j + 0.5) * ch};
            const double v = clearance.at(p);
            if (v <= 0) continue;
            best.push_back({p, v});
            std::sort(best.begin(), best.end(), [](const Candidate& a, const Candidate& b) { return a.clearance > b.clearance; });
            if (best.size() > kRefined) best.pop_back();
        }
    Candidate winner;
    const double finest = std::max(cw, ch) / 256;
    for (const Candidate& c : best) {
        const Candidate r = refine(c, std::max(cw, ch) / 2, finest, clearance);
        if (r.clearance > winner.clearance) winner = r;
    }
    return winner;
}

} // namespace

std::vector<Circle> inscribedCircles(const Region& region, const PoleLimits& limits)
{
    std::vector<Circle> poles;
    const Box& box = region.box;
    const double area = region.area;
    if (box.empty() || !(area > 0)) return poles;
    const double smallest = limits.smallest * std::hypot(box.width(), box.height());
    double covered = 0;
    while (poles.size() < limits.most) {
        const Candidate c = largestCircle(region, poles);
        if (!(c.clearance > smallest) && !poles.empty()) break;
        if (!(c.clearance > 0)) break;
        poles.push_back({c.p, c.clearance});
        covered += std::numbers::pi * c.clearance * c.clearance / area;
        // Enough of the material is covered for the count reached.
        if ((poles.size() >= 8 && covered >= 0.9) || (poles.size() >= 16 && covered >= 0.8)) break;
    }
    return poles;
}

} // namespace dravenor::deep
