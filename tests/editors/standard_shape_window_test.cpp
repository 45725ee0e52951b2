// The standard-shape window driven offscreen: every type chosen and typed in as the operator
// would, the shape it loads checked as a closed profile with the area and extents of its
// parameters; refused parameters, the cylinder and cone breakups writing their drawings, and
// the shape editor's Tools entry appending the loaded shape.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <set>

#include "editors/shape_editor.h"
#include "editors/standard_shape_window.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"
#include "job/number_format.h"
#include "support/ink.h"
#include "support/scripted_dialogs.h"
#include "support/standard_shape_cases.h"
#include "support/temp_folder.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

bool isRed(const QColor& c) { return c.red() > c.green() + 60 && c.red() > c.blue() + 60; }

class StandardShapeWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }

    // Types each text into its cell, one keystroke at a time, left to right.
    void type(const std::vector<std::string>& cells)
    {
        GridView& view = *window.parameterView();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            view.setCurrentCell(1, static_cast<int>(i) + 1);
            QTest::keyClicks(&view, QString::fromStdString(cells[i]));
        }
    }
    void type(const std::vector<double>& numbers)
    {
        std::vector<std::string> cells;
        for (double n : numbers) cells.push_back(formatGeneral(n));
        type(cells);
    }
    int redInk() { return inkedPixels(window.preview()->surface().image(), isRed); }
    int ink() { return inkedPixels(window.preview()->surface().image()); }
    bool closedWith(QDialog::DialogCode code) { return !window.isVisible() && window.result() == code; }

    // The pieces written by a breakup Load, read back from their drawings.
    std::vector<Shape> readBack(const std::vector<std::string>& files)
    {
        std::vector<Shape> shapes;
        for (const std::string& f : files) {
            Shape s;
            EXPECT_TRUE(readShapeByExtension(f, s).readable) << f;
            shapes.push_back(s);
        }
        return shapes;
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    StandardShapeWindow window{dialogs, QString::fromLatin1(DRAVENOR_RESOURCE_DIR)};
};

TEST_F(StandardShapeWindowTest, OpensWithTheFifteenTypesNoneChosenAndLoadDisabled)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Select & Load Shapes"));
    QStringList captions;
    for (int i = 0; i < window.typeList()->count(); ++i) captions << window.typeList()->itemText(i);
    EXPECT_EQ(captions, QStringList({"Rectangle for Sheet", "Rectangle for Part", "Square", "Circle", "Circle Breakup",
                                     "Arc Section", "Right Triangle", "Polygon", "Notched Rectangle",
                                     "Rounded Rectangle", "Right-angled Trapezoid", "Ring", "Ring Breakup",
                                     "Cone Breakup", "Cylinder Breakup"}));
    EXPECT_EQ(window.typeList()->currentIndex(), -1);
    EXPECT_FALSE(window.loadButton()->isEnabled());
    QStringList angles;
    for (int i = 0; i < window.rotationList()->count(); ++i) angles << window.rotationList()->itemText(i);
    EXPECT_EQ(angles, QStringList({"0", "135", "180", "225", "270", "315", "45", "90"}));
    EXPECT_TRUE(window.rotationList()->isEditable());
}

TEST_F(StandardShapeWindowTest, ChoosingATypeGivesEmptyCellsRotationZeroAndABlankPreview)
{
    ASSERT_TRUE(window.chooseType("Ring"));
    type(std::vector<double>{100, 50});
    window.rotationList()->setCurrentText("90");
    EXPECT_GT(redInk(), 100);

    ASSERT_TRUE(window.chooseType("Cone Breakup"));
    const TextGrid& cells = window.parameters();
    ASSERT_EQ(cells.cols(), 9);
    ASSERT_EQ(cells.rows(), 2);
    EXPECT_EQ(cells.title(1), "Dia Big");
    EXPECT_EQ(cells.title(8), "FileName");
    for (int c = 1; c < cells.cols(); ++c) EXPECT_EQ(cells.text(1, c), "") << c;
    EXPECT_EQ(window.rotationList()->currentText(), QStringLiteral("0"));
    EXPECT_EQ(ink(), 0);
    EXPECT_EQ(cells.col, 1);
    EXPECT_TRUE(window.loadButton()->isEnabled());
    EXPECT_FALSE(window.chooseType("Hexagon"));
    EXPECT_EQ(window.typeList()->currentText(), QStringLiteral("Cone Breakup"));
}

