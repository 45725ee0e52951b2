#include <gtest/gtest.h>

#include <cmath>

#include "engine/rasterise.h"
#include "engine/run_caches.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "raster_test_support.h"

namespace dravenor {
namespace {

using namespace testing;

using Points = std::vector<std::pair<double, double>>;

// Points on each true entity (arcs as arcs, not chords), `perCell` to a cell.
std::vector<Points> pointsOn(const Shape& shape, double perCell = 20)
{
    std::vector<Points> entities;
    for (const ShapeEntity& e : shape) {
        Points& points = entities.emplace_back();
        if (e.RAD == 0) {
            const int n = 1 + static_cast<int>(std::hypot(e.X2 - e.X1, e.Y2 - e.Y1) * perCell);
            for (int k = 0; k <= n; ++k)
                points.emplace_back(e.X1 + (e.X2 - e.X1) * k / n, e.Y1 + (e.Y2 - e.Y1) * k / n);
            continue;
        }
        const double sweep = arcSweep(e.Nstart, e.Nend);
        const int n = 1 + static_cast<int>(e.RAD * sweep * kPi / 180 * perCell);
        for (int k = 0; k <= n; ++k) {
            const double a = (e.Nstart + sweep * k / n) * kPi / 180;
            points.emplace_back(e.CX + e.RAD * std::cos(a), e.CY + e.RAD * std::sin(a));
        }
    }
    return entities;
}

// Even-odd inside test against the true outline, sampled finely enough to stand for it.
bool insideTrue(const std::vector<Points>& outline, double x, double y)
{
    bool inside = false;
    for (const Points& pts : outline) {
        for (size_t k = 0; k + 1 < pts.size(); ++k) {
            const auto [x1, y1] = pts[k];
            const auto [x2, y2] = pts[k + 1];
            if ((y1 <= y) != (y2 <= y) && x < x1 + (y - y1) * (x2 - x1) / (y2 - y1)) inside = !inside;
        }
    }
    return inside;
}

int cellAt(double v) { return static_cast<int>(std::floor(v + 0.5)); }

struct CoverCase {
    const char* name;
    Shape shape;
};

// Parts with slanted edges, large and small arcs and holes: every point of the true part, on its
// outline or inside it, lies in an occupied cell of its raster.
std::vector<CoverCase> coverCases()
{
    Shape ring{arcEntity(20, 20, 20, 0, 0), arcEntity(20, 20, 7.3, 0, 0)};
    // A flat segment of a large disc: its chords stand 0.15 cells inside the arc.
    const double r = 1000;
    const double half = 3.3; // degrees either side of the top
    const double ax = r * std::sin(half * kPi / 180), ay = r * std::cos(half * kPi / 180);
    Shape bow{arcEntity(0, 0, r, 90 - half, 90 + half), lineEntity(-ax, ay, ax, ay)};
    Shape gusset{lineEntity(0, 0, 37.3, 0), lineEntity(37.3, 0, 37.3, 11.1), lineEntity(37.3, 11.1, 9.7, 23.9), lineEntity(9.7, 23.9, 0, 23.9),
                 lineEntity(0, 23.9, 0, 0)};
    Shape sliver{lineEntity(0, 0, 40.2, 3.7), lineEntity(40.2, 3.7, 0.4, 1.9), lineEntity(0.4, 1.9, 0, 0)};
    return {{"ring", ring}, {"bow", bow}, {"gusset", gusset}, {"sliver", sliver}};
}

TEST(RasteriseOutline, EveryPointOfThePartLiesInAnOccupiedCell)
{
    for (const CoverCase& c : coverCases()) {
        TestRun t;
        Shape shape = c.shape;
        // Placed as the rasteriser places it: the chords' box at the origin.
        const Extents box = outlineBox(shapeToSegments(shape));
        moveShape(shape, -box.xmin, -box.ymin);
        const Raster raster = rasteriseOutline(shapeToSegments(shape), t.run);
        EXPECT_FALSE(raster.tooSmall()) << c.name;
        const std::vector<Points> outline = pointsOn(shape);
        for (const Points& entity : outline)
            for (const auto& [x, y] : entity) {
                ASSERT_LE(cellAt(x), raster.W()) << c.name;
                ASSERT_TRUE(raster.test(cellAt(x), cellAt(y))) << c.name << " outline point " << x << "," << y;
            }
        for (double y = 0.05; y < raster.H(); y += 0.37)
            for (double x = 0.05; x < raster.W(); x += 0.41)
                if (insideTrue(outline, x, y)) {
                    ASSERT_TRUE(raster.test(cellAt(x), cellAt(y))) << c.name << " inside point " << x << "," << y;
                }
    }
}

TEST(RasteriseOutline, HolesStayFreeAndDistantCellsAreNotTaken)
{
    TestRun t;
    Outline ring = circleOutline(0, 0, 30);
    append(ring, circleOutline(0, 0, 12));
    const Raster r = rasteriseOutline(ring, t.run);
    ASSERT_EQ(r.W(), 60);
    for (int y = 0; y <= r.H(); ++y)
        for (int x = 0; x <= r.W(); ++x) {
            const double d = std::hypot(x - 30, y - 30);
            // A cell reaches 0.71 from its centre: beyond that from the outline its state is sure.
            if (d < 12 - 0.72 || d > 30 + 0.72) {
                ASSERT_FALSE(r.test(x, y)) << x << "," << y;
            }
            if (d > 12 + 0.72 && d < 30 - 0.72) {
                ASSERT_TRUE(r.test(x, y)) << x << "," << y;
            }
        }
    EXPECT_TRUE(t.progress.warnings.empty());
}

TEST(RasteriseOutline, PartsWithoutInsideAreFilledAsBoxesAndWarnedOnce)
{
    TestRun t;
    Outline thinRing = circleOutline(20, 20, 20);
    append(thinRing, circleOutline(20, 20, 19.4));
    struct Case {
        Outline outline;
        int W, H;
    };
    for (const Case& c : {Case{rectangleOutline(30, 1), 30, 1}, Case{thinRing, 40, 40}, Case{rectangleOutline(1, 40), 1, 40}}) {
        const Raster r = rasteriseOutline(c.outline, t.run);
        EXPECT_EQ(r.W(), c.W);
        EXPECT_EQ(r.H(), c.H);
        EXPECT_TRUE(r.tooSmall());
        EXPECT_EQ(r.countOccupied(), (c.W + 1LL) * (c.H + 1));
    }
    EXPECT_EQ(t.progress.warnings, std::vector<std::string>{"One or more parts are too small, kerf may increase slightly"});
}

TEST(PrepareSheet, WideRectangleStandsUpright)
{
    TestRun t;
    const PreparedSheet wide = prepareSheet(rectangleOutline(2000, 1000), t.run);
    EXPECT_EQ(wide.angle, 90);
    ASSERT_EQ(wide.raster.W(), 1000);
    ASSERT_EQ(wide.raster.H(), 2000);
    for (const auto& [x, y] : std::vector<Cell>{{0, 0}, {0, 1500}, {1000, 7}, {500, 0}, {500, 2000}, {1000, 2000}})
        EXPECT_TRUE(wide.raster.test(x, y)) << x << "," << y;
    EXPECT_FALSE(wide.raster.test(1, 1));
    EXPECT_FALSE(wide.raster.test(999, 1999));
    EXPECT_EQ(wide.raster.countOccupied(), 2 * 1001 + 2 * 1999);

    const PreparedSheet tall = prepareSheet(rectangleOutline(1000, 2000), t.run);
    EXPECT_EQ(tall.angle, 0);
    EXPECT_EQ(tall.raster, wide.raster);
}

// An offcut with a slanted edge and a round hole: every free cell lies wholly inside the sheet
// and outside the hole, judged on the true circle.
TEST(PrepareSheet, FreeCellsLieWhollyInsideTheSheet)
{
    TestRun t;
    const Shape sheet{lineEntity(0, 0, 120.3, 0), lineEntity(120.3, 0, 80.6, 90.2), lineEntity(80.6, 90.2, 0, 90.2), lineEntity(0, 90.2, 0, 0),
                      arcEntity(45.5, 40.25, 21.7, 0, 0)};
    const PreparedSheet prepared = prepareSheet(shapeToSegments(sheet), t.run);
    ASSERT_EQ(prepared.angle, 0);
    const std::vector<Points> outline = pointsOn(sheet, 2);
    int free = 0;
    for (int y = 0; y <= prepared.raster.H(); ++y)
        for (int x = 0; x <= prepared.raster.W(); ++x) {
            if (prepared.raster.test(x, y)) continue;
            ++free;
            for (double dy = -0.5; dy <= 0.5; dy += 0.5)
                for (double dx = -0.5; dx <= 0.5; dx += 0.5)
                    ASSERT_TRUE(insideTrue(outline, x + dx, y + dy)) << "free cell " << x << "," << y;
        }
    // The sheet stays usable: its area less the hole, less at most two cells along every edge.
    const double area = 0.5 * (120.3 + 80.6) * 90.2 - kPi * 21.7 * 21.7;
    const double edges = 120.3 + std::hypot(39.7, 90.2) + 80.6 + 90.2 + 2 * kPi * 21.7;
    EXPECT_GT(free, area - 2 * edges);
}

TEST(PrepareSheet, SheetWithoutSquareCornerLiesOnItsLongestEdge)
{
    TestRun t;
    // A square standing on a corner, counter-clockwise: its first edge (the longest of four
    // equal ones) ends up along the bottom.
    const PreparedSheet ccw = prepareSheet(polygon({{50, 0}, {100, 50}, {50, 100}, {0, 50}}), t.run);
    EXPECT_NEAR(ccw.angle, 315, 1e-9);
    EXPECT_EQ(ccw.raster.W(), 71);
    EXPECT_FALSE(ccw.raster.test(35, 35));
    EXPECT_FALSE(ccw.raster.test(3, 3));
    EXPECT_TRUE(ccw.raster.test(35, 0));
    EXPECT_TRUE(ccw.raster.test(71, 71));

    // Clockwise, the same first edge would lie on top: turned by a further 180 degrees.
    const PreparedSheet cw = prepareSheet(polygon({{50, 0}, {0, 50}, {50, 100}, {100, 50}}), t.run);
    EXPECT_NEAR(cw.angle, 45, 1e-9); // 225 + 180, less a full turn
    EXPECT_FALSE(cw.raster.test(35, 35));
}

// Files of the same name in different folders are different parts; nearby angles are different
// rasters; the same file at the same angle is rasterised once.
TEST(PartRaster, CachedByPathAndExactAngle)
{
    TestRun t;
    const Raster& a = partRaster(circleOutline(0, 0, 10), "/jobs/a/plate.shp", 90, t.run);
    EXPECT_EQ(&partRaster(rectangleOutline(5, 5), "/jobs/a/plate.shp", 90, t.run), &a);
    EXPECT_EQ(partRaster(rectangleOutline(5, 5), "/jobs/b/plate.shp", 90, t.run).W(), 5);
    EXPECT_EQ(partRaster(rectangleOutline(6, 6), "/jobs/a/plate.shp", 89.6, t.run).W(), 6);
    EXPECT_EQ(partRaster(rectangleOutline(7, 7), "/jobs/a/plate.dxf", 90, t.run).W(), 7);
    EXPECT_EQ(t.run.caches.partRasters.size(), 4u);
}

} // namespace
} // namespace dravenor
