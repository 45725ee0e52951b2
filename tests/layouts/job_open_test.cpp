#include "layouts/job_open.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "engine/nesting_driver.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "layouts/moved_shape_files.h"
#include "layouts/optimisation_start.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

using testing::fillRow;

// A job typed into the grids, with its shape files in a folder of its own: two sheet types,
// rectangles, discs and a strip, nested for real when asked.
class GridJob {
public:
    GridJob()
    {
        fillRow(job.basic, 1, {"ST37", "A", "8", "3", "", "test"});
        job.basic.setRows(2);
        fillRow(job.sheets, 1, {shape("sheet.shp", testing::rectangle(0, 0, 300, 300)), "2", ""});
        fillRow(job.sheets, 2, {shape("small sheet.shp", testing::rectangle(0, 0, 150, 200)), "1", "1"});
        fillRow(job.parts, 1, {shape("plate.shp", testing::rectangle(0, 0, 120, 70)), "6", "", ""});
        fillRow(job.parts, 2, {shape("disc.shp", {testing::arcEntity(40, 40, 40, 0, 0)}), "4", "", "No"});
        fillRow(job.parts, 3, {shape("strip.shp", testing::rectangle(0, 0, 250, 30)), "2", "2", "step90"});
    }

    std::string plate() const { return shapes.file("plate.shp"); }

    void optimise(NestingMode mode)
    {
        job.mode = mode;
        const auto start = prepareOptimisation(job, [] { return true; });
        ASSERT_FALSE(start.stop.has_value()) << start.stop->text;
        NestingState state = job.nesting;
        SilentProgress silent;
        ASSERT_EQ(dravenor::optimise(state, mode, silent).status, EndStatus::Full);
        acceptOptimisation(job, std::move(state));
        ASSERT_TRUE(job.hasLayouts());
    }

    Job job;
    TempFolder shapes, work, jobs;

private:
    std::string shape(const std::string& name, const Shape& outline) const
    {
        EXPECT_EQ(saveShapeFile(outline, shapes.file(name)), "");
        return shapes.file(name);
    }
};

void expectSameGrid(const TextGrid& a, const TextGrid& b)
{
    ASSERT_EQ(a.rows(), b.rows());
    for (int r = 1; r < a.rows(); ++r)
        for (int c = 1; c < a.cols(); ++c) EXPECT_EQ(a.text(r, c), b.text(r, c)) << "row " << r << " col " << c;
}

// The same entities in the same order; fields an entity's kind does not use are not compared.
void expectSameEntities(const std::vector<LayoutEntity>& a, const std::vector<LayoutEntity>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const LayoutEntity &x = a[i], &y = b[i];
        EXPECT_EQ(std::tie(x.SheetIndex, x.PartIndex, x.LayoutNo, x.Instance, x.Qty),
                  std::tie(y.SheetIndex, y.PartIndex, y.LayoutNo, y.Instance, y.Qty))
            << "entity " << i + 1;
        EXPECT_NEAR(x.Angle, y.Angle, 1e-9) << "entity " << i + 1;
        ASSERT_EQ(x.RAD == 0, y.RAD == 0) << "entity " << i + 1;
        const bool line = x.RAD == 0;
        const std::vector<double> xs = line ? std::vector{x.X1, x.Y1, x.X2, x.Y2} : std::vector{x.CX, x.CY, x.RAD, x.Nstart, x.Nend};
        const std::vector<double> ys = line ? std::vector{y.X1, y.Y1, y.X2, y.Y2} : std::vector{y.CX, y.CY, y.RAD, y.Nstart, y.Nend};
        for (size_t f = 0; f < xs.size(); ++f) EXPECT_NEAR(xs[f], ys[f], 1e-6) << "entity " << i + 1 << " field " << f;
    }
}

TEST(OpenJob, ANestedJobComesBackWithTheSameGridsRecordsAndLayoutGeometry)
{
    for (NestingMode mode : {NestingMode::Free, NestingMode::Stack}) {
        GridJob g;
        g.optimise(mode);
        const std::string path = g.jobs.file("nested.nst");
        g.job.modified = true;
        ASSERT_EQ(saveJob(g.job, path, g.work.folder()).error, "");
        EXPECT_EQ(g.job.jobFileName, path);
        EXPECT_FALSE(g.job.modified);

        Job opened;
        opened.nesting.drawingUnit = DrawingUnit::Inch; // the program's setting, kept
        const JobFileResult result = openJob(path, g.work.folder(), opened);
        ASSERT_EQ(result.error, "");
        EXPECT_TRUE(result.warnings.empty()) << result.warnings.front();
        EXPECT_EQ(result.notice, "");
        EXPECT_EQ(opened.jobFileName, path);
        EXPECT_FALSE(opened.modified);
        EXPECT_EQ(opened.mode, mode);
        EXPECT_EQ(opened.nesting.drawingUnit, DrawingUnit::Inch);
        expectSameGrid(g.job.basic, opened.basic);
        expectSameGrid(g.job.sheets, opened.sheets);
        expectSameGrid(g.job.parts, opened.parts);
        EXPECT_EQ(opened.nesting.details.Mat, "ST37");
        EXPECT_EQ(opened.nesting.details.Kerf, 3);
        EXPECT_EQ(opened.nesting.details.ActKerf, g.job.nesting.details.ActKerf);
        ASSERT_EQ(opened.nesting.parts.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(opened.nesting.parts[i].FileName, g.job.nesting.parts[i].FileName);
            EXPECT_EQ(opened.nesting.parts[i].Area, g.job.nesting.parts[i].Area);
            EXPECT_EQ(opened.nesting.parts[i].Remaining, 0);
        }
        EXPECT_EQ(opened.nesting.sheets[0].Remaining, g.job.nesting.sheets[0].Remaining);
        ASSERT_EQ(opened.nesting.items.size(), g.job.nesting.items.size());
        for (size_t i = 0; i < opened.nesting.items.size(); ++i) {
            EXPECT_EQ(opened.nesting.items[i].X, g.job.nesting.items[i].X);
            EXPECT_EQ(opened.nesting.items[i].Qty, g.job.nesting.items[i].Qty);
        }
        expectSameEntities(g.job.nesting.entities, opened.nesting.entities);
    }
}

