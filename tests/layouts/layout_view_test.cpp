// The layout view: the fitted picture with its scroll bars, colours, grid and labels, the part
// under the pointer; and the layout printed on paper. The viewport's zoom, drags and scroll bars
// are tested through the main window's layout panel.
#include <optional>
#include <sstream>

#include "geometry/segments.h"
#include "geometry/shape_file.h"
#include "layout_helpers.h"
#include "layouts/layout_hover.h"
#include "layouts/layout_print_run.h"
#include "layouts/layout_view.h"
#include "layouts/remnant_marks.h"
#include "layouts/report_test_job.h"
#include "support/recording_surface.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

struct Placed { std::string name; Shape shape; std::int32_t partIndex; };

// Layout 1 on a sheet whose file is written to the folder, the parts placed in turn.
NestingState handLayout(const TempFolder& dir, double width, double height, const std::vector<Placed>& parts = {})
{
    NestingState state;
    state.sheets.push_back({dir.file("sheet.shp"), 1, 0, 0, 0});
    EXPECT_EQ(saveShapeFile(rectangle(0, 0, width, height), state.sheets[0].FileName), "");
    std::int32_t instance = 0;
    for (const Placed& p : parts) placeShape(state, 1, p.shape, p.partIndex, ++instance, "/jobs/parts/" + p.name);
    placeShape(state, 1, rectangle(0, 0, width, height), 0, 0, state.sheets[0].FileName);
    return state;
}

const LayoutViewOptions kNoGrid{.gridText = "No"};

} // namespace

// Hand-made layouts drawn and summed up in a golden file, under titles saying what each pins.
TEST(LayoutViewDrawing, HandMadeLayoutsAreDrawnAsRecorded)
{
    TempFolder dir;
    std::string record;
    const auto draw = [&](const std::string& title, const NestingState& state, int layoutNo, const LayoutViewOptions& o,
                          std::optional<ViewScale> view = {}) {
        RecordingSurface surface;
        surface.line(0, 0, 1, 1, Red); // left from an earlier drawing
        const LayoutViewFrame f =
            view ? drawLayoutInView(state, layoutNo, surface, o, *view) : drawLayoutFitted(state, layoutNo, surface, o);
        std::ostringstream frame;
        frame << "frame " << f.drawn << ": sheet " << f.sheetWidth << " x " << f.sheetHeight << ", mirror " << f.mirror
              << ", across 0.." << f.hMaximum << " by " << f.hSmallStep << "/" << f.hLargeStep << ", down "
              << f.vMinimum << "..0 by " << f.vSmallStep << "/" << f.vLargeStep << "\n";
        record += "=== " + title + "\n" + frame.str() + goldenDrawing(surface);
    };
    const NestingState wide = handLayout(dir, 2000, 1000);
    draw("at the bottom left, a margin of four letters (4 % of the view on the recording surface)", wide, 1, kNoGrid);
    draw("zoom 4 shows a quarter of the view", wide, 1, {.zoom = 4, .gridText = "No"});
    draw("the main window's grid: a tenth of the sheet in light grey, without labels", wide, 1, {});
    draw("a layout that does not exist leaves the surface cleared", wide, 2, kNoGrid);
    draw("scroll bars end at 32767; half a step is raised to one, 2.5 rounds to the even 2", handLayout(dir, 40000, 5),
         1, kNoGrid);
    draw("the sheet in black, each part file in its colour, y mirrored, an arc ending at 360 ends at nought "
         "degrees, a disc whole, names centred on the part boxes",
         handLayout(dir, 1000, 500,
                    {{"a.shp", rectangle(10, 10, 100, 50), 1},
                     {"a.shp", rectangle(200, 10, 100, 50), 1},
                     {"b.shp", rectangle(10, 300, 80, 80), 2},
                     {"arc.shp", {arcEntity(500, 250, 50, 90, 360)}, 3},
                     {"disc.shp", {arcEntity(800, 250, 40, 0, 0)}, 4}}),
         1, {.gridText = "No", .showNames = true});
    // The view's bottom edge lies just below the sheet's lower edge (drawn at y 1000).
    draw("a position label below the window is lifted by two text heights",
         handLayout(dir, 1000, 1000,
                    {{"low.shp", rectangle(100, 0, 100, 100), 1}, {"high.shp", rectangle(400, 600, 100, 100), 2}}),
         1, {.gridText = "No", .showPositions = true}, ViewScale{-5, 1000 + 0.01 * 1010 - 1010, 1010, 1010});
    expectGolden("layouts/layout-view.txt", record);
}

// A remnant's label is centred over it when it fits, else it starts from the remnant's outer
// edge inwards: never past the sheet.
TEST(RemnantLabel, StaysOnTheSheetBesideANarrowRemnant)
{
    const Extents box{900, 0, 1000, 500};
    struct Case {
        RemnantSide side;
        double width, left;
    };
    for (const Case& c : {Case{RemnantSide::Right, 60, 920}, Case{RemnantSide::Right, 300, 700},
                          Case{RemnantSide::Left, 300, 900}, Case{RemnantSide::Top, 100, 900}}) {
        Remnant remnant;
        remnant.side = c.side;
        EXPECT_DOUBLE_EQ(remnantLabelLeft(remnant, box, c.width), c.left) << c.width;
    }
}

