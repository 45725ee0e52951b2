// The shape editor's document and the drawing of a shape: the entity grid read as a shape, moved
// and turned by rows, joined, loaded and saved; the preview's view, grid, highlighted entities,
// point marks and dimensions. Rows after each command and drawings are pinned by golden files.
#include <gtest/gtest.h>

#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "geometry/shape_grid.h"
#include "geometry/shape_preview.h"
#include "job/grid_file.h"
#include "support/recording_surface.h"
#include "support/temp_folder.h"

namespace dravenor::testing {
namespace {

TextGrid gridOf(const Shape& shape)
{
    TextGrid grid = newShapeGrid();
    appendShapeRows(grid, shape);
    return grid;
}

std::string rowsOf(const TextGrid& grid)
{
    std::string text;
    for (int r = 1; r < grid.rows() - 1; ++r) { // the blank entry row left out
        text += std::to_string(r) + ":";
        for (int c = 1; c < grid.cols(); ++c) text += " " + grid.text(r, c);
        text += "\n";
    }
    return text;
}

// Selects the rows (to -1: the entry row) and applies the command.
bool adjusted(TextGrid& grid, int from, int to, AdjustCommand command, double step)
{
    grid.row = grid.selStartRow = from < 0 ? grid.rows() - 1 : from;
    grid.selEndRow = to < 0 ? grid.rows() - 1 : to;
    return adjustSelection(grid, command, step);
}

TEST(ShapeGrid, CommandsChangeOnlyTheSelectedRowsAsTheGoldenFileShows)
{
    Sections results;
    const auto keep = [&results](const std::string& name, const TextGrid& grid) {
        EXPECT_FALSE(grid.rowHasText(grid.rows() - 1)) << name;
        results.push_back({name, rowsOf(grid)});
    };
    Shape shape = rectangle(0, 0, 10, 5);
    shape.push_back(arcEntity(5, 5, 2, 0, 180));
    TextGrid grid = gridOf(shape);
    EXPECT_TRUE(adjusted(grid, 2, 5, AdjustCommand::MoveRight, 100));
    EXPECT_TRUE(adjusted(grid, 5, 5, AdjustCommand::MoveDown, 2.5));
    keep("rows 2 to 5 moved right by 100, then row 5 down by 2.5", grid);
    shape.back() = lineEntity(100, 0, 110, 0);
    grid = gridOf(shape);
    EXPECT_TRUE(adjusted(grid, 5, 5, AdjustCommand::RotateClockwise, 90));
    keep("row 5 turned clockwise by 90 about its own centre", grid);
    EXPECT_TRUE(adjusted(grid, 5, 5, AdjustCommand::RotateAnticlockwise, 90));
    keep("and back again", grid);
    grid = gridOf(rectangle(0, 0, 10, 5));
    EXPECT_FALSE(adjusted(grid, -1, -1, AdjustCommand::MoveLeft, 10));
    EXPECT_TRUE(adjusted(grid, 4, -1, AdjustCommand::MoveLeft, 10));
    keep("the blank entry row is never written by a command", grid);
    grid = gridOf({lineEntity(0, 0, 10, 0), lineEntity(10.3, 0.4, 20, 0.4)});
    EXPECT_EQ(joinMissingLines(grid), 1);
    EXPECT_EQ(joinMissingLines(grid), 0);
    keep("joining adds the gap line once", grid);
    grid = gridOf({lineEntity(0, 0, 10, 0), lineEntity(10.3, 0, 20, 0), lineEntity(0, 5, 10, 5)});
    EXPECT_EQ(joinMissingLines(grid), 0);
    keep("joining adds nothing where the gap is level", grid);
    expectGolden("geometry/shape_grid.txt", joinSections(results));

    grid = newShapeGrid();
    EXPECT_FALSE(adjustSelection(grid, AdjustCommand::MoveUp, 10));
    EXPECT_EQ(grid.rows(), 2);
}

TEST(ShapeGrid, BlankRowsHoldNoEntityAndSelectionsFollowTheRows)
{
    TextGrid grid = gridOf(rectangle(0, 0, 10, 5));
    grid.setRows(grid.rows() + 1); // row 3 left blank: rows 1, 2, 4, 5 hold the four lines
    for (int r = grid.rows() - 2; r >= 3; --r)
        for (int c = 1; c < grid.cols(); ++c) grid.setText(r, c, r == 3 ? "" : grid.text(r - 1, c));
    const GridShape read = shapeFromGrid(grid);
    EXPECT_EQ(read.shape, rectangle(0, 0, 10, 5));
    EXPECT_EQ(read.rowOfEntity, (std::vector<int>{1, 2, 4, 5}));
    const std::pair<std::pair<int, int>, std::pair<int, int>> ranges[] = {
        {{2, 4}, {2, 3}}, {{4, 2}, {2, 3}}, {{3, 3}, {0, 0}}, {{6, 6}, {0, 0}}};
    for (const auto& [rows, entities] : ranges) EXPECT_EQ(entitiesOnRows(read, rows.first, rows.second), entities);

    grid.selStartRow = 1; // a stale selection falls back to the current row
    grid.selEndRow = 2;
    grid.row = 4;
    EXPECT_EQ(selectedRows(grid), std::make_pair(4, 4));
    grid.row = 2;
    EXPECT_EQ(selectedRows(grid), std::make_pair(1, 2));
}

TEST(ShapeGrid, FilesHoldTheRowsAsTypedOrAsADrawingAndFailuresKeepTheGrid)
{
    TempFolder folder;
    TextGrid grid = newShapeGrid();
    grid.setRows(4);
    const std::string typed[] = {"1.50", "2", "", "", "", "", "", "", "-0"};
    for (int c = 1; c <= 9; ++c) grid.setText(2, c, typed[c - 1]);
    const std::string path = folder.file("typed.shp");
    ASSERT_EQ(saveShapeGrid(grid, path, folder.folder()), "");
    EXPECT_EQ(TempFolder::read(path), "\"1.50\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\",\"-0\"\r\n");
    ShapeReadReport report;
    ASSERT_EQ(loadShapeGrid(grid, path, report), "");
    EXPECT_EQ(rowsOf(grid), "1: 1.50 2       -0\n");

    Shape shape = rectangle(0, 0, 120.25, 40);
    shape.push_back(arcEntity(60, 20, 7.5, 30, 300));
    shape.push_back(arcEntity(20, 20, 5, 0, 0));
    ASSERT_EQ(saveShapeGrid(gridOf(shape), folder.file("part.DXF"), DRAVENOR_RESOURCE_DIR), "");
    ASSERT_EQ(loadShapeGrid(grid, folder.file("part.DXF"), report), "");
    EXPECT_EQ(std::pair(shapeFromGrid(grid).shape, report.notes.size()), std::pair(shape, 0ul));

    for (const std::string& error : {loadShapeGrid(grid, folder.file("missing.shp"), report),
                                     loadShapeGrid(grid, folder.write("notes.txt", "1,2,3,4,0,0,0,0,0\r\n"), report),
                                     saveShapeGrid(grid, folder.file("shape.txt"), folder.folder()),
                                     saveShapeGrid(grid, folder.file("no-such-folder/shape.shp"), folder.folder())})
        EXPECT_NE(error, "");
    EXPECT_EQ(shapeFromGrid(grid).shape, shape) << "failures keep the grid";
}

PreviewOptions colouredBy(int colour, int from = 0, int to = 0)
{
    PreviewOptions options;
    options.colour = colour;
    options.highlightFrom = from;
    options.highlightTo = to;
    return options;
}

TEST(ShapePreview, DrawingsMatchTheGoldenFile)
{
    Sections results;
    RecordingSurface s;
    s.setScale({0, 0, 440, 440});
    // Files the drawing made since the last one under the name and starts a fresh one.
    const auto drawn = [&](const std::string& name) {
        results.push_back({name, goldenDrawing(s)});
        s = RecordingSurface();
        s.setScale({0, 0, 440, 440});
    };
    fitViewToShape(s, Extents{5, 20, 15, 320});
    drawn("view of a tall thin shape: square, of the larger side");
    fitViewToShape(s, Extents{3, 3, 3, 3});
    EXPECT_EQ(s.refusedScales, 1);
    drawn("view of a point refused, the tooltip still follows");
    s.line(0, 0, 1, 1, Black);
    EXPECT_TRUE(previewShapeFile(testDataPath("offset_square.shp"), s, colouredBy(Blue)));
    drawn("shape file drawn upside down where it lies, what was drawn before cleared");
    s.line(0, 0, 1, 1, Black);
    EXPECT_FALSE(previewShapeFile(testDataPath("nothing_here.shp"), s, colouredBy(Blue)));
    drawn("no file: nothing drawn");
    drawGrid(s, "Auto", 200, 400, true);
    drawn("auto grid: a tenth of the larger size");
    drawGrid(s, "Auto", 40, 30, true);
    drawGrid(s, "Auto", 50, 30, true);
    drawn("auto grid needs a spacing of 5, the mirror height counts");
    drawGrid(s, "No", 200, 400, true);
    drawGrid(s, "4", 200, 400, true);
    drawn("no grid, and none finer than 5");
    drawGrid(s, "100", 200, 400, true);
    drawn("fixed grid with labels");
    s.setScale({-30, 0, 100, 100});
    drawGrid(s, "25", 50, 80, false);
    drawn("fixed grid covering a view left of the origin, no labels");
    const Shape square = rectangle(0, 0, 10, 10);
    drawShape(square, s, colouredBy(Navy, 2, 3), 10);
    drawn("entities 2 to 3 highlighted red, drawn last");
    drawShape(square, s, colouredBy(Navy, 3, 2), 10);
    drawn("highlight range given backwards");
    drawShape(square, s, colouredBy(Navy), 10);
    drawn("no highlight");
    drawShape({arcEntity(0, 0, 10, 90, 360)}, s, colouredBy(Black), 0);
    drawn("arc to 360 ends at 0");
    drawShape({arcEntity(0, 0, 10, 0, 360), arcEntity(0, 0, 10, 360, 360), arcEntity(0, 0, 10, 45, 45)}, s,
              colouredBy(Black), 0);
    drawn("circles: angles 0 and 360, 360 and 360, 45 and 45");
    const Shape wrapped{arcEntity(5, 5, 5, 370, 90)};
    drawShape(wrapped, s, colouredBy(Black), 20);
    EXPECT_EQ(wrapped[0].Nstart, 370);
    drawn("arc from 370 brought into range on a copy");
    PreviewOptions marked;
    marked.showPoints = marked.showDimensions = true;
    s.setScale({0, 0, 300, 300});
    drawShape({lineEntity(0, 0, 3, 4), arcEntity(0, 0, 10, 0, 90), arcEntity(100, 0, 7.125, 45, 45),
               arcEntity(200, 0, 2, 0, 360)},
              s, marked, 50);
    drawn("point marks, lengths at the middle of lines and radii halfway along arcs");
    expectGolden("geometry/preview.txt", joinSections(results));
}

} // namespace
} // namespace dravenor::testing
