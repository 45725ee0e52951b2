// The shape editor: open, draw, select and move, type a new entity, join a gap, save as shape
// file and DXF, what the unsaved-changes question's answers do (its every path is the unsaved-work
// test's) and failed saves keeping the work, pointer coordinates and the printout.
#include <QComboBox>
#include <QLabel>
#include <QPdfWriter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>

#include "editors/shape_editor.h"
#include "geometry/dxf_units.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/ink.h"
#include "support/pdf_pages.h"
#include "support/saved_shape.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/text_match.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

using Answer = DialogService::Answer;
using Strings = std::vector<std::string>;
bool isRed(const QColor& c) { return c.red() > c.green() + 60 && c.red() > c.blue() + 60; }
bool isNavy(const QColor& c) { return c.blue() > c.red() + 40 && c.blue() > c.green() + 40; }

class ShapeEditorTest : public ::testing::Test {
protected:
    void SetUp() override { editor.show(); }

    // A 200 x 100 plate in a shape file, opened in the editor.
    std::string openPlate()
    {
        const std::string path = savedShape(folder, "plate.shp", rectangle(0, 0, 200, 100));
        EXPECT_TRUE(editor.openFile(path));
        return path;
    }
    void press(const char* button)
    {
        auto* tool = editor.findChild<QToolButton*>(QString::fromLatin1(button));
        ASSERT_NE(tool, nullptr) << button;
        tool->click();
    }
    Shape shapeOnScreen() { return shapeFromGrid(editor.grid()).shape; }
    static Shape onDisk(const std::string& path)
    {
        Shape shape;
        EXPECT_TRUE(readShapeByExtension(path, shape).readable) << path;
        return shape;
    }
    // Whether the drawing is red around the point (x, y) of the 200 x 100 plate.
    bool redNear(double x, double y)
    {
        const QImage& image = editor.canvas()->surface().image();
        const ViewScale scale = editor.canvas()->surface().scale();
        const int px = static_cast<int>((x - scale.left) / scale.width * image.width());
        const int py = static_cast<int>((100 - y - scale.top) / scale.height * image.height());
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (image.valid(px + dx, py + dy) && isRed(QColor(image.pixel(px + dx, py + dy)))) return true;
        return false;
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    ShapeEditor editor{dialogs, QString::fromLatin1(DRAVENOR_RESOURCE_DIR)};
};

TEST_F(ShapeEditorTest, OpensAShapeFileDrawsItInNavyAndShowsPointerCoordinates)
{
    const std::string path = openPlate();
    editor.newFile();
    dialogs.openFiles.push_back(path);
    editor.openWithDialog();
    EXPECT_EQ(std::tuple(dialogs.fileDialogTitles, editor.currentFile(), editor.windowTitle().toStdString(), editor.grid().rows(),
                         editor.modified()), std::tuple(Strings{"Open"}, path, "Shape Editor - " + path, 6, false));
    EXPECT_GT(inkedPixels(editor.canvas()->surface().image(), isNavy), 100);
    // Surface y grows downwards from the top of the shape: y 10 on the surface is shape y 90.
    emit editor.canvas()->mouseMoved(QPointF(25.5, 10));
    EXPECT_EQ(editor.mouseLabel()->text(), QStringLiteral("X=00025.50,  Y=00090.00"));
}

TEST_F(ShapeEditorTest, SelectedRowsShowInRedAndMoveAndTurnByTheStep)
{
    openPlate();
    // The current row is selected: its entity (the bottom line) shows in red.
    EXPECT_EQ(std::pair(redNear(100, 0), redNear(200, 50)), std::pair(true, false));
    editor.gridView()->selectRows(2, 3);
    EXPECT_EQ(std::pair(redNear(100, 0), redNear(200, 50)), std::pair(false, true));
    editor.moveStepList()->setCurrentText(QStringLiteral("10"));
    // A move shifts X1, X2 and CX of every selected row, lines included; the rows stay
    // selected, so the next press moves them all again.
    press("Move Right");
    press("Move Right");
    EXPECT_EQ(shapeOnScreen(), (Shape{lineEntity(0, 0, 200, 0), {220, 0, 220, 100, 20}, {220, 100, 20, 100, 20},
                                      lineEntity(0, 100, 0, 0)}));
    EXPECT_TRUE(editor.modified() && redNear(220, 50));
    // The group turns about its own centre and back.
    editor.rotateStepList()->setCurrentText(QStringLiteral("90"));
    press("Rotate Anticlockwise");
    EXPECT_NEAR(shapeOnScreen()[2].X1, 70, 1e-9);
    press("Rotate Clockwise");
    EXPECT_NEAR(std::hypot(shapeOnScreen()[1].X1 - 220, shapeOnScreen()[2].X2 - 20), 0, 1e-9);
}

TEST_F(ShapeEditorTest, TypedEntitiesAreAddedAndJoinAddsTheMissingLine)
{
    GridView& view = *editor.gridView();
    view.setCurrentCell(1, 3);
    QTest::keyClicks(&view, "50");
    view.setCurrentCell(1, 4);
    QTest::keyClicks(&view, "-2x5");
    EXPECT_EQ(editor.grid().text(1, 4), "-25");
    EXPECT_EQ(editor.grid().rows(), 3);
    EXPECT_EQ(shapeOnScreen(), (Shape{lineEntity(0, 0, 50, -25)}));
    EXPECT_TRUE(editor.modified());
    // The one entity is on the current row, so it is drawn highlighted.
    EXPECT_GT(inkedPixels(editor.canvas()->surface().image(), isRed), 20);

    const std::string open = savedShape(folder, "open.shp", {lineEntity(0, 0, 10, 0), lineEntity(10.3, 0.4, 20, 0.4)});
    dialogs.answers = {Answer::No};
    ASSERT_TRUE(editor.openFile(open));
    press("Auto Join Missing Lines");
    EXPECT_EQ(shapeOnScreen().back(), lineEntity(10, 0, 10.3, 0.4));
    EXPECT_EQ(dialogs.questionTexts().back(), kLinesAddedMessage);
    EXPECT_TRUE(editor.modified());
    press("Auto Join Missing Lines");
    EXPECT_EQ(dialogs.questionTexts().back(), kAlreadyClosedMessage);
    EXPECT_EQ(shapeOnScreen().size(), 3u);
}

TEST_F(ShapeEditorTest, SaveAsWritesShapeFilesAndDrawingsAndSaveReusesTheName)
{
    openPlate();
    editor.gridView()->selectRows(1, 1);
    editor.adjust(0);
    const std::string asDrawing = folder.file("plate.dxf");
    dialogs.saveFiles.push_back(asDrawing);
    ASSERT_TRUE(editor.saveAs());
    EXPECT_EQ(std::pair(editor.modified(), editor.currentFile()), std::pair(false, asDrawing));
    // A drawing keeps what a line is: its ends (the moved CX of a line row is not drawn).
    Shape expected = shapeOnScreen();
    expected[0].CX = 0;
    EXPECT_EQ(onDisk(asDrawing), expected);
    editor.adjust(3);
    ASSERT_TRUE(editor.save());
    const Shape saved = onDisk(asDrawing);
    EXPECT_EQ(Shape(saved.begin(), saved.begin() + 2), (Shape{lineEntity(-100, -100, 100, -100), lineEntity(200, 0, 200, 100)}));
    EXPECT_EQ(dialogs.fileDialogTitles, Strings{"Save As"});
}

TEST_F(ShapeEditorTest, AnOpenedDrawingIsRewrittenOnlyWhenTheUserSaysSoAndThenInItsOwnUnits)
{
    const std::string drawing = folder.write("customer.dxf", TempFolder::read(DRAVENOR_TEST_DATA "/dxf/inch-plate.dxf"));
    const std::string original = TempFolder::read(drawing);
    const auto openAndMove = [&] {
        ASSERT_TRUE(editor.openFile(drawing));
        editor.gridView()->selectRows(1, 1);
        editor.adjust(1);
    };
    openAndMove();
    // Cancel (Esc) writes nothing; the question names the drawing and its units.
    dialogs.answers = {Answer::Cancel};
    EXPECT_FALSE(editor.save());
    EXPECT_TRUE(contains(dialogs.questionTexts().back(), drawing + " is a drawing (DXF)")
                && contains(dialogs.questionTexts().back(), "in inches"))
        << dialogs.questionTexts().back();
    EXPECT_EQ(dialogs.questions.back().buttons, DialogService::Buttons::YesNoCancel);
    // Yes (and Enter): Save As with a shape file proposed beside the drawing.
    dialogs.saveFiles.push_back(folder.file("customer.shp"));
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(dialogs.suggestedName, folder.file("customer.shp"));
    EXPECT_TRUE(dialogs.saveFilter.starts_with("Shape files (*.shp)")) << dialogs.saveFilter;
    EXPECT_EQ(TempFolder::read(drawing), original);
    EXPECT_EQ(onDisk(folder.file("customer.shp")), shapeOnScreen());

    // No: the drawing written back in inches, saying so in its header; read again it is the
    // shape on screen (in millimetres). Once agreed, Save asks no more.
    openAndMove();
    const Shape moved = shapeOnScreen();
    dialogs.answers = {Answer::No};
    ASSERT_TRUE(editor.save());
    const DxfUnitScale units = drawingFileUnits(drawing, DrawingUnit::Millimetre);
    EXPECT_EQ(std::pair(units.code, units.factor), std::pair(1, 25.4));
    const Shape readBack = onDisk(drawing);
    ASSERT_EQ(readBack.size(), moved.size());
    for (size_t i = 0; i < moved.size(); ++i)
        for (auto field : {&ShapeEntity::X1, &ShapeEntity::Y1, &ShapeEntity::X2, &ShapeEntity::Y2})
            EXPECT_NEAR(readBack[i].*field, moved[i].*field, 1e-9) << "entity " << i;
    const std::string ezdxfUnits = commandOutput("/usr/bin/python3 -c \"import ezdxf,sys; "
                                                 "print(ezdxf.readfile(sys.argv[1]).header.get('\\$INSUNITS'))\" '"
                                                 + drawing + "' 2>/dev/null");
    EXPECT_TRUE(ezdxfUnits.empty() || ezdxfUnits == "1\n") << ezdxfUnits; // empty: no ezdxf here
    const size_t asked = dialogs.questions.size();
    editor.adjust(1);
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(dialogs.questions.size(), asked);
}

TEST_F(ShapeEditorTest, CtrlZUndoesMovesKeysAndLoadedShapesAndCtrlYRedoesThem)
{
    openPlate();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    const Shape opened = shapeOnScreen();
    editor.gridView()->selectRows(1, 1);
    editor.adjust(1);
    const Shape moved = shapeOnScreen();
    ASSERT_NE(moved, opened);
    editor.appendShape(rectangle(300, 0, 10, 10));
    const Shape loaded = shapeOnScreen();
    editor.gridView()->setCurrentCell(1, 1);
    QTest::keyClick(editor.gridView(), Qt::Key_Delete); // a key clears the row's X1
    ASSERT_NE(shapeOnScreen(), loaded);
    std::vector<Shape> seen;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
        seen.push_back(shapeOnScreen());
    }
    EXPECT_EQ(seen, (std::vector<Shape>{loaded, moved, opened, opened}));
    QTest::keyClick(&editor, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shapeOnScreen(), loaded);
    EXPECT_TRUE(editor.modified());
}

