// Layout files and the layout editor's model: the placement grid to and from layout files, the
// move and rotate commands on selected rows, quantities, adding and removing rows, placing the
// parts with the overlap and sheet-edge check, hit testing and the drawing; and the edit.lay
// exchange: a layout written as lines, the edited lines taken back into the item list, the
// records (stock and demand) and the grids.
#include <filesystem>
#include <functional>
#include <sstream>

#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/layout_editing.h"
#include "layouts/layout_editing_drawing.h"
#include "layouts/layout_editing_placement.h"
#include "layouts/layout_exchange.h"
#include "layouts/part_colours.h"
#include "support/grid_rows.h"
#include "support/recording_surface.h"
#include "support/saved_shape.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

using Texts = std::vector<std::string>;
using Lines = std::vector<LayoutFileLine>;

// Rows and lines are written as their fields joined by commas: "a.shp,10,20,0,1".
Texts fieldsOf(const std::string& text)
{
    Texts fields{""};
    for (const char c : text) c == ',' ? void(fields.emplace_back()) : fields.back().push_back(c);
    return fields;
}

LayoutFileLine lineOf(const std::string& text)
{
    Texts f = fieldsOf(text);
    f.resize(6);
    return {f[0], f[1], f[2], f[3], f[4], f[5]};
}

TextGrid gridOf(const Texts& rows)
{
    TextGrid grid = newLayoutGrid();
    for (size_t i = 0; i < rows.size(); ++i) fillRow(grid, static_cast<int>(i) + 1, fieldsOf(rows[i]));
    return grid;
}

// Every row of the grid, its number first.
Texts rowsOf(const TextGrid& grid)
{
    Texts rows;
    for (const Texts& cells : cellsOf(grid)) {
        std::string row = cells[0];
        for (size_t c = 1; c < cells.size(); ++c) row += "," + cells[c];
        rows.push_back(row);
    }
    return rows;
}

// ---- layout files and the grid

