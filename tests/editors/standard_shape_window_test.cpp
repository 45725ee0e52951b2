// The standard-shape window: types chosen and parameters typed as the operator would, the shape
// loaded or refused, the breakups writing their drawings, and the shape editor's Tools entry
// appending the loaded shape. The shapes themselves are the library's.
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

#include <filesystem>

#include "editors/shape_editor.h"
#include "editors/standard_shape_window.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "library/standard_shapes.h"
#include "support/ink.h"
#include "support/scripted_dialogs.h"
#include "support/closed_profile.h"
#include "support/temp_folder.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

using Strings = std::vector<std::string>;
bool isRed(const QColor& c) { return c.red() > c.green() + 60 && c.red() > c.blue() + 60; }

class StandardShapeWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }

    // Chooses the type and types each text into its cell, one keystroke at a time, left to right.
    void type(const char* caption, const Strings& cells)
    {
        if (caption) {
            ASSERT_TRUE(window.chooseType(caption));
        }
        GridView& view = *window.parameterView();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            view.setCurrentCell(1, static_cast<int>(i) + 1);
            QTest::keyClicks(&view, QString::fromStdString(cells[i]));
        }
    }
    int redInk() { return inkedPixels(window.preview()->surface().image(), isRed); }
    int ink() { return inkedPixels(window.preview()->surface().image()); }
    bool closedWith(QDialog::DialogCode code) { return !window.isVisible() && window.result() == code; }
    void expectRefusal(const std::string& text)
    {
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.hasShape());
        ASSERT_FALSE(dialogs.questions.empty());
        EXPECT_EQ(dialogs.questions.back().text, text);
        EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    StandardShapeWindow window{dialogs, QString::fromLatin1(DRAVENOR_RESOURCE_DIR)};
};

TEST_F(StandardShapeWindowTest, OpensWithEveryTypeNoneChosenAndATypeGivesEmptyCellsF1GivesHelp)
{
    QTest::keyClick(window.parameterView(), Qt::Key_F1);
    window.findChild<QMenuBar*>()->actions().at(0)->menu()->actions().at(0)->trigger();
    EXPECT_EQ(dialogs.helpPages, Strings(2, "index.html#standard-shapes"));
    ASSERT_EQ(window.typeList()->count(), static_cast<int>(standardShapeTypes().size()));
    EXPECT_EQ(std::pair(window.typeList()->currentIndex(), window.loadButton()->isEnabled()), std::pair(-1, false));

    type("Ring", {"100", "50"});
    window.rotationList()->setCurrentText("90");
    EXPECT_GT(redInk(), 100);
    ASSERT_TRUE(window.chooseType("Cone Breakup"));
    const TextGrid& cells = window.parameters();
    ASSERT_EQ(cells.cols(), 9); // the eight parameters
    for (int c = 1; c < cells.cols(); ++c) EXPECT_EQ(cells.text(1, c), "") << c;
    EXPECT_EQ(std::tuple(window.rotationList()->currentText().toStdString(), ink(), cells.col, window.loadButton()->isEnabled()),
              std::tuple("0", 0, 1, true));
    EXPECT_FALSE(window.chooseType("Hexagon"));
    EXPECT_EQ(window.typeList()->currentText(), QStringLiteral("Cone Breakup"));
}

TEST_F(StandardShapeWindowTest, LoadClosesWithTheShapeTurnedAboutTheCentreOfItsExtents)
{
    type("Rectangle for Part", {"50", "100"});
    window.rotationList()->setCurrentIndex(window.rotationList()->findText("90"));
    window.load();
    ASSERT_TRUE(closedWith(QDialog::Accepted) && window.hasShape());
    EXPECT_TRUE(dialogs.questions.empty());
    expectClosedProfile(window.generatedShape(), 5000, {25, -25, 75, 75});
}

