// The main window's grids and previews: typing, choosing sheet and part files, and the preview of
// the selected file.
#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

using MainWindowGrids = MainWindowTest;

TEST_F(MainWindowGrids, StartsWithAnEmptyNewJob)
{
    EXPECT_EQ(window->windowTitle(), "Dravenor");
    EXPECT_EQ(window->job().basic.rows(), 2);
    EXPECT_EQ(window->job().sheets.rows(), 2);
    EXPECT_EQ(window->job().parts.rows(), 2);
    EXPECT_EQ(grid(BasicGrid).model()->rowCount(), 1);
    EXPECT_TRUE(grid(BasicGrid).isColumnHidden(window->job().basic.columnOf("ActKerf") - 1));
    EXPECT_EQ(grid(PartGrid).model()->headerData(0, Qt::Vertical).toString(), "1");
    EXPECT_FALSE(window->job().modified);
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(MainWindowGrids, TypedLettersAreStoredInUpperCaseAndCommasRefused)
{
    typeInto(BasicGrid, 1, "Mat", "ms");
    typeInto(BasicGrid, 1, "Note", "cut, then bend");
    typeInto(BasicGrid, 1, "Kerf", "2.5.1-");
    EXPECT_EQ(window->job().basic.text(1, 1), "MS");
    EXPECT_EQ(window->job().basic.text(1, window->job().basic.columnOf("Note")), "CUT THEN BEND");
    EXPECT_EQ(window->job().basic.text(1, window->job().basic.columnOf("Kerf")), "2.51");
    EXPECT_TRUE(window->job().modified);
}

TEST_F(MainWindowGrids, TwoChosenPartFilesGiveTwoNumberedRowsAndABlankRow)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    const std::string b = writeRectangle("b.shp", 30, 30);
    enterFiles(PartGrid, {a, b});

    const TextGrid& parts = window->job().parts;
    ASSERT_EQ(parts.rows(), 4);
    EXPECT_EQ(parts.text(1, 1), a);
    EXPECT_EQ(parts.text(2, 1), b);
    EXPECT_EQ(parts.text(3, 1), "");
    EXPECT_EQ(parts.text(3, 0), "3");
    EXPECT_EQ(grid(PartGrid).model()->rowCount(), 3);
    EXPECT_EQ(grid(PartGrid).model()->headerData(2, Qt::Vertical).toString(), "3");
    ASSERT_EQ(dialogs.shapeSelectionCaptions.size(), 1u);
    EXPECT_EQ(dialogs.shapeSelectionCaptions[0], "Select Part File(s)...");
    // The last chosen file is the current one and its preview is shown.
    EXPECT_EQ(parts.row, 2);
    EXPECT_EQ(preview(PartGrid).toolTip(), "Xmax=30 Ymax=30 <Click To Edit>");
}

TEST_F(MainWindowGrids, LaterChoicesAppendAndACancelledChoiceLosesNothing)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    const std::string b = writeRectangle("b.shp", 200, 50);
    const std::string c = writeRectangle("c.shp", 300, 50);
    enterFiles(SheetGrid, {a});
    EXPECT_EQ(dialogs.shapeSelectionCaptions.back(), "Select Sheet File(s)...");
    typeInto(SheetGrid, 1, "Qty", "4");

    // Enter on a filled file cell still adds the chosen files at the end.
    dialogs.shapeSelections.push_back({b, c});
    pressEnterAt(SheetGrid, 1, 1);
    // Nothing chosen: the selection was cancelled.
    pressEnterAt(SheetGrid, 2, 1);

    const TextGrid& sheets = window->job().sheets;
    ASSERT_EQ(sheets.rows(), 5);
    EXPECT_EQ(sheets.text(1, 1), a);
    EXPECT_EQ(sheets.text(1, 2), "4");
    EXPECT_EQ(sheets.text(2, 1), b);
    EXPECT_EQ(sheets.text(3, 1), c);
    EXPECT_FALSE(sheets.rowHasText(4));
    EXPECT_EQ(dialogs.shapeSelectionCaptions.size(), 3u);
}

