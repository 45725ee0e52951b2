#include "engine/raster_fill.h"

#include <bit>
#include <vector>

#include "engine/fast_round.h"
#include "engine/row_bits.h"

namespace dravenor {

namespace {

// The nearest occupied cell left of x (x itself excluded) in row y, or -1.
int occupiedLeftOf(const Raster& raster, int x, int y)
{
    const std::uint64_t* r = raster.row(y);
    for (int k = (x - 1) >> 6; x > 0 && k >= 0; --k) {
        const std::uint64_t bits = r[k] & wordRange(k, 0, x - 1);
        if (bits) return k * 64 + 63 - std::countl_zero(bits);
    }
    return -1;
}

// Calls visit(x) for the first cell of every run of free cells among x0..x1 of row y.
template <class Visit>
void forEachFreeRunStart(const Raster& raster, int y, int x0, int x1, Visit&& visit)
{
    const std::uint64_t* r = raster.row(y);
    std::uint64_t previousTop = 0; // whether the cell before this word's first cell is free
    for (int k = x0 >> 6; k <= (x1 >> 6); ++k) {
        const std::uint64_t free = ~r[k] & wordRange(k, x0, x1);
        std::uint64_t starts = free & ~((free << 1) | previousTop);
        previousTop = free >> 63;
        while (starts) {
            visit(k * 64 + std::countr_zero(starts));
            starts &= starts - 1;
        }
    }
}

bool isOdd(int n) { return (n & 1) != 0; }

} // namespace

int occupiedRunsInRow(const Raster& raster, int y, int x0, int x1)
{
    if (x0 > x1) return 0;
    const std::uint64_t* r = raster.row(y);
    int runs = 0;
    std::uint64_t previousTop = 0;
    for (int k = x0 >> 6; k <= (x1 >> 6); ++k) {
        const std::uint64_t occupied = r[k] & wordRange(k, x0, x1);
        runs += std::popcount(occupied & ~((occupied << 1) | previousTop));
        previousTop = occupied >> 63;
    }
    return runs;
}

int occupiedRunsInColumn(const Raster& raster, int x, int y0, int y1)
{
    int runs = 0;
    bool previous = false;
    for (int y = y0; y <= y1; ++y) {
        const bool occupied = raster.test(x, y);
        if (occupied && !previous) ++runs;
        previous = occupied;
    }
    return runs;
}

std::optional<Cell> findSeed(const Raster& raster, UniformRandom& random)
{
    const int W = raster.W();
    const int H = raster.H();
    const long long tries = W > 0 && H > 0 ? 2LL * W * H : 0;
    for (long long t = 0; t < tries; ++t) {
        const double r1 = random.next();
        const double r2 = random.next();
        const double x = roundHalfEvenFast(r1 * (W + 1));
        const double y = roundHalfEvenFast(r2 * (H + 1));
        if (x < 0 || x > W || y < 0 || y > H) continue;
        const int cx = static_cast<int>(x);
        const int cy = static_cast<int>(y);
        if (raster.test(cx, cy)) continue;
        // The cheap horizontal rays first: most draws outside the outline fail there.
        if (isOdd(occupiedRunsInRow(raster, cy, 0, cx - 1)) && isOdd(occupiedRunsInRow(raster, cy, cx + 1, W)) &&
            isOdd(occupiedRunsInColumn(raster, cx, 0, cy - 1)) && isOdd(occupiedRunsInColumn(raster, cx, cy + 1, H)))
            return Cell{cx, cy};
    }
    return std::nullopt;
}

void floodFill(Raster& raster, int x, int y)
{
    const int H = raster.H();
    if (x < 0 || y < 0 || x > raster.W() || y > H) return;
    // Span fill: each popped cell fills its whole free run, then seeds the free runs above and
    // below that touch it.
    std::vector<Cell> pending{{x, y}};
    while (!pending.empty()) {
        const auto [px, py] = pending.back();
        pending.pop_back();
        if (raster.test(px, py)) continue;
        const int left = occupiedLeftOf(raster, px, py) + 1;
        const int right = nextBit(raster.row(py), px + 1, raster.W(), true) - 1;
        raster.setRun(left, right, py);
        for (const int ny : {py - 1, py + 1}) {
            if (ny < 0 || ny > H) continue;
            forEachFreeRunStart(raster, ny, left, right, [&pending, ny](int rx) { pending.emplace_back(rx, ny); });
        }
    }
}

} // namespace dravenor
