#include "job/job_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "job/job_file_sections.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

using testing::fillRow;

// Two sheets, three parts, a finished run with one layout cut twice, Stack Nesting.
Job sampleJob()
{
    Job job;
    fillRow(job.basic, 1, {"ST37", "A1", "10", "2.5", "2.5", "Rush, order"});
    job.basic.setRows(2);
    fillRow(job.sheets, 1, {"/jobs/plate a.shp", "3", "1"});
    fillRow(job.sheets, 2, {"/jobs/plate,b.dxf", "1", ""});
    fillRow(job.parts, 1, {"/jobs/p1.shp", "10", "", "step90"});
    fillRow(job.parts, 2, {"/jobs/p2.shp", "4", "2", "No"});
    fillRow(job.parts, 3, {"/jobs/p3.shp", "  2 ", "", ""});
    job.nesting.sheets = {SheetEntry{"/jobs/plate a.shp", 3, 1, 250000, 1}, SheetEntry{"/jobs/plate,b.dxf", 1, 32767, 90000, 1}};
    job.nesting.parts = {PartEntry{"/jobs/p1.shp", 10, 32767, "step90", 1200, 0},
                         PartEntry{"/jobs/p2.shp", 4, 2, "No", 800, 0}, PartEntry{"/jobs/p3.shp", 2, 32767, "", 51, 0}};
    job.nesting.items = {LayoutItem{"/jobs/p1.shp", 12.5, 0.1 + 0.2, 90, 1, 1, 1, 2},
                         LayoutItem{"/jobs/p3.shp", 1e-7, 123456.789, 270.25, 1, 3, 1, 2},
                         LayoutItem{"/jobs/plate a.shp", 0, 0, 0, 1, 0, 1, 2}};
    job.mode = NestingMode::Stack;
    return job;
}

const char* const kSampleJobFile =
    "[BASIC.TLF]\r\n\"ST37\",\"A1\",\"10\",\"2.5\",\"2.5\",\"Rush, order\"\r\n[END]\r\n"
    "[SA.TLF]\r\n250000,1,\"/jobs/plate a.shp\",1,3\r\n90000,1,\"/jobs/plate,b.dxf\",32767,1\r\n[END]\r\n"
    "[CA.TLF]\r\n1200,0,\"/jobs/p1.shp\",\"step90\",32767,10\r\n800,0,\"/jobs/p2.shp\",\"No\",2,4\r\n"
    "51,0,\"/jobs/p3.shp\",\"\",32767,2\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n#TRUE#,#FALSE#,#FALSE#\r\n[END]\r\n"
    "[SHEET.TLF]\r\n\"/jobs/plate a.shp\",\"3\",\"1\"\r\n\"/jobs/plate,b.dxf\",\"1\",\"\"\r\n[END]\r\n"
    "[PART.TLF]\r\n\"/jobs/p1.shp\",\"10\",\"\",\"step90\"\r\n\"/jobs/p2.shp\",\"4\",\"2\",\"No\"\r\n"
    "\"/jobs/p3.shp\",\"2\",\"\",\"\"\r\n[END]\r\n"
    "[NEST.TLF]\r\n\"/jobs/p1.shp\",12.5,0.30000000000000004,90,1,1,1,2\r\n"
    "\"/jobs/p3.shp\",1e-07,123456.789,270.25,3,1,1,2\r\n\"/jobs/plate a.shp\",0,0,0,0,1,1,2\r\n[END]\r\n";

void expectSameGrid(const TextGrid& a, const TextGrid& b)
{
    ASSERT_EQ(a.rows(), b.rows());
    ASSERT_EQ(a.cols(), b.cols());
    for (int r = 0; r < a.rows(); ++r)
        for (int c = 0; c < a.cols(); ++c) EXPECT_EQ(a.text(r, c), b.text(r, c)) << "row " << r << " col " << c;
}

void expectSameJob(const Job& a, const Job& b)
{
    expectSameGrid(a.basic, b.basic);
    expectSameGrid(a.sheets, b.sheets);
    expectSameGrid(a.parts, b.parts);
    EXPECT_EQ(a.mode, b.mode);
    ASSERT_EQ(a.nesting.sheets.size(), b.nesting.sheets.size());
    for (size_t i = 0; i < a.nesting.sheets.size(); ++i) {
        const SheetEntry &x = a.nesting.sheets[i], &y = b.nesting.sheets[i];
        EXPECT_EQ(std::tie(x.FileName, x.Qty, x.Pri, x.Area, x.Remaining),
                  std::tie(y.FileName, y.Qty, y.Pri, y.Area, y.Remaining));
    }
    ASSERT_EQ(a.nesting.parts.size(), b.nesting.parts.size());
    for (size_t i = 0; i < a.nesting.parts.size(); ++i) {
        const PartEntry &x = a.nesting.parts[i], &y = b.nesting.parts[i];
        EXPECT_EQ(std::tie(x.FileName, x.Qty, x.Pri, x.Orn, x.Area, x.Remaining),
                  std::tie(y.FileName, y.Qty, y.Pri, y.Orn, y.Area, y.Remaining));
    }
    ASSERT_EQ(a.nesting.items.size(), b.nesting.items.size());
    for (size_t i = 0; i < a.nesting.items.size(); ++i) {
        const LayoutItem &x = a.nesting.items[i], &y = b.nesting.items[i];
        EXPECT_EQ(std::tie(x.Name, x.X, x.Y, x.Angle, x.SheetIndex, x.PartIndex, x.LayoutNo, x.Qty),
                  std::tie(y.Name, y.X, y.Y, y.Angle, y.SheetIndex, y.PartIndex, y.LayoutNo, y.Qty))
            << "item " << i + 1;
    }
}

