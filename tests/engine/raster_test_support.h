#pragma once
// Rasters, outlines and runs for the raster, rasterisation, placement and analysis tests.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/nesting_run.h"
#include "engine/outline.h"
#include "engine/raster.h"
#include "geometry/segments.h"

namespace dravenor::testing {

// Keeps the status texts and warnings of a run.
class KeepingProgress : public NestingProgress {
public:
    void status(const std::string& text, long long, long long) override { statuses.push_back(text); }
    void title(const std::string&) override {}
    void layoutNumber(int) override {}
    void warning(const std::string& text) override { warnings.push_back(text); }
    bool cancelRequested() override { return false; }

    std::vector<std::string> statuses;
    std::vector<std::string> warnings;
};

// A run on an empty state with scale 1 (outlines are in cells).
struct TestRun {
    explicit TestRun(NestingMode mode = NestingMode::Stack) : run(state, mode, progress) {}
    NestingState state;
    KeepingProgress progress;
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

// Closed polygon through the points, in order.
inline Outline polygon(const std::vector<std::pair<double, double>>& points)
{
    Outline outline;
    for (size_t i = 0; i < points.size(); ++i) {
        const auto& [x1, y1] = points[i];
        const auto& [x2, y2] = points[(i + 1) % points.size()];
        outline.push_back({x1, y1, x2, y2});
    }
    return outline;
}

inline Outline rectangleOutline(double w, double h) { return polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}); }

// Chords of a circle about (cx, cy).
inline Outline circleOutline(double cx, double cy, double r)
{
    ShapeEntity circle;
    circle.CX = cx;
    circle.CY = cy;
    circle.RAD = r;
    return shapeToSegments({circle});
}

inline void append(Outline& to, const Outline& more) { to.insert(to.end(), more.begin(), more.end()); }

// A raster from text rows, the first string being row 0; '#' is occupied.
inline Raster rasterFromRows(const std::vector<std::string>& rows)
{
    Raster raster(static_cast<int>(rows.at(0).size()) - 1, static_cast<int>(rows.size()) - 1);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#') raster.set(static_cast<int>(x), static_cast<int>(y));
    return raster;
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

// A blob: the cells inside an ellipse filling the box, so that parts have a solid inside.
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
