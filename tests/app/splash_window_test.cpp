// The splash: tick 1 builds the main window hidden, tick 4 shows it and closes the splash.
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

#include "app/app_info.h"
#include "app/splash_window.h"

namespace dravenor {
namespace {

class SplashTicks : public ::testing::Test {
protected:
    SplashWindow::MainWindowFactory factory()
    {
        return [this]() -> QWidget* {
            ++built;
            mainWindow = std::make_unique<QWidget>();
            return mainWindow.get();
        };
    }

    std::unique_ptr<QWidget> mainWindow;
    int built = 0;
};

TEST_F(SplashTicks, MainWindowIsBuiltHiddenOnTheFirstTick)
{
    SplashWindow splash(factory());
    splash.begin();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.timerRunning());
    EXPECT_EQ(built, 0);

    splash.tick();
    ASSERT_EQ(built, 1);
    EXPECT_EQ(splash.mainWindow(), mainWindow.get());
    EXPECT_FALSE(mainWindow->isVisible());
    EXPECT_TRUE(splash.isVisible());
}

TEST_F(SplashTicks, FourthTickShowsTheMainWindowAndClosesTheSplash)
{
    SplashWindow splash(factory());
    splash.begin();
    for (int i = 0; i < 3; ++i) splash.tick();
    EXPECT_FALSE(mainWindow->isVisible()) << "ticks 2 and 3 change nothing";
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.timerRunning());
    splash.tick();
    EXPECT_EQ(splash.ticks(), 4);
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.timerRunning());
}

TEST_F(SplashTicks, FactoryThatBuildsNothingStillClosesTheSplash)
{
    SplashWindow splash([] { return static_cast<QWidget*>(nullptr); });
    splash.begin();
    for (int i = 0; i < 4; ++i) splash.tick();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.timerRunning());
}

TEST(Splash, ShowsTheVersionCentredOnTheScreen)
{
    SplashWindow splash([] { return static_cast<QWidget*>(nullptr); });
    EXPECT_EQ(splash.versionText(), QStringLiteral("Version ") + appVersion());
    EXPECT_TRUE(appVersion().contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))));
    splash.begin();
    const QRect screen = splash.screen()->availableGeometry();
    EXPECT_LE(std::abs(splash.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(splash.frameGeometry().center().y() - screen.center().y()), 1);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
}

} // namespace
} // namespace dravenor
