// The main window itself: its place on the screen, the toolbar, files chosen into the grids and
// their previews, and the questions that guard layouts and unsaved work.
#include <QApplication>
#include <QTimer>
#include <QToolBar>

#include "app/main_window_fixture.h"
#include "editors/shape_editor.h"
#include "job/window_placement.h"

namespace dravenor::testing {
namespace {

using Answer = DialogService::Answer;
const std::string kChangeData = "You are about to change data, Continue?";
const std::string kSaveChanges = "Save changes in current file?";

TEST_F(MainWindowTest, TheWindowFitsASmallScreenAndKeepsItsPlaceBetweenRuns)
{
    const QRect small(0, 0, 1366, 768);
    window->placeWithin(small);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(small.contains(window->geometry())) << window->width() << "x" << window->height();
    for (QWidget* control : std::vector<QWidget*>{panel().saveDxfButton(), panel().pointerLabel()})
        EXPECT_TRUE(window->rect().contains(QRect(control->mapTo(window.get(), QPoint()), control->size())));

    window->setGeometry(100, 80, 1100, 650);
    ASSERT_TRUE(window->close());
    MainWindow next(dialogs, folder.path());
    next.placeWithin(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(next.geometry(), QRect(100, 80, 1100, 650));
    // A place kept on a larger screen is brought onto the smaller one.
    ASSERT_EQ(saveWindowPlacement(folder.path().toStdString(), {{900, 300, 1100, 650}, false}), "");
    next.placeWithin(small);
    EXPECT_TRUE(small.contains(next.geometry())) << next.x() << "," << next.y();
    EXPECT_EQ(next.size(), QSize(1100, 650));
}

TEST_F(MainWindowTest, TheToolbarMovesTheKeyboardToEachGridAsTheEditMenuDoes)
{
    const QToolBar* bar = window->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const char* tips[] = {"Basic Details", "Sheet Specifications", "Part Specifications"};
    for (int index : {PartGrid, SheetGrid, BasicGrid}) {
        QAction* action = window->gridAction(index);
        EXPECT_TRUE(bar->actions().contains(action) && !action->icon().isNull());
        EXPECT_EQ(action->toolTip(), tips[index]);
        action->trigger();
        EXPECT_TRUE(grid(index).hasFocus()) << index;
    }
}

TEST_F(MainWindowTest, ChosenFilesBecomeNumberedRowsAndThePreviewFollowsTheCurrentRow)
{
    const std::string a = writeRectangle("a.shp", 100, 50), b = writeRectangle("b.shp", 30, 30);
    const std::string gone = folder.filePath("gone.shp").toStdString();
    enterFiles(PartGrid, {a, b, gone});
    const TextGrid& parts = window->job().parts;
    ASSERT_EQ(parts.rows(), 5);
    EXPECT_EQ(parts.text(1, 1), a);
    EXPECT_EQ(parts.text(2, 1), b);
    EXPECT_EQ(parts.text(3, 1), gone) << "a missing file stays in the grid";
    EXPECT_FALSE(parts.rowHasText(4));
    EXPECT_EQ(grid(PartGrid).model()->headerData(3, Qt::Vertical).toString(), "4");
    EXPECT_EQ(dialogs.shapeSelectionCaptions, std::vector<std::string>{"Select Part File(s)..."});
    // The last chosen file is the current one; missing, it shows nothing.
    EXPECT_EQ(parts.row, 3);
    EXPECT_TRUE(preview(PartGrid).toolTip().isEmpty());
    EXPECT_EQ(previewInk(PartGrid), 0);
    QTest::keyClick(&grid(PartGrid), Qt::Key_Up);
    EXPECT_EQ(preview(PartGrid).toolTip(), "Xmax=30 Ymax=30 <Click To Edit>");
    const auto navy = [](const QColor& c) { return c.blue() > c.red() && c.red() == c.green(); };
    const QImage image = preview(PartGrid).surface().image();
    EXPECT_GT(inkedPixels(image, navy), 100);
    EXPECT_EQ(inkedPixels(image, [&](const QColor& c) { return !navy(c); }), 0);
    QTest::keyClick(&grid(PartGrid), Qt::Key_Up);
    EXPECT_EQ(preview(PartGrid).toolTip(), "Xmax=100 Ymax=50 <Click To Edit>");
    grid(PartGrid).setCurrentCell(4, 1); // the blank entry row
    EXPECT_TRUE(preview(PartGrid).toolTip().isEmpty());
    EXPECT_EQ(previewInk(PartGrid), 0);

    EXPECT_EQ(previewInk(SheetGrid), 0);
    enterFiles(SheetGrid, {a});
    EXPECT_EQ(dialogs.shapeSelectionCaptions.back(), "Select Sheet File(s)...");
    EXPECT_GT(previewInk(SheetGrid), 0);
}

TEST_F(MainWindowTest, ClickingAPreviewEditsItsFileInTheShapeEditor)
{
    const std::string a = writeRectangle("a.shp", 100, 50);
    enterFiles(PartGrid, {a});
    // The real editor, modal on the file until it closes.
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

TEST_F(MainWindowTest, WithLayoutsAKeyAsksAndCancelKeepsEverything)
{
    const std::string a = writeRectangle("a.shp", 10, 10);
    enterFiles(SheetGrid, {a});
    window->job().nesting.items.push_back(LayoutItem{});
    window->job().modified = false;
    dialogs.answers = {Answer::Cancel, Answer::Cancel};
    typeInto(BasicGrid, "Mat", "a");
    grid(SheetGrid).setCurrentCell(1, 1);
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Delete);
    EXPECT_EQ(dialogs.questionTexts(), (std::vector<std::string>{kChangeData, kChangeData}));
    EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::OkCancel);
    EXPECT_EQ(window->job().basic.text(1, 1), "");
    EXPECT_EQ(window->job().sheets.text(1, 1), a);
    EXPECT_TRUE(window->job().hasLayouts());
    EXPECT_FALSE(window->job().modified);
    // Ok: the layouts go before the key acts, and the next key does not ask.
    dialogs.answers = {Answer::Ok};
    typeInto(BasicGrid, "Mat", "ab");
    EXPECT_EQ(dialogs.questions.size(), 3u);
    EXPECT_EQ(window->job().basic.text(1, 1), "AB");
    EXPECT_FALSE(window->job().hasLayouts());
}

TEST_F(MainWindowTest, NewAsksToSaveAModifiedJobAndEmptiesEverything)
{
    window->newJob();
    EXPECT_TRUE(dialogs.questions.empty()) << "an unmodified job is not questioned";
    enterFiles(SheetGrid, {writeRectangle("a.shp", 100, 50)});
    typeInto(BasicGrid, "Mat", "ms");
    touch("section.tlf");
    int saves = 0;
    window->saveAs = [&] { return ++saves > 0; };
    dialogs.answers = {Answer::No};
    window->newAction()->trigger();
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{kSaveChanges});
    EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::YesNo);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(window->job().sheets.rows(), 2);
    EXPECT_EQ(grid(SheetGrid).model()->rowCount(), 1);
    EXPECT_EQ(grid(BasicGrid).model()->index(0, 0).data().toString(), "");
    EXPECT_EQ(previewInk(SheetGrid), 0);
    EXPECT_FALSE(exists("section.tlf"));
    EXPECT_FALSE(window->job().modified);
    EXPECT_EQ(window->windowTitle(), "Dravenor");

    // Yes saves first; closing a modified job asks too.
    typeInto(BasicGrid, "Mat", "x");
    std::string savedMat;
    window->saveAs = [&] { savedMat = window->job().basic.text(1, 1); return true; };
    dialogs.answers = {Answer::Yes};
    window->newJob();
    EXPECT_EQ(savedMat, "X");
    EXPECT_EQ(window->job().basic.text(1, 1), "");
    typeInto(PartGrid, "Qty", "12");
    dialogs.answers = {Answer::No};
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.questionTexts(), (std::vector<std::string>(3, kSaveChanges)));
}

TEST_F(MainWindowTest, ASaveCancelledAfterYesKeepsTheJobAndTheWindow)
{
    window->show();
    typeInto(BasicGrid, "Mat", "x");
    // Yes, then Cancel in the Save As dialog, for New, Open and closing the window.
    dialogs.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_FALSE(window->newJob());
    window->openJobWithDialog();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialogs.fileDialogTitles, (std::vector<std::string>(3, "Save As"))) << "no Open dialog after the cancel";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->job().basic.text(1, 1), "X");
    EXPECT_TRUE(window->job().modified);
}

} // namespace
} // namespace dravenor::testing
