// Optimising from the main window: the start checks, the progress window, the layouts listed and
// drawn, the layout view's zoom, scrolling and pointer, printing to scale, the drawing unit, and
// what an edit of the job does to the layouts.
#include <QCheckBox>
#include <QPdfWriter>
#include <QScrollBar>

#include <cmath>
#include <tuple>

#include "app/main_window_fixture.h"
#include "layouts/checked_optimisation.h"
#include "job/print_config.h"
#include "layouts/layout_list.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

using MainWindowOptimise = MainWindowTest;

TEST_F(MainWindowOptimise, ARunListsTheEnginesLayoutsAndAnEditThrowsThemAwayButEscNever)
{
    enterJob();
    const std::string status = optimise();
    EXPECT_EQ(status.rfind("Full Optimization Done [", 0), 0u) << status;
    // The same job run by the engine alone, as the batch tool runs it.
    Job alone = window->job();
    copyGridsToRecords(alone);
    SilentProgress silent;
    optimiseChecked(alone.nesting, alone.mode, silent);
    EXPECT_EQ(window->job().nesting.entities, alone.nesting.entities);
    const std::vector<std::string> entries = layoutListEntries(alone.nesting);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(listed(), entries);
    EXPECT_GT(inkedPixels(panel().canvas()->surface().image()), 500);
    EXPECT_EQ(std::tuple(panel().currentLayout(), window->job().modified, progressKerfNote, panel().kerfLabel()->isHidden()),
              std::tuple(1, true, "", true));
    for (const std::string& text : dialogs.questionTexts()) EXPECT_FALSE(contains(text, "not placed")) << text;

    // Esc where the job was typed in (the part Qty cell is still current) keeps everything.
    const size_t questions = dialogs.questions.size();
    for (int index : {BasicGrid, SheetGrid, PartGrid}) QTest::keyClick(&grid(index), Qt::Key_Escape);
    EXPECT_EQ(std::tuple(dialogs.questions.size(), listed(), window->job().parts.text(1, 2)), std::tuple(questions, entries, "8"));
    // A key that changes the job asks first (Cancel is the other tests'); the scripted answer is OK.
    typeInto(PartGrid, "Qty", "9");
    EXPECT_EQ(dialogs.questions.back().buttons, DialogService::Buttons::OkCancel);
    EXPECT_TRUE(dialogs.questionTexts().back().starts_with("You are about to change data, Continue?\n\nThe "));
    // Esc now takes back what was typed since, and only that; with the layouts gone no key asks.
    QTest::keyClick(&grid(PartGrid), Qt::Key_Escape);
    EXPECT_EQ(std::pair(window->job().parts.text(1, 2), dialogs.questions.size()), std::pair(std::string("8"), questions + 1));
    EXPECT_EQ(std::tuple(panel().layoutList()->count(), panel().layoutList()->isEnabled(), panel().canvas()->isEnabled(),
                         inkedPixels(panel().canvas()->surface().image()), window->job().hasLayouts()),
              std::tuple(0, false, false, 0, false));
}

TEST_F(MainWindowOptimise, TheModeIsOneChoiceTheKerfUsedIsShownWhenItIsNotTheKerfEnteredAndF1GivesHelp)
{
    window->modeAction(0)->trigger();
    EXPECT_EQ(window->job().mode, NestingMode::Stack);
    window->newJob();
    EXPECT_EQ(std::pair(window->job().mode, window->modeAction(2)->isChecked()), std::pair(NestingMode::Free, true));

    enterJob("2", "8", "0.1"); // a 1000 x 500 sheet allows 1600 cells across: 0.45 wide
    helpInProgress = true;
    optimise();
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#optimising"});
    const std::string note = "Kerf used 0.45 (entered 0.1): the largest sheet is too large for a finer grid";
    EXPECT_EQ(std::tuple(progressKerfNote, panel().kerfLabel()->text().toStdString(), panel().kerfLabel()->isHidden()),
              std::tuple(note, note, false));
    EXPECT_EQ(window->job().basic.text(1, window->job().basic.columnOf("ActKerf")), "0.45");
    dialogs.answers = {DialogService::Answer::No};
    window->newJob();
    EXPECT_TRUE(panel().kerfLabel()->isHidden());
}

