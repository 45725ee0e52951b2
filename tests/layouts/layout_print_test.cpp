// Printed layouts: the plan of paper sheets, the scale text, the pages drawn and the information
// block on the page that holds the sheet's origin.
#include <gtest/gtest.h>

#include <cmath>

#include "layout_helpers.h"
#include "geometry/shape_builders.h"
#include "layouts/layout_print_run.h"
#include "layouts/report_test_job.h"
#include "support/recording_surface.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Every paper sheet as a recording surface whose scale is its window; texts in the fixed font
// are marked "F:" to tell the information block from labels.
class PaperRecorder : public PrintSurface {
public:
    std::vector<RecordingSurface> pages;
    std::vector<int> penWidths;

    void startPage() override { pages.emplace_back(); }
    void setFont(PrintFont font) override { fixed_ = font == PrintFont::Fixed; }
    void setPenWidth(int width) override { penWidths.push_back(width); }
    bool setScale(const ViewScale& s) override { return page().setScale(s); }
    ViewScale scale() const override { return page().scale(); }
    void line(double x1, double y1, double x2, double y2, int c) override { page().line(x1, y1, x2, y2, c); }
    void lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb) override
    {
        page().lineRgb(x1, y1, x2, y2, rgb);
    }
    void text(double x, double y, const std::string& t) override { page().text(x, y, (fixed_ ? "F:" : "S:") + t); }
    double textWidth(const std::string& t) const override { return page().textWidth(t); }
    double textHeight(const std::string& t) const override { return page().textHeight(t); }
    void clear() override { page().clear(); }
    void setToolTip(const std::string&) override {}
    std::string toolTip() const override { return {}; }

private:
    RecordingSurface& page() { return pages.empty() ? unpaged_ : pages.back(); }
    const RecordingSurface& page() const { return pages.empty() ? unpaged_ : pages.back(); }
    RecordingSurface unpaged_;
    bool fixed_ = false;
};

// Layout 1 (and 2 the same) by hand: a sheet whose file does not exist, so that its outline
// gives the size, and a 100 x 50 part at (100, 50).
NestingState handLayouts(double sheetWidth, double sheetHeight, int layouts = 1)
{
    NestingState state;
    state.details = {"ST", "JR", 12, 3, 3, "urgent"};
    state.sheets.push_back({"/nowhere/sheet.shp", 1, 1, static_cast<std::int32_t>(sheetWidth * sheetHeight), 0});
    state.parts.push_back({"/nowhere/part.shp", 1, 1, "", 5000, 0});
    for (int layoutNo = 1; layoutNo <= layouts; ++layoutNo) {
        placeShape(state, layoutNo, rectangle(100, 50, 100, 50), 1, 1, "/nowhere/part.shp");
        placeShape(state, layoutNo, rectangle(0, 0, sheetWidth, sheetHeight), 0, 0, "/nowhere/sheet.shp");
    }
    return state;
}

const PaperArea kA4Landscape{277, 190};
const PrintedSheet kSheet{3000, 1500, 1500};

} // namespace

TEST(LayoutPagePlan, TrueScaleTilesTheWholeSheetWithoutDroppingTheLastRowOrColumn)
{
    const LayoutPagePlan plan = planLayoutPages(kSheet, kA4Landscape, PrintScale::unitsPerMillimetre(1));
    EXPECT_EQ(plan.across, 11); // 3000 / 277, the last one partly used
    EXPECT_EQ(plan.down, 8);    // 1500 / 190
    EXPECT_EQ(plan.pageCount(), 88);
    EXPECT_DOUBLE_EQ(plan.millimetresPerUnit(kA4Landscape), 1);
    const ViewScale lastColumn = plan.window(1, plan.across), lastRow = plan.window(plan.down, 1);
    EXPECT_LT(lastColumn.left, 3000);
    EXPECT_GE(lastColumn.left + lastColumn.width, 3000);
    EXPECT_GE(lastRow.top + lastRow.height, 1500);
    EXPECT_TRUE(plan.holdsOrigin(plan.down, 1));
    EXPECT_FALSE(plan.holdsOrigin(1, 1));

    // 400 units on a 200-unit window are exactly two sheets, not three.
    const LayoutPagePlan whole = planLayoutPages({400, 100, 100}, {200, 200}, PrintScale::unitsPerMillimetre(1));
    EXPECT_EQ(std::pair(whole.across, whole.down), std::pair(2, 1));
    // Nothing to print without a size or a scale.
    EXPECT_EQ(planLayoutPages({0, 0, 0}, kA4Landscape, PrintScale::zoom(1)).pageCount(), 0);
    EXPECT_EQ(planLayoutPages({100, 100, 100}, {0, 0}, PrintScale::zoom(1)).pageCount(), 0);
    EXPECT_EQ(planLayoutPages({100, 100, 100}, kA4Landscape, PrintScale::unitsPerMillimetre(0)).pageCount(), 0);
}

