// The layout editor driven offscreen: a layout handed over in edit.lay, moving and turning
// parts with the buttons, keys and mouse, adding and removing parts, the overlap and sheet-edge
// check in the drawing and the status bar, saving and reopening, and the three answers to
// "Update Layout?" when the window closes.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPdfWriter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

#include "editors/layout_editor.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "layouts/layout_editing_drawing.h"
#include "layouts/layout_file.h"
#include "support/pdf_pages.h"
#include "support/ink.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

using Answer = DialogService::Answer;
using Row = std::vector<std::string>;

bool isOrange(const QColor& c) { return c.red() > 200 && c.green() > 100 && c.green() < 170 && c.blue() < 60; }

class LayoutEditorTest : public ::testing::Test {
protected:
    std::string shapeFile(const std::string& name, const Shape& shape)
    {
        const std::string path = folder.file(name);
        EXPECT_EQ(saveShapeFile(shape, path), "");
        return path;
    }
    // The main window's form of edit.lay: the name quoted, the numbers bare.
    void handOver(const std::vector<LayoutFileLine>& lines)
    {
        ASSERT_EQ(writeLayoutFile(exchange, lines, false), "");
    }
    LayoutEditor& open()
    {
        editor = std::make_unique<LayoutEditor>(dialogs, QString::fromStdString(folder.folder()));
        editor->show();
        // Keyboard shortcuts reach only the active window.
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        return *editor;
    }
    void press(const char* button)
    {
        auto* tool = editor->findChild<QToolButton*>(QString::fromLatin1(button));
        ASSERT_NE(tool, nullptr) << button;
        tool->click();
    }
    Row row(int r)
    {
        Row cells;
        for (int c = 1; c < editor->grid().cols(); ++c) cells.push_back(editor->grid().text(r, c));
        return cells;
    }
    std::vector<LayoutFileLine> exchangeLines() { return readLayoutFile(exchange).lines; }
    std::string status() { return editor->statusLabel()->text().toStdString(); }
    int ink(const std::function<bool(const QColor&)>& picked) { return inkedPixels(editor->canvas()->surface().image(), picked); }

    TempFolder folder;
    ScriptedDialogs dialogs;
    const std::string exchange = folder.file("edit.lay");
    const std::string sheet = shapeFile("sheet.shp", rectangle(0, 0, 1000, 500));
    const std::string plate = shapeFile("plate.shp", rectangle(0, 0, 100, 50));
    std::unique_ptr<LayoutEditor> editor;
};

class HandedOverLayout : public LayoutEditorTest {
protected:
    void SetUp() override
    {
        handOver({{sheet, "0", "0", "0", "2"},
                  {plate, "0", "0", "0", "1"},
                  {plate, "200", "0", "0", ""},
                  {plate, "400", "0", "0", ""},
                  {plate, "600", "0", "0", "1"}});
        open();
    }
};