TEST_F(MainWindowOptimise, CancelStopsAfterTheFirstSheetAndNamesThePlatesLeftOver)
{
    enterJob("20");
    typeInto(PartGrid, "Qty", "1"); // 81 plates: far more than one sheet holds
    const std::string status = optimise(true);
    EXPECT_EQ(status.rfind("Partial Optimization Done [", 0), 0u) << status;
    ASSERT_EQ(listed().size(), 1u);
    EXPECT_EQ(listed()[0].substr(0, 3), "1/1");
    const std::string message = dialogs.questionTexts().back();
    const std::string plate = folder.filePath("plate.shp").toStdString();
    EXPECT_EQ(message.rfind("1 part file was not placed in full:\n  " + plate + ": ", 0), 0u) << message;
    EXPECT_TRUE(contains(message, " of 81 not placed\n")) << message;
}

TEST_F(MainWindowOptimise, TheStartChecksStopBeforeAnyRun)
{
    using D = DialogService;
    const auto clear = [this](int gridIndex, const char* title) {
        grid(gridIndex).setCurrentCell(1, window->job().grid(gridIndex).columnOf(title));
        QTest::keyClick(&grid(gridIndex), Qt::Key_Delete);
    };
    const auto lastBox = [this] {
        const ScriptedDialogs::Question& q = dialogs.questions.back();
        return std::tuple{q.text, q.icon, q.buttons, q.defaultAnswer};
    };
    enterJob();
    // Without a kerf, Enter answers No (the scripted dialogs give the default answer).
    clear(BasicGrid, "Kerf");
    optimise();
    EXPECT_EQ(lastBox(), std::tuple(std::string(kZeroKerfQuestion), D::Icon::Question, D::Buttons::YesNo, D::Answer::No));
    // Nothing to cut on or nothing to cut: a plain box with OK.
    typeInto(BasicGrid, "Kerf", "2");
    for (auto [gridIndex, notice] :
         {std::pair{SheetGrid, "No valid sheet(s) specified"}, std::pair{PartGrid, "No valid CutPieces(s) specified"}}) {
        clear(gridIndex, "Qty");
        optimise();
        EXPECT_EQ(lastBox(), std::tuple(std::string(notice), D::Icon::None, D::Buttons::Ok, D::Answer::Ok));
        typeInto(gridIndex, "Qty", "2");
    }
    QFile::remove(folder.filePath("plate.shp"));
    optimise();
    EXPECT_EQ(std::tuple(dialogs.questionTexts().back(), dialogs.questions.back().icon, progressWindows),
              std::tuple(folder.filePath("plate.shp").toStdString() + " not found", D::Icon::Exclamation, 0));
}

TEST_F(MainWindowOptimise, DrawingsAreReadInTheDrawingUnitAndWhatTheyWereReadWithIsNamed)
{
    EXPECT_TRUE(window->drawingUnitAction(DrawingUnit::Millimetre)->isChecked());
    enterJob("2", "3", "3", DRAVENOR_TEST_DATA "/dxf/inch-plate.dxf"); // in inches, a label written on it
    const std::string plate = window->job().parts.text(1, 1);
    EXPECT_EQ(optimise().rfind("Full Optimization Done", 0), 0u);
    const std::string notes = plate + ": skipped 1 TEXT\n" + plate + ": converted from inches to millimetres";
    EXPECT_EQ(std::pair(dialogs.questionTexts().back(), progressNotes), std::pair(notes, notes));
    // Told once per drawing: the next run names the conversion in its progress window only.
    dialogs.answers = {DialogService::Answer::Ok}; // the layouts of the first run go
    size_t asked = dialogs.questions.size();
    optimise();
    EXPECT_EQ(dialogs.questions.size(), asked + 1) << dialogs.questionTexts().back();
    EXPECT_TRUE(dialogs.questionTexts().back().starts_with("Start a new optimization?"));
    EXPECT_EQ(progressNotes, notes);
    // 101.6 x 63.5 in millimetres (a run's areas are whole square units).
    EXPECT_NEAR(window->job().nesting.parts[0].Area, 6452, 65);
    // Inches: the layouts, made in millimetres, go (after the question); the next window keeps them.
    window->drawingUnitAction(DrawingUnit::Inch)->trigger();
    EXPECT_TRUE(dialogs.questionTexts().back().starts_with("You are about to change data, Continue?\n\nThe "));
    EXPECT_TRUE(!window->job().hasLayouts() && window->drawingUnitAction(DrawingUnit::Inch)->isChecked());
    EXPECT_EQ(MainWindow(dialogs, folder.path()).job().nesting.drawingUnit, DrawingUnit::Inch);
    // Read in inches the plate is too small to count much, and nothing is converted; the skipped
    // text was told once already and goes to the progress window only.
    asked = dialogs.questions.size();
    EXPECT_EQ(optimise().rfind("Full Optimization Done", 0), 0u);
    EXPECT_EQ(std::pair(dialogs.questions.size(), progressNotes), std::pair(asked, plate + ": skipped 1 TEXT"));
    EXPECT_NEAR(window->job().nesting.parts[0].Area, 10, 1);
}

