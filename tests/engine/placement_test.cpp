#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "cell_by_cell_fit.h"
#include "engine/part_analysis.h"
#include "engine/placement.h"
#include "engine/rasterise.h"
#include "job/number_format.h"
#include "raster_test_support.h"

namespace dravenor {

inline void PrintTo(const Placement& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ", " << p.angle << ")"; }

namespace {

using namespace testing;

// A sheet with scattered occupied blobs, as left by earlier placements.
Raster clutteredSheet(std::mt19937& rng, int W, int H, int blobs)
{
    Raster sheet(W, H);
    std::uniform_int_distribution<int> size(1, 30);
    for (int b = 0; b < blobs; ++b) {
        const Raster blob = blobRaster(size(rng), size(rng));
        stamp(blob, sheet, std::uniform_int_distribution<int>(-10, W)(rng), std::uniform_int_distribution<int>(-10, H)(rng));
    }
    return sheet;
}

Raster randomPart(std::mt19937& rng)
{
    const int W = std::uniform_int_distribution<int>(0, 140)(rng);
    const int H = std::uniform_int_distribution<int>(0, 40)(rng);
    switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
    case 0: return blobRaster(W, H);
    case 1: return randomRaster(rng, W, H, std::uniform_real_distribution<double>(0.02, 0.3)(rng));
    default: {
        Raster ring = blobRaster(W, H);
        Raster hole = blobRaster(W / 2, H / 2);
        for (const auto& [x, y] : occupiedCells(hole)) ring.clear(x + W / 4, y + H / 4);
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
        const Raster sheet = clutteredSheet(rng, std::uniform_int_distribution<int>(50, 400)(rng),
                                            std::uniform_int_distribution<int>(30, 120)(rng),
                                            std::uniform_int_distribution<int>(0, 12)(rng));
        const KeyPoints keys = makeKeyPoints(part, random);
        std::uniform_int_distribution<int> xs(-3, std::max(sheet.W() - part.W(), 0) + 3);
        std::uniform_int_distribution<int> ys(-3, std::max(sheet.H() - part.H(), 0) + 3);
        for (int p = 0; p < 40; ++p) {
            const int x = xs(rng), y = ys(rng);
            const bool expected = cellByCellFits(part, sheet, keys, x, y);
            ASSERT_EQ(fits(part, sheet, keys, x, y), expected)
                << "part " << part.W() << "x" << part.H() << " sheet " << sheet.W() << "x" << sheet.H() << " at " << x
                << "," << y;
            fitting += expected;
            ++total;
        }
    }
    // Both answers are well represented.
    EXPECT_GT(fitting, total / 10);
    EXPECT_LT(fitting, total * 9 / 10);
}

TEST(Fits, BoxMustLieInsideTheSheet)
{
    const Raster sheet(20, 10);
    const Raster part = blobRaster(5, 3);
    EXPECT_TRUE(fits(part, sheet, {}, 15, 7));
    EXPECT_FALSE(fits(part, sheet, {}, 16, 0));
    EXPECT_FALSE(fits(part, sheet, {}, 0, 8));
    EXPECT_FALSE(fits(part, sheet, {}, -1, 0));
    // Free corners of the part's box may lie on occupied cells.
    Raster corner(20, 10);
    corner.set(0, 0);
    EXPECT_TRUE(fits(part, corner, {}, 0, 0));
    corner.set(2, 1);
    EXPECT_FALSE(fits(part, corner, {}, 0, 0));
}

TEST(Stamp, WordParallelAgreesWithCellByCell)
{
    std::mt19937 rng(99);
    for (int c = 0; c < 300; ++c) {
        const Raster part = randomPart(rng);
        Raster sheet = clutteredSheet(rng, 200, 60, 3);
        Raster expected = sheet;
        const int x = std::uniform_int_distribution<int>(-5, 205)(rng);
        const int y = std::uniform_int_distribution<int>(-5, 65)(rng);
        stamp(part, sheet, x, y);
        cellByCellStamp(part, expected, x, y);
        ASSERT_EQ(sheet, expected) << "at " << x << "," << y;
    }
}

TEST(Stamp, LeavesSpareCellsOfThePartOut)
{
    Raster part(3, 1);
    part.set(0, 0);
    part.set(4, 0); // beyond W: not part of the part
    Raster sheet(20, 5);
    stamp(part, sheet, 10, 2);
    EXPECT_TRUE(sheet.test(10, 2));
    EXPECT_EQ(sheet.countOccupied(), 1);
}

TEST(KeyPoints, SmallPartsGetNoneAndDrawNothing)
{
    UniformRandom random;
    const UniformRandom before = random;
    EXPECT_TRUE(makeKeyPoints(blobRaster(2, 3), random).empty()); // W x H = 6
    EXPECT_TRUE(makeKeyPoints(blobRaster(6, 1), random).empty());
    EXPECT_TRUE(makeKeyPoints(blobRaster(0, 50), random).empty());
    EXPECT_EQ(drawsBetween(before, random), 0);
}

TEST(KeyPoints, AreOccupiedCellsInTheRightNumber)
{
    UniformRandom random;
    Raster solid(100, 50);
    solid.fillBox();
    UniformRandom before = random;
    const KeyPoints solidKeys = makeKeyPoints(solid, random);
    EXPECT_EQ(solidKeys.size(), 400u);
    EXPECT_EQ(drawsBetween(before, random), 2 * 400); // every draw hits

    Raster ring = blobRaster(80, 60);
    const Raster hole = blobRaster(60, 40);
    for (const auto& [x, y] : occupiedCells(hole)) ring.clear(x + 10, y + 10);
    const KeyPoints ringKeys = makeKeyPoints(ring, random);
    EXPECT_EQ(ringKeys.size(), static_cast<size_t>(toWhole(80 * 0.08 * 60)));
    for (const auto& [x, y] : ringKeys) {
        EXPECT_TRUE(ring.test(x, y)) << x << "," << y;
        EXPECT_GE(x, 1);
        EXPECT_GE(y, 1);
    }
}

TEST(KeyPoints, KeepingFewerDrawsTheSameAndKeepsTheFirstOnes)
{
    Raster ring = blobRaster(80, 60);
    const Raster hole = blobRaster(60, 40);
    for (const auto& [x, y] : occupiedCells(hole)) ring.clear(x + 10, y + 10);
    UniformRandom all, few;
    const KeyPoints allKeys = makeKeyPoints(ring, all);
    const KeyPoints firstKeys = makeKeyPoints(ring, few, 24);
    ASSERT_EQ(firstKeys.size(), 24u);
    EXPECT_TRUE(std::equal(firstKeys.begin(), firstKeys.end(), allKeys.begin()));
    EXPECT_EQ(drawsBetween(all, few), 0); // both left the sequence at the same place
    EXPECT_EQ(all.next(), few.next());
    // Keeping more than there are keeps them all.
    UniformRandom again;
    EXPECT_EQ(makeKeyPoints(ring, again, 100000), allKeys);
}

TEST(KeyPoints, TooSparsePartGivesUpAfterItsDrawLimit)
{
    UniformRandom random;
    Raster sparse(10, 10);
    sparse.set(0, 0); // never drawn: draws start at column and row 1
    const UniformRandom before = random;
    EXPECT_TRUE(makeKeyPoints(sparse, random).empty());
    EXPECT_EQ(drawsBetween(before, random), 2 * (2 * 9 * 9));
}

// One copy at a time, windows and positions as given.
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

TEST(FreeScan, StopsOneColumnShortWhileTheStackFillReachesTheLastColumn)
{
    // Only columns 15..20 of the sheet are free; a part 5 wide fits only at column 15 = 20 - 5.
    Raster sheet(20, 10);
    for (int y = 0; y <= 10; ++y) sheet.setRun(0, 14, y);
    const ScanCase part = solidCase(5, 3);
    std::vector<Placement> placements;
    std::int32_t remaining = 2;
    freeScan(part.pair(), sheet, placements, remaining, {0, 0, 20, 10}, 6, "", 0);
    EXPECT_TRUE(placements.empty());
    EXPECT_EQ(remaining, 2);

    Frontier frontier;
    StackParams params;
    params.StepX = 6;
    params.StepY = 4;
    stackFill(frontier, part.pair(), sheet, remaining, placements, params, NestingMode::Stack);
    EXPECT_EQ(placements, (std::vector<Placement>{{15, 0, 0}, {15, 4, 0}}));
    EXPECT_EQ(remaining, 0);
    EXPECT_EQ(frontier.StackCol, 0);
    EXPECT_EQ(frontier.StackRow, 4 + 3 + 1);
}

TEST(FreeScan, FirstFitRowByRowWithAdvanceAndTurnedCopies)
{
    // A: an L opening to the upper right; B: the same turned by 180 degrees.
    ScanCase c;
    c.a = rasterFromRows({"####", "#...", "#..."});
    c.b = rasterFromRows({"...#", "...#", "####"});
    Raster sheet(11, 5);
    std::vector<Placement> placements;
    std::int32_t remaining = 5;
    freeScan(c.pair(), sheet, placements, remaining, {0, 0, 11, 5}, 5, "", 90);
    // Row 0: A at 0 and (advance 5) at 5, then 10 is past the last column visited (11 - 3 = 8).
    // Row 1: A meets the first L's upright, but B fits into its corner.
    ASSERT_GE(placements.size(), 3u);
    EXPECT_EQ(placements[0], (Placement{0, 0, 90}));
    EXPECT_EQ(placements[1], (Placement{5, 0, 90}));
    EXPECT_EQ(placements[2], (Placement{0, 1, 270}));

    // The same with turns forbidden: plain copies only.
    Raster plainSheet(11, 5);
    std::vector<Placement> plain;
    remaining = 5;
    freeScan(c.pair(), plainSheet, plain, remaining, {0, 0, 11, 5}, 5, "No", 0);
    for (const Placement& p : plain) EXPECT_EQ(p.angle, 0);
}

TEST(FreeScan, WindowEndsAtItsEndPositionAndStartsAtItsStart)
{
    const ScanCase part = solidCase(1, 1);
    Raster sheet(30, 30);
    std::vector<Placement> placements;
    std::int32_t remaining = 100;
    // Rows 0 and 1 whole (columns 0, 2, ..., 28 in row 0; row 1 is covered by those copies),
    // row 2 up to column 4: copies at 0, 2 and 4.
    freeScan(part.pair(), sheet, placements, remaining, {0, 0, 5, 2}, 2, "", 0);
    ASSERT_FALSE(placements.empty());
    EXPECT_EQ(placements.back(), (Placement{4, 2, 0}));
    EXPECT_EQ(placements.size(), 15u + 3u);

    // An empty window (start at its end) scans nothing.
    const size_t before = placements.size();
    freeScan(part.pair(), sheet, placements, remaining, {7, 7, 7, 7}, 2, "", 0);
    EXPECT_EQ(placements.size(), before);
    // A window starting inside a row goes on from there.
    freeScan(part.pair(), sheet, placements, remaining, {20, 10, 30, 30}, 2, "", 0);
    EXPECT_EQ(placements[before], (Placement{20, 10, 0}));
}

TEST(FreeScan, StopsWhenTheDemandIsMet)
{
    const ScanCase part = solidCase(2, 2);
    Raster sheet(50, 50);
    std::vector<Placement> placements;
    std::int32_t remaining = 3;
    freeScan(part.pair(), sheet, placements, remaining, {0, 0, 50, 50}, 3, "", 0);
    EXPECT_EQ(placements, (std::vector<Placement>{{0, 0, 0}, {3, 0, 0}, {6, 0, 0}}));
    EXPECT_EQ(remaining, 0);
    freeScan(part.pair(), sheet, placements, remaining, {0, 0, 50, 50}, 3, "", 0);
    EXPECT_EQ(placements.size(), 3u);
}

// Random parts of scan tests: a blob and the same turned by 180 degrees.
ScanCase randomScanCase(std::mt19937& rng, UniformRandom& random)
{
    ScanCase c;
    c.a = randomPart(rng);
    c.b = Raster(c.a.W(), c.a.H());
    for (const auto& [x, y] : occupiedCells(c.a)) c.b.set(c.a.W() - x, c.a.H() - y);
    c.keysA = makeKeyPoints(c.a, random);
    c.keysB = makeKeyPoints(c.b, random);
    return c;
}

TEST(FreeScan, RowSearchPlacesExactlyAsTestingEveryPosition)
{
    std::mt19937 rng(31);
    UniformRandom random;
    size_t placed = 0;
    for (int c = 0; c < 250; ++c) {
        const ScanCase part = randomScanCase(rng, random);
        const Raster start = clutteredSheet(rng, std::uniform_int_distribution<int>(40, 300)(rng),
                                            std::uniform_int_distribution<int>(30, 150)(rng),
                                            std::uniform_int_distribution<int>(0, 25)(rng));
        std::uniform_int_distribution<int> col(0, start.W() + 2), row(0, start.H() + 2);
        const ScanWindow window{col(rng), row(rng), col(rng), row(rng)};
        const int advance = std::uniform_int_distribution<int>(1, 40)(rng);
        const std::string orn = c % 3 ? "" : "No";
        const std::int32_t demand = std::uniform_int_distribution<int>(1, 30)(rng);

        Raster fast = start, reference = start;
        std::vector<Placement> fastPlacements, referencePlacements;
        std::int32_t fastRemaining = demand, referenceRemaining = demand;
        freeScan(part.pair(), fast, fastPlacements, fastRemaining, window, advance, orn, 0);
        freeScan(part.pair(), reference, referencePlacements, referenceRemaining, window, advance, orn, 0,
                 &cellByCellFits);
        ASSERT_EQ(fastPlacements, referencePlacements) << "case " << c;
        ASSERT_EQ(fastRemaining, referenceRemaining);
        ASSERT_EQ(fast, reference);
        placed += fastPlacements.size();
    }
    EXPECT_GT(placed, 300u);
}

TEST(StackFill, FirstFitSearchAndFillAsTestingEveryPosition)
{
    std::mt19937 rng(37);
    UniformRandom random;
    size_t placed = 0;
    for (int c = 0; c < 250; ++c) {
        const ScanCase part = randomScanCase(rng, random);
        const Raster start = clutteredSheet(rng, std::uniform_int_distribution<int>(40, 300)(rng),
                                            std::uniform_int_distribution<int>(30, 150)(rng),
                                            std::uniform_int_distribution<int>(0, 25)(rng));
        StackParams params;
        params.StepX = std::uniform_int_distribution<int>(1, part.a.W() + 3)(rng);
        params.StepY = std::uniform_int_distribution<int>(1, part.a.H() + 3)(rng);
        params.ShiftX = std::uniform_int_distribution<int>(0, params.StepX + 4)(rng);
        if (c % 2) {
            params.PairAngle = 180;
            params.PairShiftX = std::uniform_int_distribution<int>(0, params.StepX + 4)(rng);
            params.PairShiftY = std::uniform_int_distribution<int>(1 - params.StepY, part.a.H() + 3)(rng);
        }
        const NestingMode mode = c % 3 ? NestingMode::Stack : NestingMode::ContinuousStack;
        const Frontier from{std::uniform_int_distribution<int>(0, start.W())(rng),
                            std::uniform_int_distribution<int>(0, start.H())(rng)};
        const std::int32_t demand = std::uniform_int_distribution<int>(1, 60)(rng);

        Raster fast = start, reference = start;
        Frontier fastFrontier = from, referenceFrontier = from;
        std::vector<Placement> fastPlacements, referencePlacements;
        std::int32_t fastRemaining = demand, referenceRemaining = demand;
        stackFill(fastFrontier, part.pair(), fast, fastRemaining, fastPlacements, params, mode);
        stackFill(referenceFrontier, part.pair(), reference, referenceRemaining, referencePlacements, params, mode,
                  &cellByCellFits);
        ASSERT_EQ(fastPlacements, referencePlacements) << "case " << c;
        ASSERT_EQ(fastFrontier.StackCol, referenceFrontier.StackCol);
        ASSERT_EQ(fastFrontier.StackRow, referenceFrontier.StackRow);
        ASSERT_EQ(fast, reference);
        placed += fastPlacements.size();
    }
    EXPECT_GT(placed, 300u);
}

TEST(StackFill, StartsAtTheLowestThenLeftmostFitAndFollowsTheLattice)
{
    Raster sheet(60, 40);
    for (int y = 0; y <= 4; ++y) sheet.setRun(0, 60, y);
    sheet.setRun(0, 9, 5);
    const ScanCase part = solidCase(4, 2);
    StackParams params;
    params.StepX = 20;
    params.StepY = 10;
    params.ShiftX = 3;
    std::vector<Placement> placements;
    std::int32_t remaining = 6;
    Frontier frontier;
    stackFill(frontier, part.pair(), sheet, remaining, placements, params, NestingMode::Stack);
    // First fit (10, 5); then 30, 50; next row: (70 + 3) mod 20 = 13, 33, 53.
    EXPECT_EQ(placements,
              (std::vector<Placement>{{10, 5, 0}, {30, 5, 0}, {50, 5, 0}, {13, 15, 0}, {33, 15, 0}, {53, 15, 0}}));
    EXPECT_EQ(frontier.StackCol, 0);
    EXPECT_EQ(frontier.StackRow, 15 + 2 + 1);
}

TEST(StackFill, PartnerRowsAlternateWithPlainRows)
{
    Raster sheet(30, 40);
    const ScanCase part = solidCase(3, 3);
    StackParams params;
    params.StepX = 10;
    params.StepY = 5;
    params.ShiftX = 2;
    params.PairAngle = 180;
    params.PairShiftX = 7;
    params.PairShiftY = 6;
    std::vector<Placement> placements;
    std::int32_t remaining = 9;
    Frontier frontier;
    stackFill(frontier, part.pair(), sheet, remaining, placements, params, NestingMode::Stack);
    // Plain row 0 at 0, 10, 20; partner row 5 at (30 + 2) mod 10 = 2; plain row 11 at
    // (32 + 7 - 2) mod 10 = 7.
    EXPECT_EQ(placements, (std::vector<Placement>{{0, 0, 0},
                                                  {10, 0, 0},
                                                  {20, 0, 0},
                                                  {2, 5, 180},
                                                  {12, 5, 180},
                                                  {22, 5, 180},
                                                  {7, 11, 0},
                                                  {17, 11, 0},
                                                  {27, 11, 0}}));
}

TEST(StackFill, ContinuousModeSinksTheStartAndKeepsTheLastPlacementAsFrontier)
{
    Raster sheet(40, 40);
    for (int y = 0; y <= 9; ++y) sheet.setRun(0, 9, y); // occupied corner; columns 10.. free below
    const ScanCase part = solidCase(3, 3);
    StackParams params;
    params.StepX = 5;
    params.StepY = 5;
    std::vector<Placement> placements;
    std::int32_t remaining = 2;
    Frontier frontier{12, 8};
    stackFill(frontier, part.pair(), sheet, remaining, placements, params, NestingMode::ContinuousStack);
    EXPECT_EQ(placements, (std::vector<Placement>{{12, 0, 0}, {17, 0, 0}}));
    EXPECT_EQ(frontier.StackCol, 17);
    EXPECT_EQ(frontier.StackRow, 0);
}

TEST(StackFill, NothingFitsLeavesTheFrontier)
{
    Raster sheet(10, 10);
    sheet.fillBox();
    const ScanCase part = solidCase(1, 1);
    std::vector<Placement> placements;
    std::int32_t remaining = 2;
    Frontier frontier{3, 4};
    StackParams params;
    params.StepX = params.StepY = 2;
    stackFill(frontier, part.pair(), sheet, remaining, placements, params, NestingMode::Stack);
    EXPECT_TRUE(placements.empty());
    EXPECT_EQ(frontier.StackCol, 3);
    EXPECT_EQ(frontier.StackRow, 4);
}

PartEntry partEntry(const std::string& file, int qty, const std::string& orn)
{
    PartEntry p;
    p.FileName = file;
    p.Qty = p.Remaining = qty;
    p.Orn = orn;
    return p;
}

TEST(NestPartOnSheet, StackModePhasesOnAFreshSheetAndASecondPartTypeAbove)
{
    TestRun t;
    PreparedSheet sheet = prepareSheet(rectangleOutline(100, 100), t.run);
    Frontier frontier;
    PartEntry first = partEntry("first.shp", 3, "No");
    const StackParams firstParams = simpleAnalysis(rectangleOutline(10, 5));
    const auto firstPlacements =
        nestPartOnSheet(rectangleOutline(10, 5), sheet.raster, frontier, first, firstParams, t.run);
    EXPECT_EQ(firstPlacements, (std::vector<Placement>{{1, 1, 0}, {12, 1, 0}, {23, 1, 0}}));
    EXPECT_EQ(first.Remaining, 0);
    EXPECT_EQ(t.progress.statuses,
              (std::vector<std::string>{"Pre-stack nesting ", "Stack nesting ", "Post-stack nesting "}));
    EXPECT_EQ(frontier.StackCol, 0);
    EXPECT_EQ(frontier.StackRow, 1 + 5 + 1);

    PartEntry second = partEntry("second.shp", 2, "No");
    const auto secondPlacements = nestPartOnSheet(rectangleOutline(6, 6), sheet.raster, frontier, second,
                                                  simpleAnalysis(rectangleOutline(6, 6)), t.run);
    EXPECT_EQ(secondPlacements, (std::vector<Placement>{{1, 7, 0}, {8, 7, 0}}));
}

TEST(NestPartOnSheet, OrnNoNeverTurnsWhileOtherRulesMayFillGapsWithTurnedCopies)
{
    const Outline triangle = polygon({{0, 0}, {20, 0}, {0, 20}});
    std::set<double> anglesNo, anglesFree;
    for (const auto& [orn, angles] : {std::pair{"No", &anglesNo}, std::pair{"", &anglesFree}}) {
        TestRun t(NestingMode::Free);
        PreparedSheet sheet = prepareSheet(rectangleOutline(90, 120), t.run);
        Frontier frontier;
        PartEntry part = partEntry("tri.shp", 40, orn);
        for (const Placement& p :
             nestPartOnSheet(triangle, sheet.raster, frontier, part, simpleAnalysis(triangle), t.run))
            angles->insert(p.angle);
        EXPECT_EQ(t.progress.statuses, std::vector<std::string>{"Free nesting "});
    }
    EXPECT_EQ(anglesNo, std::set<double>{0});
    EXPECT_TRUE(anglesFree.count(180) || anglesFree.count(270)) << "turned copies fill the gaps";
}

// Random star-shaped outlines, r cells across at most.
Outline starOutline(std::mt19937& rng, double r)
{
    const int n = std::uniform_int_distribution<int>(3, 11)(rng);
    std::uniform_real_distribution<double> radius(0.35 * r, r);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.14159265358979 * i / n;
        const double d = radius(rng);
        points.emplace_back(r + d * std::cos(a), r + d * std::sin(a));
    }
    Outline star = polygon(points);
    normaliseOutline(star);
    return star;
}

struct Layout {
    std::vector<std::vector<Placement>> placements;
    Raster sheet;
    std::vector<StackParams> params;
};

// Several part types analysed and nested on one sheet after the other, as the driver does.
Layout nestAll(const Outline& sheetOutline, const std::vector<Outline>& parts, const std::vector<std::string>& orns,
               NestingMode mode, FitTest fitTest)
{
    TestRun t(mode);
    t.run.fitTest = fitTest;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string file = "part" + std::to_string(i) + ".shp";
        t.run.caches.outlines[cacheName(file, "d")] = parts[i];
        t.state.parts.push_back(partEntry(file, 25, orns[i]));
    }
    Layout layout;
    PreparedSheet sheet = prepareSheet(sheetOutline, t.run);
    Frontier frontier;
    for (PartEntry& part : t.state.parts) {
        const StackParams params = analysePart(part, t.run);
        Outline turned = loadOutline(part.FileName, t.run);
        turnOutline(turned, params.BaseAngle);
        layout.placements.push_back(nestPartOnSheet(turned, sheet.raster, frontier, part, params, t.run));
        layout.params.push_back(params);
    }
    layout.sheet = sheet.raster;
    return layout;
}

