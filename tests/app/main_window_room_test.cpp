// Room to work in the main window: Tab from grid to grid, the "*" of unsaved work in the caption
// and the recent files.
#include <QApplication>
#include <QMenu>

#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

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
