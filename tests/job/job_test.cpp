#include "job/job.h"

#include <gtest/gtest.h>

#include "job/grid_file.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::fillRow;
using testing::TempFolder;

void addResults(Job& job)
{
    job.nesting.sheets.push_back(SheetEntry{"/s.shp", 1, 0, 0, 1});
    job.nesting.entities.push_back(LayoutEntity{});
    job.nesting.items.push_back(LayoutItem{});
}

TEST(NewJob, ResetEmptiesEverythingAndHidesActKerf)
{
    Job job;
    fillRow(job.parts, 3, {"/p.shp", "3"});
    job.basic.colWidths[5] = 12;
    job.parts.row = 3;
    addResults(job);
    job.mode = NestingMode::Stack;
    job.jobFileName = "/jobs/Bracket.nst";
    job.modified = true;
    job.nesting.details.Kerf = 2;
    job.reset();
    EXPECT_EQ(job.parts.rows(), 2);
    EXPECT_EQ(job.parts.row, 1);
    EXPECT_EQ(job.basic.colWidths[job.basic.columnOf("ActKerf")], 0);
    EXPECT_FALSE(job.hasLayouts() || !job.nesting.sheets.empty() || job.modified);
    EXPECT_EQ(job.mode, NestingMode::Free);
    EXPECT_EQ(job.nesting.details.Kerf, 0);
    EXPECT_EQ(jobCaption("Dravenor", job), "Dravenor");
    job.jobFileName = "/home/op/Jobs/Bracket.nst";
    EXPECT_EQ(jobCaption("Dravenor", job), "Dravenor - /home/op/Jobs/Bracket.nst");
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
    fillRow(job.parts, 1, {plate, "10", "5", "step90"});
    fillRow(job.parts, 2, {plate, "0", "1", "No"});
    fillRow(job.parts, 3, {temp.file("gone.shp"), "1", "", ""});
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
    ASSERT_EQ(job.nesting.parts.size(), 1u) << "the old records are replaced";
    const PartEntry& part = job.nesting.parts[0];
    EXPECT_EQ(std::tie(part.FileName, part.Orn, part.Qty, part.Remaining, part.Pri),
              std::make_tuple(plate, "step90", 10, 10, 5));
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
    EXPECT_TRUE(job.hasLayouts());
    EXPECT_EQ(job.nesting.sheets.size(), 1u);
    EXPECT_FALSE(job.modified);
    EXPECT_EQ(temp.entries(), (std::vector<std::string>{"Report.tlf", "keep.shp"}));

    EXPECT_TRUE(protectResultsBeforeEdit(job, temp.folder(), [] { return true; }));
    EXPECT_FALSE(job.hasLayouts());
    EXPECT_TRUE(job.nesting.sheets.empty());
    EXPECT_TRUE(job.modified);
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"keep.shp"});
    // Without layouts nothing is asked, but the working files still go.
    temp.write("Report.tlf", "report");
    EXPECT_TRUE(protectResultsBeforeEdit(job, temp.folder(), [] { return false; }));
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"keep.shp"});
}

} // namespace
} // namespace dravenor