TEST(LayoutViewPointer, FindsThePartUnderThePointerOnItsOutlineAndNamesIt)
{
    TempFolder dir;
    const NestingState state =
        handLayout(dir, 1000, 1000,
                   {{"washer.shp", washer(300, 300, 400, 200), 1}, // a hole of radius 100
                    {"insert.shp", rectangle(280, 280, 40, 40), 2}, // in the washer's hole
                    {"strip.shp", rectangle(600, 100, 300, 0.5), 3}}); // thinner than the pointer
    const LayoutPartFinder finder(state, 1);
    const std::tuple<double, double, int> cases[] = {{300, 300, 1}, {300, 130, 0}, {360, 300, -1},
                                                     {750, 102, 2}, {750, 96, -1}, {20, 20, -1}};
    for (const auto& [x, y, row] : cases) EXPECT_EQ(finder.partAt(x, y, 3), row) << x << "," << y;
    EXPECT_EQ(LayoutPartFinder(state, 2).partAt(300, 300, 3), -1);

    LayoutItem item = state.items[1];
    const std::string flat = hoveredPartText(item);
    item.Angle = 90;
    EXPECT_EQ(flat + "|" + hoveredPartText(item), "insert.shp at X=280.00, Y=280.00|insert.shp at X=280.00, Y=280.00, turned 90");
    EXPECT_EQ(layoutPointerText(0, 1000, 1000), kIdlePointerText);
    EXPECT_EQ(layoutPointerText(12.5, 900, 1000) + "|" + layoutPointerText(1234.567, 0, 2000),
              "X=00012.50,  Y=00100.00|X=01234.57,  Y=02000.00");
}

TEST(SheetSize, TheCacheRereadsAChangedSheetFileAndAMissingOneFallsBackToTheOutline)
{
    TempFolder dir;
    NestingState state = handLayout(dir, 600, 300);
    SheetExtentsCache cache;
    RecordingSurface surface;
    for (int i = 0; i < 3; ++i) drawLayoutFitted(state, 1, surface, kNoGrid, &cache);
    EXPECT_EQ(cache.filesRead(), 1);
    ASSERT_EQ(saveShapeFile(rectangle(0, 0, 1200.5, 300), state.sheets[0].FileName), "");
    EXPECT_DOUBLE_EQ(drawLayoutFitted(state, 1, surface, kNoGrid, &cache).sheetWidth, 1200.5);
    EXPECT_EQ(cache.filesRead(), 2);

    state.sheets[0].FileName = dir.file("gone.shp");
    const LayoutViewFrame missing = drawLayoutFitted(state, 1, surface, kNoGrid);
    EXPECT_EQ(std::tuple(missing.drawn, missing.sheetWidth, missing.mirror), std::tuple(true, 600.0, 300.0));
}

// ---- printed layouts: the plan of paper sheets, the scale text, the pages drawn and the
// information block on the page that holds the sheet's origin

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
const PrintedSheet kPrintedSheet{3000, 1500, 1500};

} // namespace

TEST(LayoutPagePlan, PagesTileTheWholeSheetAtTheScaleWhichTheScaleTextNames)
{
    // 3000 x 1500 on 277 x 190 mm: the last column and row, partly used, are never dropped.
    const struct { PrintScale scale; DrawingUnit unit; int across, down; const char* text; } cases[] = {
        {PrintScale::unitsPerMillimetre(1), DrawingUnit::Millimetre, 11, 8, "1 : 1"},
        {PrintScale::unitsPerMillimetre(1), DrawingUnit::Inch, 11, 8, "1 : 25.4"},
        {PrintScale::oneTo(10, DrawingUnit::Millimetre), DrawingUnit::Millimetre, 2, 1, "1 : 10"},
        // An inch job at 1 : 10 takes a tenth of its size in real millimetres: 3000 inches on 7620 mm.
        {PrintScale::oneTo(10, DrawingUnit::Inch), DrawingUnit::Inch, 28, 21, "1 : 10"},
        // A zoom sets the window from the larger side: 3001 units on 277 mm.
        {PrintScale::zoom(1), DrawingUnit::Millimetre, 1, 1, "1 : 10.83 (fitted)"},
        {PrintScale::zoom(2), DrawingUnit::Millimetre, 2, 2, "1 : 5.42 (fitted)"},
    };
    for (const auto& c : cases) {
        const LayoutPagePlan plan = planLayoutPages(kPrintedSheet, kA4Landscape, c.scale);
        EXPECT_EQ(std::pair(plan.across, plan.down), std::pair(c.across, c.down)) << c.text;
        EXPECT_EQ(printScaleText(plan, kA4Landscape, c.scale, c.unit), c.text);
        EXPECT_DOUBLE_EQ(plan.windowHeight, plan.windowWidth * 190 / 277.0) << "square units";
        EXPECT_GE(plan.window(plan.down, plan.across).left + plan.windowWidth, 3000);
        EXPECT_TRUE(plan.holdsOrigin(plan.down, 1) && (plan.down == 1 || !plan.holdsOrigin(1, 1)));
    }
    // 400 units on a 200-unit window are exactly two sheets, not three.
    const LayoutPagePlan whole = planLayoutPages({400, 100, 100}, {200, 200}, PrintScale::unitsPerMillimetre(1));
    EXPECT_EQ(std::pair(whole.across, whole.down), std::pair(2, 1));
    // Nothing to print without a size or a scale.
    EXPECT_EQ(planLayoutPages({0, 0, 0}, kA4Landscape, PrintScale::zoom(1)).pageCount(), 0);
    EXPECT_EQ(planLayoutPages({100, 100, 100}, {0, 0}, PrintScale::zoom(1)).pageCount(), 0);
    EXPECT_EQ(planLayoutPages({100, 100, 100}, kA4Landscape, PrintScale::unitsPerMillimetre(0)).pageCount(), 0);
}

