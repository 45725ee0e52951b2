// The main window itself: its place on the screen and its splitters, the toolbar, files chosen
// into the grids and their previews, the question that guards unsaved work, Tab from grid to
// grid, the "*" of unsaved work in the caption and the recent files.
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

#include "app/main_window_fixture.h"
#include "editors/shape_editor.h"

namespace dravenor::testing {
namespace {

// Whole data rows the grid shows without scrolling.
int visibleRows(GridView& grid) { return grid.viewport()->height() / grid.verticalHeader()->defaultSectionSize(); }

using Answer = DialogService::Answer;

TEST_F(MainWindowTest, TheWindowFitsASmallScreenGivesThePartsRoomKeepsItsPlaceAndItsToolbarMovesTheKeyboard)
{
    const QRect small(0, 0, 1366, 768);
    window->placeWithin(small);
    showActive();
    EXPECT_TRUE(small.contains(window->geometry())) << window->width() << "x" << window->height();
    for (QWidget* control : std::vector<QWidget*>{panel().saveDxfButton(), panel().pointerLabel()})
        EXPECT_TRUE(window->rect().contains(QRect(control->mapTo(window.get(), QPoint()), control->size())));
    // On a laptop screen the splitter gives the parts grid more than twelve rows.
    QSplitter& split = *window->gridSplitter();
    ASSERT_EQ(split.count(), 2);
    EXPECT_TRUE(split.widget(0)->isAncestorOf(&grid(SheetGrid)) && split.widget(1)->isAncestorOf(&grid(PartGrid)));
    const int before = visibleRows(grid(PartGrid));
    split.setSizes({1, 10000}); // the handle dragged up as far as it goes
    QApplication::processEvents();
    EXPECT_GT(visibleRows(grid(PartGrid)), 12) << "rows before: " << before;
    EXPECT_GE(visibleRows(grid(SheetGrid)), 1) << "the sheets keep a row";
    // Folding the previews away widens the grids.
    const int gridWidth = grid(PartGrid).width();
    QSplitter& columns = *window->columnSplitter();
    columns.setSizes({columns.sizes()[0] + columns.sizes()[1], 0, columns.sizes()[2]});
    QApplication::processEvents();
    EXPECT_GT(grid(PartGrid).width(), gridWidth);
    // The toolbar's grid buttons are the Edit menu's: each moves the keyboard to its grid.
    const QToolBar* bar = window->findChild<QToolBar*>();
    for (int index : {PartGrid, SheetGrid, BasicGrid}) {
        EXPECT_TRUE(bar->actions().contains(window->gridAction(index)));
        window->gridAction(index)->trigger();
        EXPECT_TRUE(grid(index).hasFocus()) << index;
    }

    window->setGeometry(100, 80, 1100, 650);
    ASSERT_TRUE(window->close());
    MainWindow next(dialogs, folder.path());
    next.placeWithin(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(next.geometry(), QRect(100, 80, 1100, 650));
}

TEST_F(MainWindowTest, ChosenFilesBecomeRowsWhosePreviewFollowsTheCurrentRowAndEditsItsFile)
{
    const std::string a = writeRectangle("a.shp", 100, 50), b = writeRectangle("b.shp", 30, 30);
    const std::string gone = folder.filePath("gone.shp").toStdString();
    enterFiles(PartGrid, {a, b, gone});
    const TextGrid& parts = window->job().parts;
    ASSERT_EQ(parts.rows(), 5);
    EXPECT_EQ(std::tuple(parts.text(1, 1), parts.text(2, 1), parts.text(3, 1)), std::tuple(a, b, gone)) << "a missing file stays";
    EXPECT_EQ(dialogs.shapeSelectionCaptions, std::vector<std::string>{"Select Part File(s)..."});
    // The last chosen file is the current one; missing, it shows nothing.
    const auto shown = [this] { return std::pair(preview(PartGrid).toolTip().toStdString(), previewInk(PartGrid) > 100); };
    EXPECT_EQ(std::pair(parts.row, previewInk(PartGrid)), std::pair(3, 0));
    EXPECT_EQ(shown(), std::pair(std::string(), false));
    QTest::keyClick(&grid(PartGrid), Qt::Key_Up);
    EXPECT_EQ(shown(), std::pair(std::string("Xmax=30 Ymax=30 <Click To Edit>"), true));
    QTest::keyClick(&grid(PartGrid), Qt::Key_Up);
    EXPECT_EQ(preview(PartGrid).toolTip(), "Xmax=100 Ymax=50 <Click To Edit>");
    grid(PartGrid).setCurrentCell(4, 1); // the blank entry row
    EXPECT_EQ(std::pair(preview(PartGrid).toolTip().isEmpty(), previewInk(PartGrid)), std::pair(true, 0));

    EXPECT_EQ(previewInk(SheetGrid), 0);
    enterFiles(SheetGrid, {a});
    EXPECT_TRUE(dialogs.shapeSelectionCaptions.back() == "Select Sheet File(s)..." && previewInk(SheetGrid) > 0);

    // Clicking a preview edits its file in the real editor, modal until it closes.
    grid(PartGrid).setCurrentCell(1, 1);
    std::string editedFile;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* editor = qobject_cast<ShapeEditor*>(top);
            if (!editor || !editor->isVisible()) continue;
            editedFile = editor->currentFile();
            modal = editor->isModal();
            editor->close();
        }
    });
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    EXPECT_EQ(std::pair(editedFile, modal), std::pair(a, true));

