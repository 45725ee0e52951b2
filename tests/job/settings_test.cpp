// The small setting files of the working folder: the default while a file is missing, the exact
// bytes saved, read back, and the default (with a warning naming the file) for unusable content.
#include <gtest/gtest.h>

#include "job/drawing_unit.h"
#include "job/print_config.h"
#include "job/window_placement.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

TEST(DrawingUnitSetting, MillimetresUntilInchesAreSavedAndUnusableFilesSayWhy)
{
    TempFolder temp;
    EXPECT_EQ(readDrawingUnit(temp.folder()).unit, DrawingUnit::Millimetre);
    EXPECT_EQ(readDrawingUnit(temp.folder()).warning, "");
    ASSERT_EQ(saveDrawingUnit(temp.folder(), DrawingUnit::Inch), "");
    EXPECT_EQ(TempFolder::read(temp.file("units.cfg")), "in\r\n");
    EXPECT_EQ(readDrawingUnit(temp.folder()).unit, DrawingUnit::Inch);
    EXPECT_EQ(parseDrawingUnit(" IN \n"), DrawingUnit::Inch);
    EXPECT_EQ(parseDrawingUnit("Mm"), DrawingUnit::Millimetre);
    for (const char* content : {"cm", "", "inch", "25.4"}) {
        temp.write("units.cfg", content);
        const DrawingUnitSetting setting = readDrawingUnit(temp.folder());
        EXPECT_EQ(setting.unit, DrawingUnit::Millimetre) << content;
        EXPECT_NE(setting.warning.find(temp.file("units.cfg")), std::string::npos) << content;
    }
}

TEST(PrintSettings, LineWidthIsOneToFiveAndOneOtherwise)
{
    TempFolder temp;
    EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, 1);
    EXPECT_EQ(readLineWidth(temp.folder()).warning, "");
    ASSERT_EQ(saveLineWidth(temp.folder(), 3), "");
    EXPECT_EQ(TempFolder::read(temp.file("print.cfg")), "3\r\n");
    EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, 3);
    ASSERT_EQ(saveLineWidth(temp.folder(), 5), "");
    EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, 5);
    EXPECT_NE(saveLineWidth(temp.folder(), 0), "");
    EXPECT_NE(saveLineWidth(temp.folder(), 6), "");
    EXPECT_EQ(TempFolder::read(temp.file("print.cfg")), "5\r\n");
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"print.cfg"});
    // Without a line end or with blanks the number still reads.
    for (const auto& [content, width] : {std::pair{" 2 ", 2}, {"4\n", 4}}) {
        temp.write("print.cfg", content);
        EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, width) << content;
    }
    for (const char* content : {"9\r\n", "0\r\n", "abc\r\n", "2.5\r\n", "", "-3"}) {
        temp.write("print.cfg", content);
        const LineWidthSetting setting = readLineWidth(temp.folder());
        EXPECT_EQ(setting.lineWidth, 1) << content;
        EXPECT_NE(setting.warning.find(temp.file("print.cfg")), std::string::npos) << content;
        EXPECT_NE(setting.warning.find("from 1 to 5"), std::string::npos) << content;
    }
}

TEST(PrintSettings, ThePrintScaleIsOneOfTheChoicesAndTheFitOtherwise)
{
    TempFolder temp;
    EXPECT_EQ(readPrintScale(temp.folder()).denominator, kFitPrintScale);
    ASSERT_EQ(savePrintScale(temp.folder(), 20), "");
    EXPECT_EQ(TempFolder::read(temp.file("printscale.cfg")), "20\r\n");
    EXPECT_EQ(readPrintScale(temp.folder()).denominator, 20);
    EXPECT_NE(savePrintScale(temp.folder(), 3), "");
    EXPECT_EQ(readPrintScale(temp.folder()).denominator, 20);
    for (const char* content : {"3\r\n", "-10", "ten", "12.5"}) {
        temp.write("printscale.cfg", content);
        const PrintScaleSetting setting = readPrintScale(temp.folder());
        EXPECT_EQ(setting.denominator, kFitPrintScale) << content;
        EXPECT_NE(setting.warning.find(temp.file("printscale.cfg")), std::string::npos) << content;
    }
}

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

// Every number is checked before it is converted, so that out-of-range sizes are refused.
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
