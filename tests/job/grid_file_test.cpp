#include "job/grid_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "job/temp_folder.h"

namespace dravenor {
namespace {

using test::TempFolder;
using Items = std::vector<std::string>;

TextGrid shapeGrid()
{
    return TextGrid({"X1", "Y1", "X2", "Y2", "CX", "CY", "RAD", "Nstart", "Nend"});
}

// Every cell of rows 1.. and columns 0.., row by row.
std::vector<Items> cellsOf(const TextGrid& grid)
{
    std::vector<Items> rows;
    for (int r = 1; r < grid.rows(); ++r) {
        Items row;
        for (int c = 0; c < grid.cols(); ++c) row.push_back(grid.text(r, c));
        rows.push_back(row);
    }
    return rows;
}

TEST(GridItems, QuotedAndUnquotedItems)
{
    EXPECT_EQ(splitGridItems("\"a,b\",\"\",  \"c d\"\r\n"), (Items{"a,b", "", "c d"}));
    EXPECT_EQ(splitGridItems("1, 2 ,3\r\n4,5,6"), (Items{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(splitGridItems("\"/jobs/a,b.shp\",\"2\""), (Items{"/jobs/a,b.shp", "2"}));
    EXPECT_EQ(splitGridItems(""), Items{});
}

TEST(GridItems, LineBreaksOnlySeparateItems)
{
    EXPECT_EQ(splitGridItems("\"1\",\"2\"\n\"3\"\n"), (Items{"1", "2", "3"}));
    EXPECT_EQ(splitGridItems("1,2\r3\r"), (Items{"1", "2", "3"}));
    // Blank lines, also at the end, hold no items.
    EXPECT_EQ(splitGridItems("1\r\n\r\n2\r\n\r\n  \r\n"), (Items{"1", "2"}));
}

TEST(GridItems, CommaBeforeLineEndLeavesAnEmptyItem)
{
    EXPECT_EQ(splitGridItems("1,\r\n2,"), (Items{"1", "", "2", ""}));
    EXPECT_EQ(splitGridItems(",\n"), (Items{"", ""}));
}

TEST(GridItems, TextAfterAClosingQuoteAndAnUnclosedQuote)
{
    EXPECT_EQ(splitGridItems("\"a\"x,\"b\"\r\n"), (Items{"a", "b"}));
    EXPECT_EQ(splitGridItems("\"open,end"), Items{"open,end"});
}

TEST(GridFileText, EveryRowButTheEntryRow)
{
    TextGrid grid({"Sheet File Name", "Qty", "Pri"});
    grid.setRows(4);
    grid.setText(1, 1, "  /jobs/Plate 1.shp ");
    grid.setText(1, 2, "3");
    grid.setText(3, 3, "7"); // the last row is never written in this mode
    EXPECT_EQ(gridToFileText(grid, false), "\"/jobs/Plate 1.shp\",\"3\",\"\"\r\n\"\",\"\",\"\"\r\n");
}

TEST(GridFileText, OnlyRowsWithText)
{
    TextGrid grid = shapeGrid();
    grid.setRows(4);
    grid.setText(1, 1, "   ");
    grid.setText(2, 3, "100");
    grid.setText(3, 7, "25");
    EXPECT_EQ(gridToFileText(grid, true),
              "\"\",\"\",\"100\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
              "\"\",\"\",\"\",\"\",\"\",\"\",\"25\",\"\",\"\"\r\n");
    TextGrid blank = shapeGrid();
    blank.setRows(3);
    EXPECT_EQ(gridToFileText(blank, true), "");
}

TEST(GridFile, RoundTripKeepsEveryCell)
{
    TempFolder temp;
    TextGrid grid({"Part File Name", "Qty", "Pri", "Orn"});
    grid.setRows(4);
    grid.setText(1, 1, "/jobs/flange, large.shp");
    grid.setText(1, 2, "12");
    grid.setText(1, 4, "step90");
    grid.setText(2, 1, "/jobs/Rib.DXF");
    grid.setText(2, 3, "2");
    grid.renumber();
    const std::string path = temp.file("parts.tlf");
    ASSERT_EQ(saveGridToFile(grid, path, false), "");

    TextGrid loaded({"Part File Name", "Qty", "Pri", "Orn"});
    ASSERT_EQ(loadGridFromFile(loaded, path), "");
    EXPECT_EQ(cellsOf(loaded), cellsOf(grid));
    EXPECT_EQ(temp.entries(), Items{"parts.tlf"});
}

TEST(GridFile, LoadsUnquotedLfAndSplitItems)
{
    TempFolder temp;
    const std::string path = temp.write("mixed.shp",
        "0,0,100,0,0,0,0,0,0\n"
        "\"0\",\"0\",\"0\",\"0\",\"50\"\r\n\"50\",\"25\",\"0\",\"0\"\r\n");
    TextGrid grid = shapeGrid();
    ASSERT_EQ(loadGridFromFile(grid, path), "");
    // Three lines give five rows even though the second entity spans two of them.
    ASSERT_EQ(grid.rows(), 5);
    EXPECT_EQ(cellsOf(grid)[0], (Items{"1", "0", "0", "100", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(cellsOf(grid)[1], (Items{"2", "0", "0", "0", "0", "50", "50", "25", "0", "0"}));
    for (int r = 3; r <= 4; ++r) {
        EXPECT_FALSE(grid.rowHasText(r));
        EXPECT_EQ(grid.text(r, 0), std::to_string(r));
    }
}

TEST(GridFile, MissingFileLeavesTwoEmptyRows)
{
    TempFolder temp;
    TextGrid grid = shapeGrid();
    grid.setRows(6);
    grid.setText(3, 2, "old");
    EXPECT_EQ(loadGridFromFile(grid, temp.file("gone.shp")), "");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_FALSE(grid.rowHasText(1));
    EXPECT_EQ(grid.text(1, 0), "1");
}

TEST(GridFile, FolderInsteadOfFileIsAnError)
{
    TempFolder temp;
    TextGrid grid = shapeGrid();
    grid.setText(1, 1, "old");
    EXPECT_EQ(loadGridFromFile(grid, temp.folder()), "cannot read " + temp.folder() + ": is a folder");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_FALSE(grid.rowHasText(1));
}

TEST(GridFile, MoreItemsThanLinesStillEndWithOneEmptyRow)
{
    TempFolder temp;
    TextGrid grid({"Mat", "Density"});
    grid.tag = temp.write("density.dat", "\"ST\",\"7.85\",\"AL\",\"2.7\",\"CU\",\"8.9\"\r\n");
    ASSERT_EQ(loadGridFromTagFile(grid), "");
    ASSERT_EQ(grid.rows(), 5);
    EXPECT_EQ(grid.text(3, 1), "CU");
    EXPECT_EQ(grid.text(3, 2), "8.9");
    EXPECT_FALSE(grid.rowHasText(4));
    EXPECT_EQ(grid.text(4, 0), "4");
}

TEST(GridFile, UnstorableTextIsRefusedAndThePreviousFileStays)
{
    TempFolder temp;
    const std::string path = temp.write("note.tlf", "\"previous\"\r\n");
    TextGrid grid({"Note"});
    grid.setRows(3);
    grid.setText(1, 1, "say \"hi\"");
    const std::string error = saveGridToFile(grid, path, false);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("double quote"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(path), "\"previous\"\r\n");
}

TEST(GridFile, SaveOntoAFolderFailsWithoutTemporaryFiles)
{
    TempFolder temp;
    std::filesystem::create_directory(temp.file("grid.shp"));
    TextGrid grid = shapeGrid();
    grid.setText(1, 1, "1");
    EXPECT_EQ(saveGridToFile(grid, temp.file("grid.shp"), true), "cannot write " + temp.file("grid.shp") + ": is a folder");
    EXPECT_EQ(temp.entries(), Items{"grid.shp"});
}

} // namespace
} // namespace dravenor