TEST(NestPartOnSheet, SameLayoutsAsTheCellByCellEngine)
{
    std::mt19937 rng(5);
    const NestingMode modes[] = {NestingMode::Stack, NestingMode::ContinuousStack, NestingMode::Free};
    const char* orns[] = {"", "No", "step90"};
    for (int job = 0; job < 12; ++job) {
        std::vector<Outline> parts;
        std::vector<std::string> partOrns;
        for (int p = 0; p < 3; ++p) {
            parts.push_back(starOutline(rng, std::uniform_real_distribution<double>(4, 22)(rng)));
            partOrns.push_back(orns[std::uniform_int_distribution<int>(0, 2)(rng)]);
        }
        const Outline sheet = job % 2 ? rectangleOutline(160, 120) : starOutline(rng, 90);
        const NestingMode mode = modes[job % 3];
        const Layout fast = nestAll(sheet, parts, partOrns, mode, nullptr);
        const Layout reference = nestAll(sheet, parts, partOrns, mode, &cellByCellFits);
        EXPECT_EQ(fast.params, reference.params) << "job " << job;
        EXPECT_EQ(fast.placements, reference.placements) << "job " << job;
        EXPECT_EQ(fast.sheet, reference.sheet) << "job " << job;
        size_t placed = 0;
        for (const auto& p : fast.placements) placed += p.size();
        EXPECT_GT(placed, 0u) << "job " << job;
    }
}

} // namespace
} // namespace dravenor
