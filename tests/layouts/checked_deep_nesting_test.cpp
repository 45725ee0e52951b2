// A Deep Nesting run as the window and the batch tool start it: a faulty result is never called
// done, and Stop at any moment leaves layouts that the vector check accepts at the job's spacing.
// Settings no run can use are refused before the search starts (the main window's Deep tests).
#include <gtest/gtest.h>

#include "deep/deep_run.h"
#include "engine/engine_job.h"
#include "engine/layout_results.h"
#include "geometry/shape_builders.h"
#include "layouts/checked_deep_nesting.h"
#include "layouts/checked_optimisation.h"
#include "layouts/deep_progress_text.h"
#include "layouts/kerf_note.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor::testing {
namespace {

class CheckedDeepNesting : public ::testing::Test {
protected:
    CheckedDeepNesting()
    {
        job.kerf(3)
            .sheet(job.rectangleFile("sheet.shp", 400, 300), 3)
            .part(job.rectangleFile("plate.shp", 120, 70), 6)
            .part(job.shapeFile("disc.shp", {arcEntity(40, 40, 40, 0, 360)}), 4, 1);
    }

    EngineJob job;
};

TEST_F(CheckedDeepNesting, AResultWithPartsCloserThanTheSpacingNeedsChecking)
{
    // A search that puts two plates 2 apart where the kerf asks for 3.
    const DeepSearch search = [](NestingState& s, const DeepSettings&, DeepProgress&) {
        for (PartEntry& p : s.parts) p.Remaining = 0;
        appendShape(s.entities, rectangle(10, 10, 120, 70), 1, 1, 1, 1, 0, 1);
        appendShape(s.entities, rectangle(132, 10, 120, 70), 1, 1, 1, 2, 0, 1);
        appendShape(s.entities, rectangle(0, 0, 400, 300), 1, 1, 0, 0, 0, 1);
        s.items = buildItemList(s);
        DeepOutcome outcome;
        outcome.ran = true;
        outcome.seconds = 1.5;
        return outcome;
    };
    RecordingProgress progress;
    const DeepRun run = nestDeepChecked(job.state, DeepSettings{}, progress, search);
    EXPECT_EQ(run.result.status, EndStatus::Partial);
    EXPECT_EQ(run.result.statusText, "Optimization Done, Layouts Need Checking# [1.5 Seconds]");
    ASSERT_EQ(progress.warnings.size(), 1u);
    EXPECT_NE(progress.warnings[0].find("are 2 apart, less than the spacing 3"), std::string::npos);
    EXPECT_EQ(job.state.details.ActKerf, 3);
}

TEST_F(CheckedDeepNesting, StopAtAnyMomentLeavesValidListedLayouts)
{
    for (const DeepSettings settings : {DeepSettings{.timeLimit = 0.3}, DeepSettings{.spacing = 5, .margin = 4, .timeLimit = 0.3}}) {
        for (int stopAfter : {0, 1, 2, -1}) {
            NestingState state = job.state;
            RecordingProgress progress;
            progress.stopWhen = [&] { return stopAfter >= 0 && progress.improvements >= stopAfter; };
            const DeepRun run = nestDeepChecked(state, settings, progress);
            ASSERT_TRUE(run.outcome.ran) << run.outcome.error;
            EXPECT_TRUE(progress.warnings.empty()) << progress.warnings.front();
            EXPECT_NE(run.result.statusText.find("Optimization"), std::string::npos);
            SCOPED_TRACE("stop after " + std::to_string(stopAfter));
            expectSound(state, settings.spacing < 0 ? 3 : settings.spacing, settings.margin);
            EXPECT_TRUE(run.outcome.stopped || stopAfter != 0);
        }
    }
}

TEST_F(CheckedDeepNesting, TheSpacingKeptIsNamedWhereverTheKerfUsedWouldBe)
{
    for (const auto& [spacing, note] : {std::pair{-1.0, ""}, std::pair{5.0, "Spacing 5 between parts (kerf entered 3)"}}) {
        NestingState state = job.state;
        RecordingProgress progress;
        progress.stopWhen = [&] { return progress.improvements >= 1; };
        nestDeepChecked(state, DeepSettings{.spacing = spacing, .timeLimit = 0.2}, progress);
        EXPECT_TRUE(state.deepLayouts);
        EXPECT_EQ(kerfUsedNote(state), note);
    }
}

TEST(DeepProgressText, TimeOrWorkAgainstTheLimitAndTheBestSoFar)
{
    EXPECT_EQ(deepElapsedText(12.34, 99, DeepSettings{}), "12.3 s of 60 s");
    EXPECT_EQ(deepElapsedText(0, 0, DeepSettings{.timeLimit = 0.5}), "0.0 s of 0.5 s");
    EXPECT_EQ(deepElapsedText(3, 1200, DeepSettings{.iterations = 5000}), "1200 of 5000 iterations");
    EXPECT_EQ(deepBestText(DeepBest{}), "no result yet");
    EXPECT_EQ(deepBestText(DeepBest{3, 2.4, 78.12345, 40, 40}), "3 sheets, yield 78.123%, 40 of 40 parts placed");
    EXPECT_EQ(deepBestText(DeepBest{1, 0.5, 12.5, 3, 7}), "1 sheet, yield 12.5%, 3 of 7 parts placed");
    EXPECT_EQ(deepBestText(DeepBest{4, 3.3, 60.5, 40, 40, 4}), "4 sheets (fewest possible: 4), yield 60.5%, 40 of 40 parts placed");
    DeepOutcome outcome;
    outcome.iterations = 1;
    outcome.seconds = 2.346;
    outcome.stopped = true;
    EXPECT_EQ(deepRunText(outcome, 3, 0), "Deep Nesting: 1 iteration in 2.35 s, spacing 3, margin 0, stopped");
}

// The least used sheet along its longer side, wide and tall sheets alike.
TEST(DeepProgressText, TheLeastUsedSheetAndItsOffcutAreWhatTheSearchCanStillGain)
{
    struct Case { double sheetW, sheetH; std::vector<double> reach; const char* expected; };
    const Case cases[] = {
        {1000, 500, {600, 300, 950}, "least used sheet: layout 2, 300 of 1000 used, offcut 700 x 500"},
        {500, 1000, {250.04, 800}, "least used sheet: layout 1, 250 of 1000 used, offcut 750 x 500"},
        {1000, 500, {}, ""},
    };
    for (const Case& c : cases) {
        NestingState state;
        const bool wide = c.sheetW >= c.sheetH;
        for (size_t k = 0; k < c.reach.size(); ++k) {
            const auto layoutNo = static_cast<std::int32_t>(k + 1);
            // One part from the sheet's corner to the reach along the longer side.
            const double w = wide ? c.reach[k] : 100, h = wide ? 100 : c.reach[k];
            appendShape(state.entities, rectangle(0, 0, w, h), layoutNo, 1, 1, 1, 0, 1);
            appendShape(state.entities, rectangle(0, 0, c.sheetW, c.sheetH), layoutNo, 1, 0, 0, 0, 1);
        }
        EXPECT_EQ(leastUsedSheetText(state), c.expected);
    }
}

} // namespace
} // namespace dravenor::testing