TEST(LayoutPagePlan, ZoomSetsTheWindowFromTheLargerSideAndTheScaleTextSaysWhatOneMillimetreHolds)
{
    const LayoutPagePlan one = planLayoutPages(kSheet, kA4Landscape, PrintScale::zoom(1));
    EXPECT_DOUBLE_EQ(one.windowWidth, 3001);
    EXPECT_DOUBLE_EQ(one.windowHeight, 3001 * 190 / 277.0); // square units
    EXPECT_EQ(one.pageCount(), 1);
    EXPECT_EQ(paperSheetQuestion(one.pageCount(), 1), "1 paper sheets will be used for layout 1, Continue?");
    const LayoutPagePlan two = planLayoutPages(kSheet, kA4Landscape, PrintScale::zoom(2));
    EXPECT_EQ(std::pair(two.across, two.down), std::pair(2, 2));

    const std::tuple<PrintScale, DrawingUnit, const char*> cases[] = {
        {PrintScale::oneTo(10, DrawingUnit::Millimetre), DrawingUnit::Millimetre, "1 : 10"},
        {PrintScale::oneTo(20, DrawingUnit::Inch), DrawingUnit::Inch, "1 : 20"},
        {PrintScale::unitsPerMillimetre(1), DrawingUnit::Inch, "1 : 25.4"},
        {PrintScale::zoom(1), DrawingUnit::Millimetre, "1 : 10.83 (fitted)"}, // 3001 units on 277 mm
        {PrintScale::zoom(2), DrawingUnit::Millimetre, "1 : 5.42 (fitted)"}};
    for (const auto& [scale, unit, text] : cases)
        EXPECT_EQ(printScaleText(planLayoutPages(kSheet, kA4Landscape, scale), kA4Landscape, scale, unit), text);
    // An inch job at 1 : 10 takes a tenth of its size in real millimetres: 3000 inches on 7620 mm.
    EXPECT_EQ(planLayoutPages(kSheet, kA4Landscape, PrintScale::oneTo(10, DrawingUnit::Inch)).across,
              static_cast<int>(std::ceil(7620 / 277.0)));
}

TEST(LayoutPrinting, EveryPageShowsItsWindowAndOnlyTheOriginPageCarriesTheBlock)
{
    const NestingState state = handLayouts(3000, 1500);
    const PrintedSheet sheet = printedSheetOf(state, 1);
    EXPECT_EQ(std::pair(sheet.width, sheet.mirror), std::pair(3000.0, 1500.0));
    const LayoutPagePlan plan = planLayoutPages(sheet, kA4Landscape, PrintScale::unitsPerMillimetre(1));
    PaperRecorder paper;
    LayoutPrintOptions options;
    options.lineWidth = 3;
    printLayoutPages(state, 1, plan, options, {"", "", "Date : 01-02-2026"}, paper);
    ASSERT_EQ(paper.pages.size(), 88u);
    EXPECT_EQ(paper.penWidths, std::vector<int>(88, 3));

    const size_t originPage = static_cast<size_t>((plan.down - 1) * plan.across); // last row, first column
    for (size_t i = 0; i < paper.pages.size(); ++i)
        EXPECT_EQ(paper.pages[i].findText("F:(0,0)").has_value(), i == originPage) << "page " << i + 1;
    const auto drawsLine = [](const RecordingSurface& page, double x, bool sheet) {
        return std::any_of(page.lines.begin(), page.lines.end(), [&](const RecordedLine& l) {
            return l.colour == -1 && (l.rgb == 0) == sheet && l.x1 == x && l.x2 == x;
        });
    };
    // The part's left edge lies on the first column's page, 100 units (= 100 mm) from the
    // window's left edge; the last column's page draws the sheet's right edge.
    EXPECT_DOUBLE_EQ(paper.pages.front().scale().left, 0);
    EXPECT_TRUE(drawsLine(paper.pages.front(), 100, false));
    EXPECT_TRUE(drawsLine(paper.pages[static_cast<size_t>(plan.across - 1)], 3000, true));
    // The block's lines sit below the origin label and stay on the paper.
    const RecordingSurface& block = paper.pages[originPage];
    const auto label = block.findText("F:(0,0)"), date = block.findText("F:Date : 01-02-2026");
    ASSERT_TRUE(date);
    EXPECT_GT(date->y, label->y);
    EXPECT_LE(date->y, block.scale().top + block.scale().height);
}

