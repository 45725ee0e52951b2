#include "engine/raster_fill.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

#include "engine/row_bits.h"

namespace dravenor {

namespace {

// A whole-numbered coordinate as a cell index, held just outside lo..hi when it lies far beyond
// (so that no coordinate overflows an int).
int clampedCell(double v, int lo, int hi) { return static_cast<int>(std::clamp(v, double(lo) - 1, double(hi) + 1)); }

int occupiedInRow(const Raster& raster, int y, int x0, int x1)
{
    const std::uint64_t* r = raster.row(y);
    int count = 0;
    for (int k = x0 >> 6; k <= (x1 >> 6); ++k) count += std::popcount(r[k] & wordRange(k, x0, x1));
    return count;
}

// Per row y of 0..H, the x where the row's centre line y crosses the outline's segments; a
// segment counts for the centre lines from its lower end up to (not including) its upper end, so
// a vertex on a centre line is crossed once.
std::vector<std::vector<double>> rowCrossings(const Outline& outline, int H)
{
    std::vector<std::vector<double>> crossings(static_cast<size_t>(H) + 1);
    for (const Segment& s : outline) {
        if (s.Y1 == s.Y2) continue;
        const double low = std::min(s.Y1, s.Y2);
        const double high = std::max(s.Y1, s.Y2);
        const int first = std::max(0, clampedCell(std::ceil(low), 0, H));
        const int last = std::min(H, clampedCell(std::ceil(high), 0, H) - 1);
        const double slope = (s.X2 - s.X1) / (s.Y2 - s.Y1);
        for (int y = first; y <= last; ++y) crossings[static_cast<size_t>(y)].push_back(s.X1 + (y - s.Y1) * slope);
    }
    return crossings;
}

} // namespace

long long fillInside(Raster& raster, const Outline& outline)
{
    const int W = raster.W();
    const int H = raster.H();
    if (W < 0 || H < 0) return 0;
    std::vector<std::vector<double>> crossings = rowCrossings(outline, H);
    long long newlySet = 0;
    for (int y = 0; y <= H; ++y) {
        std::vector<double>& xs = crossings[static_cast<size_t>(y)];
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            const int x0 = std::max(0, clampedCell(std::ceil(xs[k]), 0, W));
            const int x1 = std::min(W, clampedCell(std::floor(xs[k + 1]), 0, W));
            if (x0 > x1) continue;
            newlySet += (x1 - x0 + 1) - occupiedInRow(raster, y, x0, x1);
            raster.setRun(x0, x1, y);
        }
    }
    return newlySet;
}

void fillEnclosed(Raster& raster)
{
    const int W = raster.W(), H = raster.H();
    if (W < 0 || H < 0) return;
    const auto index = [W](int x, int y) { return static_cast<size_t>(y) * static_cast<size_t>(W + 1) + x; };
    std::vector<bool> outside(static_cast<size_t>(W + 1) * static_cast<size_t>(H + 1), false);
    std::vector<std::pair<int, int>> open;
    const auto reach = [&](int x, int y) {
        if (x < 0 || y < 0 || x > W || y > H || outside[index(x, y)] || raster.test(x, y)) return;
        outside[index(x, y)] = true;
        open.emplace_back(x, y);
    };
    for (int x = 0; x <= W; ++x) {
        reach(x, 0);
        reach(x, H);
    }
    for (int y = 0; y <= H; ++y) {
        reach(0, y);
        reach(W, y);
    }
    while (!open.empty()) {
        const auto [x, y] = open.back();
        open.pop_back();
        reach(x - 1, y);
        reach(x + 1, y);
        reach(x, y - 1);
        reach(x, y + 1);
    }
    for (int y = 0; y <= H; ++y)
        for (int x = 0; x <= W; ++x)
            if (!outside[index(x, y)] && !raster.test(x, y)) raster.set(x, y);
}

} // namespace dravenor
