#include <gtest/gtest.h>

#include <map>

#include <cmath>
#include <set>

#include "cell_by_cell_fit.h"
#include "engine/layout_summary.h"
#include "engine/nesting_driver.h"
#include "engine_job.h"
#include "layout_check.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Cancels at its first poll, which comes after the first sheet.
class CancelAtFirstPoll : public SilentProgress {
public:
    bool cancelRequested() override { return true; }
};

// Records the first sheet strategised in each trial.
class FirstSheetPerTrial : public SilentProgress {
public:
    std::set<std::string> firstSheets;
    void trialStarted(int, int) override { waiting_ = true; }
    void status(const std::string& text, long long, long long) override
    {
        if (waiting_ && text.rfind("Strategizing for sheet ", 0) == 0) {
            firstSheets.insert(text);
            waiting_ = false;
        }
    }

private:
    bool waiting_ = false;
};

// Degrees brought into [0, 360).
double turn(double angle)
{
    const double a = std::fmod(angle, 360.0);
    return a < 0 ? a + 360 : a;
}

} // namespace

TEST(Driver, RunsOneTrialPerSheetTypeToTheFourth)
{
    for (int types = 1; types <= 4; ++types) {
        EngineJob job;
        for (const char* name : {"s1.shp", "s2.shp", "s3.shp", "s4.shp"}) {
            if (static_cast<int>(job.state.sheets.size()) == types) break;
            job.sheet(job.rectangleFile(name, 300, 300), 1);
        }
        job.part(job.rectangleFile("p.shp", 50, 50), 1).kerf(3);
        SilentProgress progress;
        const RunResult result = optimise(job.state, NestingMode::Free, progress);
        const int expected = types * types * types * types;
        EXPECT_EQ(result.trials, expected) << types << " sheet types";
        EXPECT_EQ(result.trialsRun, expected);
        EXPECT_EQ(result.status, EndStatus::Full);
    }
}

TEST(Driver, CancelKeepsTheCancelledTrialsLayouts)
{
    EngineJob job;
    job.sheet(job.rectangleFile("a.shp", 300, 300), 5, 1).sheet(job.rectangleFile("b.shp", 300, 300), 5, 1);
    job.part(job.rectangleFile("p.shp", 200, 200), 12).kerf(3);
    CancelAtFirstPoll progress;
    const RunResult result = optimise(job.state, NestingMode::Free, progress);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.trialsRun, 1);
    EXPECT_EQ(result.status, EndStatus::Partial);
    EXPECT_EQ(job.state.entities.back().LayoutNo, 1);
    EXPECT_EQ(job.state.entities.back().Qty, 5) << "the first sheet's layout, repeated over its stock";
    EXPECT_EQ(job.state.parts[0].Remaining, 7);
}

TEST(Driver, EqualPrioritiesAreTriedInRandomOrderReproducibly)
{
    EngineJob job;
    job.sheet(job.rectangleFile("a.shp", 300, 300), 1, 1).sheet(job.rectangleFile("b.shp", 300, 300), 1, 1);
    job.part(job.rectangleFile("p.shp", 200, 200), 2).kerf(3);
    FirstSheetPerTrial progress;
    NestingState first = job.state, second = job.state;
    EXPECT_EQ(optimise(first, NestingMode::Free, progress).trials, 16);
    EXPECT_EQ(progress.firstSheets,
              (std::set<std::string>{"Strategizing for sheet a.shp...", "Strategizing for sheet b.shp..."}))
        << "over 16 trials each sheet comes first some time";
    SilentProgress silent;
    optimise(second, NestingMode::Free, silent);
    EXPECT_EQ(first.entities, second.entities);
}

TEST(Driver, SortsSheetsAndPartsByPriorityThenArea)
{
    EngineJob job;
    const std::string small = job.rectangleFile("small.shp", 300, 300);
    const std::string large = job.rectangleFile("large.shp", 600, 600);
    const std::string last = job.rectangleFile("last.shp", 900, 900);
    job.sheet(last, 1, 0).sheet(small, 1, 2).sheet(large, 1, 2);
    const std::string p1 = job.rectangleFile("p1.shp", 10, 10);
    const std::string p2 = job.rectangleFile("p2.shp", 40, 40);
    const std::string p3 = job.rectangleFile("p3.shp", 20, 20);
    job.part(p1, 1, 1).part(p2, 1, 0).part(p3, 1, 1).kerf(1);
    SilentProgress progress;
    NestingRun run(job.state, NestingMode::Free, progress);
    setUpKerfAndScale(run);
    computeAreasAndSort(run);
    const NestingState& s = job.state;
    EXPECT_EQ((std::vector<std::string>{s.sheets[0].FileName, s.sheets[1].FileName, s.sheets[2].FileName}),
              (std::vector<std::string>{large, small, last}));
    EXPECT_EQ((std::vector<std::string>{s.parts[0].FileName, s.parts[1].FileName, s.parts[2].FileName}),
              (std::vector<std::string>{p3, p1, p2}));
    EXPECT_EQ(s.sheets[2].Pri, 32767) << "priority 0 sorts last";
    EXPECT_EQ(s.parts[0].Area, 400);
}

