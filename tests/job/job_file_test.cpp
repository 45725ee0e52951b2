// The job file: its format pinned by a golden file, round trips, older files, damaged files and
// failed saves (a clear message naming file and line, and nothing half-replaced).
#include "job/job_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "job/job_file_sections.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor {
namespace {

namespace fs = std::filesystem;
using testing::contains;
using testing::fillRow;
using testing::TempFolder;

const std::string kGolden = DRAVENOR_TEST_DATA "/golden/job/sample.nst";

// Two sheets, three parts, a finished run cut four times, Stack Nesting; every number of a
// record differs from its neighbours so that swapped fields show.
Job sampleJob()
{
    Job job;
    fillRow(job.basic, 1, {"ST37", "A1", "10", "2.5", "2.25", "Rush, order"});
    job.basic.setRows(2);
    fillRow(job.sheets, 1, {"/jobs/plate a.shp", "3", "1"});
    fillRow(job.sheets, 2, {"/jobs/plate,b.dxf", "4", ""});
    fillRow(job.parts, 1, {"/jobs/p1.shp", "10", "", "step90"});
    fillRow(job.parts, 2, {"/jobs/p2.shp", "4", "2", "No"});
    fillRow(job.parts, 3, {"/jobs/p3,cut.shp", "  2 ", "", ""});
    job.nesting.sheets = {{"/jobs/plate a.shp", 3, 1, 250000, 2}, {"/jobs/plate,b.dxf", 4, 32767, 90000, 0}};
    job.nesting.parts = {{"/jobs/p1.shp", 10, 32767, "step90", 1200, 7}, {"/jobs/p2.shp", 4, 2, "No", 800, 0},
                         {"/jobs/p3,cut.shp", 2, 32767, "", 51, 0}};
    job.nesting.items = {{"/jobs/p3,cut.shp", 12.5, 0.1 + 0.2, 90, 2, 3, 1, 4},
                         {"/jobs/p2.shp", 1e-7, 123456.789, 270.25, 2, 2, 1, 4},
                         {"/jobs/plate,b.dxf", 0, 0, 0, 2, 0, 1, 4}};
    job.mode = NestingMode::Stack;
    return job;
}

// The text (the golden file unless given) with one piece replaced.
std::string goldenWith(const std::string& from, const std::string& to, std::string text = TempFolder::read(kGolden))
{
    if (const size_t at = text.find(from); at != std::string::npos) text.replace(at, from.size(), to);
    else ADD_FAILURE() << from;
    return text;
}

// What a job saves as, without section files.
std::string savedText(const Job& job)
{
    const TempFolder dir;
    EXPECT_EQ(saveJobFile(job, dir.file("a.nst"), "").error, "");
    return TempFolder::read(dir.file("a.nst"));
}

// Runs the body with the current directory set to the folder, then restores it.
template <typename Body>
void inCurrentDirectory(const TempFolder& folder, Body body)
{
    const fs::path previous = fs::current_path();
    fs::current_path(folder.folder());
    body();
    fs::current_path(previous);
}

TEST(JobFileFormat, TheSampleJobSavesAsTheGoldenFileAndEachSectionFileAsItsPart)
{
    TempFolder work, jobs, current;
    const std::string path = jobs.file("bracket.nst");
    inCurrentDirectory(current, [&] { ASSERT_EQ(saveJobFile(sampleJob(), path, work.folder()).error, ""); });
    const std::string golden = TempFolder::read(kGolden);
    EXPECT_EQ(TempFolder::read(path), golden);
    // Section files go to the working folder, never the current directory.
    EXPECT_TRUE(current.entries().empty());
    EXPECT_EQ(jobs.entries(), std::vector<std::string>{"bracket.nst"});
    EXPECT_EQ(work.entries(), (std::vector<std::string>{"basic.tlf", "ca.tlf", "nest.tlf", "options.tlf", "part.tlf",
                                                        "sa.tlf", "sheet.tlf"}));
    // Reading copies the sections into the working folder too: each file holds its section.
    TempFolder readWork;
    Job read;
    ASSERT_EQ(readJobFile(path, readWork.folder(), read).error, "");
    for (const TempFolder* folder : {&work, &readWork})
        for (const std::string& name : folder->entries()) {
            std::string header = "[" + name + "]\r\n";
            std::transform(header.begin(), header.end(), header.begin(), ::toupper);
            const size_t from = golden.find(header) + header.size();
            EXPECT_EQ(TempFolder::read(folder->file(name)), golden.substr(from, golden.find("[END]", from) - from));
        }
    // Without a working folder only the job file is written.
    inCurrentDirectory(current, [&] { ASSERT_EQ(saveJobFile(sampleJob(), jobs.file("a.nst"), "").error, ""); });
    EXPECT_TRUE(current.entries().empty());
    EXPECT_EQ(jobs.entries().size(), 2u);

    EXPECT_EQ(savedText(Job{}), "[BASIC.TLF]\r\n[END]\r\n[SA.TLF]\r\n[END]\r\n[CA.TLF]\r\n[END]\r\n"
                                "[OPTIONS.TLF]\r\n#FALSE#,#FALSE#,#TRUE#\r\n[END]\r\n[SHEET.TLF]\r\n[END]\r\n"
                                "[PART.TLF]\r\n[END]\r\n[NEST.TLF]\r\n[END]\r\n");
}

// Saving what was read gives the same bytes again in every mode, Deep Nesting with its settings:
// every cell, record and item was read back into its own place (the first item's name holds a
// comma, which must not make it look like an older seven-field item).
TEST(JobFileFormat, ReadingAndSavingAgainGivesTheSameBytesInEveryModeAndOlderFilesTodaysForm)
{
    const struct {
        NestingMode mode;
        DeepSettings deep;
        const char* options; // the options section as written
    } cases[] = {
        {NestingMode::Free, {}, "#FALSE#,#FALSE#,#TRUE#\r\n"},
        // Default settings write no Deep Nesting line: the file is as an earlier version wrote it.
        {NestingMode::Stack, {}, "#TRUE#,#FALSE#,#FALSE#\r\n"},
        {NestingMode::Deep, {}, "#FALSE#,#FALSE#,#TRUE#\r\n\"Deep Nesting\",#TRUE#,\"\",0,60\r\n"},
        {NestingMode::Deep, {.spacing = 2.5, .margin = 10, .timeLimit = 0.5},
         "#FALSE#,#FALSE#,#TRUE#\r\n\"Deep Nesting\",#TRUE#,\"2.5\",10,0.5\r\n"},
        {NestingMode::ContinuousStack, {.spacing = 0}, "#FALSE#,#TRUE#,#FALSE#\r\n\"Deep Nesting\",#FALSE#,\"0\",0,60\r\n"},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        Job job = sampleJob();
        job.mode = c.mode;
        job.deep = c.deep;
        EXPECT_EQ(writeJobSections(job).texts[OptionsSection], c.options);
        const std::string text = savedText(job);
        Job read;
        read.jobFileName = "/old.nst";
        const JobFileResult result = readJobFile(dir.write("1.nst", text), "", read);
        ASSERT_EQ(result.error, "");
        EXPECT_TRUE(result.warnings.empty()) << result.warnings.front();
        EXPECT_EQ(std::pair(read.mode, read.deep), std::pair(c.mode, c.deep));
        EXPECT_TRUE(read.nesting.entities.empty() && read.jobFileName.empty() && !read.modified);
        EXPECT_EQ(savedText(read), text);
    }
    for (double value : {0.1 + 0.2, -1.0 / 3, 1e-7, 2.5e15, 359.99999999999994, -0.0, 1234567.125})
        EXPECT_EQ(std::stod(formatRecordDouble(value)), value) << formatRecordDouble(value);
    EXPECT_EQ(formatRecordDouble(90) + " " + formatRecordDouble(-12.75), "90 -12.75");
    // An older file (LF line ends, unquoted fields, items without a quantity) saves in today's form.
    Job job;
    ASSERT_EQ(readJobFile(DRAVENOR_TEST_DATA "/golden/job/older.nst", "", job).error, "");
    EXPECT_EQ(job.mode, NestingMode::ContinuousStack);
    EXPECT_EQ(savedText(job), TempFolder::read(DRAVENOR_TEST_DATA "/golden/job/older-saved.nst"));
}

// A job whose parts may be mirrored or turned only half round, with a mirrored placement and
// parts kept out of holes, saves the mirror mark as a seventh field of every part record, a fifth
// part grid column, a ninth field of every layout item and a tagged options line (pinned by a
// golden file) and reads back into the same places, since saving what was read gives the golden
// file again; the sample job, which uses none of them, keeps its file.
TEST(JobFileFormat, MirrorMarksHalfTurnsAndTheJobSwitchesSaveAsTheirGoldenFileAndReadBack)
{
    Job job = sampleJob();
    fillRow(job.parts, 2, {"/jobs/p2.shp", "4", "2", "step180", "Yes"});
    job.nesting.parts[1].Orn = "step180";
    job.nesting.parts[1].Mirror = true;
    job.nesting.items[1].Mirror = true;
    job.nesting.partsInHoles = false;
    job.nesting.commonLines = true;
    const std::string golden = TempFolder::read(DRAVENOR_TEST_DATA "/golden/job/part-rules.nst");
    const std::string text = savedText(job);
    EXPECT_EQ(text, golden);

    TempFolder dir;
    Job read;
    ASSERT_EQ(readJobFile(dir.write("rules.nst", text), "", read).error, "");
    EXPECT_EQ(std::tuple(read.nesting.parts[1].Mirror, read.nesting.items[1].Mirror, read.nesting.partsInHoles,
                         read.nesting.commonLines),
              std::tuple(true, true, false, true));
    EXPECT_EQ(savedText(read), golden);
    // A bad mirror mark names its line.
    const JobFileResult bad = readJobFile(dir.write("bad.nst", goldenWith(",2,4,#TRUE#", ",2,4,maybe", golden)), "", read);
    EXPECT_TRUE(contains(bad.error, "line 10 (ca.tlf, part record 2): mirror 'maybe' is neither #TRUE# nor #FALSE#"))
        << bad.error;
}

TEST(JobFileDamage, EachDamageNamesFileAndLineAndLeavesTheCurrentJob)
{
    const std::string golden = TempFolder::read(kGolden);
    const std::pair<std::string, std::string> damages[] = {
        {golden.substr(0, golden.find("\"/jobs/plate,b.dxf\",0,0,0")), "line 28: the file ends inside section nest.tlf"},
        {golden.substr(0, golden.find("[OPTIONS.TLF]")), "line 13: the file ends after 3 of its 7 sections; options.tlf"},
        {goldenWith("[END]\r\n[CA.TLF]", "[CA.TLF]"), "line 7: section header '[CA.TLF]' inside section sa.tlf"},
        {"hello\r\nworld\r\n", "line 1: 'hello' is not a section header; [BASIC.TLF] expected (not a job file)"},
        {goldenWith(",1,3\r\n", ",1,three\r\n"), "line 5 (sa.tlf, sheet record 1): quantity 'three' is not a number"},
        {goldenWith("\"/jobs/p1.shp\",\"step90\"", "\"/jobs/p1.shp\""),
         "line 9 (ca.tlf, part record 1): 5 fields instead of 6"},
        {goldenWith("#TRUE#,#FALSE#,#FALSE#", "#TRUE#,maybe,#FALSE#"),
         "line 14 (options.tlf, nesting mode): Continuous Stack Nesting 'maybe' is neither #TRUE# nor #FALSE#"},
        {goldenWith("\"/jobs/p1.shp\",\"10\",\"\",\"step90\"", "\"/jobs/p1.shp\",\"10\""),
         "line 21 (part.tlf, row 1): 2 fields instead of 5"},
        {goldenWith(",90,3,2,1,4", ",90,4,2,1,4"),
         "line 26 (nest.tlf, layout item 1): part index 4 does not name one of the 3 part records"},
        {goldenWith(",270.25,2,2,1,4", ",270.25,2,0,1,4"),
         "line 27 (nest.tlf, layout item 2): sheet index 0 does not name one of the 2 sheet records"},
        {goldenWith("12.5,", "x,"), "line 26 (nest.tlf, layout item 1): X 'x' is not a number"},
        {"", "is empty, not a job file"},
        {std::string("[BASIC.TLF]\r\n\0\0\0", 16), "holds binary data"},
    };
    // The job already open stays as it was.
    Job job = sampleJob();
    job.jobFileName = "/jobs/current.nst";
    TempFolder dir;
    for (const auto& [text, expected] : damages) {
        const std::string path = dir.write("damaged.nst", text);
        const JobFileResult result = readJobFile(path, dir.folder(), job);
        EXPECT_EQ(result.error.rfind(path, 0), 0u) << result.error;
        EXPECT_TRUE(contains(result.error, expected)) << result.error << "\nexpected: " << expected;
    }
    // Files that cannot be read at all: the reader's messages (tested with it) reach the user.
    EXPECT_EQ(readJobFile(dir.file("gone.nst"), dir.folder(), job).error, "cannot read " + dir.file("gone.nst") + ": no such file");
    EXPECT_EQ(std::pair(savedText(job), job.jobFileName), std::pair(golden, std::string("/jobs/current.nst")));
    // A failed read writes no working copies.
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"damaged.nst"});
}

