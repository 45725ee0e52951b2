// The report: its text for a job worked out by hand, its file, and the report window's grid,
// copied selection and printed pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "golden.h"
#include "layouts/report.h"
#include "layouts/report_clipboard.h"
#include "layouts/report_grid.h"
#include "layouts/report_pages.h"
#include "layouts/report_print_text.h"
#include "layouts/report_test_job.h"

namespace dravenor {
namespace {

using testing::ReportTestJob;
using testing::TempFolder;
using Lines = std::vector<std::string>;

// Weights are 0.5 x 10 x area x count and the columns those of the report's tab stops (20, 28,
// 36, ...), numbers printed with a blank either side: every golden file was checked by hand.
TEST(ReportText, MatchesTheHandWorkedReports)
{
    const struct {
        const char* golden;
        std::function<void(ReportTestJob&)> change;
    } cases[] = {
        {"report.tlf", [](ReportTestJob&) {}},
        {"report-without-density.tlf", [](ReportTestJob& f) { f.densities = DensityTable{{"AL", "2.7"}}; }},
        {"report-thick-2.5.tlf", [](ReportTestJob& f) { f.job.nesting.details.Thick = 2.5; }},
        // Weights of 13 characters and more push the next column to a line of its own.
        {"report-long-weights.tlf", [](ReportTestJob& f) { f.job.nesting.details.Thick = 1e6; }},
        // The 100 x 100 sheet allows 1600 cells across, a kerf of 0.05 would give 2000: the kerf
        // used follows the basic details.
        {"report-kerf-used.tlf", [](ReportTestJob& f) { f.job.nesting.details.Kerf = 0.05; }},
    };
    for (const auto& c : cases) {
        ReportTestJob fixture;
        c.change(fixture);
        Lines warnings;
        testing::expectGolden(reportText(fixture.job, fixture.densities, &warnings), c.golden);
        EXPECT_TRUE(warnings.empty()) << c.golden;
    }
}

TEST(ReportText, NamesWithoutFoldersNoPriorityAndSignedNumbersInColumns)
{
    EXPECT_EQ(reportDisplayName("C:\\jobs\\a,b.shp"), "a b.shp");
    EXPECT_EQ(reportDisplayName(""), "");
    EXPECT_EQ(reportPriorityText(0), "-");
    // Tabs never go back: a column already passed starts right after the text.
    ReportPrintText out;
    out.text("ab").number(15).number(-2.5).number(0.5).tab(20).text("x").endLine();
    out.text("0123456789").tab(5).text("y").endLine();
    out.text("12345").tab(6).text("z").line();
    EXPECT_EQ(out.str(), "ab 15 -2.5  0.5" + std::string(4, ' ') + "x\r\n0123456789\r\n    y\r\n12345z\r\n");
}

TEST(ReportFile, WrittenToTheWorkingFolderOnlyWithLayoutsAndWarnsOfAMissingPartFile)
{
    ReportTestJob fixture;
    std::filesystem::remove(fixture.job.nesting.parts[1].FileName);
    TempFolder work;
    const ReportWriteResult written = writeReport(fixture.job, fixture.densities, work.folder());
    ASSERT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(written.path, work.file("Report.tlf"));
    const std::string text = TempFolder::read(written.path);
    EXPECT_EQ(text, reportText(fixture.job, fixture.densities));
    EXPECT_NE(text.find("\r\nTotal RLC(Running Length of Cutting) : 420.00\r\n"), std::string::npos);
    ASSERT_EQ(written.warnings.size(), 1u);
    EXPECT_NE(written.warnings[0].find("b.shp"), std::string::npos);

    TempFolder other;
    EXPECT_EQ(writeReport(Job{}, fixture.densities, other.folder()).error, "This File does not contain any Layout");
    EXPECT_TRUE(other.entries().empty());
}

TEST(ReportFile, AFailedWriteKeepsThePreviousReport)
{
    ReportTestJob fixture;
    TempFolder work;
    // The file exists, but no temporary file can be made beside it: its name is too long.
    const std::string path = work.write(std::string(245, 'r') + ".tlf", "previous report\r\n");
    EXPECT_NE(writeReportFile(fixture.job, fixture.densities, path).error.find(path), std::string::npos);
    EXPECT_EQ(TempFolder::read(path), "previous report\r\n");
    EXPECT_EQ(work.entries().size(), 1u);
}

Lines gridColumn(const TextGrid& grid)
{
    Lines texts;
    for (int row = 1; row < grid.rows(); ++row) texts.push_back(grid.text(row, 1));
    return texts;
}

TEST(ReportGrid, OneRowPerLineEachLineOneTrimmedFieldWhateverTheLineEnds)
{
    const std::pair<std::string, Lines> cases[] = {
        {"Overall Yield : 15      Overall Base Yield : 20 \r\n\r\n   indented    text   \r\n"
         "name,after the comma\r\n\"quoted, with comma\"\r\n",
         {"Overall Yield : 15      Overall Base Yield : 20", "", "indented    text", "name", "quoted, with comma"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\n\r\n\r\n", {"a", "", ""}},
        {"", {""}},
    };
    for (const auto& [text, column] : cases) EXPECT_EQ(gridColumn(reportGrid(text)), column) << text;
    const TextGrid grid = reportGrid(cases[0].first);
    EXPECT_EQ(grid.cols(), 2);
    EXPECT_EQ(grid.title(1), "REPORT");
    EXPECT_EQ(grid.text(5, 0), "5");
    EXPECT_EQ(grid.colWidths[0], 0) << "row numbers are hidden";
}

TEST(ReportClipboard, BlankRunsBecomeTabsTheWayTheyAlwaysHave)
{
    // Runs of 2 to 25 blanks are one tab; longer runs are cut into 25s first.
    const std::pair<size_t, std::string> cases[] = {{1, "a b"},      {2, "a\tb"},    {25, "a\tb"},
                                                    {26, "a\t b"},   {27, "a\t\tb"}, {50, "a\t\tb"}};
    for (const auto& [blanks, tabbed] : cases)
        EXPECT_EQ(blankRunsToTabs("a" + std::string(blanks, ' ') + "b"), tabbed) << blanks;
    EXPECT_EQ(blankRunsToTabs("  lead and trail  "), "\tlead and trail\t");
}

TEST(ReportClipboard, SelectedRowsGiveTabSeparatedLinesWithinTheGrid)
{
    TextGrid report = reportGrid("Sheet Utilization\r\nSheet File Name    QtyUsed Pri     TotWeight\r\n"
                                 "big-sheet-100x100.  3      1       1500000.00\r\nNote=after\r\n");
    const std::string two = "Sheet File Name\tQtyUsed Pri\tTotWeight\r\nbig-sheet-100x100.\t3\t1\t1500000.00\r\n";
    EXPECT_EQ(reportClipboardText(report, 2, 3, 1, 1), two);
    EXPECT_EQ(reportClipboardText(report, 3, 2, 1, 1), two) << "a selection made upwards";
    EXPECT_EQ(reportClipboardText(report, 4, 4, 1, 1), "Note=after\r\n");

    TextGrid grid({"A", "B", "C"});
    grid.setRows(3);
    grid.setText(1, 1, "x");
    grid.setText(1, 2, "y  z");
    grid.setText(1, 3, "w");
    grid.setText(2, 2, "second");
    EXPECT_EQ(reportClipboardText(grid, 1, 2, 1, 3), "x\ty\tz\tw\r\n\tsecond\t\r\n");
    EXPECT_EQ(reportClipboardText(grid, 1, 1, 2, 2), "y\tz\r\n");
    EXPECT_EQ(reportClipboardText(grid, 0, 99, 3, 3), "w\r\n\r\n");
    EXPECT_EQ(reportClipboardText(grid, 1, 1, 5, 7), "");
}

Lines numberedLines(int count)
{
    Lines lines;
    for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

TEST(ReportPages, EveryPageStartsWithTheHeaderAndNoLineIsLostOrRepeated)
{
    const Lines header{"", "Date: 06-12-2026", "", "Report", ""};
    const auto pages = paginate(numberedLines(23), header, 10); // 5 body lines a page
    ASSERT_EQ(pages.size(), 5u);
    Lines printed;
    for (const Lines& page : pages) {
        EXPECT_LE(page.size(), 10u);
        ASSERT_TRUE(page.size() > header.size() && std::equal(header.begin(), header.end(), page.begin()));
        printed.insert(printed.end(), page.begin() + static_cast<std::ptrdiff_t>(header.size()), page.end());
    }
    EXPECT_EQ(printed, numberedLines(23));

    EXPECT_EQ(paginate(numberedLines(20), {"h"}, 11).size(), 2u) << "exactly full pages add no empty page";
    EXPECT_EQ(paginate(numberedLines(21), {"h"}, 11).size(), 3u);
    EXPECT_EQ(paginate({}, {"", "Report"}, 50), (std::vector<Lines>{{"", "Report"}}));
    // A header taller than the page still lets one line through per page.
    const auto tall = paginate(numberedLines(3), {"a", "b", "c", "d"}, 2);
    ASSERT_EQ(tall.size(), 3u);
    EXPECT_EQ(tall[2], (Lines{"a", "b", "c", "d", "line 3"}));
}

} // namespace
} // namespace dravenor
