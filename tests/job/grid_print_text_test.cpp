// The text printout of a grid: print positions, row lines and the page header.
#include <gtest/gtest.h>

#include "job/grid_print_text.h"

namespace dravenor {
namespace {

TEST(GridPrintText, ColumnsStartAtTheWiderOfTitleAndLimitPlusTwo)
{
    TextGrid grid({"Sheet File Name", "Qty", "Pri"});
    grid.colWidths = {5, 40, 10, 10};
    const std::vector<int> positions = gridPrintPositions(grid);
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_EQ(positions[0], 1);
    // The file column's typing limit decides its width, "Qty" its own limit of six digits.
    EXPECT_EQ(positions[1], 1 + 18 + 2);
    EXPECT_EQ(positions[2], positions[1] + 6 + 2);

    grid.setText(1, 2, "12");
    grid.setText(1, 3, "1");
    const std::string line = gridPrintLine(grid, 1, positions);
    EXPECT_EQ(line.substr(static_cast<size_t>(positions[1] - 1)), "12      1");
}

TEST(GridPrintText, HiddenColumnsAreLeftOut)
{
    TextGrid grid({"X1", "Y1", "X2"});
    grid.colWidths = {5, 9, 0, 9};
    const std::vector<int> positions = gridPrintPositions(grid);
    EXPECT_EQ(positions, (std::vector<int>{1, 0, 10}));
    grid.setText(1, 1, "5");
    grid.setText(1, 2, "hidden");
    grid.setText(1, 3, "-7.5");
    EXPECT_EQ(gridPrintLine(grid, 1, positions), "5        -7.5");
    // A number longer than its column runs on, set off from the next by a blank.
    grid.setText(1, 1, "260.865544");
    EXPECT_EQ(gridPrintLine(grid, 1, positions), "260.865544 -7.5");
}

TEST(GridPrintText, TheHeaderNamesTheFileOnlyWhenThereIsOne)
{
    TextGrid grid({"X1", "Y1"});
    EXPECT_EQ(gridPrintHeader(grid, "/jobs/parts/flange.shp", "06-12-2026", "Shape Editor", true),
              (std::vector<std::string>{"", "File: flange.shp", "Date: 06-12-2026", "", "Shape Editor", "",
                                        "X1       Y1"}));
    EXPECT_EQ(gridPrintHeader(grid, "", "06-12-2026", "Report", false),
              (std::vector<std::string>{"", "Date: 06-12-2026", "", "Report", ""}));
}

} // namespace
} // namespace dravenor
