#include <gtest/gtest.h>

#include <cmath>

#include "engine/raster_fill.h"
#include "engine/rasterise.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "job/number_format.h"
#include "raster_test_support.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using namespace testing;
using dravenor::testing::TempFolder;

constexpr const char* kTooSmall = "One or more parts are too small, kerf may increase slightly";

double distance(int x, int y, double cx, double cy) { return std::hypot(x - cx, y - cy); }

TEST(Outline, ShapeFileMovedToTheOriginScaledAndKeptTo15Digits)
{
    TempFolder folder;
    const std::string file = folder.file("plate.shp");
    ASSERT_EQ(saveShapeFile(testing::rectangle(10, 20, 1, 2), file), "");
    const Outline outline = makeOutline(file, 1 / 0.3);
    ASSERT_EQ(outline.size(), 4u);
    const double third = leadingNumber(formatGeneral(1 / 0.3));
    EXPECT_EQ(third, 3.33333333333333);
    EXPECT_EQ(outline[0].X1, 0);
    EXPECT_EQ(outline[0].Y1, 0);
    EXPECT_EQ(outline[0].X2, third);
    EXPECT_EQ(outline[1].Y2, leadingNumber(formatGeneral(2 / 0.3)));

    TestRun t;
    t.run.scale = 2;
    const Outline& loaded = loadOutline(file, t.run);
    EXPECT_EQ(outlineBox(loaded).xmax, 2);
    EXPECT_EQ(outlineBox(loaded).ymax, 4);
    EXPECT_EQ(t.run.caches.outlines.count("plate.d"), 1u);
}

TEST(Outline, TurnsAboutItsBoxCentreAndReturnsToTheOrigin)
{
    Outline o = rectangleOutline(10, 4);
    turnOutline(o, 90);
    const Extents box = outlineBox(o);
    EXPECT_NEAR(box.xmin, 0, 1e-12);
    EXPECT_NEAR(box.ymin, 0, 1e-12);
    EXPECT_NEAR(box.xmax, 4, 1e-9);
    EXPECT_NEAR(box.ymax, 10, 1e-9);
    // The first corner (0, 0) of the upright rectangle goes to the lower right.
    EXPECT_NEAR(o[0].X1, 4, 1e-9);
    EXPECT_NEAR(o[0].Y1, 0, 1e-9);
}

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

TEST(RasteriseOutline, CircleIsAFilledDiscWithItsRing)
{
    TestRun t;
    const Raster r = rasteriseOutline(circleOutline(50, 50, 20), t.run);
    ASSERT_EQ(r.W(), 40);
    ASSERT_EQ(r.H(), 40);
    EXPECT_FALSE(r.tooSmall());
    for (int y = 0; y <= 40; ++y)
        for (int x = 0; x <= 40; ++x) {
            const double d = distance(x, y, 20, 20);
            if (d <= 19.3) {
                EXPECT_TRUE(r.test(x, y)) << x << "," << y;
            }
            if (d >= 20.8) {
                EXPECT_FALSE(r.test(x, y)) << x << "," << y;
            }
        }
    EXPECT_TRUE(r.test(0, 20));  // the ring itself
    EXPECT_TRUE(r.test(20, 40));
    EXPECT_TRUE(t.progress.warnings.empty());
}

TEST(RasteriseOutline, RingKeepsItsHoleFree)
{
    TestRun t;
    Outline ring = circleOutline(0, 0, 30);
    append(ring, circleOutline(0, 0, 12));
    for (int attempt = 0; attempt < 20; ++attempt) { // different seeds, same result
        const Raster r = rasteriseOutline(ring, t.run);
        for (int y = 0; y <= r.H(); ++y)
            for (int x = 0; x <= r.W(); ++x) {
                const double d = distance(x, y, 30, 30);
                if (d <= 10.5) {
                    ASSERT_FALSE(r.test(x, y)) << "hole " << x << "," << y;
                }
                if (d >= 13.5 && d <= 28.5) {
                    ASSERT_TRUE(r.test(x, y)) << "ring " << x << "," << y;
                }
                if (d >= 31) {
                    ASSERT_FALSE(r.test(x, y)) << "outside " << x << "," << y;
                }
            }
    }
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
    ASSERT_EQ(t.progress.warnings, std::vector<std::string>{kTooSmall});

    rasteriseOutline(rectangleOutline(1, 40), t.run);
    EXPECT_EQ(t.progress.warnings.size(), 1u);
}

