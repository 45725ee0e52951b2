// Rasters; outlines made rasters, parts conservatively (every point of the true part in an
// occupied cell) and sheets the other way (every free cell wholly inside the sheet); part analysis.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>

#include "engine/part_analysis.h"
#include "engine/placement.h"
#include "engine/rasterise.h"
#include "engine/run_caches.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "raster_test_support.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

int cellAt(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// A run whose outline cache already holds the parts' outlines, as the kerf set-up leaves it.
struct AnalysisRun : TestRun {
    explicit AnalysisRun(const std::map<std::string, Outline>& outlines) { run.caches.outlines = outlines; }
    StackParams analyse(const std::string& file, const std::string& orn, double sheetAngle = 0)
    {
        PartEntry part;
        part.FileName = file;
        part.Qty = part.Remaining = 1;
        part.Orn = orn;
        return analysePart(part, sheetAngle, run);
    }
};

} // namespace

TEST(Raster, WordsFromAnyColumnAndSizesOutOfRange)
{
    std::mt19937 rng(7);
    const Raster r = randomRaster(rng, 200, 3, 0.5);
    for (int x = -3; x < 210; ++x) {
        const std::uint64_t word = r.cellsFrom(x, 1);
        for (int k = 0; k < 64; ++k) ASSERT_EQ(((word >> k) & 1) != 0, r.test(x + k, 1)) << x << " + " << k;
    }
    EXPECT_EQ(r.cellsFrom(0, 9), 0u);
    const Raster none(-5, 3);
    EXPECT_EQ(none.W(), -1);
    EXPECT_FALSE(none.test(0, 0));
    EXPECT_EQ(none.countOccupied(), 0);
    EXPECT_THROW(Raster(200000, 200000), std::length_error);
    EXPECT_THROW(Raster::forBox(1e12, 10), std::length_error);
}

// Every point of the true part, on its outline or inside it, lies in an occupied cell of its
// raster; a cell reaches 0.71 from its centre, so one farther from the part stays free.
TEST(RasteriseOutline, OccupiesEveryCellThePartTouchesAndNoOther)
{
    for (auto [name, shape] : awkwardParts()) {
        SCOPED_TRACE(name);
        TestRun t;
        // Placed as the rasteriser places it: the chords' box at the origin.
        const Extents box = outlineBox(shapeToSegments(shape));
        moveShape(shape, -box.xmin, -box.ymin);
        const Raster raster = rasteriseOutline(shapeToSegments(shape), t.run);
        EXPECT_FALSE(raster.tooSmall());
        EXPECT_TRUE(t.warnings.empty());
        const std::vector<Points> outline = pointsOn(shape);
        for (const Points& entity : outline)
            for (const auto& [x, y] : entity) {
                ASSERT_LE(cellAt(x), raster.W());
                ASSERT_TRUE(raster.test(cellAt(x), cellAt(y))) << "outline point " << x << "," << y;
            }
        for (double y = 0.05; y < raster.H(); y += 0.37)
            for (double x = 0.05; x < raster.W(); x += 0.41)
                if (insideTrue(outline, x, y)) {
                    ASSERT_TRUE(raster.test(cellAt(x), cellAt(y))) << "inside point " << x << "," << y;
                }
        for (const auto& [x, y] : occupiedCells(raster))
            ASSERT_TRUE(insideTrue(outline, x, y) || distanceToShape(shape, x, y) <= 0.72) << "far cell " << x << "," << y;
    }
}

TEST(RasteriseOutline, PartsWithoutInsideAreFilledAsBoxesAndWarnedOnce)
{
    TestRun t;
    const Outline thinRing = shapeToSegments({arcEntity(20, 20, 20, 0, 0), arcEntity(20, 20, 19.4, 0, 0)});
    for (const auto& [outline, W, H] : {std::tuple{rectangleOutline(30, 1), 30, 1}, std::tuple{thinRing, 40, 40},
                                        std::tuple{rectangleOutline(1, 40), 1, 40}}) {
        const Raster r = rasteriseOutline(outline, t.run);
        EXPECT_EQ(r.W(), W);
        EXPECT_EQ(r.H(), H);
        EXPECT_TRUE(r.tooSmall());
        EXPECT_EQ(r.countOccupied(), (W + 1LL) * (H + 1));
    }
    EXPECT_EQ(t.warnings, std::vector<std::string>{"One or more parts are too small, kerf may increase slightly"});
}

