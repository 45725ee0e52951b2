#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli_test_support.h"
#include "geometry/dxf_export_check.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const std::string kTemplates = DRAVENOR_RESOURCE_DIR;

TEST(StdShape, WritesTheRingAsAShapeFile)
{
    TempFolder folder;
    const std::string out = folder.file("ring.shp");
    const ToolRun r = runInProcess({"stdshape", "Ring", "--param", "Big Dia=100", "--param", "small_dia=50", "-o", out});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "2 entities")) << r.out;

    Shape shape;
    ASSERT_TRUE(readShapeFile(out, shape).readable);
    ASSERT_EQ(shape.size(), 2u);
    EXPECT_EQ(shape[0].RAD, 50);
    EXPECT_EQ(shape[1].RAD, 25);
}

TEST(StdShape, RotatesAndWritesADrawingAnIndependentReaderFinds)
{
    TempFolder folder;
    const std::string out = folder.file("plate.dxf");
    const ToolRun r = runInProcess({"stdshape", "rectangle_for_part", "--param", "Small Length=50", "--param",
                                    "Big Length=100", "--rotate", "90", "-o", out, "--templates", kTemplates});
    ASSERT_EQ(r.code, 0) << r.err;

    const std::string python = pythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
    const DxfCheck check = checkDxf(python, out);
    EXPECT_TRUE(check.problems.empty()) << ::testing::PrintToString(check.problems);
    ASSERT_EQ(check.entities.size(), 4u);
    double xmin = 1e9, xmax = -1e9;
    for (const CheckedEntity& e : check.entities) {
        ASSERT_EQ(e.type, "LINE");
        for (int i : {0, 2}) {
            xmin = std::min(xmin, e.values[i]);
            xmax = std::max(xmax, e.values[i]);
        }
    }
    EXPECT_NEAR(xmin, 25, 1e-6); // the 100 x 50 plate turned about (50, 25)
    EXPECT_NEAR(xmax, 75, 1e-6);
}

TEST(StdShape, BadParametersGiveTheMessageAndNoFile)
{
    TempFolder folder;
    const std::string out = folder.file("ring.shp");
    const ToolRun r = runInProcess({"stdshape", "Ring", "--param", "Big Dia=50", "--param", "Small Dia=100", "-o", out});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(contains(r.err, "Small Dia")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(StdShape, UsageMistakesAreNamed)
{
    TempFolder folder;
    const std::string out = folder.file("x.shp");
    const ToolRun missing = runInProcess({"stdshape", "Ring", "--param", "Big Dia=50", "-o", out});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(contains(missing.err, "Small Dia")) << missing.err;

    const ToolRun unknownType = runInProcess({"stdshape", "Hexagon", "--param", "Length=5", "-o", out});
    EXPECT_EQ(unknownType.code, 2);
    EXPECT_TRUE(contains(unknownType.err, "Hexagon")) << unknownType.err;

    const ToolRun breakup = runInProcess({"stdshape", "Cone Breakup", "-o", out});
    EXPECT_EQ(breakup.code, 2);
    EXPECT_TRUE(contains(breakup.err, "breakup")) << breakup.err;

    const ToolRun notNumber = runInProcess({"stdshape", "Square", "--param", "Length=ten", "-o", out});
    EXPECT_EQ(notNumber.code, 2);
    EXPECT_TRUE(contains(notNumber.err, "ten")) << notNumber.err;

    const ToolRun badType = runInProcess({"stdshape", "Square", "--param", "Length=5", "-o", folder.file("x.png")});
    EXPECT_EQ(badType.code, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(StdShape, ListShowsEveryTypeWithItsParameters)
{
    const ToolRun r = runExecutable({"stdshape", "--list"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 15);
    EXPECT_TRUE(contains(r.out, "Notched Rectangle: Big Length, Small Length, Notch Rad")) << r.out;
}

} // namespace
