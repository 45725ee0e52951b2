// The least remnant kept travels with the job file: written only when it differs from the
// defaults, read back, and an older job (or a bad value) opens with the defaults.
#include <gtest/gtest.h>

#include "job/job_file.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

TEST(RemnantSettingsInJobFile, TravelWithTheJob)
{
    TempFolder temp;
    const std::string path = temp.file("job.nst");
    struct Case {
        RemnantSettings given;
        NestingMode mode;
        bool lineWritten;
    };
    const Case cases[] = {{{}, NestingMode::Free, false}, {{50, 2000}, NestingMode::Free, true},
                          {{0, 0.5}, NestingMode::Deep, true}, {{100, 100000}, NestingMode::Deep, false}};
    for (const Case& c : cases) {
        Job job;
        job.remnants = c.given;
        job.mode = c.mode;
        ASSERT_TRUE(saveJobFile(job, path, "").ok());
        EXPECT_EQ(TempFolder::read(path).find("\"Remnants\",") != std::string::npos, c.lineWritten);
        Job read;
        const JobFileResult result = readJobFile(path, "", read);
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_TRUE(result.warnings.empty());
        EXPECT_EQ(read.remnants, c.given);
        EXPECT_EQ(read.mode, c.mode);
    }
}

TEST(RemnantSettingsInJobFile, BadValuesKeepTheDefaults)
{
    TempFolder temp;
    const std::string path = temp.file("job.nst");
    Job job;
    job.remnants = {50, 2000};
    ASSERT_TRUE(saveJobFile(job, path, "").ok());
    std::string text = TempFolder::read(path);
    text.replace(text.find("\"Remnants\",50,"), 14, "\"Remnants\",-5,");
    temp.write("job.nst", text);
    Job read;
    const JobFileResult result = readJobFile(path, "", read);
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("the least remnant width must not be negative; the default is used"),
              std::string::npos)
        << result.warnings[0];
    EXPECT_EQ(read.remnants.minWidth, RemnantSettings{}.minWidth);
    EXPECT_EQ(read.remnants.minArea, 2000);
}

} // namespace
} // namespace dravenor
