// The job the main window edits: a new job, the Deep Nesting settings as typed, the engine records
// built from its grids, the guard on its results, and typing into its grids' cells.
#include "job/job.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "job/cell_editing.h"
#include "job/deep_settings_input.h"
#include "job/grid_file.h"
#include "job/key_rules.h"
#include "job/part_rules.h"
#include "support/grid_rows.h"
#include "support/scripted_edit_host.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::cellsOf;
using testing::fillRow;
using testing::ScriptedEditHost;
using testing::TempFolder;
using Rows = std::vector<std::vector<std::string>>;

void addResults(Job& job)
{
    job.nesting.sheets.push_back(SheetEntry{"/s.shp", 1, 0, 0, 1});
    job.nesting.entities.push_back(LayoutEntity{});
    job.nesting.items.push_back(LayoutItem{});
}

TEST(NewJob, ResetEmptiesEverythingForgetsDeepSettingsAndHidesActKerf)
{
    Job job;
    fillRow(job.parts, 3, {"/p.shp", "3"});
    job.basic.colWidths[5] = 12;
    job.parts.row = 3;
    addResults(job);
    job.mode = NestingMode::Deep;
    job.deep.timeLimit = 5;
    job.jobFileName = "/jobs/Bracket.nst";
    job.modified = true;
    job.nesting.details.Kerf = 2;
    job.reset();
    EXPECT_EQ(std::pair(job.parts.rows(), job.parts.row), std::pair(2, 1));
    EXPECT_EQ(job.basic.colWidths[job.basic.columnOf("ActKerf")], 0);
    EXPECT_FALSE(job.hasLayouts() || !job.nesting.sheets.empty() || job.modified);
    EXPECT_EQ(std::pair(job.mode, job.deep), std::pair(NestingMode::Free, DeepSettings{}));
    EXPECT_EQ(std::pair(job.nesting.details.Kerf, job.jobFileName), std::pair(0.0, std::string()));
}

TEST(DeepSettingsInput, EachFieldReadsItsNumbersAndARecordNoRunCanUseIsNamedBeforeTheRun)
{
    struct Case { DeepField field; const char* text; double value; const char* error; };
    const char* const spacingRule = "the spacing must be a number from 0 up (empty: the kerf)";
    const char* const timeRule = "the time limit must be a number of seconds above 0";
    const Case cases[] = {
        {DeepField::Spacing, "", -1, ""},      {DeepField::Spacing, "2.5", 2.5, ""},
        {DeepField::Spacing, "0", 0, ""},      {DeepField::Spacing, "-1", 0, spacingRule},
        {DeepField::Spacing, "3mm", 0, spacingRule},
        {DeepField::Margin, "0", 0, ""},       {DeepField::Margin, "-0.5", 0, "the margin must be a number from 0 up"},
        {DeepField::Margin, "1,5", 1.5, ""},   {DeepField::Spacing, " 2,25 ", 2.25, ""},
        {DeepField::Margin, "1,5,0", 0, "the margin must be a number from 0 up"},
        {DeepField::Margin, "1.000,5", 0, "the margin must be a number from 0 up"},
        {DeepField::Margin, "", 0, "the margin must be a number from 0 up"},
        {DeepField::TimeLimit, "60", 60, ""},  {DeepField::TimeLimit, "0.5", 0.5, ""},
        {DeepField::TimeLimit, "0", 0, timeRule}, {DeepField::TimeLimit, "-5", 0, timeRule},
        {DeepField::TimeLimit, "abc", 0, timeRule}, {DeepField::TimeLimit, "1e999", 0, timeRule},
    };
    for (const Case& c : cases) {
        const DeepNumber read = readDeepField(c.field, c.text);
        EXPECT_EQ(read.error, c.error) << c.text;
        if (read.ok()) {
            EXPECT_EQ(read.value, c.value) << c.text;
        }
    }
    // A record no run can use is named before the run.
    const auto with = [](auto change) {
        DeepSettings s;
        change(s);
        return deepSettingsProblem(s).value_or("");
    };
    EXPECT_EQ(with([](DeepSettings&) {}), "");
    EXPECT_EQ(with([](DeepSettings& s) { s.timeLimit = 0; }), "The time limit must be a number of seconds above 0");
    EXPECT_EQ(with([](DeepSettings& s) { s.timeLimit = 0, s.iterations = 100; }), ""); // iterations stand in
    EXPECT_EQ(with([](DeepSettings& s) { s.margin = -1; }), "The margin must be a number from 0 up");
    EXPECT_EQ(with([](DeepSettings& s) { s.spacing = std::nan(""); }),
              "The spacing must be a number from 0 up (empty: the kerf)");
    EXPECT_EQ(effectiveSpacing(DeepSettings{}, 3), 3);
    EXPECT_EQ(effectiveSpacing(DeepSettings{.spacing = 1.5}, 3), 1.5);
    EXPECT_EQ(effectiveSpacing(DeepSettings{}, -2), 0);
}

