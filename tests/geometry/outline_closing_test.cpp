// Closing small gaps between segment ends (the cases are in shape_cases_test.cpp): arcs leave no
// gap between their own chords, and the grid search appends exactly what the full scan appends.
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
