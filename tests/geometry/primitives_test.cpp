// Extents, moving and turning shapes, angles, and the chord form of arcs.
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

double sinDeg(double a) { return std::sin(a * kPi / 180); }
double cosDeg(double a) { return std::cos(a * kPi / 180); }

TEST(ShapeExtents, ArcsReachOnlyTheQuadrantPointsOnTheirSweep)
{
    const std::pair<ShapeEntity, Extents> cases[] = {
        {arcEntity(0, 0, 10, 0, 90), {0, 0, 10, 10}},
        {arcEntity(0, 0, 10, 90, 0), {-10, -10, 10, 10}}, // wraps through 0
        {arcEntity(0, 0, 10, 350, 10), {10 * cosDeg(10), -10 * sinDeg(10), 10, 10 * sinDeg(10)}},
        {arcEntity(0, 0, 10, 10, 350), {-10, -10, 10 * cosDeg(10), 10}},    // not the 0 point
        {arcEntity(0, 0, 10, 300, 120), {-5, -10 * sinDeg(60), 10, 10}},    // 0 and 90 only
        {arcEntity(5, 5, 10, 150, 210), {-5, 0, 5 + 10 * cosDeg(150), 10}}, // 180 only
        {arcEntity(0, 0, 10, 240, 300), {-5, -10, 5, -10 * sinDeg(60)}},    // 270 only
        {arcEntity(0, 0, 10, 30, 180), {-10, 0, 10 * cosDeg(30), 10}},      // ends on 180
        {arcEntity(0, 0, 10, -90, 90), {0, -10, 10, 10}},                   // as 270 -> 90
        {arcEntity(50, 50, 25, 45, 45), {25, 25, 75, 75}},                  // circles
        {arcEntity(50, 50, 25, 0, 360), {25, 25, 75, 75}},
        {lineEntity(3, -2, -7, 5), {-7, -2, 3, 5}},
    };
    for (const auto& [entity, expected] : cases) {
        const Extents box = shapeExtents({entity});
        SCOPED_TRACE(::testing::PrintToString(entity));
        for (auto [got, want] : {std::pair{box.xmin, expected.xmin}, {box.ymin, expected.ymin},
                                 {box.xmax, expected.xmax}, {box.ymax, expected.ymax}})
            EXPECT_NEAR(got, want, 1e-9);
    }
    EXPECT_TRUE(shapeExtents({}).empty());
}

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

TEST(ShapeToSegments, LinesStayOneSegmentAndArcsChainChordsOfAtMostTwoDegrees)
{
    SegmentList segments{{1, 2, 3, 4}};
    appendShapeSegments({lineEntity(0, 0, 10, 0), lineEntity(10, 5, 2, 7)}, segments);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_TRUE(segments[0].X1 == 1 && segments[2].X1 == 10 && segments[2].Y2 == 7);

    const struct {
        double start, end;
        std::size_t count;
        double lastChordDegrees;
    } cases[] = {
        {0, 0, 181, 0},       // circle: 180 chords of 2 degrees and a zero-length one
        {0, 90, 46, 0},       // 45 chords and a zero-length one
        {0, 5, 5, 0},         // four chords of 1.25 degrees
        {0, 11, 6, 1},        // five chords of 2 and a last one of 1 degree
        {350, 10, 11, 0},     // wraps through 0: 350 up to 370
        {10, 10, 181, 0},     // a circle starting at 10 degrees
        {-90, 90, 91, 0},     // no normalising needed
        {0, 0.02, 3, 0},      // the smallest step is 0.01
        {0, 0.004, 1, 0.004},
    };
    const auto chord = [](double degrees) { return 2 * 10 * sinDeg(degrees / 2); };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " to " << c.end);
        const SegmentList chords = shapeToSegments({arcEntity(0, 0, 10, c.start, c.end)});
        ASSERT_EQ(chords.size(), c.count);
        EXPECT_EQ(segmentCount(arcEntity(0, 0, 10, c.start, c.end)), c.count);
        const Segment &first = chords.front(), &last = chords.back();
        EXPECT_NEAR(std::hypot(last.X2 - last.X1, last.Y2 - last.Y1), chord(c.lastChordDegrees), 1e-9);
        EXPECT_NEAR(first.X1, 10 * cosDeg(c.start), 1e-9);
        EXPECT_NEAR(first.Y1, 10 * sinDeg(c.start), 1e-9);
        EXPECT_NEAR(last.X2, 10 * cosDeg(c.end), 1e-9);
        EXPECT_NEAR(last.Y2, 10 * sinDeg(c.end), 1e-9);
        for (std::size_t i = 1; i < chords.size(); ++i)
            EXPECT_TRUE(chords[i].X1 == chords[i - 1].X2 && chords[i].Y1 == chords[i - 1].Y2) << i;
    }
    const Segment first = shapeToSegments({arcEntity(0, 0, 10, 0, 5)})[0];
    EXPECT_NEAR(std::hypot(first.X2 - first.X1, first.Y2 - first.Y1), chord(1.25), 1e-9);
    // Damaged angles still end, in a few chords: an arc sweeps at most a few turns.
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
