// The main window's sheet and part grids: choosing files and the preview of the current file.
#include <QApplication>
#include <QTimer>

#include "editors/shape_editor.h"
#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

using MainWindowGrids = MainWindowTest;

TEST_F(MainWindowGrids, TwoChosenPartFilesGiveTwoNumberedRowsABlankRowAndANavyPreview)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    const std::string b = writeRectangle("b.shp", 30, 30);
    enterFiles(PartGrid, {a, b});
    const TextGrid& parts = window->job().parts;
    ASSERT_EQ(parts.rows(), 4);
    EXPECT_EQ(parts.text(1, 1), a);
    EXPECT_EQ(parts.text(2, 1), b);
    EXPECT_FALSE(parts.rowHasText(3));
    EXPECT_EQ(grid(PartGrid).model()->headerData(2, Qt::Vertical).toString(), "3");
    EXPECT_EQ(dialogs.shapeSelectionCaptions, std::vector<std::string>{"Select Part File(s)..."});
    // The last chosen file is the current one and its preview is shown, in navy.
    EXPECT_EQ(parts.row, 2);
    EXPECT_EQ(preview(PartGrid).toolTip(), "Xmax=30 Ymax=30 <Click To Edit>");
    const QImage image = preview(PartGrid).surface().image();
    EXPECT_GT(inkedPixels(image, [](const QColor& c) { return c.blue() > c.red() && c.red() == c.green(); }), 100);
    EXPECT_EQ(inkedPixels(image, [](const QColor& c) { return !(c.blue() > c.red() && c.red() == c.green()); }), 0);
    EXPECT_EQ(previewInk(SheetGrid), 0);
}

TEST_F(MainWindowGrids, ThePreviewFollowsTheCurrentRow)
{
    const std::string gone = folder.filePath("gone.shp").toStdString();
    enterFiles(SheetGrid, {writeRectangle("a.shp", 100, 50), writeRectangle("b.shp", 80, 20), gone});
    EXPECT_EQ(window->job().sheets.text(3, 1), gone) << "a missing file stays in the grid";
    EXPECT_EQ(dialogs.shapeSelectionCaptions, std::vector<std::string>{"Select Sheet File(s)..."});
    EXPECT_TRUE(preview(SheetGrid).toolTip().isEmpty());
    EXPECT_EQ(previewInk(SheetGrid), 0);
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Up);
    EXPECT_EQ(preview(SheetGrid).toolTip(), "Xmax=80 Ymax=20 <Click To Edit>");
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Up);
    EXPECT_EQ(preview(SheetGrid).toolTip(), "Xmax=100 Ymax=50 <Click To Edit>");
    EXPECT_GT(previewInk(SheetGrid), 0);
    grid(SheetGrid).setCurrentCell(4, 1); // the blank entry row
    EXPECT_TRUE(preview(SheetGrid).toolTip().isEmpty());
    EXPECT_EQ(previewInk(SheetGrid), 0);
}

TEST_F(MainWindowGrids, ClickingAPreviewEditsItsFileWhenAnEditorIsThere)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    enterFiles(PartGrid, {a});
    window->editShape = nullptr;
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton); // without an editor nothing happens
    std::vector<std::string> edited;
    window->editShape = [&](const std::string& file) {
        edited.push_back(file);
        writeRectangle("a.shp", 10, 5); // the editor changed the shape
    };
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    EXPECT_EQ(edited, std::vector<std::string>{a});
    EXPECT_EQ(preview(PartGrid).toolTip(), "Xmax=10 Ymax=5 <Click To Edit>");
    grid(PartGrid).setCurrentCell(2, 1); // on the blank row there is nothing to edit
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    EXPECT_EQ(edited.size(), 1u);
}

TEST_F(MainWindowGrids, ClickingAPreviewOpensTheShapeEditorOnItsFileUntilItCloses)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    enterFiles(PartGrid, {a});
    std::string editedFile;
    int editedRows = 0;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* editor = qobject_cast<ShapeEditor*>(top);
            if (!editor || !editor->isVisible()) continue;
            editedFile = editor->currentFile();
            editedRows = editor->grid().rows();
            modal = editor->isModal();
            editor->close();
        }
    });
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    EXPECT_EQ(editedFile, a);
    EXPECT_EQ(editedRows, 6); // four lines and the entry row
    EXPECT_TRUE(modal);
}

} // namespace
} // namespace dravenor::testing
