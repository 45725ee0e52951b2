// The splash: tick 1 builds the main window hidden, tick 4 shows it and closes the splash.
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

#include "app/splash_window.h"

namespace dravenor {
namespace {

TEST(Splash, BuildsTheMainWindowHiddenOnTickOneAndHandsOverOnTickFour)
{
    std::unique_ptr<QWidget> mainWindow;
    int built = 0;
    SplashWindow splash([&] {
        ++built;
        mainWindow = std::make_unique<QWidget>();
        return mainWindow.get();
    });
    splash.begin();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.timerRunning());
    EXPECT_EQ(built, 0);
    for (int tick = 1; tick <= 3; ++tick) {
        splash.tick();
        ASSERT_EQ(built, 1) << tick;
        EXPECT_FALSE(mainWindow->isVisible()) << tick;
        EXPECT_TRUE(splash.isVisible()) << tick;
    }
    EXPECT_EQ(splash.mainWindow(), mainWindow.get());
    splash.tick();
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.timerRunning());
}

} // namespace
} // namespace dravenor