// Runs the body with the process's current directory set to an empty folder, then restores it.
template <typename Body>
void inEmptyCurrentDirectory(const TempFolder& folder, Body body)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.folder());
    body();
    std::filesystem::current_path(previous);
}

TEST(JobFileSave, WritesTheSevenSectionsInTheirOrderAndFormatEvenWhenEmpty)
{
    TempFolder dir;
    ASSERT_EQ(saveJobFile(sampleJob(), dir.file("bracket.nst"), dir.folder()).error, "");
    EXPECT_EQ(TempFolder::read(dir.file("bracket.nst")), kSampleJobFile);

    ASSERT_EQ(saveJobFile(Job{}, dir.file("new.nst"), dir.folder()).error, "");
    EXPECT_EQ(TempFolder::read(dir.file("new.nst")),
              "[BASIC.TLF]\r\n[END]\r\n[SA.TLF]\r\n[END]\r\n[CA.TLF]\r\n[END]\r\n"
              "[OPTIONS.TLF]\r\n#FALSE#,#FALSE#,#TRUE#\r\n[END]\r\n[SHEET.TLF]\r\n[END]\r\n"
              "[PART.TLF]\r\n[END]\r\n[NEST.TLF]\r\n[END]\r\n");
}

TEST(JobFileSave, SectionFilesGoToTheWorkingFolderNeverTheCurrentDirectory)
{
    TempFolder work, jobs, current;
    const std::string path = jobs.file("bracket.nst");
    inEmptyCurrentDirectory(current, [&] {
        ASSERT_EQ(saveJobFile(sampleJob(), path, work.folder()).error, "");
        Job job;
        ASSERT_EQ(readJobFile(path, work.folder(), job).error, "");
    });
    EXPECT_TRUE(current.entries().empty());
    EXPECT_EQ(jobs.entries(), std::vector<std::string>{"bracket.nst"});
    EXPECT_EQ(work.entries(), (std::vector<std::string>{"basic.tlf", "ca.tlf", "nest.tlf", "options.tlf", "part.tlf",
                                                        "sa.tlf", "sheet.tlf"}));
    EXPECT_EQ(TempFolder::read(work.file("ca.tlf")),
              "1200,0,\"/jobs/p1.shp\",\"step90\",32767,10\r\n800,0,\"/jobs/p2.shp\",\"No\",2,4\r\n"
              "51,0,\"/jobs/p3.shp\",\"\",32767,2\r\n");
    EXPECT_EQ(TempFolder::read(work.file("options.tlf")), "#TRUE#,#FALSE#,#FALSE#\r\n");
}

TEST(JobFileSave, WithoutAWorkingFolderOnlyTheJobFileIsWritten)
{
    TempFolder jobs, current;
    inEmptyCurrentDirectory(current, [&] { ASSERT_EQ(saveJobFile(sampleJob(), jobs.file("a.nst"), "").error, ""); });
    EXPECT_TRUE(current.entries().empty());
    EXPECT_EQ(jobs.entries(), std::vector<std::string>{"a.nst"});
}

TEST(JobFileRoundTrip, ReadingGivesBackEveryCellRecordItemAndTheMode)
{
    TempFolder dir;
    const std::string path = dir.file("bracket.nst");
    Job saved = sampleJob();
    ASSERT_EQ(saveJobFile(saved, path, dir.folder()).error, "");
    Job read;
    read.jobFileName = "/old.nst";
    const JobFileResult result = readJobFile(path, dir.folder(), read);
    ASSERT_EQ(result.error, "");
    EXPECT_TRUE(result.warnings.empty()) << result.warnings.front();
    // Cells are stored trimmed.
    saved.parts.setText(3, 2, "2");
    expectSameJob(saved, read);
    EXPECT_EQ(read.basic.rows(), 2);
    EXPECT_EQ(read.sheets.rows(), 4); // two sheets and the entry row
    EXPECT_TRUE(read.nesting.entities.empty());
    EXPECT_EQ(read.jobFileName, "");
    EXPECT_FALSE(read.modified);
}

