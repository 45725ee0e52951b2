// Grids as files, as printed text, and the column table behind both; the number texts of their
// cells under the C and a decimal-comma locale; and undo and redo of a
// grid: each step back gives the grid as it was before that change, redo gives the changes again,
// and a new change after an undo forgets what was undone.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <optional>

#include "job/column_attributes.h"
#include "job/grid_file.h"
#include "job/grid_history.h"
#include "job/grid_print_text.h"
#include "job/number_format.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::cellsOf;
using testing::TempFolder;
using Items = std::vector<std::string>;

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

TEST(GridFile, EveryRowButTheEntryRowOrOnlyRowsWithTextAndBackAgain)
{
    TextGrid grid({"Sheet File Name", "Qty", "Pri"});
    grid.setRows(4);
    grid.setText(1, 1, "  /jobs/Plate, 1.shp ");
    grid.setText(1, 2, "3");
    grid.setText(3, 3, "7"); // the last row is never written in this mode
    EXPECT_EQ(gridToFileText(grid, false), "\"/jobs/Plate, 1.shp\",\"3\",\"\"\r\n\"\",\"\",\"\"\r\n");
    grid.setText(2, 1, "   "); // blanks are no text
    EXPECT_EQ(gridToFileText(grid, true), "\"/jobs/Plate, 1.shp\",\"3\",\"\"\r\n\"\",\"\",\"7\"\r\n");

    TempFolder temp;
    ASSERT_EQ(saveGridToFile(grid, temp.file("sheets.tlf"), true), "");
    TextGrid loaded({"Sheet File Name", "Qty", "Pri"});
    ASSERT_EQ(loadGridFromFile(loaded, temp.file("sheets.tlf")), "");
    EXPECT_EQ(cellsOf(loaded), (std::vector<Items>{{"1", "/jobs/Plate, 1.shp", "3", ""}, {"2", "", "", "7"},
                                                    {"3", "", "", ""}}));
    EXPECT_EQ(temp.entries(), Items{"sheets.tlf"});
    // A cell a grid file cannot hold is refused and the previous file stays.
    grid.setText(2, 1, "say \"hi\"");
    const std::string error = saveGridToFile(grid, temp.file("sheets.tlf"), false);
    EXPECT_NE(error.find(temp.file("sheets.tlf")), std::string::npos) << error;
    EXPECT_NE(error.find("double quote"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(temp.file("sheets.tlf")), "\"/jobs/Plate, 1.shp\",\"3\",\"\"\r\n\"\",\"\",\"7\"\r\n");
}

TEST(GridFile, ReadsUnquotedLfAndItemsSplitOverLinesAndMissingFilesAsEmpty)
{
    TempFolder temp;
    TextGrid grid({"X1", "Y1", "X2", "Y2", "CX", "CY", "RAD", "Nstart", "Nend"});
    const std::string path = temp.write("mixed.shp", "0,0,100,0,0,0,0,0,0\n"
                                                     "\"0\",\"0\",\"0\",\"0\",\"50\"\r\n\"50\",\"25\",\"0\",\"0\"\r\n");
    ASSERT_EQ(loadGridFromFile(grid, path), "");
    // Three lines give five rows even though the second entity spans two of them.
    EXPECT_EQ(cellsOf(grid), (std::vector<Items>{{"1", "0", "0", "100", "0", "0", "0", "0", "0", "0"},
                                                  {"2", "0", "0", "0", "0", "50", "50", "25", "0", "0"},
                                                  {"3", "", "", "", "", "", "", "", "", ""},
                                                  {"4", "", "", "", "", "", "", "", "", ""}}));
    EXPECT_EQ(loadGridFromFile(grid, temp.file("gone.shp")), "");
    EXPECT_EQ(cellsOf(grid), (std::vector<Items>{{"1", "", "", "", "", "", "", "", "", ""}}));
    grid.setText(1, 1, "old");
    EXPECT_EQ(loadGridFromFile(grid, temp.folder()), "cannot read " + temp.folder() + ": is a folder");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_FALSE(grid.rowHasText(1));

    TextGrid density({"Mat", "Density"});
    density.tag = temp.write("density.dat", "\"ST\",\"7.85\",\"AL\",\"2.7\",\"CU\",\"8.9\"\r\n");
    ASSERT_EQ(loadGridFromTagFile(density), "");
    EXPECT_EQ(cellsOf(density), (std::vector<Items>{{"1", "ST", "7.85"}, {"2", "AL", "2.7"}, {"3", "CU", "8.9"},
                                                     {"4", "", ""}}));
}

// Padded titles (what may be typed into each column is checked by typing into it); a title
// longer than its padding gets one blank, an unknown one pads to 3 + 5.
TEST(ColumnAttributes, TitlesSetTheWidths)
{
    TextGrid grid({"Part File Name", "Qty", "Note", "REPORT", "Left Height", "Unknown"});
    applyColumnWidths(grid);
    EXPECT_EQ(grid.colWidths, (std::vector<int>{5, 23, 11, 25, 81, 12, 8}));
}

// Each printed column takes the wider of its title and its typing limit, plus two; hidden
// columns are left out; a number longer than its column runs on, set off by a blank.
TEST(GridPrintText, ColumnsHeaderAndRows)
{
    TextGrid sheets({"Sheet File Name", "Qty", "Pri"});
    sheets.colWidths = {5, 40, 10, 10};
    const std::vector<int> positions = gridPrintPositions(sheets);
    EXPECT_EQ(positions, (std::vector<int>{1, 1 + 18 + 2, 1 + 18 + 2 + 6 + 2}));
    sheets.setText(1, 2, "12");
    sheets.setText(1, 3, "1");
    EXPECT_EQ(gridPrintLine(sheets, 1, positions), std::string(20, ' ') + "12      1");

    TextGrid shape({"X1", "Y1", "X2"});
    shape.colWidths = {5, 9, 0, 9};
    const std::vector<int> shown = gridPrintPositions(shape);
    EXPECT_EQ(shown, (std::vector<int>{1, 0, 10}));
    shape.setText(1, 1, "5");
    shape.setText(1, 2, "hidden");
    shape.setText(1, 3, "-7.5");
    EXPECT_EQ(gridPrintLine(shape, 1, shown), "5        -7.5");
    shape.setText(1, 1, "260.865544");
    EXPECT_EQ(gridPrintLine(shape, 1, shown), "260.865544 -7.5");

    const TextGrid titled({"X1", "Y1"});
    EXPECT_EQ(gridPrintHeader(titled, "/jobs/parts/flange.shp", "06-12-2026", "Shape Editor", true),
              (Items{"", "File: flange.shp", "Date: 06-12-2026", "", "Shape Editor", "", "X1       Y1"}));
    EXPECT_EQ(gridPrintHeader(titled, "", "06-12-2026", "Report", false), (Items{"", "Date: 06-12-2026", "", "Report", ""}));
}

// A one-cell grid holding the text.
TextGrid holding(const std::string& text)
{
    TextGrid grid({"Note"});
    grid.setRows(2);
    grid.setText(1, 1, text);
    return grid;
}

TEST(GridHistory, UndoAndRedoWalkTheChangesANewChangeForgetsTheUndoneAndTheDepthIsFixed)
{
    GridHistory history;
    TextGrid grid = holding("a");
    EXPECT_FALSE(history.undo(grid) || history.redo(grid));
    // Each step: the operation ('c' a change to the text given, 'u' undo, 'r' redo), what it
    // returns and the text the grid then holds.
    struct Step { char op; std::string text; bool done; std::string after; };
    const Step steps[] = {
        {'c', "b", true, "b"}, {'c', "c", true, "c"}, {'u', "", true, "b"}, {'u', "", true, "a"},
        {'u', "", false, "a"}, {'r', "", true, "b"}, {'r', "", true, "c"},  {'r', "", false, "c"},
        {'u', "", true, "b"},  {'c', "d", true, "d"}, {'r', "", false, "d"}, {'u', "", true, "b"},
        {'u', "", true, "a"},
    };
    for (const Step& s : steps) {
        bool done = true;
        if (s.op == 'c') {
            history.record(grid);
            grid.setText(1, 1, s.text);
        } else {
            done = s.op == 'u' ? history.undo(grid) : history.redo(grid);
        }
        EXPECT_EQ(std::pair(done, grid.text(1, 1)), std::pair(s.done, s.after)) << s.op << " " << s.text;
    }
    // It reaches back a fixed number of changes.
    history.clear();
    EXPECT_FALSE(history.canUndo() || history.canRedo());
    for (size_t i = 1; i <= GridHistory::kDepth + 5; ++i) {
        history.record(grid);
        grid.setText(1, 1, std::to_string(i));
    }
    size_t undone = 0;
    while (history.undo(grid)) ++undone;
    EXPECT_EQ(std::pair(undone, grid.text(1, 1)), std::pair(GridHistory::kDepth, std::string("5")));
}

// Every case runs under the C locale and under a decimal-comma one, set for the C library (as a
// desktop program gets it) and as the C++ global locale.
class NumberText : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, GetParam())) GTEST_SKIP() << GetParam() << " is not installed (scripts/setup.sh makes it)";
        std::locale::global(std::locale(GetParam()));
        char printed[8];
        std::snprintf(printed, sizeof printed, "%g", 2.5);
        ASSERT_STREQ(printed, std::string(GetParam()) == "C" ? "2.5" : "2,5");
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};
INSTANTIATE_TEST_SUITE_P(Locales, NumberText, ::testing::Values("C", "de_DE.UTF-8"),
                         [](const auto& info) { return std::string(info.index == 0 ? "C" : "DecimalComma"); });