TEST(JobFileDamage, OddButReadableContentOpensWithWarnings)
{
    TempFolder dir;
    const std::string text = goldenWith("\"/jobs/plate a.shp\",\"3\"", "\"/jobs/plate a.shp\",\"3x\"",
                                        goldenWith("#TRUE#,#FALSE#,#FALSE#", "#FALSE#,#FALSE#,#FALSE#"));
    const std::string path = dir.write("odd.nst", text + "trailing junk\r\n");
    Job job;
    const JobFileResult result = readJobFile(path, dir.folder(), job);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.warnings, (std::vector<std::string>{
                                   path + ", line 14 (options.tlf, nesting mode): not exactly one nesting mode is "
                                          "checked; the job nests as Continuous Stack Nesting",
                                   path + ", line 17 (sheet.tlf, row 1): Qty '3x' is not a number and counts as 0",
                                   path + ", line 30: text after the last section is ignored"}));
    EXPECT_EQ(job.sheets.text(1, 2), "3x"); // the text is kept
    EXPECT_EQ(job.mode, NestingMode::ContinuousStack);
}

// A damaged Deep Nesting line warns and keeps what can be used.
TEST(JobFileDamage, ADamagedDeepLineWarnsAndKeepsWhatCanBeUsed)
{
    struct Case { const char* line; NestingMode mode; DeepSettings deep; const char* warning; };
    const Case cases[] = {
        {"\"Deep Nesting\",#TRUE#,\"2\",-1,5\r\n", NestingMode::Deep, {.spacing = 2, .timeLimit = 5},
         "'-1': the margin must be a number from 0 up; the default is used"},
        {"\"Deep Nesting\",maybe,\"2\",1,5\r\n", NestingMode::Free, {},
         "Deep Nesting 'maybe' is neither #TRUE# nor #FALSE#; left out"},
        {"\"Other\",#TRUE#,\"\",0,60\r\n", NestingMode::Free, {}, "not a Deep Nesting line; left out"},
        {"\"Deep Nesting\",#TRUE#\r\n", NestingMode::Free, {}, "not a Deep Nesting line; left out"},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        const std::string path =
            dir.write("job.nst", goldenWith("#TRUE#,#FALSE#,#FALSE#\r\n", std::string("#FALSE#,#FALSE#,#TRUE#\r\n") + c.line));
        Job job;
        const JobFileResult result = readJobFile(path, "", job);
        EXPECT_EQ(std::tuple(result.error, result.warnings, job.mode, job.deep),
                  std::tuple("", std::vector<std::string>{path + ", line 15 (options.tlf, Deep Nesting): " + c.warning}, c.mode,
                             c.deep)) << c.line;
    }
}

