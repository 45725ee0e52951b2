#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"
#include "engine/nesting_driver.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "job/job.h"
#include "layouts/job_open.h"
#include "layouts/report.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor::testing;

namespace dravenor {
namespace {

// A saved, optimised job: four 100 x 50 parts on 300 x 300 sheets, kerf 2.
struct SavedJob {
    TempFolder dir;
    std::string nst = dir.file("job.nst");

    explicit SavedJob(const std::string& material = "ST", bool optimised = true)
    {
        std::filesystem::create_directory(dir.file("work"));
        Job job;
        const std::vector<std::string> details{material, "JR", "12", "2", "", "cli job"};
        for (size_t c = 0; c < details.size(); ++c) job.basic.setText(1, static_cast<int>(c) + 1, details[c]);
        fillRow(job.sheets, {savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 300)), "3", "1"});
        fillRow(job.parts, {savedShape(dir, "part.shp", rectangle(0, 0, 100, 50)), "4", "2", ""});
        copyGridsToRecords(job);
        if (optimised) {
            SilentProgress progress;
            optimise(job.nesting, NestingMode::Free, progress);
        }
        const JobFileResult saved = saveJob(job, nst, dir.file("work"));
        EXPECT_TRUE(saved.ok()) << saved.error;
    }
    static void fillRow(TextGrid& grid, const std::vector<std::string>& cells)
    {
        for (size_t c = 0; c < cells.size(); ++c) grid.setText(1, static_cast<int>(c) + 1, cells[c]);
        grid.ensureEntryRow();
    }
};

TEST(ReportCommand, WritesTheSameReportAsTheReportOfTheOpenedJob)
{
    SavedJob saved;
    const std::string density = saved.dir.write("density.dat", "\"ST\",\"0.5\"\r\n");
    const std::string output = saved.dir.file("out.tlf");
    const ToolRun r = runInProcess({"report", saved.nst, "-o", output, "--density", density});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, output + "\n");
    EXPECT_EQ(r.err, "");

    Job job;
    TempFolder work;
    ASSERT_TRUE(openJob(saved.nst, work.folder(), job).ok());
    const std::string text = TempFolder::read(output);
    EXPECT_EQ(text, reportText(job, DensityTable{{"ST", "0.5"}}));
    // All four parts on one sheet: 20000 / 90000; one piece weighs 0.5 x 12 x 5000.
    EXPECT_TRUE(contains(text, "Overall Yield : 22.222      Overall Base Yield : 22.222 \r\n")) << text;
    EXPECT_TRUE(contains(text, "\r\nTotal Layouts : 1\r\nTotal RLC(Running Length of Cutting) : 1200.00\r\n")) << text;
    EXPECT_TRUE(contains(text, "\r\npart.shp            4       4       0      2       -       120000.00 1200.00\r\n"))
        << text;
    EXPECT_TRUE(contains(text, "\r\nsheet.shp          1       540000.00\r\n")) << text;
}

TEST(ReportCommand, RefusesWhatItCannotReport)
{
    SavedJob saved;
    const ToolRun missingJob = runInProcess({"report", saved.dir.file("none.nst"), "-o", saved.dir.file("r.tlf")});
    EXPECT_EQ(missingJob.code, 2);
    EXPECT_TRUE(contains(missingJob.err, "none.nst")) << missingJob.err;

    const ToolRun missingDensity = runInProcess({"report", saved.nst, "--density", saved.dir.file("none.dat")});
    EXPECT_EQ(missingDensity.code, 2);
    EXPECT_TRUE(contains(missingDensity.err, "none.dat not found")) << missingDensity.err;

    const std::string badOutput = saved.dir.file("no-such-folder/r.tlf");
    const ToolRun unwritable = runInProcess({"report", saved.nst, "-o", badOutput});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_TRUE(contains(unwritable.err, badOutput)) << unwritable.err;

    EXPECT_EQ(runInProcess({"report"}).code, 2);
    EXPECT_EQ(runInProcess({"report", saved.nst, "--colour", "red"}).code, 2);
}

TEST(ReportCommand, AJobWithoutLayoutsWritesNothing)
{
    SavedJob saved("ST", false);
    const std::string output = saved.dir.file("r.tlf");
    const ToolRun r = runInProcess({"report", saved.nst, "-o", output});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "This File does not contain any Layout")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(ReportCommand, TheExecutableUsesTheShippedDensityTable)
{
    SavedJob saved("S235");
    const std::string output = saved.dir.file("Report.tlf");
    const ToolRun r = runExecutable({"report", QString::fromStdString(saved.nst), "-o", QString::fromStdString(output)});
    ASSERT_EQ(r.code, 0) << r.err;
    // One sheet: 0.00000785 x 12 x 90000.
    EXPECT_TRUE(contains(TempFolder::read(output), "\r\nsheet.shp          1       8.48\r\n")) << TempFolder::read(output);
}

} // namespace
} // namespace dravenor
