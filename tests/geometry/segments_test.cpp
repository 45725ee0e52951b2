#include <gtest/gtest.h>

#include <cmath>

#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_builders.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;

double lengthOf(const Segment& s) { return std::hypot(s.X2 - s.X1, s.Y2 - s.Y1); }
double chordOf(double radius, double degrees) { return 2 * radius * std::sin(degrees / 2 * kPi / 180); }

TEST(ShapeToSegments, LinesStayOneSegmentEachAppendedInOrder)
{
    SegmentList segments{{1, 2, 3, 4}};
    appendShapeSegments({lineEntity(0, 0, 10, 0), lineEntity(10, 5, 2, 7)}, segments);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0].X1, 1);
    EXPECT_EQ(segments[2].X1, 10);
    EXPECT_EQ(segments[2].Y2, 7);
}

TEST(ShapeToSegments, ChordCountsAndLastChords)
{
    struct Case {
        double start, end;
        std::size_t count;
        double lastChordDegrees;
    };
    const Case cases[] = {
        {0, 0, 181, 0},    // circle: 180 chords of 2 degrees and a zero-length one
        {0, 90, 46, 0},    // 45 chords and a zero-length one
        {0, 5, 5, 0},      // four chords of 1.25 degrees
        {0, 11, 6, 1},     // five chords of 2 and a last one of 1 degree
        {350, 10, 11, 0},  // wraps through 0: 350 up to 370
        {10, 10, 181, 0},  // a circle starting at 10 degrees
        {-90, 90, 91, 0},  // no normalising needed
        {0, 0.02, 3, 0},   // the smallest step is 0.01
        {0, 0.004, 1, 0.004},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " to " << c.end);
        const SegmentList segments = shapeToSegments({arcEntity(0, 0, 10, c.start, c.end)});
        ASSERT_EQ(segments.size(), c.count);
        EXPECT_EQ(segmentCount(arcEntity(0, 0, 10, c.start, c.end)), c.count);
        EXPECT_NEAR(lengthOf(segments.back()), chordOf(10, c.lastChordDegrees), 1e-9);
        EXPECT_NEAR(segments.front().X1, 10 * std::cos(c.start * kPi / 180), 1e-9);
        EXPECT_NEAR(segments.front().Y1, 10 * std::sin(c.start * kPi / 180), 1e-9);
        EXPECT_NEAR(segments.back().X2, 10 * std::cos(c.end * kPi / 180), 1e-9);
        EXPECT_NEAR(segments.back().Y2, 10 * std::sin(c.end * kPi / 180), 1e-9);
        for (std::size_t i = 1; i < segments.size(); ++i) {
            EXPECT_NEAR(segments[i].X1, segments[i - 1].X2, 1e-9);
            EXPECT_NEAR(segments[i].Y1, segments[i - 1].Y2, 1e-9);
        }
    }
    EXPECT_NEAR(lengthOf(shapeToSegments({arcEntity(0, 0, 10, 0, 5)})[0]), chordOf(10, 1.25), 1e-9);
    // Damaged angles still end, in a few chords: an arc sweeps at most a few turns.
    EXPECT_FALSE(shapeToSegments({arcEntity(0, 0, 1, 1e300, 0), arcEntity(0, 0, 1, 0, -1e200)}).empty());
    EXPECT_LE(shapeToSegments({arcEntity(0, 0, 1, 0, 9e8)}).size(), 3700u);
}

TEST(LoadShapeSegments, ReadsShapeFilesWithoutMovingAndNothingElse)
{
    const SegmentList segments = loadShapeSegments(testing::testDataPath("offset_square.shp"));
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_EQ(segments[0].X1, -5);
    EXPECT_EQ(segments[0].Y1, 10);
    EXPECT_TRUE(loadShapeSegments(testing::testDataPath("offset_square.txt")).empty());
    EXPECT_TRUE(loadShapeSegments(testing::testDataPath("no_such_file.shp")).empty());
}

} // namespace
} // namespace dravenor
