// The main window on the user's screen: it opens within the available area with every control in
// view, keeps its place between runs, and its toolbar reaches the three grids.
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "app/layout_panel.h"
#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

using MainWindowScreen = MainWindowTest;

QRect rectIn(const QWidget& widget, const QWidget& window)
{
    return {widget.mapTo(&window, QPoint(0, 0)), widget.size()};
}

TEST_F(MainWindowScreen, OnA1366x768ScreenTheWindowAndItsRightmostControlsLieWithinIt)
{
    const QRect screen(0, 0, 1366, 768);
    window->placeWithin(screen);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(screen.contains(window->geometry())) << window->width() << "x" << window->height();
    const LayoutPanel& panel = *window->layoutPanel();
    for (const QWidget* control : {static_cast<QWidget*>(panel.saveDxfButton()), static_cast<QWidget*>(panel.pointerLabel())})
        EXPECT_TRUE(window->rect().contains(rectIn(*control, *window))) << control->metaObject()->className();
}

TEST_F(MainWindowScreen, ThePlaceIsKeptBetweenRunsAndBroughtOntoASmallerScreen)
{
    window->show();
    window->setGeometry(100, 80, 1100, 650);
    ASSERT_TRUE(window->close());

    MainWindow next(dialogs, folder.path());
    next.placeWithin(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(next.geometry(), QRect(100, 80, 1100, 650));
    const QRect small(0, 0, 1366, 768);
    next.setGeometry(900, 300, 1100, 650);
    next.rememberPlacement();
    next.placeWithin(small);
    EXPECT_TRUE(small.contains(next.geometry())) << next.x() << "," << next.y();
    EXPECT_EQ(next.size(), QSize(1100, 650));
}

TEST_F(MainWindowScreen, TheToolbarMovesTheKeyboardToEachGridAsTheEditMenuDoes)
{
    const QToolBar* bar = window->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const std::vector<std::string> tips{"Basic Details", "Sheet Specifications", "Part Specifications"};
    for (int index : {PartGrid, SheetGrid, BasicGrid}) {
        QAction* action = window->gridAction(index);
        EXPECT_TRUE(bar->actions().contains(action));
        EXPECT_EQ(action->toolTip().toStdString(), tips[static_cast<size_t>(index)]);
        EXPECT_FALSE(action->icon().isNull());
        action->trigger();
        EXPECT_TRUE(grid(index).hasFocus()) << index;
    }
}

} // namespace
} // namespace dravenor::testing
