#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli_test_support.h"
#include "geometry/dxf_export_check.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "job/job.h"
#include "layouts/job_open.h"
#include "layouts/layout_export.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

int countOf(const DxfCheck& check, const std::string& type)
{
    int n = 0;
    for (const CheckedEntity& e : check.entities) n += e.type == type;
    return n;
}

// Plates and discs nested on 400 x 250 sheets by the nest command, the job saved and every layout
// written as a drawing into out/.
struct NestedCliJob {
    TempFolder dir;
    std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 150, 60));
    std::string disc = savedShape(dir, "disc.shp", {arcEntity(35, 35, 35, 0, 360)});
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 250));
    std::string nst = dir.file("job.nst");
    std::string out = dir.file("out");
    ToolRun run = runInProcess({"nest", "--kerf", "3", "--sheet", sheet + ":4", "--part", plate + ":7", "--part",
                                disc + ":6", "--save", nst, "--dxf-dir", out});

    std::string drawing(int layoutNo) const { return out + "/layout-" + std::to_string(layoutNo) + ".dxf"; }
    Job opened() const
    {
        Job job;
        TempFolder work;
        EXPECT_TRUE(openJob(nst, work.folder(), job).ok());
        return job;
    }
};

} // namespace

TEST(NestDxfDir, OneDrawingPerLayoutWithEveryPartNamed)
{
    NestedCliJob job;
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    const Job opened = job.opened();
    const int layouts = opened.nesting.items.back().LayoutNo;
    ASSERT_GE(layouts, 2);
    EXPECT_TRUE(contains(job.run.out, std::to_string(layouts) + " layout drawings written to " + job.out)) << job.run.out;
    EXPECT_FALSE(std::filesystem::exists(job.drawing(layouts + 1)));

    const std::string python = pythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
    for (int n = 1; n <= layouts; ++n) {
        SCOPED_TRACE("layout " + std::to_string(n));
        const DxfCheck check = checkDxf(python, job.drawing(n));
        EXPECT_TRUE(check.problems.empty()) << check.problems.front();
        int parts = 0, entities = 0;
        for (const LayoutItem& item : opened.nesting.items) parts += item.LayoutNo == n && item.PartIndex != 0;
        for (const LayoutEntity& e : opened.nesting.entities) entities += e.LayoutNo == n;
        EXPECT_EQ(countOf(check, "TEXT"), parts);
        EXPECT_EQ(static_cast<int>(check.entities.size()), entities + parts);
        for (const CheckedEntity& e : check.entities) {
            if (e.type != "TEXT") continue;
            EXPECT_DOUBLE_EQ(e.values[2], 4) << "a hundredth of the 400 long sheet";
        }
    }
}

TEST(LayoutDxfCommand, WritesWhatNestWroteAndTheLayoutsShapeFile)
{
    NestedCliJob job;
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    const std::string dxf = job.dir.file("again.dxf");
    ToolRun r = runInProcess({"layout-dxf", job.nst, "--layout", "2", dxf, "--names"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, dxf + "\n");
    EXPECT_EQ(TempFolder::read(dxf), TempFolder::read(job.drawing(2)));

    const std::string shp = job.dir.file("layout2.shp");
    r = runInProcess({"layout-dxf", job.nst, "--layout", "2", shp});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(TempFolder::read(shp), layoutShapeFileText(job.opened().nesting, 2));
}

TEST(LayoutDxfCommand, TextHeightAndNamesFollowTheOptions)
{
    NestedCliJob job;
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    const std::string named = job.dir.file("named.dxf");
    const std::string plain = job.dir.file("plain.dxf");
    ToolRun r = runExecutable({"layout-dxf", QString::fromStdString(job.nst), "--layout", "1",
                               QString::fromStdString(named), "--names", "--text-height", "7.5"});
    ASSERT_EQ(r.code, 0) << r.err;
    r = runExecutable({"layout-dxf", QString::fromStdString(job.nst), "--layout", "1", QString::fromStdString(plain)});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string withNames = TempFolder::read(named);
    EXPECT_TRUE(contains(withNames, "TEXT\r\n 5\r\n"));
    EXPECT_TRUE(contains(withNames, "\r\n 40\r\n7.5\r\n 1\r\nplate\r\n")) << "height 7.5, name without .shp";
    EXPECT_FALSE(contains(TempFolder::read(plain), "TEXT\r\n"));
}

TEST(LayoutDxfCommand, AMissingShapeFileFailsAndWritesNothing)
{
    NestedCliJob job;
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    std::filesystem::remove(job.disc);
    const std::string dxf = job.dir.file("out.dxf");
    const ToolRun r = runInProcess({"layout-dxf", job.nst, "--layout", "1", dxf});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "the layouts cannot be drawn: " + job.disc + " not found")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dxf));
}

TEST(LayoutDxfCommand, BadInputEndsWithOneClearLine)
{
    NestedCliJob job;
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    TempFolder other;
    const std::string out = other.file("x.dxf");
    Job empty;
    const std::string unoptimised = other.file("empty.nst");
    ASSERT_TRUE(saveJob(empty, unoptimised, other.folder()).ok());
    struct Case {
        cli::Args args;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"layout-dxf", job.nst, out}, "--layout N"},
        {{"layout-dxf", job.nst, "--layout", "0", out}, "--layout '0' is not a layout number"},
        {{"layout-dxf", job.nst, "--layout", "two", out}, "--layout 'two' is not a layout number"},
        {{"layout-dxf", job.nst, "--layout", "99", out}, "has no layout 99"},
        {{"layout-dxf", job.nst, "--layout", "1", other.file("x.png")}, "must end in .dxf or .shp"},
        {{"layout-dxf", job.nst, "--layout", "1", out, "--text-height", "-2"}, "--text-height '-2' is not a number above 0"},
        {{"layout-dxf", job.nst, "--layout", "1"}, "give one job file and one output file"},
        {{"layout-dxf", other.file("none.nst"), "--layout", "1", out}, "none.nst"},
        {{"layout-dxf", unoptimised, "--layout", "1", out}, "does not contain any Layout"},
    };
    for (const Case& c : cases) {
        const ToolRun r = runInProcess(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_TRUE(contains(r.err, c.message)) << "expected: " << c.message << "\ngot: " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(NestDxfDir, MissingTemplatesAreRefusedBeforeTheRun)
{
    NestedCliJob job;
    TempFolder noTemplates;
    const ToolRun r = runInProcess({"nest", "--kerf", "3", "--sheet", job.sheet, "--part", job.plate, "--dxf-dir",
                                    job.dir.file("out2"), "--templates", noTemplates.folder()});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "dxf.hd")) << r.err;
    EXPECT_TRUE(r.out.empty()) << "the run must not start: " << r.out;
}
