#include "job/cell_editing.h"

#include <gtest/gtest.h>

#include "job/job.h"
#include "support/scripted_edit_host.h"

namespace dravenor {
namespace {

using test::ScriptedEditHost;
using Rows = std::vector<std::vector<std::string>>;

const GridEditOptions plainGrid{};
const GridEditOptions mainWindowGrid{true, true};

// Presses each character of the text on the current cell.
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

// Columns 0..Cols-1 of every data row.
Rows rowsOf(const TextGrid& grid)
{
    Rows rows;
    for (int r = 1; r < grid.rows(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < grid.cols(); ++c) row.push_back(grid.text(r, c));
        rows.push_back(row);
    }
    return rows;
}

TEST(TypedText, LettersAreStoredInUpperCase)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(basicDetailsTitles(), 1);
    type(grid, "st37-x", host);
    EXPECT_EQ(grid.text(1, 1), "ST37-X");
}

TEST(TypedText, TextColumnsRefuseCommaAndDoubleQuote)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(basicDetailsTitles(), 6);
    EXPECT_EQ(pressKey(grid, ',', host, plainGrid), KeyOutcome::Consumed);
    EXPECT_EQ(pressKey(grid, '"', host, plainGrid), KeyOutcome::Consumed);
    type(grid, "a, \"b\"~", host);
    EXPECT_EQ(grid.text(1, 6), "A B~");
    pressKey(grid, 9, host, plainGrid);   // tab
    pressKey(grid, 200, host, plainGrid); // beyond printable ASCII
    EXPECT_EQ(grid.text(1, 6), "A B~");
}

TEST(TypedText, LengthLimitsPerColumn)
{
    ScriptedEditHost host;
    TextGrid parts = gridAt(partGridTitles(), 3);
    type(parts, "12345", host);
    EXPECT_EQ(parts.text(1, 3), "123") << "Pri takes three digits";
    parts.col = 2;
    type(parts, "123456789", host);
    EXPECT_EQ(parts.text(1, 2), "123456") << "Qty takes six digits";
    TextGrid basic = gridAt(basicDetailsTitles(), 6);
    type(basic, std::string(25, 'n'), host);
    EXPECT_EQ(basic.text(1, 6), std::string(20, 'N'));
}

TEST(TypedText, WholeNumberColumnsTakeDigitsOnly)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 2);
    type(grid, "-1.5e2", host);
    EXPECT_EQ(grid.text(1, 2), "152");
}

TEST(TypedText, UnsignedDecimalTakesOnePointAndNoSign)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(basicDetailsTitles(), 4); // Kerf
    type(grid, "-2.5.1", host);
    EXPECT_EQ(grid.text(1, 4), "2.51");
    type(grid, "99", host);
    EXPECT_EQ(grid.text(1, 4), "2.519") << "Kerf holds five characters";
}

TEST(TypedText, SignedDecimalTakesMinusOnlyFirst)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt({"X1", "Y1"}, 1);
    type(grid, "-1-2.5.-", host);
    EXPECT_EQ(grid.text(1, 1), "-12.5");
    grid.col = 2;
    type(grid, "3-", host);
    EXPECT_EQ(grid.text(1, 2), "3");
}

TEST(TypedText, UnknownTitleAndReportColumnTakeNothing)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt({"Whatever", "REPORT"}, 1);
    type(grid, "1a", host);
    grid.col = 2;
    type(grid, "1a", host);
    pressKey(grid, KeyBackspace, host, plainGrid);
    EXPECT_FALSE(grid.rowHasText(1));
}

TEST(Orientation, AnyKeyStepsThroughTheThreeValues)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 4);
    EXPECT_EQ(pressKey(grid, 'x', host, plainGrid), KeyOutcome::Stepped);
    EXPECT_EQ(grid.text(1, 4), "No");
    pressKey(grid, KeyEnter, host, plainGrid);
    EXPECT_EQ(grid.text(1, 4), "step90");
    pressKey(grid, '1', host, plainGrid);
    EXPECT_EQ(grid.text(1, 4), "");
    type(grid, "abc", host);
    EXPECT_EQ(grid.text(1, 4), "");
}

TEST(Orientation, BackspaceRemovesACharacterInsteadOfStepping)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 4);
    grid.setText(1, 4, "No");
    EXPECT_EQ(pressKey(grid, KeyBackspace, host, plainGrid), KeyOutcome::Removed);
    EXPECT_EQ(grid.text(1, 4), "N");
    // Text that is none of the three values is left alone by other keys.
    EXPECT_EQ(pressKey(grid, 'a', host, plainGrid), KeyOutcome::Consumed);
    EXPECT_EQ(grid.text(1, 4), "N");
    EXPECT_EQ(nextOrientation("STEP90"), "STEP90");
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
    EXPECT_EQ(grid.text(1, 2), "5");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_TRUE(host.fileRequests.empty());
    EXPECT_EQ(host.askedKeys, (std::vector<int>{'7', KeyBackspace, KeyDelete, KeyEnter}));
}