TEST(JobFileRoundTrip, EveryModeSurvivesAndRepeatedSavesAreIdentical)
{
    TempFolder dir;
    for (NestingMode mode : {NestingMode::Stack, NestingMode::ContinuousStack, NestingMode::Free}) {
        Job job = sampleJob();
        job.mode = mode;
        ASSERT_EQ(saveJobFile(job, dir.file("1.nst"), dir.folder()).error, "");
        Job read;
        ASSERT_EQ(readJobFile(dir.file("1.nst"), dir.folder(), read).error, "");
        EXPECT_EQ(read.mode, mode);
        ASSERT_EQ(saveJobFile(read, dir.file("2.nst"), dir.folder()).error, "");
        EXPECT_EQ(TempFolder::read(dir.file("1.nst")), TempFolder::read(dir.file("2.nst")));
    }
}

TEST(JobFileRoundTrip, DoublesReadBackExactly)
{
    for (double value : {0.1 + 0.2, -1.0 / 3, 1e-7, 2.5e15, 359.99999999999994, -0.0, 1234567.125})
        EXPECT_EQ(std::stod(formatRecordDouble(value)), value) << formatRecordDouble(value);
    EXPECT_EQ(formatRecordDouble(90), "90");
    EXPECT_EQ(formatRecordDouble(-12.75), "-12.75");
}

TEST(JobFileRead, AcceptsLfLineEndsUnquotedFieldsAndTheSevenFieldItemsOfOlderFiles)
{
    TempFolder dir;
    const std::string path = dir.write("old.nst",
                                       "[BASIC.TLF]\n\"MS\",\"\",\"6\",\"2\",\"2\",\"\"\n[END]\n[SA.TLF]\n9,0,/s.shp,0,4\n[END]\n"
                                       "[CA.TLF]\n5,1,\"/p.shp\",,0,3\n[END]\n[OPTIONS.TLF]\n#FALSE#,#TRUE#,#FALSE#\n[END]\n"
                                       "[SHEET.TLF]\n[END]\n[PART.TLF]\n[END]\n[NEST.TLF]\n"
                                       "\"/p.shp\",1.5,2,90,1,1,1\n\"/s.shp\",0,0,0,0,1,1\n\"/p.shp\",3,4,0,1,1,2\n"
                                       "\"/s.shp\",0,0,0,0,1,2\n[END]\n");
    Job job;
    const JobFileResult result = readJobFile(path, dir.folder(), job);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(job.mode, NestingMode::ContinuousStack);
    ASSERT_EQ(job.nesting.sheets.size(), 1u);
    EXPECT_EQ(job.nesting.sheets[0].FileName, "/s.shp");
    EXPECT_EQ(job.nesting.sheets[0].Qty, 4);
    ASSERT_EQ(job.nesting.parts.size(), 1u);
    EXPECT_EQ(job.nesting.parts[0].Orn, "");
    EXPECT_EQ(job.nesting.parts[0].Remaining, 1);
    ASSERT_EQ(job.nesting.items.size(), 4u);
    for (const LayoutItem& item : job.nesting.items) EXPECT_EQ(item.Qty, 1);
    EXPECT_EQ(job.nesting.items[2].LayoutNo, 2);
    EXPECT_EQ(job.nesting.items[0].X, 1.5);
    EXPECT_EQ(job.basic.text(1, 1), "MS");
    EXPECT_EQ(job.sheets.rows(), 2);
}

TEST(JobFileRead, ACommaInsideAQuotedNameDoesNotMakeItemsLookOld)
{
    TempFolder dir;
    Job job = sampleJob();
    job.nesting.items[0].Name = "/jobs/p,1.shp";
    ASSERT_EQ(saveJobFile(job, dir.file("a.nst"), "").error, "");
    Job read;
    ASSERT_EQ(readJobFile(dir.file("a.nst"), "", read).error, "");
    EXPECT_EQ(read.nesting.items[0].Name, "/jobs/p,1.shp");
    EXPECT_EQ(read.nesting.items[0].Qty, 2);
}

TEST(JobFileRead, SectionFilesInTheWorkingFolderEqualTheJobFileSections)
{
    TempFolder jobs, work;
    const std::string path = jobs.write("a.nst", kSampleJobFile);
    std::filesystem::create_directory(work.file("sub"));
    Job job;
    ASSERT_EQ(readJobFile(path, work.file("sub"), job).error, "");
    EXPECT_EQ(TempFolder::read(work.file("sub/nest.tlf")),
              "\"/jobs/p1.shp\",12.5,0.30000000000000004,90,1,1,1,2\r\n"
              "\"/jobs/p3.shp\",1e-07,123456.789,270.25,3,1,1,2\r\n\"/jobs/plate a.shp\",0,0,0,0,1,1,2\r\n");
    EXPECT_EQ(TempFolder::read(work.file("sub/basic.tlf")), "\"ST37\",\"A1\",\"10\",\"2.5\",\"2.5\",\"Rush, order\"\r\n");
}

} // namespace
} // namespace dravenor
