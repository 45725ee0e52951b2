// dravenor-cli print: layouts of a saved job printed to PDF, counted and measured with the
// poppler tools (skipped where they are missing).
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

std::string output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

// Pages of a PDF by pdfinfo; -1 when pdfinfo is not there.
int pageCount(const std::string& pdf)
{
    std::smatch m;
    const std::string info = output("pdfinfo '" + pdf + "' 2>/dev/null");
    static const std::regex pages(R"(Pages:\s+(\d+))");
    return std::regex_search(info, m, pages) ? std::stoi(m[1]) : -1;
}

// A 1000 x 600 sheet holding plates, nested and saved.
struct PrintedJob {
    TempFolder dir;
    std::string nst = dir.file("job.nst");
    PrintedJob()
    {
        EXPECT_EQ(saveShapeFile(rectangle(0, 0, 1000, 600), dir.file("sheet.shp")), "");
        EXPECT_EQ(saveShapeFile(rectangle(0, 0, 300, 200), dir.file("plate.shp")), "");
        const ToolRun run = runInProcess({"nest", "--kerf", "3", "--sheet", dir.file("sheet.shp") + ":3", "--part",
                                          dir.file("plate.shp") + ":12", "--save", nst});
        EXPECT_EQ(run.code, 0) << run.err;
    }
};

TEST(PrintCommand, EveryLayoutPrintsToAPdfAndTrueScaleTilesAllPages)
{
    if (output("command -v pdfinfo").empty()) GTEST_SKIP() << "no pdfinfo";
    PrintedJob job;
    const std::string all = job.dir.file("all.pdf");
    ToolRun run = runInProcess({"print", job.nst, "--all", "--pdf", all, "--landscape"});
    ASSERT_EQ(run.code, 0) << run.err;
    const int layouts = 2; // twelve plates, eight to a sheet
    EXPECT_EQ(pageCount(all), layouts);

    // At 1 : 1 on A4 landscape with 10 mm margins (277 x 190 mm printable) a 1000 x 600 sheet
    // needs 4 x 4 pages: the last column and row are not dropped.
    const std::string scaled = job.dir.file("scaled.pdf");
    run = runInProcess({"print", job.nst, "--layout", "1", "--pdf", scaled, "--landscape", "--scale", "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(pageCount(scaled), 16);
}

TEST(PrintCommand, RefusesWhatItCannotPrintAndKeepsAnEarlierPdf)
{
    PrintedJob job;
    const std::string pdf = job.dir.write("keep.pdf", "earlier");
    EXPECT_EQ(runInProcess({"print", job.nst, "--layout", "9", "--pdf", pdf}).code, 2);
    EXPECT_EQ(runInProcess({"print", job.nst, "--pdf", pdf}).code, 2);
    EXPECT_EQ(TempFolder::read(pdf), "earlier");
}

} // namespace