TEST(RasteriseOutline, SolidPartIsNotMarkedAndMovesToTheOrigin)
{
    TestRun t;
    const Raster r = rasteriseOutline(polygon({{105, 200}, {125, 200}, {125, 210}, {105, 210}}), t.run);
    EXPECT_EQ(r.W(), 20);
    EXPECT_EQ(r.H(), 10);
    EXPECT_FALSE(r.tooSmall());
    EXPECT_EQ(r.countOccupied(), 21 * 11);
}

TEST(SeedSearch, RunsOnRaysAndFloodFillStaysInside)
{
    const Raster outline = rasterFromRows({
        "#########",
        "#.......#",
        "#.#####.#",
        "#.#...#.#",
        "#.#####.#",
        "#########",
    });
    EXPECT_EQ(occupiedRunsInRow(outline, 3, 0, 3), 2);
    EXPECT_EQ(occupiedRunsInRow(outline, 3, 5, 8), 2);
    EXPECT_EQ(occupiedRunsInRow(outline, 1, 0, 8), 2);
    EXPECT_EQ(occupiedRunsInColumn(outline, 4, 0, 2), 2);
    EXPECT_EQ(occupiedRunsInColumn(outline, 1, 1, 4), 0);

    Raster filled = outline;
    floodFill(filled, 1, 1);
    EXPECT_TRUE(filled.test(7, 3));
    EXPECT_FALSE(filled.test(4, 3)); // the inner pocket is not reachable
    EXPECT_EQ(filled.countOccupied(), 9 * 6 - 3);
}

TEST(SeedSearch, ManyWideRowsMatchCellCounting)
{
    std::mt19937 rng(11);
    const Raster r = randomRaster(rng, 300, 2, 0.4);
    for (int x0 = 0; x0 < 300; x0 += 7)
        for (int x1 = x0; x1 <= 300; x1 += 13) {
            int runs = 0;
            for (int x = x0; x <= x1; ++x) runs += r.test(x, 1) && (x == x0 || !r.test(x - 1, 1));
            ASSERT_EQ(occupiedRunsInRow(r, 1, x0, x1), runs) << x0 << ".." << x1;
        }
}

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

TEST(PrepareSheet, HalfCoordinatesOfOtherShapesGoUp)
{
    TestRun t;
    const PreparedSheet l = prepareSheet(polygon({{0, 0}, {30, 0}, {30, 10}, {12.5, 10}, {12.5, 30}, {0, 30}}), t.run);
    EXPECT_EQ(l.angle, 0);
    EXPECT_FALSE(l.raster.test(12, 20));
    EXPECT_TRUE(l.raster.test(13, 20));
    EXPECT_TRUE(l.raster.test(14, 20));
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

TEST(PrepareSheet, NeverCachedSoEverySheetDrawsItsSeedAgain)
{
    TestRun t;
    const Outline l = polygon({{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}});
    UniformRandom before = t.run.random;
    const PreparedSheet first = prepareSheet(l, t.run);
    EXPECT_GT(drawsBetween(before, t.run.random), 0);
    before = t.run.random;
    const PreparedSheet second = prepareSheet(l, t.run);
    EXPECT_GT(drawsBetween(before, t.run.random), 0);
    EXPECT_EQ(first.raster, second.raster);
    EXPECT_TRUE(t.run.caches.partRasters.empty());
}

} // namespace
} // namespace dravenor