TEST(LayoutPrinting, InformationLinesSayWhatTheJobAndLayoutAre)
{
    PrintJobDetails job{"06-12-2026", "/jobs/plates.nst", {"ST", "JR", 12, 2.5, 3, "rush"}};
    LayoutMetrics metrics;
    metrics.yield = 22.222;
    metrics.baseYield = 20.5;
    metrics.rlcPerSheet = 1200;
    metrics.totalRlc = 0.5;
    EXPECT_EQ(layoutInformationLines(job, "1/2  [QTY 3]", "1 : 10", 150, {1100, 1500, 1500}, metrics, ""),
              (std::vector<std::string>{"", "", "Date : 06-12-2026   File : plates.nst",
                                        "Mat : ST   Grade : JR   Thk : 12   Kerf : 2.5", "Note : rush", "",
                                        "Layout No           : 1/2  [QTY 3]", "Scale               : 1 : 10",
                                        "Grid Size           : 150 X 150", "Sheet Width(X-Axis) : 1100",
                                        "Sheet Length(Y-Axis): 1500", "Yield : 22.222      Base Yield : 20.5 ",
                                        "RLC/Sheet : 1200.00     Total RLC : .50"}));
    job.jobFileName.clear();
    EXPECT_EQ(layoutInformationLines(job, "1/2", "", 0, {1, 1, 1}, metrics, "")[2], "Date : 06-12-2026");
    EXPECT_DOUBLE_EQ(printGridSpacing("Auto", {1100, 1500, 1500}), 150);
    EXPECT_DOUBLE_EQ(printGridSpacing("No", {1100, 1500, 1500}), 0);
    EXPECT_DOUBLE_EQ(printGridSpacing("250", {1100, 1500, 1500}), 250);

    // The kerf used is named when it is not the kerf entered: the 100 x 100 sheet turns 0.05 into 0.06.
    for (const double kerf : {1.0, 0.05}) {
        ReportTestJob fixture;
        fixture.job.nesting.details.Kerf = kerf;
        LayoutPrintRun run;
        run.scale = PrintScale::unitsPerMillimetre(1);
        PaperRecorder paper;
        printLayoutLines(fixture.job.nesting, {0}, run, kA4Landscape, paper, nullptr);
        EXPECT_EQ(paper.pages.at(0)
                      .findText("F:Kerf used 0.06 (entered 0.05): the largest sheet is too large for a finer grid")
                      .has_value(),
                  kerf != 1)
            << kerf;
    }
}

TEST(LayoutPrinting, AnsweringNoSkipsThatLayoutOnly)
{
    LayoutPrintRun run;
    run.scale = PrintScale::unitsPerMillimetre(1);
    std::vector<std::string> questions;
    PaperRecorder paper;
    const NestingState state = handLayouts(300, 200, 2);
    const LayoutPrintResult result =
        printLayoutLines(state, allLayoutLines(state), run, {150, 150}, paper, [&](int, const std::string& q) {
            questions.push_back(q);
            return questions.size() == 2;
        });
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0], "4 paper sheets will be used for layout 1, Continue?");
    EXPECT_EQ(result.layoutsSkipped, std::vector<int>{1});
    EXPECT_EQ(result.layoutsPrinted, std::vector<int>{2});
    EXPECT_EQ(result.pagesPrinted, 4);
    EXPECT_EQ(paper.pages.size(), 4u);
}
