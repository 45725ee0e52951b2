// The vector layout check: overlaps and parts off the sheet are found, touching parts, parts one
// kerf apart and parts lying in holes pass; fault numbers point at the right parts.
#include <gtest/gtest.h>

#include "engine/layout_results.h"
#include "geometry/shape_builders.h"
#include "layouts/layout_geometry_check.h"
#include "nested_job.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

Shape ring(double cx, double cy, double outer, double inner)
{
    return {arcEntity(cx, cy, outer, 0, 0), arcEntity(cx, cy, inner, 0, 0)};
}

Shape circle(double cx, double cy, double radius) { return {arcEntity(cx, cy, radius, 0, 0)}; }

Shape triangle(double x1, double y1, double x2, double y2, double x3, double y3)
{
    return {lineEntity(x1, y1, x2, y2), lineEntity(x2, y2, x3, y3), lineEntity(x3, y3, x1, y1)};
}

const Shape kSheet = rectangle(0, 0, 1000, 500);

std::vector<LayoutFault> check(const std::vector<Shape>& parts, const Shape& sheet = kSheet)
{
    return checkPlacedLayout(1, sheet, parts, {});
}

} // namespace

TEST(LayoutGeometryCheck, TouchingAndOneKerfApartPassOverlapByOneUnitFails)
{
    EXPECT_TRUE(check({rectangle(10, 10, 100, 50), rectangle(110, 10, 100, 50)}).empty());
    EXPECT_TRUE(check({rectangle(10, 10, 100, 50), rectangle(10, 60, 100, 50)}).empty());
    EXPECT_TRUE(check({rectangle(10, 10, 100, 50), rectangle(113, 10, 100, 50)}).empty()); // kerf 3
    EXPECT_TRUE(check({rectangle(10, 10, 100, 50), rectangle(110, 60, 100, 50)}).empty());  // corners meet
    const std::vector<LayoutFault> faults = check({rectangle(10, 10, 100, 50), rectangle(109, 10, 100, 50)});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].kind, LayoutFault::Kind::Overlap);
    EXPECT_EQ(faults[0].partA, 1);
    EXPECT_EQ(faults[0].partB, 2);
}

TEST(LayoutGeometryCheck, SlantedAndCurvedNeighboursThatTouchPass)
{
    // Two triangles sharing their long side, a disc resting on a plate and another in a corner.
    EXPECT_TRUE(check({triangle(10, 10, 310, 10, 10, 210), triangle(310, 10, 310, 210, 10, 210)}).empty());
    EXPECT_TRUE(check({rectangle(10, 10, 300, 50), circle(100, 110, 50)}).empty());
    EXPECT_TRUE(check({rectangle(10, 10, 300, 50), circle(400, 110, 50)}).empty());
    EXPECT_FALSE(check({rectangle(10, 10, 300, 50), circle(100, 109, 50)}).empty());
    EXPECT_FALSE(check({triangle(10, 10, 310, 10, 10, 210), triangle(309, 10, 309, 210, 9, 210)}).empty());
}

TEST(LayoutGeometryCheck, PartsInAHoleAreOutsideItButNotAcrossItsRim)
{
    EXPECT_TRUE(check({ring(250, 250, 200, 100), circle(250, 250, 100)}).empty()); // fills the hole
    EXPECT_TRUE(check({ring(250, 250, 200, 100), rectangle(200, 200, 100, 100)}).empty());
    EXPECT_TRUE(check({ring(250, 250, 200, 100), ring(250, 250, 90, 40), circle(250, 250, 40)}).empty());
    const std::vector<LayoutFault> across = check({ring(250, 250, 200, 100), rectangle(200, 200, 100, 160)});
    ASSERT_EQ(across.size(), 1u);
    EXPECT_EQ(across[0].kind, LayoutFault::Kind::Overlap);
    EXPECT_FALSE(check({ring(250, 250, 200, 100), circle(250, 250, 101)}).empty());
}

TEST(LayoutGeometryCheck, PartsInsideOrOnTopOfAnotherOverlap)
{
    // No outline point reaches into the other here: one inside, or both at the same place.
    EXPECT_EQ(check({rectangle(10, 10, 300, 300), rectangle(100, 100, 20, 20)}).size(), 1u);
    EXPECT_EQ(check({rectangle(100, 100, 20, 20), rectangle(10, 10, 300, 300)}).size(), 1u);
    EXPECT_EQ(check({rectangle(10, 10, 100, 50), rectangle(10, 10, 100, 50)}).size(), 1u);
    EXPECT_EQ(check({circle(200, 200, 80), circle(200, 200, 80)}).size(), 1u);
}

// Outlines written with a few decimals close only within rounding; a ray along the line through
// such a gap must not take a neighbour's edge for the inside. Far gaps are not bridged.
TEST(LayoutGeometryCheck, OutlinesOpenByRoundingAreClosedBeforeTheInsideTest)
{
    // A triangle standing on its lowest corner, where the rounding gap is; the rectangle beside
    // it has its bottom edge at that corner's height.
    const Shape roundedOpen{lineEntity(550, 100, 650, 200), lineEntity(650, 200, 450, 200),
                            lineEntity(450, 200, 550, 100.00005)};
    EXPECT_TRUE(check({roundedOpen, rectangle(460, 100, 40, 30)}).empty());
    // A piece of no length at the gap (an arc's last chord often is one) leaves it open all the same.
    Shape withDot = roundedOpen;
    withDot.insert(withDot.begin() + 1, lineEntity(550, 100, 550, 100));
    EXPECT_TRUE(check({withDot, rectangle(460, 100, 40, 30)}).empty());
    Shape wideOpen = roundedOpen;
    wideOpen.back().X2 = 530;
    wideOpen.back().Y2 = 120;
    EXPECT_FALSE(check({wideOpen, rectangle(460, 100, 40, 30)}).empty());
}

