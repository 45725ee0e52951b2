// The report as the report window handles it: the file read into the one-column grid, the copied
// selection as tab-separated text, and the printout cut into pages under a repeated header.
#include <gtest/gtest.h>

#include "layouts/report.h"
#include "layouts/report_clipboard.h"
#include "layouts/report_grid.h"
#include "layouts/report_pages.h"
#include "layouts/report_test_job.h"

namespace dravenor {
namespace {

std::vector<std::string> gridColumn(const TextGrid& grid)
{
    std::vector<std::string> texts;
    for (int row = 1; row < grid.rows(); ++row) texts.push_back(grid.text(row, 1));
    return texts;
}

TextGrid gridOfRows(const std::vector<std::string>& rows)
{
    TextGrid grid({kReportColumnTitle});
    grid.setRows(static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) grid.setText(static_cast<int>(i) + 1, 1, rows[i]);
    return grid;
}

// ---- reading the report file into the grid

TEST(ReportGrid, OneRowPerLineEachLineOneFieldWithoutOuterBlanks)
{
    const TextGrid grid = reportGrid("Overall Yield : 15      Overall Base Yield : 20 \r\n"
                                     "\r\n"
                                     "   indented    text   \r\n"
                                     "name,after the comma\r\n"
                                     "\"quoted, with comma\"\r\n");
    EXPECT_EQ(grid.cols(), 2);
    EXPECT_EQ(grid.title(1), "REPORT");
    EXPECT_EQ(gridColumn(grid), (std::vector<std::string>{"Overall Yield : 15      Overall Base Yield : 20", "",
                                                          "indented    text", "name", "quoted, with comma"}));
    EXPECT_EQ(grid.text(5, 0), "5");
    EXPECT_EQ(grid.colWidths[0], 0) << "row numbers are hidden";
}

TEST(ReportGrid, LineEndsOfEveryKindAndNoTrailingRow)
{
    EXPECT_EQ(gridColumn(reportGrid("a\nb\rc\r\nd")), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(gridColumn(reportGrid("a\r\n\r\n\r\n")), (std::vector<std::string>{"a", "", ""}));
    const TextGrid empty = reportGrid("");
    EXPECT_EQ(empty.rows(), 2);
    EXPECT_EQ(empty.text(1, 1), "");
}

TEST(ReportGrid, EveryLineOfARealReportArrivesTrimmedAndInOrder)
{
    testing::ReportTestJob fixture;
    const std::string text = reportText(fixture.job, fixture.densities);
    const std::vector<std::string> lines = reportLines(text);
    const TextGrid grid = reportGrid(text);
    ASSERT_EQ(grid.rows() - 1, static_cast<int>(lines.size()));
    ASSERT_GT(lines.size(), 30u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t first = line.find_first_not_of(' ');
        const std::string trimmed =
            first == std::string::npos ? "" : line.substr(first, line.find_last_not_of(' ') - first + 1);
        EXPECT_EQ(grid.text(static_cast<int>(i) + 1, 1), trimmed) << "line " << i + 1;
    }
    EXPECT_EQ(grid.text(1, 1).rfind("Overall Yield :", 0), 0u);
}

// ---- the copied selection

// "a", the blanks, "b".
std::string aBlanksB(size_t blanks)
{
    std::string text = "a";
    text.append(blanks, ' ');
    return text + 'b';
}

TEST(ReportClipboard, BlankRunsBecomeTabsTheWayTheyAlwaysHave)
{
    EXPECT_EQ(blankRunsToTabs("a b"), "a b");
    EXPECT_EQ(blankRunsToTabs("a  b"), "a\tb");
    EXPECT_EQ(blankRunsToTabs(aBlanksB(25)), "a\tb");
    // 26 = 25 + 1: one tab and the single blank left over.
    EXPECT_EQ(blankRunsToTabs(aBlanksB(26)), "a\t b");
    // 27 = 25 + 2 and 50 = 25 + 25: two tabs each.
    EXPECT_EQ(blankRunsToTabs(aBlanksB(27)), "a\t\tb");
    EXPECT_EQ(blankRunsToTabs(aBlanksB(50)), "a\t\tb");
    EXPECT_EQ(blankRunsToTabs("  lead and trail  "), "\tlead and trail\t");
}

TEST(ReportClipboard, TwoReportRowsGiveTwoTabSeparatedLines)
{
    const TextGrid grid = gridOfRows({"Sheet Utilization",
                                      "Sheet File Name    QtyUsed Pri     TotWeight",
                                      "big-sheet-100x100.  3      1       1500000.00",
                                      "Note=after"});
    EXPECT_EQ(reportClipboardText(grid, 2, 3, 1, 1),
              "Sheet File Name\tQtyUsed Pri\tTotWeight\r\n"
              "big-sheet-100x100.\t3\t1\t1500000.00\r\n");
    // The selection may have been made upwards.
    EXPECT_EQ(reportClipboardText(grid, 3, 2, 1, 1), reportClipboardText(grid, 2, 3, 1, 1));
    EXPECT_EQ(reportClipboardText(grid, 4, 4, 1, 1), "Note=after\r\n");
}

TEST(ReportClipboard, CellsOfARowJoinedByTabsAndTheRangeKeptInsideTheGrid)
{
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

// ---- pages of the printout

std::vector<std::string> numberedLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

TEST(ReportPages, EveryPageStartsWithTheHeaderAndNoLineIsLostOrRepeated)
{
    const std::vector<std::string> header{"", "Date: 06-12-2026", "", "Report", ""};
    const std::vector<std::string> body = numberedLines(23);
    const auto pages = paginate(body, header, 10); // 5 body lines a page

    ASSERT_EQ(pages.size(), 5u);
    std::vector<std::string> printed;
    for (const auto& page : pages) {
        ASSERT_GE(page.size(), header.size() + 1);
        EXPECT_LE(page.size(), 10u);
        EXPECT_TRUE(std::equal(header.begin(), header.end(), page.begin()));
        printed.insert(printed.end(), page.begin() + static_cast<std::ptrdiff_t>(header.size()), page.end());
    }
    EXPECT_EQ(printed, body);
    EXPECT_EQ(pages.back().back(), "line 23");
    EXPECT_EQ(pages[1][header.size()], "line 6");
}

TEST(ReportPages, FullPagesEmptyBodiesAndTallHeaders)
{
    EXPECT_EQ(paginate(numberedLines(20), {"h"}, 11).size(), 2u) << "exactly full pages add no empty page";
    EXPECT_EQ(paginate(numberedLines(21), {"h"}, 11).size(), 3u);
    EXPECT_EQ(paginate({}, {"", "Report"}, 50), (std::vector<std::vector<std::string>>{{"", "Report"}}));
    // A header taller than the page still lets one line through per page.
    const auto pages = paginate(numberedLines(3), {"a", "b", "c", "d"}, 2);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2], (std::vector<std::string>{"a", "b", "c", "d", "line 3"}));
}

} // namespace
} // namespace dravenor
