// Closing small gaps between segment ends, by the full scan and by the grid search, which must
// append exactly the same segments in the same order.
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

std::string described(const SegmentList& list, std::size_t from = 0)
{
    std::ostringstream text;
    text.precision(12);
    for (std::size_t k = from; k < list.size(); ++k)
        text << "(" << list[k].X1 << "," << list[k].Y1 << ")-(" << list[k].X2 << "," << list[k].Y2 << ") ";
    return text.str();
}

// The segments closeOutlines appends to the list.
std::string appended(SegmentList segments)
{
    const std::size_t before = segments.size();
    closeOutlines(segments);
    return described(segments, before);
}

// A 10 x 10 square whose last line ends at the given point instead of at (0, 0).
SegmentList squareEndingAt(double x, double y)
{
    return shapeToSegments(
        {lineEntity(0, 0, 10, 0), lineEntity(10, 0, 10, 10), lineEntity(10, 10, 0, 10), lineEntity(0, 10, x, y)});
}

TEST(CloseOutlines, GapsUnderOneThatAreNeitherLevelNorPlumbAreClosedOnce)
{
    const struct {
        const char* name;
        SegmentList segments;
        std::string appended;
    } cases[] = {
        {"small slanted gap, closed from the first segment", squareEndingAt(0.3, 0.4), "(0,0)-(0.3,0.4) "},
        {"just under 1", squareEndingAt(0.6, 0.79), "(0,0)-(0.6,0.79) "},
        {"closed", shapeToSegments(testing::rectangle(0, 0, 40, 25)), ""},
        {"level", squareEndingAt(0.5, 0), ""},
        {"plumb", squareEndingAt(0, 0.5), ""},
        {"1.2 long", squareEndingAt(0.72, 0.96), ""},
        {"a single segment", {{0, 0, 0.3, 0.4}}, ""},
        {"nothing", {}, ""},
        // (0.3, 0.4) and (0.4, -0.3) are both 0.5 from (0, 0).
        {"equally near ends: the lower segment", {{0, 0, -5, 0}, {3, 3, 0.3, 0.4}, {0.4, -0.3, 4, -4}},
         "(0,0)-(0.3,0.4) (0.4,-0.3)-(0,0) "},
        {"equally near ends: the start first", {{0, 0, -5, 0}, {0.3, 0.4, 0.4, -0.3}},
         "(0,0)-(0.3,0.4) (0.4,-0.3)-(0,0) "},
        // The arc's first point is nearest to the end of its first chord as seen from the second
        // chord (chords of radius 10 are 0.35 long), so a line doubling the first chord is added;
        // the free end gets nothing: the zero-length closing chord touches it.
        {"free start of a small open arc", shapeToSegments({arcEntity(0, 0, 10, 30, 200)}),
         described({shapeToSegments({arcEntity(0, 0, 10, 30, 200)})[0]})},
        // Ends too far apart for the grid: the full scan still closes the gap near the origin.
        {"ends a billion apart", {{0, 0, 5, 0}, {5.3, 0.4, 9, 9}, {2e9, 0, 2e9, 5}}, "(5,0)-(5.3,0.4) "},
    };
    for (const auto& c : cases) EXPECT_EQ(appended(c.segments), c.appended) << c.name;
}

TEST(CloseOutlines, MissingLinesJoinOnlyTheFreeEndsOfArcsAndLines)
{
    EXPECT_TRUE(missingLines({arcEntity(50, 50, 25, 0, 0)}).empty());
    EXPECT_TRUE(missingLines({arcEntity(0, 0, 100, 30, 200)}).empty()); // chords too long to close on
    // A quarter disc whose closing line starts 0.5 beyond the arc's end.
    const std::vector<ShapeEntity> lines =
        missingLines({lineEntity(0, 0, 10, 0), arcEntity(0, 0, 10, 0, 90), lineEntity(-0.3, 10.4, 0, 0)});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].isLine() && lines[0].X1 == -0.3 && lines[0].Y1 == 10.4);
    EXPECT_NEAR(lines[0].X2, 0, 1e-12);
    EXPECT_NEAR(lines[0].Y2, 10, 1e-12);
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

// Returns how many segments the full scan appended.
std::size_t expectGridMatchesFullScan(const SegmentList& input, const std::string& what)
{
    SegmentList scanned = input, gridded = input;
    closeOutlinesByFullScan(scanned);
    EXPECT_TRUE(closeOutlinesByGrid(gridded)) << what;
    const auto same = [](const Segment& a, const Segment& b) {
        return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
    };
    EXPECT_TRUE(std::equal(scanned.begin(), scanned.end(), gridded.begin(), gridded.end(), same))
        << what << ": " << described(gridded, input.size()) << "instead of " << described(scanned, input.size());
    return scanned.size() - input.size();
}

TEST(CloseOutlinesGrid, MatchesTheFullScanOnLatticesAndJitteredOutlinesWithArcs)
{
    // Ends on a 0.1 lattice: many ties, touching ends, level and plumb gaps.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> lattice(0, 60);
    std::size_t total = 0;
    for (int trial = 0; trial < 60; ++trial) {
        SegmentList input;
        for (int n = 0; n < 120; ++n)
            input.push_back({lattice(random) * 0.1, lattice(random) * 0.1, lattice(random) * 0.1, lattice(random) * 0.1});
        total += expectGridMatchesFullScan(input, "lattice trial " + std::to_string(trial));
    }
    EXPECT_GT(total, 100u); // the inputs do have gaps to close

    random.seed(5);
    std::uniform_real_distribution<double> jitter(-0.8, 0.8), place(-200, 200), radius(1, 30), angle(0, 360);
    total = 0;
    for (int trial = 0; trial < 40; ++trial) {
        Shape shape;
        for (int polygon = 0; polygon < 6; ++polygon) {
            const double x = place(random), y = place(random);
            const double corners[][2] = {{0, 0}, {30, 0}, {30, 20}, {0, 20}};
            for (int c = 0; c < 4; ++c) {
                const auto &a = corners[c], &b = corners[(c + 1) % 4];
                shape.push_back(lineEntity(x + a[0], y + a[1], x + b[0] + jitter(random), y + b[1] + jitter(random)));
            }
        }
        for (int arc = 0; arc < 4; ++arc) {
            const double cx = place(random), cy = place(random), r = radius(random), s = angle(random);
            shape.push_back(arcEntity(cx, cy, r, s, angle(random)));
            shape.push_back(lineEntity(cx + r * std::cos(s * kPi / 180) + jitter(random),
                                       cy + r * std::sin(s * kPi / 180) + jitter(random), cx, cy));
        }
        total += expectGridMatchesFullScan(shapeToSegments(shape), "jittered trial " + std::to_string(trial));
    }
    EXPECT_GT(total, 400u);

    SegmentList far{{0, 0, 1, 1}, {2e9, 0, 2e9, 1}};
    EXPECT_FALSE(closeOutlinesByGrid(far));
    EXPECT_EQ(far.size(), 2u);
    SegmentList broken{{0, 0, 1, 1}, {std::numeric_limits<double>::quiet_NaN(), 0, 1.3, 1.4}};
    EXPECT_FALSE(closeOutlinesByGrid(broken));
}

} // namespace
} // namespace dravenor
