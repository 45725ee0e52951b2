#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "engine/fast_round.h"
#include "engine/raster.h"
#include "engine/run_caches.h"
#include "raster_test_support.h"

namespace dravenor {
namespace {

using namespace testing;

TEST(Raster, BoxSizeRoundsHalvesToEven)
{
    EXPECT_EQ(Raster::forBox(10, 5).W(), 10);
    EXPECT_EQ(Raster::forBox(10, 5).H(), 5);
    // 10.5 + 3 = 13.5 rounds to 14, 11.5 + 3 = 14.5 also rounds to 14.
    EXPECT_EQ(Raster::forBox(10.5, 0).W(), 11);
    EXPECT_EQ(Raster::forBox(11.5, 0).W(), 11);
    EXPECT_EQ(Raster::forBox(0.4, 0.6).W(), 0);
    EXPECT_EQ(Raster::forBox(0.4, 0.6).H(), 1);
}

TEST(Raster, CellsSetClearAndTest)
{
    Raster r(130, 4);
    for (const int x : {0, 63, 64, 127, 128, 130}) {
        EXPECT_FALSE(r.test(x, 2));
        r.set(x, 2);
        EXPECT_TRUE(r.test(x, 2)) << x;
        EXPECT_FALSE(r.test(x, 1)) << x;
    }
    EXPECT_EQ(r.countOccupied(), 6);
    r.clear(64, 2);
    EXPECT_FALSE(r.test(64, 2));
    EXPECT_TRUE(r.test(63, 2));
    EXPECT_EQ(r.countOccupied(), 5);
}

TEST(Raster, SpareCellsAreStoredButNotCountedAndFurtherCellsIgnored)
{
    Raster r(10, 10);
    r.set(11, 5); // a digitised edge may reach past W
    r.set(13, 13);
    EXPECT_TRUE(r.test(11, 5));
    EXPECT_TRUE(r.test(13, 13));
    EXPECT_EQ(r.countOccupied(), 0);
    r.set(14, 5);
    r.set(5, 14);
    r.set(-1, 0);
    r.set(0, -1);
    EXPECT_FALSE(r.test(14, 5));
    EXPECT_FALSE(r.test(5, 14));
    EXPECT_FALSE(r.test(-1, 0));
    EXPECT_EQ(Raster(10, 10).countOccupied(), 0);
}

TEST(Raster, FillAndInvertTouchOnlyTheBox)
{
    Raster r(70, 3);
    r.set(72, 1);
    r.set(10, 1);
    r.invertBox();
    EXPECT_EQ(r.countOccupied(), 71 * 4 - 1);
    EXPECT_FALSE(r.test(10, 1));
    EXPECT_TRUE(r.test(72, 1));
    EXPECT_FALSE(r.test(71, 1));
    EXPECT_FALSE(r.test(5, 4));
    r.fillBox();
    EXPECT_EQ(r.countOccupied(), 71 * 4);
    EXPECT_FALSE(r.test(71, 0));
}

TEST(Raster, SixtyFourCellsFromAnyColumn)
{
    std::mt19937 rng(7);
    const Raster r = randomRaster(rng, 200, 3, 0.5);
    for (int x = -3; x < 210; ++x) {
        const std::uint64_t word = r.cellsFrom(x, 1);
        for (int k = 0; k < 64; ++k) ASSERT_EQ(((word >> k) & 1) != 0, r.test(x + k, 1)) << x << " + " << k;
    }
    EXPECT_EQ(r.cellsFrom(0, 9), 0u);
}

TEST(Raster, RunRecordsRowSpan)
{
    Raster r(300, 2);
    r.setRun(60, 200, 1);
    EXPECT_EQ(r.countOccupied(), 141);
    EXPECT_FALSE(r.test(59, 1));
    EXPECT_TRUE(r.test(60, 1));
    EXPECT_TRUE(r.test(200, 1));
    EXPECT_FALSE(r.test(201, 1));
}

TEST(Raster, NegativeSizeHasNoCellsAndHugeSizeIsRefused)
{
    const Raster none(-5, 3);
    EXPECT_EQ(none.W(), -1);
    EXPECT_FALSE(none.test(0, 0));
    EXPECT_EQ(none.countOccupied(), 0);
    EXPECT_THROW(Raster(200000, 200000), std::length_error);
    EXPECT_THROW(Raster::forBox(1e12, 10), std::length_error);
}

TEST(FastRounding, SameAsRoundHalfEven)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> any(-5000, 5000);
    for (int i = 0; i < 100000; ++i) {
        const double v = i % 2 ? any(rng) : std::floor(any(rng)) + 0.5;
        ASSERT_EQ(roundHalfEvenFast(v), roundHalfEven(v)) << v;
    }
    for (const double v : {0.5, 1.5, 2.5, -0.5, -1.5, 0.49999999999999994, 4503599627370497.0, 1e300, -1e300})
        EXPECT_EQ(roundHalfEvenFast(v), roundHalfEven(v)) << v;
}

TEST(RunCaches, NamesFromTheFileNameWithoutFolder)
{
    EXPECT_EQ(cacheName("/jobs/steel/plate.shp", "d"), "plate.d");
    EXPECT_EQ(cacheName("C:\\jobs\\BRACKET.shp", "STK"), "BRACKET.STK");
    EXPECT_EQ(partRasterName(90, "/jobs/plate.shp"), "90plate.b");
    EXPECT_EQ(partRasterName(360, "plate.shp"), "360plate.b");
    EXPECT_EQ(partRasterName(450.4, "plate.shp"), "90plate.b");
    EXPECT_EQ(partRasterName(-90, "plate.shp"), "270plate.b");
    EXPECT_EQ(partRasterName(12.5, "plate.shp"), "12plate.b");
}

} // namespace
} // namespace dravenor
