#include <gtest/gtest.h>

#include "engine/layout_results.h"
#include "engine/layout_summary.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Records the layout numbers the repeat shows.
class LayoutNumberLog : public SilentProgress {
public:
    void layoutNumber(int layoutNo) override { shown.push_back(layoutNo); }
    std::vector<int> shown;
};

NestingState stateWith(std::vector<SheetEntry> sheets, std::vector<PartEntry> parts)
{
    NestingState s;
    s.sheets = std::move(sheets);
    s.parts = std::move(parts);
    return s;
}

SheetEntry sheetEntry(const std::string& file, std::int32_t qty, std::int32_t remaining, std::int32_t area)
{
    SheetEntry e;
    e.FileName = file;
    e.Qty = qty;
    e.Remaining = remaining;
    e.Area = area;
    return e;
}

PartEntry partEntry(const std::string& file, std::int32_t qty, std::int32_t remaining, std::int32_t area)
{
    PartEntry e;
    e.FileName = file;
    e.Qty = qty;
    e.Remaining = remaining;
    e.Area = area;
    return e;
}

} // namespace

TEST(AppendShape, AppendsEveryEntityInOrderWithTheTags)
{
    std::vector<LayoutEntity> list;
    Shape shape = rectangle(0, 0, 10, 5);
    shape.push_back(arcEntity(5, 2, 1, 0, 0));
    appendShape(list, shape, 2, 3, 4, 5, 90);
    appendShape(list, rectangle(0, 0, 1, 1), 2, 3, 0, 0, 0, 7);
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list[1].X1, 10);
    EXPECT_EQ(list[4].RAD, 1);
    EXPECT_EQ(list[4].CX, 5);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(list[i].LayoutNo, 2);
        EXPECT_EQ(list[i].SheetIndex, 3);
        EXPECT_EQ(list[i].PartIndex, 4);
        EXPECT_EQ(list[i].Instance, 5);
        EXPECT_EQ(list[i].Angle, 90);
        EXPECT_EQ(list[i].Qty, 0) << "the driver leaves Qty to the repeat";
    }
    EXPECT_EQ(list[8].Qty, 7);
    EXPECT_EQ(list[8].PartIndex, 0);
}

TEST(RotateLastLayout, TurnsOnlyTheLastLayoutAndMovesItToTheOrigin)
{
    std::vector<LayoutEntity> list;
    appendShape(list, rectangle(5, 5, 10, 10), 1, 1, 1, 1, 0);
    // Layout 2: a part at the bottom left of a sheet prepared 1000 wide and 2000 high.
    appendShape(list, rectangle(0, 0, 100, 50), 2, 1, 1, 1, 0);
    appendShape(list, rectangle(0, 0, 1000, 2000), 2, 1, 0, 0, 90);
    rotateLastLayout(list, -90);

    EXPECT_EQ(list[0].X1, 5) << "layout 1 stays as it was";
    Shape sheet, part;
    for (const LayoutEntity& e : list) {
        if (e.LayoutNo != 2) continue;
        (e.Instance == 0 ? sheet : part).push_back({e.X1, e.Y1, e.X2, e.Y2});
    }
    const Extents s = shapeExtents(sheet);
    EXPECT_NEAR(s.xmin, 0, 1e-9);
    EXPECT_NEAR(s.ymin, 0, 1e-9);
    EXPECT_NEAR(s.xmax, 2000, 1e-9);
    EXPECT_NEAR(s.ymax, 1000, 1e-9);
    // Turned clockwise: the part's bottom-left corner goes to the top left of the sheet.
    const Extents p = shapeExtents(part);
    EXPECT_NEAR(p.xmin, 0, 1e-9);
    EXPECT_NEAR(p.xmax, 50, 1e-9);
    EXPECT_NEAR(p.ymin, 900, 1e-9);
    EXPECT_NEAR(p.ymax, 1000, 1e-9);
    EXPECT_EQ(list[8].Angle, 90) << "tags are kept";
}