// Two layouts of a 3000 x 1500 sheet at true scale: No to the first question skips that layout
// only; each of the other's 88 pages shows its window, and only the page holding the sheet's
// origin carries the information block, moved up to stay on the paper.
TEST(LayoutPrinting, AnsweringNoSkipsThatLayoutAndOnlyTheOriginPageCarriesTheBlock)
{
    const NestingState state = handLayouts(3000, 1500, 2);
    const PrintedSheet sheet = printedSheetOf(state, 1);
    EXPECT_EQ(std::pair(sheet.width, sheet.mirror), std::pair(3000.0, 1500.0));
    LayoutPrintRun run;
    run.scale = PrintScale::unitsPerMillimetre(1);
    run.options.lineWidth = 3;
    run.job.date = "01-02-2026";
    std::vector<std::string> questions;
    PaperRecorder paper;
    const LayoutPrintResult result =
        printLayoutLines(state, allLayoutLines(state), run, kA4Landscape, paper, [&](int, const std::string& q) {
            questions.push_back(q);
            return questions.size() == 2;
        });
    EXPECT_EQ(questions, (std::vector<std::string>{"88 paper sheets will be used for layout 1, Continue?",
                                                   "88 paper sheets will be used for layout 2, Continue?"}));
    EXPECT_EQ(std::tuple(result.layoutsSkipped, result.layoutsPrinted, result.pagesPrinted, paper.penWidths),
              std::tuple(std::vector<int>{1}, std::vector<int>{2}, 88, std::vector<int>(88, 3)));
    ASSERT_EQ(paper.pages.size(), 88u);

    const size_t originPage = 7 * 11; // last row, first column
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
    EXPECT_TRUE(drawsLine(paper.pages.front(), 100, false) && drawsLine(paper.pages[10], 3000, true));
    const RecordingSurface& block = paper.pages[originPage];
    const auto label = block.findText("F:(0,0)"), date = block.findText("F:Date : 01-02-2026");
    ASSERT_TRUE(date);
    EXPECT_GT(date->y, label->y);
    EXPECT_LE(date->y, block.scale().top + block.scale().height);
}

// The information lines for given numbers, then the printed pages of the hand-made job in a
// golden file: saved, with the kerf used named as it is not the kerf entered (the 100 x 100 sheet
// turns 0.05 into 0.06), and never saved.
TEST(LayoutPrinting, TheInformationBlockSaysWhatTheJobAndLayoutAreAsRecorded)
{
    const LayoutMetrics metrics{.yield = 22.222, .baseYield = 20.5, .rlcPerSheet = 1200, .totalRlc = 0.5};
    const PrintJobDetails job{"06-12-2026", "/jobs/plates.nst", {"ST", "JR", 12, 2.5, 3, "rush"}};
    std::string record = "=== information lines\n";
    for (const std::string& line :
         layoutInformationLines(job, "1/2  [QTY 3]", "1 : 10", 150, {1100, 1500, 1500}, metrics, ""))
        record += line + "\n";
    for (const auto& [kerf, file] : {std::pair{0.05, "/jobs/plates.nst"}, {1.0, ""}}) {
        ReportTestJob fixture;
        fixture.job.nesting.details.Kerf = kerf;
        LayoutPrintRun run;
        run.scale = PrintScale::oneTo(2, DrawingUnit::Millimetre);
        run.job = {"06-12-2026", file, fixture.job.nesting.details};
        PaperRecorder paper;
        printLayoutLines(fixture.job.nesting, allLayoutLines(fixture.job.nesting), run, kA4Landscape, paper);
        for (const RecordingSurface& page : paper.pages)
            record += "=== page, kerf " + std::to_string(kerf) + "\n" + goldenDrawing(page);
    }
    expectGolden("layouts/layout-print.txt", record);
    const PrintedSheet sheet{1100, 1500, 1500};
    EXPECT_EQ((std::vector<double>{printGridSpacing("Auto", sheet), printGridSpacing("No", sheet), printGridSpacing("250", sheet)}),
              (std::vector<double>{150, 0, 250}));
}
