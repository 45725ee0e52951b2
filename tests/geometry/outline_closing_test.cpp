#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;

bool sameSegment(const Segment& a, const Segment& b)
{
    return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
}

std::string describe(const SegmentList& list)
{
    std::ostringstream text;
    for (const Segment& s : list) text << "(" << s.X1 << "," << s.Y1 << ")-(" << s.X2 << "," << s.Y2 << ") ";
    return text.str();
}

// The segments closeOutlines appends to the list.
SegmentList appended(SegmentList segments)
{
    const std::size_t before = segments.size();
    closeOutlines(segments);
    return SegmentList(segments.begin() + static_cast<std::ptrdiff_t>(before), segments.end());
}

SegmentList linesOf(const Shape& shape)
{
    return shapeToSegments(shape);
}

// A 10 x 10 square whose last line ends at the given point instead of at (0, 0).
SegmentList squareEndingAt(double x, double y)
{
    return linesOf({lineEntity(0, 0, 10, 0), lineEntity(10, 0, 10, 10), lineEntity(10, 10, 0, 10),
                    lineEntity(0, 10, x, y)});
}

TEST(CloseOutlines, SmallSlantedGapIsClosedOnceFromTheFirstSegment)
{
    const SegmentList added = appended(squareEndingAt(0.3, 0.4));
    ASSERT_EQ(added.size(), 1u) << describe(added);
    EXPECT_TRUE(sameSegment(added[0], {0, 0, 0.3, 0.4})) << describe(added);
}

TEST(CloseOutlines, ClosedLevelPlumbWideAndSingleGapsStayOpen)
{
    EXPECT_TRUE(appended(linesOf(testing::rectangle(0, 0, 40, 25))).empty());
    EXPECT_TRUE(appended(squareEndingAt(0.5, 0)).empty());     // level
    EXPECT_TRUE(appended(squareEndingAt(0, 0.5)).empty());     // plumb
    EXPECT_TRUE(appended(squareEndingAt(0.72, 0.96)).empty()); // 1.2 long
    EXPECT_EQ(appended(squareEndingAt(0.6, 0.79)).size(), 1u); // just under 1
    EXPECT_TRUE(appended({{0, 0, 0.3, 0.4}}).empty());
    EXPECT_TRUE(appended({}).empty());
}

TEST(CloseOutlines, EquallyNearEndsGoToTheLowerSegmentAndItsStart)
{
    // (0.3, 0.4) and (0.4, -0.3) are both 0.5 from (0, 0).
    const SegmentList lowerSegment = appended({{0, 0, -5, 0}, {3, 3, 0.3, 0.4}, {0.4, -0.3, 4, -4}});
    ASSERT_EQ(lowerSegment.size(), 2u) << describe(lowerSegment);
    EXPECT_TRUE(sameSegment(lowerSegment[0], {0, 0, 0.3, 0.4}));
    EXPECT_TRUE(sameSegment(lowerSegment[1], {0.4, -0.3, 0, 0}));

    const SegmentList startFirst = appended({{0, 0, -5, 0}, {0.3, 0.4, 0.4, -0.3}});
    ASSERT_EQ(startFirst.size(), 2u) << describe(startFirst);
    EXPECT_TRUE(sameSegment(startFirst[0], {0, 0, 0.3, 0.4}));
    EXPECT_TRUE(sameSegment(startFirst[1], {0.4, -0.3, 0, 0}));
}

TEST(CloseOutlines, ChordsOfArcsMeetSoOnlyFreeEndsAreClosed)
{
    EXPECT_TRUE(missingLines({arcEntity(50, 50, 25, 0, 0)}).empty());
    // An open arc whose 2-degree chords are long: its free ends have nothing near.
    EXPECT_TRUE(missingLines({arcEntity(0, 0, 100, 30, 200)}).empty());

    // A quarter disc whose closing line starts 0.5 beyond the arc's end.
    const std::vector<ShapeEntity> lines =
        missingLines({lineEntity(0, 0, 10, 0), arcEntity(0, 0, 10, 0, 90), lineEntity(-0.3, 10.4, 0, 0)});
    ASSERT_EQ(lines.size(), 1u);
    const ShapeEntity& l = lines[0];
    EXPECT_EQ(l.RAD, 0);
    EXPECT_EQ(l.X1, -0.3);
    EXPECT_EQ(l.Y1, 10.4);
    EXPECT_NEAR(l.X2, 0, 1e-12);
    EXPECT_NEAR(l.Y2, 10, 1e-12);
}

TEST(CloseOutlines, FreeStartOfASmallOpenArcMeetsTheEndOfItsOwnSecondChord)
{
    // Chords of radius 10 are 0.35 long: the arc's first point is nearest to the end of its
    // first chord as seen from the second chord, so a line doubling the first chord is added.
    // The free end gets nothing: the zero-length closing chord touches it.
    const SegmentList segments = shapeToSegments({arcEntity(0, 0, 10, 30, 200)});
    const SegmentList added = appended(segments);
    ASSERT_EQ(added.size(), 1u) << describe(added);
    EXPECT_TRUE(sameSegment(added[0], segments[0])) << describe(added);
}