TEST_F(MainWindowGrids, TheSheetPreviewDrawsTheChosenSheetInBlack)
{
    const QImage blank = preview(SheetGrid).surface().image();
    EXPECT_EQ(inkedPixels(blank), 0);
    enterFiles(SheetGrid, {writeRectangle("plate.shp", 1000, 500)});

    const QImage image = preview(SheetGrid).surface().image();
    EXPECT_GT(inkedPixels(image), 200);
    EXPECT_EQ(preview(SheetGrid).toolTip(), "Xmax=1000 Ymax=500 <Click To Edit>");
    // Black ink only, inside the square view of 1.1 x 1000 units over 220 pixels: the plate
    // covers the top-left 200 x 100 pixels.
    int outside = 0, coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel(image.pixel(x, y));
            if (pixel == QColor(Qt::white)) continue;
            if (x > 201 || y > 101) ++outside;
            if (std::abs(pixel.red() - pixel.blue()) > 2 || std::abs(pixel.red() - pixel.green()) > 2) ++coloured;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(coloured, 0);
    // The part preview stays empty.
    EXPECT_EQ(inkedPixels(preview(PartGrid).surface().image()), 0);
}

TEST_F(MainWindowGrids, ThePartPreviewIsNavy)
{
    enterFiles(PartGrid, {writeRectangle("part.shp", 40, 40)});
    const QImage image = preview(PartGrid).surface().image();
    int navy = 0, other = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel(image.pixel(x, y));
            if (pixel == QColor(Qt::white)) continue;
            (pixel.blue() > pixel.red() && pixel.red() == pixel.green() ? navy : other)++;
        }
    EXPECT_GT(navy, 100);
    EXPECT_EQ(other, 0);
}

TEST_F(MainWindowGrids, ThePreviewFollowsTheCurrentRow)
{
    enterFiles(SheetGrid, {writeRectangle("a.shp", 100, 50), writeRectangle("b.shp", 80, 20)});
    EXPECT_EQ(preview(SheetGrid).toolTip(), "Xmax=80 Ymax=20 <Click To Edit>");
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Up);
    EXPECT_EQ(preview(SheetGrid).toolTip(), "Xmax=100 Ymax=50 <Click To Edit>");
    // The blank entry row has no file: the preview is emptied.
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Down);
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Down);
    EXPECT_EQ(window->job().sheets.row, 3);
    EXPECT_TRUE(preview(SheetGrid).toolTip().isEmpty());
    EXPECT_EQ(inkedPixels(preview(SheetGrid).surface().image()), 0);
}

TEST_F(MainWindowGrids, AMissingFileStaysInTheGridWithAnEmptyPreview)
{
    enterFiles(PartGrid, {folder.filePath("gone.shp").toStdString()});
    EXPECT_EQ(window->job().parts.text(1, 1), folder.filePath("gone.shp").toStdString());
    EXPECT_TRUE(preview(PartGrid).toolTip().isEmpty());
    EXPECT_EQ(inkedPixels(preview(PartGrid).surface().image()), 0);
}

TEST_F(MainWindowGrids, DeletingAMiddleFileClosesTheGapAndShowsTheNextFile)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    const std::string b = writeRectangle("b.shp", 60, 10);
    const std::string c = writeRectangle("c.shp", 70, 10);
    enterFiles(SheetGrid, {a, b, c});
    grid(SheetGrid).setCurrentCell(2, 1);
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Delete);

    const TextGrid& sheets = window->job().sheets;
    ASSERT_EQ(sheets.rows(), 4);
    EXPECT_EQ(sheets.text(1, 1), a);
    EXPECT_EQ(sheets.text(2, 1), c);
    EXPECT_EQ(sheets.text(3, 0), "3");
    EXPECT_EQ(grid(SheetGrid).model()->index(1, 0).data().toString().toStdString(), c);
    EXPECT_EQ(preview(SheetGrid).toolTip(), "Xmax=70 Ymax=10 <Click To Edit>");
}

TEST_F(MainWindowGrids, ClickingAPreviewEditsItsFileWhenAnEditorIsThere)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    enterFiles(PartGrid, {a});
    // Without an editor a click does nothing.
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);

    std::vector<std::string> edited;
    window->editShape = [&](const std::string& file) {
        edited.push_back(file);
        writeRectangle("a.shp", 10, 5); // the editor changed the shape
    };
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], a);
    EXPECT_EQ(preview(PartGrid).toolTip(), "Xmax=10 Ymax=5 <Click To Edit>");

    // On the blank row there is nothing to edit.
    grid(PartGrid).setCurrentCell(2, 1);
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    EXPECT_EQ(edited.size(), 1u);
}

} // namespace
} // namespace dravenor::testing
