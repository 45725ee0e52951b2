#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <set>

#include "engine/layout_summary.h"
#include "engine/nesting_driver.h"
#include "engine/shape_area.h"
#include "cell_by_cell_fit.h"
#include "engine_job.h"
#include "layout_check.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Keeps every status text and title; cancels at the poll given (1 = after the first sheet).
class RecordingProgress : public NestingProgress {
public:
    explicit RecordingProgress(int cancelAtPoll = 0) : cancelAtPoll_(cancelAtPoll) {}
    void status(const std::string& text, long long placed, long long required) override
    {
        statuses.push_back(text);
        EXPECT_LE(placed, required);
    }
    void title(const std::string& text) override { titles.push_back(text); }
    void layoutNumber(int) override {}
    void warning(const std::string& text) override { warnings.push_back(text); }
    bool cancelRequested() override { return ++polls == cancelAtPoll_; }
    void trialStarted(int, int) override { trialStarts.push_back(statuses.size()); }

    std::vector<std::string> statuses, titles, warnings;
    std::vector<size_t> trialStarts;
    int polls = 0;

private:
    int cancelAtPoll_;
};

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

void expectSameEntities(const NestingState& a, const NestingState& b)
{
    ASSERT_EQ(a.entities.size(), b.entities.size());
    for (size_t i = 0; i < a.entities.size(); ++i) {
        const LayoutEntity& x = a.entities[i];
        const LayoutEntity& y = b.entities[i];
        ASSERT_TRUE(x.X1 == y.X1 && x.Y1 == y.Y1 && x.X2 == y.X2 && x.Y2 == y.Y2 && x.CX == y.CX && x.CY == y.CY &&
                    x.RAD == y.RAD && x.Nstart == y.Nstart && x.Nend == y.Nend && x.SheetIndex == y.SheetIndex &&
                    x.PartIndex == y.PartIndex && x.LayoutNo == y.LayoutNo && x.Instance == y.Instance &&
                    x.Angle == y.Angle && x.Qty == y.Qty)
            << "entity " << i;
    }
}

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

TEST(Driver, FillsIdenticalSheetsAsOneRepeatedLayout)
{
    // Four 240 parts fit on a 500 sheet: twelve parts need exactly three identical sheets.
    EngineJob job;
    job.sheet(job.rectangleFile("s.shp", 500, 500), 10).part(job.rectangleFile("p.shp", 240, 240), 12).kerf(3);
    RecordingProgress progress;
    const RunResult result = optimise(job.state, NestingMode::Stack, progress);
    EXPECT_EQ(result.status, EndStatus::Full);
    EXPECT_TRUE(startsWith(result.statusText, "Full Optimization Done# [")) << result.statusText;
    EXPECT_EQ(result.statusText.substr(result.statusText.size() - 9), " Seconds]");
    ASSERT_FALSE(job.state.entities.empty());
    EXPECT_EQ(job.state.entities.back().LayoutNo, 1);
    for (const LayoutEntity& e : job.state.entities) EXPECT_EQ(e.Qty, 3);
    EXPECT_EQ(job.state.sheets[0].Remaining, 7);
    EXPECT_EQ(job.state.parts[0].Remaining, 0);
    ASSERT_EQ(job.state.items.size(), 5u);
    for (const LayoutItem& item : job.state.items) EXPECT_EQ(item.Qty, 3);
    EXPECT_EQ(job.state.items.back().PartIndex, 0);
    EXPECT_DOUBLE_EQ(result.bestYield, 4.0 * 240 * 240 / (500 * 500));
    EXPECT_EQ(progress.titles.back(), "Nesting Progress : 100%  | Ov. Yield : 92.16% | Layouts : 1");
    EXPECT_TRUE(geometryFaults(job.state, 3).empty());
}

TEST(Driver, APartLargerThanEverySheetFailsOrLeavesAPartialResult)
{
    EngineJob job;
    const std::string sheet = job.rectangleFile("s.shp", 300, 300);
    const std::string huge = job.rectangleFile("huge.shp", 400, 100);
    job.sheet(sheet, 2).part(huge, 1).kerf(3);
    NestingState alone = job.state;
    SilentProgress progress;
    RunResult result = optimise(alone, NestingMode::Free, progress);
    EXPECT_EQ(result.status, EndStatus::Failed);
    EXPECT_TRUE(startsWith(result.statusText, "Optimization Failed# [")) << result.statusText;
    EXPECT_TRUE(alone.entities.empty());
    EXPECT_EQ(result.bestYield, 0);

    job.part(job.rectangleFile("small.shp", 50, 50), 2);
    result = optimise(job.state, NestingMode::Free, progress);
    EXPECT_EQ(result.status, EndStatus::Partial);
    EXPECT_TRUE(startsWith(result.statusText, "Partial Optimization Done# [")) << result.statusText;
    EXPECT_EQ(placedCounts(job.state).parts, (std::vector<long long>{0, 2}))
        << "sorted by box area: the huge part comes first";
}

TEST(Driver, CancelKeepsTheCancelledTrialsLayouts)
{
    EngineJob job;
    job.sheet(job.rectangleFile("a.shp", 300, 300), 5, 1).sheet(job.rectangleFile("b.shp", 300, 300), 5, 1);
    job.part(job.rectangleFile("p.shp", 200, 200), 12).kerf(3);
    RecordingProgress progress(1);
    const RunResult result = optimise(job.state, NestingMode::Free, progress);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.trialsRun, 1);
    EXPECT_EQ(result.status, EndStatus::Partial);
    EXPECT_TRUE(startsWith(result.statusText, "Partial Optimization Done# [")) << result.statusText;
    EXPECT_EQ(job.state.entities.back().LayoutNo, 1);
    EXPECT_EQ(job.state.entities.back().Qty, 5) << "the first sheet's layout, repeated over its stock";
    EXPECT_EQ(job.state.parts[0].Remaining, 7);
}

