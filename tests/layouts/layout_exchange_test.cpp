// The edit.lay exchange: the current layout written as lines and the edited lines taken back
// into the item list, the sheet and part records (stock and demand) and the grids.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "layout_items.h"
#include "layouts/layout_exchange.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Three layouts on sheet 1 (stock 5): layout 1 two plates (Qty 2), layout 2 a plate and a disc
// (Qty 1), layout 3 one disc (Qty 2).
NestingState threeLayouts()
{
    NestingState s;
    s.sheets = {SheetEntry{"s.shp", 5, 0, 0, 0}};
    s.parts.resize(2);
    s.parts[0].FileName = "plate.shp";
    s.parts[1].FileName = "disc.shp";
    s.items = {layoutItem("plate.shp", 1, 1, 0, 0, 0, 2),    layoutItem("plate.shp", 1, 1, 100, 0, 90, 2),
               layoutItem("s.shp", 1, 0, 0, 0, 0, 2),        layoutItem("plate.shp", 2, 1, 12.5, 7.25, 0, 1),
               layoutItem("disc.shp", 2, 2, 200, 0, 0, 1),   layoutItem("s.shp", 2, 0, 0, 0, 0, 1),
               layoutItem("disc.shp", 3, 2, 0, 0, 0, 2),     layoutItem("s.shp", 3, 0, 0, 0, 0, 2)};
    return s;
}

std::vector<int> layoutNumbers(const NestingState& s)
{
    std::vector<int> numbers;
    for (const LayoutItem& item : s.items) numbers.push_back(item.LayoutNo);
    return numbers;
}

} // namespace

TEST(LayoutExchangeLines, SheetFirstWithTheLayoutsQuantityThenThePartsInOrder)
{
    const std::vector<LayoutFileLine> lines = exchangeLinesForLayout(threeLayouts(), 2);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (LayoutFileLine{"s.shp", "0", "0", "0", "1"}));
    EXPECT_EQ(lines[1], (LayoutFileLine{"plate.shp", "12.5", "7.25", "0", "1"}));
    EXPECT_EQ(lines[2].name, "disc.shp");
    EXPECT_TRUE(exchangeLinesForLayout(threeLayouts(), 4).empty());

    // The engine's arithmetic dust is not handed to the editor; real fractions are.
    NestingState dusty = threeLayouts();
    dusty.items[3].X = 873.000000000001;
    dusty.items[3].Y = -1e-12;
    dusty.items[4].X = 0.1 + 0.2;
    dusty.items[4].Angle = 270.0000000000001;
    const std::vector<LayoutFileLine> clean = exchangeLinesForLayout(dusty, 2);
    EXPECT_EQ(clean[1].x, "873");
    EXPECT_EQ(clean[1].y, "0");
    EXPECT_EQ(clean[2].x, "0.3");
    EXPECT_EQ(clean[2].angle, "270");
}