TEST(LayoutFile, BothFormsReadTheSameTheGridSavesWhatReopensExactlyAndProblemsKeepWhatWasThere)
{
    TempFolder dir;
    const LayoutFileRead quoted = readLayoutFile(
        dir.write("q.lay", "\"s.shp\",\"1.5\",\"2\",\"90\",\"4\"\r\n\"p.shp\",\"3\",\"4\",\"0\",\"4\"\r\n"));
    // Bare numbers, LF line ends, blank lines, a short line padded, no line end at the last.
    const LayoutFileRead bare = readLayoutFile(
        dir.write("b.lay", "\"s.shp\",1.5,2,90,4\n\n   \n\"p.shp\",3,4,0,4\n\"q.shp\",5\n\"r.shp\",1,2,3,1"));
    ASSERT_TRUE(quoted.ok() && bare.ok()) << quoted.error << bare.error;
    EXPECT_EQ(quoted.lines, (Lines{lineOf("s.shp,1.5,2,90,4"), lineOf("p.shp,3,4,0,4")}));
    EXPECT_EQ(bare.lines, (Lines{quoted.lines[0], quoted.lines[1], lineOf("q.shp,5"), lineOf("r.shp,1,2,3,1")}));

    // A comma in a name survives; lines whose fields are all empty are left out.
    const Lines lines{lineOf("/jobs/sheet.shp,0,0,0,3"), {}, {"/jobs/a, b.shp", "-4", "100.25", "270", "3", ""}};
    for (const bool quoteNumbers : {true, false}) {
        const std::string path = dir.file(quoteNumbers ? "editor.lay" : "main.lay");
        ASSERT_EQ(writeLayoutFile(path, lines, quoteNumbers), "");
        EXPECT_EQ(readLayoutFile(path).lines, (Lines{lines[0], lines[2]})) << path;
    }
    EXPECT_TRUE(TempFolder::read(dir.file("main.lay")).starts_with("\"/jobs/sheet.shp\",0,0,0,3\r\n\"/jobs/a, b"));
    EXPECT_TRUE(
        TempFolder::read(dir.file("editor.lay")).starts_with("\"/jobs/sheet.shp\",\"0\",\"0\",\"0\",\"3\"\r\n"));

    // The grid holds the lines in file order; a row without a file name is not saved, so that
    // the parts after it are not lost; refilled with fewer lines nothing of the old rows is left.
    TextGrid grid = newLayoutGrid();
    fillLayoutGrid(grid, bare.lines);
    EXPECT_EQ(rowsOf(grid), (Texts{"1,s.shp,1.5,2,90,4,", "2,p.shp,3,4,0,4,", "3,q.shp,5,,,,", "4,r.shp,1,2,3,1,", "5,,,,,,"}));
    EXPECT_EQ(layoutLinesFromGrid(grid), bare.lines);
    grid.setText(2, NameColumn, "");
    ASSERT_EQ(saveLayoutGrid(grid, dir.file("out.lay")), "");
    TextGrid reopened = newLayoutGrid();
    ASSERT_EQ(loadLayoutGrid(reopened, dir.file("out.lay")), "");
    EXPECT_EQ(layoutLinesFromGrid(reopened), (Lines{bare.lines[0], bare.lines[2], bare.lines[3]}));
    fillLayoutGrid(grid, {bare.lines[0]});
    EXPECT_EQ(rowsOf(grid), (Texts{"1,s.shp,1.5,2,90,4,", "2,,,,,,"}));

    // Problems name the file and keep the old one or the grid.
    EXPECT_EQ(readLayoutFile(dir.file("none.lay")).error, dir.file("none.lay") + " not found");
    std::filesystem::create_directory(dir.file("folder.lay"));
    EXPECT_TRUE(contains(readLayoutFile(dir.file("folder.lay")).error, "folder.lay"));
    const std::string path = dir.write("keep.lay", "\"s.shp\",0,0,0,1\r\n");
    EXPECT_TRUE(contains(writeLayoutFile(path, {lineOf("bad\"name.shp,0,0,0,1")}, true), "keep.lay"));
    EXPECT_EQ(TempFolder::read(path), "\"s.shp\",0,0,0,1\r\n");
    EXPECT_NE(writeLayoutFile(dir.file("no/such/folder.lay"), {lineOf("s.shp,0,0,0,1")}, true), "");
    EXPECT_TRUE(contains(loadLayoutGrid(grid, dir.file("none.lay")), "none.lay"));
    EXPECT_EQ(rowsOf(grid), (Texts{"1,s.shp,1.5,2,90,4,", "2,,,,,,"}));
}

// ---- the editor's commands

TEST(LayoutAdjust, CommandsChangeTheSelectedRowsOnlyInGeneralFormat)
{
    using enum AdjustCommand;
    using enum PlacementAdjust;
    TextGrid grid = gridOf({"sheet.shp,0,0,0,1", "a.shp,10,20,0,1", "a.shp,30,40,0,1", "b.shp,50,60,45,1",
                            "b.shp,70,80,0,1", "c.shp,90,100,0,1"});
    const int entry = 7; // the blank entry row
    struct Cell { int row, col; const char* text; };
    const struct {
        int from, to;
        AdjustCommand command;
        double step;
        PlacementAdjust result;
        std::vector<Cell> changed;
    } steps[] = {
        {2, 5, MoveUp, 10, Done, {{2, YColumn, "30"}, {3, YColumn, "50"}, {4, YColumn, "70"}, {5, YColumn, "90"}}},
        {2, 2, MoveLeft, 2.25, Done, {{2, XColumn, "7.75"}}},
        {2, 2, MoveRight, 0.25, Done, {{2, XColumn, "8"}}},
        {2, 2, MoveDown, 100, Done, {{2, YColumn, "-70"}}},
        {2, 2, RotateAnticlockwise, 45, Done, {{2, AngleColumn, "45"}}},
        {2, 2, RotateClockwise, 90, Done, {{2, AngleColumn, "-45"}}},
        {2, 2, RotateClockwise, 90, Done, {{2, AngleColumn, "-135"}}},
        {1, 3, MoveRight, 100, SheetRow, {}}, // the sheet never moves
        {3, 4, RotateClockwise, 90, MultipleRotation, {}},
        // The blank entry row is left out of a longer selection: a part turned with it is one row.
        {entry - 1, entry, MoveRight, 5, Done, {{6, XColumn, "95"}}},
        {entry - 1, entry, RotateClockwise, 90, Done, {{6, AngleColumn, "-90"}}},
        {entry, entry, MoveRight, 5, NothingSelected, {}},
    };
    TextGrid expected = grid;
    for (const auto& s : steps) {
        grid.row = grid.selStartRow = s.from;
        grid.selEndRow = s.to;
        EXPECT_EQ(adjustPlacements(grid, s.command, s.step), s.result) << "rows " << s.from << " to " << s.to;
        for (const Cell& c : s.changed) expected.setText(c.row, c.col, c.text);
        ASSERT_EQ(rowsOf(grid), rowsOf(expected)) << "rows " << s.from << " to " << s.to;
    }
}

