#include "geometry/outline_junctions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <tuple>
#include <unordered_map>

#include "geometry/disjoint_sets.h"
#include "geometry/grid_cell.h"

namespace dravenor {

namespace {

double pointDistance(OutlinePoint a, OutlinePoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Calls visit(a, b, distance) once for every pair a < b of the chosen ends no farther apart
// than the limit (above 0): only ends in neighbouring cells of a grid `limit` wide are compared.
// Ends at one spot must be taken together beforehand, or a spot of n ends costs n^2.
template <typename Visit>
void forEachPairWithin(const std::vector<OutlinePoint>& ends, const std::vector<std::size_t>& chosen, double limit,
                       Visit visit)
{
    // Cells at least `limit` wide, and wide enough that the furthest end's cell number stays far
    // within range: ends beyond it would all share the outermost cell and be compared pairwise.
    double furthest = 0;
    for (std::size_t k : chosen)
        for (double v : {ends[k].x, ends[k].y})
            if (std::isfinite(v)) furthest = std::max(furthest, std::fabs(v));
    constexpr double kCellsAcrossTheFurthest = 1e15;
    const double width = std::max(limit, furthest / kCellsAcrossTheFurthest);
    const auto cellOf = [width](OutlinePoint p) { return gridCellOf(p.x, p.y, width); };
    std::unordered_map<GridCell, std::vector<std::size_t>, GridCellHash> cells;
    for (std::size_t k : chosen) cells[cellOf(ends[k])].push_back(k);
    for (std::size_t a : chosen) {
        const GridCell at = cellOf(ends[a]);
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                const auto found = cells.find({at.x + dx, at.y + dy});
                if (found == cells.end()) continue;
                for (std::size_t b : found->second) {
                    const double d = b > a ? pointDistance(ends[a], ends[b]) : limit + 1;
                    if (d <= limit) visit(a, b, d);
                }
            }
    }
}

// Joins ends at exactly the same spot; returns one end of every spot.
std::vector<std::size_t> joinEndsAtOneSpot(const std::vector<OutlinePoint>& ends, DisjointSets& sets)
{
    std::vector<std::size_t> order(ends.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::tie(ends[a].x, ends[a].y, a) < std::tie(ends[b].x, ends[b].y, b);
    });
    std::vector<std::size_t> spots;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const bool same = i > 0 && ends[order[i]].x == ends[order[i - 1]].x && ends[order[i]].y == ends[order[i - 1]].y;
        if (same) sets.join(order[i], order[i - 1]);
        else spots.push_back(order[i]);
    }
    return spots;
}

} // namespace

std::vector<std::size_t> junctionsOfEnds(const std::vector<OutlinePoint>& ends, const std::vector<bool>& straight,
                                         double meet, double gapTolerance)
{
    DisjointSets sets(ends.size());
    const std::vector<std::size_t> spots = joinEndsAtOneSpot(ends, sets);
    if (meet > 0) forEachPairWithin(ends, spots, meet, [&](std::size_t a, std::size_t b, double) { sets.join(a, b); });

    if (gapTolerance > meet) {
        std::vector<std::size_t> endsAtRoot(ends.size(), 0);
        for (std::size_t i = 0; i < ends.size(); ++i) ++endsAtRoot[sets.root(i)];
        std::vector<std::size_t> alone;
        for (std::size_t i = 0; i < ends.size(); ++i)
            if (endsAtRoot[sets.root(i)] == 1) alone.push_back(i);
        std::vector<std::tuple<double, std::size_t, std::size_t>> gaps; // (distance, a, b), nearest first
        forEachPairWithin(ends, alone, gapTolerance, [&](std::size_t a, std::size_t b, double d) {
            if (a / 2 != b / 2 || !straight[a / 2]) gaps.emplace_back(d, a, b);
        });
        std::sort(gaps.begin(), gaps.end());
        std::vector<bool> joined(ends.size(), false);
        for (const auto& [d, a, b] : gaps) {
            if (joined[a] || joined[b]) continue;
            joined[a] = joined[b] = true;
            sets.join(a, b);
        }
    }

    std::vector<std::size_t> junction(ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) junction[i] = sets.root(i);
    return junction;
}

} // namespace dravenor
