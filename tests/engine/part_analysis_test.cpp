#include <gtest/gtest.h>

#include "engine/part_analysis.h"
#include "engine/placement.h"
#include "engine/rasterise.h"
#include "raster_test_support.h"

namespace dravenor {
namespace {

using namespace testing;

PartEntry partEntry(const std::string& file, const std::string& orn)
{
    PartEntry p;
    p.FileName = file;
    p.Qty = p.Remaining = 1;
    p.Orn = orn;
    return p;
}

// A run whose outline cache already holds the part's outline, as the kerf set-up leaves it.
struct AnalysisRun : TestRun {
    AnalysisRun(const std::string& file, const Outline& outline, NestingMode mode = NestingMode::Stack) : TestRun(mode)
    {
        run.caches.outlines[cacheName(file, "d")] = outline;
    }
};

TEST(SimpleAnalysis, BoxPlusOneCell)
{
    const StackParams p = simpleAnalysis(rectangleOutline(30, 12));
    EXPECT_EQ(p.StepX, 31);
    EXPECT_EQ(p.StepH, 13);
    EXPECT_EQ(p.StepY, 13);
    EXPECT_EQ(p.BaseAngle, 0);
    EXPECT_EQ(p.ShiftX, 0);
    EXPECT_EQ(p.PairAngle, 0);
    EXPECT_EQ(p.PairShiftX, 0);
    EXPECT_EQ(p.PairShiftY, 0);
    EXPECT_EQ(simpleAnalysis(rectangleOutline(9.5, 2.4)).StepX, 10); // Round(10.5) = 10
}

TEST(LatticeSearch, RectangleRowsStackStraightUp)
{
    AnalysisRun t("/p/rect.shp", rectangleOutline(30, 12));
    const StackParams p = analysePart(partEntry("/p/rect.shp", "No"), t.run);
    EXPECT_EQ(p.StepX, 31);
    EXPECT_EQ(p.StepH, 13);
    EXPECT_EQ(p.BaseAngle, 0);
    EXPECT_EQ(p.ShiftX, 0);
    EXPECT_EQ(p.StepY, 12 + 1); // H + 1 of the raster
    EXPECT_EQ(p.PairAngle, 0);
    EXPECT_EQ(p.PairShiftX, 0);
    EXPECT_EQ(p.PairShiftY, 0);
}

TEST(LatticeSearch, TrianglesPairWithTurnedPartnersUnlessOrnIsNo)
{
    const Outline triangle = polygon({{0, 0}, {40, 0}, {0, 40}});
    AnalysisRun plain("/p/tri.shp", triangle);
    const StackParams no = analysePart(partEntry("/p/tri.shp", "No"), plain.run);
    EXPECT_EQ(no.PairAngle, 0);
    EXPECT_EQ(no.ShiftX, 0);
    EXPECT_EQ(no.StepY, 41);
    EXPECT_EQ(no.PairShiftX, no.ShiftX);

    AnalysisRun turned("/p/tri.shp", triangle);
    const StackParams step90 = analysePart(partEntry("/p/tri.shp", "step90"), turned.run);
    EXPECT_EQ(step90.PairAngle, 180);
    EXPECT_LT(step90.StepY, 41); // the partner row nests into the first row
    EXPECT_GT(step90.StepY + step90.PairShiftY, 0);

    // The partner copies and the next plain row really fit on a canvas with the first row.
    Raster canvas(400, 400);
    const Raster a = plain.run.caches.partRasters.at("0tri.b");
    const Raster b = turned.run.caches.partRasters.at("180tri.b");
    stamp(a, canvas, 0, 0);
    stamp(a, canvas, step90.StepX, 0);
    EXPECT_TRUE(fits(b, canvas, {}, step90.ShiftX + step90.StepX, step90.StepY));
}

TEST(AnalysePart, CachedByFileNameAndNotRecomputed)
{
    AnalysisRun t("/jobs/a/plate.shp", rectangleOutline(20, 8));
    const StackParams first = analysePart(partEntry("/jobs/a/plate.shp", "step90"), t.run);
    EXPECT_EQ(t.run.caches.analyses.count("plate.STK"), 1u);
    const UniformRandom before = t.run.random;
    // Another folder, same file name: the cached analysis, with no draw and no rasterising.
    const size_t rasters = t.run.caches.partRasters.size();
    const StackParams again = analysePart(partEntry("/jobs/b/plate.shp", "step90"), t.run);
    EXPECT_EQ(again, first);
    EXPECT_EQ(drawsBetween(before, t.run.random), 0);
    EXPECT_EQ(t.run.caches.partRasters.size(), rasters);
}

TEST(AnalysePart, FreeNestingWithoutOrnTakesTheBoxOnly)
{
    AnalysisRun t("/p/tri.shp", polygon({{0, 0}, {40, 0}, {0, 40}}), NestingMode::Free);
    const UniformRandom before = t.run.random;
    const StackParams p = analysePart(partEntry("/p/tri.shp", ""), t.run);
    EXPECT_EQ(p, simpleAnalysis(polygon({{0, 0}, {40, 0}, {0, 40}})));
    EXPECT_EQ(drawsBetween(before, t.run.random), 0);
}

TEST(AutoAnalysis, TallRectangleTurnsTowardsItsSideNeighbour)
{
    // The nearest copy is beside it in the same row (11 cells left), so the part is turned by
    // 180 degrees to bring that neighbour onto the row; rows then stack straight up.
    AnalysisRun t("/p/tall.shp", rectangleOutline(10, 40));
    const StackParams p = analysePart(partEntry("/p/tall.shp", ""), t.run);
    EXPECT_NEAR(p.BaseAngle, 180, 1e-9);
    EXPECT_EQ(p.StepH, 0);
    EXPECT_GE(p.StepX, 12);
    EXPECT_LE(p.StepX, 13);
    EXPECT_EQ(p.ShiftX, 0);
    EXPECT_EQ(p.StepY, 41);
    EXPECT_EQ(p.PairAngle, 0);
}

TEST(AutoAnalysis, WideRectangleTurnsItsUpperNeighbourOntoTheRow)
{
    AnalysisRun t("/p/wide.shp", rectangleOutline(40, 10));
    StackParams p;
    autoAnalysis(rectangleOutline(40, 10), partEntry("/p/wide.shp", ""), p, t.run);
    EXPECT_NEAR(p.BaseAngle, 270, 1e-9);
    EXPECT_EQ(p.StepH, 11);
    EXPECT_GE(p.StepX, 12);
    EXPECT_LE(p.StepX, 13);
}

TEST(AutoAnalysis, TopHeavyPartIsTurnedUpsideDown)
{
    // A tall trapezoid, wide at the bottom: its side neighbour turns it by 180, which would put
    // the wide end on top, so it is turned by a further 180 (to 360, not reduced).
    const Outline t = polygon({{0, 0}, {12, 0}, {10, 20}, {2, 20}});
    AnalysisRun run("/p/t.shp", t);
    StackParams p;
    autoAnalysis(t, partEntry("/p/t.shp", ""), p, run.run);
    EXPECT_NEAR(p.BaseAngle, 360, 1e-9);
}

TEST(TrimForPitch, ClearsCellsThatMeetTheNextCopy)
{
    TestRun t;
    Raster part = rasterFromRows({"#####", "###..", "#...."});
    Raster strip(20, 2);
    stamp(part, strip, 0, 0);
    trimForPitch(part, strip, "/p/comb.shp", 90, 3, t.run);
    // Row 0 reaches 3 cells and more to the right of cells 0 and 1: those two go.
    EXPECT_EQ(part, rasterFromRows({"..###", "###..", "#...."}));
    EXPECT_EQ(t.run.caches.partRasters.at("90comb.b"), part);

    Raster solid = rasterFromRows({"#####"});
    solid.setTooSmall(true);
    const Raster untouched = solid;
    trimForPitch(solid, strip, "/p/solid.shp", 0, 3, t.run);
    EXPECT_EQ(solid, untouched);
    EXPECT_EQ(t.run.caches.partRasters.count("0solid.b"), 0u);
}

TEST(LatticeSearch, LeavesBothRastersCachedForTheNesting)
{
    AnalysisRun t("/p/tri.shp", polygon({{0, 0}, {40, 0}, {0, 40}}));
    const StackParams p = analysePart(partEntry("/p/tri.shp", "step90"), t.run);
    EXPECT_EQ(t.run.caches.partRasters.count(partRasterName(p.BaseAngle, "tri.shp")), 1u);
    EXPECT_EQ(t.run.caches.partRasters.count(partRasterName(p.BaseAngle + 180, "tri.shp")), 1u);
}

} // namespace
} // namespace dravenor
