// The layout editor's model: the placement grid to and from layout files, the move and rotate
// commands on selected rows, quantities on "Update Layout", adding and removing rows, placing
// the parts, the overlap and sheet-edge check, hit testing and the drawing.
#include <gtest/gtest.h>

#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "layouts/layout_editing.h"
#include "layouts/layout_editing_drawing.h"
#include "layouts/layout_editing_placement.h"
#include "layouts/part_colours.h"
#include "support/grid_rows.h"
#include "support/recording_surface.h"
#include "support/temp_folder.h"

namespace dravenor::testing {
namespace {

using Row = std::vector<std::string>;

TextGrid gridOf(const std::vector<Row>& rows)
{
    TextGrid grid = newLayoutGrid();
    for (size_t i = 0; i < rows.size(); ++i) fillRow(grid, static_cast<int>(i) + 1, rows[i]);
    return grid;
}

Row rowOf(const TextGrid& grid, int row)
{
    Row cells;
    for (int c = 1; c < grid.cols(); ++c) cells.push_back(grid.text(row, c));
    return cells;
}

void selectRows(TextGrid& grid, int from, int to)
{
    grid.row = from;
    grid.selStartRow = from;
    grid.selEndRow = to;
}

// ---- grid and file ----

TEST(LayoutGrid, HasTheFiveColumnsAndABlankEntryRow)
{
    const TextGrid grid = newLayoutGrid();
    EXPECT_EQ(grid.cols(), 6);
    EXPECT_EQ(grid.title(1), "File Name");
    EXPECT_EQ(grid.title(5), "QTY");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_FALSE(grid.rowHasText(1));
}

TEST(LayoutGrid, LinesGoInAndComeOutInFileOrderWithoutTheEntryRow)
{
    const std::vector<LayoutFileLine> lines{{"sheet.shp", "0", "0", "0", "2"},
                                            {"a.shp", "10.5", "20", "90", "1"},
                                            {"b.shp", "-3", "0", "", ""}};
    TextGrid grid = newLayoutGrid();
    fillLayoutGrid(grid, lines);
    EXPECT_EQ(grid.rows(), 5);
    EXPECT_EQ(grid.text(3, 0), "3");
    EXPECT_FALSE(grid.rowHasText(4));
    EXPECT_EQ(layoutLinesFromGrid(grid), lines);

    // Refilling with fewer lines leaves nothing of the old rows behind.
    fillLayoutGrid(grid, {lines[0]});
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(layoutLinesFromGrid(grid).size(), 1u);
}

TEST(LayoutGrid, ARowWithoutAFileNameIsNotWrittenSoLaterPartsAreNotLost)
{
    TempFolder folder;
    TextGrid grid = gridOf({{"sheet.shp", "0", "0", "0", "1"}, {"", "5", "5"}, {"a.shp", "1", "2", "0", "1"}});
    const std::string path = folder.file("out.lay");
    ASSERT_EQ(saveLayoutGrid(grid, path), "");
    const LayoutFileRead read = readLayoutFile(path);
    ASSERT_EQ(read.lines.size(), 2u);
    EXPECT_EQ(read.lines[1].name, "a.shp");
}

TEST(LayoutGrid, UnquotedNumbersLoadLikeQuotedOnes)
{
    TempFolder folder;
    const std::string quoted = folder.write(
        "quoted.lay", "\"sheet.shp\",\"0\",\"0\",\"0\",\"3\"\r\n\"a.shp\",\"12.5\",\"40\",\"270\",\"3\"\r\n");
    const std::string bare = folder.write("bare.lay", "\"sheet.shp\",0,0,0,3\r\n\"a.shp\",12.5,40,270,3\r\n");
    TextGrid fromQuoted = newLayoutGrid(), fromBare = newLayoutGrid();
    ASSERT_EQ(loadLayoutGrid(fromQuoted, quoted), "");
    ASSERT_EQ(loadLayoutGrid(fromBare, bare), "");
    EXPECT_EQ(layoutLinesFromGrid(fromBare), layoutLinesFromGrid(fromQuoted));
    EXPECT_EQ(rowOf(fromBare, 2), (Row{"a.shp", "12.5", "40", "270", "3"}));
}

TEST(LayoutGrid, SavedFileQuotesEveryFieldAndReopensAsSaved)
{
    TempFolder folder;
    TextGrid grid = gridOf({{"sheet.shp", "0", "0", "0", "2"}, {"a.shp", "-12.25", "7", "-90", ""}});
    const std::string path = folder.file("out.lay");
    ASSERT_EQ(saveLayoutGrid(grid, path), "");
    EXPECT_EQ(TempFolder::read(path),
              "\"sheet.shp\",\"0\",\"0\",\"0\",\"2\"\r\n\"a.shp\",\"-12.25\",\"7\",\"-90\",\"\"\r\n");
    TextGrid reopened = newLayoutGrid();
    ASSERT_EQ(loadLayoutGrid(reopened, path), "");
    EXPECT_EQ(layoutLinesFromGrid(reopened), layoutLinesFromGrid(grid));
}

TEST(LayoutGrid, AFileThatCannotBeReadLeavesTheGridAndNamesTheFile)
{
    TempFolder folder;
    TextGrid grid = gridOf({{"sheet.shp", "0", "0", "0", "1"}});
    const std::string missing = folder.file("none.lay");
    const std::string error = loadLayoutGrid(grid, missing);
    EXPECT_NE(error.find("none.lay"), std::string::npos);
    EXPECT_EQ(rowOf(grid, 1), (Row{"sheet.shp", "0", "0", "0", "1"}));
}

// ---- move and rotate ----

class LayoutAdjust : public ::testing::Test {
protected:
    TextGrid grid = gridOf({{"sheet.shp", "0", "0", "0", "1"},
                            {"a.shp", "10", "20", "0", "1"},
                            {"a.shp", "30", "40", "0", "1"},
                            {"b.shp", "50", "60", "45", "1"},
                            {"b.shp", "70", "80", "0", "1"},
                            {"c.shp", "90", "100", "0", "1"}});
};

TEST_F(LayoutAdjust, MoveUpShiftsYOfTheSelectedRowsOnceAndNothingElse)
{
    selectRows(grid, 2, 5);
    ASSERT_EQ(adjustPlacements(grid, AdjustCommand::MoveUp, 10), PlacementAdjust::Done);
    EXPECT_EQ(rowOf(grid, 1), (Row{"sheet.shp", "0", "0", "0", "1"}));
    EXPECT_EQ(rowOf(grid, 2), (Row{"a.shp", "10", "30", "0", "1"}));
    EXPECT_EQ(rowOf(grid, 5), (Row{"b.shp", "70", "90", "0", "1"}));
    EXPECT_EQ(rowOf(grid, 6), (Row{"c.shp", "90", "100", "0", "1"}));
}

TEST_F(LayoutAdjust, EachDirectionChangesItsOwnCellInGeneralFormat)
{
    selectRows(grid, 2, 2);
    adjustPlacements(grid, AdjustCommand::MoveLeft, 2.25);
    EXPECT_EQ(grid.text(2, XColumn), "7.75");
    adjustPlacements(grid, AdjustCommand::MoveRight, 0.25);
    EXPECT_EQ(grid.text(2, XColumn), "8");
    adjustPlacements(grid, AdjustCommand::MoveDown, 100);
    EXPECT_EQ(grid.text(2, YColumn), "-80");
    adjustPlacements(grid, AdjustCommand::RotateAnticlockwise, 45);
    EXPECT_EQ(grid.text(2, AngleColumn), "45");
    adjustPlacements(grid, AdjustCommand::RotateClockwise, 90);
    adjustPlacements(grid, AdjustCommand::RotateClockwise, 90);
    EXPECT_EQ(grid.text(2, AngleColumn), "-135");
    EXPECT_EQ(rowOf(grid, 3), (Row{"a.shp", "30", "40", "0", "1"}));
}

TEST_F(LayoutAdjust, TheSheetRowNeverMoves)
{
    const TextGrid before = grid;
    selectRows(grid, 1, 3);
    EXPECT_EQ(adjustPlacements(grid, AdjustCommand::MoveRight, 100), PlacementAdjust::SheetRow);
    for (int r = 1; r < grid.rows(); ++r) EXPECT_EQ(rowOf(grid, r), rowOf(before, r));
}

TEST_F(LayoutAdjust, SeveralRowsAreNotTurned)
{
    selectRows(grid, 3, 4);
    EXPECT_EQ(adjustPlacements(grid, AdjustCommand::RotateClockwise, 90), PlacementAdjust::MultipleRotation);
    EXPECT_EQ(grid.text(3, AngleColumn), "0");
    EXPECT_EQ(grid.text(4, AngleColumn), "45");
}

TEST_F(LayoutAdjust, TheBlankEntryRowIsLeftOutOfALongerSelection)
{
    const int entry = grid.rows() - 1;
    selectRows(grid, entry - 1, entry);
    EXPECT_EQ(adjustPlacements(grid, AdjustCommand::MoveRight, 5), PlacementAdjust::Done);
    EXPECT_EQ(grid.text(entry - 1, XColumn), "95");
    EXPECT_FALSE(grid.rowHasText(entry));

    // A part turned alone with the entry row selected too is still one row.
    selectRows(grid, entry - 1, entry);
    EXPECT_EQ(adjustPlacements(grid, AdjustCommand::RotateClockwise, 90), PlacementAdjust::Done);
    EXPECT_EQ(grid.text(entry - 1, AngleColumn), "-90");

    selectRows(grid, entry, entry);
    EXPECT_EQ(adjustPlacements(grid, AdjustCommand::MoveRight, 5), PlacementAdjust::NothingSelected);
    EXPECT_FALSE(grid.rowHasText(entry));
}

// ---- quantities, adding and removing rows ----

TEST(LayoutRows, UpdateFillsEmptyQuantitiesFromTheRowAbove)
{
    TextGrid grid = gridOf({{"sheet.shp", "0", "0", "0", "4"},
                            {"a.shp", "0", "0", "0", "2"},
                            {"a.shp", "10", "0", "0", ""},
                            {"b.shp", "20", "0", "0", ""},
                            {"c.shp", "30", "0", "0", "7"}});
    fillEmptyQuantities(grid);
    EXPECT_EQ(grid.text(3, QtyColumn), "2");
    EXPECT_EQ(grid.text(4, QtyColumn), "2");
    EXPECT_EQ(grid.text(5, QtyColumn), "7");
    EXPECT_EQ(grid.text(1, QtyColumn), "4");
    EXPECT_FALSE(grid.rowHasText(6));
}

TEST(LayoutRows, AddedPartsStartAtTheOriginWithTheQuantityAbove)
{
    TextGrid grid = gridOf({{"sheet.shp", "0", "0", "0", "3"}, {"a.shp", "5", "5", "0", "2"}});
    const auto [first, last] = appendPartRows(grid, {"/p/b.shp", "/p/c.dxf"});
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 4);
    EXPECT_EQ(rowOf(grid, 3), (Row{"/p/b.shp", "0", "0", "0", "2"}));
    EXPECT_EQ(rowOf(grid, 4), (Row{"/p/c.dxf", "0", "0", "0", "2"}));
    EXPECT_EQ(grid.rows(), 6);
    EXPECT_EQ(grid.text(5, 0), "5");
    EXPECT_FALSE(grid.rowHasText(5));

