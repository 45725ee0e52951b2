// dravenor-cli nest --mode deep: a run whose layouts pass the check at the spacing, and a saved job
// that keeps the mode and settings (refused options are among the batch tool's refusals).
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "job/job_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

// The summary's lines between the status (with its time) and the Deep Nesting line (with its time).
std::string layoutLines(const std::string& out)
{
    const size_t from = out.find('\n') + 1;
    return out.substr(from, out.find("Deep Nesting:") - from);
}

TEST(NestDeep, ARunGivesLayoutsThatPassTheCheckAtItsSpacingAndASavedJobKeepsItsSettings)
{
    // Plates of 120 x 70 and discs of diameter 80 on 400 x 300 sheets.
    TempFolder dir;
    const std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 300));
    const std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 120, 70));
    const std::string disc = savedShape(dir, "disc.shp", {arcEntity(40, 40, 40, 0, 0)});
    const std::string saved = dir.file("deep.nst"), json = dir.file("deep.json");
    const ToolRun run = runInProcess({"nest", "--kerf", "3", "--sheet", sheet + ":3", "--part", plate + ":5", "--part",
                                      disc + ":3", "--mode", "deep", "--spacing", "4", "--margin", "2", "--iterations",
                                      "20", "--seed", "7", "--save", saved, "--json", json});
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

} // namespace
} // namespace dravenor::testing
