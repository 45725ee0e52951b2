// The edit.lay exchange: the current layout written as lines and the edited lines taken back
// into the item list, the sheet and part records (stock and demand) and the grids.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/layout_exchange.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

using Lines = std::vector<LayoutFileLine>;

// Three layouts on sheet 1 (stock 5): layout 1 two plates (Qty 2), layout 2 a plate and a disc
// (Qty 1), layout 3 one disc (Qty 2).
NestingState threeLayouts()
{
    NestingState s;
    s.sheets = {SheetEntry{"s.shp", 5, 0, 0, 0}};
    s.parts = {{"plate.shp", 0, 0, "", 0, 0}, {"disc.shp", 0, 0, "", 0, 0}};
    s.items = {layoutItem("plate.shp", 1, 1, 0, 0, 0, 2),  layoutItem("plate.shp", 1, 1, 100, 0, 90, 2),
               layoutItem("s.shp", 1, 0, 0, 0, 0, 2),      layoutItem("plate.shp", 2, 1, 12.5, 7.25, 0, 1),
               layoutItem("disc.shp", 2, 2, 200, 0, 0, 1), layoutItem("s.shp", 2, 0, 0, 0, 0, 1),
               layoutItem("disc.shp", 3, 2, 0, 0, 0, 2),   layoutItem("s.shp", 3, 0, 0, 0, 0, 2)};
    return s;
}

// A partial run: six plates wanted, five placed; one ring wanted, none placed.
NestingState partialRun()
{
    NestingState s = threeLayouts();
    s.parts[0] = PartEntry{"plate.shp", 6, 0, "", 0, 1};
    s.parts.push_back(PartEntry{"ring.shp", 1, 0, "", 0, 1});
    return s;
}

NestingState oneLayout()
{
    NestingState s;
    s.sheets = {SheetEntry{"s.shp", 1, 0, 0, 0}};
    s.parts = {{"plate.shp", 0, 0, "", 0, 0}};
    s.items = {layoutItem("plate.shp", 1, 1), layoutItem("s.shp", 1, 0)};
    return s;
}

// Items as layout.sheet.part, then Qty-Remaining of every part and sheet record.
std::string recordsOf(const NestingState& s)
{
    std::ostringstream text;
    text << "items";
    for (const LayoutItem& i : s.items) text << ' ' << i.LayoutNo << '.' << i.SheetIndex << '.' << i.PartIndex;
    text << " | parts";
    for (const PartEntry& p : s.parts) text << ' ' << p.Qty << '-' << p.Remaining;
    text << " | sheets";
    for (const SheetEntry& p : s.sheets) text << ' ' << p.Qty << '-' << p.Remaining;
    return text.str();
}

} // namespace

TEST(LayoutExchangeLines, SheetFirstWithTheLayoutsQuantityThenThePartsWithoutArithmeticDust)
{
    EXPECT_EQ(exchangeLinesForLayout(threeLayouts(), 2), (Lines{{"s.shp", "0", "0", "0", "1"},
                                                                {"plate.shp", "12.5", "7.25", "0", "1"},
                                                                {"disc.shp", "200", "0", "0", "1"}}));
    EXPECT_TRUE(exchangeLinesForLayout(threeLayouts(), 4).empty());
    // The engine's arithmetic dust is not handed to the editor; real fractions are.
    NestingState dusty = threeLayouts();
    dusty.items[3].X = 873.000000000001;
    dusty.items[3].Y = -1e-12;
    dusty.items[4].X = 0.1 + 0.2;
    dusty.items[4].Angle = 270.0000000000001;
    const Lines clean = exchangeLinesForLayout(dusty, 2);
    EXPECT_EQ(std::tie(clean[1].x, clean[1].y, clean[2].x, clean[2].angle), std::tie("873", "0", "0.3", "270"));
}

