// Deep Nesting in the job: the settings as typed, and a damaged Deep Nesting line of a job file
// (the settings' round trip is among the job file format's cases).
#include <gtest/gtest.h>

#include <cmath>

#include "job/deep_settings_input.h"
#include "job/job_file.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

TEST(DeepSettingsInput, EachFieldReadsItsNumbersAndNamesWhatIsWrong)
{
    struct Case { DeepField field; const char* text; double value; const char* error; };
    const char* const spacingRule = "the spacing must be a number from 0 up (empty: the kerf)";
    const char* const timeRule = "the time limit must be a number of seconds above 0";
    const Case cases[] = {
        {DeepField::Spacing, "", -1, ""},      {DeepField::Spacing, "2.5", 2.5, ""},
        {DeepField::Spacing, "0", 0, ""},      {DeepField::Spacing, "-1", 0, spacingRule},
        {DeepField::Spacing, "3mm", 0, spacingRule},
        {DeepField::Margin, "0", 0, ""},       {DeepField::Margin, "-0.5", 0, "the margin must be a number from 0 up"},
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
}

TEST(DeepSettingsInput, ARecordNoRunCanUseIsNamedBeforeTheRun)
{
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

// A job whose options section is the given lines; everything else empty.
std::string jobFileWithOptions(const std::string& options)
{
    return "[BASIC.TLF]\r\n\"\",\"\",\"\",\"3\",\"\",\"\"\r\n[END]\r\n[SA.TLF]\r\n[END]\r\n[CA.TLF]\r\n[END]\r\n"
           "[OPTIONS.TLF]\r\n" + options + "[END]\r\n[SHEET.TLF]\r\n[END]\r\n[PART.TLF]\r\n[END]\r\n[NEST.TLF]\r\n[END]\r\n";
}

struct Read { Job job; JobFileResult result; };

Read readText(const TempFolder& dir, const std::string& text)
{
    Read read;
    read.result = readJobFile(dir.write("job.nst", text), "", read.job);
    return read;
}

TEST(DeepJobFile, ADamagedDeepLineWarnsAndKeepsWhatCanBeUsed)
{
    struct Case { const char* line; NestingMode mode; DeepSettings deep; const char* warning; };
    const std::string where = "line 10 (options.tlf, Deep Nesting): ";
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
        const Read read = readText(dir, jobFileWithOptions(std::string("#FALSE#,#FALSE#,#TRUE#\r\n") + c.line));
        ASSERT_TRUE(read.result.ok()) << read.result.error;
        ASSERT_EQ(read.result.warnings.size(), 1u) << c.line;
        EXPECT_EQ(read.result.warnings[0], dir.file("job.nst") + ", " + where + c.warning);
        EXPECT_EQ(read.job.mode, c.mode) << c.line;
        EXPECT_EQ(read.job.deep, c.deep) << c.line;
    }
}

} // namespace
} // namespace dravenor