TEST(Driver, EqualPrioritiesAreTriedInRandomOrderAndTheFirstOfEqualYieldsStays)
{
    EngineJob job;
    const std::string a = job.rectangleFile("a.shp", 300, 300);
    const std::string b = job.rectangleFile("b.shp", 300, 300);
    job.sheet(a, 1, 1).sheet(b, 1, 1).part(job.rectangleFile("p.shp", 200, 200), 2).kerf(3);

    RecordingProgress progress;
    NestingState full = job.state;
    const RunResult result = optimise(full, NestingMode::Free, progress);
    EXPECT_EQ(result.trials, 16);
    EXPECT_EQ(result.status, EndStatus::Full);
    std::set<std::string> firstSheets;
    for (size_t start : progress.trialStarts)
        for (size_t i = start; i < progress.statuses.size(); ++i)
            if (startsWith(progress.statuses[i], "Strategizing for sheet ")) {
                firstSheets.insert(progress.statuses[i]);
                break;
            }
    EXPECT_EQ(firstSheets, (std::set<std::string>{"Strategizing for sheet a.shp...", "Strategizing for sheet b.shp..."}))
        << "over 16 trials each sheet comes first some time";
    EXPECT_EQ(progress.statuses.front(), "");

    // Every trial uses both sheets with the same yield: the first trial is kept. The first trial
    // alone is what a cancel after its last sheet leaves.
    RecordingProgress cancelAfterFirstTrial(2);
    NestingState first = job.state;
    optimise(first, NestingMode::Free, cancelAfterFirstTrial);
    expectSameEntities(full, first);
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
    ASSERT_EQ(s.sheets.size(), 3u);
    EXPECT_EQ(s.sheets[0].FileName, large);
    EXPECT_EQ(s.sheets[1].FileName, small);
    EXPECT_EQ(s.sheets[2].FileName, last);
    EXPECT_EQ(s.sheets[2].Pri, 32767);
    EXPECT_EQ(s.sheets[0].Area, 360000);
    EXPECT_EQ(s.parts[0].FileName, p3);
    EXPECT_EQ(s.parts[1].FileName, p1);
    EXPECT_EQ(s.parts[2].FileName, p2);
    EXPECT_EQ(s.parts[2].Pri, 32767);
    EXPECT_EQ(s.parts[0].Area, 400);
}

TEST(Driver, CountsTheAreaOfCurvedPartsFromTheirRaster)
{
    EngineJob job;
    job.sheet(job.rectangleFile("s.shp", 1000, 1000), 1);
    const std::string disc = job.shapeFile("disc.shp", {arcEntity(100, 100, 100, 0, 0)});
    job.part(disc, 1).kerf(3);
    SilentProgress progress;
    NestingRun run(job.state, NestingMode::Free, progress);
    setUpKerfAndScale(run);
    computeAreasAndSort(run);
    // pi x 100^2 = 31416; the digitised edge adds a little.
    EXPECT_NEAR(job.state.parts[0].Area, 31416, 31416 * 0.06);
    EXPECT_GE(job.state.parts[0].Area, 31416 * 0.97);
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
    for (const LayoutEntity& e : state_->entities) {
        if (e.PartIndex == 0) continue;
        const std::string& orn = state_->part(e.PartIndex).Orn;
        const double a = turn(e.Angle);
        if (orn == "No") {
            EXPECT_TRUE(a == 0 || a == 180) << e.Angle;
        } else if (orn == "step90") {
            EXPECT_EQ(std::fmod(a, 90.0), 0) << e.Angle;
        }
    }
}

TEST_F(ExampleJob, ItemListFollowsTheEntityList)
{
    const std::vector<LayoutItem>& items = state_->items;
    ASSERT_FALSE(items.empty());
    std::int32_t layout = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_GE(items[i].LayoutNo, layout);
        layout = items[i].LayoutNo;
        const bool lastOfLayout = i + 1 == items.size() || items[i + 1].LayoutNo != layout;
        EXPECT_EQ(items[i].PartIndex == 0, lastOfLayout) << "the sheet row closes each layout";
    }
    EXPECT_EQ(layout, state_->entities.back().LayoutNo);
}

TEST_F(ExampleJob, ASecondRunGivesTheSameResult)
{
    NestingState again = exampleJob();
    SilentProgress progress;
    const RunResult result = optimise(again, NestingMode::Free, progress);
    EXPECT_EQ(result.bestYield, result_.bestYield);
    expectSameEntities(again, *state_);
}

TEST(Driver, StackModesNestTheExampleJobSoundly)
{
    for (const NestingMode mode : {NestingMode::Stack, NestingMode::ContinuousStack}) {
        NestingState state = exampleJob();
        SilentProgress progress;
        const RunResult result = optimise(state, mode, progress);
        EXPECT_EQ(result.status, EndStatus::Full) << result.statusText;
        const std::vector<std::string> faults = geometryFaults(state, state.details.ActKerf);
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
    }
}

TEST(Driver, EngineFitTestGivesTheCellByCellLayouts)
{
    // Several part types share each sheet (and the engine's knowledge of its free rows), on two
    // sheet types, in every mode.
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
        expectSameEntities(job.state, reference);
    }
}
