// Key points; the word-parallel fit test, stamp, free scan and stack fill against the cell-by-cell
// reference; and the scan and lattice rules the reference shares with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "cell_by_cell_fit.h"
#include "engine/placement_phases.h"
#include "raster_test_support.h"

namespace dravenor {

inline void PrintTo(const Placement& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ", " << p.angle << ")"; }

namespace {

using namespace testing;

// Key points as the rule states them, one value at a time from next(): a row, then a column,
// until the cell is occupied; no point within 2 (W - 1) (H - 1) pairs empties the list.
KeyPoints keyPointsByTheRule(const Raster& part, UniformRandom& random)
{
    const int W = part.W(), H = part.H();
    KeyPoints keys;
    for (int k = std::min(toWhole(W * 0.08 * H), 32000); k > 0; --k)
        for (long long tries = 0;; ++tries) {
            if (tries >= 2LL * (W - 1) * (H - 1)) return {};
            const int y = static_cast<int>(roundHalfEven(random.next() * (H - 1) + 1));
            const int x = static_cast<int>(roundHalfEven(random.next() * (W - 1) + 1));
            if (part.test(x, y)) {
                keys.emplace_back(x, y);
                break;
            }
        }
    return keys;
}

// A sheet with scattered occupied blobs, as left by earlier placements.
Raster clutteredSheet(std::mt19937& rng, int W, int H, int blobs)
{
    Raster sheet(W, H);
    for (int b = 0; b < blobs; ++b)
        stamp(blobRaster(uniform(rng, 1, 30), uniform(rng, 1, 30)), sheet, uniform(rng, -10, W), uniform(rng, -10, H));
    return sheet;
}

// A solid blob, a random scatter, a ring or a bar one cell thick (whose row run is the whole part).
Raster randomPart(std::mt19937& rng)
{
    const int W = uniform(rng, 0, 140), H = uniform(rng, 0, 40);
    const int kind = uniform(rng, 0, 3);
    Raster part = kind == 1 ? randomRaster(rng, W, H, std::uniform_real_distribution<double>(0.02, 0.3)(rng))
                            : blobRaster(W, kind == 3 ? 0 : H);
    if (kind == 2)
        for (const auto& [x, y] : occupiedCells(blobRaster(W / 2, H / 2))) part.clear(x + W / 4, y + H / 4);
    if (kind == 3) part.fillBox();
    return part;
}

// A part and its partner orientation with their key points.
struct ScanCase {
    Raster a{}, b{};
    KeyPoints keysA{}, keysB{};
    OrientedPair pair() const { return {&a, &b, &keysA, &keysB}; }
};

ScanCase solidCase(int W, int H)
{
    Raster solid(W, H);
    solid.fillBox();
    return {solid, solid};
}

// A sheet with the boxes x0..x1 by y0..y1 taken.
Raster sheetWith(int W, int H, const std::vector<std::array<int, 4>>& taken)
{
    Raster sheet(W, H);
    for (const auto& [x0, y0, x1, y1] : taken)
        for (int y = y0; y <= y1; ++y) sheet.setRun(x0, x1, y);
    return sheet;
}

// All key points, or only the first few kept, are the rule's cells and use up the rule's draws.
TEST(KeyPoints, SameCellsAndDrawsAsTheRuleWhateverIsKept)
{
    // Parts too small for key points draw nothing; one without cells gives up after
    // 2 * 9 * 9 pairs of two values.
    const std::vector<std::pair<Raster, long long>> fixed{
        {blobRaster(2, 3), 0}, {blobRaster(6, 1), 0}, {blobRaster(0, 50), 0}, {Raster(10, 10), 324}};
    std::mt19937 rng(5);
    UniformRandom random;
    for (int c = 0; c < 64; ++c) {
        const int W = uniform(rng, 3, 300), H = uniform(rng, 3, 120);
        // Solid parts, scattered ones, and sparse ones that may run out of draws before the last point.
        const double share = c % 3 ? 0.05 + 0.01 * c : 0.002 * (c % 5);
        const Raster part = c < 4 ? fixed[c].first : c % 2 ? blobRaster(W, H) : randomRaster(rng, W, H, share);
        SCOPED_TRACE(::testing::Message() << "case " << c << ", " << part.W() << "x" << part.H());
        const UniformRandom before = random;
        UniformRandom byRule = random, few = random;
        const KeyPoints expected = keyPointsByTheRule(part, byRule);
        const KeyPoints keys = makeKeyPoints(part, random);
        const size_t kept = uniform(rng, 0, 40);
        const KeyPoints first = makeKeyPoints(part, few, kept);
        ASSERT_EQ(keys, expected);
        EXPECT_EQ(drawsBetween(byRule, random, 0), 0) << "draws used up differ";
        EXPECT_EQ(drawsBetween(few, random, 0), 0) << "draws used up differ when keeping " << kept;
        EXPECT_EQ(first, KeyPoints(keys.begin(), keys.begin() + std::min<std::ptrdiff_t>(kept, std::ssize(keys))));
        if (c < 4) {
            EXPECT_EQ(drawsBetween(before, random), fixed[c].second);
        }
        for (const auto& [x, y] : keys) ASSERT_TRUE(part.test(x, y));
    }
}

// Hand-made cases, with the engine's fit test and the cell-by-cell one: free scans over the whole
// sheet (angle 0 or more) and stack fills (angle -1) on a lattice.
TEST(ScanAndFill, FirstFitRowByRowAndLatticeFromTheLowestLeftmostFit)
{
    // An L opening to the upper right (row 0 first), and the same turned by 180 degrees.
    const ScanCase ell{sheetWith(3, 2, {{0, 0, 3, 0}, {0, 1, 0, 2}}), sheetWith(3, 2, {{0, 2, 3, 2}, {3, 0, 3, 1}})};
    struct Case {
        const char* name;
        Raster sheet;
        ScanCase part;
        int angle;
        StackParams params;
        Frontier frontier;
        std::int32_t demand;
        std::vector<Placement> expected;
        int stackRow;
    };
    const std::vector<Case> cases{
        // Row 0: A at 0 and (advance 5) at 5; row 1: A meets the first L's upright, B fits its corner.
        {"turned copies and advance", Raster(11, 5), ell, 90, {.StepX = 5}, {}, 5,
         {{0, 0, 90}, {5, 0, 90}, {0, 1, 270}, {5, 1, 270}, {1, 2, 270}}, 0},
        // Only columns 15..20 are free: a part 5 wide fits only at column 15 = 20 - 5, which the
        // free scan does not reach and the stack fill does.
        {"scan stops a column short", sheetWith(20, 10, {{0, 0, 14, 10}}), solidCase(5, 3), 0, {.StepX = 6}, {}, 2, {},
         0},
        {"fill reaches the last column", sheetWith(20, 10, {{0, 0, 14, 10}}), solidCase(5, 3), -1,
         {.StepX = 6, .StepY = 4}, {}, 2, {{15, 0, 0}, {15, 4, 0}}, 4 + 3 + 1},
        // First fit (10, 5); then 30, 50; next row: (70 + 3) mod 20 = 13, 33, 53.
        {"lowest then leftmost", sheetWith(60, 40, {{0, 0, 60, 4}, {0, 5, 9, 5}}), solidCase(4, 2), -1,
         {.StepX = 20, .ShiftX = 3, .StepY = 10}, {}, 6,
         {{10, 5, 0}, {30, 5, 0}, {50, 5, 0}, {13, 15, 0}, {33, 15, 0}, {53, 15, 0}}, 15 + 2 + 1},
        // Plain row 0 at 0, 10, 20; partner row 5 at (30 + 2) mod 10 = 2; plain row 11 at
        // (32 + 7 - 2) mod 10 = 7.
        {"partner rows", Raster(30, 40), solidCase(3, 3), -1,
         {.StepX = 10, .ShiftX = 2, .StepY = 5, .PairAngle = 180, .PairShiftX = 7, .PairShiftY = 6}, {}, 9,
         {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {2, 5, 180}, {12, 5, 180}, {22, 5, 180}, {7, 11, 0}, {17, 11, 0},
          {27, 11, 0}},
         11 + 3 + 1},
        // A part one row high whose frontier lies on row sheet H: the first-fit search finishes
        // that row (columns 0 and 1 are taken) and then stops, as the search position by position
        // does; from an earlier row it never reaches row sheet H.
        {"frontier on the last row", sheetWith(20, 10, {{0, 10, 1, 10}}), solidCase(3, 0), -1, {.StepX = 6, .StepY = 1},
         {0, 10}, 9, {{2, 10, 0}, {8, 10, 0}, {14, 10, 0}}, 11},
        {"full row before the last", sheetWith(20, 10, {{0, 9, 20, 9}}), solidCase(3, 0), -1, {.StepX = 6, .StepY = 1},
         {0, 9}, 9, {}, 9},
    };
    for (const Case& c : cases)
        for (const FitTest fitTest : {FitTest{nullptr}, FitTest{&cellByCellFits}}) {
            SCOPED_TRACE(c.name);
            Raster sheet = c.sheet;
            Frontier frontier = c.frontier;
            std::int32_t remaining = c.demand;
            std::vector<Placement> placements;
            const ScanWindow whole{0, 0, sheet.W(), sheet.H()};
            if (c.angle >= 0)
                freeScan(c.part.pair(), sheet, placements, remaining, whole, c.params.StepX, "", c.angle, fitTest);
            else
                stackFill(frontier, c.part.pair(), sheet, remaining, placements, c.params, NestingMode::Stack, fitTest);
            EXPECT_EQ(placements, c.expected);
            EXPECT_EQ(remaining, c.demand - static_cast<std::int32_t>(c.expected.size()));
            EXPECT_EQ(frontier.StackRow, c.stackRow);
        }
}

// One sheet whose row summary every phase run on it shares, as the part types of a sheet do.
struct SheetRun {
    Raster sheet;
    SheetRows rows;
    Frontier frontier;
    std::vector<Placement> placements;
    explicit SheetRun(const Raster& s) : sheet(s), rows(sheet) {}
};

// Part types in turn on a cluttered sheet. The fit test at any position on or off the sheet, and
// the stamp, as cell by cell; then random phases: the free scans before and after a stack fill as
// the engine runs them, or one free scan over a random window, or one stack fill from a random
// frontier; with random lattices (partner rows too), advances and Orn.
TEST(Placement, FitStampAndPhasesOnASharedSheetAsTestingEveryPosition)
{
    std::mt19937 rng(31);
    UniformRandom random;
    size_t placed = 0, fitting = 0, tried = 0;
    for (int c = 0; c < 400; ++c) {
        const Raster start = clutteredSheet(rng, uniform(rng, 40, 300), uniform(rng, 30, 150), uniform(rng, 0, 25));
        SheetRun fast(start), slow(start);
        for (int type = uniform(rng, 1, 4); type > 0; --type) {
            ScanCase part{randomPart(rng)};
            part.b = Raster(part.a.W(), part.a.H());
            for (const auto& [x, y] : occupiedCells(part.a)) part.b.set(part.a.W() - x, part.a.H() - y);
            part.keysA = makeKeyPoints(part.a, random);
            part.keysB = makeKeyPoints(part.b, random);
            for (int p = 0; p < 20; ++p, ++tried) {
                const int x = uniform(rng, -3, std::max(start.W() - part.a.W(), 0) + 3);
                const int y = uniform(rng, -3, std::max(start.H() - part.a.H(), 0) + 3);
                const bool fit = cellByCellFits(part.a, fast.sheet, part.keysA, x, y);
                ASSERT_EQ(fits(part.a, fast.sheet, part.keysA, x, y), fit) << "case " << c << " at " << x << "," << y;
                fitting += fit;
            }
            Raster stamped = fast.sheet, expected = fast.sheet;
            const int x = uniform(rng, -5, start.W() + 5), y = uniform(rng, -5, start.H() + 5);
            stamp(part.a, stamped, x, y);
            cellByCellStamp(part.a, expected, x, y);
            ASSERT_EQ(stamped, expected) << "case " << c << " stamped at " << x << "," << y;
            StackParams params{.StepX = uniform(rng, 1, part.a.W() + 3)};
            params.StepY = uniform(rng, 1, part.a.H() + 3);
            params.ShiftX = uniform(rng, 0, params.StepX + 4);
            if (uniform(rng, 0, 1)) {
                params.PairAngle = 180;
                params.PairShiftX = uniform(rng, 0, params.StepX + 4);
                params.PairShiftY = uniform(rng, 1 - params.StepY, part.a.H() + 3);
            }
            const int kind = uniform(rng, 0, 2), advance = uniform(rng, 1, 40), demand = uniform(rng, 1, 40);
            const NestingMode mode = uniform(rng, 0, 2) ? NestingMode::Stack : NestingMode::ContinuousStack;
            const std::string orn = uniform(rng, 0, 2) ? "" : "No";
            const int W = start.W() + 2, H = start.H() + 2;
            const ScanWindow window{uniform(rng, 0, W), uniform(rng, 0, H), uniform(rng, 0, W), uniform(rng, 0, H)};
            const Frontier from{uniform(rng, 0, start.W()), uniform(rng, 0, start.H())};
            const OrientedPair pair = part.pair(); // the search keeps a reference to it
            for (auto [s, fitTest] : {std::pair{&fast, FitTest{nullptr}}, std::pair{&slow, FitTest{&cellByCellFits}}}) {
                PairSearch search(pair, s->rows);
                std::int32_t remaining = demand;
                if (kind == 1) {
                    freeScan(search, s->sheet, s->placements, remaining, window, advance, orn, 0, fitTest);
                    continue;
                }
                if (kind == 2) s->frontier = from;
                const int endCol = s->frontier.StackCol, endRow = std::max(s->frontier.StackRow - part.a.H(), 0);
                const ScanWindow before{0, 0, endCol, endRow}, after{endCol, endRow, start.W(), start.H()};
                if (kind == 0)
                    freeScan(search, s->sheet, s->placements, remaining, before, params.StepX, orn, 0, fitTest);
                stackFill(s->frontier, search, s->sheet, remaining, s->placements, params, mode, fitTest);
                if (kind == 0) freeScan(search, s->sheet, s->placements, remaining, after, 2, orn, 90, fitTest);
            }
            ASSERT_EQ(fast.placements, slow.placements) << "case " << c << ", phases " << kind;
            ASSERT_EQ(fast.sheet, slow.sheet) << "case " << c;
            ASSERT_EQ(fast.frontier.StackCol, slow.frontier.StackCol) << "case " << c;
            ASSERT_EQ(fast.frontier.StackRow, slow.frontier.StackRow) << "case " << c;
        }
        placed += fast.placements.size();
    }
    EXPECT_GT(placed, 1000u);
    EXPECT_GT(fitting, tried / 10);
    EXPECT_LT(fitting, tried * 9 / 10);
}

} // namespace
} // namespace dravenor
