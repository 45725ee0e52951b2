#include "job/column_attributes.h"

#include <gtest/gtest.h>

namespace dravenor {
namespace {

TEST(ColumnAttributes, TitlesMatchExactlyAndSetTheWidths)
{
    struct Case {
        const char* title;
        int maxLen;
        char inputClass, editMode;
    };
    const Case cases[] = {{"Sheet File Name", 18, 'X', 'L'}, {"Kerf", 5, 'R', 'T'}, {"Orn", 1, 'O', 'T'},
                          {"QTY", 6, 'L', 'T'}, {"qty", 0, 0, 0}, {"Qty ", 0, 0, 0}, {"", 0, 0, 0}};
    for (const Case& c : cases) {
        const ColumnAttributes a = columnAttributes(c.title);
        EXPECT_EQ(a.maxLen, c.maxLen) << c.title;
        EXPECT_EQ(a.inputClass, c.inputClass) << c.title;
        EXPECT_EQ(a.editMode, c.editMode) << c.title;
    }
    // Padded titles; a title longer than its padding gets none, an unknown one pads to 3 + 5.
    EXPECT_EQ(headerFormat({"Sheet File Name", "Left Height", "Unknown"}),
              "<Sr   |>Sheet File Name        |<Left Height |<Unknown ");
    TextGrid grid({"Part File Name", "Qty", "Note", "REPORT"});
    applyColumnWidths(grid);
    EXPECT_EQ(grid.colWidths, (std::vector<int>{5, 23, 11, 25, 81}));
}

} // namespace
} // namespace dravenor
