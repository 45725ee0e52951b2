#include <filesystem>

#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "geometry/dxf_export_check.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const std::string kTemplates = DRAVENOR_RESOURCE_DIR;

const std::string kBracketShp = "\"0\",\"0\",\"40\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n"
                                "\"40\",\"0\",\"40\",\"20\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n"
                                "\"0\",\"0\",\"0\",\"0\",\"40\",\"40\",\"20\",\"270\",\"180\"\r\n"
                                "\"0\",\"0\",\"0\",\"0\",\"20\",\"10\",\"4\",\"0\",\"0\"\r\n";

// A small release-12 drawing of three lines, as other programs write them.
const std::string kTriangleDxf = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                                 "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n 11\r\n30.0\r\n 21\r\n0.0\r\n 31\r\n0.0\r\n"
                                 "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n30.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n 11\r\n0.0\r\n 21\r\n40.0\r\n 31\r\n0.0\r\n"
                                 "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0.0\r\n 20\r\n40.0\r\n 30\r\n0.0\r\n 11\r\n0.0\r\n 21\r\n0.0\r\n 31\r\n0.0\r\n"
                                 "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

TEST(Shp2Dxf, WritesEveryEntityAnIndependentReaderFinds)
{
    TempFolder folder;
    const std::string in = folder.write("bracket.shp", kBracketShp);
    const ToolRun r = runInProcess({"shp2dxf", in, folder.file("bracket.dxf"), "--templates", kTemplates});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "4 entities (2 lines, 1 arc, 1 circle)")) << r.out;

    const std::string python = pythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
    const DxfCheck check = checkDxf(python, folder.file("bracket.dxf"));
    EXPECT_TRUE(check.problems.empty()) << ::testing::PrintToString(check.problems);
    ASSERT_EQ(check.entities.size(), 4u);
    EXPECT_EQ(check.entities[2].type, "ARC");
    EXPECT_EQ(check.entities[2].values, (std::vector<double>{40, 40, 20, 270, 180}));
    EXPECT_EQ(check.entities[3].type, "CIRCLE");
}

TEST(Shp2Dxf, ExecutableFindsTheTemplatesShippedBesideIt)
{
    TempFolder folder;
    const std::string in = folder.write("bracket.shp", kBracketShp);
    const ToolRun r = runExecutable(
        {"shp2dxf", QString::fromStdString(in), QString::fromStdString(folder.file("b.dxf"))});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(TempFolder::read(folder.file("b.dxf")).rfind(" 0\r\nSECTION\r\n", 0), 0u);
}

// A drawing holding only a text: nothing in it can be a shape.
const std::string kTextOnlyDxf = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                                 "  0\r\nTEXT\r\n  8\r\n0\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 40\r\n5.0\r\n  1\r\nA\r\n"
                                 "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

TEST(Dxf2Shp, LinesOfADrawingBecomeAShapeFile)
{
    TempFolder folder;
    const std::string in = folder.write("triangle.dxf", kTriangleDxf);
    const ToolRun r = runInProcess({"dxf2shp", in, folder.file("triangle.shp")});
    ASSERT_EQ(r.code, 0) << r.err;
    Shape shape;
    readShapeFile(folder.file("triangle.shp"), shape);
    ASSERT_EQ(shape.size(), 3u) << r.err;
    EXPECT_EQ(shape[1], (ShapeEntity{30, 0, 0, 40}));
    EXPECT_TRUE(contains(r.out, "3 entities (3 lines, 0 arcs, 0 circles)")) << r.out;
}

TEST(ShapeConversionCommands, ErrorsNameTheFileLeaveThePreviousOutputAndExitTwo)
{
    TempFolder folder;
    const std::string shp = folder.write("bracket.shp", kBracketShp);
    const std::string dxfOut = folder.write("out.dxf", "previous");
    const std::string shpOut = folder.write("out.shp", "previous");
    const std::vector<std::pair<cli::Args, std::string>> cases{
        {{"shp2dxf", folder.file("gone.shp"), dxfOut, "--templates", kTemplates}, "gone.shp"},
        {{"shp2dxf", shp, dxfOut, "--templates", folder.file("none")}, "dxf.hd"},
        {{"shp2dxf", shp, folder.file("out.png")}, "out.png"},
        {{"shp2dxf", shp, folder.file("no/such/out.dxf"), "--templates", kTemplates}, "no/such/out.dxf"},
        {{"dxf2shp", folder.file("gone.dxf"), shpOut}, "gone.dxf"},
        {{"dxf2shp", shp, shpOut}, "bracket.shp"},
        {{"dxf2shp", folder.file("gone.dxf")}, ""},
        {{"dxf2shp", folder.write("text.dxf", kTextOnlyDxf), shpOut}, "text.dxf"},
        {{"dxf2shp", folder.write("text.dxf", kTextOnlyDxf), folder.file("new.shp")}, "nothing in the drawing"},
    };
    for (const auto& [args, named] : cases) {
        const ToolRun r = runInProcess(args);
        EXPECT_EQ(r.code, 2) << args[1] << " " << named;
        EXPECT_TRUE(contains(r.err, named)) << r.err;
    }
    EXPECT_EQ(TempFolder::read(dxfOut), "previous");
    EXPECT_EQ(TempFolder::read(shpOut), "previous");
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.shp")));
}

TEST(ShapeConversionCommands, AreListedAndExplainThemselves)
{
    const ToolRun tool = runInProcess({"--help"});
    for (const char* name : {"dxf2shp", "shp2dxf", "close"}) {
        EXPECT_TRUE(contains(tool.out, std::string("  ") + name + " ")) << tool.out;
        const ToolRun help = runInProcess({name, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(contains(help.out, std::string("Usage: dravenor-cli ") + name)) << help.out;
    }
}

} // namespace