// A 4 x 2.5 inch plate with a note written on it, as a drawing in inches.
std::string inchPlateDrawing()
{
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
           "0\nLWPOLYLINE\n90\n4\n70\n1\n10\n0\n20\n0\n10\n4\n20\n0\n10\n4\n20\n2.5\n10\n0\n20\n2.5\n"
           "0\nTEXT\n10\n1\n20\n1\n40\n0.2\n1\nPLATE 7\n0\nENDSEC\n0\nEOF\n";
}

TEST(StartOptimisation, NamesWhatTheDrawingsWereReadWithAndNestsThemInTheDrawingUnit)
{
    for (DrawingUnit unit : {DrawingUnit::Millimetre, DrawingUnit::Inch}) {
        GridJob g;
        const std::string drawing = g.shapes.write("inch plate.dxf", inchPlateDrawing());
        g.job.parts.setText(1, 1, drawing);
        g.job.nesting.drawingUnit = unit;
        const OptimisationStart start = prepareOptimisation(g.job, [] { return true; });
        ASSERT_FALSE(start.stop.has_value()) << start.stop->text;
        std::vector<std::string> expected{drawing + ": skipped 1 TEXT"};
        if (unit == DrawingUnit::Millimetre) expected.push_back(drawing + ": converted from inches to millimetres");
        EXPECT_EQ(start.notes, expected);
        // 101.6 x 63.5 in millimetres (a run's areas are whole square units); too small to count in inches.
        NestingState state = g.job.nesting;
        SilentProgress silent;
        optimise(state, NestingMode::Free, silent);
        const auto plate = std::find_if(state.parts.begin(), state.parts.end(),
                                        [&](const PartEntry& p) { return p.FileName == drawing; });
        ASSERT_NE(plate, state.parts.end());
        EXPECT_NEAR(plate->Area, unit == DrawingUnit::Millimetre ? 6452 : 10, unit == DrawingUnit::Millimetre ? 65 : 1);
    }
}

TEST(OpenJob, AMovedShapeFileGivesOneWarningAndTheJobStillOpens)
{
    GridJob g;
    g.optimise(NestingMode::Free);
    const std::string path = g.jobs.file("nested.nst");
    ASSERT_EQ(saveJob(g.job, path, g.work.folder()).error, "");
    std::filesystem::rename(g.plate(), g.shapes.file("moved.shp"));

    Job opened;
    const JobOpenResult result = openJob(path, g.work.folder(), opened);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.warnings, (std::vector<std::string>{g.plate() + " not found", kLayoutsLackShapesNotice}));
    EXPECT_EQ(result.missingShapes, std::vector<std::string>{g.plate()});
    EXPECT_EQ(result.notice, "");
    EXPECT_EQ(opened.nesting.items.size(), g.job.nesting.items.size());
    EXPECT_EQ(opened.parts.text(1, 1), g.plate());
    // Every other shape is still placed; only the plates are missing.
    size_t others = 0;
    for (const LayoutEntity& e : g.job.nesting.entities) others += e.PartIndex == 0 || g.job.nesting.part(e.PartIndex).FileName != g.plate();
    EXPECT_EQ(opened.nesting.entities.size(), others);
    EXPECT_GT(others, 0u);
}

TEST(OpenJob, AJobSavedBeforeOptimisationOpensWithTheNoLayoutNotice)
{
    GridJob g;
    const std::string path = g.jobs.file("plain.nst");
    ASSERT_EQ(saveJob(g.job, path, g.work.folder()).error, "");
    Job opened;
    const JobFileResult result = openJob(path, g.work.folder(), opened);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.notice, "This File does not contain any Layout");
    EXPECT_FALSE(opened.hasLayouts());
    expectSameGrid(g.job.parts, opened.parts);
    EXPECT_EQ(opened.nesting.details.Note, "test");
}

TEST(OpenJob, ADamagedFileLeavesTheOpenJobAsItWas)
{
    GridJob g;
    g.optimise(NestingMode::Free);
    const std::string path = g.jobs.file("nested.nst");
    ASSERT_EQ(saveJob(g.job, path, g.work.folder()).error, "");
    const std::string text = TempFolder::read(path);
    g.jobs.write("cut.nst", text.substr(0, text.size() - 30));

    Job current = g.job;
    const JobFileResult result = openJob(g.jobs.file("cut.nst"), g.work.folder(), current);
    EXPECT_EQ(result.error.rfind(g.jobs.file("cut.nst") + ", line ", 0), 0u) << result.error;
    EXPECT_EQ(current.jobFileName, path);
    expectSameEntities(g.job.nesting.entities, current.nesting.entities);
}

TEST(SaveJob, AFailedSaveKeepsTheFileNameAndTheModifiedMark)
{
    GridJob g;
    g.job.jobFileName = "/jobs/old.nst";
    g.job.modified = true;
    EXPECT_FALSE(saveJob(g.job, g.jobs.file("no/such/folder/a.nst"), g.work.folder()).ok());
    EXPECT_EQ(g.job.jobFileName, "/jobs/old.nst");
    EXPECT_TRUE(g.job.modified);
}

} // namespace
} // namespace dravenor