// A failed save leaves the previous job file and every section file as they were, and no
// temporary or backup files.
TEST(JobFileSaveFailure, NothingIsHalfReplaced)
{
    TempFolder work, jobs;
    const std::string path = jobs.file("a.nst");
    Job job;
    job.basic.setText(1, 1, "OLD");
    ASSERT_EQ(saveJobFile(job, path, work.folder()).error, "");
    const auto files = [&] {
        std::vector<std::string> bytes{TempFolder::read(path)};
        for (const std::string& name : work.entries()) bytes.push_back(name + TempFolder::read(work.file(name)));
        return bytes;
    };
    const std::vector<std::string> before = files();
    const auto save = [&](const std::string& to) { return saveJobFile(job, to, work.folder()).error; };

    // Refused before writing: text a file cannot hold; a folder as the file (the other failures of
    // writing are the atomic writer's, tested with it).
    job = sampleJob();
    job.parts.setText(1, 4, "a\"b");
    EXPECT_EQ(save(path), "cannot write " + path + ": row 1, column \"Orn\" of the part grid holds a double quote or "
                          "a line break, which a job file cannot store");
    job = sampleJob();
    EXPECT_EQ(save(jobs.folder()), "cannot write " + jobs.folder() + ": is a folder");
    EXPECT_EQ(files(), before);
    // The last section's target becomes a folder: six sections are renamed before it fails.
    const std::string nest = TempFolder::read(work.file("nest.tlf"));
    fs::remove(work.file("nest.tlf"));
    fs::create_directory(work.file("nest.tlf"));
    EXPECT_EQ(save(path), "cannot write " + work.file("nest.tlf") + ": is a folder");
    fs::remove(work.file("nest.tlf"));
    work.write("nest.tlf", nest);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(jobs.entries(), std::vector<std::string>{"a.nst"});
}

} // namespace
} // namespace dravenor
