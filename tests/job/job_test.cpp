#include "job/job.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "job/cell_editing.h"
#include "support/scripted_edit_host.h"
#include "job/temp_folder.h"

namespace dravenor {
namespace {

using test::TempFolder;

void fillRow(TextGrid& grid, int row, const std::vector<std::string>& cells)
{
    if (grid.rows() <= row) grid.setRows(row + 1);
    for (size_t c = 0; c < cells.size(); ++c) grid.setText(row, static_cast<int>(c) + 1, cells[c]);
    grid.renumber();
}

void addResults(Job& job)
{
    job.sheetEntries.push_back(SheetEntry{"/s.shp", 1, 0, 0, 1});
    job.layoutEntities.push_back(LayoutEntity{});
    job.layoutItems.push_back(LayoutItem{});
}

TEST(NewJob, GridsAreBuiltFromTheTitles)
{
    const Job job;
    EXPECT_EQ(job.basic.rows(), 2);
    EXPECT_EQ(job.sheets.rows(), 2);
    EXPECT_EQ(job.parts.rows(), 2);
    EXPECT_EQ(job.basic.title(5), "ActKerf");
    EXPECT_EQ(job.sheets.title(1), "Sheet File Name");
    EXPECT_EQ(job.parts.title(4), "Orn");
    EXPECT_EQ(job.parts.text(1, 0), "1");
    EXPECT_EQ(job.basic.colWidths[5], 0) << "ActKerf is hidden";
    EXPECT_EQ(job.basic.colWidths[4], 10);
    EXPECT_EQ(job.sheets.colWidths[1], 23);
    EXPECT_EQ(&job.grid(SheetGrid), &job.sheets);
    EXPECT_EQ(job.mode, NestingMode::Free);
    EXPECT_FALSE(job.modified);
    EXPECT_FALSE(job.hasLayouts());
}

TEST(NewJob, ResetEmptiesEverything)
{
    Job job;
    fillRow(job.basic, 1, {"ST", "A", "10", "2", "2.5", "note"});
    fillRow(job.parts, 3, {"/p.shp", "3"});
    job.basic.colWidths[5] = 12;
    job.parts.row = 3;
    addResults(job);
    job.mode = NestingMode::Stack;
    job.jobFileName = "/jobs/Bracket.nst";
    job.modified = true;
    job.details.Kerf = 2;
    job.reset();
    EXPECT_EQ(job.basic.rows(), 2);
    EXPECT_FALSE(job.basic.rowHasText(1));
    EXPECT_EQ(job.parts.rows(), 2);
    EXPECT_EQ(job.parts.row, 1);
    EXPECT_EQ(job.basic.colWidths[5], 0);
    EXPECT_FALSE(job.hasLayouts());
    EXPECT_TRUE(job.sheetEntries.empty());
    EXPECT_EQ(job.mode, NestingMode::Free);
    EXPECT_EQ(job.jobFileName, "");
    EXPECT_FALSE(job.modified);
    EXPECT_EQ(job.details.Kerf, 0);
}

TEST(BasicDetailsFromGrid, TextAsIsNumbersByLeadingPart)
{
    Job job;
    fillRow(job.basic, 1, {"ST37", "A 1", "10.5", "2.", "2.25", "Rush order"});
    const BasicDetails d = readBasicDetails(job.basic);
    EXPECT_EQ(d.Mat, "ST37");
    EXPECT_EQ(d.Grade, "A 1");
    EXPECT_EQ(d.Thick, 10.5);
    EXPECT_EQ(d.Kerf, 2);
    EXPECT_EQ(d.ActKerf, 2.25);
    EXPECT_EQ(d.Note, "Rush order");
    fillRow(job.basic, 1, {"", "", "", ".", "", ""});
    EXPECT_EQ(readBasicDetails(job.basic).Kerf, 0);
    EXPECT_EQ(readBasicDetails(job.basic).Thick, 0);
}

TEST(EngineRecords, OnlyRowsWithAFileAndAQuantity)
{
    TempFolder temp;
    const std::string plate = temp.write("Plate.SHP", "");
    const std::string strip = temp.write("strip.dxf", "");
    Job job;
    fillRow(job.sheets, 1, {plate, "2.5", "1"});          // 2.5 rounds to 2
    fillRow(job.sheets, 2, {temp.file("gone.shp"), "4", "1"});
    fillRow(job.sheets, 3, {strip, "0", "2"});
    fillRow(job.sheets, 4, {strip, "0.5", ""});           // rounds to 0
    fillRow(job.sheets, 5, {strip, "3.5", ""});
    fillRow(job.sheets, 6, {temp.folder(), "1", ""});     // a folder is no file
    job.sheets.ensureEntryRow();
    const auto sheets = sheetEntriesFromGrid(job.sheets);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].FileName, plate) << "paths keep their case";
    EXPECT_EQ(sheets[0].Qty, 2);
    EXPECT_EQ(sheets[0].Remaining, 2);
    EXPECT_EQ(sheets[0].Pri, 1);
    EXPECT_EQ(sheets[1].FileName, strip);
    EXPECT_EQ(sheets[1].Qty, 4);
    EXPECT_EQ(sheets[1].Pri, 0);
    EXPECT_EQ(sheets[1].Area, 0);
}

