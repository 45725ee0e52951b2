#include "job/column_attributes.h"

#include <gtest/gtest.h>

namespace dravenor {
namespace {

void expectAttributes(std::string_view title, int maxLen, char inputClass, char editMode)
{
    const ColumnAttributes a = columnAttributes(title);
    EXPECT_EQ(a.maxLen, maxLen) << title;
    EXPECT_EQ(a.inputClass, inputClass) << title;
    EXPECT_EQ(a.editMode, editMode) << title;
}

TEST(ColumnAttributes, TitlesMatchExactly)
{
    expectAttributes("Sheet File Name", 18, 'X', 'L');
    expectAttributes("Kerf", 5, 'R', 'T');
    expectAttributes("Orn", 1, 'O', 'T');
    expectAttributes("qty", 0, 0, 0);
    expectAttributes("Qty ", 0, 0, 0);
    expectAttributes("Sr", 0, 0, 0);
    expectAttributes("", 0, 0, 0);
}

TEST(HeaderFormat, PadsEachTitleAndRightAlignsFiles)
{
    EXPECT_EQ(headerFormat({"Sheet File Name", "Qty", "Pri"}),
              "<Sr   |>Sheet File Name        |<Qty        |<Pri     ");
    // A title longer than its padding gets none; an unknown title pads to 3 + 5.
    EXPECT_EQ(headerFormat({"Left Height", "Unknown"}), "<Sr   |<Left Height |<Unknown ");
    EXPECT_EQ(headerFormat({}), "<Sr   ");
}

TEST(HeaderFormat, WidthsFollowThePaddedTitles)
{
    EXPECT_EQ(columnWidthChars("Sheet File Name"), 23);
    EXPECT_EQ(columnWidthChars("Orn"), 8);
    EXPECT_EQ(columnWidthChars("REPORT"), 81);
    EXPECT_EQ(columnWidthChars("A Very Long Unknown Title"), 25);
    TextGrid grid({"Part File Name", "Qty", "Note"});
    applyColumnWidths(grid);
    EXPECT_EQ(grid.colWidths, (std::vector<int>{5, 23, 11, 25}));
    EXPECT_TRUE(rightAligned("Part File Name"));
    EXPECT_TRUE(rightAligned("FileName"));
    EXPECT_FALSE(rightAligned("Qty"));
}

} // namespace
} // namespace dravenor
