// Every generated shape checked as a profile to cut, by measures computed apart from the
// generator: closed outlines, the enclosed area against its closed form, the extents.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "library/standard_shapes.h"

using namespace dravenor;

namespace {

constexpr double pi = std::numbers::pi;

struct ShapeCase {
    std::string caption;
    std::vector<double> parameters;
    double area;
    Extents extents;
};

void PrintTo(const ShapeCase& c, std::ostream* os)
{
    *os << c.caption;
    for (double p : c.parameters) *os << " " << p;
}

double sinD(double a) { return std::sin(a * pi / 180); }
double cosD(double a) { return std::cos(a * pi / 180); }

class GeneratedShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(GeneratedShape, IsClosedWithTheAreaAndExtentsOfItsParameters)
{
    const ShapeCase& c = GetParam();
    const StandardShapeResult made = generateStandardShape(c.caption, c.parameters);
    ASSERT_TRUE(made.ok()) << made.message;

    EXPECT_TRUE(missingLines(made.shape).empty());
    const ShapeMeasure m = measureShape(made.shape);
    EXPECT_TRUE(m.closed);
    EXPECT_EQ(m.openEnds, 0);
    EXPECT_EQ(m.degenerate, 0);
    // Arcs are measured by chords of at most 2 degrees, which lose under 3e-4 of a round area.
    const bool round = m.arcs + m.circles > 0;
    EXPECT_NEAR(m.enclosedArea, c.area, c.area * (round ? 3e-4 : 1e-12));

    const Extents box = shapeExtents(made.shape);
    EXPECT_NEAR(box.xmin, c.extents.xmin, 1e-9);
    EXPECT_NEAR(box.ymin, c.extents.ymin, 1e-9);
    EXPECT_NEAR(box.xmax, c.extents.xmax, 1e-9);
    EXPECT_NEAR(box.ymax, c.extents.ymax, 1e-9);
}

const double hexRadius = 10 / (2 * sinD(30));

INSTANTIATE_TEST_SUITE_P(
    EveryType, GeneratedShape,
    ::testing::Values(
        ShapeCase{"Rectangle for Sheet", {2000, 1000}, 2e6, {0, 0, 1000, 2000}},
        ShapeCase{"Rectangle for Part", {1000, 2000}, 2e6, {0, 0, 2000, 1000}},
        ShapeCase{"Square", {30}, 900, {0, 0, 30, 30}},
        ShapeCase{"Circle", {50}, pi * 2500, {-50, -50, 50, 50}},
        ShapeCase{"Circle Breakup", {100, 90}, pi * 2500 / 4, {0, 0, 50, 50}},
        ShapeCase{"Circle Breakup", {100, 200}, pi * 2500 * 200 / 360, {-50, -50 * sinD(20), 50, 50}},
        ShapeCase{"Arc Section", {100, 60, 90}, pi / 4 * (10000 - 3600) / 4,
                  {-50 * sinD(45), 30 * cosD(45), 50 * sinD(45), 50}},
        ShapeCase{"Arc Section", {100, 60, 240}, pi / 4 * (10000 - 3600) * 240 / 360, {-50, -25, 50, 50}},
        ShapeCase{"Right Triangle", {30, 40}, 600, {0, 0, 30, 40}},
        ShapeCase{"Polygon", {4, 10}, 100, {-10 / std::sqrt(2.0), -10 / std::sqrt(2.0), 10 / std::sqrt(2.0),
                                             10 / std::sqrt(2.0)}},
        ShapeCase{"Polygon", {6, 10}, 1.5 * std::sqrt(3.0) * 100,
                  {-hexRadius * sinD(60), -hexRadius, hexRadius * sinD(60), hexRadius}},
        ShapeCase{"Notched Rectangle", {100, 60, 10}, 6000 - 4 * pi * 100 / 2, {0, 0, 100, 60}},
        ShapeCase{"Rounded Rectangle", {100, 60, 10}, 6000 - (4 - pi) * 100, {0, 0, 100, 60}},
        ShapeCase{"Rounded Rectangle", {100, 40, 20}, 4000 - (4 - pi) * 400, {0, 0, 100, 40}},
        ShapeCase{"Rounded Rectangle", {40, 40, 20}, pi * 400, {0, 0, 40, 40}},
        ShapeCase{"Right-angled Trapezoid", {50, 20, 40}, 1500, {0, 0, 50, 40}},
        ShapeCase{"Ring", {100, 50}, pi / 4 * (10000 - 2500), {-50, -50, 50, 50}},
        ShapeCase{"Ring Breakup", {100, 50, 90}, pi / 4 * (10000 - 2500) / 4, {0, 0, 50, 50}},
        ShapeCase{"Ring Breakup", {100, 50, 180}, pi / 4 * (10000 - 2500) / 2, {-50, 0, 50, 50}}));

TEST(GeneratedShapeRotation, TurnsAboutTheCentreOfTheExtentsAndKeepsTheArea)
{
    const StandardShapeResult turned = generateStandardShape("Rectangle for Part", {50, 100}, 90);
    ASSERT_TRUE(turned.ok()) << turned.message;
    const Extents box = shapeExtents(turned.shape);
    EXPECT_NEAR(box.xmin, 25, 1e-9);
    EXPECT_NEAR(box.xmax, 75, 1e-9);
    EXPECT_NEAR(box.ymin, -25, 1e-9);
    EXPECT_NEAR(box.ymax, 75, 1e-9);

    const StandardShapeResult ring = generateStandardShape("Ring Breakup", {100, 50, 90}, 45);
    ASSERT_TRUE(ring.ok());
    const ShapeMeasure m = measureShape(ring.shape);
    EXPECT_TRUE(m.closed);
    EXPECT_NEAR(m.enclosedArea, pi / 4 * 7500 / 4, 3e-4 * pi / 4 * 7500 / 4);
}

} // namespace
