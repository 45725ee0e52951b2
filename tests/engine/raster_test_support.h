#pragma once
// Runs, outlines and rasters for the raster, rasterisation, placement and analysis tests.
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/nesting_run.h"
#include "engine/outline.h"
#include "engine/raster.h"
#include "geometry/segments.h"
#include "geometry/shape_builders.h"

namespace dravenor::testing {

inline int uniform(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// A run on an empty state with scale 1 (outlines are in cells) that keeps its warnings.
struct TestRun : SilentProgress {
    TestRun() : run(state, NestingMode::Stack, *this) {}
    void warning(const std::string& text) override { warnings.push_back(text); }
    std::vector<std::string> warnings;
    NestingState state;
    NestingRun run;
};

// How many values were drawn from `before` to reach `after` (-1 beyond the limit).
inline long long drawsBetween(UniformRandom before, const UniformRandom& after, long long limit = 1000000)
{
    for (long long n = 0; n <= limit; ++n) {
        UniformRandom a = after, b = before;
        if (a.next() == b.next()) return n;
        before.next();
    }
    return -1;
}

inline Outline rectangleOutline(double w, double h) { return shapeToSegments(rectangle(0, 0, w, h)); }

// Chords of a circle about (cx, cy).
inline Outline circleOutline(double cx, double cy, double r)
{
    return shapeToSegments({{.CX = cx, .CY = cy, .RAD = r}});
}

// A raster of the size with about the given share of its cells occupied.
inline Raster randomRaster(std::mt19937& rng, int W, int H, double share)
{
    Raster raster(W, H);
    std::bernoulli_distribution occupied(share);
    for (int y = 0; y <= H; ++y)
        for (int x = 0; x <= W; ++x)
            if (occupied(rng)) raster.set(x, y);
    return raster;
}

// The cells inside an ellipse filling the box, so that parts have a solid inside.
inline Raster blobRaster(int W, int H)
{
    Raster raster(W, H);
    const double cx = W / 2.0, cy = H / 2.0;
    for (int y = 0; y <= H; ++y)
        for (int x = 0; x <= W; ++x) {
            const double dx = (x - cx) / (cx + 0.5), dy = (y - cy) / (cy + 0.5);
            if (dx * dx + dy * dy <= 1) raster.set(x, y);
        }
    return raster;
}

inline std::vector<std::pair<int, int>> occupiedCells(const Raster& raster)
{
    std::vector<std::pair<int, int>> cells;
    for (int y = 0; y <= raster.H(); ++y)
        for (int x = 0; x <= raster.W(); ++x)
            if (raster.test(x, y)) cells.emplace_back(x, y);
    return cells;
}

} // namespace dravenor::testing
