#include <gtest/gtest.h>

#include "engine/part_analysis.h"
#include "engine/placement.h"
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
    AnalysisRun(const std::string& file, const Outline& outline) { run.caches.outlines[cacheName(file, "d")] = outline; }
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
    const StackParams lattice = analysePart(partEntry("/p/rect.shp", "No"), t.run);
    EXPECT_EQ(lattice, expected);
}

TEST(PartAnalysis, TrianglesPairWithTurnedPartnersUnlessOrnIsNo)
{
    const Outline triangle{{0, 0, 40, 0}, {40, 0, 0, 40}, {0, 40, 0, 0}};
    AnalysisRun plain("/p/tri.shp", triangle);
    const StackParams no = analysePart(partEntry("/p/tri.shp", "No"), plain.run);
    EXPECT_EQ(no.PairAngle, 0);
    EXPECT_EQ(no.StepY, 41);

    AnalysisRun turned("/p/tri.shp", triangle);
    const StackParams step90 = analysePart(partEntry("/p/tri.shp", "step90"), turned.run);
    EXPECT_EQ(step90.PairAngle, 180);
    EXPECT_LT(step90.StepY, 41); // the partner row nests into the first row
    // The partner copy really fits beside the first row.
    Raster canvas(400, 400);
    const Raster& a = plain.run.caches.partRasters.at("0tri.b");
    stamp(a, canvas, 0, 0);
    stamp(a, canvas, step90.StepX, 0);
    EXPECT_TRUE(fits(turned.run.caches.partRasters.at("180tri.b"), canvas, {}, step90.ShiftX + step90.StepX, step90.StepY));
}

TEST(PartAnalysis, CachedByFileNameAndNotRecomputed)
{
    AnalysisRun t("/jobs/a/plate.shp", rectangleOutline(20, 8));
    const StackParams first = analysePart(partEntry("/jobs/a/plate.shp", "step90"), t.run);
    EXPECT_EQ(t.run.caches.analyses.count("plate.STK"), 1u);
    const UniformRandom before = t.run.random;
    const size_t rasters = t.run.caches.partRasters.size();
    // Another folder, same file name: the cached analysis, with no draw and no rasterising.
    EXPECT_EQ(analysePart(partEntry("/jobs/b/plate.shp", "step90"), t.run), first);
    EXPECT_EQ(drawsBetween(before, t.run.random), 0);
    EXPECT_EQ(t.run.caches.partRasters.size(), rasters);
}

} // namespace
} // namespace dravenor
