#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "engine/fast_round.h"
#include "engine/raster.h"
#include "raster_test_support.h"

namespace dravenor {
namespace {

using namespace testing;

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

} // namespace
} // namespace dravenor