// Basic details as text, numbers by their leading part; sheet and part records only from rows
// whose file exists and whose quantity rounds (half to even) above 0, paths keeping their case.
TEST(EngineRecords, CopiedFromTheGridsWhichStayAsTheyWere)
{
    TempFolder temp;
    const std::string plate = temp.write("Plate.SHP", "");
    const std::string strip = temp.write("strip.dxf", "");
    Job job;
    fillRow(job.basic, 1, {"ST37", "A 1", "10.5", "2.", "2.25", "Rush order"});
    const std::vector<std::vector<std::string>> sheets{{plate, "2.5", "1"},       {temp.file("gone.shp"), "4", "1"},
                                                       {strip, "0", "2"},         {strip, "0.5", ""},
                                                       {strip, "3.5", ""},        {temp.folder(), "1", ""}};
    for (size_t r = 0; r < sheets.size(); ++r) fillRow(job.sheets, static_cast<int>(r) + 1, sheets[r]);
    fillRow(job.parts, 1, {plate, "10", "5", "step90", "yes"});
    fillRow(job.parts, 2, {plate, "0", "1", "No", "Yes"});
    fillRow(job.parts, 3, {temp.file("gone.shp"), "1", "", ""});
    fillRow(job.parts, 4, {strip, "2", "", "step180", ""});
    const std::string gridsBefore = gridToFileText(job.sheets, false) + gridToFileText(job.parts, false);
    job.nesting.parts = {PartEntry{}, PartEntry{}};
    copyGridsToRecords(job);

    const BasicDetails& d = job.nesting.details;
    EXPECT_EQ((std::vector<std::string>{d.Mat, d.Grade, d.Note}), (std::vector<std::string>{"ST37", "A 1", "Rush order"}));
    EXPECT_EQ((std::vector<double>{d.Thick, d.Kerf, d.ActKerf}), (std::vector<double>{10.5, 2, 2.25}));
    // File, Qty, Remaining and Pri of each record.
    std::vector<std::string> records;
    for (const SheetEntry& e : job.nesting.sheets)
        records.push_back(e.FileName + " " + std::to_string(e.Qty) + std::to_string(e.Remaining) + std::to_string(e.Pri));
    EXPECT_EQ(records, (std::vector<std::string>{plate + " 221", strip + " 440"}));
    ASSERT_EQ(job.nesting.parts.size(), 2u) << "the old records are replaced";
    const PartEntry& part = job.nesting.parts[0];
    EXPECT_EQ(std::tie(part.FileName, part.Orn, part.Qty, part.Remaining, part.Pri, part.Mirror),
              std::make_tuple(plate, "step90", 10, 10, 5, true));
    const PartEntry& half = job.nesting.parts[1];
    EXPECT_EQ(std::tie(half.FileName, half.Orn, half.Qty, half.Mirror), std::make_tuple(strip, "step180", 2, false));
    EXPECT_EQ(gridToFileText(job.sheets, false) + gridToFileText(job.parts, false), gridsBefore);
    fillRow(job.basic, 1, {"", "", "", ".", "", ""});
    EXPECT_EQ(readBasicDetails(job.basic).Kerf, 0);
}

TEST(ResultProtection, RefusalKeepsLayoutsAndWorkingFilesAcceptingDiscardsThem)
{
    TempFolder temp;
    temp.write("Report.tlf", "report");
    temp.write("keep.shp", "");
    Job job;
    addResults(job);
    int questions = 0;
    EXPECT_FALSE(protectResultsBeforeEdit(job, temp.folder(), [&] { ++questions; return false; }));
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(job.hasLayouts() && job.nesting.sheets.size() == 1 && !job.modified);
    EXPECT_EQ(temp.entries(), (std::vector<std::string>{"Report.tlf", "keep.shp"}));

    EXPECT_TRUE(protectResultsBeforeEdit(job, temp.folder(), [] { return true; }));
    EXPECT_TRUE(!job.hasLayouts() && job.nesting.sheets.empty() && job.modified);
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"keep.shp"});
    // Without layouts nothing is asked, but the working files still go.
    temp.write("Report.tlf", "report");
    EXPECT_TRUE(protectResultsBeforeEdit(job, temp.folder(), [] { return false; }));
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"keep.shp"});
}

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