TEST_F(StandardShapeWindowTest, KeysFollowTheCellRulesAndEveryEditRedrawsThePreview)
{
    type("Square", {"3x0"});
    EXPECT_EQ(window.parameters().text(1, 1), "30");
    EXPECT_GT(redInk(), 50);
    const QImage thirty = window.preview()->surface().image();
    QTest::keyClick(window.parameterView(), Qt::Key_Backspace);
    // A lone square always fills the view; its size shows in the extents under the preview.
    EXPECT_EQ(std::tuple(window.parameters().text(1, 1), window.previewMessage(), window.previewLabel()->text().toStdString()),
              std::tuple("3", "", "Xmax=3 Ymax=3"));
    // An emptied cell is a value not typed: a blank preview, no complaint.
    QTest::keyClick(window.parameterView(), Qt::Key_Delete);
    EXPECT_EQ(std::tuple(window.parameters().text(1, 1), window.previewMessage(), ink()), std::tuple("", "", 0));
    EXPECT_NE(window.preview()->surface().image(), thirty);
}

TEST_F(StandardShapeWindowTest, TheWindowKeepsItsSizeAndButtonsAndWrapsARemarkClearOfTheShape)
{
    const QSize size = window.size();
    const QRect load = window.loadButton()->geometry();
    for (int i = 0; i < window.typeList()->count(); ++i) {
        const QString caption = window.typeList()->itemText(i);
        ASSERT_TRUE(window.chooseType(caption));
        QApplication::processEvents();
        EXPECT_TRUE(window.size() == size && window.loadButton()->geometry() == load) << caption.toStdString();
        // The row of values stays in sight above the grid's scroll bar.
        const GridView& grid = *window.parameterView();
        EXPECT_LE(grid.rowViewportPosition(0) + grid.verticalHeader()->sectionSize(0), grid.viewport()->height());
    }
    // A remark is wrapped above the cone, clear of it: the top rows of the picture hold only text.
    type("Cone Breakup", {"3000", "1000", "2000", "9000", "", "6", "2"});
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

TEST_F(StandardShapeWindowTest, RefusedParametersAnEmptyFirstCellOrCancelLoadNothing)
{
    window.load(); // no type chosen
    type("Rectangle for Sheet", {"", "100"});
    window.loadButton()->click();
    EXPECT_TRUE(window.isVisible() && dialogs.questions.empty());

    type("Ring", {"50", "100"});
    const std::string message = window.previewMessage();
    ASSERT_NE(message, "");
    EXPECT_TRUE(ink() > 20 && redInk() == 0) << "the message drawn, no shape";
    window.load();
    expectRefusal(message);

    type("Square", {"30"});
    window.cancelButton()->click();
    EXPECT_TRUE(closedWith(QDialog::Rejected) && !window.hasShape());
}

TEST_F(StandardShapeWindowTest, BreakupsWriteTheirPiecesIntoTheChosenFolderAndListThem)
{
    // Dia, Height, Plate Len, Plate Wid, Seg Wid, Kerf, FileName (letters are typed upper-case).
    type("Cylinder Breakup", {"1000", "1500", "2500", "1250", "100", "2", "shell"});
    EXPECT_EQ(window.previewMessage(), "");
    EXPECT_GT(redInk(), 100);
    dialogs.folders.push_back(folder.folder() + "/");
    window.load();
    EXPECT_TRUE(closedWith(QDialog::Accepted) && !window.hasShape());
    EXPECT_EQ(dialogs.folderCaptions, Strings{"Select Directory for Breakup Files..."});
    EXPECT_EQ(folder.entries(), (Strings{"SHELL-1x1.dxf", "SHELL-2x1.dxf", "SHELL-3x1.dxf", "SHELL-4x1.dxf"}));
    std::string listed = "Following Files are created !\n";
    for (const std::string& f : window.createdFiles()) listed += f + "\n";
    EXPECT_EQ(dialogs.questionTexts(), Strings{listed});
    EXPECT_EQ(std::filesystem::path(window.createdFiles()[0]).parent_path(), std::filesystem::path(folder.folder()));

    // A folder chosen without a trailing separator: names count the divisions.
    type("Cone Breakup", {"3000", "1500", "2000", "1000", "200", "4", "2", "cone"});
    EXPECT_GT(redInk(), 100);
    dialogs.folders.push_back(folder.folder());
    window.load();
    // The pieces themselves are the library's, their files the batch tool's breakup tests'.
    ASSERT_GE(window.createdFiles().size(), 2u);
    for (std::size_t i = 0; i < window.createdFiles().size(); ++i)
        EXPECT_EQ(std::filesystem::path(window.createdFiles()[i]).filename().string(), "CONE-" + std::to_string(i + 1) + "x4.dxf");
}

TEST_F(StandardShapeWindowTest, ABreakupThatCannotBeMadeOrWrittenSaysWhyAndStaysOpen)
{
    type("Cylinder Breakup", {"1000", "1500", "2500", "1250", "100", "0", "shell"});
    EXPECT_EQ(window.previewMessage(), kKerfMessage);
    EXPECT_TRUE(ink() > 20 && redInk() == 0) << "the message drawn, no shape";
    window.load();
    EXPECT_TRUE(window.isVisible());

    type("Cylinder Breakup", {"1000", "1500", "2500", "1250", "100", "2"});
    window.load();
    expectRefusal("File Name is not specified");
    EXPECT_TRUE(dialogs.folderCaptions.empty());
    type(nullptr, {"", "", "", "", "", "", "shell"});
    window.load(); // the folder dialog is cancelled
    EXPECT_EQ(dialogs.folderCaptions.size(), 1u);
    expectRefusal("File Name is not specified");
    dialogs.folders.push_back(folder.file("no-such-folder") + "/");
    window.load();
    EXPECT_TRUE(window.isVisible() && folder.entries().empty());
    EXPECT_NE(dialogs.questions.back().text.find("no-such-folder"), std::string::npos);
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
}

// The shape editor's Tools entry; the scripted operator works the modal window while it is open.
TEST(ShapeEditorStandardShapes, ToolsEntryAppendsTheLoadedShapeAndSelectsItsRowsCancelNothing)
{
    ScriptedDialogs dialogs;
    ShapeEditor editor{dialogs, QString::fromLatin1(DRAVENOR_RESOURCE_DIR)};
    editor.show();
    const auto loadThroughTools = [&](const char* caption, const Strings& cells, bool cancel) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<StandardShapeWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            seen = true;
            window->chooseType(caption);
            for (size_t i = 0; i < cells.size(); ++i) window->parameters().setText(1, static_cast<int>(i) + 1, cells[i]);
            window->regenerate();
            if (cancel) window->cancelButton()->click();
            else window->load();
            if (window->isVisible()) window->reject();
        });
        editor.standardShapesAction()->trigger();
        EXPECT_TRUE(seen);
    };
    ASSERT_TRUE(editor.standardShapesAction()->isEnabled());
    loadThroughTools("Square", {"30"}, true);
    EXPECT_TRUE(shapeFromGrid(editor.grid()).shape.empty());
    EXPECT_FALSE(editor.modified());

    loadThroughTools("Ring", {"100", "50"}, false);
    EXPECT_EQ(shapeFromGrid(editor.grid()).shape.size(), 2u);
    EXPECT_TRUE(editor.modified());
    // A second shape goes below the first and becomes the selection.
    loadThroughTools("Square", {"30"}, false);
    const GridShape both = shapeFromGrid(editor.grid());
    ASSERT_EQ(both.shape.size(), 6u);
    EXPECT_EQ(both.shape[5], lineEntity(30, 0, 0, 0));
    EXPECT_EQ(selectedRows(editor.grid()), (std::pair<int, int>{3, 6}));
    expectClosedProfile({both.shape.begin() + 2, both.shape.end()}, 900, {0, 0, 30, 30});
}

} // namespace
} // namespace dravenor::testing
