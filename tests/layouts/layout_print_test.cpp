#include <gtest/gtest.h>

#include <cmath>

#include "geometry/shape_builders.h"
#include "layouts/layout_print_run.h"
#include "layouts/report_test_job.h"
#include "support/recording_surface.h"

using namespace dravenor::testing;

namespace dravenor {
namespace {

// Records pages, fonts and pen widths besides the drawing; texts per page.
class RecordingPrintSurface : public RecordingSurface {
public:
    struct Page {
        ViewScale window;
        std::vector<RecordedLine> lines;
        std::vector<RecordedText> texts;
    };
    std::vector<Page> pages;
    std::vector<int> penWidths;
    PrintFont font = PrintFont::Small;

    void startPage() { flush(), started = true; }
    void finish() { flush(); }

    bool started = false;

private:
    void flush()
    {
        if (started) pages.push_back({scale(), lines, texts});
        lines.clear();
        texts.clear();
    }
};

class PrintRecorder : public PrintSurface {
public:
    RecordingPrintSurface inner;
    void startPage() override { inner.startPage(); }
    void setFont(PrintFont font) override { inner.font = font; }
    void setPenWidth(int width) override { inner.penWidths.push_back(width); }
    bool setScale(const ViewScale& s) override { return inner.setScale(s); }
    ViewScale scale() const override { return inner.scale(); }
    void line(double x1, double y1, double x2, double y2, int c) override { inner.line(x1, y1, x2, y2, c); }
    void lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb) override
    {
        inner.lineRgb(x1, y1, x2, y2, rgb);
    }
    // The fixed font's texts are marked so tests can tell the information block from labels.
    void text(double x, double y, const std::string& t) override
    {
        inner.text(x, y, (inner.font == PrintFont::Fixed ? "F:" : "S:") + t);
    }
    double textWidth(const std::string& t) const override { return inner.textWidth(t); }
    double textHeight(const std::string& t) const override { return inner.textHeight(t); }
    void clear() override { inner.clear(); }
    void setToolTip(const std::string&) override {}
    std::string toolTip() const override { return {}; }
    const std::vector<RecordingPrintSurface::Page>& pages()
    {
        inner.finish();
        inner.started = false;
        return inner.pages;
    }
};

// One layout by hand: a sheet (whose file does not exist, so its outline gives the size) and a
// 100 x 50 part at (100, 50).
NestingState oneLayout(double sheetWidth, double sheetHeight)
{
    NestingState state;
    state.details = {"ST", "JR", 12, 3, 3, "urgent"};
    state.sheets.push_back({"/nowhere/sheet.shp", 1, 1, static_cast<std::int32_t>(sheetWidth * sheetHeight), 0});
    state.parts.push_back({"/nowhere/part.shp", 1, 1, "", 5000, 0});
    const auto add = [&](const Shape& shape, int partIndex, int instance) {
        for (const ShapeEntity& e : shape)
            state.entities.push_back({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend, 1, partIndex, 1,
                                      instance, 0, 1});
    };
    add(rectangle(100, 50, 100, 50), 1, 1);
    add(rectangle(0, 0, sheetWidth, sheetHeight), 0, 0);
    state.items.push_back({"/nowhere/part.shp", 100, 50, 0, 1, 1, 1, 1});
    state.items.push_back({"/nowhere/sheet.shp", 0, 0, 0, 1, 0, 1, 1});
    return state;
}

const PaperArea kA4Landscape{277, 190};

TEST(LayoutPagePlan, TrueScaleTilesTheWholeSheetWithoutDroppingTheLastRowOrColumn)
{
    const LayoutPagePlan plan = planLayoutPages({3000, 1500, 1500}, kA4Landscape, PrintScale::unitsPerMillimetre(1));
    EXPECT_EQ(plan.across, static_cast<int>(std::ceil(3000 / 277.0))); // 11, the last one partly used
    EXPECT_EQ(plan.down, static_cast<int>(std::ceil(1500 / 190.0)));   // 8
    EXPECT_EQ(plan.pageCount(), 88);
    EXPECT_DOUBLE_EQ(plan.millimetresPerUnit(kA4Landscape), 1);
    // The last column still reaches the sheet's right edge, the last row its bottom.
    const ViewScale lastColumn = plan.window(1, plan.across);
    EXPECT_LT(lastColumn.left, 3000);
    EXPECT_GE(lastColumn.left + lastColumn.width, 3000);
    const ViewScale lastRow = plan.window(plan.down, 1);
    EXPECT_GE(lastRow.top + lastRow.height, 1500);
    EXPECT_TRUE(plan.holdsOrigin(plan.down, 1));
    EXPECT_FALSE(plan.holdsOrigin(1, 1));
}

TEST(LayoutPagePlan, ZoomSetsTheWindowFromTheLargerSideAndAWholeQuotientIsNotRoundedUp)
{
    const LayoutPagePlan one = planLayoutPages({3000, 1500, 1500}, kA4Landscape, PrintScale::zoom(1));
    EXPECT_DOUBLE_EQ(one.windowWidth, 3001);
    EXPECT_DOUBLE_EQ(one.windowHeight, 3001 * 190 / 277.0); // square units
    EXPECT_EQ(one.pageCount(), 1);
    EXPECT_EQ(paperSheetQuestion(one.pageCount(), 1), "1 paper sheets will be used for layout 1, Continue?");

    const LayoutPagePlan two = planLayoutPages({3000, 1500, 1500}, kA4Landscape, PrintScale::zoom(2));
    EXPECT_EQ(two.across, 2);
    EXPECT_EQ(two.down, 2);

    // 400 units on a 200-unit window are exactly two sheets, not three.
    const LayoutPagePlan whole = planLayoutPages({400, 100, 100}, {200, 200}, PrintScale::unitsPerMillimetre(1));
    EXPECT_EQ(whole.across, 2);
    EXPECT_EQ(whole.down, 1);
}

TEST(LayoutPagePlan, TheScaleTextSaysHowManyJobMillimetresOneOfPaperHolds)
{
    struct Case {
        PrintScale scale;
        DrawingUnit unit;
        const char* text;
    };
    const PrintedSheet sheet{3000, 1500, 1500};
    for (const Case& c : {Case{PrintScale::oneTo(10, DrawingUnit::Millimetre), DrawingUnit::Millimetre, "1 : 10"},
                          Case{PrintScale::oneTo(20, DrawingUnit::Inch), DrawingUnit::Inch, "1 : 20"},
                          Case{PrintScale::unitsPerMillimetre(1), DrawingUnit::Inch, "1 : 25.4"},
                          // 3001 units across 277 mm of paper.
                          Case{PrintScale::zoom(1), DrawingUnit::Millimetre, "1 : 10.83 (fitted)"},
                          Case{PrintScale::zoom(2), DrawingUnit::Millimetre, "1 : 5.42 (fitted)"}}) {
        const LayoutPagePlan plan = planLayoutPages(sheet, kA4Landscape, c.scale);
        EXPECT_EQ(printScaleText(plan, kA4Landscape, c.scale, c.unit), c.text);
    }
    // An inch job at 1 : 10 takes a tenth of its size in real millimetres: 3000 inches on 7620 mm.
    const LayoutPagePlan inches = planLayoutPages(sheet, kA4Landscape, PrintScale::oneTo(10, DrawingUnit::Inch));
    EXPECT_EQ(inches.across, static_cast<int>(std::ceil(7620 / 277.0)));
}

TEST(LayoutPagePlan, NothingToPrintWithoutASizeOrScale)
{
    EXPECT_EQ(planLayoutPages({0, 0, 0}, kA4Landscape, PrintScale::zoom(1)).pageCount(), 0);
    EXPECT_EQ(planLayoutPages({100, 100, 100}, {0, 0}, PrintScale::zoom(1)).pageCount(), 0);
    EXPECT_EQ(planLayoutPages({100, 100, 100}, kA4Landscape, PrintScale::unitsPerMillimetre(0)).pageCount(), 0);
}

TEST(LayoutPrinting, EveryPageShowsItsWindowAndOnlyTheOriginPageCarriesTheBlock)
{
    const NestingState state = oneLayout(3000, 1500);
    const PrintedSheet sheet = printedSheetOf(state, 1);
    EXPECT_DOUBLE_EQ(sheet.width, 3000);
    EXPECT_DOUBLE_EQ(sheet.mirror, 1500);
    const LayoutPagePlan plan = planLayoutPages(sheet, kA4Landscape, PrintScale::unitsPerMillimetre(1));

    PrintRecorder paper;
    LayoutPrintOptions options;
    options.lineWidth = 3;
    printLayoutPages(state, 1, plan, options, {"", "", "Date : 01-02-2026"}, paper);
    const auto& pages = paper.pages();
    ASSERT_EQ(pages.size(), 88u);
    for (int width : paper.inner.penWidths) EXPECT_EQ(width, 3);

    const size_t originPage = static_cast<size_t>((plan.down - 1) * plan.across); // last row, first column
    for (size_t i = 0; i < pages.size(); ++i) {
        const bool hasBlock = std::any_of(pages[i].texts.begin(), pages[i].texts.end(),
                                          [](const RecordedText& t) { return t.text == "F:(0,0)"; });
        EXPECT_EQ(hasBlock, i == originPage) << "page " << i + 1;
    }
    // The part's left edge x = 100 lies on the first column's page at 100 units (= 100 mm) from
    // the window's left edge, and its drawn bottom at F - 50.
    const auto& first = pages.front();
    EXPECT_DOUBLE_EQ(first.window.left, 0);
    const auto partLeft = std::find_if(first.lines.begin(), first.lines.end(), [](const RecordedLine& l) {
        return l.colour == -1 && l.rgb != 0 && l.x1 == 100 && l.x2 == 100;
    });
    ASSERT_NE(partLeft, first.lines.end());
    // The last column's page draws the sheet's right edge.
    const auto& lastColumn = pages[static_cast<size_t>(plan.across - 1)];
    EXPECT_TRUE(std::any_of(lastColumn.lines.begin(), lastColumn.lines.end(), [](const RecordedLine& l) {
        return l.colour == -1 && l.rgb == 0 && l.x1 == 3000 && l.x2 == 3000;
    }));
    // The block's lines sit below the origin label and stay on the paper.
    const auto& block = pages[originPage];
    const auto label = std::find_if(block.texts.begin(), block.texts.end(),
                                    [](const RecordedText& t) { return t.text == "F:(0,0)"; });
    const auto date = std::find_if(block.texts.begin(), block.texts.end(),
                                   [](const RecordedText& t) { return t.text == "F:Date : 01-02-2026"; });
    ASSERT_NE(date, block.texts.end());
    EXPECT_GT(date->y, label->y);
    EXPECT_LE(date->y, block.window.top + block.window.height);
}

TEST(LayoutPrinting, InformationLinesSayWhatTheJobAndLayoutAre)
{
    PrintJobDetails job{"06-12-2026", "/jobs/plates.nst", {"ST", "JR", 12, 2.5, 3, "rush"}};
    LayoutMetrics metrics;
    metrics.yield = 22.222;
    metrics.baseYield = 20.5;
    metrics.rlcPerSheet = 1200;
    metrics.totalRlc = 0.5;
    const std::vector<std::string> lines =
        layoutInformationLines(job, "1/2  [QTY 3]", "1 : 10", 150, {1100, 1500, 1500}, metrics, "");
    const std::vector<std::string> expected{
        "",
        "",
        "Date : 06-12-2026   File : plates.nst",
        "Mat : ST   Grade : JR   Thk : 12   Kerf : 2.5",
        "Note : rush",
        "",
        "Layout No           : 1/2  [QTY 3]",
        "Scale               : 1 : 10",
        "Grid Size           : 150 X 150",
        "Sheet Width(X-Axis) : 1100",
        "Sheet Length(Y-Axis): 1500",
        "Yield : 22.222      Base Yield : 20.5 ",
        "RLC/Sheet : 1200.00     Total RLC : .50",
    };
    EXPECT_EQ(lines, expected);

    job.jobFileName.clear();
    EXPECT_EQ(layoutInformationLines(job, "1/2", "", 0, {1, 1, 1}, metrics, "")[2], "Date : 06-12-2026");
    EXPECT_DOUBLE_EQ(printGridSpacing("Auto", {1100, 1500, 1500}), 150);
    EXPECT_DOUBLE_EQ(printGridSpacing("No", {1100, 1500, 1500}), 0);
    EXPECT_DOUBLE_EQ(printGridSpacing("250", {1100, 1500, 1500}), 250);
}

TEST(LayoutPrinting, TheBlockSaysWhichKerfWasUsedWhenItIsNotTheKerfEntered)
{
    for (const double kerf : {1.0, 0.05}) { // the 100 x 100 sheet turns 0.05 into 0.06
        ReportTestJob fixture;
        fixture.job.nesting.details.Kerf = kerf;
        LayoutPrintRun run;
        run.scale = PrintScale::unitsPerMillimetre(1);
        PrintRecorder paper;
        printLayoutLines(fixture.job.nesting, {0}, run, kA4Landscape, paper, nullptr);
        const auto& texts = paper.pages().at(0).texts;
        EXPECT_EQ(std::any_of(texts.begin(), texts.end(), [](const RecordedText& t) {
                      return t.text == "F:Kerf used 0.06 (entered 0.05): the largest sheet is too large for a finer grid";
                  }), kerf != 1) << kerf;
    }
}

TEST(LayoutPrinting, AnsweringNoSkipsThatLayoutOnly)
{
    NestingState state = oneLayout(300, 200);
    NestingState second = oneLayout(300, 200);
    for (LayoutEntity& e : second.entities) e.LayoutNo = 2;
    for (LayoutItem& i : second.items) i.LayoutNo = 2;
    state.entities.insert(state.entities.end(), second.entities.begin(), second.entities.end());
    state.items.insert(state.items.end(), second.items.begin(), second.items.end());

    LayoutPrintRun run;
    run.scale = PrintScale::unitsPerMillimetre(1);
    std::vector<std::string> questions;
    PrintRecorder paper;
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
    EXPECT_EQ(paper.pages().size(), 4u);
}

} // namespace
} // namespace dravenor