TEST_P(NumberText, GeneralFormatIsTheShortestTextUpToFifteenDigits)
{
    const std::pair<double, const char*> cases[] = {
        {0.5, "0.5"},          {-12, "-12"},        {1234.125, "1234.125"},   {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},           {-2.0 / 3.0 * 1000, "-666.666666666667"},
        {1e14, "100000000000000"}, {0.00025, "0.00025"}, {-0.0, "0"},      {99.99999999999999, "100"},
        {1.5e20, "1.5E+20"},   {-2e-7, "-2E-07"},
    };
    for (auto [value, text] : cases) EXPECT_EQ(formatGeneral(value), text) << value;
    for (double value : {1.5e20, -2e-7, 123456.789012345, -0.000123})
        EXPECT_DOUBLE_EQ(leadingNumber(formatGeneral(value)), value) << value;
}

TEST_P(NumberText, MasksOfTheProgramRoundHalvesAwayFromZero)
{
    struct Case { double value; const char* mask; const char* expected; };
    const Case cases[] = {
        {0.5, ".00", ".50"},           {12.5, ".00", "12.50"},        {0, ".00", ".00"},
        {0.5, "##.###", ".5"},         {12.3456, "##.###", "12.346"}, {0, "##.###", "."},
        {12, "##.###", "12."},         {3.456, "#######.##", "3.46"}, {0, "#######.##", "."},
        {12.5, "00000.00", "00012.50"}, {-3, "00000.00", "-00003.00"}, {123456.789, "00000.00", "123456.79"},
        {7.25, "0", "7"},              {1234.5678, "0.00", "1234.57"},
        {2.5, "0", "3"},               {-2.5, "0", "-3"},             {0.125, "0.00", "0.13"},
        // Binary neighbours just below the half still round as their decimal text reads.
        {2.675, "0.00", "2.68"},       {1.005, "0.00", "1.01"},       {99999.996, "00000.00", "100000.00"},
        // Zero after rounding has no sign.
        {-0.001, "0.00", "0.00"},      {-0.0, "00000.00", "00000.00"}, {-0.4, "0", "0"},
        {-0.006, "0.00", "-0.01"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatMask(c.value, c.mask), c.expected) << c.value << " " << c.mask;
}

TEST(WholeNumbers, HalvesGoToTheEvenNeighbourClampedToThirtyTwoBits)
{
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 2},   {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {2.4999, 2}, {2.5001, 3},
        {1e12, std::numeric_limits<std::int32_t>::max()}, {-1e12, std::numeric_limits<std::int32_t>::min()},
        {std::nan(""), 0}, {2147483647.4, 2147483647},
    };
    for (auto [value, whole] : cases) EXPECT_EQ(toWhole(value), whole) << value;
    EXPECT_EQ(roundHalfEven(1e15 + 0.5), 1e15);
}

