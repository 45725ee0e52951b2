#pragma once
// Runs, outlines and rasters for the raster, rasterisation, placement and analysis tests.
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/nesting_run.h"
#include "engine/outline.h"
#include "engine/raster.h"
#include "geometry/primitives.h"
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

using Points = std::vector<std::pair<double, double>>;

// Points on each true entity (arcs as arcs, not chords), `perCell` to a cell and on arcs at least
// one every half degree.
inline std::vector<Points> pointsOn(const Shape& shape, double perCell = 20)
{
    std::vector<Points> entities;
    for (const ShapeEntity& e : shape) {
        const double sweep = e.RAD == 0 ? 0 : arcSweep(e.Nstart, e.Nend) * kPi / 180;
        const double length = e.RAD == 0 ? std::hypot(e.X2 - e.X1, e.Y2 - e.Y1) : e.RAD * sweep;
        entities.push_back(pointsAlong(e, 1 + static_cast<int>(std::max(length * perCell, sweep * 360 / kPi))));
    }
    return entities;
}

// Even-odd inside test against the true outline, sampled finely enough to stand for it.
inline bool insideTrue(const std::vector<Points>& outline, double x, double y)
{
    bool inside = false;
    for (const Points& pts : outline)
        for (size_t k = 0; k + 1 < pts.size(); ++k) {
            const auto [x1, y1] = pts[k];
            const auto [x2, y2] = pts[k + 1];
            if ((y1 <= y) != (y2 <= y) && x < x1 + (y - y1) * (x2 - x1) / (y2 - y1)) inside = !inside;
        }
    return inside;
}

// Parts with slanted edges, large and small arcs and holes: a ring, the flat segment of a large
// disc (its chords stand 0.15 cells inside the arc), a gusset and a sliver.
inline std::vector<std::pair<const char*, Shape>> awkwardParts()
{
    const double r = 1000, half = 3.3 * kPi / 180, ax = r * std::sin(half), ay = r * std::cos(half);
    return {{"ring", {arcEntity(20, 20, 20, 0, 0), arcEntity(20, 20, 7.3, 0, 0)}},
            {"bow", {arcEntity(0, 0, r, 90 - 3.3, 90 + 3.3), lineEntity(-ax, ay, ax, ay)}},
            {"gusset", polygon({{0, 0}, {37.3, 0}, {37.3, 11.1}, {9.7, 23.9}, {0, 23.9}})},
            {"sliver", polygon({{0, 0}, {40.2, 3.7}, {0.4, 1.9}})}};
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
