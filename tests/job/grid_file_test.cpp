#include "job/grid_file.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;
using Items = std::vector<std::string>;

TextGrid shapeGrid() { return TextGrid({"X1", "Y1", "X2", "Y2", "CX", "CY", "RAD", "Nstart", "Nend"}); }

// Every cell of rows 1.. and columns 0.., row by row.
std::vector<Items> cellsOf(const TextGrid& grid)
{
    std::vector<Items> rows;
    for (int r = 1; r < grid.rows(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < grid.cols(); ++c) rows.back().push_back(grid.text(r, c));
    }
    return rows;
}

TEST(GridItems, QuotedUnquotedAndAcrossLines)
{
    const std::pair<const char*, Items> cases[] = {
        {"\"a,b\",\"\",  \"c d\"\r\n", {"a,b", "", "c d"}},
        {"1, 2 ,3\r\n4,5,6", {"1", "2", "3", "4", "5", "6"}},
        {"\"1\",\"2\"\n\"3\"\n", {"1", "2", "3"}},
        {"1,2\r3\r", {"1", "2", "3"}},
        {"1\r\n\r\n2\r\n\r\n  \r\n", {"1", "2"}},     // blank lines hold no items
        {"1,\r\n2,", {"1", "", "2", ""}},             // comma before a line end: an empty item
        {",\n", {"", ""}},
        {"\"a\"x,\"b\"\r\n", {"a", "b"}},             // text after a closing quote is dropped
        {"\"open,end", {"open,end"}},
        {"", {}},
    };
    for (const auto& [text, items] : cases) EXPECT_EQ(splitGridItems(text), items) << text;
}

TEST(GridFileText, EveryRowButTheEntryRowOrOnlyRowsWithText)
{
    TextGrid grid({"Sheet File Name", "Qty", "Pri"});
    grid.setRows(4);
    grid.setText(1, 1, "  /jobs/Plate 1.shp ");
    grid.setText(1, 2, "3");
    grid.setText(3, 3, "7"); // the last row is never written in this mode
    EXPECT_EQ(gridToFileText(grid, false), "\"/jobs/Plate 1.shp\",\"3\",\"\"\r\n\"\",\"\",\"\"\r\n");

    TextGrid shape = shapeGrid();
    shape.setRows(4);
    shape.setText(1, 1, "   ");
    shape.setText(3, 7, "25");
    EXPECT_EQ(gridToFileText(shape, true), "\"\",\"\",\"\",\"\",\"\",\"\",\"25\",\"\",\"\"\r\n");
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

TEST(GridFile, ReadsUnquotedLfAndItemsSplitOverLines)
{
    TempFolder temp;
    TextGrid grid = shapeGrid();
    const std::string path = temp.write("mixed.shp", "0,0,100,0,0,0,0,0,0\n"
                                                     "\"0\",\"0\",\"0\",\"0\",\"50\"\r\n\"50\",\"25\",\"0\",\"0\"\r\n");
    ASSERT_EQ(loadGridFromFile(grid, path), "");
    // Three lines give five rows even though the second entity spans two of them.
    EXPECT_EQ(cellsOf(grid), (std::vector<Items>{{"1", "0", "0", "100", "0", "0", "0", "0", "0", "0"},
                                                  {"2", "0", "0", "0", "0", "50", "50", "25", "0", "0"},
                                                  {"3", "", "", "", "", "", "", "", "", ""},
                                                  {"4", "", "", "", "", "", "", "", "", ""}}));

    TextGrid density({"Mat", "Density"});
    density.tag = temp.write("density.dat", "\"ST\",\"7.85\",\"AL\",\"2.7\",\"CU\",\"8.9\"\r\n");
    ASSERT_EQ(loadGridFromTagFile(density), "");
    EXPECT_EQ(cellsOf(density), (std::vector<Items>{{"1", "ST", "7.85"}, {"2", "AL", "2.7"}, {"3", "CU", "8.9"},
                                                     {"4", "", ""}}));
}

TEST(GridFile, MissingFileLeavesOneEmptyRowAndAFolderIsAnError)
{
    TempFolder temp;
    TextGrid grid = shapeGrid();
    grid.setRows(6);
    grid.setText(3, 2, "old");
    EXPECT_EQ(loadGridFromFile(grid, temp.file("gone.shp")), "");
    EXPECT_EQ(cellsOf(grid), (std::vector<Items>{{"1", "", "", "", "", "", "", "", "", ""}}));
    grid.setText(1, 1, "old");
    EXPECT_EQ(loadGridFromFile(grid, temp.folder()), "cannot read " + temp.folder() + ": is a folder");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_FALSE(grid.rowHasText(1));
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

} // namespace
} // namespace dravenor
