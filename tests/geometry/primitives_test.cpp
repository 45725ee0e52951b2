#include <gtest/gtest.h>

#include <cmath>

#include "geometry/primitives.h"
#include "geometry/shape_builders.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;

double sinDeg(double a) { return std::sin(a * kPi / 180); }
double cosDeg(double a) { return std::cos(a * kPi / 180); }

TEST(ShapeExtents, ArcsReachOnlyTheQuadrantPointsOnTheirSweep)
{
    const std::pair<ShapeEntity, Extents> cases[] = {
        {arcEntity(0, 0, 10, 0, 90), {0, 0, 10, 10}},
        {arcEntity(0, 0, 10, 90, 0), {-10, -10, 10, 10}},                                   // wraps through 0
        {arcEntity(0, 0, 10, 350, 10), {10 * cosDeg(10), -10 * sinDeg(10), 10, 10 * sinDeg(10)}},
        {arcEntity(0, 0, 10, 10, 350), {-10, -10, 10 * cosDeg(10), 10}},                  // not the 0 point
        {arcEntity(0, 0, 10, 300, 120), {-5, -10 * sinDeg(60), 10, 10}},                  // 0 and 90 only
        {arcEntity(5, 5, 10, 150, 210), {-5, 0, 5 + 10 * cosDeg(150), 10}},               // 180 only
        {arcEntity(0, 0, 10, 240, 300), {-5, -10, 5, -10 * sinDeg(60)}},                  // 270 only
        {arcEntity(0, 0, 10, 30, 180), {-10, 0, 10 * cosDeg(30), 10}},                    // ends on 180
        {arcEntity(0, 0, 10, -90, 90), {0, -10, 10, 10}},                                 // as 270 -> 90
        {arcEntity(50, 50, 25, 45, 45), {25, 25, 75, 75}},                                // circles
        {arcEntity(50, 50, 25, 0, 360), {25, 25, 75, 75}},
        {lineEntity(3, -2, -7, 5), {-7, -2, 3, 5}},
    };
    for (const auto& [entity, expected] : cases) {
        const Extents box = shapeExtents({entity});
        SCOPED_TRACE(::testing::PrintToString(entity));
        EXPECT_NEAR(box.xmin, expected.xmin, 1e-9);
        EXPECT_NEAR(box.ymin, expected.ymin, 1e-9);
        EXPECT_NEAR(box.xmax, expected.xmax, 1e-9);
        EXPECT_NEAR(box.ymax, expected.ymax, 1e-9);
    }
    EXPECT_TRUE(shapeExtents({}).empty());
}

TEST(NormaliseShape, MovesPointsAndCentresSoTheBoxStartsAtTheOrigin)
{
    Shape shape{lineEntity(-5, 3, 20, 3), arcEntity(0, 10, 5, 0, 0)};
    normaliseShape(shape);
    EXPECT_EQ(shape[0].X1, 0);
    EXPECT_EQ(shape[0].Y1, 0);
    EXPECT_EQ(shape[0].X2, 25);
    EXPECT_EQ(shape[1].CX, 5);
    EXPECT_EQ(shape[1].CY, 7);
}

TEST(RotateShape, TurnsAboutTheCentreOfTheExtentsWithArcAnglesReducedOnce)
{
    // Extents (0,0)-(20,10), centre (10,5): the circle centre (15,5) goes to (10,10).
    ShapeEntity line = lineEntity(0, 0, 20, 10);
    line.Nstart = 33; // fields a line does not use become zero
    ShapeEntity arc = arcEntity(15, 5, 2, 300, 30);
    arc.X1 = 99;
    Shape shape{line, arc};
    rotateShape(shape, 90);
    EXPECT_NEAR(shape[0].X1, 15, 1e-9);
    EXPECT_NEAR(shape[0].Y1, -5, 1e-9);
    EXPECT_EQ(shape[0].Nstart, 0);
    EXPECT_NEAR(shape[1].CX, 10, 1e-9);
    EXPECT_NEAR(shape[1].CY, 10, 1e-9);
    EXPECT_EQ(std::vector<double>({shape[1].X1, shape[1].RAD, shape[1].Nstart, shape[1].Nend}),
              std::vector<double>({0, 2, 30, 120}));
    rotateShape(shape, -180);
    EXPECT_EQ(shape[1].Nstart, -150); // turning backwards is not reduced
}

TEST(Angles, PolarAngleAndNormalisedAngles)
{
    EXPECT_NEAR(polarAngle(0, 0, -1, 1), 3 * kPi / 4, 1e-12);
    EXPECT_NEAR(polarAngle(0, 0, 1, -1), 7 * kPi / 4, 1e-12);
    EXPECT_EQ(polarAngle(2, 2, 2, 5), kPi / 2);
    EXPECT_EQ(polarAngle(2, 2, -1, 2), kPi);
    EXPECT_EQ(polarAngle(2, 2, 2, -1), 4.712388980384685);
    EXPECT_EQ(polarAngle(3, 4, 3, 4), 0);
    const std::pair<double, double> cases[] = {{360, 360}, {720, 360}, {0, 0},      {370, 10},
                                               {-10, 350}, {-360, 0},  {-730, 350}, {1090.5, 10.5}};
    for (auto [in, out] : cases) EXPECT_EQ(normaliseAngle(in), out) << in;
    EXPECT_LE(normaliseAngle(1e300), 360); // ends at once
}

} // namespace
} // namespace dravenor