TEST(LayoutGeometryCheck, OutlinesTooFarOutToCheckAreFaults)
{
    Shape nowhere = rectangle(10, 10, 50, 50);
    nowhere[1].Y2 = 1e100;
    const std::vector<LayoutFault> faults = check({rectangle(100, 100, 20, 20), nowhere});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].kind, LayoutFault::Kind::Unchecked);
    EXPECT_EQ(faults[0].partA, 2);
}

TEST(LayoutGeometryCheck, PartsPastTheSheetEdgeOrOverItsHolesLeaveTheSheet)
{
    EXPECT_TRUE(check({rectangle(0, 0, 100, 100), rectangle(900, 400, 100, 100)}).empty()); // corners of the sheet
    const std::vector<LayoutFault> past = check({rectangle(0, 0, 100, 100), rectangle(901, 10, 100, 100)});
    ASSERT_EQ(past.size(), 1u);
    EXPECT_EQ(past[0].kind, LayoutFault::Kind::OutsideSheet);
    EXPECT_EQ(past[0].partA, 2);
    EXPECT_EQ(past[0].partB, 0);
    EXPECT_EQ(check({rectangle(2000, 10, 100, 100)}).size(), 1u); // nowhere near the sheet

    Shape sheetWithHole = kSheet;
    append(sheetWithHole, circle(500, 250, 100));
    EXPECT_TRUE(check({rectangle(10, 10, 300, 300), rectangle(600, 150, 200, 200)}, sheetWithHole).empty());
    EXPECT_EQ(check({rectangle(450, 200, 100, 100)}, sheetWithHole).size(), 1u); // in the hole
    EXPECT_EQ(check({rectangle(350, 100, 300, 300)}, sheetWithHole).size(), 1u); // covering the hole
    EXPECT_EQ(check({rectangle(550, 200, 200, 100)}, sheetWithHole).size(), 1u); // across its rim
}

TEST(LayoutGeometryCheck, FaultTextsNameTheLayoutThePartsAndTheirFiles)
{
    const std::vector<LayoutFault> faults =
        checkPlacedLayout(2, kSheet, {rectangle(10, 10, 50, 50), rectangle(400, 10, 50, 50), rectangle(30, 30, 50, 50),
                                      rectangle(980, 10, 50, 50)},
                          {"/jobs/a.shp", "/jobs/b.shp", "/jobs/c.dxf"});
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0].text, "layout 2: part 4 leaves the sheet");
    EXPECT_EQ(faults[1].text, "layout 2: parts 1 (a.shp) and 3 (c.dxf) overlap");
    EXPECT_EQ(faultyParts(faults), (std::vector<int>{1, 3, 4}));
}

TEST(LayoutGeometryCheck, EveryLayoutOfTheEntityListIsCheckedByItsInstanceNumbers)
{
    NestingState state;
    state.parts.resize(2);
    state.parts[0].FileName = "/jobs/a.shp";
    state.parts[1].FileName = "/jobs/b.shp";
    appendShape(state.entities, rectangle(0, 0, 100, 100), 1, 1, 1, 1, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 200, 200), 1, 1, 0, 0, 0, 1);
    // Layout 2: instance 1 is missing (its file could not be read); 2 and 3 overlap.
    appendShape(state.entities, rectangle(0, 0, 100, 100), 2, 1, 1, 2, 0, 1);
    appendShape(state.entities, circle(90, 90, 30), 2, 1, 2, 3, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 200, 200), 2, 1, 0, 0, 0, 1);
    const std::vector<LayoutFault> faults = checkLayouts(state);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].text, "layout 2: parts 2 (a.shp) and 3 (b.shp) overlap");
}

TEST(LayoutGeometryCheck, EngineLayoutsAreSound)
{
    NestedJob job;
    EXPECT_GT(job.state().entities.size(), 10u);
    const std::vector<LayoutFault> faults = checkLayouts(job.state());
    EXPECT_TRUE(faults.empty()) << faults.front().text;
}

TEST(LayoutGeometryCheck, ManyTouchingPartsPassAndOnePushedIntoItsNeighbourIsFound)
{
    // A 20 x 20 chequer of plates and discs, each touching its neighbours.
    std::vector<Shape> parts;
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 20; ++col)
            parts.push_back((row + col) % 2 ? circle(25 + 50 * col, 25 + 50 * row, 25) : rectangle(50 * col, 50 * row, 50, 50));
    const Shape sheet = rectangle(0, 0, 1000, 1000);
    EXPECT_TRUE(checkPlacedLayout(1, sheet, parts, {}).empty());

    parts[0] = rectangle(1, 0, 50, 50);
    const std::vector<LayoutFault> faults = checkPlacedLayout(1, sheet, parts, {});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].partA, 1);
    EXPECT_EQ(faults[0].partB, 2);
}