TEST(LayoutTakeBack, AnUnchangedLayoutKeepsItsQuantityAndTheDemandFollowsThePlacedPieces)
{
    NestingState s = threeLayouts();
    takeBackEditedLayout(s, 2, exchangeLinesForLayout(s, 2));
    EXPECT_EQ(layoutNumbers(s), (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(s.items[5].Qty, 1);
    EXPECT_EQ(s.items[5].PartIndex, 0);
    EXPECT_EQ(s.items[3].X, 12.5);
    EXPECT_EQ(s.items[3].Y, 7.25);
    // Plates: 2 x 2 + 1; discs: 1 + 2. Sheets used 2 + 1 + 2 of 5.
    EXPECT_EQ(s.parts[0].Qty, 5);
    EXPECT_EQ(s.parts[1].Qty, 3);
    EXPECT_EQ(s.parts[0].Remaining, 0);
    EXPECT_EQ(s.sheets[0].Qty, 5);
    EXPECT_EQ(s.sheets[0].Remaining, 0);
}

TEST(LayoutTakeBack, AnAddedPartCountsTimesItsLayoutsQuantity)
{
    NestingState s = threeLayouts();
    std::vector<LayoutFileLine> lines = exchangeLinesForLayout(s, 1);
    lines.push_back({"disc.shp", "300", "10", "0", "2"});
    takeBackEditedLayout(s, 1, lines);
    EXPECT_EQ(s.items.size(), 9u);
    EXPECT_EQ(s.items[2].Name, "disc.shp");
    EXPECT_EQ(s.items[2].PartIndex, 2);
    EXPECT_EQ(s.items[3].PartIndex, 0);
    EXPECT_EQ(s.parts[1].Qty, 2 + 1 + 2);
    EXPECT_EQ(s.parts[1].Remaining, 0);
}

TEST(LayoutTakeBack, UnplacedPiecesStayWantedAndPiecesAddedByHandFillThemFirst)
{
    // A partial run: six plates wanted, five placed; one ring wanted, none placed.
    NestingState partial = threeLayouts();
    partial.parts[0] = PartEntry{"plate.shp", 6, 0, "", 0, 1};
    partial.parts.push_back(PartEntry{"ring.shp", 1, 0, "", 0, 1});
    // Plates added to layout 2 (-1: its plate removed), a ring added; plate and ring Qty, Remaining.
    const std::tuple<int, bool, std::array<int, 4>> cases[] = {
        {0, false, {6, 1, 1, 1}}, {1, false, {6, 0, 1, 1}}, {2, false, {7, 0, 1, 1}},
        {-1, false, {5, 1, 1, 1}}, {0, true, {6, 1, 1, 0}}};
    for (const auto& [plates, ring, expected] : cases) {
        NestingState s = partial;
        std::vector<LayoutFileLine> lines = exchangeLinesForLayout(s, 2);
        if (plates < 0) lines.erase(lines.begin() + 1);
        for (int k = 0; k < plates; ++k) lines.push_back({"plate.shp", "300", "0", "0", "1"});
        if (ring) lines.push_back({"ring.shp", "300", "90", "0", "1"});
        takeBackEditedLayout(s, 2, lines);
        EXPECT_EQ((std::array<int, 4>{s.parts[0].Qty, s.parts[0].Remaining, s.parts[2].Qty, s.parts[2].Remaining}),
                  expected) << plates << " plates, ring " << ring;
    }
}

TEST(LayoutTakeBack, MoreSheetsThanInStockRaiseTheStockFewerLeaveSomeRemaining)
{
    NestingState more = threeLayouts();
    std::vector<LayoutFileLine> lines = exchangeLinesForLayout(more, 3);
    lines[0].qty = "4"; // 2 + 1 + 4 = 7 sheets of a stock of 5
    takeBackEditedLayout(more, 3, lines);
    EXPECT_EQ(more.sheets[0].Qty, 7);
    EXPECT_EQ(more.sheets[0].Remaining, 0);

    NestingState fewer = threeLayouts();
    lines = exchangeLinesForLayout(fewer, 1);
    lines[0].qty = "1";
    takeBackEditedLayout(fewer, 1, lines);
    EXPECT_EQ(fewer.sheets[0].Qty, 5);
    EXPECT_EQ(fewer.sheets[0].Remaining, 1);
}

TEST(LayoutTakeBack, QuantitiesAndPositionsAreReadAsDecimalNumbers)
{
    NestingState s = threeLayouts();
    takeBackEditedLayout(s, 3, {{"s.shp", "0", "0", "0", "2.5"}, {"disc.shp", " 1e2", "3.5mm", "-90", "3.6"}});
    EXPECT_EQ(s.items[6].X, 100);
    EXPECT_EQ(s.items[6].Y, 3.5);
    EXPECT_EQ(s.items[6].Angle, -90);
    // Every row takes the sheet line's QTY, halves going to the even neighbour.
    EXPECT_EQ(s.items[6].Qty, 2);
    EXPECT_EQ(s.items[7].Qty, 2);
}

TEST(LayoutTakeBack, AnEmptiedLayoutVanishesAndTheLaterOnesMoveDown)
{
    NestingState s = threeLayouts();
    takeBackEditedLayout(s, 2, {});
    EXPECT_EQ(layoutNumbers(s), (std::vector<int>{1, 1, 1, 2, 2}));
    EXPECT_EQ(s.items[3].Name, "disc.shp");
    EXPECT_EQ(s.parts[0].Qty, 4);
    EXPECT_EQ(s.sheets[0].Remaining, 1);

    // Lines after one without a name are not read; a first line without one empties the layout.
    NestingState cut = threeLayouts();
    takeBackEditedLayout(cut, 1, {{"", "0", "0", "0", "1"}, {"plate.shp", "0", "0", "0", "1"}});
    EXPECT_EQ(layoutNumbers(cut), (std::vector<int>{1, 1, 1, 2, 2}));

    NestingState only;
    only.sheets = {SheetEntry{"s.shp", 1, 0, 0, 0}};
    only.parts.resize(1);
    only.parts[0].FileName = "plate.shp";
    only.items = {layoutItem("plate.shp", 1, 1), layoutItem("s.shp", 1, 0)};
    takeBackEditedLayout(only, 1, {});
    EXPECT_TRUE(only.items.empty());
    EXPECT_EQ(only.parts[0].Qty, 0);
    EXPECT_EQ(only.sheets[0].Remaining, 1);
}

TEST(LayoutTakeBack, UnknownFilesBecomeNewRecords)
{
    NestingState s = threeLayouts();
    takeBackEditedLayout(s, 2,
                         {{"other-sheet.shp", "0", "0", "0", "1"}, {"plate.shp", "0", "0", "0", "1"},
                          {"bracket.shp", "50", "0", "0", "1"}, {"bracket.shp", "90", "0", "0", "1"}});
    ASSERT_EQ(s.sheets.size(), 2u);
    EXPECT_EQ(s.sheets[1].FileName, "other-sheet.shp");
    EXPECT_EQ(s.sheets[1].Qty, 1); // raised from 0 to the one sheet used
    ASSERT_EQ(s.parts.size(), 3u);
    EXPECT_EQ(s.parts[2].FileName, "bracket.shp");
    EXPECT_EQ(s.parts[2].Qty, 2);
    for (int k = 3; k <= 6; ++k) EXPECT_EQ(s.items[static_cast<size_t>(k)].SheetIndex, 2);
    EXPECT_EQ(s.items[5].PartIndex, 3);
    EXPECT_EQ(s.items[6].PartIndex, 0);
    EXPECT_EQ(s.sheets[0].Remaining, 5 - 2 - 2);
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

    std::vector<LayoutFileLine> lines = exchangeLinesForLayout(job.nesting, 1);
    lines[0].qty = "2";
    lines.push_back({disc, "0", "60", "0", "2"});
    lines.push_back({ring, "0", "120", "0", "2"});
    const std::vector<std::string> messages = applyEditedLayout(job, 1, lines);
    EXPECT_TRUE(messages.empty());

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
