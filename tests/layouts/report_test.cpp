// Yields, cutting lengths and weights of layouts, and the report that shows them: its text for a
// job worked out by hand, its file, and the report window's grid, copied selection and pages.
#include <filesystem>
#include <functional>
#include <numbers>

#include "engine/engine_job.h"
#include "engine/layout_summary.h"
#include "engine/nesting_driver.h"
#include "layout_helpers.h"
#include "layouts/layout_metrics.h"
#include "layouts/report.h"
#include "layouts/report_clipboard.h"
#include "layouts/report_grid.h"
#include "layouts/report_pages.h"
#include "layouts/report_print_text.h"
#include "layouts/report_test_job.h"
#include "support/grid_rows.h"
#include "support/text_match.h"

namespace dravenor {
namespace {

using testing::ReportTestJob;
using testing::TempFolder;
using Lines = std::vector<std::string>;

// ---- yields, cutting lengths and weights (the report's golden files show them for the
// hand-made job; these tests what the report does not)

TEST(LayoutMetricsFormulas, CuttingLengthWeightAndYield)
{
    // Every entity counts, holes too, arcs by their chords: a half arc is half the circle.
    Shape plate = testing::rectangle(0, 0, 200, 100);
    plate.push_back(testing::arcEntity(50, 50, 10, 0, 0));
    EXPECT_NEAR(cuttingLength(plate), 600 + 20 * kPi, 0.005);
    EXPECT_LT(cuttingLength(plate), 600 + 20 * kPi);
    EXPECT_DOUBLE_EQ(cuttingLength(Shape{}), 0);
    const double half = cuttingLength(Shape{testing::arcEntity(0, 0, 10, 0, 180)});
    EXPECT_NEAR(half * 2, cuttingLength(Shape{testing::arcEntity(0, 0, 10, 90, 90)}), 1e-9);
    EXPECT_NEAR(half, 10 * kPi, 0.002);

    // Weights (density x thickness x area x count) are the report goldens'.
    const std::pair<double, double> rounded[] = {{200.0 / 3, 66.667}, {15, 15}, {12.3454, 12.345}, {0, 0}};
    for (const auto& [percent, yield] : rounded) EXPECT_DOUBLE_EQ(roundedYield(percent), yield);
    // A range counts each layout with its quantity: 4000 / 24000, not the mean 20.
    const std::vector<LayoutSummary> layouts{
        {1, 1, "", 2, 2, 1500, 10000}, {2, 2, "", 1, 1, 1000, 4000}, {3, 2, "", 1, 0, 0, 0}};
    // Layout 3 has no sheet area.
    EXPECT_EQ((std::vector<double>{yieldOfLayouts(layouts, 1, 1), yieldOfLayouts(layouts, 2, 2), yieldOfLayouts(layouts, 1, 2),
                                   yieldOfLayouts(layouts, 3, 3)}), (std::vector<double>{15, 25, 16.667, 0}));
}

TEST(LayoutMetricsHandMade, BoxesAreTheSheetsExtentsUnproducedPartsHaveALengthAndDrawingsCountInTheirUnit)
{
    ReportTestJob fixture;
    fixture.job.nesting.details.Kerf = 3; // 1/3 cell per unit: the 100 x 50 box would be 33 x 17 cells
    const JobMetrics metrics = computeJobMetrics(fixture.job.nesting, 0.5);
    EXPECT_EQ(std::tuple(metrics.sheetBoxArea, metrics.partRlc, metrics.layouts.at(1).baseYield, metrics.rlcOfPart(3)),
              std::tuple(std::vector<double>{10000, 5000, 100}, std::vector<double>{140, 90, 40}, 20.0, 40.0));
    EXPECT_EQ(std::pair(metrics.layout(2), metrics.layout(3)), std::pair(&metrics.layouts[1], static_cast<const LayoutMetrics*>(nullptr)));

    // A drawing's cutting length counts its elliptic hole in the drawing unit and names what was
    // skipped: a 4 x 2 inch plate with a hole of semi-axes 1 and 0.5 inch, and a hatch.
    fixture.job.nesting.parts[1].FileName =
        fixture.folder.write("plate.dxf",
                             "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                             "0\nLWPOLYLINE\n90\n4\n70\n1\n10\n0\n20\n0\n10\n4\n20\n0\n10\n4\n20\n2\n10\n0\n20\n2\n"
                             "0\nELLIPSE\n10\n2\n20\n1\n11\n1\n21\n0\n40\n0.5\n0\nHATCH\n0\nENDSEC\n0\nEOF\n");
    const JobMetrics drawn = computeJobMetrics(fixture.job.nesting, 0.5);
    const double ellipse = std::numbers::pi * (3 * 1.5 - std::sqrt(3.5 * 2.5)); // Ramanujan's perimeter
    EXPECT_NEAR(drawn.partRlc[1], (12 + ellipse) * 25.4, 0.5);
    ASSERT_EQ(drawn.warnings.size(), 1u);
    EXPECT_TRUE(testing::contains(drawn.warnings[0], "plate.dxf: its cutting length leaves out")) << drawn.warnings[0];
}

// The "Ov. Yield" of the run's progress title as a number.
class TitleYield : public SilentProgress {
public:
    void title(const std::string& text) override
    {
        const size_t at = text.find("Ov. Yield : ");
        if (at != std::string::npos && text.compare(at + 12, 2, "NA") != 0) yield = std::stod(text.substr(at + 12));
    }
    double yield = -1;
};

TEST(LayoutMetricsEngine, RoundPartsYieldAndWeighTheirTrueAreasNotTheirRasterCellsAndCutTheirChords)
{
    // On a kerf-sized raster a washer OD40/ID18 covers about a third more than it is.
    const struct {
        const char* name;
        double od, id;
        int qty;
    } cases[] = {{"washer OD40/ID18", 40, 18, 30}, {"washer OD60/ID26", 60, 26, 20}, {"disc 100", 100, 0, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::EngineJob job;
        job.kerf(3)
            .sheet(job.rectangleFile("sheet.shp", 400, 300), 1)
            .part(job.shapeFile("round.shp", testing::washer(c.od / 2, c.od / 2, c.od, c.id)), c.qty);
        job.state.details.Thick = 10;
        TitleYield progress;
        optimise(job.state, NestingMode::Free, progress);
        ASSERT_EQ(job.state.parts[0].Remaining, 0);
        const double pieceArea = kPi * (c.od * c.od - c.id * c.id) / 4;
        const double expected = pieceArea * c.qty / (400 * 300) * 100;
        const JobMetrics metrics = computeJobMetrics(job.state, 1);
        for (const double yield : {metrics.overallYield, metrics.layouts.at(0).yield, progress.yield})
            EXPECT_NEAR(yield, expected, 0.001);
        EXPECT_NEAR(metrics.partWeight(1, c.qty), 10 * pieceArea * c.qty, 1e-6);
        // Each circle in 180 chords of 2 degrees; every piece cut once.
        EXPECT_NEAR(metrics.partRlc[0], 180 * (c.od + c.id) * std::sin(kPi / 180), 1e-9);
        EXPECT_NEAR(metrics.totalRlc, c.qty * metrics.partRlc[0], 1e-6);
    }
}

// ---- the report

// Weights are 0.5 x 10 x area x count and the columns those of the report's tab stops (20, 28,
// 36, ...), numbers printed with a blank either side: every golden file was checked by hand.
TEST(ReportText, MatchesTheHandWorkedReportsWithNamesWithoutFoldersAndSignedNumbersInColumns)
{
    const struct {
        const char* golden;
        std::function<void(ReportTestJob&)> change;
    } cases[] = {
        {"report.tlf", [](ReportTestJob&) {}},
        {"report-without-density.tlf",
         [](ReportTestJob& f) {
             f.densities = DensityTable{{"AL", "2.7"}};
         }},
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
        testing::expectGolden(std::string("layouts/") + c.golden, reportText(fixture.job, fixture.densities, &warnings));
        EXPECT_TRUE(warnings.empty()) << c.golden;
    }
    // Names without folders, no priority, and signed numbers in columns.
    EXPECT_EQ(reportDisplayName("C:\\jobs\\a,b.shp") + "|" + reportDisplayName("") + "|" + reportPriorityText(0), "a b.shp||-");
    // Tabs never go back: a column already passed starts right after the text.
    ReportPrintText out;
    out.text("ab").number(15).number(-2.5).number(0.5).tab(20).text("x").endLine();
    out.text("0123456789").tab(5).text("y").endLine();
    out.text("12345").tab(6).text("z").line();
    EXPECT_EQ(out.str(), "ab 15 -2.5  0.5" + std::string(4, ' ') + "x\r\n0123456789\r\n    y\r\n12345z\r\n");
}

TEST(ReportFile, WrittenToTheWorkingFolderOnlyWithLayoutsWarnsOfAMissingPartFileAndAFailureKeepsTheOld)
{
    ReportTestJob fixture;
    std::filesystem::remove(fixture.job.nesting.parts[1].FileName);
    TempFolder work;
    const ReportWriteResult written = writeReport(fixture.job, fixture.densities, work.folder());
    ASSERT_TRUE(written.ok() && written.path == work.file("Report.tlf")) << written.error;
    const std::string text = TempFolder::read(written.path);
    EXPECT_EQ(text, reportText(fixture.job, fixture.densities));
    EXPECT_TRUE(testing::contains(text, "\r\nTotal RLC(Running Length of Cutting) : 420.00\r\n"));
    EXPECT_TRUE(written.warnings.size() == 1 && testing::contains(written.warnings[0], "b.shp"));

    TempFolder other;
    EXPECT_EQ(writeReport(Job{}, fixture.densities, other.folder()).error, "This File does not contain any Layout");
    EXPECT_TRUE(other.entries().empty());
    // A failed write keeps the previous report: no temporary file can be made beside a name this long.
    const std::string path = other.write(std::string(245, 'r') + ".tlf", "previous report\r\n");
    EXPECT_NE(writeReportFile(fixture.job, fixture.densities, path).error.find(path), std::string::npos);
    EXPECT_EQ(std::pair(TempFolder::read(path), other.entries().size()), std::pair(std::string("previous report\r\n"), size_t{1}));
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
    EXPECT_EQ(std::tuple(grid.cols(), grid.title(1), grid.text(5, 0), grid.colWidths[0]), std::tuple(2, "REPORT", "5", 0))
        << "row numbers are hidden";
}

TEST(ReportClipboard, BlankRunsBecomeTabsAndSelectedRowsGiveTabSeparatedLinesWithinTheGrid)
{
    // Runs of 2 to 25 blanks are one tab; longer runs are cut into 25s first.
    const std::pair<size_t, std::string> cases[] = {{1, "a b"},    {2, "a\tb"},    {25, "a\tb"},
                                                    {26, "a\t b"}, {27, "a\t\tb"}, {50, "a\t\tb"}};
    for (const auto& [blanks, tabbed] : cases)
        EXPECT_EQ(blankRunsToTabs(std::string("a").append(blanks, ' ').append("b")), tabbed) << blanks;
    EXPECT_EQ(blankRunsToTabs("  lead and trail  "), "\tlead and trail\t");

    TextGrid report = reportGrid("Sheet Utilization\r\nSheet File Name    QtyUsed Pri     TotWeight\r\n"
                                 "big-sheet-100x100.  3      1       1500000.00\r\nNote=after\r\n");
    const std::string two = "Sheet File Name\tQtyUsed Pri\tTotWeight\r\nbig-sheet-100x100.\t3\t1\t1500000.00\r\n";
    EXPECT_EQ(reportClipboardText(report, 2, 3, 1, 1), two);
    EXPECT_EQ(reportClipboardText(report, 3, 2, 1, 1), two) << "a selection made upwards";
    EXPECT_EQ(reportClipboardText(report, 4, 4, 1, 1), "Note=after\r\n");

    TextGrid grid({"A", "B", "C"});
    testing::fillRow(grid, 1, {"x", "y  z", "w"});
    testing::fillRow(grid, 2, {"", "second"});
    grid.setRows(3); // no entry row
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

    EXPECT_EQ(std::pair(paginate(numberedLines(20), {"h"}, 11).size(), paginate(numberedLines(21), {"h"}, 11).size()),
              std::pair(2ul, 3ul)) << "exactly full pages add no empty page";
    EXPECT_EQ(paginate({}, {"", "Report"}, 50), (std::vector<Lines>{{"", "Report"}}));
    // A header taller than the page still lets one line through per page.
    const auto tall = paginate(numberedLines(3), {"a", "b", "c", "d"}, 2);
    ASSERT_EQ(tall.size(), 3u);
    EXPECT_EQ(tall[2], (Lines{"a", "b", "c", "d", "line 3"}));
    // The Costs page starts a page of its own; a break right after a full page adds no empty one.
    EXPECT_EQ(paginate({"line 1", "\f", "Costs"}, {"h"}, 11), (std::vector<Lines>{{"h", "line 1"}, {"h", "Costs"}}));
    EXPECT_EQ(paginate({"line 1", "\f", "Costs"}, {"h"}, 2), (std::vector<Lines>{{"h", "line 1"}, {"h", "Costs"}}));
}

} // namespace
} // namespace dravenor
