// Open, Save and Start Optimization free of windows: a job typed into the grids, nested, saved
// and opened again; moved and damaged files; the guard between the engine and the cutting table,
// for Deep Nesting too: a faulty result is never called done.
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "deep/deep_run.h"
#include "engine/engine_job.h"
#include "engine/nesting_driver.h"
#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/checked_deep_nesting.h"
#include "layouts/checked_optimisation.h"
#include "layouts/deep_progress_text.h"
#include "layouts/job_open.h"
#include "layouts/kerf_note.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/moved_shape_files.h"
#include "layouts/optimisation_start.h"
#include "support/grid_rows.h"
#include "support/saved_shape.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// A job typed into the grids, with its shape files in a folder of its own: two sheet types,
// rectangles, discs and a strip, nested for real when asked.
struct GridJob {
    GridJob()
    {
        fillRow(job.basic, 1, {"ST37", "A", "8", "3", "", "test"});
        job.basic.setRows(2);
        fillRow(job.sheets, 1, {savedShape(shapes, "sheet.shp", rectangle(0, 0, 300, 300)), "2", ""});
        fillRow(job.sheets, 2, {savedShape(shapes, "small sheet.shp", rectangle(0, 0, 150, 200)), "1", "1"});
        fillRow(job.parts, 1, {savedShape(shapes, "plate.shp", rectangle(0, 0, 120, 70)), "6", "", ""});
        fillRow(job.parts, 2, {savedShape(shapes, "disc.shp", {arcEntity(40, 40, 40, 0, 0)}), "4", "", "No"});
        fillRow(job.parts, 3, {savedShape(shapes, "strip.shp", rectangle(0, 0, 250, 30)), "2", "2", "step90"});
    }
    void optimise(NestingMode mode)
    {
        job.mode = mode;
        const OptimisationStart start = prepareOptimisation(job, [] { return true; });
        ASSERT_FALSE(start.stop.has_value()) << start.stop->text;
        NestingState state = job.nesting;
        SilentProgress silent;
        ASSERT_EQ(dravenor::optimise(state, mode, silent).status, EndStatus::Full);
        acceptOptimisation(job, std::move(state));
    }
    std::string save()
    {
        EXPECT_EQ(saveJob(job, jobs.file("job.nst"), work.folder()).error, "");
        return jobs.file("job.nst");
    }

    TempFolder shapes, work, jobs;
    Job job;
};

// The records a job file keeps: basic details, sheet and part records, item rows.
std::string recordsOf(const NestingState& s)
{
    std::ostringstream text;
    text << s.details.Mat << ' ' << s.details.Kerf << ' ' << s.details.ActKerf << ' ' << s.details.Note << '\n';
    for (const SheetEntry& r : s.sheets)
        text << r.FileName << ' ' << r.Qty << ' ' << r.Area << ' ' << r.Remaining << '\n';
    for (const PartEntry& r : s.parts)
        text << r.FileName << ' ' << r.Qty << ' ' << r.Area << ' ' << r.Remaining << '\n';
    for (const LayoutItem& i : s.items)
        text << i.Name << ' ' << i.X << ' ' << i.Y << ' ' << i.Angle << ' ' << i.Qty << '\n';
    return text.str();
}

} // namespace

TEST(OpenJob, ASavedJobComesBackWithTheSameGridsRecordsAndLayoutGeometry)
{
    // Saved before any optimisation, and after a free and a stacked run.
    for (const std::optional<NestingMode> mode :
         {std::optional<NestingMode>{}, {NestingMode::Free}, {NestingMode::Stack}}) {
        SCOPED_TRACE(mode ? static_cast<int>(*mode) : -1);
        GridJob g;
        if (mode) g.optimise(*mode);
        g.job.modified = true;
        const std::string path = g.save();
        EXPECT_EQ(std::tie(g.job.jobFileName, g.job.modified), std::tuple(path, false));

        Job opened;
        opened.nesting.drawingUnit = DrawingUnit::Inch; // the program's setting, kept
        const JobFileResult result = openJob(path, g.work.folder(), opened);
        ASSERT_EQ(result.error, "");
        EXPECT_TRUE(result.warnings.empty()) << result.warnings.front();
        EXPECT_EQ(std::tuple(result.notice, opened.hasLayouts(), opened.nesting.drawingUnit),
                  std::tuple(mode ? "" : "This File does not contain any Layout", mode.has_value(), DrawingUnit::Inch));
        EXPECT_EQ(std::tie(opened.jobFileName, opened.modified, opened.mode),
                  std::tie(path, g.job.modified, g.job.mode));
        EXPECT_EQ(std::tuple(cellsOf(opened.basic), cellsOf(opened.sheets), cellsOf(opened.parts)),
                  std::tuple(cellsOf(g.job.basic), cellsOf(g.job.sheets), cellsOf(g.job.parts)));
        // Before a run only the basic details come from the grids.
        EXPECT_EQ(recordsOf(opened.nesting), mode ? recordsOf(g.job.nesting) : "ST37 3 0 test\n");
        expectSameEntities(g.job.nesting.entities, opened.nesting.entities);
    }
}

