// Optimisation from the main window: the Optimize menu, the progress window, the layout list and
// view, and what an edit of the job does to them.
#include <QCheckBox>
#include <QFile>
#include <QComboBox>
#include <QLabel>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include <tuple>

#include "app/layout_panel.h"
#include "app/main_window_run_fixture.h"
#include "app/progress_window.h"
#include "engine/nesting_driver.h"
#include "layouts/layout_list.h"
#include "job/print_config.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

class MainWindowOptimise : public MainWindowRunTest {
protected:
    // The same job run by the engine alone, as the batch tool runs it.
    NestingState engineRun()
    {
        Job copy = window->job();
        copyGridsToRecords(copy);
        SilentProgress silent;
        dravenor::optimise(copy.nesting, copy.mode, silent);
        return copy.nesting;
    }

    LayoutPanel& panel() { return *window->layoutPanel(); }
};

TEST_F(MainWindowOptimise, ARunListsTheSameLayoutsAsTheEngineAloneAndDrawsTheFirst)
{
    enterJob();
    EXPECT_TRUE(window->modeAction(2)->isChecked());
    const std::string status = optimise();

    EXPECT_EQ(status.rfind("Full Optimization Done# [", 0), 0u) << status;
    const NestingState alone = engineRun();
    EXPECT_EQ(window->job().nesting.entities, alone.entities);
    const std::vector<std::string> entries = layoutListEntries(alone);
    ASSERT_FALSE(entries.empty());
    ASSERT_EQ(panel().layoutList()->count(), static_cast<int>(entries.size()));
    EXPECT_EQ(panel().layoutList()->itemText(0).toStdString(), entries[0]);
    EXPECT_EQ(panel().currentLayout(), 1);
    EXPECT_TRUE(panel().canvas()->isEnabled());
    EXPECT_GT(inkedPixels(panel().canvas()->surface().image()), 500);
    EXPECT_TRUE(window->job().modified);
    EXPECT_EQ(window->job().basic.text(1, window->job().basic.columnOf("ActKerf")), "3");
    EXPECT_EQ(progressKerfNote, "");
    EXPECT_TRUE(panel().kerfLabel()->isHidden());
    for (const std::string& text : dialogs.questionTexts()) EXPECT_FALSE(contains(text, "not placed")) << text;
}

TEST_F(MainWindowOptimise, TheKerfUsedIsShownDuringAndAfterTheRunWhenItIsNotTheKerfEntered)
{
    enterJob("2", "8", "0.1"); // a 1000 x 500 sheet allows 1600 cells across: 0.45 wide
    optimise();
    const std::string note = "Kerf used 0.45 (entered 0.1): the largest sheet is too large for a finer grid";
    EXPECT_EQ(progressKerfNote, note);
    EXPECT_EQ(panel().kerfLabel()->text().toStdString(), note);
    EXPECT_FALSE(panel().kerfLabel()->isHidden());
    EXPECT_EQ(window->job().basic.text(1, window->job().basic.columnOf("ActKerf")), "0.45");
    dialogs.answers = {DialogService::Answer::No};
    window->newJob();
    EXPECT_TRUE(panel().kerfLabel()->isHidden());
}

TEST_F(MainWindowOptimise, AnEditOfTheJobThrowsTheLayoutsAwayAndTheViewShowsItButEscNever)
{
    enterJob();
    optimise();
    const int layouts = panel().layoutList()->count();
    ASSERT_GT(layouts, 0);
    const size_t questions = dialogs.questions.size();
    // Esc where the job was typed in (the part Qty cell is still current) keeps everything.
    for (int index : {BasicGrid, SheetGrid, PartGrid}) QTest::keyClick(&grid(index), Qt::Key_Escape);
    EXPECT_EQ(dialogs.questions.size(), questions);
    EXPECT_EQ(panel().layoutList()->count(), layouts);
    EXPECT_EQ(window->job().parts.text(1, 2), "8");

    typeInto(PartGrid, "Qty", "9"); // asks "change data?" and the scripted answer is OK
    EXPECT_EQ(dialogs.questionTexts().back(), "You are about to change data, Continue?");
    // Esc now takes back what was typed since, and only that.
    QTest::keyClick(&grid(PartGrid), Qt::Key_Escape);
    EXPECT_EQ(window->job().parts.text(1, 2), "8");
    EXPECT_EQ(panel().layoutList()->count(), 0);
    EXPECT_FALSE(panel().layoutList()->isEnabled());
    EXPECT_FALSE(panel().canvas()->isEnabled());
    EXPECT_EQ(inkedPixels(panel().canvas()->surface().image()), 0);
    EXPECT_FALSE(window->job().hasLayouts());
}

