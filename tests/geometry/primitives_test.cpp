// Moving and turning shapes, angles, and the chord form of shapes whose angles are damaged.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_builders.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;

TEST(MovingShapes, NormalisingMovesTheBoxToTheOriginAndTurningIsAboutItsCentre)
{
    Shape moved{lineEntity(-5, 3, 20, 3), arcEntity(0, 10, 5, 0, 0)};
    normaliseShape(moved);
    EXPECT_TRUE(moved[0].X1 == 0 && moved[0].Y1 == 0 && moved[0].X2 == 25 && moved[1].CX == 5 && moved[1].CY == 7);

    // Extents (0,0)-(20,10), centre (10,5): the circle centre (15,5) goes to (10,10). Fields a
    // line or an arc does not use become zero; arc angles are reduced once.
    ShapeEntity line = lineEntity(0, 0, 20, 10), arc = arcEntity(15, 5, 2, 300, 30);
    line.Nstart = 33;
    arc.X1 = 99;
    Shape shape{line, arc};
    rotateShape(shape, 90);
    EXPECT_EQ(testing::goldenEntity(shape[0]), "LINE 15 -5 5 15 0 0 0 0 0");
    EXPECT_EQ(testing::goldenEntity(shape[1]), "ARC 0 0 0 0 10 10 2 30 120");
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

TEST(ShapeToSegments, LinesStayOneSegmentAndDamagedAnglesStillEnd)
{
    SegmentList segments{{1, 2, 3, 4}};
    appendShapeSegments({lineEntity(0, 0, 10, 0), lineEntity(10, 5, 2, 7)}, segments);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_TRUE(segments[0].X1 == 1 && segments[2].X1 == 10 && segments[2].Y2 == 7);
    // An arc sweeps at most a few turns, in a few chords.
    EXPECT_FALSE(shapeToSegments({arcEntity(0, 0, 1, 1e300, 0), arcEntity(0, 0, 1, 0, -1e200)}).empty());
    EXPECT_LE(shapeToSegments({arcEntity(0, 0, 1, 0, 9e8)}).size(), 3700u);

    const SegmentList square = loadShapeSegments(testing::testDataPath("offset_square.shp")); // not moved
    ASSERT_EQ(square.size(), 4u);
    EXPECT_TRUE(square[0].X1 == -5 && square[0].Y1 == 10);
    EXPECT_TRUE(loadShapeSegments(testing::testDataPath("offset_square.txt")).empty());
    EXPECT_TRUE(loadShapeSegments(testing::testDataPath("no_such_file.shp")).empty());
}

} // namespace
} // namespace dravenor
