#include "job/cell_editing.h"

#include <gtest/gtest.h>

#include <functional>

#include "job/job.h"
#include "support/grid_rows.h"
#include "support/scripted_edit_host.h"

namespace dravenor {
namespace {

using testing::ScriptedEditHost;
using Rows = std::vector<std::vector<std::string>>;

const GridEditOptions plainGrid{};
const GridEditOptions mainWindowGrid{true, true};

void type(TextGrid& grid, const std::string& keys, GridEditHost& host, const GridEditOptions& options = plainGrid)
{
    for (char key : keys) pressKey(grid, static_cast<unsigned char>(key), host, options);
}

TextGrid gridAt(const std::vector<std::string>& titles, int col)
{
    TextGrid grid(titles);
    grid.row = 1;
    grid.col = col;
    return grid;
}

TEST(TypedText, EachColumnKeepsOnlyWhatItsClassAllows)
{
    struct Case {
        std::vector<std::string> titles;
        int col;
        std::string keys, expected;
    };
    const Case cases[] = {
        {basicDetailsTitles(), 1, "st37-x", "ST37-X"},                    // upper case
        {basicDetailsTitles(), 6, "a, \"b\"~\t\xc8", "A B~"},             // no comma, quote or control
        {basicDetailsTitles(), 6, std::string(25, 'n'), std::string(20, 'N')},
        {partGridTitles(), 3, "12345", "123"},                            // Pri: three digits
        {partGridTitles(), 2, "123456789", "123456"},                     // Qty: six digits
        {sheetGridTitles(), 2, "-1.5e2", "152"},                          // whole numbers: digits only
        {basicDetailsTitles(), 4, "-2.5.199", "2.519"},                   // Kerf: one point, no sign, five long
        {{"X1"}, 1, "-1-2.5.-", "-12.5"},                                 // '-' only first
        {{"Whatever"}, 1, "1a", ""},                                      // unknown title
        {{"REPORT"}, 1, "1a\b", ""},
    };
    for (const Case& c : cases) {
        ScriptedEditHost host;
        TextGrid grid = gridAt(c.titles, c.col);
        type(grid, c.keys, host);
        EXPECT_EQ(grid.text(1, c.col), c.expected) << grid.title(c.col) << " <- " << c.keys;
        // Typed in one go, the text is taken only when the grid would keep every key.
        const TypedText once = typeIntoEmptyCell(grid.title(c.col), c.keys);
        EXPECT_EQ(once.refusal.empty(), c.expected.size() == c.keys.size()) << c.keys << ": " << once.refusal;
        if (once.refusal.empty()) {
            EXPECT_EQ(once.text, c.expected);
        }
    }
}

TEST(Orientation, AnyKeyStepsThroughTheThreeValuesAndBackspaceRemoves)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 4);
    std::vector<std::string> seen;
    for (int key : {int('x'), int(KeyEnter), int('1'), int('a')}) {
        EXPECT_EQ(pressKey(grid, key, host, plainGrid), KeyOutcome::Stepped);
        seen.push_back(grid.text(1, 4));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"No", "step90", "", "No"}));
    EXPECT_EQ(pressKey(grid, KeyBackspace, host, plainGrid), KeyOutcome::Removed);
    EXPECT_EQ(grid.text(1, 4), "N");
    // Text that is none of the three values is left alone by other keys.
    EXPECT_EQ(pressKey(grid, 'a', host, plainGrid), KeyOutcome::Consumed);
    EXPECT_EQ(grid.text(1, 4), "N");
}

TEST(ResultProtection, DeclinedChangeLeavesTheCellAlone)
{
    ScriptedEditHost host;
    host.allowChange = false;
    TextGrid grid = gridAt(sheetGridTitles(), 2);
    grid.setText(1, 2, "5");
    EXPECT_EQ(pressKey(grid, '7', host, mainWindowGrid), KeyOutcome::Declined);
    EXPECT_EQ(pressKey(grid, KeyBackspace, host, mainWindowGrid), KeyOutcome::Declined);
    EXPECT_EQ(pressDelete(grid, host, mainWindowGrid), KeyOutcome::Declined);
    grid.col = 1;
    EXPECT_EQ(pressKey(grid, KeyEnter, host, mainWindowGrid), KeyOutcome::Declined);
    EXPECT_EQ(testing::cellsOf(grid), (Rows{{"1", "", "5", ""}}));
    EXPECT_TRUE(host.fileRequests.empty());
    EXPECT_EQ(host.askedKeys, (std::vector<int>{'7', KeyBackspace, KeyDelete, KeyEnter}));
}

TEST(FileColumn, AnyKeyAsksForFilesAndAppendsThemInOrder)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 1);
    host.fileAnswers = {{"/plates/A.shp", "/plates/b.dxf"}, {"/plates/C, wide.shp"}};
    EXPECT_EQ(pressKey(grid, KeyEnter, host, mainWindowGrid), KeyOutcome::FilesChosen);
    grid.row = 1; // the selection appends whatever row is current
    pressKey(grid, KeyBackspace, host, mainWindowGrid);
    EXPECT_EQ(pressKey(grid, 'z', host, mainWindowGrid), KeyOutcome::Consumed); // cancelled
    EXPECT_EQ(testing::cellsOf(grid), (Rows{{"1", "/plates/A.shp", "", ""},
                                  {"2", "/plates/b.dxf", "", ""},
                                  {"3", "/plates/C, wide.shp", "", ""},
                                  {"4", "", "", ""}}));
    EXPECT_EQ(grid.row, 3) << "the last filled row becomes current";
    EXPECT_EQ(host.fileRequests, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(host.fileCellChanges, 3) << "the preview follows every key on a file cell";
}