TEST_F(MainWindowOptimise, F1InTheProgressWindowOpensTheHelpOnOptimising)
{
    enterJob();
    window->beforeProgressShown = [](ProgressWindow& progress) {
        QObject::connect(&progress, &ProgressWindow::finishedRun, &progress, [&progress] {
            progress.activateWindow();
            if (QTest::qWaitForWindowActive(&progress)) QTest::keyClick(progress.button(), Qt::Key_F1);
            progress.button()->click();
        });
    };
    window->startOptimisation();
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#optimising"});
}

TEST_F(MainWindowOptimise, CancelStopsAfterTheFirstSheet)
{
    enterJob("20");
    typeInto(PartGrid, "Qty", "1"); // 81 plates: far more than one sheet holds
    const std::string status = optimise(true);
    EXPECT_EQ(status.rfind("Partial Optimization Done# [", 0), 0u) << status;
    EXPECT_EQ(panel().layoutList()->count(), 1);
    EXPECT_EQ(panel().layoutList()->itemText(0).toStdString().substr(0, 3), "1/1");
    // The message after the run names the plates left over and how many of the 81.
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
    EXPECT_EQ(dialogs.questionTexts().back(), folder.filePath("plate.shp").toStdString() + " not found");
    EXPECT_EQ(dialogs.questions.back().icon, D::Icon::Exclamation);
    EXPECT_EQ(progressWindows, 0);
}

TEST_F(MainWindowOptimise, DrawingsAreReadInTheDrawingUnitAndWhatTheyWereReadWithIsNamedFirst)
{
    EXPECT_TRUE(window->drawingUnitAction(DrawingUnit::Millimetre)->isChecked());
    // A plate 10 x 8 inches with a label written on it.
    QFile drawing(folder.filePath("plate.dxf"));
    ASSERT_TRUE(drawing.open(QIODevice::WriteOnly));
    drawing.write("0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                  "0\nLWPOLYLINE\n90\n4\n70\n1\n10\n0\n20\n0\n10\n10\n20\n0\n10\n10\n20\n8\n10\n0\n20\n8\n"
                  "0\nTEXT\n10\n1\n20\n1\n40\n0.5\n1\nPLATE\n0\nENDSEC\n0\nEOF\n");
    drawing.close();
    typeInto(BasicGrid, "Kerf", "3");
    enterFiles(SheetGrid, {writeRectangle("sheet.shp", 1000, 500)});
    typeInto(SheetGrid, "Qty", "2");
    enterFiles(PartGrid, {folder.filePath("plate.dxf").toStdString()});
    typeInto(PartGrid, "Qty", "3");
    const std::string plate = window->job().parts.text(1, 1);

    EXPECT_EQ(optimise().rfind("Full Optimization Done", 0), 0u);
    EXPECT_EQ(dialogs.questionTexts().back(),
              plate + ": skipped 1 TEXT\n" + plate + ": converted from inches to millimetres");

    // Inches: the layouts, made in millimetres, go (after the question); the next window keeps them.
    window->drawingUnitAction(DrawingUnit::Inch)->trigger();
    EXPECT_EQ(dialogs.questionTexts().back(), "You are about to change data, Continue?");
    EXPECT_FALSE(window->job().hasLayouts());
    EXPECT_EQ(window->job().nesting.drawingUnit, DrawingUnit::Inch);
    EXPECT_TRUE(window->drawingUnitAction(DrawingUnit::Inch)->isChecked());
    EXPECT_EQ(MainWindow(dialogs, folder.path()).job().nesting.drawingUnit, DrawingUnit::Inch);
}

TEST_F(MainWindowOptimise, TheNestingModeItemsAreOneChoice)
{
    window->modeAction(0)->trigger();
    EXPECT_EQ(window->job().mode, NestingMode::Stack);
    EXPECT_TRUE(window->modeAction(0)->isChecked());
    EXPECT_FALSE(window->modeAction(2)->isChecked());
    window->newJob();
    EXPECT_EQ(window->job().mode, NestingMode::Free);
    EXPECT_TRUE(window->modeAction(2)->isChecked());
}

