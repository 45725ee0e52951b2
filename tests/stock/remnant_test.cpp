// Remnants beyond a layout's parts, checked against areas worked out by hand from the sheet's
// geometry (rectangles, circular holes and segments), and the outline the clip leaves closed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_measure.h"
#include "stock/half_plane_clip.h"
#include "stock/remnant.h"

namespace dravenor {
namespace {

constexpr double kPiExact = 3.14159265358979323846;

using testing::arcEntity;
using testing::polygon;
using testing::rectangle;

// Area of the part of a circle of radius r beyond a chord at distance d from its centre.
double circularSegment(double r, double d)
{
    return r * r * std::acos(d / r) - d * std::sqrt(r * r - d * d);
}

struct RemnantCase {
    std::string name;
    Shape sheet;
    Shape parts;
    double clearance;
    RemnantSide side;
    double width, length, area;
};

TEST(RemnantBeyondParts, LeavesTheLargerRemnantWithTheExactArea)
{
    const RemnantSettings none{0, 0};
    const Shape plain = rectangle(0, 0, 1000, 500);
    Shape holed = plain;
    holed.push_back(arcEntity(800, 250, 50, 0, 0));
    const Shape circleSheet{arcEntity(500, 500, 500, 0, 0)};
    // An L: 1000 x 300 with a 400 x 300 leg up at its right end.
    const Shape lShape = polygon({{0, 0}, {1000, 0}, {1000, 600}, {600, 600}, {600, 300}, {0, 300}});
    const std::vector<RemnantCase> cases{
        {"parts at the left, full height", plain, rectangle(0, 0, 300, 500), 5, RemnantSide::Right, 695, 500,
         695 * 500},
        {"parts at the bottom, full width", plain, rectangle(0, 0, 1000, 100), 5, RemnantSide::Top, 395, 1000,
         395 * 1000},
        {"a hole beyond the cut is the remnant's own", holed, rectangle(0, 0, 300, 500), 5, RemnantSide::Right, 695,
         500, 695 * 500 - kPiExact * 2500},
        {"a cut through a hole", holed, rectangle(0, 0, 800, 500), 0, RemnantSide::Right, 200, 500,
         200 * 500 - kPiExact * 2500 / 2},
        {"a round sheet keeps its arc", circleSheet, rectangle(0, 300, 400, 400), 100, RemnantSide::Right, 500, 1000,
         kPiExact * 250000 / 2},
        {"a round sheet cut off centre", circleSheet, rectangle(200, 0, 600, 600), 100, RemnantSide::Top, 300,
         2 * std::sqrt(500.0 * 500 - 200 * 200), circularSegment(500, 200)},
        {"an L-shaped offcut keeps its leg", lShape, rectangle(0, 0, 400, 300), 10, RemnantSide::Right, 590, 600,
         590 * 300 + 400 * 300},
        {"parts in the middle leave the larger side", plain, rectangle(600, 0, 100, 500), 0, RemnantSide::Left, 600,
         500, 600 * 500},
    };
    for (const RemnantCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Remnant r = remnantBeyondParts(c.sheet, c.parts, c.clearance, none);
        ASSERT_TRUE(r.kept);
        EXPECT_EQ(r.side, c.side);
        EXPECT_NEAR(r.width, c.width, 1e-6);
        EXPECT_NEAR(r.length, c.length, 1e-6);
        EXPECT_NEAR(r.area, c.area, 1e-6 * c.area);
        const ShapeMeasure m = measureShape(r.outline);
        EXPECT_TRUE(m.closed);
        EXPECT_EQ(m.openEnds, 0);
        // The remnant stays the clearance beyond the parts.
        const Extents parts = shapeExtents(c.parts), box = shapeExtents(r.outline);
        const double gap = c.side == RemnantSide::Right ? box.xmin - parts.xmax
            : c.side == RemnantSide::Top                ? box.ymin - parts.ymax
            : c.side == RemnantSide::Left               ? parts.xmin - box.xmax
                                                        : parts.ymin - box.ymax;
        EXPECT_NEAR(gap, c.clearance, 1e-9);
    }
}

TEST(RemnantBeyondParts, KeepsOnlyWhatIsWideAndLargeEnough)
{
    const Shape sheet = rectangle(0, 0, 1000, 500);
    const Shape parts = rectangle(0, 0, 900, 480);
    struct Least {
        RemnantSettings least;
        bool kept;
    };
    // Beyond x = 905 the remnant is 95 x 500 (47 500); beyond y = 485, 15 x 1000.
    const Least cases[] = {{{90, 40000}, true}, {{96, 0}, false}, {{0, 47501}, false}, {{95, 47500}, true}};
    for (const Least& c : cases) {
        const Remnant r = remnantBeyondParts(sheet, parts, 5, c.least);
        EXPECT_EQ(r.kept, c.kept) << c.least.minWidth << " " << c.least.minArea;
    }
    // Parts up to the edge leave nothing at all.
    EXPECT_EQ(remnantBeyondParts(sheet, rectangle(0, 0, 1000, 500), 3, {0, 0}).side, RemnantSide::None);
    EXPECT_EQ(remnantBeyondParts(sheet, {}, 3, {0, 0}).side, RemnantSide::None);
}

TEST(HalfPlaneClip, CutsArcsWhereTheyCrossAndClosesAlongTheLine)
{
    // A full circle cut through its centre: one half arc and one closing line.
    const Shape half = clipShapeToHalfPlane({arcEntity(0, 0, 10, 0, 0)}, {0, 1, 0});
    ASSERT_EQ(half.size(), 2u);
    int arcs = 0, lines = 0;
    for (const ShapeEntity& e : half) e.isLine() ? ++lines : ++arcs;
    EXPECT_EQ(arcs, 1);
    EXPECT_EQ(lines, 1);
    EXPECT_NEAR(enclosedArea(half), kPiExact * 50, 1e-9);
    // A ring (disc with a hole) cut through its centre: the cut closes in two pieces, not across the hole.
    const Shape ring = clipShapeToHalfPlane({arcEntity(0, 0, 10, 0, 0), arcEntity(0, 0, 4, 0, 0)}, {1, 0, 0});
    EXPECT_NEAR(enclosedArea(ring), kPiExact * (100 - 16) / 2, 1e-9);
    EXPECT_TRUE(measureShape(ring).closed);
    // Nothing beyond the shape: empty.
    EXPECT_TRUE(clipShapeToHalfPlane(rectangle(0, 0, 10, 10), {1, 0, 20}).empty());
}

} // namespace
} // namespace dravenor