// Sheets used are counted with their layout's quantity and the stock raised when short; a part's
// demand follows its placed pieces, what was left unplaced staying wanted and pieces added by
// hand filling it first.
TEST(LayoutTakeBack, ItemsStockAndDemandFollowTheEditedLayout)
{
    const auto add = [](LayoutFileLine line, int count = 1) {
        return [line, count](Lines& lines) { lines.insert(lines.end(), static_cast<size_t>(count), line); };
    };
    const LayoutFileLine plate{"plate.shp", "300", "0", "0", "1"}, ring{"ring.shp", "300", "90", "0", "1"};
    const struct {
        const char* name;
        NestingState (*start)();
        int layoutNo;
        std::function<void(Lines&)> edit;
        std::string records;
    } cases[] = {
        {"unchanged", threeLayouts, 2, [](Lines&) {},
         "items 1.1.1 1.1.1 1.1.0 2.1.1 2.1.2 2.1.0 3.1.2 3.1.0 | parts 5-0 3-0 | sheets 5-0"},
        {"a disc added on two sheets", threeLayouts, 1, add({"disc.shp", "300", "10", "0", "2"}),
         "items 1.1.1 1.1.1 1.1.2 1.1.0 2.1.1 2.1.2 2.1.0 3.1.2 3.1.0 | parts 5-0 5-0 | sheets 5-0"},
        {"seven sheets of five", threeLayouts, 3, [](Lines& l) { l[0].qty = "4"; },
         "items 1.1.1 1.1.1 1.1.0 2.1.1 2.1.2 2.1.0 3.1.2 3.1.0 | parts 5-0 5-0 | sheets 7-0"},
        {"one sheet less", threeLayouts, 1, [](Lines& l) { l[0].qty = "1"; },
         "items 1.1.1 1.1.1 1.1.0 2.1.1 2.1.2 2.1.0 3.1.2 3.1.0 | parts 3-0 3-0 | sheets 5-1"},
        {"emptied", threeLayouts, 2, [](Lines& l) { l.clear(); },
         "items 1.1.1 1.1.1 1.1.0 2.1.2 2.1.0 | parts 4-0 2-0 | sheets 5-1"},
        // Lines after one without a name are not read: a first line without one empties the layout.
        {"cut by a nameless line", threeLayouts, 1, [](Lines& l) { l[0].name.clear(); },
         "items 1.1.1 1.1.2 1.1.0 2.1.2 2.1.0 | parts 1-0 3-0 | sheets 5-2"},
        {"the only layout emptied", oneLayout, 1, [](Lines& l) { l.clear(); }, "items | parts 0-0 | sheets 1-1"},
        {"partial, unchanged", partialRun, 2, [](Lines&) {},
         "items 1.1.1 1.1.1 1.1.0 2.1.1 2.1.2 2.1.0 3.1.2 3.1.0 | parts 6-1 3-0 1-1 | sheets 5-0"},
        {"partial, a plate added", partialRun, 2, add(plate),
         "items 1.1.1 1.1.1 1.1.0 2.1.1 2.1.2 2.1.1 2.1.0 3.1.2 3.1.0 | parts 6-0 3-0 1-1 | sheets 5-0"},
        {"partial, two plates added", partialRun, 2, add(plate, 2),
         "items 1.1.1 1.1.1 1.1.0 2.1.1 2.1.2 2.1.1 2.1.1 2.1.0 3.1.2 3.1.0 | parts 7-0 3-0 1-1 | sheets 5-0"},
        {"partial, a plate removed", partialRun, 2, [](Lines& l) { l.erase(l.begin() + 1); },
         "items 1.1.1 1.1.1 1.1.0 2.1.2 2.1.0 3.1.2 3.1.0 | parts 5-1 3-0 1-1 | sheets 5-0"},
        {"partial, the ring added", partialRun, 2, add(ring),
         "items 1.1.1 1.1.1 1.1.0 2.1.1 2.1.2 2.1.3 2.1.0 3.1.2 3.1.0 | parts 6-1 3-0 1-0 | sheets 5-0"},
        // Files new to the job become records: the other sheet's stock raised from 0 to the one used.
        {"unknown files", threeLayouts, 2,
         [](Lines& l) {
             l = {{"other-sheet.shp", "0", "0", "0", "1"}, {"plate.shp", "0", "0", "0", "1"},
                  {"bracket.shp", "50", "0", "0", "1"}, {"bracket.shp", "90", "0", "0", "1"}};
         },
         "items 1.1.1 1.1.1 1.1.0 2.2.1 2.2.3 2.2.3 2.2.0 3.1.2 3.1.0 | parts 5-0 2-0 2-0 | sheets 5-1 1-0"},
    };
    for (const auto& c : cases) {
        NestingState s = c.start();
        Lines lines = exchangeLinesForLayout(s, c.layoutNo);
        c.edit(lines);
        takeBackEditedLayout(s, c.layoutNo, lines);
        EXPECT_EQ(recordsOf(s), c.records) << c.name;
    }
}

