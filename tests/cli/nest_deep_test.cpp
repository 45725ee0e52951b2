// dravenor-cli nest --mode deep and check-layout with distances: the options and what is wrong
// with them, a run whose layouts pass the check at the spacing, and a saved job that keeps the
// mode and settings.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "job/job_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

// A 400 x 300 sheet, plates of 120 x 70 and discs of diameter 80.
struct DeepJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 300));
    std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 120, 70));
    std::string disc = savedShape(dir, "disc.shp", {arcEntity(40, 40, 40, 0, 0)});

    ToolRun nest(const cli::Args& more) const
    {
        cli::Args args{"nest", "--kerf", "3", "--sheet", sheet + ":3", "--part", plate + ":5", "--part", disc + ":3"};
        args.insert(args.end(), more.begin(), more.end());
        return runInProcess(args);
    }
};

// The summary's lines between the status (with its time) and the Deep Nesting line (with its time).
std::string layoutLines(const std::string& out)
{
    const size_t from = out.find('\n') + 1;
    return out.substr(from, out.find("Deep Nesting:") - from);
}

TEST(NestDeep, BadOptionsEndWithOneClearLine)
{
    DeepJob job;
    struct Case {
        cli::Args args;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"--mode", "deep", "--time", "0"}, "--time '0': the time limit must be a number of seconds above 0"},
        {{"--mode", "deep", "--time", "-3"}, "--time '-3': the time limit must be a number of seconds above 0"},
        {{"--mode", "deep", "--time", "soon"}, "--time 'soon': the time limit must be a number of seconds above 0"},
        {{"--mode", "deep", "--spacing", "-1"}, "--spacing '-1': the spacing must be a number from 0 up"},
        {{"--mode", "deep", "--spacing", ""}, "--spacing '': it is empty"},
        {{"--mode", "deep", "--margin", "-0.5"}, "--margin '-0.5': the margin must be a number from 0 up"},
        {{"--mode", "deep", "--threads", "0"}, "--threads '0' is not a whole number from 1 up"},
        {{"--mode", "deep", "--threads", "2.5"}, "--threads '2.5' is not a whole number from 1 up"},
        {{"--mode", "deep", "--seed", "-4"}, "--seed '-4' is not a whole number from 0 up"},
        {{"--mode", "deep", "--iterations", "0"}, "--iterations '0' is not a whole number from 1 up"},
        {{"--mode", "free", "--seed", "4"}, "--seed goes with --mode deep only"},
        {{"--iterations", "40"}, "--iterations goes with --mode deep only"},
    };
    for (const Case& c : cases) {
        const ToolRun r = job.nest(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_TRUE(contains(r.err, c.message)) << "expected: " << c.message << "\ngot: " << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST(NestDeep, ARunGivesLayoutsThatPassTheCheckAtItsSpacingAndASavedJobKeepsItsSettings)
{
    DeepJob job;
    const std::string saved = job.dir.file("deep.nst");
    const std::string json = job.dir.file("deep.json");
    const ToolRun run = job.nest(
        {"--mode", "deep", "--spacing", "4", "--margin", "2", "--iterations", "20", "--seed", "7", "--save", saved, "--json", json});
    ASSERT_LE(run.code, 1) << run.err;
    EXPECT_TRUE(contains(run.out, "Optimization Done#")) << run.out;
    EXPECT_TRUE(contains(run.out, "Deep Nesting: 20 iterations in ")) << run.out;
    EXPECT_TRUE(contains(run.out, ", spacing 4, margin 2\n")) << run.out;
    EXPECT_TRUE(contains(TempFolder::read(json), "  \"deep\": {\n    \"spacing\": 4,\n    \"margin\": 2,\n    \"timeLimit\": 0,\n"
                                                 "    \"threads\": 0,\n    \"seed\": 7,\n    \"iterations\": 20,\n    \"stopped\": false,\n"))
        << TempFolder::read(json);

    Job reopened;
    ASSERT_TRUE(readJobFile(saved, "", reopened).ok());
    EXPECT_EQ(reopened.mode, NestingMode::Deep);
    EXPECT_EQ(reopened.deep, (DeepSettings{.spacing = 4, .margin = 2}));
    ASSERT_FALSE(reopened.nesting.items.empty());

    // The job's own spacing and margin are checked; a wider spacing asked for finds the gaps.
    const ToolRun check = runInProcess({"check-layout", saved});
    EXPECT_EQ(check.code, 0) << check.out << check.err;
    const ToolRun wider = runInProcess({"check-layout", saved, "--spacing", "40"});
    EXPECT_EQ(wider.code, 1) << wider.out;
    EXPECT_TRUE(contains(wider.out, "closer than the spacing")) << wider.out;

    // Run again from the saved job: its settings come along, and the run repeats its layouts.
    const ToolRun again = runInProcess({"nest", "--job", saved, "--iterations", "20", "--seed", "7"});
    ASSERT_LE(again.code, 1) << again.err;
    EXPECT_EQ(layoutLines(again.out), layoutLines(run.out));
}

TEST(CheckLayoutDistances, ALayoutFileIsMeasuredAtTheSpacingAndMarginGiven)
{
    TempFolder dir;
    savedShape(dir, "sheet.shp", rectangle(0, 0, 500, 300));
    savedShape(dir, "plate.shp", rectangle(0, 0, 100, 20));
    const std::string path =
        dir.write("gaps.lay", "\"sheet.shp\",0,0,0,1\r\n\"plate.shp\",10,10,0,1\r\n\"plate.shp\",112.9,10,0,1\r\n");
    struct Case {
        cli::Args options;
        int code;
        std::string out;
    };
    const Case cases[] = {
        {{}, 0, "1 layout checked: no overlaps, every part on its sheet\n"},
        {{"--spacing", "2.9"}, 0, "1 layout checked: no overlaps, every part on its sheet\n"},
        {{"--spacing", "3"}, 1,
         "layout 1: parts 1 (plate.shp) and 2 (plate.shp) are 2.9 apart, less than the spacing 3\n"
         "1 layout checked: no overlaps, every part on its sheet, 1 pair of parts closer than the spacing\n"},
        {{"--margin", "12"}, 1,
         "layout 1: part 1 (plate.shp) is 10 from the sheet's outline, less than the margin 12\n"
         "layout 1: part 2 (plate.shp) is 10 from the sheet's outline, less than the margin 12\n"
         "1 layout checked: no overlaps, every part on its sheet, 2 parts closer to the sheet's outline than the margin\n"},
    };
    for (const Case& c : cases) {
        cli::Args args{"check-layout", path};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun r = runInProcess(args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    const ToolRun bad = runInProcess({"check-layout", path, "--spacing", "-3"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(contains(bad.err, "--spacing '-3' is not a number from 0 up")) << bad.err;
}

} // namespace
} // namespace dravenor::testing