TEST(RepeatLayout, RepeatsWhileStockAndDemandAllowAndWritesTheQuantity)
{
    // Stock 10; the first copy is already taken (9 left) and demand of 6 A and 3 B filled 2 A
    // and 1 B of it: exactly three identical sheets.
    NestingState state = stateWith({sheetEntry("s", 10, 9, 1000)}, {partEntry("a", 6, 4, 100), partEntry("b", 3, 2, 50)});
    appendShape(state.entities, rectangle(0, 0, 1, 1), 1, 1, 1, 1, 0);
    appendShape(state.entities, rectangle(0, 0, 1, 1), 1, 1, 1, 2, 0);
    appendShape(state.entities, rectangle(0, 0, 1, 1), 1, 1, 2, 3, 0);
    appendShape(state.entities, rectangle(0, 0, 9, 9), 1, 1, 0, 0, 0);
    double sheetArea = 1000, partArea = 250;
    LayoutNumberLog progress;
    const std::int32_t qty = repeatLayout(state, {2, 1}, 1, 1, sheetArea, partArea, progress);

    EXPECT_EQ(qty, 3);
    EXPECT_EQ(state.sheets[0].Remaining, 7);
    EXPECT_EQ(state.parts[0].Remaining, 0);
    EXPECT_EQ(state.parts[1].Remaining, 0);
    EXPECT_EQ(sheetArea, 3000);
    EXPECT_EQ(partArea, 750);
    for (const LayoutEntity& e : state.entities) EXPECT_EQ(e.Qty, 3);
    EXPECT_EQ(progress.shown, (std::vector<int>{1, 1}));
}

TEST(RepeatLayout, StaysAtOneWhenDemandOrStockRunsShort)
{
    // Stock would allow more, but part B has fewer left (1) than the layout holds (2).
    NestingState byDemand = stateWith({sheetEntry("s", 10, 9, 1000)}, {partEntry("a", 9, 8, 10), partEntry("b", 3, 1, 10)});
    appendShape(byDemand.entities, rectangle(0, 0, 9, 9), 1, 1, 0, 0, 0);
    double sheetArea = 1000, partArea = 30;
    LayoutNumberLog progress;
    EXPECT_EQ(repeatLayout(byDemand, {1, 2}, 1, 1, sheetArea, partArea, progress), 1);
    EXPECT_EQ(byDemand.sheets[0].Remaining, 9);
    EXPECT_EQ(byDemand.entities[0].Qty, 1);
    EXPECT_EQ(sheetArea, 1000);
    EXPECT_TRUE(progress.shown.empty());

    // Demand would allow more, but the last sheet of the stock is used.
    NestingState byStock = stateWith({sheetEntry("s", 1, 0, 1000)}, {partEntry("a", 9, 8, 10)});
    appendShape(byStock.entities, rectangle(0, 0, 9, 9), 1, 1, 0, 0, 0);
    EXPECT_EQ(repeatLayout(byStock, {1}, 1, 1, sheetArea, partArea, progress), 1);
    EXPECT_EQ(byStock.parts[0].Remaining, 8);
}

TEST(RepeatLayout, WritesTheQuantityOnlyOnItsOwnLayout)
{
    NestingState state = stateWith({sheetEntry("s", 5, 4, 100)}, {partEntry("a", 4, 3, 10)});
    appendShape(state.entities, rectangle(0, 0, 1, 1), 1, 1, 1, 1, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 1, 1), 2, 1, 1, 1, 0);
    double sheetArea = 0, partArea = 0;
    SilentProgress progress;
    EXPECT_EQ(repeatLayout(state, {1}, 2, 1, sheetArea, partArea, progress), 4);
    EXPECT_EQ(state.entities.front().Qty, 1);
    EXPECT_EQ(state.entities.back().Qty, 4);
    EXPECT_EQ(state.sheets[0].Remaining, 1);
}

TEST(NormaliseArcs, TidiesArcAnglesAndLeavesLinesAlone)
{
    std::vector<LayoutEntity> list;
    appendShape(list,
                {arcEntity(0, 0, 1, 270, 360), arcEntity(0, 0, 1, -90, 0), arcEntity(0, 0, 1, -720, -30),
                 arcEntity(0, 0, 1, 360, 400), lineEntity(-1, -2, 360, 360)},
                1, 1, 1, 1, 0);
    normaliseArcs(list);
    EXPECT_EQ(list[0].Nstart, 270);
    EXPECT_EQ(list[0].Nend, 0);
    EXPECT_EQ(list[1].Nstart, 270);
    EXPECT_EQ(list[1].Nend, 0);
    EXPECT_EQ(list[2].Nstart, 0);
    EXPECT_EQ(list[2].Nend, 330);
    EXPECT_EQ(list[3].Nstart, 360) << "360 and above stay";
    EXPECT_EQ(list[3].Nend, 400);
    EXPECT_EQ(list[4].X1, -1);
    EXPECT_EQ(list[4].Y2, 360);
}