// The viewport's arithmetic as the user meets it: the point under the pointer stays put while the
// wheel zooms, a drag moves the view no further than the fitted one, the bars follow.
TEST_F(MainWindowOptimise, TheLayoutViewZoomsScrollsNamesThePartUnderThePointerAndPrintsToTheScaleChosen)
{
    enterJob();
    optimise();
    LayoutPanel& p = panel();
    EXPECT_FALSE(p.horizontalBar()->isEnabled());
    const ViewScale whole = p.canvas()->surface().scale();
    const auto under = [&p](QPointF pixel) {
        std::pair<double, double> drawn;
        p.viewport().pixelToDrawn(pixel.x(), pixel.y(), drawn.first, drawn.second);
        return drawn;
    };
    const auto pointed = under({180, 120});
    p.turnWheel({180, 120}, 3 * 120);
    EXPECT_NEAR(whole.width / p.canvas()->surface().scale().width, 1.953125, 1e-9); // 1.25 cubed
    EXPECT_LT(std::hypot(under({180, 120}).first - pointed.first, under({180, 120}).second - pointed.second), 1e-9);
    EXPECT_EQ(std::pair(p.zoomList()->currentIndex(), p.zoomList()->placeholderText().toStdString()), std::pair(-1, std::string("2.0 : 1")));
    ASSERT_TRUE(p.horizontalBar()->isEnabled());
    const int h = p.horizontalBar()->value(), v = p.verticalBar()->value();
    p.drag({-60, 25}); // the picture moves left and down: the view right and up
    EXPECT_TRUE(p.horizontalBar()->value() > h && p.verticalBar()->value() < v);
    EXPECT_NEAR(p.canvas()->surface().scale().left, p.viewport().view().left, 1e-9);
    p.drag({1e5, 1e5});
    EXPECT_NEAR(p.viewport().view().left, p.viewport().fitted().left, 1e-9);
    EXPECT_NEAR(p.viewport().view().top, p.viewport().fitted().top, 1e-9);
    EXPECT_EQ(p.horizontalBar()->value(), 0);
    p.turnWheel({180, 120}, 100 * 120);
    EXPECT_NEAR(p.zoom(), LayoutViewport::kMostZoom, 1e-9);

    // A zoom from the list enables scrolling; redraws keep the scrolled view.
    p.zoomList()->setCurrentIndex(3);
    EXPECT_NEAR(p.zoom(), 4, 1e-9);
    p.horizontalBar()->setValue(p.horizontalBar()->maximum() / 2);
    const ViewScale scrolled = p.canvas()->surface().scale();
    p.showNamesBox()->setChecked(true);
    EXPECT_EQ(std::pair(p.canvas()->surface().scale().left, p.canvas()->surface().scale().top), std::pair(scrolled.left, scrolled.top));
    p.showPositionsBox()->setChecked(true);
    EXPECT_EQ(dialogs.questionTexts().back(), kPartPositionNotice);
    const size_t asked = dialogs.questions.size();
    p.showPositionsBox()->setChecked(false);
    EXPECT_EQ(dialogs.questions.size(), asked);

    p.turnWheel({180, 120}, -100 * 120);
    EXPECT_EQ(std::tuple(p.zoom(), p.horizontalBar()->isEnabled(), p.horizontalBar()->value()), std::tuple(1.0, false, 0));
    // A plate's lower-left corner, a little inside; then the sheet's margin, where no part is.
    const LayoutItem& plate = window->job().nesting.items.front();
    const ViewScale view = p.viewport().view();
    const double perPixel = p.viewport().unitsPerPixel();
    p.pointAt({(plate.X + 5 - view.left) / perPixel, (p.frame().mirror - plate.Y - 5 - view.top) / perPixel});
    EXPECT_EQ(p.hoverLabel()->text().toStdString(), hoveredPartText(plate));
    EXPECT_EQ(p.pointerLabel()->text().toStdString(), layoutPointerText(plate.X + 5, p.frame().mirror - plate.Y - 5, p.frame().mirror));
    p.pointAt({2, 2});
    EXPECT_EQ(p.hoverLabel()->text(), QString());

    // The print scale and line width chosen in the File menu are kept and printed at.
    EXPECT_TRUE(window->printScaleAction(kFitPrintScale)->isChecked());
    const auto printed = [&] {
        QPdfWriter writer(folder.filePath("layout.pdf"));
        return window->printLayoutsTo(writer, true).pagesPrinted;
    };
    EXPECT_EQ(printed(), 1);
    // A 1000 x 500 sheet at 1 : 1 on A4 upright takes 5 x 2 pages (the writer's printable area
    // is a little under 210 x 297 mm).
    window->printScaleAction(1)->trigger();
    dialogs.answers = {DialogService::Answer::No};
    EXPECT_EQ(printed(), 10);
    // Said before printing, with Fit offered (Yes, also Enter).
    EXPECT_EQ(dialogs.questionTexts().back(), "The layout takes 10 paper sheets at this scale.\n\nYes: print it on one "
                                              "paper sheet (Fit).\nNo: print all 10 paper sheets.\nCancel: print nothing.");
    EXPECT_EQ(printed(), 1);
    dialogs.answers = {DialogService::Answer::Cancel};
    EXPECT_EQ(printed(), 0);
    window->printScaleAction(10)->trigger();
    EXPECT_EQ(printed(), 1);
    // The scale and the line width chosen are kept for the next window.
    EXPECT_TRUE(window->lineWidthAction(1)->isChecked());
    window->lineWidthAction(3)->trigger();
    EXPECT_FALSE(window->lineWidthAction(1)->isChecked());
    const MainWindow next(dialogs, folder.path());
    EXPECT_EQ(std::tuple(next.printScale(), next.printScaleAction(10)->isChecked(), next.lineWidthAction(3)->isChecked()),
              std::tuple(10, true, true));
}