TEST(LayoutRows, QuantitiesFromTheRowAboveAddedRowsAtTheOriginRemovedRowsRenumbered)
{
    // "Update Layout" fills empty quantities from the row above.
    TextGrid grid = gridOf({"sheet.shp,0,0,0,4", "a.shp,0,0,0,2", "a.shp,10,0,0,", "b.shp,20,0,0,", "c.shp,30,0,0,7"});
    fillEmptyQuantities(grid);
    EXPECT_EQ(rowsOf(grid),
              (Texts{"1,sheet.shp,0,0,0,4,", "2,a.shp,0,0,0,2,", "3,a.shp,10,0,0,2,", "4,b.shp,20,0,0,2,",
                     "5,c.shp,30,0,0,7,", "6,,,,,,"}));

    grid = gridOf({"sheet.shp,0,0,0,3", "a.shp,5,5,0,2"});
    EXPECT_EQ(appendPartRows(grid, {"/p/b.shp", "/p/c.dxf"}), std::pair(3, 4));
    EXPECT_EQ(rowsOf(grid),
              (Texts{"1,sheet.shp,0,0,0,3,", "2,a.shp,5,5,0,2,", "3,/p/b.shp,0,0,0,2,", "4,/p/c.dxf,0,0,0,2,", "5,,,,,,"}));
    TextGrid empty = newLayoutGrid();
    EXPECT_EQ(appendPartRows(empty, {"b.shp"}).first, 2) << "a part never takes the sheet row";
    EXPECT_FALSE(empty.rowHasText(1));

    EXPECT_EQ(removePartRows(grid, 3, 1), 2); // the sheet row stays
    EXPECT_EQ(rowsOf(grid), (Texts{"1,sheet.shp,0,0,0,3,", "2,/p/c.dxf,0,0,0,2,", "3,,,,,,"}));
    EXPECT_EQ(grid.row, 2);
    EXPECT_EQ(removePartRows(grid, 1, 1), 0);

    // A file chosen in the entry row gets a placement: a sheet QTY 1, a part the QTY above.
    grid = gridOf({"sheet.shp"});
    ASSERT_TRUE(completeNewPlacements(grid));
    fillRow(grid, 2, {"a.shp"});
    grid.setText(1, QtyColumn, "6");
    ASSERT_TRUE(completeNewPlacements(grid));
    EXPECT_FALSE(completeNewPlacements(grid));
    EXPECT_EQ(rowsOf(grid), (Texts{"1,sheet.shp,0,0,0,6,", "2,a.shp,0,0,0,6,", "3,,,,,,"}));
}

// ---- placing, checking and drawing

class LayoutPlacing : public ::testing::Test {
protected:
    // Rows of the sheet and of plates at "x,y,angle", QTY 1.
    PlacedLayout place(const Texts& plates, const std::string& plate = {}, const LeastDistances& least = {})
    {
        Texts rows{sheet + ",0,0,0,1"};
        for (const std::string& p : plates) rows.push_back((plate.empty() ? this->plate : plate) + "," + p + ",1");
        return placeLayout(gridOf(rows), cache, least);
    }

