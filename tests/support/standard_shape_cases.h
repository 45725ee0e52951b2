#pragma once
// Standard shapes with the area and extents their parameters give in closed form, and the
// check that a generated shape is a closed profile with exactly those measures. The library
// tests call the generator directly; the window tests type the same parameters into the window.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"

namespace dravenor::testing {

struct StandardShapeCase { std::string caption; std::vector<double> parameters; double area; Extents extents; };

inline void PrintTo(const StandardShapeCase& c, std::ostream* os)
{
    *os << c.caption;
    for (double p : c.parameters) *os << " " << p;
}

// Closed, nothing degenerate, the enclosed area and the extents as expected.
inline void expectClosedProfile(const Shape& shape, double area, const Extents& extents)
{
    EXPECT_TRUE(missingLines(shape).empty());
    const ShapeMeasure m = measureShape(shape);
    EXPECT_TRUE(m.closed && m.openEnds == 0 && m.degenerate == 0);
    // Arcs are measured by chords of at most 2 degrees, which lose under 3e-4 of a round area.
    const bool round = m.arcs + m.circles > 0;
    EXPECT_NEAR(m.enclosedArea, area, area * (round ? 3e-4 : 1e-12));

    const Extents box = shapeExtents(shape);
    for (const auto& [got, want] : {std::pair{box.xmin, extents.xmin}, {box.ymin, extents.ymin}, {box.xmax, extents.xmax},
                                   {box.ymax, extents.ymax}})
        EXPECT_NEAR(got, want, 1e-9);
}

// Every type the library generates itself (all but the cone and cylinder breakups), some twice.
inline std::vector<StandardShapeCase> standardShapeCases()
{
    constexpr double pi = std::numbers::pi;
    const auto sinD = [](double a) { return std::sin(a * std::numbers::pi / 180); };
    const auto cosD = [](double a) { return std::cos(a * std::numbers::pi / 180); };
    const double hexRadius = 10 / (2 * sinD(30));
    const double squareHalf = 10 / std::sqrt(2.0);
    return {
        {"Rectangle for Sheet", {2000, 1000}, 2e6, {0, 0, 1000, 2000}},
        {"Rectangle for Part", {1000, 2000}, 2e6, {0, 0, 2000, 1000}},
        {"Square", {30}, 900, {0, 0, 30, 30}},
        {"Circle", {50}, pi * 2500, {-50, -50, 50, 50}},
        {"Circle Breakup", {100, 90}, pi * 2500 / 4, {0, 0, 50, 50}},
        {"Circle Breakup", {100, 200}, pi * 2500 * 200 / 360, {-50, -50 * sinD(20), 50, 50}},
        {"Arc Section", {100, 60, 90}, pi / 4 * (10000 - 3600) / 4, {-50 * sinD(45), 30 * cosD(45), 50 * sinD(45), 50}},
        {"Arc Section", {100, 60, 240}, pi / 4 * (10000 - 3600) * 240 / 360, {-50, -25, 50, 50}},
        {"Right Triangle", {30, 40}, 600, {0, 0, 30, 40}},
        {"Polygon", {4, 10}, 100, {-squareHalf, -squareHalf, squareHalf, squareHalf}},
        {"Polygon", {6, 10}, 1.5 * std::sqrt(3.0) * 100, {-hexRadius * sinD(60), -hexRadius, hexRadius * sinD(60), hexRadius}},
        {"Notched Rectangle", {100, 60, 10}, 6000 - 4 * pi * 100 / 2, {0, 0, 100, 60}},
        {"Rounded Rectangle", {100, 60, 10}, 6000 - (4 - pi) * 100, {0, 0, 100, 60}},
        {"Rounded Rectangle", {100, 40, 20}, 4000 - (4 - pi) * 400, {0, 0, 100, 40}},
        {"Rounded Rectangle", {40, 40, 20}, pi * 400, {0, 0, 40, 40}},
        {"Right-angled Trapezoid", {50, 20, 40}, 1500, {0, 0, 50, 40}},
        {"Ring", {100, 50}, pi / 4 * (10000 - 2500), {-50, -50, 50, 50}},
        {"Ring Breakup", {100, 50, 90}, pi / 4 * (10000 - 2500) / 4, {0, 0, 50, 50}},
        {"Ring Breakup", {100, 50, 180}, pi / 4 * (10000 - 2500) / 2, {-50, 0, 50, 50}},
    };
}

} // namespace dravenor::testing
