// nest --job FILE.nst and --save FILE.nst: a saved job runs again to the same layouts, the
// command line overrides it, and unreadable or unwritable job files end with a clear message.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "job/job_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

// Shape files for a small job with two part types, one of them a disc.
struct JobFolder {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 300));
    std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 100, 50));
    std::string disc = savedShape(dir, "disc.shp", {arcEntity(30, 30, 30, 0, 0)});

    // The layouts of a run's JSON result (everything but the timing).
    QJsonValue layoutsOf(const std::string& json) const
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(TempFolder::read(json))).object()["layouts"];
    }
    dravenor::Job read(const std::string& path) const
    {
        dravenor::Job job;
        EXPECT_EQ(dravenor::readJobFile(path, "", job).error, "");
        return job;
    }
};

TEST(NestJobFile, ASavedJobRunsAgainToTheSameLayouts)
{
    JobFolder f;
    const std::string saved = f.dir.file("saved.nst");
    const ToolRun first = runInProcess({"nest", "--kerf", "3", "--mat", "st37", "--thick", "8", "--mode", "stack",
                                        "--sheet", f.sheet + ":3", "--part", f.plate + ":7:1", "--part",
                                        f.disc + ":5:0:No", "--json", f.dir.file("1.json"), "--save", saved});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_TRUE(contains(first.out, "Job saved to " + saved + "\n")) << first.out;

    const dravenor::Job job = f.read(saved);
    EXPECT_EQ(job.mode, dravenor::NestingMode::Stack);
    EXPECT_EQ(job.basic.text(1, 1), "ST37"); // typed as the grid takes it
    EXPECT_EQ(job.basic.text(1, 4), "3");
    EXPECT_EQ(job.basic.text(1, 5), "3"); // the kerf the engine used
    EXPECT_EQ(job.parts.text(2, 1), f.disc);
    EXPECT_EQ(job.parts.text(2, 2), "5");
    EXPECT_EQ(job.parts.text(2, 4), "No");
    EXPECT_EQ(job.parts.text(1, 3), "1");
    EXPECT_FALSE(job.nesting.items.empty());
    for (const dravenor::PartEntry& part : job.nesting.parts) EXPECT_EQ(part.Remaining, 0);

    const ToolRun again = runInProcess({"nest", "--job", saved, "--json", f.dir.file("2.json")});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(f.layoutsOf(f.dir.file("2.json")), f.layoutsOf(f.dir.file("1.json")));
    EXPECT_FALSE(f.layoutsOf(f.dir.file("1.json")).toArray().isEmpty());
}

TEST(NestJobFile, CommandLineOptionsReplaceTheJobsValuesAndLists)
{
    JobFolder f;
    const std::string saved = f.dir.file("saved.nst");
    ASSERT_EQ(runInProcess({"nest", "--kerf", "3", "--note", "first", "--sheet", f.sheet + ":2", "--part",
                            f.plate + ":4", "--part", f.disc + ":2", "--save", saved})
                  .code,
              0);
    const std::string changed = f.dir.file("changed.nst");
    const ToolRun r = runInProcess(
        {"nest", "--job", saved, "--mode", "continuous", "--kerf", "2", "--part", f.disc + ":3", "--save", changed});
    ASSERT_EQ(r.code, 0) << r.err;
    const dravenor::Job job = f.read(changed);
    EXPECT_EQ(job.mode, dravenor::NestingMode::ContinuousStack);
    EXPECT_EQ(job.basic.text(1, 4), "2");
    EXPECT_EQ(job.basic.text(1, 6), "FIRST"); // not given: kept from the job
    EXPECT_EQ(job.sheets.text(1, 1), f.sheet);
    EXPECT_EQ(job.parts.rows(), 3); // the one part given and the entry row
    EXPECT_EQ(job.parts.text(1, 1), f.disc);
    EXPECT_EQ(job.parts.text(1, 2), "3");
}

TEST(NestJobFile, UnreadableJobsAndUnwritableSavesEndWithAClearMessage)
{
    JobFolder f;
    const std::string missing = f.dir.file("missing.nst");
    ToolRun r = runInProcess({"nest", "--job", missing});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "cannot read " + missing + ": no such file")) << r.err;

    const std::string cut = f.dir.write("cut.nst", "[BASIC.TLF]\r\n\"\",\"\",\"\",\"3\",\"\",\"\"\r\n[END]\r\n[SA.TLF]\r\n");
    r = runInProcess({"nest", "--job", cut});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, cut + ", line 5: the file ends inside section sa.tlf")) << r.err;

    const std::string nowhere = f.dir.file("no/such/folder/a.nst");
    r = runInProcess({"nest", "--kerf", "3", "--sheet", f.sheet, "--part", f.plate, "--save", nowhere});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "cannot write " + nowhere)) << r.err;
    EXPECT_FALSE(contains(r.out, "Job saved"));
}

TEST(NestJobFile, AJobNamingAMovedShapeSaysWhichFileIsMissing)
{
    JobFolder f;
    const std::string saved = f.dir.file("saved.nst");
    ASSERT_EQ(runInProcess({"nest", "--kerf", "3", "--sheet", f.sheet, "--part", f.plate + ":2", "--save", saved}).code, 0);
    std::filesystem::rename(f.plate, f.dir.file("elsewhere.shp"));
    const ToolRun r = runInProcess({"nest", "--job", saved});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, f.plate + " not found")) << r.err;
    // Replacing the part list with the moved file runs the job again.
    EXPECT_EQ(runInProcess({"nest", "--job", saved, "--part", f.dir.file("elsewhere.shp")}).code, 0);
}

} // namespace