TEST_F(MainWindowOptimise, ZoomEnablesScrollingAndRedrawsKeepTheScrolledView)
{
    enterJob();
    optimise();
    EXPECT_FALSE(panel().horizontalBar()->isEnabled());
    const double wholeWidth = panel().canvas()->surface().scale().width;
    panel().zoomList()->setCurrentIndex(3);
    ASSERT_TRUE(panel().horizontalBar()->isEnabled());
    EXPECT_LT(panel().canvas()->surface().scale().width, wholeWidth / 3.5);

    panel().horizontalBar()->setValue(panel().horizontalBar()->maximum() / 2);
    const ViewScale scrolled = panel().canvas()->surface().scale();
    panel().showNamesBox()->setChecked(true);
    EXPECT_DOUBLE_EQ(panel().canvas()->surface().scale().left, scrolled.left);
    EXPECT_DOUBLE_EQ(panel().canvas()->surface().scale().top, scrolled.top);

    panel().showPositionsBox()->setChecked(true);
    EXPECT_EQ(dialogs.questionTexts().back(), kPartPositionNotice);
    const size_t asked = dialogs.questions.size();
    panel().showPositionsBox()->setChecked(false);
    EXPECT_EQ(dialogs.questions.size(), asked);

    panel().zoomList()->setCurrentIndex(0);
    EXPECT_FALSE(panel().horizontalBar()->isEnabled());
    EXPECT_EQ(panel().horizontalBar()->value(), 0);
}

TEST_F(MainWindowOptimise, ThePrintScaleChosenInTheFileMenuIsKeptAndPrintedAt)
{
    enterJob();
    optimise();
    EXPECT_TRUE(window->printScaleAction(kFitPrintScale)->isChecked());
    const auto printed = [&] {
        QPdfWriter writer(folder.filePath("layout.pdf"));
        return window->printLayoutsTo(writer, true).pagesPrinted;
    };
    EXPECT_EQ(printed(), 1);
    // A 1000 x 500 sheet at 1 : 1 on A4 upright takes 5 x 2 pages (the writer's printable area
    // is a little under 210 x 297 mm).
    window->printScaleAction(1)->trigger();
    EXPECT_EQ(printed(), 10);
    EXPECT_EQ(dialogs.questionTexts().back(), "10 paper sheets will be used for layout 1, Continue?");
    window->printScaleAction(10)->trigger();
    EXPECT_EQ(printed(), 1);
    EXPECT_EQ(MainWindow(dialogs, folder.path()).printScale(), 10);
    EXPECT_TRUE(MainWindow(dialogs, folder.path()).printScaleAction(10)->isChecked());
}

TEST_F(MainWindowOptimise, TheWheelZoomsAboutThePointerADragPansAndThePartUnderThePointerIsNamed)
{
    enterJob();
    optimise();
    LayoutPanel& p = panel();
    const ViewScale whole = p.canvas()->surface().scale();
    const QPointF pointer(180, 120);
    double x = 0, y = 0, after_x = 0, after_y = 0;
    p.viewport().pixelToDrawn(pointer.x(), pointer.y(), x, y);
    p.turnWheel(pointer, 3 * 120);
    p.viewport().pixelToDrawn(pointer.x(), pointer.y(), after_x, after_y);
    EXPECT_NEAR(after_x, x, 1e-6);
    EXPECT_NEAR(after_y, y, 1e-6);
    EXPECT_NEAR(whole.width / p.canvas()->surface().scale().width, 1.953125, 1e-9); // 1.25 cubed
    // The zoom list shows a zoom it does not hold; the scroll bars say where the view lies.
    EXPECT_EQ(p.zoomList()->currentIndex(), -1);
    EXPECT_EQ(p.zoomList()->placeholderText(), QStringLiteral("2.0 : 1"));
    ASSERT_TRUE(p.horizontalBar()->isEnabled());
    const int h = p.horizontalBar()->value(), v = p.verticalBar()->value();

    p.drag({-60, 25}); // the picture moves left and down: the view right and up
    EXPECT_GT(p.horizontalBar()->value(), h);
    EXPECT_LT(p.verticalBar()->value(), v);
    EXPECT_NEAR(p.canvas()->surface().scale().left, p.viewport().view().left, 1e-9);

    // A plate's lower-left corner, a little inside; then the sheet's margin, where no part is.
    p.zoomList()->setCurrentIndex(0);
    const LayoutItem& plate = window->job().nesting.items.front();
    const ViewScale view = p.viewport().view();
    const double perPixel = p.viewport().unitsPerPixel();
    p.pointAt({(plate.X + 5 - view.left) / perPixel, (p.frame().mirror - plate.Y - 5 - view.top) / perPixel});
    EXPECT_EQ(p.hoverLabel()->text().toStdString(), hoveredPartText(plate));
    p.pointAt({2, 2});
    EXPECT_EQ(p.hoverLabel()->text(), QString());
}

} // namespace
} // namespace dravenor::testing