    TempFolder folder;
    LayoutShapeCache cache;
    const std::string sheet = savedShape(folder, "sheet.shp", rectangle(0, 0, 1000, 500));
    const std::string plate = savedShape(folder, "plate.shp", rectangle(0, 0, 100, 50));
};

TEST_F(LayoutPlacing, OverlapsPartsOffTheSheetAndMissingFilesAreFound)
{
    PlacedLayout layout = place({"0,0,0", "50,20,0", "300,0,0", "950,0,0"});
    EXPECT_EQ(std::pair(layout.faultyRows, layoutStatusText(layout)),
              std::pair(std::vector<int>{2, 3, 5}, std::string("2 parts overlap, 1 part leaves the sheet")));
    EXPECT_TRUE(place({"0,0,0", "100,0,0"}).faultyRows.empty()) << "touching counts as apart";
    // A layout of Deep Nesting is held to its spacing and margin.
    layout = place({"1,10,0", "103,10,0", "300,10,0"}, {}, {3, 2});
    EXPECT_EQ(std::pair(layout.faultyRows, layoutStatusText(layout)),
              std::pair(std::vector<int>{2, 3}, std::string("2 parts closer than the spacing, 1 part within the margin of the sheet's edge")));
    EXPECT_EQ(layoutStatusText(place({"2,10,0", "105,10,0"}, {}, {3, 2})), "Layout sound");

    // The first missing file stops the placing.
    layout = placeLayout(gridOf({sheet + ",0,0,0,1", folder.file("gone.shp") + ",0,0,0,1", "other.shp"}), cache);
    EXPECT_TRUE(layout.missingFile == folder.file("gone.shp") && layout.parts.empty()) << layout.missingFile;
    EXPECT_EQ(missingFileMessage("gone.shp"), "File gone.shp not found");
}

TEST_F(LayoutPlacing, ACachedShapeIsReadAgainWhenItsFileChangesAndAClickFindsTheSmallestPart)
{
    const std::string small = savedShape(folder, "small.shp", rectangle(0, 0, 10, 10));
    const PlacedLayout layout =
        placeLayout(gridOf({sheet + ",0,0,0,1", plate + ",100,100,0,1", small + ",120,110,0,1"}), cache);
    EXPECT_EQ(std::tuple(partRowAt(layout, 125, 115), partRowAt(layout, 105, 105), partRowAt(layout, 50, 50)), std::tuple(3, 2, 0));

    EXPECT_EQ(cache.shapeOf(plate).size(), 4u);
    std::filesystem::last_write_time(plate, std::filesystem::last_write_time(plate) - std::chrono::seconds(5));
    EXPECT_EQ(cache.shapeOf(plate).size(), 4u);
    ASSERT_EQ(saveShapeFile({lineEntity(0, 0, 10, 0)}, plate), "");
    std::filesystem::last_write_time(plate, std::filesystem::last_write_time(plate) + std::chrono::seconds(5));
    EXPECT_EQ(cache.shapeOf(plate).size(), 1u);
}