class EveryGeneratedType : public StandardShapeWindowTest,
                           public ::testing::WithParamInterface<StandardShapeCase> {};

TEST_P(EveryGeneratedType, TypedParametersLoadAClosedShapeOfTheirAreaAndExtents)
{
    const StandardShapeCase& c = GetParam();
    ASSERT_TRUE(window.chooseType(QString::fromStdString(c.caption)));
    type(c.parameters);
    EXPECT_EQ(window.previewMessage(), "");
    EXPECT_GT(redInk(), 50);

    window.load();
    ASSERT_TRUE(closedWith(QDialog::Accepted));
    ASSERT_TRUE(window.hasShape());
    EXPECT_TRUE(dialogs.questions.empty());
    expectClosedProfile(window.generatedShape(), c.area, c.extents);
}

INSTANTIATE_TEST_SUITE_P(Window, EveryGeneratedType, ::testing::ValuesIn(standardShapeCases()));

TEST(StandardShapeCases, CoverEveryTypeTheLibraryGenerates)
{
    std::set<std::string> covered;
    for (const StandardShapeCase& c : standardShapeCases()) covered.insert(c.caption);
    for (const StandardShapeType& t : standardShapeTypes())
        EXPECT_EQ(covered.count(t.caption), t.generatedHere ? 1u : 0u) << t.caption;
}

TEST_F(StandardShapeWindowTest, TheRotationTurnsTheShapeAboutTheCentreOfItsExtents)
{
    ASSERT_TRUE(window.chooseType("Rectangle for Part"));
    type(std::vector<double>{50, 100});
    window.rotationList()->setCurrentIndex(window.rotationList()->findText("90"));
    window.load();
    ASSERT_TRUE(window.hasShape());
    const Extents box = shapeExtents(window.generatedShape());
    EXPECT_NEAR(box.xmin, 25, 1e-9);
    EXPECT_NEAR(box.xmax, 75, 1e-9);
    EXPECT_NEAR(box.ymin, -25, 1e-9);
    EXPECT_NEAR(box.ymax, 75, 1e-9);
}

TEST_F(StandardShapeWindowTest, KeysFollowTheCellRulesAndEveryEditRedrawsThePreview)
{
    ASSERT_TRUE(window.chooseType("Square"));
    type(std::vector<std::string>{"3x0"});
    EXPECT_EQ(window.parameters().text(1, 1), "30");
    EXPECT_GT(redInk(), 50);
    const QImage thirty = window.preview()->surface().image();
    QTest::keyClick(window.parameterView(), Qt::Key_Backspace);
    EXPECT_EQ(window.parameters().text(1, 1), "3");
    EXPECT_EQ(window.previewMessage(), "");
    // A lone square always fills the view; its size shows in the extents under the preview.
    EXPECT_EQ(window.previewLabel()->text(), QStringLiteral("Xmax=3 Ymax=3"));
    // An emptied cell is a value not typed: a blank preview, no complaint.
    QTest::keyClick(window.parameterView(), Qt::Key_Delete);
    EXPECT_EQ(window.parameters().text(1, 1), "");
    EXPECT_EQ(window.previewMessage(), "");
    EXPECT_EQ(ink(), 0);
    EXPECT_NE(window.preview()->surface().image(), thirty);
}

