// The phases of several part types on one sheet share its row summary (free runs per row, read
// again only after a stamp) and each part type's fit finders: every part type must still land
// where testing each position cell by cell puts it.
#include <gtest/gtest.h>

#include <random>

#include "cell_by_cell_fit.h"
#include "engine/placement_phases.h"
#include "raster_test_support.h"

namespace dravenor {
namespace {

using namespace testing;

// A solid blob, a sparse scatter or a bar one cell thick (whose row run is the whole part).
Raster somePart(std::mt19937& rng)
{
    const int W = uniform(rng, 0, 90), H = uniform(rng, 0, 35);
    switch (uniform(rng, 0, 2)) {
    case 0: return blobRaster(W, H);
    case 1: return randomRaster(rng, W, H, 0.25);
    default: {
        Raster bar(W, 0);
        bar.fillBox();
        return bar;
    }
    }
}

Raster turnedHalfWay(const Raster& a)
{
    Raster b(a.W(), a.H());
    for (const auto& [x, y] : occupiedCells(a)) b.set(a.W() - x, a.H() - y);
    return b;
}

// One sheet's worth of part types, as nestPartOnSheet runs them: the pre-stack scans, the stack
// fill and the post-stack scans, or one free scan each.
struct SheetRun {
    Raster sheet;
    SheetRows rows;
    Frontier frontier;
    std::vector<Placement> placements;
    explicit SheetRun(const Raster& s) : sheet(s), rows(sheet) {}

    void nest(const OrientedPair& pair, std::int32_t remaining, const StackParams& params, NestingMode mode,
              const std::string& orn, FitTest fitTest)
    {
        PairSearch search(pair, rows);
        const int endCol = frontier.StackCol;
        const int endRow = std::max(frontier.StackRow - pair.a->H(), 0);
        const ScanWindow whole{0, 0, sheet.W(), sheet.H()};
        if (mode == NestingMode::Free) {
            freeScan(search, sheet, placements, remaining, whole, params.StepX, orn, 0, fitTest);
            return;
        }
        freeScan(search, sheet, placements, remaining, {0, 0, endCol, endRow}, params.StepX, orn, 0, fitTest);
        stackFill(frontier, search, sheet, remaining, placements, params, mode, fitTest);
        freeScan(search, sheet, placements, remaining, {endCol, endRow, sheet.W(), sheet.H()}, 2, orn, 90, fitTest);
    }
};

TEST(SharedSheetRows, PartTypesInTurnPlaceAsTestingEveryPosition)
{
    std::mt19937 rng(123);
    UniformRandom random;
    size_t placed = 0;
    for (int c = 0; c < 300; ++c) {
        Raster start(uniform(rng, 60, 260), uniform(rng, 40, 200));
        for (int b = uniform(rng, 0, 10); b > 0; --b)
            stamp(blobRaster(uniform(rng, 1, 40), uniform(rng, 1, 40)), start, uniform(rng, -10, start.W()),
                  uniform(rng, -10, start.H()));
        SheetRun fast(start), slow(start);
        const NestingMode mode = static_cast<NestingMode>(c % 3);
        for (int type = uniform(rng, 2, 5); type > 0; --type) {
            const Raster a = somePart(rng);
            const Raster b = turnedHalfWay(a);
            const KeyPoints keysA = makeKeyPoints(a, random), keysB = makeKeyPoints(b, random);
            const OrientedPair pair{&a, &b, &keysA, &keysB};
            StackParams params;
            params.StepX = uniform(rng, 1, a.W() + 3);
            params.StepY = uniform(rng, 1, a.H() + 3);
            params.ShiftX = uniform(rng, 0, params.StepX);
            const std::string orn = type % 2 ? "" : "No";
            const std::int32_t demand = uniform(rng, 1, 40);
            fast.nest(pair, demand, params, mode, orn, nullptr);
            slow.nest(pair, demand, params, mode, orn, &cellByCellFits);
            ASSERT_EQ(fast.placements, slow.placements) << "case " << c << ", part types left " << type;
            ASSERT_EQ(fast.sheet, slow.sheet) << "case " << c;
            ASSERT_EQ(fast.frontier.StackRow, slow.frontier.StackRow) << "case " << c;
        }
        placed += fast.placements.size();
    }
    EXPECT_GT(placed, 500u);
}

} // namespace
} // namespace dravenor