TEST_F(HandedOverLayout, OpensTheExchangeFileAndDrawsIt)
{
    EXPECT_EQ(editor->currentFile(), exchange);
    EXPECT_EQ(editor->windowTitle().toStdString(), "Layout Editor - " + exchange);
    EXPECT_EQ(editor->grid().rows(), 7);
    EXPECT_EQ(row(3), (Row{plate, "200", "0", "0", ""}));
    EXPECT_FALSE(editor->modified());
    EXPECT_TRUE(editor->canvas()->isEnabled());
    EXPECT_GT(ink({}), 500);
    EXPECT_EQ(status(), "Layout sound");
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(HandedOverLayout, MoveUpChangesTheSelectedPartsByOneStepEachTimeAndNeverTheSheet)
{
    editor->gridView()->setFocus();
    editor->gridView()->selectRows(2, 5);
    editor->moveStepList()->setCurrentText(QStringLiteral("10"));
    press("Move Up");
    // The rows stay selected: the button again and its key move all four once more.
    press("Move Up");
    QTest::keyClick(editor->gridView(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(row(1), (Row{sheet, "0", "0", "0", "2"}));
    for (int r = 2; r <= 5; ++r) EXPECT_EQ(editor->grid().text(r, YColumn), "30") << r;
    EXPECT_EQ(editor->grid().text(2, XColumn), "0");
    EXPECT_TRUE(editor->modified());

    // The sheet row as current row: nothing moves, the flag is set all the same.
    editor->gridView()->selectRows(1, 3);
    press("Move Right");
    EXPECT_EQ(row(1), (Row{sheet, "0", "0", "0", "2"}));
    EXPECT_EQ(editor->grid().text(2, XColumn), "0");
}

TEST_F(HandedOverLayout, TurningIsOnePartAtATime)
{
    editor->gridView()->selectRows(2, 3);
    press("Rotate Clockwise");
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{kMultipleRotationMessage});
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Information);
    EXPECT_EQ(editor->grid().text(2, AngleColumn), "0");

    editor->gridView()->selectRows(5, 5);
    press("Rotate Clockwise");
    EXPECT_EQ(editor->grid().text(5, AngleColumn), "-90");
    // Turned a quarter, the part stands 50 wide and 100 high at its X, Y.
    const Extents box = editor->placed().parts[3].box;
    EXPECT_NEAR(box.xmin, 600, 1e-6);
    EXPECT_NEAR(box.xmax, 650, 1e-6);
    EXPECT_NEAR(box.ymax, 100, 1e-6);
}

TEST_F(HandedOverLayout, MovingIntoAnotherPartShowsTheFaultUntilMovedBack)
{
    editor->gridView()->selectRows(3, 3);
    editor->moveStepList()->setCurrentText(QStringLiteral("150"));
    press("Move Left");
    EXPECT_EQ(status(), "2 parts overlap");
    EXPECT_EQ(editor->placed().faultyRows, (std::vector<int>{2, 3}));
    // The selected part is red; the one it overlaps shows the warning colour.
    EXPECT_GT(ink(isOrange), 50);

    press("Move Right");
    EXPECT_EQ(status(), "Layout sound");
    EXPECT_EQ(ink(isOrange), 0);
}

TEST_F(HandedOverLayout, ArrowKeysWithControlMoveTheSelectedPart)
{
    editor->gridView()->setFocus();
    editor->gridView()->selectRows(4, 4);
    QTest::keyClick(editor->gridView(), Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(editor->gridView(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(editor->gridView(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(row(4), (Row{plate, "500", "-100", "90", ""}));
    EXPECT_EQ(status(), "1 part leaves the sheet");
}

TEST_F(HandedOverLayout, ZoomFollowsTheSelectedPart)
{
    const double whole = editor->canvas()->surface().scale().width;
    editor->gridView()->selectRows(4, 4); // the plate at 400, 0
    editor->zoomList()->setCurrentIndex(4);
    const ViewScale view = editor->canvas()->surface().scale();
    EXPECT_NEAR(view.width, whole / 5, 1e-6);
    EXPECT_NEAR(view.left + view.width / 2, 450, 1e-6);
    press("Move Right");
    EXPECT_NEAR(editor->canvas()->surface().scale().left + view.width / 2, 550, 1e-6);
}

TEST_F(HandedOverLayout, ClickingAPartSelectsItsRow)
{
    // Surface y runs down from the top of the sheet: layout y = 500 - surface y.
    emit editor->canvas()->clicked(QPointF(450, 480), Qt::LeftButton);
    EXPECT_EQ(editor->grid().row, 4);
    emit editor->canvas()->clicked(QPointF(450, 100), Qt::LeftButton);
    EXPECT_EQ(editor->grid().row, 4);

    emit editor->canvas()->mouseMoved(QPointF(25.5, 490));
    EXPECT_EQ(editor->mouseLabel()->text(), QStringLiteral("X=00025.50,  Y=00010.00"));
}

TEST_F(HandedOverLayout, UpdateYesWritesTheLayoutBackWithQuantitiesFilled)
{
    editor->gridView()->selectRows(5, 5);
    press("Move Up");
    dialogs.answers.push_back(Answer::Yes);
    editor->close();
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{kUpdateLayoutQuestion});
    EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::YesNoCancel);
    EXPECT_FALSE(editor->isVisible());
    const std::vector<LayoutFileLine> lines = exchangeLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].qty, "1");
    EXPECT_EQ(lines[3].qty, "1");
    EXPECT_EQ(lines[4], (LayoutFileLine{plate, "600", "100", "0", "1"}));
    // Written by the editor: every field quoted.
    EXPECT_NE(TempFolder::read(exchange).find("\"600\",\"100\""), std::string::npos);
}

TEST_F(HandedOverLayout, UpdateNoDeletesTheExchangeFile)
{
    editor->gridView()->selectRows(5, 5);
    press("Move Up");
    dialogs.answers.push_back(Answer::No);
    editor->close();
    EXPECT_FALSE(std::filesystem::exists(exchange));
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(HandedOverLayout, UpdateCancelKeepsTheWindowAndTheFile)
{
    const std::string before = TempFolder::read(exchange);
    editor->gridView()->selectRows(5, 5);
    press("Move Up");
    dialogs.answers.push_back(Answer::Cancel);
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(TempFolder::read(exchange), before);
    EXPECT_TRUE(editor->modified());
}

TEST_F(HandedOverLayout, ClosingUnchangedAsksNothingAndLeavesTheFile)
{
    const std::string before = TempFolder::read(exchange);
    editor->close();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(TempFolder::read(exchange), before);
}

TEST_F(HandedOverLayout, AFaultyLayoutIsWrittenBackOnlyWhenTheUserAgrees)
{
    editor->gridView()->selectRows(3, 3);
    editor->moveStepList()->setCurrentText(QStringLiteral("150"));
    press("Move Left");
    const std::string before = TempFolder::read(exchange);

    dialogs.answers = {Answer::Yes, Answer::No};
    editor->close();
    EXPECT_EQ(dialogs.questionTexts(), (std::vector<std::string>{kUpdateLayoutQuestion, kFaultySaveQuestion}));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(TempFolder::read(exchange), before);

    dialogs.answers = {Answer::Yes, Answer::Yes};
    editor->close();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(exchangeLines()[2].x, "50");
}

TEST_F(HandedOverLayout, PartsAreAddedFromTheSelectionAndRemovedWithoutTheSheet)
{
    const std::string disc = shapeFile("disc.shp", {arcEntity(20, 20, 20, 0, 0)});
    dialogs.shapeSelections.push_back({disc, plate});
    editor->addParts();
    EXPECT_EQ(dialogs.shapeSelectionCaptions, std::vector<std::string>{kSelectPartFilesCaption});
    EXPECT_EQ(row(6), (Row{disc, "0", "0", "0", "1"}));
    EXPECT_EQ(row(7), (Row{plate, "0", "0", "0", "1"}));
    EXPECT_EQ(editor->grid().selEndRow, 7);
    EXPECT_EQ(editor->placed().parts.size(), 6u);
    EXPECT_EQ(status(), "3 parts overlap");

    editor->removeSelectedParts();
    EXPECT_EQ(editor->grid().rows(), 7);
    EXPECT_EQ(status(), "Layout sound");

    editor->gridView()->selectRows(1, 2);
    editor->removeSelectedParts();
    EXPECT_EQ(row(1), (Row{sheet, "0", "0", "0", "2"}));
    EXPECT_EQ(row(2), (Row{plate, "200", "0", "0", ""}));
    EXPECT_TRUE(editor->modified());
}

TEST_F(HandedOverLayout, AFileChosenInTheEntryRowBecomesAPartAndDeleteTakesItOut)
{
    GridView& view = *editor->gridView();
    view.setFocus();
    view.setCurrentCell(6, NameColumn);
    dialogs.shapeSelections.push_back({plate});
    QTest::keyClick(&view, Qt::Key_A);
    EXPECT_EQ(row(6), (Row{plate, "0", "0", "0", "1"}));
    EXPECT_EQ(editor->grid().rows(), 8);
    EXPECT_EQ(status(), "2 parts overlap");

    view.setCurrentCell(2, NameColumn);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(editor->grid().rows(), 7);
    EXPECT_EQ(row(2), (Row{plate, "200", "0", "0", ""}));
    EXPECT_EQ(status(), "Layout sound");
}

TEST_F(LayoutEditorTest, AMissingShapeFileIsNamedOnceAndNothingIsDrawn)
{
    handOver({{sheet, "0", "0", "0", "1"}, {folder.file("gone.shp"), "0", "0", "0", "1"}});
    open();
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{"File " + folder.file("gone.shp") + " not found"});
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Exclamation);
    EXPECT_EQ(editor->grid().rows(), 4);
    editor->gridView()->setCurrentCell(2, XColumn);
    EXPECT_EQ(dialogs.questions.size(), 1u);
}

TEST_F(LayoutEditorTest, StandAloneSaveAsReopensTheSameLayout)
{
    open();
    EXPECT_EQ(editor->currentFile(), "");
    EXPECT_FALSE(editor->canvas()->isEnabled());
    const std::string source = folder.write("job.lay", "\"" + sheet + "\",0,0,0,3\r\n\"" + plate + "\",120,40,90,3\r\n");
    dialogs.openFiles.push_back(source);
    editor->openWithDialog();
    EXPECT_EQ(editor->windowTitle().toStdString(), "Layout Editor - " + source);
    editor->gridView()->selectRows(2, 2);
    press("Move Right");

    const std::string copy = folder.file("copy.lay");
    dialogs.saveFiles.push_back(copy);
    ASSERT_TRUE(editor->saveAs());
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(dialogs.fileDialogTitles, (std::vector<std::string>{"Open", "Save As"}));
    EXPECT_EQ(readLayoutFile(copy).lines[1], (LayoutFileLine{plate, "220", "40", "90", "3"}));

    editor->newFile();
    EXPECT_EQ(editor->grid().rows(), 2);
    ASSERT_TRUE(editor->openFile(copy));
    EXPECT_EQ(row(2), (Row{plate, "220", "40", "90", "3"}));
    EXPECT_FALSE(std::filesystem::exists(exchange));
}

TEST_F(LayoutEditorTest, StandAloneClosingOffersToSaveChanges)
{
    const std::string source = folder.write("job.lay", "\"" + sheet + "\",0,0,0,3\r\n\"" + plate + "\",0,0,0,3\r\n");
    open();
    ASSERT_TRUE(editor->openFile(source));
    editor->gridView()->selectRows(2, 2);
    press("Move Up");
    dialogs.answers.push_back(Answer::Yes);
    editor->close();
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{"Save changes in current file?"});
    EXPECT_EQ(dialogs.questions[0].title, "Attention !");
    EXPECT_EQ(readLayoutFile(source).lines[1].y, "100");
    EXPECT_FALSE(std::filesystem::exists(exchange));
}

