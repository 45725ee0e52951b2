// Damaged job files and failed saves: a clear message naming the file and line, and nothing
// half-replaced.
#include <gtest/gtest.h>

#include <filesystem>

#include "job/job_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor {
namespace {

using testing::contains;
using testing::TempFolder;

const std::string kGoodJob =
    "[BASIC.TLF]\r\n\"ST37\",\"\",\"10\",\"2\",\"2\",\"\"\r\n[END]\r\n"
    "[SA.TLF]\r\n250000,1,\"/s.shp\",0,2\r\n[END]\r\n"
    "[CA.TLF]\r\n1200,0,\"/p.shp\",\"\",0,4\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n#FALSE#,#FALSE#,#TRUE#\r\n[END]\r\n"
    "[SHEET.TLF]\r\n\"/s.shp\",\"2\",\"\"\r\n[END]\r\n"
    "[PART.TLF]\r\n\"/p.shp\",\"4\",\"\",\"\"\r\n[END]\r\n"
    "[NEST.TLF]\r\n\"/p.shp\",0,0,0,1,1,1,1\r\n\"/s.shp\",0,0,0,0,1,1,1\r\n[END]\r\n";

// The good job with one piece of text replaced.
std::string withReplaced(const std::string& from, const std::string& to)
{
    std::string text = kGoodJob;
    text.replace(text.find(from), from.size(), to);
    return text;
}

// A job already open: what a failed read must leave alone.
Job currentJob()
{
    Job job;
    job.basic.setText(1, 1, "KEEP");
    job.mode = NestingMode::Stack;
    job.jobFileName = "/jobs/current.nst";
    job.nesting.items.push_back(LayoutItem{"/x.shp", 1, 2, 0, 1, 0, 1, 1});
    return job;
}

void expectUntouched(const Job& job)
{
    EXPECT_EQ(job.basic.text(1, 1), "KEEP");
    EXPECT_EQ(job.mode, NestingMode::Stack);
    EXPECT_EQ(job.jobFileName, "/jobs/current.nst");
    EXPECT_EQ(job.nesting.items.size(), 1u);
}

struct Damage {
    std::string text;
    std::string expected; // parts of the message after the file name
};

TEST(JobFileDamage, EachDamageNamesFileAndLineAndLeavesTheCurrentJob)
{
    const std::string cut = kGoodJob.substr(0, kGoodJob.find("[OPTIONS.TLF]"));
    const std::vector<Damage> damages{
        {kGoodJob.substr(0, kGoodJob.find("\"/s.shp\",0,0,0,0")), "line 21: the file ends inside section nest.tlf"},
        {cut, "line 10: the file ends after 3 of its 7 sections; options.tlf"},
        {withReplaced("[END]\r\n[CA.TLF]", "[CA.TLF]"), "line 6: section header '[CA.TLF]' inside section sa.tlf"},
        {"hello\r\nworld\r\n", "line 1: 'hello' is not a section header; [BASIC.TLF] expected (not a job file)"},
        {withReplaced("0,2\r\n", "0,two\r\n"), "line 5 (sa.tlf, sheet record 1): quantity 'two' is not a number"},
        {withReplaced("1200,0,\"/p.shp\",\"\",0,4", "1200,0,\"/p.shp\",0,4"),
         "line 8 (ca.tlf, part record 1): 5 fields instead of 6"},
        {withReplaced("#FALSE#,#FALSE#,#TRUE#", "#FALSE#,maybe,#TRUE#"),
         "line 11 (options.tlf, nesting mode): Continuous Stack Nesting 'maybe' is neither #TRUE# nor #FALSE#"},
        {withReplaced("\"/p.shp\",\"4\",\"\",\"\"", "\"/p.shp\",\"4\""), "line 17 (part.tlf, row 1): 2 fields instead of 4"},
        {withReplaced("\"/p.shp\",0,0,0,1,1,1,1", "\"/p.shp\",0,0,0,2,1,1,1"),
         "line 20 (nest.tlf, layout item 1): part index 2 does not name one of the 1 part records"},
        {withReplaced("\"/s.shp\",0,0,0,0,1,1,1", "\"/s.shp\",0,0,0,0,0,1,1"),
         "line 21 (nest.tlf, layout item 2): sheet index 0 does not name one of the 1 sheet records"},
        {withReplaced("\"/p.shp\",0,0,0,1,1,1,1", "\"/p.shp\",x,0,0,1,1,1,1"),
         "line 20 (nest.tlf, layout item 1): X 'x' is not a number"},
        {"", "is empty, not a job file"},
        {std::string("[BASIC.TLF]\r\n\0\0\0", 16), "holds binary data"},
    };
    TempFolder dir;
    for (const Damage& damage : damages) {
        const std::string path = dir.write("damaged.nst", damage.text);
        Job job = currentJob();
        const JobFileResult result = readJobFile(path, dir.folder(), job);
        EXPECT_EQ(result.error.rfind(path, 0), 0u) << result.error;
        EXPECT_TRUE(contains(result.error, damage.expected)) << result.error << "\nexpected: " << damage.expected;
        expectUntouched(job);
    }
    // A failed read writes no working copies.
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"damaged.nst"});
}

