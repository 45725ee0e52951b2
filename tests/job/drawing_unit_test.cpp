#include <gtest/gtest.h>

#include "job/drawing_unit.h"
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

    for (const std::string content : {" IN \n", "Mm"})
        EXPECT_TRUE(parseDrawingUnit(content)) << content;
    for (const std::string content : {"cm", "", "inch", "25.4"}) {
        temp.write("units.cfg", content);
        const DrawingUnitSetting setting = readDrawingUnit(temp.folder());
        EXPECT_EQ(setting.unit, DrawingUnit::Millimetre) << content;
        EXPECT_NE(setting.warning.find(temp.file("units.cfg")), std::string::npos) << content;
    }
}

} // namespace
} // namespace dravenor
