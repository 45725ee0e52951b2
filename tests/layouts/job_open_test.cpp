// Open, Save and Start Optimization free of windows: a job typed into the grids, nested, saved
// and opened again; moved and damaged files; the guard between the engine and the cutting table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "engine/engine_job.h"
#include "engine/nesting_driver.h"
#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/checked_optimisation.h"
#include "layouts/job_open.h"
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

TEST(OpenJob, AMovedShapeFileGivesOneWarningADamagedJobFileLeavesTheOpenJobAsItWas)
{
    GridJob g;
    g.optimise(NestingMode::Free);
    const std::string path = g.save(), text = TempFolder::read(path);
    const std::string cut = g.jobs.write("cut.nst", text.substr(0, text.size() - 30));
    Job current = g.job;
    const JobFileResult damaged = openJob(cut, g.work.folder(), current);
    EXPECT_TRUE(damaged.error.starts_with(cut + ", line ") && current.jobFileName == path) << damaged.error;
    expectSameEntities(g.job.nesting.entities, current.nesting.entities);

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
}

TEST(SaveJob, AFailedSaveKeepsTheFileNameAndTheModifiedMark)
{
    GridJob g;
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
        EXPECT_TRUE(result.statusText.starts_with(fitTest ? "Optimization Done, Layouts Need Checking# ["
                                                          : "Full Optimization Done# ["))
            << result.statusText;
        EXPECT_TRUE(fitTest ? !progress.warnings.empty() && contains(progress.warnings.front(), "overlap") : progress.warnings.empty());
    }
}
