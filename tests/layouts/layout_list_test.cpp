#include <gtest/gtest.h>

#include "layouts/layout_list.h"

using namespace dravenor;

namespace {

NestingState layoutsWithQuantities(const std::vector<std::int32_t>& qtys)
{
    NestingState state;
    for (size_t i = 0; i < qtys.size(); ++i)
        for (int instance : {1, 2, 0}) {
            LayoutEntity e;
            e.LayoutNo = static_cast<std::int32_t>(i + 1);
            e.Instance = instance;
            e.Qty = qtys[i];
            state.entities.push_back(e);
        }
    return state;
}

} // namespace

TEST(LayoutList, OneLinePerLayoutWithTheHighestNumberAndTheQuantity)
{
    const std::vector<std::string> lines = layoutListEntries(layoutsWithQuantities({2, 1, 4}));
    EXPECT_EQ(lines, (std::vector<std::string>{"1/3  [QTY 2]", "2/3  [QTY 1]", "3/3  [QTY 4]"}));
    EXPECT_TRUE(layoutListEntries(NestingState{}).empty());
}

TEST(LayoutList, TheNumberOfALineIsWhatStandsBeforeTheSlash)
{
    EXPECT_EQ(layoutNumberOfEntry("12/15  [QTY 3]"), 12);
    EXPECT_EQ(layoutNumberOfEntry("7"), 7);
    EXPECT_EQ(layoutNumberOfEntry(""), 0);
    for (const std::string& line : layoutListEntries(layoutsWithQuantities({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1})))
        EXPECT_EQ(line.substr(0, line.find('/')), std::to_string(layoutNumberOfEntry(line)));
}
