// The main window on the user's screen: it opens within the available area with every control in
// view, keeps its place between runs, and its toolbar reaches the three grids.
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "app/layout_panel.h"
#include "app/main_window_fixture.h"
#include "job/window_placement.h"

namespace dravenor::testing {
namespace {

using MainWindowScreen = MainWindowTest;

TEST_F(MainWindowScreen, OnA1366x768ScreenTheWindowAndItsRightmostControlsLieWithinIt)
{
    const QRect screen(0, 0, 1366, 768);
    window->placeWithin(screen);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(screen.contains(window->geometry())) << window->width() << "x" << window->height();
    const LayoutPanel& panel = *window->layoutPanel();
    for (QWidget* control : std::vector<QWidget*>{panel.saveDxfButton(), panel.pointerLabel()})
        EXPECT_TRUE(window->rect().contains(QRect(control->mapTo(window.get(), QPoint()), control->size())));
}

TEST_F(MainWindowScreen, ThePlaceIsKeptBetweenRunsAndBroughtOntoASmallerScreen)
{
    window->show();
    window->setGeometry(100, 80, 1100, 650);
    ASSERT_TRUE(window->close());
    MainWindow next(dialogs, folder.path());
    next.placeWithin(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(next.geometry(), QRect(100, 80, 1100, 650));
    // A place kept on a larger screen.
    ASSERT_EQ(saveWindowPlacement(folder.path().toStdString(), {{900, 300, 1100, 650}, false}), "");
    next.placeWithin(QRect(0, 0, 1366, 768));
    EXPECT_TRUE(QRect(0, 0, 1366, 768).contains(next.geometry())) << next.x() << "," << next.y();
    EXPECT_EQ(next.size(), QSize(1100, 650));
}

TEST_F(MainWindowScreen, TheToolbarMovesTheKeyboardToEachGridAsTheEditMenuDoes)
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

} // namespace
} // namespace dravenor::testing
