// The layout check with least distances: parts closer than the spacing to each other, or than the
// margin to the sheet's outline and holes, are faults, measured on the true outlines (arcs as
// arcs). Every layout of a job measured, and the fault texts, are the batch tool's check-layout
// tests.
#include <gtest/gtest.h>

#include "engine/layout_results.h"
#include "geometry/shape_builders.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor::testing {
namespace {

const Shape kSheet = rectangle(0, 0, 1000, 500);

// A plate with a square window in its middle.
Shape framePlate(double x, double y, double size, double window)
{
    Shape frame = rectangle(x, y, size, size);
    const Shape hole = rectangle(x + (size - window) / 2, y + (size - window) / 2, window, window);
    frame.insert(frame.end(), hole.begin(), hole.end());
    return frame;
}

// A half disc: its flat side on x = cx, bulging to +x.
Shape halfDisc(double cx, double cy, double radius)
{
    return {lineEntity(cx, cy + radius, cx, cy - radius), arcEntity(cx, cy, radius, 270, 90)};
}

std::vector<LayoutFault> check(const std::vector<Shape>& parts, LeastDistances least, const Shape& sheet = kSheet)
{
    return checkPlacedLayout(1, sheet, parts, {"a.shp", "b.shp", "c.shp"}, kDefaultCheckTolerance, 0, least);
}

struct SpacingCase {
    const char* what;
    std::vector<Shape> parts;
    double spacing;
    std::vector<std::string> faults;
};

TEST(LayoutDistanceCheck, PartsCloserThanTheSpacingAreFaults)
{
    const SpacingCase cases[] = {
        {"squares 3 apart", {rectangle(10, 10, 100, 100), rectangle(113, 10, 100, 100)}, 3, {}},
        {"squares 2.9 apart",
         {rectangle(10, 10, 100, 100), rectangle(112.9, 10, 100, 100)},
         3,
         {"layout 1: parts 1 (a.shp) and 2 (b.shp) are 2.9 apart, less than the spacing 3"}},
        {"corner to corner 3 apart", {rectangle(10, 10, 100, 100), rectangle(110 + 3 / std::sqrt(2.0), 110 + 3 / std::sqrt(2.0), 50, 50)}, 3, {}},
        {"no spacing asked", {rectangle(10, 10, 100, 100), rectangle(110.5, 10, 100, 100)}, 0, {}},
        {"discs 3 apart", {circle(100, 100, 50), circle(203, 100, 50)}, 3, {}},
        {"discs 2.5 apart",
         {circle(100, 100, 50), circle(202.5, 100, 50)},
         3,
         {"layout 1: parts 1 (a.shp) and 2 (b.shp) are 2.5 apart, less than the spacing 3"}},
        // The circle's chords start at 1 degree, so its rightmost point lies in the middle of a
        // chord 0.0076 inside it: measured on chords this pair would pass.
        {"circle 2.995 from a plate",
         {Shape{arcEntity(100, 100, 50, 1, 1)}, rectangle(152.995, 50, 40, 100)},
         3,
         {"layout 1: parts 1 (a.shp) and 2 (b.shp) are 2.995 apart, less than the spacing 3"}},
        {"half disc bulging 3 from a plate", {halfDisc(100, 100, 50), rectangle(153, 50, 40, 100)}, 3, {}},
        {"in a window 3 from its rim", {framePlate(10, 10, 300, 200), rectangle(63, 63, 194, 194)}, 3, {}},
        {"in a window 2 from its rim",
         {framePlate(10, 10, 300, 200), rectangle(62, 62, 196, 196)},
         3,
         {"layout 1: parts 1 (a.shp) and 2 (b.shp) are 2 apart, less than the spacing 3"}},
    };
    for (const SpacingCase& c : cases) {
        std::vector<std::string> texts;
        for (const LayoutFault& f : check(c.parts, {c.spacing, 0})) texts.push_back(f.text);
        EXPECT_EQ(texts, c.faults) << c.what;
    }
}

TEST(LayoutDistanceCheck, PartsCloserThanTheMarginToTheSheetOrItsHolesAreFaults)
{
    Shape holed = kSheet;
    const Shape hole = circle(500, 250, 100);
    holed.insert(holed.end(), hole.begin(), hole.end());
    struct MarginCase {
        const char* what;
        Shape part;
        std::vector<LayoutFault::Kind> kinds;
    };
    const MarginCase cases[] = {
        {"5 from the edge", rectangle(5, 5, 100, 100), {}},
        {"4 from the edge", rectangle(4, 50, 100, 100), {LayoutFault::Kind::NearSheetEdge}},
        {"5 from the hole", rectangle(300, 200, 95, 100), {}},
        {"4 from the hole", rectangle(300, 200, 96, 100), {LayoutFault::Kind::NearSheetEdge}},
        {"over the hole", rectangle(450, 200, 100, 100), {LayoutFault::Kind::OutsideSheet}},
    };
    for (const MarginCase& c : cases) {
        std::vector<LayoutFault::Kind> kinds;
        for (const LayoutFault& f : check({c.part}, {0, 5}, holed)) kinds.push_back(f.kind);
        EXPECT_EQ(kinds, c.kinds) << c.what;
    }
    EXPECT_EQ(check({rectangle(4, 50, 100, 100)}, {0, 5}, holed).at(0).partA, 1);
}

TEST(LayoutDistanceCheck, EachPartAtFaultIsNamedOnceAndOverlapsKeepTheirOwnFault)
{
    // 1 and 2 overlap, 3 is too close to 2: one overlap, one spacing fault, in that order.
    const std::vector<LayoutFault> faults =
        check({rectangle(10, 10, 100, 100), rectangle(100, 10, 100, 100), rectangle(201, 10, 100, 100)}, {3, 0});
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0].kind, LayoutFault::Kind::Overlap);
    EXPECT_EQ(faults[1].kind, LayoutFault::Kind::TooClose);
    EXPECT_EQ(std::make_pair(faults[1].partA, faults[1].partB), std::make_pair(2, 3));
    EXPECT_EQ(faultyParts(faults), (std::vector<int>{1, 2, 3}));
}

} // namespace
} // namespace dravenor::testing
