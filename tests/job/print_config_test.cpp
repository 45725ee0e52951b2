#include <gtest/gtest.h>

#include "job/print_config.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

TEST(PrintConfig, MissingFileGivesWidthOneWithoutWarning)
{
    TempFolder temp;
    const LineWidthSetting setting = readLineWidth(temp.folder());
    EXPECT_EQ(setting.lineWidth, 1);
    EXPECT_EQ(setting.warning, "");
}

TEST(PrintConfig, SavedWidthIsOneBareNumberAndReadsBack)
{
    TempFolder temp;
    ASSERT_EQ(saveLineWidth(temp.folder(), 3), "");
    EXPECT_EQ(TempFolder::read(temp.file("print.cfg")), "3\r\n");
    EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, 3);
    ASSERT_EQ(saveLineWidth(temp.folder(), 5), "");
    EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, 5);
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"print.cfg"});
}

TEST(PrintConfig, AcceptsTheFileWithoutLineEndOrWithBlanks)
{
    TempFolder temp;
    temp.write("print.cfg", " 2 ");
    EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, 2);
    temp.write("print.cfg", "4\n");
    EXPECT_EQ(readLineWidth(temp.folder()).lineWidth, 4);
}

TEST(PrintConfig, UnusableContentFallsBackToOneAndSaysWhy)
{
    TempFolder temp;
    for (const std::string content : {"9\r\n", "0\r\n", "abc\r\n", "2.5\r\n", "", "-3"}) {
        temp.write("print.cfg", content);
        const LineWidthSetting setting = readLineWidth(temp.folder());
        EXPECT_EQ(setting.lineWidth, 1) << content;
        EXPECT_NE(setting.warning.find(temp.file("print.cfg")), std::string::npos) << content;
        EXPECT_NE(setting.warning.find("from 1 to 5"), std::string::npos) << content;
    }
}

TEST(PrintConfig, RefusesWidthsOutsideOneToFiveAndKeepsTheFile)
{
    TempFolder temp;
    temp.write("print.cfg", "2\r\n");
    EXPECT_NE(saveLineWidth(temp.folder(), 0), "");
    EXPECT_NE(saveLineWidth(temp.folder(), 6), "");
    EXPECT_EQ(TempFolder::read(temp.file("print.cfg")), "2\r\n");
}

TEST(PrintConfig, ThePrintScaleIsOneOfTheChoicesAndTheFitOtherwise)
{
    TempFolder temp;
    EXPECT_EQ(readPrintScale(temp.folder()).denominator, kFitPrintScale);
    ASSERT_EQ(savePrintScale(temp.folder(), 20), "");
    EXPECT_EQ(TempFolder::read(temp.file("printscale.cfg")), "20\r\n");
    EXPECT_EQ(readPrintScale(temp.folder()).denominator, 20);
    EXPECT_NE(savePrintScale(temp.folder(), 3), "");
    EXPECT_EQ(readPrintScale(temp.folder()).denominator, 20);
    for (const std::string content : {"3\r\n", "-10", "ten", "12.5"}) {
        temp.write("printscale.cfg", content);
        const PrintScaleSetting setting = readPrintScale(temp.folder());
        EXPECT_EQ(setting.denominator, kFitPrintScale) << content;
        EXPECT_NE(setting.warning.find(temp.file("printscale.cfg")), std::string::npos) << content;
    }
}

} // namespace
} // namespace dravenor