// Typed key by key into a cell of the column, the keys its class refuses are left out; typed in
// one go into an empty cell, the text stops at the first refused key, which is named. A comma is
// the decimal point of number cells and refused with a word where it cannot belong.
TEST(TypedText, EachColumnKeepsOnlyWhatItsClassAllows)
{
    struct Case { const char* title; std::string keys, text, refusal, once; };
    const Case cases[] = {
        {"Mat", "st37-x", "ST37-X", "", "ST37-X"},                          // upper case
        {"Note", "a, \"b\"~\t\xc8", "A B~", "Note cannot hold a comma", "A"}, // no comma, quote or control
        {"Note", std::string(25, 'n'), std::string(20, 'N'), "longer than 20 characters", std::string(20, 'N')},
        {"Pri", "12345", "123", "longer than 3 characters", "123"},
        {"Qty", "123456789", "123456", "longer than 6 characters", "123456"},
        {"Qty", "-1.5e2", "152", "'-' cannot be typed into Qty", ""},    // whole numbers: digits only
        {"Kerf", "-2.5.199", "2.519", "'-' cannot be typed into Kerf", ""}, // one point, no sign, five long
        {"X1", "-1-2.5.-", "-12.5", "'-' cannot be typed into X1", "-1"},  // '-' only first
        {"Whatever", "1a", "", "Whatever is not typed", ""},               // unknown title
        {"qty", "12", "", "qty is not typed", ""},                         // titles match exactly
        {"Qty ", "12", "", "Qty  is not typed", ""},
        {"QTY", "1234567", "123456", "longer than 6 characters", "123456"},
        {"REPORT", "1a\b", "", "REPORT is not typed", ""},
        {"Thick", "12,5", "12.5", "", "12.5"},
        {"Kerf", ",5", ".5", "", ".5"},
        {"X1", "-3,25", "-3.25", "", "-3.25"},
        {"Kerf", "2,5,1", "2.51", "',' cannot be typed into Kerf", "2.5"}, // a second point
        {"Qty", "1,5", "15", "Qty takes whole numbers only: no decimal point or comma", "1"},
        {"Pri", "2.5", "25", "Pri takes whole numbers only: no decimal point or comma", "2"},
        {"Mat", "S,235", "S235", "Mat cannot hold a comma", "S"},
        {"Note", "a.b", "A.B", "", "A.B"},
    };
    for (const Case& c : cases) {
        ScriptedEditHost host;
        TextGrid grid = gridAt({c.title}, 1);
        type(grid, c.keys, host);
        const TypedText once = typeIntoEmptyCell(c.title, c.keys);
        EXPECT_EQ(std::tuple(grid.text(1, 1), once.refusal, once.text), std::tuple(c.text, c.refusal, c.once))
            << c.title << " <- " << c.keys;
    }
}

