#include <gtest/gtest.h>

#include <cmath>

#include "engine/rasterise.h"
#include "raster_test_support.h"

namespace dravenor {
namespace {

using namespace testing;

TEST(DigitiseSegment, HalvesGoUpAndStepsFollowTheLongerSide)
{
    EXPECT_EQ(digitiseSegment({12.5, 0, 12.5, 3}), (std::vector<Cell>{{13, 0}, {13, 1}, {13, 2}, {13, 3}}));
    // Round(2.5) = 2 steps of one cell.
    EXPECT_EQ(digitiseSegment({0, 0, 2.5, 0}), (std::vector<Cell>{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(digitiseSegment({0, 0, 3, 1.5}), (std::vector<Cell>{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
    EXPECT_EQ(digitiseSegment({3, 4, 3, 4}), (std::vector<Cell>{{3, 4}}));
    EXPECT_EQ(digitiseSegment({-2.5, 0, -2.5, 0}), (std::vector<Cell>{{-2, 0}}));
    // Walking backwards visits the same line from the other end.
    EXPECT_EQ(digitiseSegment({4, 2, 0, 0}), (std::vector<Cell>{{4, 2}, {3, 2}, {2, 1}, {1, 1}, {0, 0}}));
}

TEST(RasteriseOutline, DiscAndRingAreFilledAndTheHoleStaysFree)
{
    TestRun t;
    Outline ring = circleOutline(0, 0, 30);
    append(ring, circleOutline(0, 0, 12));
    struct Band {
        double from, to;
        bool occupied;
    };
    struct Case {
        Outline outline;
        int radius;
        std::vector<Band> bands; // by distance from the centre
    };
    const std::vector<Case> cases{{circleOutline(50, 50, 20), 20, {{0, 19.3, true}, {20.8, 1e9, false}}},
                                  {ring, 30, {{0, 10.5, false}, {13.5, 28.5, true}, {31, 1e9, false}}}};
    for (const Case& c : cases) {
        const Raster r = rasteriseOutline(c.outline, t.run);
        ASSERT_EQ(r.W(), 2 * c.radius);
        ASSERT_EQ(r.H(), 2 * c.radius);
        EXPECT_FALSE(r.tooSmall());
        EXPECT_TRUE(r.test(0, c.radius)); // the outline itself
        for (int y = 0; y <= r.H(); ++y)
            for (int x = 0; x <= r.W(); ++x)
                for (const Band& b : c.bands) {
                    const double d = std::hypot(x - c.radius, y - c.radius);
                    if (d >= b.from && d <= b.to) {
                        ASSERT_EQ(r.test(x, y), b.occupied) << x << "," << y;
                    }
                }
    }
    EXPECT_TRUE(t.progress.warnings.empty());
}

TEST(RasteriseOutline, PartWithoutInsideIsFilledAsBoxAndWarnedOnce)
{
    TestRun t;
    const UniformRandom before = t.run.random;
    const Raster r = rasteriseOutline(rectangleOutline(30, 1), t.run);
    EXPECT_EQ(r.W(), 30);
    EXPECT_EQ(r.H(), 1);
    EXPECT_TRUE(r.tooSmall());
    EXPECT_EQ(r.countOccupied(), 31 * 2);
    // Every one of the 2 x W x H tries drew two values.
    EXPECT_EQ(drawsBetween(before, t.run.random), 2 * 2 * 30 * 1);
    ASSERT_EQ(t.progress.warnings, std::vector<std::string>{"One or more parts are too small, kerf may increase slightly"});

    rasteriseOutline(rectangleOutline(1, 40), t.run);
    EXPECT_EQ(t.progress.warnings.size(), 1u);
}

TEST(PrepareSheet, WideRectangleStandsUpright)
{
    TestRun t;
    const UniformRandom before = t.run.random;
    const PreparedSheet wide = prepareSheet(rectangleOutline(2000, 1000), t.run);
    EXPECT_EQ(wide.angle, 90);
    ASSERT_EQ(wide.raster.W(), 1000);
    ASSERT_EQ(wide.raster.H(), 2000);
    EXPECT_EQ(drawsBetween(before, t.run.random), 0);
    for (const auto& [x, y] : std::vector<Cell>{{0, 0}, {0, 1500}, {1000, 7}, {500, 0}, {500, 2000}, {1000, 2000}})
        EXPECT_TRUE(wide.raster.test(x, y)) << x << "," << y;
    EXPECT_FALSE(wide.raster.test(1, 1));
    EXPECT_FALSE(wide.raster.test(999, 1999));
    EXPECT_EQ(wide.raster.countOccupied(), 2 * 1001 + 2 * 1999);

    const PreparedSheet tall = prepareSheet(rectangleOutline(1000, 2000), t.run);
    EXPECT_EQ(tall.angle, 0);
    EXPECT_EQ(tall.raster, wide.raster);
}

} // namespace
TEST(PartRaster, BuiltOnceAndReusedByNameWithoutDrawing)
{
    TestRun t;
    const Raster first = partRaster(circleOutline(0, 0, 10), "/jobs/a/plate.shp", 90, t.run);
    const UniformRandom before = t.run.random;
    // Same name (same file name, angle rounding to 90): the cached raster, not this outline.
    const Raster again = partRaster(rectangleOutline(5, 5), "/jobs/b/plate.shp", 89.6, t.run);
    EXPECT_EQ(drawsBetween(before, t.run.random), 0);
    EXPECT_EQ(again, first);
    EXPECT_EQ(t.run.caches.partRasters.count("90plate.b"), 1u);

    const Raster other = partRaster(rectangleOutline(5, 5), "/jobs/b/plate.shp", 180, t.run);
    EXPECT_EQ(other.W(), 5);
    EXPECT_GT(drawsBetween(before, t.run.random), 0);
}

TEST(PrepareSheet, OtherShapesAreFreeInsideAndOccupiedOutside)
{
    TestRun t;
    // L-shaped offcut with its square corner at the origin: not turned.
    const PreparedSheet l = prepareSheet(polygon({{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}}), t.run);
    EXPECT_EQ(l.angle, 0);
    ASSERT_EQ(l.raster.W(), 100);
    ASSERT_EQ(l.raster.H(), 100);
    EXPECT_FALSE(l.raster.test(20, 20));
    EXPECT_FALSE(l.raster.test(39, 39));
    EXPECT_FALSE(l.raster.test(90, 30));
    EXPECT_TRUE(l.raster.test(70, 70));  // the missing corner
    EXPECT_TRUE(l.raster.test(41, 99));
    EXPECT_TRUE(l.raster.test(100, 20)); // edges
    EXPECT_TRUE(l.raster.test(40, 70));
    EXPECT_TRUE(l.raster.test(0, 0));
    EXPECT_EQ(l.raster.countOccupied(), 101 * 101 - 99 * 39 - 39 * 60);
}

TEST(PrepareSheet, SheetWithoutSquareCornerLiesOnItsLongestEdge)
{
    TestRun t;
    // A square standing on a corner, counter-clockwise: its first edge (the longest of four
    // equal ones) ends up along the bottom.
    const PreparedSheet ccw = prepareSheet(polygon({{50, 0}, {100, 50}, {50, 100}, {0, 50}}), t.run);
    EXPECT_NEAR(ccw.angle, 315, 1e-9);
    EXPECT_EQ(ccw.raster.W(), 71);
    EXPECT_EQ(ccw.raster.H(), 71);
    EXPECT_FALSE(ccw.raster.test(35, 35));
    EXPECT_FALSE(ccw.raster.test(3, 3));
    EXPECT_TRUE(ccw.raster.test(35, 0));
    EXPECT_TRUE(ccw.raster.test(0, 35));
    EXPECT_TRUE(ccw.raster.test(71, 71));

    // Clockwise, the same first edge would lie on top: turned by a further 180 degrees.
    const PreparedSheet cw = prepareSheet(polygon({{50, 0}, {0, 50}, {50, 100}, {100, 50}}), t.run);
    EXPECT_NEAR(cw.angle, 45, 1e-9); // 225 + 180, less a full turn
    EXPECT_FALSE(cw.raster.test(35, 35));
}

} // namespace dravenor