TEST_F(LayoutEditorTest, StandAloneAFaultyLayoutNotSavedKeepsTheWindowOpen)
{
    const std::string source = folder.write("job.lay", "\"" + sheet + "\",0,0,0,3\r\n\"" + plate + "\",0,0,0,3\r\n");
    open();
    ASSERT_TRUE(editor->openFile(source));
    editor->gridView()->selectRows(2, 2);
    editor->moveStepList()->setCurrentText(QStringLiteral("1000"));
    press("Move Left");
    EXPECT_EQ(status(), "1 part leaves the sheet");

    dialogs.answers = {Answer::Yes, Answer::No};
    editor->close();
    EXPECT_EQ(dialogs.questionTexts(), (std::vector<std::string>{"Save changes in current file?", kFaultySaveQuestion}));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(readLayoutFile(source).lines[1].x, "0");

    // Not saving at all lets the window go.
    dialogs.answers = {Answer::No};
    editor->close();
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(HandedOverLayout, NamesHelpAndPrintout)
{
    const int plain = ink({});
    editor->showNamesBox()->setChecked(true);
    EXPECT_GT(ink({}), plain);

    QTest::keyClick(editor.get(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#layout-editor"});

    const std::string pdf = folder.file("print.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        editor->printTo(writer);
    }
    EXPECT_EQ(pdfPageCount(pdf), 2u);
    if (!havePoppler()) GTEST_SKIP() << "no poppler tools";
    // The part names can be read and the drawing keeps off the page's edge.
    EXPECT_GE(smallestWordHeight(pdf, 2), 6);
    const QImage page = pdfPageImage(pdf, 2, 100);
    const QRect ink = inkedBox(page);
    EXPECT_GE(std::min(ink.left(), ink.top()), 39); // 10 mm at 100 dots per inch
}

} // namespace
} // namespace dravenor::testing
