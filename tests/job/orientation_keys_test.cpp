// Typing into an "Orn" cell: the first letter of a value chooses it and the rest of its letters
// keep it (typing "No" gives "No", not the value two steps on); every other key steps through
// the values as before.
#include <gtest/gtest.h>

#include "job/cell_editing.h"
#include "job/key_rules.h"
#include "job/part_rules.h"

namespace dravenor {
namespace {

TEST(OrientationKeys, AFirstLetterChoosesItsValueAndOtherKeysStep)
{
    struct Case { const char* text; int key; std::string expected; };
    const Case cases[] = {
        {"", 'N', "No"}, {"", 'n', "No"}, {"step90", 'N', "No"}, {"No", 'N', "No"},
        {"", 's', "step90"}, {"No", 'S', "step90"}, {"step90", 'S', "step180"}, {"step180", 's', "step90"},
        {"No", 'x', nextOrientation("No")}, {"step90", KeyEnter, nextOrientation("step90")},
        {"", '1', "No"}, {"No", 'o', "No"}, {"step90", '9', "step90"}, {"step90", 'x', nextOrientation("step90")},
    };
    for (const Case& c : cases) EXPECT_EQ(orientationForKey(c.text, c.key), c.expected) << c.text << " + " << char(c.key);
}

TEST(OrientationKeys, TypingAWholeValueEndsOnIt)
{
    struct NoHost : GridEditHost {
        bool beforeChange(int) override { return true; }
        std::vector<std::string> chooseFiles(const TextGrid&, bool) override { return {}; }
    } host;
    TextGrid grid({"Part File Name", "Qty", "Pri", "Orn"});
    grid.setRows(2);
    grid.row = 1;
    grid.col = 4;
    // Every value typed out in full ends on itself.
    std::string value = nextOrientation("");
    for (int i = 0; i < 16 && !value.empty(); ++i, value = nextOrientation(value)) {
        grid.setText(1, 4, "");
        for (char k : value) pressKey(grid, k, host, {});
        EXPECT_EQ(grid.text(1, 4), value);
    }
}

} // namespace
} // namespace dravenor