// A 1200 x 500 sheet with a cut corner lies on its longest edge, wide: at 1 : 5 it is 240 x 100
// mm, two A4 sheets upright and one across. Printing offers across; the view keeps the layout,
// zoom and place the user gave it.
TEST_F(MainWindowOptimise, ALayoutThatFitsOnlyAcrossThePaperIsOfferedLandscapeAndTheViewIsLeftAlone)
{
    const std::string sheet = folder.filePath("long.shp").toStdString();
    ASSERT_EQ(saveShapeFile(polygon({{0, 0}, {1200, 0}, {1200, 400}, {1100, 500}, {0, 500}}), sheet), "");
    enterJob("2", "12", "3", "", sheet);
    optimise();
    ASSERT_EQ(listed().size(), 2u);
    LayoutPanel& p = panel();
    p.selectLayout(1);
    p.turnWheel({200, 150}, 2 * 120);
    const std::tuple<int, double, double, double> view{p.layoutList()->currentIndex(), p.zoom(), p.viewport().view().left,
                                                      p.viewport().view().top};
    window->printScaleAction(5)->trigger();
    const auto printed = [&](DialogService::Answer answer, bool currentOnly, std::deque<DialogService::Answer> then = {}) {
        dialogs.answers = {answer};
        dialogs.answers.insert(dialogs.answers.end(), then.begin(), then.end());
        QPdfWriter writer(folder.filePath("layout.pdf"));
        const int pages = window->printLayoutsTo(writer, currentOnly).pagesPrinted;
        return std::pair(pages, writer.pageLayout().orientation());
    };
    EXPECT_EQ(printed(DialogService::Answer::No, true, {DialogService::Answer::No}), std::pair(2, QPageLayout::Portrait));
    EXPECT_EQ(dialogs.questionTexts()[dialogs.questions.size() - 2],
              "Layout 2 takes fewer paper sheets across the paper (landscape) than upright. Print across?");
    EXPECT_EQ(printed(DialogService::Answer::Yes, true), std::pair(1, QPageLayout::Landscape));
    EXPECT_EQ(printed(DialogService::Answer::Yes, false), std::pair(2, QPageLayout::Landscape));
    EXPECT_EQ(dialogs.questionTexts()[dialogs.questions.size() - 3],
              "Layouts 1 and 2 take fewer paper sheets across the paper (landscape) than upright. Print across?");
    EXPECT_EQ(std::tuple(p.layoutList()->currentIndex(), p.zoom(), p.viewport().view().left, p.viewport().view().top), view);
}

} // namespace
} // namespace dravenor::testing
