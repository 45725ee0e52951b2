// Key points: the random draws they use up, the cells they pick, and the two ways of drawing
// them (one pair at a time, eight at a time) giving the same points from the same sequence.
#include <gtest/gtest.h>

#include <random>

#include "engine/key_point_draws.h"
#include "engine/wide_vectors.h"
#include "engine/placement.h"
#include "job/number_format.h"
#include "raster_test_support.h"

namespace dravenor {
namespace {

using namespace testing;

// Key points as the rule states them, one value at a time from next(): a row, then a column,
// until the cell is occupied; no point within 2 (W - 1) (H - 1) pairs empties the list.
KeyPoints keyPointsByTheRule(const Raster& part, UniformRandom& random)
{
    const int W = part.W(), H = part.H();
    const int count = std::min(toWhole(W * 0.08 * H), 32000);
    KeyPoints keys;
    for (int k = 0; k < count; ++k) {
        long long tries = 0;
        while (true) {
            if (tries++ >= 2LL * (W - 1) * (H - 1)) return {};
            const double y = random.next() * (H - 1) + 1;
            const double x = random.next() * (W - 1) + 1;
            const int cx = static_cast<int>(roundHalfEven(x)), cy = static_cast<int>(roundHalfEven(y));
            if (part.test(cx, cy)) {
                keys.emplace_back(cx, cy);
                break;
            }
        }
    }
    return keys;
}

KeyPointDraws drawsFor(const Raster& part, std::int32_t count, long long limit, size_t stored)
{
    KeyPointDraws job;
    job.cells = part.row(0);
    job.stride = part.stride();
    job.rowSpan = part.H() - 1;
    job.columnSpan = part.W() - 1;
    job.count = count;
    job.drawLimit = limit;
    job.stored = stored;
    return job;
}

TEST(UniformRandom, ValuesCanBeComputedAheadAndSkipped)
{
    UniformRandom random(77);
    UniformRandom skipping = random;
    const std::uint64_t counter = random.counter();
    for (std::uint64_t k = 1; k <= 1000; ++k)
        ASSERT_EQ(random.nextBits(), UniformRandom::bitsAt(counter + k * UniformRandom::kStep)) << k;
    skipping.skip(1000);
    EXPECT_EQ(skipping.nextBits(), random.nextBits());
}

TEST(KeyPoints, SameCellsAndDrawsAsTheRule)
{
    std::mt19937 rng(5);
    UniformRandom random;
    for (int c = 0; c < 60; ++c) {
        const int W = std::uniform_int_distribution<int>(3, 300)(rng);
        const int H = std::uniform_int_distribution<int>(3, 120)(rng);
        const Raster part = c % 2 ? blobRaster(W, H) : randomRaster(rng, W, H, 0.05 + 0.01 * c);
        UniformRandom byRule = random;
        const KeyPoints expected = keyPointsByTheRule(part, byRule);
        const KeyPoints keys = makeKeyPoints(part, random);
        ASSERT_EQ(keys, expected) << W << "x" << H;
        ASSERT_EQ(drawsBetween(byRule, random, 0), 0) << "draws used up differ, " << W << "x" << H;
        for (const auto& [x, y] : keys) ASSERT_TRUE(part.test(x, y));
    }
}

TEST(KeyPoints, KeepingFewerDrawsTheSameAndKeepsTheFirst)
{
    UniformRandom all, few;
    const Raster part = blobRaster(200, 90);
    const KeyPoints every = makeKeyPoints(part, all);
    const KeyPoints first = makeKeyPoints(part, few, 24);
    ASSERT_EQ(every.size(), static_cast<size_t>(toWhole(200 * 0.08 * 90)));
    ASSERT_EQ(first.size(), 24u);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), every.begin()));
    EXPECT_EQ(drawsBetween(few, all, 0), 0);
}

TEST(KeyPoints, PartWithoutCellsGetsNoneAfterTheDrawLimit)
{
    UniformRandom random;
    const UniformRandom before = random;
    EXPECT_TRUE(makeKeyPoints(Raster(10, 10), random).empty());
    // 2 * 9 * 9 pairs without a hit, two values each.
    EXPECT_EQ(drawsBetween(before, random), 324);
}

// A sparse part: the search may end at the miss limit or find all points just before it.
TEST(KeyPointDraws, EightAtATimeGiveTheSamePointsAndDraws)
{
    if (!wideVectorsAvailable()) GTEST_SKIP() << "no 512-bit vectors on this processor";
    std::mt19937 rng(11);
    int incomplete = 0;
    for (int c = 0; c < 400; ++c) {
        const int W = std::uniform_int_distribution<int>(1, 260)(rng);
        const int H = std::uniform_int_distribution<int>(1, 90)(rng);
        const double share = c % 3 == 0 ? 0.002 : std::uniform_real_distribution<double>(0.01, 1.0)(rng);
        const Raster part = randomRaster(rng, W, H, share);
        const std::int32_t count = std::uniform_int_distribution<std::int32_t>(1, 400)(rng);
        const long long limit = c % 4 == 0 ? std::uniform_int_distribution<long long>(0, 20)(rng)
                                           : 2LL * (W - 1) * (H - 1);
        const size_t stored = c % 5 == 0 ? static_cast<size_t>(count) : std::uniform_int_distribution<size_t>(0, 30)(rng);
        const KeyPointDraws job = drawsFor(part, count, limit, stored);
        const std::uint64_t counter = rng();
        std::vector<std::pair<int, int>> one(stored + 1), eight(stored + 1);
        const KeyPointOutcome a = drawKeyPointsOneByOne(job, counter, one.data());
        const KeyPointOutcome b = drawKeyPointsWide(job, counter, eight.data());
        ASSERT_EQ(a.complete, b.complete) << "case " << c;
        ASSERT_EQ(a.draws, b.draws) << "case " << c;
        const size_t written = a.complete ? std::min(stored, static_cast<size_t>(count)) : 0;
        ASSERT_TRUE(std::equal(one.begin(), one.begin() + static_cast<std::ptrdiff_t>(written), eight.begin()))
            << "case " << c;
        incomplete += !a.complete;
    }
    EXPECT_GT(incomplete, 20);
    EXPECT_LT(incomplete, 300);
}

} // namespace
} // namespace dravenor