    // Into an empty grid a part never takes the sheet row.
    TextGrid empty = newLayoutGrid();
    EXPECT_EQ(appendPartRows(empty, {"b.shp"}).first, 2);
    EXPECT_FALSE(empty.rowHasText(1));
}

TEST(LayoutRows, AFileChosenInTheEntryRowGetsAPlacement)
{
    TextGrid grid = gridOf({{"sheet.shp"}});
    ASSERT_TRUE(completeNewPlacements(grid));
    EXPECT_EQ(rowOf(grid, 1), (Row{"sheet.shp", "0", "0", "0", "1"}));
    fillRow(grid, 2, {"a.shp"});
    grid.setText(1, QtyColumn, "6");
    ASSERT_TRUE(completeNewPlacements(grid));
    EXPECT_EQ(rowOf(grid, 2), (Row{"a.shp", "0", "0", "0", "6"}));
    EXPECT_FALSE(completeNewPlacements(grid));
}

TEST(LayoutRows, RemovingKeepsTheSheetAndTheOrderOfTheRest)
{
    TextGrid grid = gridOf({{"sheet.shp", "0", "0", "0", "1"},
                            {"a.shp", "1", "0", "0", "1"},
                            {"b.shp", "2", "0", "0", "1"},
                            {"c.shp", "3", "0", "0", "1"}});
    EXPECT_EQ(removePartRows(grid, 3, 1), 2);
    EXPECT_EQ(rowOf(grid, 1), (Row{"sheet.shp", "0", "0", "0", "1"}));
    EXPECT_EQ(rowOf(grid, 2), (Row{"c.shp", "3", "0", "0", "1"}));
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.text(3, 0), "3");
    EXPECT_FALSE(grid.rowHasText(3));
    EXPECT_EQ(grid.row, 2);
    EXPECT_EQ(removePartRows(grid, 1, 1), 0);
}