TEST(BuildItemList, ListsInstancesInOrderThenTheSheetPerLayout)
{
    NestingState state = stateWith({sheetEntry("sheet.shp", 3, 0, 1000)},
                                   {partEntry("a.shp", 2, 0, 10), partEntry("b.shp", 1, 0, 10)});
    appendShape(state.entities, rectangle(10, 20, 5, 5), 1, 1, 1, 1, 90, 2);
    appendShape(state.entities, rectangle(30, 40, 5, 5), 1, 1, 1, 2, 180, 2);
    Shape b = rectangle(50, 60, 5, 5);
    b.push_back(arcEntity(50, 60, 8, 0, 0)); // the circle reaches below and left of the lines
    appendShape(state.entities, b, 1, 1, 2, 3, 270, 2);
    appendShape(state.entities, rectangle(0, 0, 100, 100), 1, 1, 0, 0, 90, 2);
    appendShape(state.entities, rectangle(1, 2, 5, 5), 2, 1, 2, 1, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 100, 100), 2, 1, 0, 0, 0, 1);

    const std::vector<LayoutItem> items = buildItemList(state);
    ASSERT_EQ(items.size(), 6u);
    const std::vector<std::string> names{"a.shp", "a.shp", "b.shp", "sheet.shp", "b.shp", "sheet.shp"};
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].Name, names[i]) << i;
    EXPECT_EQ(items[0].X, 10);
    EXPECT_EQ(items[0].Y, 20);
    EXPECT_EQ(items[1].Angle, 180);
    EXPECT_EQ(items[2].X, 42);
    EXPECT_EQ(items[2].Y, 52);
    EXPECT_EQ(items[2].PartIndex, 2);
    EXPECT_EQ(items[2].Qty, 2);
    EXPECT_EQ(items[3].PartIndex, 0);
    EXPECT_EQ(items[3].X, 0);
    EXPECT_EQ(items[3].Y, 0);
    EXPECT_EQ(items[3].Angle, 0) << "the sheet row carries no angle";
    EXPECT_EQ(items[3].LayoutNo, 1);
    EXPECT_EQ(items[4].LayoutNo, 2);
    EXPECT_EQ(items[4].X, 1);
    EXPECT_EQ(items[5].Qty, 1);
}

TEST(BuildItemList, IsEmptyWithoutLayouts)
{
    EXPECT_TRUE(buildItemList(NestingState{}).empty());
}

TEST(LayoutSummary, CountsPartsAndYieldsThatAddUp)
{
    NestingState state = stateWith({sheetEntry("s1", 5, 0, 1000), sheetEntry("s2", 5, 0, 2000)},
                                   {partEntry("a", 8, 0, 100), partEntry("b", 1, 0, 300)});
    // Layout 1: two A on s1, cut three times; layout 2: two A and B on s2, once.
    appendShape(state.entities, rectangle(0, 0, 1, 1), 1, 1, 1, 1, 0, 3);
    appendShape(state.entities, rectangle(0, 0, 1, 1), 1, 1, 1, 2, 0, 3);
    appendShape(state.entities, rectangle(0, 0, 9, 9), 1, 1, 0, 0, 0, 3);
    appendShape(state.entities, rectangle(0, 0, 1, 1), 2, 2, 1, 1, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 1, 1), 2, 2, 1, 2, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 1, 1), 2, 2, 2, 3, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 9, 9), 2, 2, 0, 0, 0, 1);

    const std::vector<LayoutSummary> layouts = summariseLayouts(state);
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[0].sheetFile, "s1");
    EXPECT_EQ(layouts[0].qty, 3);
    EXPECT_EQ(layouts[0].partsPlaced, 2);
    EXPECT_DOUBLE_EQ(layouts[0].yield(), 0.2);
    EXPECT_EQ(layouts[1].partsPlaced, 3);
    EXPECT_DOUBLE_EQ(layouts[1].yield(), 0.25);
    // (3 x 200 + 500) / (3 x 1000 + 2000)
    EXPECT_DOUBLE_EQ(overallYield(layouts), 1100.0 / 5000.0);
    EXPECT_EQ(overallYield({}), 0);
}
