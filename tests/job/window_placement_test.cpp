#include "job/window_placement.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

TEST(WindowPlacement, EveryRectangleEndsWhollyWithinTheScreenAreaMovedAsLittleAsPossible)
{
    const ScreenRect small{0, 0, 1366, 768};
    const ScreenRect belowPanel{0, 27, 1366, 741};
    const ScreenRect rightScreen{1920, 0, 1366, 768};
    struct Case {
        ScreenRect wanted, available;
        int minWidth, minHeight;
        ScreenRect fitted;
    };
    const Case cases[] = {
        {{0, 0, 1560, 720}, small, 0, 0, {0, 0, 1366, 720}},            // too wide: shrunk
        {{1800, 100, 800, 600}, small, 0, 0, {566, 100, 800, 600}},      // off the right edge: moved in
        {{-50, -20, 400, 300}, small, 0, 0, {0, 0, 400, 300}},
        {{100, 100, 3000, 2000}, small, 0, 0, small},
        {{10, 0, 800, 600}, belowPanel, 0, 0, {10, 27, 800, 600}},       // not under the panel
        {{200, 200, 300, 200}, small, 640, 480, {200, 200, 640, 480}},   // never below the minimum
        {{0, 0, 300, 200}, small, 2000, 480, {0, 0, 1366, 480}},         // unless the screen is smaller
        {{100, 50, 800, 600}, rightScreen, 0, 0, {1920, 50, 800, 600}},  // onto the screen it opens on
        {{300, 40, 1000, 700}, small, 0, 0, {300, 40, 1000, 700}},       // fits: left alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitWithin(c.wanted, c.available, c.minWidth, c.minHeight), c.fitted) << c.wanted.x << "," << c.wanted.y;
    EXPECT_EQ(centredWithin(1560, 720, small), (ScreenRect{0, 24, 1366, 720}));
    EXPECT_EQ(centredWithin(1560, 720, {0, 0, 1920, 1080}), (ScreenRect{180, 180, 1560, 720}));
}

TEST(WindowPlacement, IsKeptInWindowCfgAndADamagedFileIsIgnored)
{
    TempFolder temp;
    EXPECT_FALSE(readWindowPlacement(temp.folder()));
    const WindowPlacement placement{{-8, 30, 1200, 700}, true};
    ASSERT_EQ(saveWindowPlacement(temp.folder(), placement), "");
    EXPECT_EQ(TempFolder::read(temp.file("window.cfg")), "-8,30,1200,700,1\r\n");
    EXPECT_EQ(readWindowPlacement(temp.folder()), placement);
    for (const char* damaged : {"", "1,2,3,4", "1,2,0,4,0", "1,2,3.5,4,0", "1,2,3,4,2", "a,2,3,4,0", "1,2,3,400000,0",
                                "1,2,3,4,0,5"}) {
        temp.write("window.cfg", damaged);
        EXPECT_FALSE(readWindowPlacement(temp.folder())) << damaged;
    }
}

} // namespace
} // namespace dravenor
