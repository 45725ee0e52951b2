// The shape editor's document: the entity grid read as a shape, moved and turned by rows,
// joined, loaded and saved.
#include <gtest/gtest.h>

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

std::vector<std::string> rowTexts(const TextGrid& grid, int row)
{
    std::vector<std::string> texts;
    for (int c = 1; c < grid.cols(); ++c) texts.push_back(grid.text(row, c));
    return texts;
}

void selectRows(TextGrid& grid, int from, int to)
{
    grid.row = grid.selStartRow = from;
    grid.selEndRow = to;
}

TEST(ShapeGrid, BlankRowsHoldNoEntityAndHighlightsFollowTheRows)
{
    TextGrid grid = gridOf(rectangle(0, 0, 10, 5));
    // Leave row 3 blank: rows 1, 2, 4, 5 hold the four lines.
    grid.setRows(grid.rows() + 1);
    for (int r = grid.rows() - 2; r > 3; --r)
        for (int c = 1; c < grid.cols(); ++c) grid.setText(r, c, grid.text(r - 1, c));
    for (int c = 1; c < grid.cols(); ++c) grid.setText(3, c, "");

    const GridShape read = shapeFromGrid(grid);
    ASSERT_EQ(read.shape.size(), 4u);
    EXPECT_EQ(read.rowOfEntity, (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(read.shape[2], lineEntity(10, 5, 0, 5));
    EXPECT_EQ(entitiesOnRows(read, 2, 4), std::make_pair(2, 3));
    EXPECT_EQ(entitiesOnRows(read, 4, 2), std::make_pair(2, 3));
    EXPECT_EQ(entitiesOnRows(read, 3, 3), std::make_pair(0, 0));
    EXPECT_EQ(entitiesOnRows(read, 6, 6), std::make_pair(0, 0));
}

TEST(ShapeGrid, MoveRightChangesOnlyTheSelectedRows)
{
    Shape shape = rectangle(0, 0, 10, 5);
    shape.push_back(arcEntity(5, 5, 2, 0, 180));
    TextGrid grid = gridOf(shape);
    const std::vector<std::string> untouched = rowTexts(grid, 1);
    selectRows(grid, 2, 5);

    ASSERT_TRUE(adjustSelection(grid, AdjustCommand::MoveRight, 100));
    EXPECT_EQ(rowTexts(grid, 1), untouched);
    EXPECT_EQ(rowTexts(grid, 2), (std::vector<std::string>{"110", "0", "110", "5", "100", "0", "0", "0", "0"}));
    EXPECT_EQ(rowTexts(grid, 5), (std::vector<std::string>{"100", "0", "100", "0", "105", "5", "2", "0", "180"}));

    selectRows(grid, 5, 5);
    ASSERT_TRUE(adjustSelection(grid, AdjustCommand::MoveDown, 2.5));
    EXPECT_EQ(grid.text(5, 6), "2.5");
    EXPECT_EQ(grid.text(5, 2), "-2.5");
}

TEST(ShapeGrid, RotationTurnsTheSelectionAboutItsOwnCentre)
{
    Shape shape = rectangle(0, 0, 10, 5);
    shape.push_back(lineEntity(100, 0, 110, 0));
    TextGrid grid = gridOf(shape);
    selectRows(grid, 5, 5);

    ASSERT_TRUE(adjustSelection(grid, AdjustCommand::RotateClockwise, 90));
    const ShapeEntity turned = shapeFromGrid(grid).shape[4];
    // Clockwise by 90 about (105, 0): the start (100, 0) goes to (105, 5).
    EXPECT_NEAR(turned.X1, 105, 1e-9);
    EXPECT_NEAR(turned.Y1, 5, 1e-9);
    EXPECT_NEAR(turned.X2, 105, 1e-9);
    EXPECT_NEAR(turned.Y2, -5, 1e-9);
    EXPECT_EQ(shapeFromGrid(grid).shape[0], lineEntity(0, 0, 10, 0));

    ASSERT_TRUE(adjustSelection(grid, AdjustCommand::RotateAnticlockwise, 90));
    EXPECT_NEAR(shapeFromGrid(grid).shape[4].X1, 100, 1e-9);
}

TEST(ShapeGrid, TheBlankEntryRowIsNeverWrittenByACommand)
{
    TextGrid grid = gridOf(rectangle(0, 0, 10, 5));
    const int entryRow = grid.rows() - 1;
    selectRows(grid, entryRow, entryRow);
    EXPECT_FALSE(adjustSelection(grid, AdjustCommand::MoveLeft, 10));

    selectRows(grid, 4, entryRow);
    ASSERT_TRUE(adjustSelection(grid, AdjustCommand::MoveLeft, 10));
    EXPECT_FALSE(grid.rowHasText(entryRow));
    EXPECT_EQ(grid.text(4, 1), "-10");
    EXPECT_EQ(grid.text(3, 1), "10");

    TextGrid empty = newShapeGrid();
    EXPECT_FALSE(adjustSelection(empty, AdjustCommand::MoveUp, 10));
    EXPECT_EQ(empty.rows(), 2);
}

TEST(ShapeGrid, AStaleSelectionFallsBackToTheCurrentRow)
{
    TextGrid grid = gridOf(rectangle(0, 0, 10, 5));
    grid.selStartRow = 1;
    grid.selEndRow = 2;
    grid.row = 4;
    EXPECT_EQ(selectedRows(grid), std::make_pair(4, 4));
    grid.row = 2;
    EXPECT_EQ(selectedRows(grid), std::make_pair(1, 2));
}

TEST(ShapeGrid, JoiningAddsTheGapLineOnceAndNothingToAClosedOutline)
{
    TextGrid closed = gridOf(rectangle(0, 0, 10, 5));
    EXPECT_EQ(joinMissingLines(closed), 0);
    EXPECT_EQ(closed.rows(), 6);

    TextGrid open = gridOf({lineEntity(0, 0, 10, 0), lineEntity(10.3, 0.4, 20, 0.4)});
    EXPECT_EQ(joinMissingLines(open), 1);
    EXPECT_EQ(rowTexts(open, 3), (std::vector<std::string>{"10", "0", "10.3", "0.4", "0", "0", "0", "0", "0"}));
    EXPECT_FALSE(open.rowHasText(open.rows() - 1));
    EXPECT_EQ(joinMissingLines(open), 0);

    TextGrid straightGap = gridOf({lineEntity(0, 0, 10, 0), lineEntity(10.3, 0, 20, 0)});
    EXPECT_EQ(joinMissingLines(straightGap), 0);
}

TEST(ShapeGrid, SavedShapeFilesHoldTheNonBlankRowsAsTyped)
{
    TempFolder folder;
    TextGrid grid = newShapeGrid();
    grid.setRows(4);
    const std::vector<std::string> typed{"1.50", "2", "", "", "", "", "", "", "-0"};
    for (int c = 1; c <= 9; ++c) grid.setText(2, c, typed[static_cast<size_t>(c - 1)]);
    const std::string path = folder.file("typed.shp");

    ASSERT_EQ(saveShapeGrid(grid, path, folder.folder()), "");
    EXPECT_EQ(TempFolder::read(path), "\"1.50\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\",\"-0\"\r\n");

    TextGrid reopened = newShapeGrid();
    ShapeReadReport report;
    ASSERT_EQ(loadShapeGrid(reopened, path, report), "");
    EXPECT_EQ(rowTexts(reopened, 1), typed);
    EXPECT_EQ(reopened.rows(), 3);
}

TEST(ShapeGrid, LoadingAndSavingRefuseWhatTheyCannotDoAndKeepTheGrid)
{
    TempFolder folder;
    TextGrid grid = gridOf(rectangle(0, 0, 10, 5));
    const TextGrid before = grid;
    ShapeReadReport report;
    EXPECT_NE(loadShapeGrid(grid, folder.file("missing.shp"), report), "");
    EXPECT_NE(loadShapeGrid(grid, folder.file("notes.txt"), report), "");
    EXPECT_EQ(shapeFromGrid(grid).shape, shapeFromGrid(before).shape);

    EXPECT_NE(saveShapeGrid(grid, folder.file("shape.txt"), folder.folder()), "");
    EXPECT_NE(saveShapeGrid(grid, folder.file("no-such-folder/shape.shp"), folder.folder()), "");
}

TEST(ShapeGrid, ADxfSaveReadsBackAsTheSameShape)
{
    TempFolder folder;
    Shape shape = rectangle(0, 0, 120.25, 40);
    shape.push_back(arcEntity(60, 20, 7.5, 30, 300));
    shape.push_back(arcEntity(20, 20, 5, 0, 0));
    const TextGrid grid = gridOf(shape);
    const std::string path = folder.file("part.DXF");

    ASSERT_EQ(saveShapeGrid(grid, path, DRAVENOR_RESOURCE_DIR), "");
    TextGrid reopened = newShapeGrid();
    ShapeReadReport report;
    ASSERT_EQ(loadShapeGrid(reopened, path, report), "");
    EXPECT_EQ(shapeFromGrid(reopened).shape, shape);
    EXPECT_TRUE(report.notes.empty());
}

} // namespace
} // namespace dravenor::testing