TEST_P(NumberText, LeadingNumberReadsTheLongestNumericStart)
{
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12}, {".", 0},   {"-.5", -0.5}, {"  7.25 mm", 7.25}, {"+4", 4},  {"1.2.3", 1.2},
        {"1,5", 1},    {"1e3", 1000}, {"2E-2x", 0.02}, {"1e", 1},      {"1e+", 1}, {"5 e3", 5},
        {"", 0},       {"abc", 0}, {"--4", 0},    {"-", 0},
    };
    for (auto [text, value] : cases) EXPECT_EQ(leadingNumber(text), value) << text;
    EXPECT_EQ(leadingNumber("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(leadingNumber("0.0001e-400"), 0);
    // Whole-text numbers (the batch tool's options): nothing else may follow or precede.
    const std::pair<const char*, std::optional<double>> whole[] = {
        {"2.5", 2.5}, {"+4", 4}, {"5.", 5}, {"1e-999", 0}, {"1,5", {}}, {" 2.5", {}}, {"2.5 ", {}}, {"", {}},
        {"0x10", {}}, {"inf", {}}, {"1e999", {}}, {"2.5mm", {}},
    };
    for (auto [text, value] : whole) EXPECT_EQ(numberFromText(text), value) << text;
}

} // namespace
} // namespace dravenor