TEST(LayoutTakeBack, QuantitiesAndPositionsAreReadAsDecimalNumbers)
{
    NestingState s = threeLayouts();
    takeBackEditedLayout(s, 3, {{"s.shp", "0", "0", "0", "2.5"}, {"disc.shp", " 1e2", "3.5mm", "-90", "3.6"}});
    EXPECT_EQ(std::tie(s.items[6].X, s.items[6].Y, s.items[6].Angle), std::tuple(100.0, 3.5, -90.0));
    // Every row takes the sheet line's QTY, halves going to the even neighbour.
    EXPECT_EQ(std::pair(s.items[6].Qty, s.items[7].Qty), std::pair(2, 2));
}

TEST(LayoutApplyEdited, RebuildsTheLayoutsRewritesTheGridsAndSetsUpTheEngineAgain)
{
    TempFolder dir;
    const std::string sheet = dir.file("sheet.shp"), plate = dir.file("plate.shp"), disc = dir.file("disc.shp"),
                      ring = dir.file("ring.shp");
    ASSERT_EQ(saveShapeFile(rectangle(0, 0, 300, 200), sheet), "");
    ASSERT_EQ(saveShapeFile(rectangle(0, 0, 100, 50), plate), "");
    ASSERT_EQ(saveShapeFile({arcEntity(20, 20, 20, 0, 0)}, disc), "");
    ASSERT_EQ(saveShapeFile({arcEntity(10, 10, 10, 0, 0)}, ring), "");

    Job job;
    job.basic.setText(1, job.basic.columnOf("Kerf"), "2");
    job.nesting.details.Kerf = 2;
    job.nesting.sheets = {SheetEntry{sheet, 3, 0, 0, 3}};
    job.nesting.parts = {PartEntry{plate, 2, 7, "No", 0, 0}};
    job.nesting.items = {layoutItem(plate, 1, 1, 0, 0, 0, 1), layoutItem(plate, 1, 1, 110, 0, 0, 1),
                         layoutItem(sheet, 1, 0, 0, 0, 0, 1)};
    fillRow(job.sheets, 1, {sheet, "3", "4"});
    // Rows with nothing to cut: one of the plate's file stays as it is, the disc's takes the
    // discs the editor adds.
    fillRow(job.parts, 1, {plate, "", "9", "step90"});
    fillRow(job.parts, 2, {plate, "2", "7", "No"});
    fillRow(job.parts, 3, {disc, "0", "5", ""});

    Lines lines = exchangeLinesForLayout(job.nesting, 1);
    lines[0].qty = "2";
    lines.push_back({disc, "0", "60", "0", "2"});
    lines.push_back({ring, "0", "120", "0", "2"});
    EXPECT_TRUE(applyEditedLayout(job, 1, lines).empty());
    EXPECT_TRUE(job.modified);
    EXPECT_EQ(job.nesting.entities.size(), 4u + 4u + 1u + 1u + 4u);
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(cellsOf(job.sheets), (Rows{{"1", sheet, "3", "4"}, {"2", "", "", ""}}));
    // Two plates on a layout now cut twice; the ring, new to the job, after the rows there were.
    EXPECT_EQ(cellsOf(job.parts), (Rows{{"1", plate, "", "9", "step90"}, {"2", plate, "4", "7", "No"},
                                        {"3", disc, "2", "5", ""}, {"4", ring, "2", "", ""}, {"5", "", "", "", ""}}));
    EXPECT_EQ(job.nesting.details.ActKerf, 2);
    EXPECT_EQ(job.basic.text(1, job.basic.columnOf("ActKerf")), "2");
    EXPECT_EQ(job.nesting.sheets[0].Area, 60000);
    EXPECT_EQ(job.nesting.parts[0].Area, 5000);
    // The disc counted on the raster: at least its true area, less than its box.
    EXPECT_GT(job.nesting.parts[1].Area, 1257);
    EXPECT_LT(job.nesting.parts[1].Area, 1600);
}