// Drawings summed up in a golden file, under titles saying what each pins.
TEST_F(LayoutPlacing, DrawingsShowSelectionFaultsNamesAndZoomAsRecorded)
{
    std::string record;
    const auto draw = [&](const std::string& title, const PlacedLayout& layout, LayoutEditDrawingOptions o) {
        o.gridText = "No";
        RecordingSurface surface;
        surface.line(0, 0, 1, 1, Red); // left from an earlier drawing
        const double mirror = drawEditedLayout(layout, surface, o);
        record += "=== " + title + "\nmirror " + std::to_string(mirror) + "\n" + goldenDrawing(surface);
    };
    const PlacedLayout overlapping = place({"0,0,0", "50,20,0", "300,100,0"});
    draw("the sheet in black, the selected row in red, faulty parts in orange, names a third into their boxes",
         overlapping, {.showNames = true, .highlightFrom = 4, .highlightTo = 4});
    draw("without a selection a part takes its file's layout colour", overlapping, {});
    const PlacedLayout one = place({"600,300,0"});
    draw("zoom 4 about the part: a square a quarter of the view (1100) about the focus", one,
         {.zoom = 4, .focused = true, .focusX = 650, .focusY = 325});
    draw("a focus near a corner keeps the view over the sheet", one,
         {.zoom = 4, .focused = true, .focusX = 990, .focusY = 5});
    draw("no focus: about the sheet's middle", one, {.zoom = 4});
    draw("nothing placed draws nothing", PlacedLayout{}, {});
    draw("parts turn about their centres and start at their X and Y", place({"200,10,90", "400,10,-90", "600,300,0"}), {});
    // An L turned a quarter anticlockwise: its long leg's far end (0, 60) comes to (100, 100) and
    // the short leg's foot to x 160.
    draw("an L turned a quarter",
         place({"100,100,90"}, savedShape(folder, "ell.shp", polygon({{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 60}, {0, 60}}))),
         {});
    expectGolden("layouts/layout-edit-drawing.txt", record);
    EXPECT_EQ(partLabel("/jobs/parts/GUSSET.SHP") + "|" + partLabel("C:\\parts\\disc.dxf") + "|" + partLabel("abc"),
              "GUSSET|disc|");
}

// ---- the exchange with the job: edit.lay written from a layout and taken back

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

// Sheets used are counted with their layout's quantity and the stock raised when short; a part's
// demand follows its placed pieces, what was left unplaced staying wanted and pieces added by
// hand filling it first. The records after each edit are in the golden file.
TEST(LayoutExchange, LinesGoSheetFirstWithoutArithmeticDustAndItemsStockAndDemandFollowTheEdit)
{
    const auto add = [](const std::string& line, int count = 1) {
        return [line, count](Lines& lines) { lines.insert(lines.end(), static_cast<size_t>(count), lineOf(line)); };
    };
    const auto sheets = [](const char* qty) { return [qty](Lines& l) { l[0] = lineOf(std::string("s.shp,0,0,0,") + qty); }; };
    const std::string plate = "plate.shp,300,0,0,1";
    const struct {
        const char* name;
        NestingState (*start)();
        int layoutNo;
        std::function<void(Lines&)> edit;
    } cases[] = {
        {"unchanged", threeLayouts, 2, [](Lines&) {}},
        {"a disc added on two sheets", threeLayouts, 1, add("disc.shp,300,10,0,2")},
        {"seven sheets of five", threeLayouts, 3, sheets("4")},
        {"one sheet less", threeLayouts, 1, sheets("1")},
        {"emptied", threeLayouts, 2, [](Lines& l) { l.clear(); }},
        // Lines after one without a name are not read: a first line without one empties the layout.
        {"cut by a nameless line", threeLayouts, 1, [](Lines& l) { l[0].name.clear(); }},
        {"the only layout emptied", oneLayout, 1, [](Lines& l) { l.clear(); }},
        {"partial, unchanged", partialRun, 2, [](Lines&) {}},
        {"partial, a plate added", partialRun, 2, add(plate)},
        {"partial, two plates added", partialRun, 2, add(plate, 2)},
        {"partial, a plate removed", partialRun, 2, [](Lines& l) { l.erase(l.begin() + 1); }},
        {"partial, the ring added", partialRun, 2, add("ring.shp,300,90,0,1")},
        // Files new to the job become records: the other sheet's stock raised from 0 to the one used.
        {"unknown files", threeLayouts, 2,
         [](Lines& l) {
             l = {lineOf("other-sheet.shp,0,0,0,1"), lineOf("plate.shp,0,0,0,1"), lineOf("bracket.shp,50,0,0,1"),
                  lineOf("bracket.shp,90,0,0,1")};
         }},
    };
    std::string record;
    for (const auto& c : cases) {
        NestingState s = c.start();
        Lines lines = exchangeLinesForLayout(s, c.layoutNo);
        c.edit(lines);
        takeBackEditedLayout(s, c.layoutNo, lines);
        record += "=== " + std::string(c.name) + "\n" + recordsOf(s) + "\n";
    }
    expectGolden("layouts/layout-exchange.txt", record);
    // Lines go sheet first with the layout's quantity, then the parts, without arithmetic dust.
    EXPECT_EQ(exchangeLinesForLayout(threeLayouts(), 2),
              (Lines{lineOf("s.shp,0,0,0,1"), lineOf("plate.shp,12.5,7.25,0,1"), lineOf("disc.shp,200,0,0,1")}));
    EXPECT_TRUE(exchangeLinesForLayout(threeLayouts(), 4).empty());
    // The engine's arithmetic dust is not handed to the editor; real fractions are.
    NestingState dusty = threeLayouts();
    dusty.items[3].X = 873.000000000001;
    dusty.items[3].Y = -1e-12;
    dusty.items[4].X = 0.1 + 0.2;
    dusty.items[4].Angle = 270.0000000000001;
    EXPECT_EQ(exchangeLinesForLayout(dusty, 2)[1], lineOf("plate.shp,873,0,0,1"));
    EXPECT_EQ(exchangeLinesForLayout(dusty, 2)[2], lineOf("disc.shp,0.3,0,270,1"));

    // Quantities and positions are read as decimal numbers; every row takes the sheet line's
    // QTY, halves going to the even neighbour.
    takeBackEditedLayout(dusty, 3, {lineOf("s.shp,0,0,0,2.5"), lineOf("disc.shp, 1e2,3.5mm,-90,3.6")});
    const LayoutItem& disc = dusty.items[6];
    EXPECT_EQ(std::tie(disc.X, disc.Y, disc.Angle, disc.Qty, dusty.items[7].Qty), std::tuple(100.0, 3.5, -90.0, 2, 2));
}