// Rectangles stand upright; other sheets lie on their longest edge, the first of equal ones along
// the bottom when it runs counter-clockwise (on top when clockwise: turned by a further 180).
// Every free cell lies wholly inside the sheet as turned, and outside its holes, judged on the
// true circle; the sheet stays usable: its area less at most two cells along every edge. A
// rectangle loses exactly the cells of its edges.
TEST(PrepareSheet, TurnsTheSheetAndFreesOnlyCellsWhollyInsideIt)
{
    struct Case { const char* name; Shape sheet; double angle; int W; double area, edges; long long occupied; };
    const double side = 50 * std::sqrt(2.0);
    const std::vector<Case> cases{
        {"offcut with a hole",
         {lineEntity(0, 0, 120.3, 0), lineEntity(120.3, 0, 80.6, 90.2), lineEntity(80.6, 90.2, 0, 90.2),
          lineEntity(0, 90.2, 0, 0), arcEntity(45.5, 40.25, 21.7, 0, 0)},
         0, 120, 0.5 * (120.3 + 80.6) * 90.2 - kPi * 21.7 * 21.7,
         120.3 + std::hypot(39.7, 90.2) + 80.6 + 90.2 + 2 * kPi * 21.7, -1},
        {"wide rectangle", rectangle(0, 0, 200, 100), 90, 100, 20000, 600, 2 * 101 + 2 * 199},
        {"tall rectangle", rectangle(0, 0, 100, 200), 0, 100, 20000, 600, 2 * 101 + 2 * 199},
        {"square on a corner", polygon({{50, 0}, {100, 50}, {50, 100}, {0, 50}}), 315, 71, side * side, 4 * side, -1},
        {"clockwise", polygon({{50, 0}, {0, 50}, {50, 100}, {100, 50}}), 45, 71, side * side, 4 * side, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestRun t;
        const PreparedSheet prepared = prepareSheet(shapeToSegments(c.sheet), t.run);
        EXPECT_NEAR(prepared.angle, c.angle, 1e-9);
        EXPECT_EQ(prepared.raster.W(), c.W);
        if (c.occupied >= 0) {
            EXPECT_EQ(prepared.raster.countOccupied(), c.occupied);
        }
        Shape turned = c.sheet;
        rotateShape(turned, prepared.angle);
        const Extents box = outlineBox(shapeToSegments(turned));
        moveShape(turned, -box.xmin, -box.ymin);
        const std::vector<Points> outline = pointsOn(turned, 0);
        int free = 0;
        for (int y = 0; y <= prepared.raster.H(); ++y)
            for (int x = 0; x <= prepared.raster.W(); ++x) {
                if (prepared.raster.test(x, y)) continue;
                ++free;
                for (double dy = -0.5; dy <= 0.5; dy += 0.5)
                    for (double dx = -0.5; dx <= 0.5; dx += 0.5)
                        ASSERT_TRUE(insideTrue(outline, x + dx, y + dy)) << "free cell " << x << "," << y;
            }
        EXPECT_GT(free, c.area - 2 * c.edges);
    }
}

// Part rasters are cached by path and exact angle: files of the same name in other folders, and
// nearby angles, are other rasters. Analyses are cached by path and, for parts whose turns count
// from the sheet, the sheet's angle; a repeated one draws and rasterises nothing. Rectangles stack
// on their box plus one cell, without turning or pairing, from the box alone or by the lattice
// search (on a sheet turned by 90 as they lie on it).
TEST(RunCaches, RastersAndAnalysesByPathAndExactAngle)
{
    AnalysisRun t({{"/jobs/a/plate.shp", rectangleOutline(20, 8)}, {"/jobs/b/plate.shp", rectangleOutline(50, 30)}});
    const Raster& a = partRaster(circleOutline(0, 0, 10), "/r/a/plate.shp", 90, t.run);
    EXPECT_EQ(&partRaster(rectangleOutline(5, 5), "/r/a/plate.shp", 90, t.run), &a);
    EXPECT_EQ(partRaster(rectangleOutline(5, 5), "/r/b/plate.shp", 90, t.run).W(), 5);
    EXPECT_EQ(partRaster(rectangleOutline(6, 6), "/r/a/plate.shp", 89.6, t.run).W(), 6);
    EXPECT_EQ(partRaster(rectangleOutline(7, 7), "/r/a/plate.dxf", 90, t.run).W(), 7);
    EXPECT_EQ(t.run.caches.partRasters.size(), 4u);

    EXPECT_EQ(simpleAnalysis(rectangleOutline(20, 8)), (StackParams{.StepX = 21, .StepH = 9, .StepY = 9}));
    EXPECT_EQ(simpleAnalysis(rectangleOutline(9.5, 2.4)).StepX, 10); // Round(10.5) = 10
    EXPECT_EQ(t.analyse("/jobs/a/plate.shp", "No"), simpleAnalysis(rectangleOutline(20, 8)));
    const StackParams onWide = t.analyse("/jobs/a/plate.shp", "No", 90);
    EXPECT_EQ(onWide, (StackParams{.StepX = 9, .StepH = 21, .BaseAngle = 90, .StepY = 21}));
    EXPECT_EQ(t.analyse("/jobs/b/plate.shp", "No").StepX, 51);
    EXPECT_EQ(t.run.caches.analyses.size(), 3u);
    const UniformRandom before = t.run.random;
    const size_t rasters = t.run.caches.partRasters.size();
    EXPECT_EQ(t.analyse("/jobs/a/plate.shp", "No", 90), onWide);
    EXPECT_EQ(drawsBetween(before, t.run.random), 0);
    EXPECT_EQ(t.run.caches.partRasters.size(), rasters);
}

TEST(PartAnalysis, TrianglesPairWithTurnedPartnersUnlessOrnIsNo)
{
    const Outline triangle{{0, 0, 40, 0}, {40, 0, 0, 40}, {0, 40, 0, 0}};
    AnalysisRun plain({{"/p/tri.shp", triangle}}), turned({{"/p/tri.shp", triangle}});
    const StackParams no = plain.analyse("/p/tri.shp", "No");
    EXPECT_EQ(no.PairAngle, 0);
    EXPECT_EQ(no.StepY, 41);
    const StackParams step90 = turned.analyse("/p/tri.shp", "step90");
    EXPECT_EQ(step90.PairAngle, 180);
    EXPECT_LT(step90.StepY, 41); // the partner row nests into the first row
    // The partner copy really fits beside the first row.
    Raster canvas(400, 400);
    const Raster& a = plain.run.caches.partRasters.at(partRasterKey(0, "/p/tri.shp"));
    stamp(a, canvas, 0, 0);
    stamp(a, canvas, step90.StepX, 0);
    const Raster& b = turned.run.caches.partRasters.at(partRasterKey(180, "/p/tri.shp"));
    EXPECT_TRUE(fits(b, canvas, {}, step90.ShiftX + step90.StepX, step90.StepY));
}

// Copies in a row never share a cell: a pitch at which they would is raised.
TEST(PartAnalysis, PitchRaisedUntilCopiesShareNoCell)
{
    TestRun t;
    const Raster rhombus = rasteriseOutline(shapeToSegments(polygon({{0, 0}, {20, 0}, {30, 17}, {10, 17}})), t.run);
    const int pitch = clearPitch(rhombus, 5);
    EXPECT_GE(pitch, 20);
    Raster row(200, 40);
    stamp(rhombus, row, 0, 0);
    EXPECT_TRUE(fits(rhombus, row, {}, pitch, 0));
    EXPECT_FALSE(fits(rhombus, row, {}, pitch - 1, 0));
    EXPECT_EQ(clearPitch(rhombus, pitch + 3), pitch + 3);
}