TEST(EntryRow, TextInTheLastRowAppendsANumberedBlankRow)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 2);
    type(grid, "4", host, mainWindowGrid);
    ASSERT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.text(2, 0), "2");
    EXPECT_FALSE(grid.rowHasText(2));
    type(grid, "2", host, mainWindowGrid);
    EXPECT_EQ(grid.rows(), 3) << "only one blank row is added";
    EXPECT_EQ(host.fileCellChanges, 0);
}

TEST(FileColumn, MultipleSelectionAppendsEveryFileInOrder)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 1);
    host.fileAnswers.push_back({"/plates/A.shp", "/plates/b.dxf"});
    EXPECT_EQ(pressKey(grid, KeyEnter, host, mainWindowGrid), KeyOutcome::FilesChosen);
    host.fileAnswers.push_back({"/plates/C, wide.shp"});
    grid.row = 1; // the selection appends whatever row is current
    pressKey(grid, 'z', host, mainWindowGrid);
    EXPECT_EQ(rowsOf(grid), (Rows{{"1", "/plates/A.shp", "", ""},
                                  {"2", "/plates/b.dxf", "", ""},
                                  {"3", "/plates/C, wide.shp", "", ""},
                                  {"4", "", "", ""}}));
    EXPECT_EQ(grid.row, 3) << "the last filled row becomes current";
    EXPECT_EQ(host.fileRequests, (std::vector<bool>{true, true}));
    EXPECT_EQ(host.fileCellChanges, 2);
}

TEST(FileColumn, CancelledSelectionAddsNothing)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 1);
    EXPECT_EQ(pressKey(grid, KeyEnter, host, mainWindowGrid), KeyOutcome::Consumed);
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_FALSE(grid.rowHasText(1));
}

TEST(FileColumn, BackspaceAsksForFilesToo)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 1);
    grid.setText(1, 1, "/parts/p.shp");
    grid.ensureEntryRow();
    host.fileAnswers.push_back({"/parts/q.shp"});
    pressKey(grid, KeyBackspace, host, mainWindowGrid);
    EXPECT_EQ(grid.text(1, 1), "/parts/p.shp");
    EXPECT_EQ(grid.text(2, 1), "/parts/q.shp");
    EXPECT_EQ(grid.rows(), 4);
}

TEST(FileColumn, SingleSelectionReplacesTheCell)
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
    EXPECT_EQ(grid.row, 2);
}

TEST(DeleteKey, MiddleFileRowClosesTheGap)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 1);
    host.fileAnswers.push_back({"/s/one.shp", "/s/two.shp", "/s/three.shp"});
    pressKey(grid, KeyEnter, host, mainWindowGrid);
    grid.setText(1, 2, "1");
    grid.setText(2, 2, "2");
    grid.setText(3, 2, "3");
    grid.setText(3, 3, "9");
    grid.row = 2;
    grid.col = 1;
    EXPECT_EQ(pressDelete(grid, host, mainWindowGrid), KeyOutcome::Cleared);
    EXPECT_EQ(rowsOf(grid), (Rows{{"1", "/s/one.shp", "1", ""},
                                  {"2", "/s/three.shp", "3", "9"},
                                  {"3", "", "", ""}}));
    EXPECT_EQ(host.fileCellChanges, 2);
}

TEST(DeleteKey, OtherColumnsOnlyClearTheCell)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 2);
    grid.setRows(4);
    grid.setText(1, 1, "/p/a.shp");
    grid.setText(1, 2, "5");
    grid.setText(2, 2, "6"); // a row without a file stays until a file cell is deleted
    EXPECT_EQ(pressDelete(grid, host, mainWindowGrid), KeyOutcome::Cleared);
    EXPECT_EQ(grid.text(1, 2), "");
    EXPECT_EQ(grid.text(1, 1), "/p/a.shp");
    EXPECT_EQ(grid.rows(), 4);
}

TEST(RemoveEmptyRows, KeepsOrderAndLeavesOneEmptyRow)
{
    TextGrid grid(partGridTitles());
    grid.setRows(7);
    grid.setText(2, 1, "/a.shp");
    grid.setText(2, 4, "No");
    grid.setText(3, 2, "7"); // quantity without a file goes
    grid.setText(5, 1, "/b.shp");
    grid.setText(6, 1, "/c.shp");
    grid.row = 6;
    removeEmptyRows(grid);
    EXPECT_EQ(rowsOf(grid), (Rows{{"1", "/a.shp", "", "", "No"},
                                  {"2", "/b.shp", "", "", ""},
                                  {"3", "/c.shp", "", "", ""},
                                  {"4", "", "", "", ""}}));
    EXPECT_LT(grid.row, grid.rows());
    TextGrid empty(sheetGridTitles());
    empty.setRows(5);
    removeEmptyRows(empty);
    EXPECT_EQ(empty.rows(), 2);
}

} // namespace
} // namespace dravenor