TEST(LayoutExchange, AnAppliedLayoutIsRebuiltWrittenIntoTheGridsAndSetUpForTheEngine)
{
    TempFolder dir;
    const std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 200));
    const std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 100, 50));
    const std::string disc = savedShape(dir, "disc.shp", circle(20, 20, 20)), ring = savedShape(dir, "ring.shp", circle(10, 10, 10));
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
    lines.push_back(lineOf(disc + ",0,60,0,2"));
    lines.push_back(lineOf(ring + ",0,120,0,2"));
    EXPECT_TRUE(applyEditedLayout(job, 1, lines).empty());
    EXPECT_EQ(std::tuple(job.modified, job.nesting.entities.size()), std::tuple(true, 4u + 4u + 1u + 1u + 4u));
    EXPECT_EQ(rowsOf(job.sheets), (Texts{"1," + sheet + ",3,4", "2,,,"}));
    // Two plates on a layout now cut twice; the ring, new to the job, after the rows there were.
    EXPECT_EQ(rowsOf(job.parts),
              (Texts{"1," + plate + ",,9,step90,", "2," + plate + ",4,7,No,", "3," + disc + ",2,5,,", "4," + ring + ",2,,,",
                     "5,,,,,"}));
    EXPECT_EQ(std::tuple(job.nesting.details.ActKerf, job.basic.text(1, job.basic.columnOf("ActKerf")), job.nesting.sheets[0].Area,
                         job.nesting.parts[0].Area), std::tuple(2.0, "2", 60000, 5000));
    // The disc counted on the raster: at least its true area, less than its box.
    EXPECT_TRUE(job.nesting.parts[1].Area > 1257 && job.nesting.parts[1].Area < 1600) << job.nesting.parts[1].Area;

    // The editor holds a layout of Deep Nesting to its spacing and margin, the classic one to none.
    EXPECT_EQ(exchangeDistances(job).spacing, 0);
    job.nesting.deepLayouts = true;
    job.deep.margin = 1.5;
    EXPECT_EQ(std::pair(exchangeDistances(job).spacing, exchangeDistances(job).margin), std::pair(2.0, 1.5));
}

} // namespace
} // namespace dravenor::testing