TEST_F(StandardShapeWindowTest, MessagesOnlyForTypedValuesAndTheWindowKeepsItsSizeAndButtons)
{
    const QSize size = window.size();
    const QRect load = window.loadButton()->geometry();
    for (int i = 0; i < window.typeList()->count(); ++i) {
        ASSERT_TRUE(window.chooseType(window.typeList()->itemText(i)));
        QApplication::processEvents();
        EXPECT_EQ(window.size(), size) << window.typeList()->itemText(i).toStdString();
        EXPECT_EQ(window.loadButton()->geometry(), load) << window.typeList()->itemText(i).toStdString();
        // The row of values stays in sight above the grid's scroll bar.
        const GridView& grid = *window.parameterView();
        EXPECT_LE(grid.rowViewportPosition(0) + grid.verticalHeader()->sectionSize(0), grid.viewport()->height());
    }
    // Dia Big, Dia Small, Height: the cone says nothing until a typed value is wrong in itself.
    ASSERT_TRUE(window.chooseType("Cone Breakup"));
    type(std::vector<std::string>{"1000"});
    EXPECT_EQ(window.previewMessage(), "");
    EXPECT_EQ(window.previewLabel()->text(), QString());
    EXPECT_EQ(ink(), 0);
    type(std::vector<std::string>{"", "", "0"});
    EXPECT_EQ(window.previewMessage(), "Height (0) must be greater than 0");
    EXPECT_GT(ink(), 20);

    // A remark is wrapped above the cone, clear of it: the top rows of the picture hold only text.
    ASSERT_TRUE(window.chooseType("Cone Breakup"));
    type(std::vector<std::string>{"3000", "1000", "2000", "9000", "", "6", "2"});
    EXPECT_EQ(window.previewMessage(), kOneDivisionFitsMessage);
    const QImage picture = window.preview()->surface().image();
    int firstRedRow = -1, lastTextRow = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (isRed(c) && firstRedRow < 0) firstRedRow = y;
            if (c.lightness() < 100 && !isRed(c)) lastTextRow = y;
        }
    ASSERT_GT(firstRedRow, 0);
    EXPECT_LT(lastTextRow, firstRedRow);
}

TEST_F(StandardShapeWindowTest, ABadParameterShowsItsMessageAndLoadsNothing)
{
    ASSERT_TRUE(window.chooseType("Ring"));
    type(std::vector<double>{50, 100});
    const std::string message = window.previewMessage();
    ASSERT_NE(message, "");
    EXPECT_GT(ink(), 20);
    EXPECT_EQ(redInk(), 0);

    window.load();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.hasShape());
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{message});
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Exclamation);

    // A polygon needs three sides.
    ASSERT_TRUE(window.chooseType("Polygon"));
    type(std::vector<double>{2, 10});
    EXPECT_NE(window.previewMessage(), "");
    window.load();
    EXPECT_FALSE(window.hasShape());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(StandardShapeWindowTest, LoadWithAnEmptyFirstCellDoesNothing)
{
    window.load();
    ASSERT_TRUE(window.chooseType("Rectangle for Sheet"));
    type(std::vector<std::string>{"", "100"});
    window.loadButton()->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(window.hasShape());
}

TEST_F(StandardShapeWindowTest, CancelClosesWithoutAShape)
{
    ASSERT_TRUE(window.chooseType("Square"));
    type(std::vector<double>{30});
    window.cancelButton()->click();
    EXPECT_TRUE(closedWith(QDialog::Rejected));
    EXPECT_FALSE(window.hasShape());
}

TEST_F(StandardShapeWindowTest, F1AndTheHelpMenuOpenTheStandardShapesPage)
{
    QTest::keyClick(window.parameterView(), Qt::Key_F1);
    auto* menuBar = window.findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    ASSERT_EQ(menuBar->actions().size(), 1);
    QMenu* help = menuBar->actions()[0]->menu();
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(help->actions().size(), 1);
    EXPECT_EQ(help->actions()[0]->text(), QStringLiteral("&Dravenor for Quilvane Help"));
    help->actions()[0]->trigger();
    EXPECT_EQ(dialogs.helpPages, (std::vector<std::string>{"index.html#standard-shapes", "index.html#standard-shapes"}));
}

// ---- Breakups ----

constexpr double pi = std::numbers::pi;

