// The word-parallel fit test, stamp, free scan and stack fill against the cell-by-cell reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "cell_by_cell_fit.h"
#include "engine/placement.h"
#include "raster_test_support.h"

namespace dravenor {

inline void PrintTo(const Placement& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ", " << p.angle << ")"; }

namespace {

using namespace testing;

// A sheet with scattered occupied blobs, as left by earlier placements.
Raster clutteredSheet(std::mt19937& rng, int W, int H, int blobs)
{
    Raster sheet(W, H);
    for (int b = 0; b < blobs; ++b) stamp(blobRaster(uniform(rng, 1, 30), uniform(rng, 1, 30)), sheet, uniform(rng, -10, W), uniform(rng, -10, H));
    return sheet;
}

// A solid blob, a random scatter or a ring.
Raster randomPart(std::mt19937& rng)
{
    const int W = uniform(rng, 0, 140), H = uniform(rng, 0, 40);
    switch (uniform(rng, 0, 2)) {
    case 0: return blobRaster(W, H);
    case 1: return randomRaster(rng, W, H, std::uniform_real_distribution<double>(0.02, 0.3)(rng));
    default: {
        Raster ring = blobRaster(W, H);
        for (const auto& [x, y] : occupiedCells(blobRaster(W / 2, H / 2))) ring.clear(x + W / 4, y + H / 4);
        return ring;
    }
    }
}

TEST(Fits, WordParallelAgreesWithCellByCellOnRandomCases)
{
    std::mt19937 rng(2024);
    UniformRandom random;
    int fitting = 0, total = 0;
    for (int c = 0; c < 300; ++c) {
        const Raster part = randomPart(rng);
        const Raster sheet = clutteredSheet(rng, uniform(rng, 50, 400), uniform(rng, 30, 120), uniform(rng, 0, 12));
        const KeyPoints keys = makeKeyPoints(part, random);
        for (int p = 0; p < 40; ++p, ++total) {
            const int x = uniform(rng, -3, std::max(sheet.W() - part.W(), 0) + 3);
            const int y = uniform(rng, -3, std::max(sheet.H() - part.H(), 0) + 3);
            const bool expected = cellByCellFits(part, sheet, keys, x, y);
            ASSERT_EQ(fits(part, sheet, keys, x, y), expected) << "case " << c << " at " << x << "," << y;
            fitting += expected;
        }
    }
    EXPECT_GT(fitting, total / 10);
    EXPECT_LT(fitting, total * 9 / 10);
}

TEST(Stamp, WordParallelAgreesWithCellByCell)
{
    std::mt19937 rng(99);
    for (int c = 0; c < 300; ++c) {
        const Raster part = randomPart(rng);
        Raster sheet = clutteredSheet(rng, 200, 60, 3);
        Raster expected = sheet;
        const int x = uniform(rng, -5, 205), y = uniform(rng, -5, 65);
        stamp(part, sheet, x, y);
        cellByCellStamp(part, expected, x, y);
        ASSERT_EQ(sheet, expected) << "at " << x << "," << y;
    }
}

TEST(KeyPoints, SmallPartsGetNoneAndDrawNothing)
{
    UniformRandom random;
    const UniformRandom before = random;
    for (const auto& [W, H] : std::vector<std::pair<int, int>>{{2, 3}, {6, 1}, {0, 50}})
        EXPECT_TRUE(makeKeyPoints(blobRaster(W, H), random).empty()) << W << "x" << H;
    EXPECT_EQ(drawsBetween(before, random), 0);
}

// A part and its partner orientation with their key points.
struct ScanCase {
    Raster a, b;
    KeyPoints keysA, keysB;
    OrientedPair pair() const { return {&a, &b, &keysA, &keysB}; }
};

ScanCase solidCase(int W, int H)
{
    ScanCase c;
    c.a = Raster(W, H);
    c.a.fillBox();
    c.b = c.a;
    return c;
}

StackParams lattice(int stepX, int stepY, int shiftX)
{
    StackParams params;
    params.StepX = stepX;
    params.StepY = stepY;
    params.ShiftX = shiftX;
    return params;
}

TEST(FreeScan, StopsOneColumnShortWhileTheStackFillReachesTheLastColumn)
{
    // Only columns 15..20 are free; a part 5 wide fits only at column 15 = 20 - 5.
    Raster sheet(20, 10);
    for (int y = 0; y <= 10; ++y) sheet.setRun(0, 14, y);
    const ScanCase part = solidCase(5, 3);
    std::vector<Placement> placements;
    std::int32_t remaining = 2;
    freeScan(part.pair(), sheet, placements, remaining, {0, 0, 20, 10}, 6, "", 0);
    EXPECT_TRUE(placements.empty());
    EXPECT_EQ(remaining, 2);

    Frontier frontier;
    stackFill(frontier, part.pair(), sheet, remaining, placements, lattice(6, 4, 0), NestingMode::Stack);
    EXPECT_EQ(placements, (std::vector<Placement>{{15, 0, 0}, {15, 4, 0}}));
    EXPECT_EQ(remaining, 0);
    EXPECT_EQ(frontier.StackRow, 4 + 3 + 1);
}

TEST(FreeScan, FirstFitRowByRowWithAdvanceAndTurnedCopies)
{
    // A: an L opening to the upper right (row 0 first); B: the same turned by 180 degrees.
    ScanCase c;
    c.a = Raster(3, 2);
    c.b = Raster(3, 2);
    for (int i = 0; i <= 3; ++i) {
        c.a.set(i, 0);
        c.b.set(i, 2);
    }
    for (int j = 1; j <= 2; ++j) {
        c.a.set(0, j);
        c.b.set(3, j - 1);
    }
    Raster sheet(11, 5);
    std::vector<Placement> placements;
    std::int32_t remaining = 5;
    freeScan(c.pair(), sheet, placements, remaining, {0, 0, 11, 5}, 5, "", 90);
    // Row 0: A at 0 and (advance 5) at 5; row 1: A meets the first L's upright, B fits its corner.
    ASSERT_GE(placements.size(), 3u);
    EXPECT_EQ(placements[0], (Placement{0, 0, 90}));
    EXPECT_EQ(placements[1], (Placement{5, 0, 90}));
    EXPECT_EQ(placements[2], (Placement{0, 1, 270}));
}

TEST(StackFill, StartsAtTheLowestThenLeftmostFitAndFollowsTheLattice)
{
    Raster sheet(60, 40);
    for (int y = 0; y <= 4; ++y) sheet.setRun(0, 60, y);
    sheet.setRun(0, 9, 5);
    std::vector<Placement> placements;
    std::int32_t remaining = 6;
    Frontier frontier;
    stackFill(frontier, solidCase(4, 2).pair(), sheet, remaining, placements, lattice(20, 10, 3), NestingMode::Stack);
    // First fit (10, 5); then 30, 50; next row: (70 + 3) mod 20 = 13, 33, 53.
    EXPECT_EQ(placements,
              (std::vector<Placement>{{10, 5, 0}, {30, 5, 0}, {50, 5, 0}, {13, 15, 0}, {33, 15, 0}, {53, 15, 0}}));
    EXPECT_EQ(frontier.StackRow, 15 + 2 + 1);
}

TEST(StackFill, PartnerRowsAlternateWithPlainRows)
{
    Raster sheet(30, 40);
    StackParams params = lattice(10, 5, 2);
    params.PairAngle = 180;
    params.PairShiftX = 7;
    params.PairShiftY = 6;
    std::vector<Placement> placements;
    std::int32_t remaining = 9;
    Frontier frontier;
    stackFill(frontier, solidCase(3, 3).pair(), sheet, remaining, placements, params, NestingMode::Stack);
    // Plain row 0 at 0, 10, 20; partner row 5 at (30 + 2) mod 10 = 2; plain row 11 at
    // (32 + 7 - 2) mod 10 = 7.
    EXPECT_EQ(placements, (std::vector<Placement>{{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {2, 5, 180}, {12, 5, 180},
                                                  {22, 5, 180}, {7, 11, 0}, {17, 11, 0}, {27, 11, 0}}));
}

TEST(StackFill, FrontierOnTheLastRowIsSearchedToTheRowEnd)
{
    // A part one row high whose frontier lies on row sheet H: the first-fit search finishes
    // that row (columns 0 and 1 are taken) and then stops, as the search position by position
    // does; from an earlier row it never reaches row sheet H.
    ScanCase bar = solidCase(3, 0);
    for (const FitTest fitTest : {FitTest{nullptr}, FitTest{&cellByCellFits}}) {
        Raster sheet(20, 10);
        sheet.setRun(0, 1, 10);
        std::vector<Placement> placements;
        std::int32_t remaining = 9;
        Frontier frontier{0, 10};
        stackFill(frontier, bar.pair(), sheet, remaining, placements, lattice(6, 1, 0), NestingMode::Stack, fitTest);
        EXPECT_EQ(placements, (std::vector<Placement>{{2, 10, 0}, {8, 10, 0}, {14, 10, 0}}));
        EXPECT_EQ(frontier.StackRow, 11);

        // From a full row 9 the search moves on to row 10 = sheet H and ends there: nothing placed.
        Raster full(20, 10);
        full.setRun(0, 20, 9);
        std::vector<Placement> none;
        Frontier below{0, 9};
        stackFill(below, bar.pair(), full, remaining, none, lattice(6, 1, 0), NestingMode::Stack, fitTest);
        EXPECT_TRUE(none.empty());
        EXPECT_EQ(below.StackRow, 9);
    }
}

// A random part, the same turned by 180 degrees, and a cluttered sheet.
struct RandomScan : ScanCase {
    Raster sheet;
    RandomScan(std::mt19937& rng, UniformRandom& random)
    {
        a = randomPart(rng);
        b = Raster(a.W(), a.H());
        for (const auto& [x, y] : occupiedCells(a)) b.set(a.W() - x, a.H() - y);
        keysA = makeKeyPoints(a, random);
        keysB = makeKeyPoints(b, random);
        sheet = clutteredSheet(rng, uniform(rng, 40, 300), uniform(rng, 30, 150), uniform(rng, 0, 25));
    }
};

TEST(FreeScan, RowSearchPlacesExactlyAsTestingEveryPosition)
{
    std::mt19937 rng(31);
    UniformRandom random;
    size_t placed = 0;
    for (int c = 0; c < 250; ++c) {
        RandomScan t(rng, random);
        const int W = t.sheet.W() + 2, H = t.sheet.H() + 2;
        const ScanWindow window{uniform(rng, 0, W), uniform(rng, 0, H), uniform(rng, 0, W), uniform(rng, 0, H)};
        const int advance = uniform(rng, 1, 40);
        const std::string orn = c % 3 ? "" : "No";
        Raster reference = t.sheet;
        std::vector<Placement> fast, slow;
        std::int32_t fastRemaining = uniform(rng, 1, 30), slowRemaining = fastRemaining;
        freeScan(t.pair(), t.sheet, fast, fastRemaining, window, advance, orn, 0);
        freeScan(t.pair(), reference, slow, slowRemaining, window, advance, orn, 0, &cellByCellFits);
        ASSERT_EQ(fast, slow) << "case " << c;
        ASSERT_EQ(fastRemaining, slowRemaining);
        ASSERT_EQ(t.sheet, reference);
        placed += fast.size();
    }
    EXPECT_GT(placed, 300u);
}

TEST(StackFill, FirstFitSearchAndFillAsTestingEveryPosition)
{
    std::mt19937 rng(37);
    UniformRandom random;
    size_t placed = 0;
    for (int c = 0; c < 250; ++c) {
        RandomScan t(rng, random);
        StackParams params;
        params.StepX = uniform(rng, 1, t.a.W() + 3);
        params.StepY = uniform(rng, 1, t.a.H() + 3);
        params.ShiftX = uniform(rng, 0, params.StepX + 4);
        if (c % 2) {
            params.PairAngle = 180;
            params.PairShiftX = uniform(rng, 0, params.StepX + 4);
            params.PairShiftY = uniform(rng, 1 - params.StepY, t.a.H() + 3);
        }
        const NestingMode mode = c % 3 ? NestingMode::Stack : NestingMode::ContinuousStack;
        Frontier fastFrontier{uniform(rng, 0, t.sheet.W()), uniform(rng, 0, t.sheet.H())};
        Frontier slowFrontier = fastFrontier;
        Raster reference = t.sheet;
        std::vector<Placement> fast, slow;
        std::int32_t fastRemaining = uniform(rng, 1, 60), slowRemaining = fastRemaining;
        stackFill(fastFrontier, t.pair(), t.sheet, fastRemaining, fast, params, mode);
        stackFill(slowFrontier, t.pair(), reference, slowRemaining, slow, params, mode, &cellByCellFits);
        ASSERT_EQ(fast, slow) << "case " << c;
        ASSERT_EQ(fastFrontier.StackCol, slowFrontier.StackCol);
        ASSERT_EQ(fastFrontier.StackRow, slowFrontier.StackRow);
        ASSERT_EQ(t.sheet, reference);
        placed += fast.size();
    }
    EXPECT_GT(placed, 300u);
}

} // namespace
} // namespace dravenor
