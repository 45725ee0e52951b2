// Room to work in the main window: a splitter that gives the parts grid more rows on a laptop
// screen, Tab from grid to grid, the "*" of unsaved work in the caption and the recent files.
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>

#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

// Whole data rows the grid shows without scrolling.
int visibleRows(GridView& grid)
{
    return grid.viewport()->height() / grid.verticalHeader()->defaultSectionSize();
}

TEST_F(MainWindowTest, OnALaptopScreenTheSplitterGivesThePartsGridMoreThanTwelveRows)
{
    window->placeWithin(QRect(0, 0, 1366, 768));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
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
}

TEST_F(MainWindowTest, TabLeavesAGridForTheNextOneAndShiftTabGoesBack)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    enterJob();
    optimise(); // the layout list takes part once it has layouts
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
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

    emit window->recentFilesMenu()->aboutToShow();
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