// The two choice columns of the part grid: any key steps through their values, Backspace
// shortens the text, and text that is none of the values is left alone by other keys. In "Orn"
// the first letter of a value chooses it and the rest of its letters keep it, so that a value
// typed out in full ends on itself.
TEST(PartRuleCells, AnyKeyStepsThroughTheChoicesAndBackspaceRemoves)
{
    const struct {
        int col;
        std::vector<std::string> seen;  // after keys x, Enter, 1, a, b
        std::string afterBackspace;
    } cases[] = {
        {4, {"No", "step90", "step180", "", "No"}, "N"},
        {5, {"Yes", "", "Yes", "", "Yes"}, "Ye"},
    };
    for (const auto& c : cases) {
        const std::string& title = partGridTitles()[static_cast<size_t>(c.col) - 1];
        SCOPED_TRACE(title);
        ScriptedEditHost host;
        TextGrid grid = gridAt(partGridTitles(), c.col);
        std::vector<std::string> seen;
        for (int key : {int('x'), int(KeyEnter), int('1'), int('a'), int('b')}) {
            EXPECT_EQ(pressKey(grid, key, host, plainGrid), KeyOutcome::Stepped);
            seen.push_back(grid.text(1, c.col));
        }
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(pressKey(grid, KeyBackspace, host, plainGrid), KeyOutcome::Removed);
        EXPECT_EQ(grid.text(1, c.col), c.afterBackspace);
        if (c.col == 4) {
            EXPECT_EQ(pressKey(grid, 'a', host, plainGrid), KeyOutcome::Consumed);
            EXPECT_EQ(grid.text(1, c.col), c.afterBackspace);
        }
        EXPECT_FALSE(typeIntoEmptyCell(title, "Y").refusal.empty());
    }
    const std::tuple<const char*, int, std::string> keys[] = {
        {"", 'N', "No"},     {"", 'n', "No"},          {"step90", 'N', "No"},     {"No", 'N', "No"},
        {"", 's', "step90"}, {"No", 'S', "step90"},    {"step90", 'S', "step180"}, {"step180", 's', "step90"},
        {"No", 'o', "No"},   {"step90", '9', "step90"}, {"step90", 'x', nextOrientation("step90")},
    };
    for (const auto& [text, key, expected] : keys) EXPECT_EQ(orientationForKey(text, key), expected) << text << " + " << char(key);
    ScriptedEditHost host;
    TextGrid grid = gridAt(partGridTitles(), 4);
    std::string value = nextOrientation("");
    for (int i = 0; i < 8 && !value.empty(); ++i, value = nextOrientation(value)) {
        grid.setText(1, 4, "");
        type(grid, value, host);
        EXPECT_EQ(grid.text(1, 4), value);
    }
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
    EXPECT_EQ(std::tuple(cellsOf(grid), host.fileRequests.size(), host.askedKeys),
              std::tuple(Rows{{"1", "", "5", ""}}, size_t{0}, std::vector<int>{'7', KeyBackspace, KeyDelete, KeyEnter}));
}

TEST(FileColumn, AnyKeyAsksForFilesAppendedInOrderOrOneReplacingTheCellOutsideTheMainWindow)
{
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 1);
    host.fileAnswers = {{"/plates/A.shp", "/plates/b.dxf"}, {"/plates/C, wide.shp"}};
    EXPECT_EQ(pressKey(grid, KeyEnter, host, mainWindowGrid), KeyOutcome::FilesChosen);
    grid.row = 1; // the selection appends whatever row is current
    pressKey(grid, KeyBackspace, host, mainWindowGrid);
    EXPECT_EQ(pressKey(grid, 'z', host, mainWindowGrid), KeyOutcome::Consumed); // cancelled
    EXPECT_EQ(cellsOf(grid), (Rows{{"1", "/plates/A.shp", "", ""}, {"2", "/plates/b.dxf", "", ""},
                                  {"3", "/plates/C, wide.shp", "", ""}, {"4", "", "", ""}}));
    // The last filled row becomes current; the preview follows every key on a file cell.
    EXPECT_EQ(std::tuple(grid.row, host.fileRequests, host.fileCellChanges), std::tuple(3, std::vector<bool>{true, true, true}, 3));

    // Outside the main window one chosen file replaces the cell; text typed into the last row of
    // an entry-row grid appends one numbered blank row.
    ScriptedEditHost single;
    TextGrid named = gridAt({"File Name", "Qty"}, 1);
    named.setRows(4);
    named.setText(1, 1, "/old.shp");
    single.fileAnswers.push_back({"/New Folder/Part.DXF"});
    EXPECT_EQ(pressKey(named, KeyEnter, single, plainGrid), KeyOutcome::FilesChosen);
    EXPECT_EQ(std::tuple(named.text(1, 1), named.rows(), single.fileRequests),
              std::tuple(std::string("/New Folder/Part.DXF"), 4, std::vector<bool>{false}));
    TextGrid parts = gridAt(partGridTitles(), 2);
    type(parts, "42", single, mainWindowGrid);
    EXPECT_EQ(cellsOf(parts), (Rows{{"1", "", "42", "", "", ""}, {"2", "", "", "", "", ""}}));
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
    EXPECT_EQ(std::pair(cellsOf(grid), host.fileCellChanges),
              std::pair(Rows{{"1", "/s/one.shp", "", ""}, {"2", "/s/three.shp", "3", "9"}, {"3", "", "", ""}}, 2));
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
        EXPECT_EQ(std::pair(grid.text(1, 2), host.askedKeys), std::pair(c.qty, c.asked)) << c.what;
    }
    // On a file cell Esc asks for no files.
    ScriptedEditHost host;
    TextGrid grid = gridAt(sheetGridTitles(), 1);
    EXPECT_EQ(pressKey(grid, KeyEscape, host, mainWindowGrid), KeyOutcome::Consumed);
    EXPECT_TRUE(host.fileRequests.empty() && host.askedKeys.empty());
}

} // namespace
} // namespace dravenor
