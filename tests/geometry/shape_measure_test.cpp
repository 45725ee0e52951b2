#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_measure.h"

namespace dravenor {
namespace {

using testing::append;
using testing::arcEntity;
using testing::denseDisc;
using testing::lineEntity;
using testing::rectangle;
using testing::tracedOffcut;

TEST(MeasureShape, RectangleInAnyOrderAndDirectionIsOneClosedOutline)
{
    Shape shape = rectangle(0, 0, 100, 50);
    std::swap(shape[0].X1, shape[0].X2);
    std::swap(shape[0].Y1, shape[0].Y2);
    std::reverse(shape.begin(), shape.end());
    const ShapeMeasure m = measureShape(shape);
    EXPECT_EQ(m.lines, 4);
    EXPECT_EQ(m.chords, 4);
    EXPECT_EQ(m.closedOutlines, 1);
    EXPECT_TRUE(m.closed);
    EXPECT_DOUBLE_EQ(m.enclosedArea, 5000);
    EXPECT_EQ(m.extents.xmax, 100);
}

TEST(MeasureShape, HolesSubtractAndIslandsInHolesAddAgain)
{
    Shape plate = rectangle(0, 0, 100, 50);
    plate.push_back(arcEntity(50, 25, 10, 0, 0));
    const ShapeMeasure withHole = measureShape(plate);
    EXPECT_EQ(withHole.circles, 1);
    EXPECT_EQ(withHole.chords, 4 + 181);
    EXPECT_EQ(withHole.closedOutlines, 2);
    EXPECT_NEAR(withHole.enclosedArea, 5000 - kPi * 100, 1e-9);

    Shape nested = rectangle(0, 0, 100, 100);
    append(nested, rectangle(20, 20, 60, 60));
    append(nested, rectangle(40, 40, 20, 20));
    append(nested, rectangle(200, 0, 10, 10)); // a separate outline beside them
    EXPECT_DOUBLE_EQ(measureShape(nested).enclosedArea, 10000 - 3600 + 400 + 100);
}

TEST(MeasureShape, ArcsChainWithLines)
{
    // 100 x 60 with corners of radius 10 and a slot hole 30 long and 10 high with round ends.
    Shape shape{lineEntity(10, 0, 90, 0),   arcEntity(90, 10, 10, 270, 360), lineEntity(100, 10, 100, 50),
                arcEntity(90, 50, 10, 0, 90), lineEntity(90, 60, 10, 60),    arcEntity(10, 50, 10, 90, 180),
                lineEntity(0, 50, 0, 10),   arcEntity(10, 10, 10, 180, 270)};
    append(shape, {lineEntity(30, 20, 60, 20), arcEntity(60, 25, 5, 270, 90), lineEntity(60, 30, 30, 30),
                   arcEntity(30, 25, 5, 90, 270)});
    const ShapeMeasure m = measureShape(shape);
    EXPECT_EQ(m.arcs, 6);
    EXPECT_TRUE(m.closed);
    EXPECT_EQ(m.closedOutlines, 2);
    const double exact = (6000 - (4 - kPi) * 100) - (30 * 10 + kPi * 25);
    EXPECT_NEAR(m.enclosedArea, exact, 1e-9);
}

TEST(EnclosedArea, ArcsCountExactlyWhicheverWayTheOutlineRunsThroughThem)
{
    // 100 x 50 with a half-round notch of radius 20 in its top edge: the outline runs through
    // the notch's arc against the arc's own direction.
    const Shape notched{lineEntity(0, 0, 100, 0),   lineEntity(100, 0, 100, 50), lineEntity(100, 50, 70, 50),
                        arcEntity(50, 50, 20, 180, 360), lineEntity(30, 50, 0, 50), lineEntity(0, 50, 0, 0)};
    const struct {
        const char* name;
        Shape shape;
        double area;
    } cases[] = {
        {"washer OD40/ID18", testing::washer(20, 20, 40, 18), kPi * (20 * 20 - 9 * 9)},
        {"washer OD60/ID26", testing::washer(3000, 1500, 60, 26), kPi * (30 * 30 - 13 * 13)},
        {"disc 100", testing::washer(50, 50, 100), kPi * 50 * 50},
        {"notched plate", notched, 5000 - kPi * 20 * 20 / 2},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(enclosedArea(c.shape), c.area, c.area * 1e-9) << c.name;
        EXPECT_EQ(measureShape(c.shape).enclosedArea, enclosedArea(c.shape)) << c.name;
    }
}

TEST(MeasureShape, OpenEndsBranchesAndTheTolerance)
{
    Shape open = rectangle(0, 0, 100, 50);
    open.pop_back();
    open.push_back(lineEntity(200, 0, 300, 0));
    const ShapeMeasure m = measureShape(open);
    EXPECT_EQ(m.openEnds, 4);
    EXPECT_EQ(m.closedOutlines, 0);
    EXPECT_FALSE(m.closed);
    EXPECT_EQ(m.enclosedArea, 0);

    Shape branched = rectangle(0, 0, 10, 10);
    branched.push_back(lineEntity(0, 0, 10, 10));
    EXPECT_EQ(measureShape(branched).openEnds, 0);
    EXPECT_FALSE(measureShape(branched).closed);

    Shape gap = rectangle(0, 0, 100, 50);
    gap[3].Y2 = 1e-8;
    EXPECT_TRUE(measureShape(gap).closed);
    gap[3].Y2 = 0.01;
    EXPECT_EQ(measureShape(gap).openEnds, 2);
    EXPECT_TRUE(measureShape(gap, 0.05).closed);
}

TEST(MeasureShape, GapsCloseOnlyBetweenEndsThatMeetNoOtherEnd)
{
    Shape stray = rectangle(0, 0, 100, 50);
    stray.push_back(lineEntity(-0.3, -0.1, -50, -50)); // 0.32 from a corner where two ends meet
    const std::tuple<const char*, Shape, double, int, int, double> cases[] = {
        // name, shape, gap tolerance, closed outlines, open ends, area
        {"dense disc, lines shorter than the tolerance", denseDisc(), 5, 1, 0, 1000 * 250000 * std::sin(kPi / 1000)},
        {"offcut, gaps wider than the tolerance", tracedOffcut(), 0.25, 0, 8, 0},
        {"offcut, gaps closed between short lines", tracedOffcut(), 2.5, 1, 0, 1800 * 600 + 900 * 600},
        {"a short line never closes on itself", {lineEntity(0, 0, 1, 0)}, 5, 0, 2, 0},
        {"a stray end is not joined to a corner", stray, 0.5, 1, 2, 5000},
    };
    for (const auto& [name, shape, tolerance, outlines, openEnds, area] : cases) {
        const ShapeMeasure m = measureShape(shape, tolerance);
        EXPECT_EQ(std::tie(m.closedOutlines, m.openEnds, m.degenerate), std::make_tuple(outlines, openEnds, 0)) << name;
        EXPECT_NEAR(m.enclosedArea, area, area * 0.002) << name;
    }
}

TEST(MeasureShape, DegenerateEntitiesAreCounted)
{
    Shape shape = rectangle(0, 0, 10, 10);
    shape.insert(shape.begin() + 2, lineEntity(10, 10, 10, 10)); // zero length, at a corner
    shape.push_back(arcEntity(50, 50, -5, 0, 90));
    const ShapeMeasure m = measureShape(shape);
    EXPECT_EQ(m.degenerate, 2);
    EXPECT_EQ(m.closedOutlines, 1);
    EXPECT_EQ(m.openEnds, 2); // only the arc's
    EXPECT_FALSE(measureShape({}).closed);
}

} // namespace
} // namespace dravenor