// ---- placing and checking ----

class LayoutPlacing : public ::testing::Test {
protected:
    std::string shapeFile(const std::string& name, const Shape& shape)
    {
        const std::string path = folder.file(name);
        EXPECT_EQ(saveShapeFile(shape, path), "");
        return path;
    }
    PlacedLayout place(const std::vector<Row>& rows)
    {
        grid = gridOf(rows);
        return placeLayout(grid, cache);
    }

    TempFolder folder;
    LayoutShapeCache cache;
    TextGrid grid;
    const std::string sheet = shapeFile("sheet.shp", rectangle(0, 0, 1000, 500));
    const std::string plate = shapeFile("plate.shp", rectangle(0, 0, 100, 50));
};

void expectBox(const Extents& box, double xmin, double ymin, double xmax, double ymax)
{
    EXPECT_NEAR(box.xmin, xmin, 1e-6);
    EXPECT_NEAR(box.ymin, ymin, 1e-6);
    EXPECT_NEAR(box.xmax, xmax, 1e-6);
    EXPECT_NEAR(box.ymax, ymax, 1e-6);
}

TEST_F(LayoutPlacing, ATurnedPartStartsAtItsXAndY)
{
    const PlacedLayout layout = place({{sheet, "0", "0", "0", "1"},
                                       {plate, "200", "10", "90", "1"},
                                       {plate, "400", "10", "-90", "1"},
                                       {plate, "600", "300", "0", "1"}});
    ASSERT_TRUE(layout.hasSheet);
    ASSERT_EQ(layout.parts.size(), 3u);
    expectBox(layout.sheet.box, 0, 0, 1000, 500);
    expectBox(layout.parts[0].box, 200, 10, 250, 110);
    expectBox(layout.parts[1].box, 400, 10, 450, 110);
    expectBox(layout.parts[2].box, 600, 300, 700, 350);
    EXPECT_EQ(layout.parts[1].row, 3);
    EXPECT_EQ(layoutStatusText(layout), "Layout sound");
}