TEST(CloseOutlines, ChordsOfOneArcJoinExactlySoNoGapIsLeftToClose)
{
    // A start recomputed from the angle could land a rounding step from the previous chord's end
    // (sweeps of 32, 64, 128 and 256 degrees most often), and closing added a near-zero line there.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> angle(0, 360), radius(0.5, 500);
    for (int n = 0; n < 2000; ++n) {
        const double s = angle(random), sweep = n < 400 ? 32 << (n % 4) : angle(random);
        const SegmentList chords = shapeToSegments({arcEntity(0, 0, radius(random), s, s + sweep)});
        for (std::size_t k = 1; k < chords.size(); ++k)
            ASSERT_TRUE(chords[k].X1 == chords[k - 1].X2 && chords[k].Y1 == chords[k - 1].Y2) << "arc " << n;
    }
}

TEST(MissingLines, AreTheAppendedSegmentsAsLineEntities)
{
    Shape shape = testing::rectangle(0, 0, 10, 10);
    shape.back().X2 = -0.3;
    shape.back().Y2 = 0.4;
    const std::vector<ShapeEntity> lines = missingLines(shape);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], lineEntity(0, 0, -0.3, 0.4));
}

// The grid search must append exactly what the full scan appends, in the same order.
// Returns how many segments the full scan appended.
std::size_t expectSameAsFullScan(const SegmentList& input, const std::string& what)
{
    SegmentList scanned = input, gridded = input;
    closeOutlinesByFullScan(scanned);
    EXPECT_TRUE(closeOutlinesByGrid(gridded)) << what;
    EXPECT_EQ(scanned.size(), gridded.size()) << what;
    for (std::size_t k = input.size(); k < std::min(scanned.size(), gridded.size()); ++k)
        EXPECT_TRUE(sameSegment(scanned[k], gridded[k])) << what << " appended segment " << k;
    return scanned.size() - input.size();
}

TEST(CloseOutlinesGrid, MatchesTheFullScanOnLatticeSegments)
{
    // Ends on a 0.1 lattice: many ties, touching ends, level and plumb gaps.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> lattice(0, 60);
    std::size_t total = 0;
    for (int trial = 0; trial < 60; ++trial) {
        SegmentList input;
        for (int n = 0; n < 120; ++n)
            input.push_back({lattice(random) * 0.1, lattice(random) * 0.1, lattice(random) * 0.1, lattice(random) * 0.1});
        total += expectSameAsFullScan(input, "lattice trial " + std::to_string(trial));
    }
    EXPECT_GT(total, 100u); // the inputs do have gaps to close
}

TEST(CloseOutlinesGrid, MatchesTheFullScanOnJitteredOutlinesWithArcs)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> jitter(-0.8, 0.8), place(-200, 200), radius(1, 30), angle(0, 360);
    std::size_t total = 0;
    for (int trial = 0; trial < 40; ++trial) {
        Shape shape;
        for (int polygon = 0; polygon < 6; ++polygon) {
            const double x = place(random), y = place(random);
            const double corners[][2] = {{0, 0}, {30, 0}, {30, 20}, {0, 20}};
            for (int c = 0; c < 4; ++c) {
                const auto& a = corners[c];
                const auto& b = corners[(c + 1) % 4];
                shape.push_back(lineEntity(x + a[0], y + a[1], x + b[0] + jitter(random), y + b[1] + jitter(random)));
            }
        }
        for (int arc = 0; arc < 4; ++arc) {
            const double cx = place(random), cy = place(random), r = radius(random), s = angle(random);
            shape.push_back(arcEntity(cx, cy, r, s, angle(random)));
            shape.push_back(lineEntity(cx + r * std::cos(s * kPi / 180) + jitter(random),
                                       cy + r * std::sin(s * kPi / 180) + jitter(random), cx, cy));
        }
        total += expectSameAsFullScan(shapeToSegments(shape), "jittered trial " + std::to_string(trial));
    }
    EXPECT_GT(total, 400u);
}

TEST(CloseOutlinesGrid, RefusesEndsTooFarApartOrNotFinite)
{
    SegmentList far{{0, 0, 1, 1}, {2e9, 0, 2e9, 1}};
    EXPECT_FALSE(closeOutlinesByGrid(far));
    EXPECT_EQ(far.size(), 2u);
    SegmentList broken{{0, 0, 1, 1}, {std::numeric_limits<double>::quiet_NaN(), 0, 1.3, 1.4}};
    EXPECT_FALSE(closeOutlinesByGrid(broken));
    // closeOutlines then falls back to the full scan and still closes the gap near the origin.
    SegmentList farWithGap{{0, 0, 5, 0}, {5.3, 0.4, 9, 9}, {2e9, 0, 2e9, 5}};
    EXPECT_EQ(appended(farWithGap).size(), 1u);
}

} // namespace
} // namespace dravenor
