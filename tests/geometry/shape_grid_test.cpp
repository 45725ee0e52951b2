// The shape editor's document: the entity grid read as a shape, moved and turned by rows (the
// rows after each command pinned by a golden file), joined, loaded and saved.
#include <gtest/gtest.h>

#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "geometry/shape_grid.h"
#include "job/grid_file.h"
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
    EXPECT_EQ(shapeFromGrid(grid).shape, shape);
    EXPECT_TRUE(report.notes.empty());

    EXPECT_NE(loadShapeGrid(grid, folder.file("missing.shp"), report), "");
    EXPECT_NE(loadShapeGrid(grid, folder.write("notes.txt", "1,2,3,4,0,0,0,0,0\r\n"), report), "");
    EXPECT_EQ(shapeFromGrid(grid).shape, shape);
    EXPECT_NE(saveShapeGrid(grid, folder.file("shape.txt"), folder.folder()), "");
    EXPECT_NE(saveShapeGrid(grid, folder.file("no-such-folder/shape.shp"), folder.folder()), "");
}

} // namespace
} // namespace dravenor::testing