TEST_F(LayoutPlacing, AnUnevenPartTurnsAboutItsOwnCentre)
{
    // An L: a quarter turn anticlockwise puts its long leg along the top.
    const std::string ell = shapeFile("ell.shp", {lineEntity(0, 0, 20, 0), lineEntity(20, 0, 20, 10),
                                                  lineEntity(20, 10, 10, 10), lineEntity(10, 10, 10, 60),
                                                  lineEntity(10, 60, 0, 60), lineEntity(0, 60, 0, 0)});
    const PlacedLayout layout = place({{sheet, "0", "0", "0", "1"}, {ell, "100", "100", "90", "1"}});
    const Shape& placed = layout.parts[0].shape;
    expectBox(layout.parts[0].box, 100, 100, 160, 120);
    // The long leg's far end (0, 60) turns to (100, 100) and the short leg's foot ends up on
    // the right-hand side at x 160.
    EXPECT_NEAR(placed[4].X2, 100, 1e-6);
    EXPECT_NEAR(placed[4].Y2, 100, 1e-6);
    EXPECT_NEAR(placed[0].X1, 160, 1e-6);
}

TEST_F(LayoutPlacing, TheFirstMissingFileStopsThePlacing)
{
    const PlacedLayout layout =
        place({{sheet, "0", "0", "0", "1"}, {folder.file("gone.shp"), "0", "0", "0", "1"}, {"other.shp"}});
    EXPECT_EQ(layout.missingFile, folder.file("gone.shp"));
    EXPECT_TRUE(layout.parts.empty());
    EXPECT_EQ(missingFileMessage("gone.shp"), "File gone.shp not found");
}