    std::vector<std::string> edited;
    window->editShape = [&](const std::string& file) {
        edited.push_back(file);
        writeRectangle("a.shp", 10, 5); // the editor changed the shape
    };
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    EXPECT_EQ(std::pair(edited, preview(PartGrid).toolTip().toStdString()),
              std::pair(std::vector<std::string>{a}, std::string("Xmax=10 Ymax=5 <Click To Edit>")));
    grid(PartGrid).setCurrentCell(4, 1); // on the blank row there is nothing to edit
    QTest::mouseClick(&preview(PartGrid), Qt::LeftButton);
    EXPECT_EQ(edited.size(), 1u);
}

TEST_F(MainWindowTest, NewAsksToSaveAModifiedJobAndEmptiesEverything)
{
    window->newJob();
    EXPECT_TRUE(dialogs.questions.empty()) << "an unmodified job is not questioned";
    enterFiles(SheetGrid, {writeRectangle("a.shp", 100, 50)});
    typeInto(BasicGrid, "Mat", "ms");
    write("section.tlf");
    int saves = 0;
    window->saveAs = [&] { return ++saves > 0; };
    dialogs.answers = {Answer::No};
    window->newAction()->trigger();
    EXPECT_EQ(std::tuple(dialogs.questions.size(), saves, window->job().sheets.rows(), window->job().modified),
              std::tuple(1u, 0, 2, false));
    EXPECT_EQ(std::tuple(grid(SheetGrid).model()->rowCount(), previewInk(SheetGrid), exists("section.tlf"), window->windowTitle()),
              std::tuple(1, 0, false, QString("Dravenor")));
    EXPECT_EQ(grid(BasicGrid).model()->index(0, 0).data().toString(), "");
    // Yes saves, then empties (every other answer is the unsaved-work test's).
    typeInto(BasicGrid, "Mat", "x");
    std::string savedMat;
    window->saveAs = [&] { savedMat = window->job().basic.text(1, 1); return true; };
    dialogs.answers = {Answer::Yes};
    window->newJob();
    EXPECT_EQ(savedMat + "|" + window->job().basic.text(1, 1), "X|");
}

TEST_F(MainWindowTest, TabLeavesAGridForTheNextOneAndShiftTabGoesBack)
{
    enterJob();
    optimise(); // the layout list takes part once it has layouts
    showActive();
    window->focusGrid(BasicGrid);
    std::vector<QWidget*> visited;
    QWidget* at = &grid(BasicGrid);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(at, Qt::Key_Tab);
        at = QApplication::focusWidget();
        visited.push_back(at);
        if (!at) break;
    }
    EXPECT_EQ(visited, (std::vector<QWidget*>{&grid(SheetGrid), &grid(PartGrid), panel().layoutList()}));
    QTest::keyClick(panel().layoutList(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &grid(PartGrid));
    // The cell of the grid left stays where it was.
    EXPECT_EQ(std::pair(window->job().basic.row, window->job().basic.col), std::pair(1, 4));
}

TEST_F(MainWindowTest, AStarMarksUnsavedWorkAndSavedJobsComeBackFromRecentFiles)
{
    EXPECT_EQ(window->windowTitle().toStdString(), "Dravenor");
    EXPECT_FALSE(window->recentFilesMenu()->isEnabled());
    typeInto(BasicGrid, "Mat", "S235");
    EXPECT_EQ(window->windowTitle().toStdString(), "Dravenor *");
    const std::string first = folder.filePath("first.nst").toStdString();
    const std::string second = folder.filePath("second.nst").toStdString();
    dialogs.saveFiles = {first, second};
    ASSERT_TRUE(window->saveJobAs());
    EXPECT_EQ(window->windowTitle().toStdString(), "Dravenor - " + first);
    typeInto(BasicGrid, "Grade", "A");
    EXPECT_EQ(window->windowTitle().toStdString(), "Dravenor - " + first + " *");
    ASSERT_TRUE(window->saveJobAs());

    EXPECT_TRUE(window->recentFilesMenu()->isEnabled()) << "a disabled menu never asks to be filled";
    const QList<QAction*> recent = window->recentFilesMenu()->actions();
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0]->text().toStdString(), "&1 " + second);
    EXPECT_EQ(recent[1]->text().toStdString(), "&2 " + first);
    ASSERT_TRUE(window->newJob());
    recent[1]->trigger();
    EXPECT_EQ(std::tuple(window->job().jobFileName, window->job().basic.text(1, 1), window->job().basic.text(1, 2)),
              std::tuple(first, "S235", ""));
}

} // namespace
} // namespace dravenor::testing