// A cell typed into, key by key, is one change: Undo takes all of it back, also after the
// unsaved-changes question was cancelled; the next cell typed into is a change of its own.
TEST_F(ShapeEditorTest, UndoTakesBackAWholeCellEditAlsoAfterACancelledSaveQuestion)
{
    openPlate();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    const Shape opened = shapeOnScreen();
    GridView& rows = *editor.gridView();
    rows.setCurrentCell(1, 1);
    QTest::keyClick(&rows, Qt::Key_Delete);
    QTest::keyClicks(&rows, "25");
    const Shape typed = shapeOnScreen();
    rows.setCurrentCell(1, 2);
    QTest::keyClick(&rows, Qt::Key_Delete);
    QTest::keyClicks(&rows, "7");
    ASSERT_NE(shapeOnScreen(), typed);
    dialogs.answers = {Answer::Cancel};
    EXPECT_FALSE(editor.newFile());
    QTest::keyClick(&rows, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shapeOnScreen(), typed);
    QTest::keyClick(&rows, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shapeOnScreen(), opened);
}

TEST_F(ShapeEditorTest, UnsavedChangesAreOfferedForSavingBeforeTheyAreLost)
{
    const std::string path = openPlate();
    editor.newFile();
    EXPECT_TRUE(dialogs.questions.empty());
    ASSERT_TRUE(editor.openFile(path));
    editor.adjust(1);
    dialogs.answers = {Answer::No};
    editor.newFile();
    ASSERT_EQ(dialogs.questionTexts(), Strings{"Save changes in current file?"});
    EXPECT_EQ(onDisk(path), rectangle(0, 0, 200, 100));
    EXPECT_EQ(std::tuple(dialogs.questions[0].title, editor.grid().rows(), editor.canvas()->isEnabled(),
                         editor.mouseLabel()->text().toStdString()), std::tuple("Attention !", 2, false, kMouseRestingText));

    // A failed save keeps the work and says why.
    ASSERT_TRUE(editor.openFile(path));
    editor.adjust(1);
    dialogs.saveFiles.push_back(folder.file("missing-folder/plate.shp"));
    EXPECT_FALSE(editor.saveAs());
    EXPECT_EQ(std::pair(editor.modified(), dialogs.questions.back().icon), std::pair(true, DialogService::Icon::Exclamation));
    EXPECT_NE(dialogs.questions.back().text.find("missing-folder"), std::string::npos);
    EXPECT_EQ(shapeOnScreen()[0], (ShapeEntity{100, 0, 300, 0, 100}));
    // Yes on closing saves first.
    dialogs.answers = {Answer::Yes};
    editor.close();
    EXPECT_EQ(onDisk(path)[0], (ShapeEntity{100, 0, 300, 0, 100}));
}

