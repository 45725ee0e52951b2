#include <gtest/gtest.h>

#include "engine/layout_results.h"
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

template <class Entry>
Entry entry(const std::string& file, std::int32_t qty, std::int32_t remaining, std::int32_t area)
{
    Entry e;
    e.FileName = file;
    e.Qty = qty;
    e.Remaining = remaining;
    e.Area = area;
    return e;
}
const auto sheetEntry = entry<SheetEntry>;
const auto partEntry = entry<PartEntry>;

} // namespace

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
    auto expectBox = [](const Shape& shape, double xmin, double ymin, double xmax, double ymax) {
        const Extents b = shapeExtents(shape);
        EXPECT_NEAR(b.xmin, xmin, 1e-9);
        EXPECT_NEAR(b.ymin, ymin, 1e-9);
        EXPECT_NEAR(b.xmax, xmax, 1e-9);
        EXPECT_NEAR(b.ymax, ymax, 1e-9);
    };
    expectBox(sheet, 0, 0, 2000, 1000);
    // Turned clockwise: the part's bottom-left corner goes to the top left of the sheet.
    expectBox(part, 0, 900, 50, 1000);
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