TEST(JobFileDamage, MissingOrUnreadableFileIsAnErrorNamingIt)
{
    TempFolder dir;
    Job job = currentJob();
    EXPECT_EQ(readJobFile(dir.file("gone.nst"), dir.folder(), job).error, "cannot read " + dir.file("gone.nst") + ": no such file");
    EXPECT_EQ(readJobFile(dir.folder(), dir.folder(), job).error, "cannot read " + dir.folder() + ": is a folder");
    expectUntouched(job);
}

TEST(JobFileDamage, OddButReadableContentOpensWithWarnings)
{
    TempFolder dir;
    const std::string text = withReplaced("\"/s.shp\",\"2\",\"\"", "\"/s.shp\",\"2x\",\"\"")
                                 .replace(kGoodJob.find("#FALSE#,#FALSE#,#TRUE#"), 22, "#FALSE#,#FALSE#,#FALSE#")
        + "trailing junk\r\n";
    const std::string path = dir.write("odd.nst", text);
    Job job;
    const JobFileResult result = readJobFile(path, dir.folder(), job);
    ASSERT_EQ(result.error, "");
    ASSERT_EQ(result.warnings.size(), 3u);
    EXPECT_EQ(result.warnings[0], path + ", line 11 (options.tlf, nesting mode): not exactly one nesting mode is "
                                         "checked; the job nests as Continuous Stack Nesting");
    EXPECT_EQ(result.warnings[1], path + ", line 14 (sheet.tlf, row 1): Qty '2x' is not a number and counts as 0");
    EXPECT_EQ(result.warnings[2], path + ", line 23: text after the last section is ignored");
    EXPECT_EQ(job.sheets.text(1, 2), "2x"); // the text is kept
    EXPECT_EQ(job.mode, NestingMode::ContinuousStack);
}

// A saved job and its section files, to compare after a save that failed.
struct SavedState {
    explicit SavedState(const TempFolder& work, const TempFolder& jobs)
    {
        Job job;
        job.basic.setText(1, 1, "OLD");
        EXPECT_EQ(saveJobFile(job, jobs.file("a.nst"), work.folder()).error, "");
        for (const std::string& name : work.entries()) sections.emplace_back(name, TempFolder::read(work.file(name)));
        jobFile = TempFolder::read(jobs.file("a.nst"));
    }
    void expectIntact(const TempFolder& work, const TempFolder& jobs) const
    {
        EXPECT_EQ(TempFolder::read(jobs.file("a.nst")), jobFile);
        for (const auto& [name, bytes] : sections) EXPECT_EQ(TempFolder::read(work.file(name)), bytes) << name;
    }
    std::vector<std::pair<std::string, std::string>> sections;
    std::string jobFile;
};

Job changedJob()
{
    Job job;
    job.basic.setText(1, 1, "NEW");
    job.mode = NestingMode::Stack;
    job.nesting.sheets.push_back(SheetEntry{"/s.shp", 1, 0, 10, 1});
    return job;
}

TEST(JobFileSaveFailure, ASectionThatCannotBeReplacedLeavesEveryPreviousFile)
{
    TempFolder work, jobs;
    const SavedState before(work, jobs);
    // The last section's target becomes a folder: six sections are renamed before it fails.
    std::filesystem::remove(work.file("nest.tlf"));
    std::filesystem::create_directory(work.file("nest.tlf"));
    const JobFileResult result = saveJobFile(changedJob(), jobs.file("a.nst"), work.folder());
    EXPECT_EQ(result.error, "cannot write " + work.file("nest.tlf") + ": is a folder");
    std::filesystem::remove(work.file("nest.tlf"));
    before.expectIntact(work, jobs);
    EXPECT_EQ(work.entries().size(), 6u) << "no temporary or backup files left";
    EXPECT_EQ(jobs.entries(), std::vector<std::string>{"a.nst"});
}

TEST(JobFileSaveFailure, AJobFolderThatCannotBeWrittenChangesNothing)
{
    TempFolder work, jobs;
    if (!jobs.permissionsAreEnforced()) GTEST_SKIP() << "permission bits do not stop the superuser";
    const SavedState before(work, jobs);
    std::filesystem::permissions(jobs.folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const JobFileResult result = saveJobFile(changedJob(), jobs.file("a.nst"), work.folder());
    std::filesystem::permissions(jobs.folder(), std::filesystem::perms::owner_all);
    EXPECT_EQ(result.error, "cannot write " + jobs.file("a.nst") + ": permission denied");
    before.expectIntact(work, jobs);
    EXPECT_EQ(work.entries().size(), 7u);
}

TEST(JobFileSaveFailure, TextAFileCannotHoldOrAMissingFolderIsRefusedBeforeWriting)
{
    TempFolder work, jobs;
    const SavedState before(work, jobs);
    Job job = changedJob();
    job.parts.setText(1, 4, "a\"b");
    EXPECT_EQ(saveJobFile(job, jobs.file("a.nst"), work.folder()).error,
              "cannot write " + jobs.file("a.nst") + ": row 1, column \"Orn\" of the part grid holds a double quote or a "
              "line break, which a job file cannot store");
    const std::string nowhere = jobs.file("missing/a.nst");
    EXPECT_TRUE(contains(saveJobFile(changedJob(), nowhere, work.folder()).error, "cannot write " + nowhere + ": "));
    EXPECT_EQ(saveJobFile(changedJob(), jobs.folder(), work.folder()).error, "cannot write " + jobs.folder() + ": is a folder");
    before.expectIntact(work, jobs);
    EXPECT_EQ(work.entries().size(), 7u);
}

} // namespace
} // namespace dravenor
