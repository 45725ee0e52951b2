// dravenor-cli print: layouts of a saved job printed to PDF, counted and measured with the
// poppler tools (skipped where they are missing).
#include <QImage>
#include <gtest/gtest.h>

#include <regex>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/pdf_pages.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Pages of a PDF by pdfinfo; -1 when pdfinfo is not there.
int pageCount(const std::string& pdf)
{
    std::smatch m;
    const std::string info = commandOutput("pdfinfo '" + pdf + "' 2>/dev/null");
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
    if (commandOutput("command -v pdfinfo").empty()) GTEST_SKIP() << "no pdfinfo";
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

TEST(PrintCommand, ATrueScaleMeasuresRightOnThePageAndIsNamedThere)
{
    if (!havePoppler()) GTEST_SKIP() << "no poppler tools";
    PrintedJob job;
    const std::string pdf = job.dir.file("tenth.pdf");
    const ToolRun run = runInProcess({"print", job.nst, "--layout", "1", "--pdf", pdf, "--landscape", "--scale",
                                      "10", "--grid", "No"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(pageCount(pdf), 1);
    // At 254 dots per inch a millimetre is ten pixels: the 1000 x 600 sheet is 100 x 60 mm.
    const QImage page = pdfPageImage(pdf, 1, 254);
    ASSERT_FALSE(page.isNull());
    const auto [across, down] = longestDarkRuns(page);
    EXPECT_NEAR(across, 1000, 3);
    EXPECT_NEAR(down, 600, 3);
    const std::string text = pdfText(pdf);
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(Scale\s+:\s+1 : 10\b)"))) << text;
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