TEST_F(StandardShapeWindowTest, CylinderBreakupWritesItsPiecesIntoTheChosenFolderAndListsThem)
{
    ASSERT_TRUE(window.chooseType("Cylinder Breakup"));
    // Dia, Height, Plate Len, Plate Wid, Seg Wid, Kerf, FileName (letters are typed upper-case).
    type(std::vector<std::string>{"1000", "1500", "2500", "1250", "100", "2", "shell"});
    EXPECT_EQ(window.previewMessage(), "");
    EXPECT_GT(redInk(), 100);
    dialogs.folders.push_back(folder.folder() + "/");
    window.load();

    EXPECT_TRUE(closedWith(QDialog::Accepted));
    EXPECT_FALSE(window.hasShape());
    EXPECT_EQ(dialogs.folderCaptions, std::vector<std::string>{"Select Directory for Breakup Files..."});
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"SHELL-1x1.dxf", "SHELL-2x1.dxf", "SHELL-3x1.dxf",
                                                           "SHELL-4x1.dxf"}));
    const std::vector<std::string>& files = window.createdFiles();
    ASSERT_EQ(files.size(), 4u);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    std::string listed = "Following Files are created !\n";
    for (const std::string& f : files) listed += f + "\n";
    EXPECT_EQ(dialogs.questions[0].text, listed);
    EXPECT_EQ(std::filesystem::path(files[0]).parent_path(), std::filesystem::path(folder.folder()));

    // Plates less the kerf on both sides: rows 1246 and 254 high, columns 2496 and the rest long.
    const double rest = pi * 1000 - 2496;
    const double sizes[4][2] = {{1246, 2496}, {254, 2496}, {1246, rest}, {254, rest}};
    const std::vector<Shape> pieces = readBack(files);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const ShapeMeasure m = measureShape(pieces[i], 1e-4);
        EXPECT_TRUE(m.closed) << files[i];
        const Extents box = shapeExtents(pieces[i]);
        EXPECT_NEAR(box.xmax - box.xmin, sizes[i][0], 1e-3) << files[i];
        EXPECT_NEAR(box.ymax - box.ymin, sizes[i][1], 1e-3) << files[i];
    }
}

TEST_F(StandardShapeWindowTest, ConeBreakupBandsCoverTheWholeFrustum)
{
    ASSERT_TRUE(window.chooseType("Cone Breakup"));
    // Dia Big, Dia Small, Height, Plate Wid, Seg Wid, Ang Br, Kerf, FileName.
    type(std::vector<std::string>{"3000", "1500", "2000", "1000", "200", "4", "2", "cone"});
    EXPECT_GT(redInk(), 100);
    dialogs.folders.push_back(folder.folder());
    window.load();
    ASSERT_TRUE(closedWith(QDialog::Accepted));

    const std::vector<std::string>& files = window.createdFiles();
    ASSERT_GE(files.size(), 2u);
    double covered = 0;
    const std::vector<Shape> pieces = readBack(files);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(std::filesystem::path(files[i]).filename().string(), "CONE-" + std::to_string(i + 1) + "x4.dxf");
        const ShapeMeasure m = measureShape(pieces[i], 1e-4);
        EXPECT_TRUE(m.closed) << files[i];
        covered += 4 * m.enclosedArea;
    }
    // Lateral area of the frustum: pi (R + r) times the slant height.
    const double lateral = pi * (1500 + 750) * std::hypot(2000.0, 750.0);
    EXPECT_NEAR(covered, lateral, 1e-3 * lateral);
}

TEST_F(StandardShapeWindowTest, BreakupWithoutAFileNameOrFolderSaysSoAndStaysOpen)
{
    ASSERT_TRUE(window.chooseType("Cylinder Breakup"));
    type(std::vector<std::string>{"1000", "1500", "2500", "1250", "100", "2"});
    window.load();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(dialogs.folderCaptions.empty());
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{"File Name is not specified"});
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Exclamation);

    type(std::vector<std::string>{"", "", "", "", "", "", "shell"});
    window.load(); // the folder dialog is cancelled
    EXPECT_EQ(dialogs.folderCaptions.size(), 1u);
    EXPECT_EQ(dialogs.questionTexts().back(), "File Name is not specified");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(folder.entries().empty());
}