TEST(EngineRecords, PartsCarryTheirOrientation)
{
    TempFolder temp;
    const std::string rib = temp.write("rib.shp", "");
    Job job;
    fillRow(job.parts, 1, {rib, "10", "5", "step90"});
    fillRow(job.parts, 2, {rib, "0", "1", "No"});
    fillRow(job.parts, 3, {rib, "1", "", ""});
    const auto parts = partEntriesFromGrid(job.parts);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].Orn, "step90");
    EXPECT_EQ(parts[0].Qty, 10);
    EXPECT_EQ(parts[0].Remaining, 10);
    EXPECT_EQ(parts[0].Pri, 5);
    EXPECT_EQ(parts[1].Orn, "");
}

TEST(EngineRecords, CopyFillsTheJobAndLeavesGridsAlone)
{
    TempFolder temp;
    Job job;
    fillRow(job.basic, 1, {"AL", "", "3", "1.5", "1.5", ""});
    fillRow(job.sheets, 1, {temp.write("s.shp", ""), "1", ""});
    fillRow(job.parts, 1, {temp.write("p.shp", ""), "0", ""});
    job.sheets.ensureEntryRow();
    const TextGrid before = job.sheets;
    job.partEntries.push_back(PartEntry{});
    copyGridsToRecords(job);
    EXPECT_EQ(job.details.Mat, "AL");
    EXPECT_EQ(job.details.Kerf, 1.5);
    EXPECT_EQ(job.sheetEntries.size(), 1u);
    EXPECT_TRUE(job.partEntries.empty());
    EXPECT_EQ(job.sheets.rows(), before.rows());
    EXPECT_EQ(job.sheets.text(1, 1), before.text(1, 1));
}

TEST(ResultProtection, RefusalKeepsLayoutsGridAndWorkingFiles)
{
    TempFolder temp;
    temp.write("Report.tlf", "report");
    Job job;
    addResults(job);
    fillRow(job.sheets, 1, {"/s.shp", "4"});
    int questions = 0;
    EXPECT_FALSE(protectResultsBeforeEdit(job, '5', temp.folder(), [&] { ++questions; return false; }));
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(job.hasLayouts());
    EXPECT_EQ(job.sheetEntries.size(), 1u);
    EXPECT_FALSE(job.modified);
    EXPECT_TRUE(std::filesystem::exists(temp.file("Report.tlf")));
}

TEST(ResultProtection, AcceptingDiscardsResultsBeforeTheKeyActs)
{
    TempFolder temp;
    temp.write("Report.tlf", "report");
    temp.write("keep.shp", "");
    Job job;
    addResults(job);
    EXPECT_TRUE(protectResultsBeforeEdit(job, '5', temp.folder(), [] { return true; }));
    EXPECT_FALSE(job.hasLayouts());
    EXPECT_TRUE(job.sheetEntries.empty());
    EXPECT_TRUE(job.modified);
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"keep.shp"});
}

TEST(ResultProtection, NoQuestionWithoutLayoutsOrForEscape)
{
    TempFolder temp;
    Job job;
    int questions = 0;
    const auto ask = [&] { ++questions; return false; };
    EXPECT_TRUE(protectResultsBeforeEdit(job, 'A', temp.folder(), ask));
    addResults(job);
    EXPECT_TRUE(protectResultsBeforeEdit(job, KeyEscape, temp.folder(), ask));
    EXPECT_EQ(questions, 0);
    EXPECT_FALSE(job.hasLayouts());
}

// The protection wired into a grid edit as the main window does it.
class JobEditHost : public test::ScriptedEditHost {
public:
    JobEditHost(Job& job, std::string folder) : job_(job), folder_(std::move(folder)) {}
    bool beforeChange(int keyCode) override
    {
        askedKeys.push_back(keyCode);
        return protectResultsBeforeEdit(job_, keyCode, folder_, [this] { return allowChange; });
    }

private:
    Job& job_;
    std::string folder_;
};

TEST(ResultProtection, DeclinedDeleteOfAFileRowChangesNothing)
{
    TempFolder temp;
    Job job;
    fillRow(job.parts, 1, {"/p/a.shp", "1"});
    fillRow(job.parts, 2, {"/p/b.shp", "2"});
    job.parts.ensureEntryRow();
    addResults(job);
    JobEditHost host(job, temp.folder());
    host.allowChange = false;
    job.parts.row = 1;
    job.parts.col = 1;
    const GridEditOptions options{true, true};
    EXPECT_EQ(pressDelete(job.parts, host, options), KeyOutcome::Declined);
    EXPECT_EQ(job.parts.text(1, 1), "/p/a.shp");
    EXPECT_EQ(job.parts.rows(), 4);
    EXPECT_TRUE(job.hasLayouts());

    host.allowChange = true;
    EXPECT_EQ(pressDelete(job.parts, host, options), KeyOutcome::Cleared);
    EXPECT_EQ(job.parts.text(1, 1), "/p/b.shp");
    EXPECT_EQ(job.parts.text(1, 2), "2");
    EXPECT_EQ(job.parts.rows(), 3);
    EXPECT_FALSE(job.hasLayouts());
    EXPECT_TRUE(job.modified);
}

TEST(Caption, TitleAloneOrWithTheFileName)
{
    Job job;
    EXPECT_EQ(jobCaption("Dravenor", job), "Dravenor");
    job.jobFileName = "/home/op/Jobs/Bracket.nst";
    EXPECT_EQ(jobCaption("Dravenor", job), "Dravenor - /home/op/Jobs/Bracket.nst");
}

} // namespace
} // namespace dravenor