TEST(OpenJob, AMovedShapeFileGivesOneWarningADamagedJobFileOrAFailedSaveLeavesTheJobAsItWas)
{
    GridJob g;
    g.optimise(NestingMode::Free);
    const std::string path = g.save(), text = TempFolder::read(path);
    const std::string cut = g.jobs.write("cut.nst", text.substr(0, text.size() - 30));
    Job current = g.job;
    const JobFileResult damaged = openJob(cut, g.work.folder(), current);
    EXPECT_TRUE(damaged.error.starts_with(cut + ", line ") && current.jobFileName == path) << damaged.error;
    expectSameEntities(g.job.nesting.entities, current.nesting.entities);

    // Names relative to the job's folder (as the shipped example keeps them) are its files,
    // wherever the program runs from: no warning, the same layouts.
    {
        TempFolder kept;
        std::filesystem::create_directory(kept.file("parts"));
        std::string relative = text;
        for (const char* name : {"sheet.shp", "small sheet.shp", "plate.shp", "disc.shp", "strip.shp"}) {
            std::filesystem::copy_file(g.shapes.file(name), kept.file("parts/") + name);
            for (size_t at; (at = relative.find(g.shapes.file(name))) != std::string::npos;)
                relative.replace(at, g.shapes.file(name).size(), std::string("parts/") + name);
        }
        Job example;
        const JobOpenResult read = openJob(kept.write("example.nst", relative), g.work.folder(), example);
        EXPECT_EQ(std::tuple(read.error, read.warnings, read.notice, read.layoutsLackShapes),
                  std::tuple("", std::vector<std::string>{}, "", false));
        for (const PartEntry& part : example.nesting.parts)
            EXPECT_TRUE(part.FileName.starts_with(kept.file("parts/"))) << part.FileName;
        expectSameEntities(g.job.nesting.entities, example.nesting.entities);
    }

    const std::string plate = g.shapes.file("plate.shp");
    std::filesystem::rename(plate, g.shapes.file("moved.shp"));
    Job opened;
    const JobOpenResult result = openJob(path, g.work.folder(), opened);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(std::tuple(result.warnings, result.missingShapes, result.notice),
              std::tuple(std::vector<std::string>{plate + " not found", kLayoutsLackShapesNotice}, std::vector<std::string>{plate}, ""));
    EXPECT_EQ(recordsOf(opened.nesting), recordsOf(g.job.nesting));
    // Every other shape is still placed; only the plates are missing.
    const auto others =
        std::count_if(g.job.nesting.entities.begin(), g.job.nesting.entities.end(), [&](const LayoutEntity& e) {
            return e.PartIndex == 0 || g.job.nesting.part(e.PartIndex).FileName != plate;
        });
    EXPECT_GT(others, 0);
    EXPECT_EQ(opened.nesting.entities.size(), static_cast<size_t>(others));

    // A failed save keeps the file name and the modified mark.
    g.job.jobFileName = "/jobs/old.nst";
    g.job.modified = true;
    EXPECT_FALSE(saveJob(g.job, g.jobs.file("no/such/folder/a.nst"), g.work.folder()).ok());
    EXPECT_EQ(std::tie(g.job.jobFileName, g.job.modified), std::tuple("/jobs/old.nst", true));
}

namespace {

class KeptWarnings : public SilentProgress {
public:
    void warning(const std::string& text) override { warnings.push_back(text); }
    std::vector<std::string> warnings;
};

// Lets a part lie anywhere: every part type starts again at the sheet's corner, on the last one.
bool fitsAnywhere(const Raster&, const Raster&, const KeyPoints&, int, int)
{
    return true;
}

} // namespace

TEST(CheckedOptimisation, FaultyLayoutsAreNamedAndNeverCalledFull)
{
    for (const FitTest fitTest : {FitTest{}, FitTest{&fitsAnywhere}}) {
        EngineJob job;
        job.sheet(job.rectangleFile("s.shp", 300, 200), 1)
            .part(job.rectangleFile("a.shp", 70, 30), 2)
            .part(job.rectangleFile("b.shp", 40, 20), 2)
            .kerf(2);
        KeptWarnings progress;
        const RunResult result = optimiseChecked(job.state, NestingMode::Free, progress, fitTest);
        EXPECT_EQ(result.status, fitTest ? EndStatus::Partial : EndStatus::Full);
        EXPECT_TRUE(result.statusText.starts_with(fitTest ? "Optimization Done, Layouts Need Checking ["
                                                          : "Full Optimization Done ["))
            << result.statusText;
        EXPECT_TRUE(fitTest ? !progress.warnings.empty() && contains(progress.warnings.front(), "overlap") : progress.warnings.empty());
    }
}

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
    EXPECT_EQ(run.result.statusText, "Optimization Done, Layouts Need Checking [1.5 s]");
    ASSERT_EQ(progress.warnings.size(), 1u);
    EXPECT_NE(progress.warnings[0].find("are 2 apart, less than the spacing 3"), std::string::npos);
    EXPECT_EQ(job.state.details.ActKerf, 3);
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

TEST(DeepProgressText, TimeOrWorkAgainstTheLimitTheBestSoFarAndWhatTheSearchCanStillGain)
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
    // The least used sheet along its longer side, wide and tall sheets alike.
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