TEST_F(StandardShapeWindowTest, BreakupPreviewShowsWhyItCannotBeMade)
{
    ASSERT_TRUE(window.chooseType("Cylinder Breakup"));
    type(std::vector<std::string>{"1000", "1500", "2500", "1250", "100", "0", "shell"});
    EXPECT_EQ(window.previewMessage(), kKerfMessage);
    EXPECT_EQ(redInk(), 0);
    EXPECT_GT(ink(), 20);
    window.load();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(dialogs.folderCaptions.empty());

    ASSERT_TRUE(window.chooseType("Cone Breakup"));
    type(std::vector<std::string>{"1000", "2000", "500", "1000", "100", "4", "2"});
    EXPECT_EQ(window.previewMessage(), kBigDiaMessage);
}

TEST_F(StandardShapeWindowTest, FailedWriteSaysWhyAndKeepsTheWindowOpen)
{
    ASSERT_TRUE(window.chooseType("Cylinder Breakup"));
    type(std::vector<std::string>{"1000", "1500", "2500", "1250", "100", "2", "shell"});
    dialogs.folders.push_back(folder.file("no-such-folder") + "/");
    window.load();
    EXPECT_TRUE(window.isVisible());
    ASSERT_FALSE(dialogs.questions.empty());
    EXPECT_NE(dialogs.questions.back().text.find("no-such-folder"), std::string::npos);
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
}

// ---- From the shape editor ----

class ShapeEditorStandardShapes : public ::testing::Test {
protected:
    void SetUp() override { editor.show(); }

    // Runs the Tools entry; the scripted operator works the modal window while it is open.
    void loadThroughTools(const std::function<void(StandardShapeWindow&)>& operate)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<StandardShapeWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            seen = true;
            operate(*window);
            if (window->isVisible()) window->reject();
        });
        editor.standardShapesAction()->trigger();
        EXPECT_TRUE(seen);
    }

    ScriptedDialogs dialogs;
    ShapeEditor editor{dialogs, QString::fromLatin1(DRAVENOR_RESOURCE_DIR)};
};

void typeRing(StandardShapeWindow& window)
{
    window.chooseType("Ring");
    window.parameters().setText(1, 1, "100");
    window.parameters().setText(1, 2, "50");
    window.regenerate();
    window.load();
}

TEST_F(ShapeEditorStandardShapes, ToolsEntryAppendsTheLoadedShapeAndSelectsItsRows)
{
    ASSERT_TRUE(editor.standardShapesAction()->isEnabled());
    loadThroughTools(typeRing);
    const GridShape first = shapeFromGrid(editor.grid());
    ASSERT_EQ(first.shape.size(), 2u);
    EXPECT_EQ(first.shape[0].RAD, 50);
    EXPECT_EQ(first.shape[1].RAD, 25);
    EXPECT_EQ(editor.grid().rows(), 4); // titles, two circles, the entry row
    EXPECT_TRUE(editor.modified());

    // A second shape goes below the first and becomes the selection.
    loadThroughTools([](StandardShapeWindow& window) {
        window.chooseType("Square");
        window.parameters().setText(1, 1, "30");
        window.load();
    });
    const GridShape both = shapeFromGrid(editor.grid());
    ASSERT_EQ(both.shape.size(), 6u);
    EXPECT_EQ(both.shape[5], lineEntity(30, 0, 0, 0));
    EXPECT_EQ(selectedRows(editor.grid()), (std::pair<int, int>{3, 6}));
    expectClosedProfile({both.shape.begin() + 2, both.shape.end()}, 900, {0, 0, 30, 30});
}

TEST_F(ShapeEditorStandardShapes, CancelledWindowAddsNothing)
{
    loadThroughTools([](StandardShapeWindow& window) {
        window.chooseType("Square");
        window.parameters().setText(1, 1, "30");
        window.cancelButton()->click();
    });
    EXPECT_TRUE(shapeFromGrid(editor.grid()).shape.empty());
    EXPECT_FALSE(editor.modified());
}

} // namespace
} // namespace dravenor::testing