// Outside the main window one chosen file replaces the cell; text typed into the last row of an
// entry-row grid appends one numbered blank row.
TEST(FileColumn, SingleSelectionReplacesTheCellAndTypingAppendsTheEntryRow)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt({"File Name", "Qty"}, 1);
    grid.setRows(4);
    grid.setText(1, 1, "/old.shp");
    host.fileAnswers.push_back({"/New Folder/Part.DXF"});
    EXPECT_EQ(pressKey(grid, KeyEnter, host, plainGrid), KeyOutcome::FilesChosen);
    EXPECT_EQ(grid.text(1, 1), "/New Folder/Part.DXF");
    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(host.fileRequests, std::vector<bool>{false});

    TextGrid parts = gridAt(partGridTitles(), 2);
    type(parts, "42", host, mainWindowGrid);
    EXPECT_EQ(testing::cellsOf(parts), (Rows{{"1", "", "42", "", ""}, {"2", "", "", "", ""}}));
}

TEST(DeleteKey, FileRowClosesTheGapOtherColumnsOnlyClear)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 1);
    host.fileAnswers.push_back({"/s/one.shp", "/s/two.shp", "/s/three.shp"});
    pressKey(grid, KeyEnter, host, mainWindowGrid);
    for (int r = 1; r <= 3; ++r) grid.setText(r, 2, std::to_string(r));
    grid.setText(3, 3, "9");
    std::tie(grid.row, grid.col) = std::pair(1, 2);
    EXPECT_EQ(pressDelete(grid, host, mainWindowGrid), KeyOutcome::Cleared);
    std::tie(grid.row, grid.col) = std::pair(2, 1);
    EXPECT_EQ(pressDelete(grid, host, mainWindowGrid), KeyOutcome::Cleared);
    EXPECT_EQ(testing::cellsOf(grid), (Rows{{"1", "/s/one.shp", "", ""}, {"2", "/s/three.shp", "3", "9"}, {"3", "", "", ""}}));
    EXPECT_EQ(host.fileCellChanges, 2);
}

TEST(EscapeKey, PutsBackWhatWasTypedIntoTheCurrentCellAndNeverTouchesAnythingElse)
{
    struct Case {
        const char* what;
        std::function<void(TextGrid&, ScriptedEditHost&)> before;
        KeyOutcome outcome;
        std::string qty;
        std::vector<int> asked; // keys the host saw, Esc last when it was asked
    };
    const auto typed = [](const char* keys) {
        return [keys](TextGrid& grid, ScriptedEditHost& host) { type(grid, keys, host, mainWindowGrid); };
    };
    const Case cases[] = {
        {"nothing typed", [](TextGrid&, ScriptedEditHost&) {}, KeyOutcome::Consumed, "5", {}},
        {"keys typed", typed("7\b0"), KeyOutcome::Restored, "5", {'7', KeyBackspace, '0', KeyEscape}},
        {"delete", [](TextGrid& g, ScriptedEditHost& h) { pressDelete(g, h, mainWindowGrid); }, KeyOutcome::Restored,
         "5", {KeyDelete, KeyEscape}},
        {"the cell was left", [&](TextGrid& g, ScriptedEditHost& h) { typed("7")(g, h); forgetTypedCell(g); },
         KeyOutcome::Consumed, "57", {'7'}},
        {"changed since by a command", [&](TextGrid& g, ScriptedEditHost& h) { typed("7")(g, h); g.setText(1, 2, "8"); },
         KeyOutcome::Consumed, "8", {'7'}},
        {"change declined", [&](TextGrid& g, ScriptedEditHost& h) { typed("7")(g, h); h.allowChange = false; },
         KeyOutcome::Declined, "57", {'7', KeyEscape}},
    };
    for (const Case& c : cases) {
        ScriptedEditHost host;
        TextGrid grid = gridAt(sheetGridTitles(), 2);
        grid.setText(1, 1, "/s/a.shp");
        grid.setText(1, 2, "5");
        grid.ensureEntryRow();
        c.before(grid, host);
        EXPECT_EQ(pressKey(grid, KeyEscape, host, mainWindowGrid), c.outcome) << c.what;
        EXPECT_EQ(grid.text(1, 2), c.qty) << c.what;
        EXPECT_EQ(host.askedKeys, c.asked) << c.what;
    }
    // On a file cell Esc asks for no files.
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 1);
    EXPECT_EQ(pressKey(grid, KeyEscape, host, mainWindowGrid), KeyOutcome::Consumed);
    EXPECT_TRUE(host.fileRequests.empty());
    EXPECT_TRUE(host.askedKeys.empty());
}

} // namespace
} // namespace dravenor