TEST_F(LayoutPlacing, OverlapsAndPartsOffTheSheetAreCountedByPart)
{
    PlacedLayout layout = place({{sheet, "0", "0", "0", "1"},
                                 {plate, "0", "0", "0", "1"},
                                 {plate, "50", "20", "0", "1"},
                                 {plate, "300", "0", "0", "1"},
                                 {plate, "950", "0", "0", "1"}});
    EXPECT_EQ(layout.faultyRows, (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(layoutStatusText(layout), "2 parts overlap, 1 part leaves the sheet");

    // Moved apart the same parts are sound; touching counts as apart.
    layout = place({{sheet, "0", "0", "0", "1"}, {plate, "0", "0", "0", "1"}, {plate, "100", "0", "0", "1"}});
    EXPECT_TRUE(layout.faultyRows.empty());
    EXPECT_EQ(layoutStatusText(layout), "Layout sound");
}

TEST_F(LayoutPlacing, ACachedShapeIsReadAgainWhenItsFileChanges)
{
    EXPECT_EQ(cache.shapeOf(plate).size(), 4u);
    std::filesystem::last_write_time(plate, std::filesystem::last_write_time(plate) - std::chrono::seconds(5));
    EXPECT_EQ(cache.shapeOf(plate).size(), 4u);
    ASSERT_EQ(saveShapeFile({lineEntity(0, 0, 10, 0)}, plate), "");
    std::filesystem::last_write_time(plate, std::filesystem::last_write_time(plate) + std::chrono::seconds(5));
    EXPECT_EQ(cache.shapeOf(plate).size(), 1u);
}

TEST_F(LayoutPlacing, AClickFindsTheSmallestPartUnderThePoint)
{
    const std::string small = shapeFile("small.shp", rectangle(0, 0, 10, 10));
    const PlacedLayout layout = place(
        {{sheet, "0", "0", "0", "1"}, {plate, "100", "100", "0", "1"}, {small, "120", "110", "0", "1"}});
    EXPECT_EQ(partRowAt(layout, 125, 115), 3);
    EXPECT_EQ(partRowAt(layout, 105, 105), 2);
    EXPECT_EQ(partRowAt(layout, 50, 50), 0);
}

// ---- drawing ----

TEST_F(LayoutPlacing, DrawingShowsSelectionFaultsAndNames)
{
    const PlacedLayout layout = place({{sheet, "0", "0", "0", "1"},
                                       {plate, "0", "0", "0", "1"},
                                       {plate, "50", "20", "0", "1"},
                                       {plate, "300", "100", "0", "1"}});
    RecordingSurface surface;
    LayoutEditDrawingOptions options;
    options.gridText = "No";
    options.showNames = true;
    options.highlightFrom = 4;
    options.highlightTo = 4;
    const double mirror = drawEditedLayout(layout, surface, options);
    EXPECT_DOUBLE_EQ(mirror, 500);
    EXPECT_EQ(surface.countLines(Black), 4);
    EXPECT_EQ(surface.countLines(Red), 4);
    EXPECT_EQ(surface.countRgbLines(kFaultyPartRgb), 8);
    EXPECT_NEAR(surface.scale().width, 1100, 1e-6);

    // Names sit a third of the way into each part's box (surface y grows downwards).
    ASSERT_EQ(surface.texts.size(), 3u);
    EXPECT_EQ(surface.texts[2].text, "plate");
    EXPECT_NEAR(surface.texts[2].x, 300 + 100.0 / 3, 1e-6);
    EXPECT_NEAR(surface.texts[2].y, 500 - 150 + 50.0 / 3, 1e-6);

    // Without the selection the part takes its file's layout colour.
    options.highlightFrom = options.highlightTo = 0;
    options.showNames = false;
    drawEditedLayout(layout, surface, options);
    EXPECT_EQ(surface.countLines(Red), 0);
    EXPECT_EQ(surface.countRgbLines(layoutPartColour(1)), 4);
    EXPECT_TRUE(surface.texts.empty());
}

TEST_F(LayoutPlacing, ZoomShowsAPartOfTheSheetAboutTheFocusKeptOverTheSheet)
{
    const PlacedLayout layout = place({{sheet, "0", "0", "0", "1"}, {plate, "600", "300", "0", "1"}});
    RecordingSurface surface;
    LayoutEditDrawingOptions options;
    options.gridText = "No";
    options.zoom = 4;
    options.focused = true;
    options.focusX = 650;
    options.focusY = 325;
    const double mirror = drawEditedLayout(layout, surface, options);
    // A square a quarter of the whole view (1100) centred on the part; y runs downwards.
    const ViewScale view = surface.scale();
    EXPECT_NEAR(view.width, 275, 1e-6);
    EXPECT_NEAR(view.left + view.width / 2, 650, 1e-6);
    EXPECT_NEAR(view.top + view.height / 2, mirror - 325, 1e-6);

    // A focus near a corner keeps the view over the sheet; no focus means the sheet's middle.
    options.focusX = 990;
    options.focusY = 5;
    drawEditedLayout(layout, surface, options);
    EXPECT_NEAR(surface.scale().left + surface.scale().width, 1000, 1e-6);
    EXPECT_NEAR(surface.scale().top + surface.scale().height, 500, 1e-6);
    options.focused = false;
    drawEditedLayout(layout, surface, options);
    EXPECT_NEAR(surface.scale().left + surface.scale().width / 2, 500, 1e-6);
}

TEST(LayoutDrawing, LabelsDropFolderAndExtension)
{
    EXPECT_EQ(partLabel("/jobs/parts/GUSSET.SHP"), "GUSSET");
    EXPECT_EQ(partLabel("C:\\parts\\disc.dxf"), "disc");
    EXPECT_EQ(partLabel("abc"), "");
}

TEST(LayoutDrawing, NothingPlacedDrawsNothing)
{
    RecordingSurface surface;
    surface.lines.push_back({});
    EXPECT_EQ(drawEditedLayout(PlacedLayout{}, surface, {}), 0);
    EXPECT_TRUE(surface.lines.empty());
}

} // namespace
} // namespace dravenor::testing