TEST_F(ShapeEditorTest, PrintsTheTableAndThenTheDrawing)
{
    openPlate();
    const std::string pdf = folder.file("print.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        editor.printTo(writer);
    }
    EXPECT_EQ(pdfPageCount(pdf), 2u);
    if (!havePoppler()) GTEST_SKIP() << "no poppler tools";
    // The file name stands above the column titles, and the rows follow the titles.
    const std::string text = pdfText(pdf);
    const size_t file = text.find("File Name: "), titles = text.find("X1"), row = text.find("200      100");
    EXPECT_LT(file, titles);
    EXPECT_LT(titles, row);
    EXPECT_NE(row, std::string::npos) << text;
    // The drawing page at ten pixels a millimetre: a margin of 10 mm at least from the page's
    // edge, edges 0.2 mm wide (two pixels, not a hairline) and grid labels of 6 points or more.
    const QImage page = pdfPageImage(pdf, 2, 254);
    ASSERT_FALSE(page.isNull());
    const QRect ink = inkedBox(page);
    EXPECT_GE(std::min({ink.left(), ink.top(), page.width() - 1 - ink.right(), page.height() - 1 - ink.bottom()}), 100);
    int edge = 0; // the shape's top edge, the first dark run down the middle of the drawing
    int y = ink.top();
    while (y <= ink.bottom() && qGray(page.pixel(ink.center().x(), y)) >= 160) ++y;
    for (; y <= ink.bottom() && qGray(page.pixel(ink.center().x(), y)) < 160; ++y) ++edge;
    EXPECT_GE(edge, 2);
    EXPECT_LE(edge, 3);
    EXPECT_GE(smallestWordHeight(pdf, 2), 6);
}

} // namespace
} // namespace dravenor::testing
