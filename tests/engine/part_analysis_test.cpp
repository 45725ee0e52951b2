#include <gtest/gtest.h>

#include "engine/part_analysis.h"
#include "engine/placement.h"
#include "engine/rasterise.h"
#include "engine/run_caches.h"
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
    AnalysisRun(const std::string& file, const Outline& outline) { run.caches.outlines[file] = outline; }
};

// A 30 x 12 rectangle stacks on its box plus one cell, without turning or pairing, whether
// analysed from its box alone or by the lattice search.
TEST(PartAnalysis, RectangleStacksOnItsBoxPlusOneCell)
{
    StackParams expected;
    expected.StepX = 31;
    expected.StepH = 13;
    expected.StepY = 13;
    EXPECT_EQ(simpleAnalysis(rectangleOutline(30, 12)), expected);
    EXPECT_EQ(simpleAnalysis(rectangleOutline(9.5, 2.4)).StepX, 10); // Round(10.5) = 10

    AnalysisRun t("/p/rect.shp", rectangleOutline(30, 12));
    const StackParams lattice = analysePart(partEntry("/p/rect.shp", "No"), 0, t.run);
    EXPECT_EQ(lattice, expected);
}

TEST(PartAnalysis, TrianglesPairWithTurnedPartnersUnlessOrnIsNo)
{
    const Outline triangle{{0, 0, 40, 0}, {40, 0, 0, 40}, {0, 40, 0, 0}};
    AnalysisRun plain("/p/tri.shp", triangle);
    const StackParams no = analysePart(partEntry("/p/tri.shp", "No"), 0, plain.run);
    EXPECT_EQ(no.PairAngle, 0);
    EXPECT_EQ(no.StepY, 41);

    AnalysisRun turned("/p/tri.shp", triangle);
    const StackParams step90 = analysePart(partEntry("/p/tri.shp", "step90"), 0, turned.run);
    EXPECT_EQ(step90.PairAngle, 180);
    EXPECT_LT(step90.StepY, 41); // the partner row nests into the first row
    // The partner copy really fits beside the first row.
    Raster canvas(400, 400);
    const Raster& a = plain.run.caches.partRasters.at(partRasterKey(0, "/p/tri.shp"));
    stamp(a, canvas, 0, 0);
    stamp(a, canvas, step90.StepX, 0);
    EXPECT_TRUE(fits(turned.run.caches.partRasters.at(partRasterKey(180, "/p/tri.shp")), canvas, {}, step90.ShiftX + step90.StepX, step90.StepY));
}

// Parts whose turns count from the sheet are analysed as they lie on the turned sheet, once
// per sheet angle; files of the same name in other folders are other parts.
TEST(PartAnalysis, CachedByPathAndSheetAngle)
{
    AnalysisRun t("/jobs/a/plate.shp", rectangleOutline(20, 8));
    t.run.caches.outlines["/jobs/b/plate.shp"] = rectangleOutline(50, 30);
    const StackParams upright = analysePart(partEntry("/jobs/a/plate.shp", "No"), 0, t.run);
    EXPECT_EQ(upright.BaseAngle, 0);
    EXPECT_EQ(upright.StepX, 21);
    const StackParams onWide = analysePart(partEntry("/jobs/a/plate.shp", "No"), 90, t.run);
    EXPECT_EQ(onWide.BaseAngle, 90);
    EXPECT_EQ(onWide.StepX, 9);
    EXPECT_EQ(analysePart(partEntry("/jobs/b/plate.shp", "No"), 0, t.run).StepX, 51);
    EXPECT_EQ(t.run.caches.analyses.size(), 3u);

    const UniformRandom before = t.run.random;
    const size_t rasters = t.run.caches.partRasters.size();
    EXPECT_EQ(analysePart(partEntry("/jobs/a/plate.shp", "No"), 90, t.run), onWide);
    EXPECT_EQ(drawsBetween(before, t.run.random), 0);
    EXPECT_EQ(t.run.caches.partRasters.size(), rasters);
}

// Copies in a row never share a cell: a pitch at which they would is raised.
TEST(PartAnalysis, PitchRaisedUntilCopiesShareNoCell)
{
    const Raster rhombus = [] {
        TestRun t;
        return rasteriseOutline(polygon({{0, 0}, {20, 0}, {30, 17}, {10, 17}}), t.run);
    }();
    const int pitch = clearPitch(rhombus, 5);
    EXPECT_GE(pitch, 20);
    Raster row(200, 40);
    stamp(rhombus, row, 0, 0);
    EXPECT_TRUE(fits(rhombus, row, {}, pitch, 0));
    EXPECT_FALSE(fits(rhombus, row, {}, pitch - 1, 0));
    EXPECT_EQ(clearPitch(rhombus, pitch + 3), pitch + 3);
}

} // namespace
} // namespace dravenor
