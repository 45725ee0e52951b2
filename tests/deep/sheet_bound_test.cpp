// The fewest sheets a job can need: wide parts that may not turn stack along the sheet's middle
// line, so they can need more sheets than their area; parts free to turn, or jobs of several sheet
// types, keep the area bound. A run never ends below the bound, and reaches it where it is tight.
#include <gtest/gtest.h>

#include "deep/deep_run.h"
#include "deep/deep_shapes.h"
#include "deep/sheet_bound.h"
#include "deep/solution_score.h"
#include "engine/engine_job.h"

using namespace dravenor;
using namespace dravenor::testing;
namespace dd = dravenor::deep;

namespace {

struct BoundCase {
    const char* name;
    double partWidth, partHeight;
    const char* rule;
    bool twoSheetTypes;
    int fewest;
};

// Four parts, 100 x 100 sheets, spacing 2: the four parts' area fills one sheet.
const BoundCase kBounds[] = {
    {"wide parts that keep their turn stack in the height", 60, 30, "No", false, 2},
    {"tall parts that keep their turn stack in the width", 30, 60, "No", false, 2},
    {"a quarter turn lets them stand side by side", 60, 30, "step90", false, 1},
    {"parts free to turn", 60, 30, "", false, 1},
    {"parts narrower than half the sheet", 45, 30, "No", false, 1},
    {"two sheet types", 60, 30, "No", true, 1},
};

class SheetBounds : public ::testing::TestWithParam<BoundCase> {};

TEST_P(SheetBounds, CountWhatTheMiddleLinesHoldAndRunsNeverBeatIt)
{
    const BoundCase& c = GetParam();
    EngineJob job;
    job.kerf(2).sheet(job.rectangleFile("sheet.shp", 100, 100), 3);
    if (c.twoSheetTypes) job.sheet(job.rectangleFile("other.shp", 100, 101), 3);
    job.part(job.rectangleFile("p.shp", c.partWidth, c.partHeight), 4, 0, c.rule);
    RecordingProgress progress;
    const DeepOutcome outcome = runDeepNesting(job.state, fixedWork(400, 1, 2), progress);
    ASSERT_TRUE(outcome.ran) << outcome.error;
    EXPECT_EQ(outcome.fewestSheets, c.fewest);
    expectSound(job.state, 2, 0);
    EXPECT_EQ(outcome.best.partsPlaced, 4);
    EXPECT_GE(outcome.best.sheets, outcome.fewestSheets);
    // The progress reports carry the bound while the run goes on.
    EXPECT_EQ(progress.lastBest.fewestSheets, c.fewest);
    // Where the parts keep their turn, the bound is what a layout reaches: three stacked, one more.
    if (std::string(c.rule) == "No" && c.fewest == 2) {
        EXPECT_EQ(outcome.best.sheets, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Deep, SheetBounds, ::testing::ValuesIn(kBounds),
                         [](const auto& info) { return caseName(info.param.name); });

TEST(SheetBounds, LeastCrossSectionFollowsSlantsAndLeavesHolesOut)
{
    struct Cut {
        const char* name;
        Shape shape;
        int axis;
        double from, to, least;
    };
    const Cut cuts[] = {
        {"triangle, least at the narrow end", polygon({{0, 0}, {100, 0}, {0, 50}}), 0, 20, 60, 20},
        {"triangle across y", polygon({{0, 0}, {100, 0}, {0, 50}}), 1, 10, 25, 50},
        {"frame through its hole", frame(200, 150), 0, 30, 170, 50},
        {"frame beside its hole", frame(200, 150), 0, 2, 20, 200},
        {"notch of an L", lShape(90, 70, 25), 1, 0, 60, 25},
    };
    for (const Cut& c : cuts) {
        EngineJob files;
        files.sheet(files.rectangleFile("sheet.shp", 1000, 1000), 1).part(files.shapeFile("p.shp", c.shape), 1, 0, "No");
        NestingState state = files.state;
        const dd::DeepJob job = dd::buildDeepJob(state, {0, 0}, [] { return false; });
        ASSERT_EQ(job.parts.size(), 1u) << c.name;
        const double least = dd::leastCrossSection(job.parts[0].orientations[0].spacing, c.axis, c.from, c.to);
        // The region is the part grown by a hair for rounding.
        EXPECT_NEAR(least, c.least, 0.1) << c.name;
    }
}

TEST(SheetBounds, AlbanosPartsNeedFourSheetsWhateverTheirArea)
{
    // Its parts fill 2.42 sheets, but the ones wider than half a sheet cut more than three sheets'
    // height from the middle line.
    EngineJob files;
    files.kerf(3).sheet(files.rectangleFile("sheet.shp", 1100, 1500), 10);
    const int quantities[] = {2, 2, 4, 4, 4, 4, 2, 2};
    for (int k = 0; k < 8; ++k)
        files.part(DRAVENOR_TEST_DATA "/deep/albano/i_" + std::to_string(k) + ".shp", quantities[k], 0, "No");
    NestingState state = files.state;
    const dd::DeepJob job = dd::buildDeepJob(state, {3, 0}, [] { return false; });
    ASSERT_EQ(job.items.size(), 24u);
    EXPECT_EQ(dd::sheetsByArea(job, job.partArea), 3);
    EXPECT_EQ(dd::fewestSheets(job), 4);
}

} // namespace
