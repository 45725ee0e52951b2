#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "layouts/report.h"
#include "layouts/report_print_text.h"
#include "layouts/report_test_job.h"

namespace dravenor {
namespace {

using testing::ReportTestJob;
using testing::TempFolder;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text must end with CR LF";
    return lines;
}

const std::string stars(76, '*');
const std::string dashes(76, '-');

// Worked out by hand: weights are 0.5 x 10 x area x count; the columns are those of the
// report's tab stops (20, 28, 36, ...), numbers printed with a blank either side.
const std::vector<std::string> kExpectedReport = {
    "Overall Yield : 16      Overall Base Yield : 16 ",
    "Total Layouts : 2",
    "Total RLC(Running Length of Cutting) : 600.00",
    "",
    stars,
    "Basic Details",
    "",
    "Mat=ST        Grade=S235     Thk=10         Kerf=1",
    "Note=test job",
    stars,
    "Sheet(s) Utilization Summary",
    "",
    "Sheet File Name    QtyUsed Pri     TotWeight",
    dashes,
    "big-sheet-100x100.  2      1       100000.00",
    "small sheet.shp     1      -       25000.00",
    "",
    stars,
    "Part(s) Utilization Summary",
    "",
    "Part File Name     QtyReq  QtyPro  QtyRem  Pri     Orn     TotWeight RLC",
    dashes,
    "a.shp               3       3       0      -       -       15000.00  420.00",
    "b.shp               2       2       0      3       step90  5000.00   180.00",
    "c.shp               1       0       1      4       No      0.00      .00",
    "",
    stars,
    "Layout No : 1 / 2",
    "",
    "Yield : 15      Base Yield : 15 ",
    "RLC/Sheet : 230.00     Total RLC : 460.00",
    "Qty to cut : 2 ",
    "",
    "Sheet File Name    Pri     TotWeight",
    dashes,
    "big-sheet-100x100. 1       50000.00",
    "",
    "Part File Name     QtyPro  Pri     Orn     TotWeight   X-Loc     Y-Loc",
    dashes,
    "a.shp              1       -       -       5000.00     0.00      0.00",
    "b.shp              1       3       step90  2500.00     50.00     0.00",
    "",
    stars,
    "Layout No : 2 / 2",
    "",
    "Yield : 20      Base Yield : 20 ",
    "RLC/Sheet : 140.00     Total RLC : 140.00",
    "Qty to cut : 1 ",
    "",
    "Sheet File Name    Pri     TotWeight",
    dashes,
    "small sheet.shp    -       25000.00",
    "",
    "Part File Name     QtyPro  Pri     Orn     TotWeight   X-Loc     Y-Loc",
    dashes,
    "a.shp              1       -       -       5000.00     12.35     7.50",
    "",
    stars,
};

TEST(ReportText, MatchesTheHandWorkedReportLineByLine)
{
    ReportTestJob fixture;
    std::vector<std::string> warnings;
    const std::vector<std::string> lines = linesOf(reportText(fixture.job, fixture.densities, &warnings));
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(lines.size(), kExpectedReport.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kExpectedReport[i]) << "line " << i + 1;
}

TEST(ReportText, MaterialWithoutDensityWeighsNothing)
{
    ReportTestJob fixture;
    const std::vector<std::string> lines = linesOf(reportText(fixture.job, DensityTable{{"AL", "2.7"}}));
    EXPECT_EQ(lines[14], "big-sheet-100x100.  2      1       0.00");
    EXPECT_EQ(lines[22], "a.shp               3       3       0      -       -       0.00      420.00");
}

TEST(ReportText, ThicknessScalesEveryWeight)
{
    ReportTestJob fixture;
    fixture.job.nesting.details.Thick = 2.5; // a quarter of 10
    const std::vector<std::string> lines = linesOf(reportText(fixture.job, fixture.densities));
    EXPECT_EQ(lines[7], "Mat=ST        Grade=S235     Thk=2.5        Kerf=1");
    EXPECT_EQ(lines[14], "big-sheet-100x100.  2      1       25000.00");
    EXPECT_EQ(lines[39], "a.shp              1       -       -       1250.00     0.00      0.00");
}

TEST(ReportText, TheKerfUsedFollowsTheBasicDetailsOnlyWhenItIsNotTheKerfEntered)
{
    // The 100 x 100 sheet allows 1600 cells across: a kerf of 0.05 would give 2000.
    const std::pair<double, const char*> cases[] = {
        {1, "Note=test job"},
        {0.05, "Kerf used 0.06 (entered 0.05): the largest sheet is too large for a finer grid"},
    };
    for (const auto& [kerf, line] : cases) {
        ReportTestJob fixture;
        fixture.job.nesting.details.Kerf = kerf;
        const std::vector<std::string> lines = linesOf(reportText(fixture.job, fixture.densities));
        EXPECT_EQ(lines[8], line) << kerf;
        EXPECT_EQ(lines.size(), kExpectedReport.size() + (kerf == 1 ? 0 : 1)) << kerf;
    }
}

TEST(ReportText, LongValuesPushTheNextColumnToANewLine)
{
    ReportTestJob fixture;
    fixture.job.nesting.details.Thick = 1e6; // weights of 13 and more characters
    const std::vector<std::string> lines = linesOf(reportText(fixture.job, fixture.densities));
    EXPECT_EQ(lines[14], "big-sheet-100x100.  2      1       10000000000.00");
    EXPECT_EQ(lines[22], "a.shp               3       3       0      -       -       1500000000.00");
    EXPECT_EQ(lines[23], std::string(69, ' ') + "420.00");
}

TEST(ReportNames, FolderDroppedCutTo18CommasBlanked)
{
    EXPECT_EQ(reportDisplayName("/jobs/plates/a,b,c.shp"), "a b c.shp");
    EXPECT_EQ(reportDisplayName("C:\\jobs\\part.shp"), "part.shp");
    EXPECT_EQ(reportDisplayName("/x/abcdefghijklmnopqrstuvwxyz.shp"), "abcdefghijklmnopqr");
    EXPECT_EQ(reportDisplayName(""), "");
}

TEST(ReportNames, NoPriorityAndNoOrientationPrintAsDash)
{
    EXPECT_EQ(reportPriorityText(0), "-");
    EXPECT_EQ(reportPriorityText(32767), "-");
    EXPECT_EQ(reportPriorityText(7), "7");
    EXPECT_EQ(reportOrientationText(""), "-");
    EXPECT_EQ(reportOrientationText("No"), "No");
}

TEST(ReportPrinting, NumbersCarryASignBlankAndTabsNeverGoBack)
{
    ReportPrintText out;
    out.text("ab").number(15).number(-2.5).number(0.5).tab(20).text("x").endLine();
    out.text("0123456789").tab(5).text("y").endLine();
    out.text("12345").tab(6).text("z").line();
    EXPECT_EQ(out.str(), "ab 15 -2.5  0.5" + std::string(4, ' ') + "x\r\n0123456789\r\n    y\r\n12345z\r\n");
}

TEST(ReportFile, WrittenToTheWorkingFolderOnlyWithLayouts)
{
    ReportTestJob fixture;
    TempFolder work;
    const ReportWriteResult written = writeReport(fixture.job, fixture.densities, work.folder());
    ASSERT_TRUE(written.ok()) << written.error;
    EXPECT_EQ(written.path, work.file("Report.tlf"));
    EXPECT_EQ(TempFolder::read(work.file("Report.tlf")), reportText(fixture.job, fixture.densities));

    Job empty;
    TempFolder other;
    const ReportWriteResult none = writeReport(empty, fixture.densities, other.folder());
    EXPECT_EQ(none.error, "This File does not contain any Layout");
    EXPECT_TRUE(other.entries().empty());
}

TEST(ReportFile, AFailedWriteKeepsThePreviousReport)
{
    ReportTestJob fixture;
    TempFolder work;
    // The file exists, but no temporary file can be made beside it: its name is too long.
    const std::string path = work.write(std::string(245, 'r') + ".tlf", "previous report\r\n");
    const ReportWriteResult result = writeReportFile(fixture.job, fixture.densities, path);
    EXPECT_NE(result.error.find(path), std::string::npos);
    EXPECT_EQ(TempFolder::read(path), "previous report\r\n");
    EXPECT_EQ(work.entries().size(), 1u);
}

TEST(ReportFile, AMissingPartFileIsWarnedAboutAndTheReportStillWritten)
{
    ReportTestJob fixture;
    std::filesystem::remove(fixture.job.nesting.parts[1].FileName);
    TempFolder work;
    const ReportWriteResult result = writeReport(fixture.job, fixture.densities, work.folder());
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("b.shp"), std::string::npos);
    const std::vector<std::string> lines = linesOf(TempFolder::read(result.path));
    EXPECT_EQ(lines[2], "Total RLC(Running Length of Cutting) : 420.00");
}

} // namespace
} // namespace dravenor
