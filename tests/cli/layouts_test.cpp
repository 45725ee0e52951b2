// The commands that work on the layouts of a saved job or a layout file: check-layout,
// layout-dxf and nest --dxf-dir, print and report; and a saved job whose folder moved, whose
// shapes every command finds beside it under the tails of their old paths (longer tails first),
// or fails in one line.
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "cli_test_support.h"
#include "geometry/golden_file.h"
#include "job/job.h"
#include "layouts/job_open.h"
#include "layouts/layout_export.h"
#include "layouts/report.h"
#include "support/pdf_pages.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

Job opened(const std::string& nst)
{
    Job job;
    TempFolder work;
    EXPECT_TRUE(openJob(nst, work.folder(), job).ok());
    return job;
}

// Layout files place parts as the layout editor draws them: the first plate stands upright (20 x
// 100 from the origin) and the second lies against it; lying flat, the first runs through it.
// Two plates 2.9 apart, 10 from the sheet's edge, are measured at the spacing and margin given.
// What check-layout says of each is in the golden file.
TEST(CheckLayout, LayoutFilesListEveryFaultAsTheToleranceSpacingAndMarginDecide)
{
    TempFolder dir;
    savedShape(dir, "sheet.shp", rectangle(0, 0, 500, 300));
    savedShape(dir, "plate.shp", rectangle(0, 0, 100, 20));
    const std::string faults = "\"sheet.shp\",0,0,0,1\n\"plate.shp\",0,0,0,1\n\"plate.shp\",99,0,0,1\n"
                               "\"plate.shp\",0,100,0,1\n\"plate.shp\",450,100,0,1\n";
    const std::string gaps = "\"sheet.shp\",0,0,0,1\r\n\"plate.shp\",10,10,0,1\r\n\"plate.shp\",112.9,10,0,1\r\n";
    const struct { const char* name; std::string lines; std::vector<std::string> options; } cases[] = {
        {"sound, both forms of line",
         "\"sheet.shp\",0,0,0,1\r\n\"plate.shp\",0,0,90,1\r\n\"plate.shp\",\"20\",\"0\",\"0\",\"1\"\r\n", {}},
        {"an overlap and a part off the sheet", faults, {}},
        {"the same within a tolerance of 60", faults, {"--tolerance", "60"}},
        {"the sheet placed at its own position", "\"sheet.shp\",200,0,0,1\n\"plate.shp\",0,0,0,1\n", {}},
        {"2.9 apart at a spacing of 2.9", gaps, {"--spacing", "2.9"}},
        {"2.9 apart at a spacing of 3", gaps, {"--spacing", "3"}},
        {"10 from the edge at a margin of 12", gaps, {"--margin", "12"}},
    };
    std::string record;
    for (const auto& c : cases) {
        cli::Args args{"check-layout", dir.write("test.lay", c.lines)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun r = runInProcess(args);
        record += "=== " + std::string(c.name) + "\nexit " + std::to_string(r.code) + "\n" + r.out + r.err;
    }
    expectGolden("cli/check-layout.txt", record);
    // An engine layout of a saved job is sound.
    const ToolRun run = runInProcess({"check-layout", nestedJob().nst});
    EXPECT_EQ(run.code, 0) << run.out << run.err;
    EXPECT_TRUE(contains(run.out, "layouts checked: no overlaps, every part on its sheet")) << run.out;
}

// nest --dxf-dir writes one drawing per layout (how many and what they hold is read back with ezdxf
// by check_bench_jobs.py); layout-dxf writes the same bytes, the layout's shape file, and follows
// the name and text height options.
TEST(LayoutDrawings, NestAndLayoutDxfWriteTheSameDrawingsAndTheShapeFile)
{
    const NestedJob& job = nestedJob();
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    const int layouts = opened(job.nst).nesting.items.back().LayoutNo;
    ASSERT_GE(layouts, 2);
    EXPECT_TRUE(contains(job.run.out, std::to_string(layouts) + " layout drawings written to " + job.out)) << job.run.out;
    TempFolder dir;
    const std::string again = dir.file("again.dxf"), shp = dir.file("layout2.shp");
    const std::string named = dir.file("named.dxf"), plain = dir.file("plain.dxf");
    const ToolRun r = runInProcess({"layout-dxf", job.nst, "--layout", "2", again, "--names"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(std::tuple(r.out, TempFolder::read(again)), std::tuple(again + "\n", TempFolder::read(job.drawing(2))));
    EXPECT_TRUE(contains(TempFolder::read(again), "\r\n 40\r\n4\r\n 1\r\n")) << "a hundredth of the 400 long sheet";
    ASSERT_EQ(runInProcess({"layout-dxf", job.nst, "--layout", "2", shp}).code, 0);
    EXPECT_EQ(TempFolder::read(shp), layoutShapeFileText(opened(job.nst).nesting, 2));
    ASSERT_EQ(runInProcess({"layout-dxf", job.nst, "--layout", "1", named, "--names", "--text-height", "7.5"}).code, 0);
    ASSERT_EQ(runInProcess({"layout-dxf", job.nst, "--layout", "1", plain}).code, 0);
    EXPECT_TRUE(contains(TempFolder::read(named), "TEXT\r\n 5\r\n") && !contains(TempFolder::read(plain), "TEXT\r\n"));
    EXPECT_TRUE(contains(TempFolder::read(named), "\r\n 40\r\n7.5\r\n 1\r\nplate\r\n")) << "height 7.5, no .shp";
}

// The longest runs of dark pixels across and down the picture: the sheet's edges.
std::pair<int, int> longestDarkRuns(const QImage& page)
{
    const auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 100; };
    int across = 0, down = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0, run = 0; x < page.width(); ++x) across = std::max(across, run = dark(x, y) ? run + 1 : 0);
    for (int x = 0; x < page.width(); ++x)
        for (int y = 0, run = 0; y < page.height(); ++y) down = std::max(down, run = dark(x, y) ? run + 1 : 0);
    return {across, down};
}

TEST(PrintCommand, EveryLayoutPrintsAndATrueScaleMeasuresRight)
{
    if (!havePoppler()) GTEST_SKIP() << "no poppler tools";
    // Twelve 300 x 200 plates, eight to a 1000 x 600 sheet: two layouts.
    TempFolder dir;
    const std::string nst = dir.file("job.nst");
    const ToolRun nested = runInProcess({"nest", "--kerf", "3", "--sheet", savedShape(dir, "sheet.shp", rectangle(0, 0, 1000, 600)) +
                                         ":3", "--part", savedShape(dir, "plate.shp", rectangle(0, 0, 300, 200)) + ":12", "--save", nst});
    ASSERT_EQ(nested.code, 0) << nested.err;
    const std::string all = dir.file("all.pdf"), tenth = dir.file("tenth.pdf");
    ASSERT_EQ(runInProcess({"print", nst, "--all", "--pdf", all, "--landscape"}).code, 0);
    EXPECT_EQ(pdfPageCount(all), 2u);
    // At 1 : 10 and 254 dots per inch a millimetre is ten pixels: the sheet is 100 x 60 mm (how
    // pages tile a sheet at a true scale is for the layout print tests).
    const ToolRun run = runInProcess({"print", nst, "--layout", "1", "--pdf", tenth, "--landscape", "--scale", "10",
                                      "--grid", "No"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(pdfPageCount(tenth), 1u);
    const QImage page = pdfPageImage(tenth, 1, 254);
    ASSERT_FALSE(page.isNull());
    const auto [across, down] = longestDarkRuns(page);
    EXPECT_NEAR(across, 1000, 3);
    EXPECT_NEAR(down, 600, 3);
    EXPECT_TRUE(std::regex_search(pdfText(tenth), std::regex(R"(Scale\s+:\s+1 : 10\b)"))) << pdfText(tenth);
}

// Four 100 x 50 parts on 300 x 300 sheets of priority 1, 12 thick, nested and saved.
std::string savedJob(const TempFolder& dir, const std::string& material)
{
    const std::string nst = dir.file("job.nst");
    const ToolRun nested = runInProcess({"nest", "--kerf", "2", "--mat", material, "--thick", "12", "--sheet",
                                         savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 300)) + ":3:1", "--part",
                                         savedShape(dir, "part.shp", rectangle(0, 0, 100, 50)) + ":4", "--save", nst});
    EXPECT_EQ(nested.code, 0) << nested.err;
    return nst;
}

TEST(ReportCommand, WritesTheReportOfTheOpenedJobWithTheDensityTableGivenOrShipped)
{
    TempFolder dir;
    const std::string nst = savedJob(dir, "ST");
    const std::string output = dir.file("out.tlf");
    const ToolRun r = runInProcess({"report", nst, "-o", output, "--density", dir.write("density.dat", "\"ST\",\"0.5\"\r\n")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, output + "\n");
    EXPECT_EQ(r.err, "");
    const std::string text = TempFolder::read(output);
    EXPECT_EQ(text, reportText(opened(nst), DensityTable{{"ST", "0.5"}}));
    // One sheet weighs 0.5 x 12 x 90000 (the report's own numbers are checked by the report tests).
    EXPECT_TRUE(contains(text, "\r\nsheet.shp          1       540000.00\r\n")) << text;

    // Without --density the table shipped beside the tool: one sheet weighs 0.00000785 x 12 x 90000.
    TempFolder other;
    const std::string steel = savedJob(other, "S235");
    ASSERT_EQ(runInProcess({"report", steel, "-o", other.file("Report.tlf")}).code, 0);
    EXPECT_TRUE(contains(TempFolder::read(other.file("Report.tlf")), "\r\nsheet.shp          1       8.48\r\n"));
}

TEST(MovedJob, EveryCommandFindsTheShapesBesideTheJobOrFailsClearly)
{
    namespace fs = std::filesystem;
    const auto flatten = [](const fs::path& to) {
        for (const auto& file : fs::directory_iterator(to / "parts")) fs::rename(file, to / file.path().filename());
    };
    const auto decoy = [](const fs::path& to) {
        ASSERT_EQ(dravenor::saveShapeFile(rectangle(0, 0, 9, 9), (to / "plate.shp").string()), "");
    };
    const auto remove = [](const fs::path& to) { fs::remove_all(to / "parts"); };
    // How the moved folder is left, and the tail the shapes are found under ("-": not found).
    const std::tuple<std::function<void(const fs::path&)>, std::string> cases[] = {
        {[](const fs::path&) {}, "parts/"}, {flatten, ""}, {decoy, "parts/"}, {remove, "-"}};
    std::string firstTotals;
    for (const auto& [arrange, tail] : cases) {
        const TempFolder root;
        const fs::path old = fs::path(root.folder()) / "old", moved = fs::path(root.folder()) / "moved";
        fs::create_directories(old / "parts");
        const std::string sheet = (old / "parts/sheet.shp").string(), plate = (old / "parts/plate.shp").string();
        ASSERT_EQ(dravenor::saveShapeFile(rectangle(0, 0, 400, 250), sheet) +
                      dravenor::saveShapeFile(rectangle(0, 0, 150, 60), plate), "");
        const std::string saved = (old / "job.nst").string();
        ASSERT_EQ(runInProcess({"nest", "--kerf", "3", "--sheet", sheet, "--part", plate + ":5", "--save", saved}).code, 0);
        fs::rename(old, moved);
        arrange(moved);

        const std::string job = (moved / "job.nst").string();
        for (const dravenor::cli::Args& command : std::vector<dravenor::cli::Args>{
                 {"report", job, "-o", root.file("report.tlf")}, {"print", job, "--all", "--pdf", root.file("layouts.pdf")},
                 {"layout-dxf", job, "--layout", "1", root.file("layout.dxf")}, {"check-layout", job}, {"nest", "--job", job}}) {
            const ToolRun r = runInProcess(command);
            const std::string expected =
                tail != "-" ? "found beside the job file, in " + moved.string() + ":\n  " + tail + "sheet.shp (was " + sheet
                : command[0] == "nest" ? sheet + " not found"
                : job + ": the layouts cannot be drawn: " + sheet + ", " + plate + " not found (nor beside the job file)";
            EXPECT_EQ(r.code, tail != "-" ? 0 : 2) << command[0] << "\n" << r.err;
            EXPECT_TRUE(contains(r.err, expected)) << command[0] << "\n" << r.err;
        }
        if (tail == "-") {
            EXPECT_EQ(root.entries(), std::vector<std::string>{"moved"}) << "nothing written";
        }
        // Yields and cutting lengths as before the move: the right shapes were found.
        const std::string report = TempFolder::read(root.file("report.tlf"));
        const std::string totals = report.substr(0, report.find("****"));
        if (firstTotals.empty()) firstTotals = totals;
        EXPECT_EQ(totals, tail != "-" ? firstTotals : "") << tail;
    }
}

} // namespace