// The example job, optimised once for the checks below.
class ExampleJob : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        state_ = new NestingState(exampleJob());
        SilentProgress progress;
        result_ = optimise(*state_, NestingMode::Free, progress);
    }
    static void TearDownTestSuite()
    {
        delete state_;
        state_ = nullptr;
    }
    static NestingState* state_;
    static RunResult result_;
};
NestingState* ExampleJob::state_ = nullptr;
RunResult ExampleJob::result_;

TEST_F(ExampleJob, NestsEveryPartWithoutOverlapInsideTheSheets)
{
    EXPECT_EQ(result_.status, EndStatus::Full) << result_.statusText;
    EXPECT_EQ(result_.trials, 81);
    const std::vector<std::string> faults = geometryFaults(*state_, state_->details.ActKerf);
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
}

TEST_F(ExampleJob, PlacesEachQuantityExactlyAndNeverMoreSheetsThanInStock)
{
    const PlacedCounts counts = placedCounts(*state_);
    for (size_t i = 0; i < state_->parts.size(); ++i)
        EXPECT_EQ(counts.parts[i], state_->parts[i].Qty) << state_->parts[i].FileName;
    for (size_t i = 0; i < state_->sheets.size(); ++i) {
        EXPECT_LE(counts.sheets[i], state_->sheets[i].Qty) << state_->sheets[i].FileName;
        EXPECT_EQ(counts.sheets[i], state_->sheets[i].Qty - std::abs(state_->sheets[i].Remaining));
    }
}

TEST_F(ExampleJob, YieldsAddUp)
{
    const std::vector<LayoutSummary> layouts = summariseLayouts(*state_);
    ASSERT_FALSE(layouts.empty());
    EXPECT_DOUBLE_EQ(overallYield(layouts), result_.bestYield);
    for (const LayoutSummary& s : layouts) {
        EXPECT_GT(s.yield(), 0);
        EXPECT_LE(s.yield(), 1.05) << "layout " << s.layoutNo; // raster areas are a little generous
    }
    double placed = 0;
    for (const PartEntry& p : state_->parts) placed += static_cast<double>(p.Area) * p.Qty;
    double used = 0;
    for (const LayoutSummary& s : layouts) used += s.sheetArea * s.qty;
    EXPECT_DOUBLE_EQ(placed / used, result_.bestYield);
}

TEST_F(ExampleJob, HonoursTheOrientationRules)
{
    // Rules hold on the sheet as the user sees it, whatever turn the sheet was nested at: "No"
    // parts lie as drawn, "step90" parts at right angles.
    for (const LayoutEntity& e : state_->entities) {
        if (e.PartIndex == 0) continue;
        const std::string& orn = state_->part(e.PartIndex).Orn;
        const double quarter = std::remainder(turn(e.Angle), 90.0);
        if (orn == "No") {
            EXPECT_NEAR(std::remainder(turn(e.Angle), 360.0), 0, 1e-9) << e.Angle;
        } else if (orn == "step90") {
            EXPECT_NEAR(quarter, 0, 1e-9) << e.Angle;
        }
    }
}

TEST_F(ExampleJob, ASecondRunGivesTheSameResult)
{
    NestingState again = exampleJob();
    SilentProgress progress;
    const RunResult result = optimise(again, NestingMode::Free, progress);
    EXPECT_EQ(result.bestYield, result_.bestYield);
    EXPECT_EQ(again.entities, state_->entities);
}

TEST(Driver, EngineFitTestGivesTheCellByCellLayouts)
{
    // Several part types share each sheet, on two sheet types, in every mode.
    for (const NestingMode mode : {NestingMode::Free, NestingMode::Stack, NestingMode::ContinuousStack}) {
        EngineJob job;
        const Shape triangle{lineEntity(0, 0, 60, 0), lineEntity(60, 0, 0, 40), lineEntity(0, 40, 0, 0)};
        job.sheet(job.rectangleFile("s1.shp", 300, 200), 3)
            .sheet(job.rectangleFile("s2.shp", 250, 250), 2)
            .part(job.rectangleFile("a.shp", 70, 30), 9)
            .part(job.rectangleFile("b.shp", 45, 25), 7, 0, "step90")
            .part(job.shapeFile("c.shp", triangle), 8, 0, "No")
            .kerf(2);
        NestingState reference = job.state;
        SilentProgress progress;
        optimise(job.state, mode, progress);
        optimise(reference, mode, progress, nullptr, &cellByCellFits);
        EXPECT_GT(job.state.entities.size(), 20u);
        EXPECT_EQ(job.state.entities, reference.entities);
        EXPECT_TRUE(geometryFaults(job.state, 2).empty());
    }
}
