// Every generated shape checked as a profile to cut, by measures computed apart from the
// generator: closed outlines, the enclosed area against its closed form, the extents.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "library/standard_shapes.h"
#include "support/standard_shape_cases.h"

using namespace dravenor;

namespace {

constexpr double pi = std::numbers::pi;

class GeneratedShape : public ::testing::TestWithParam<dravenor::testing::StandardShapeCase> {};

TEST_P(GeneratedShape, IsClosedWithTheAreaAndExtentsOfItsParameters)
{
    const dravenor::testing::StandardShapeCase& c = GetParam();
    const StandardShapeResult made = generateStandardShape(c.caption, c.parameters);
    ASSERT_TRUE(made.ok()) << made.message;
    dravenor::testing::expectClosedProfile(made.shape, c.area, c.extents);
}

INSTANTIATE_TEST_SUITE_P(EveryType, GeneratedShape, ::testing::ValuesIn(dravenor::testing::standardShapeCases()));

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
