#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "geometry/dxf_export_check.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

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

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(Shp2Dxf, WritesEveryEntityAnIndependentReaderFinds)
{
    TempFolder folder;
    const std::string in = folder.write("bracket.shp", kBracketShp);
    const ToolRun r = runInProcess({"shp2dxf", in, folder.file("bracket.dxf"), "--templates", kTemplates});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(mentions(r.out, "4 entities (2 lines, 1 arc, 1 circle)")) << r.out;

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

TEST(Shp2Dxf, ErrorsLeaveThePreviousOutputAndExitTwo)
{
    TempFolder folder;
    const std::string in = folder.write("bracket.shp", kBracketShp);
    const std::string out = folder.write("out.dxf", "previous");

    const ToolRun missingInput = runInProcess({"shp2dxf", folder.file("gone.shp"), out, "--templates", kTemplates});
    EXPECT_EQ(missingInput.code, 2);
    EXPECT_TRUE(mentions(missingInput.err, "gone.shp")) << missingInput.err;

    const ToolRun missingTemplates = runInProcess({"shp2dxf", in, out, "--templates", folder.file("none")});
    EXPECT_EQ(missingTemplates.code, 2);
    EXPECT_TRUE(mentions(missingTemplates.err, "dxf.hd")) << missingTemplates.err;

    const ToolRun wrongType = runInProcess({"shp2dxf", in, folder.file("out.png")});
    EXPECT_EQ(wrongType.code, 2);
    EXPECT_TRUE(mentions(wrongType.err, "out.png")) << wrongType.err;

    EXPECT_EQ(TempFolder::read(out), "previous");
    const ToolRun noFolder = runInProcess({"shp2dxf", in, folder.file("no/such/out.dxf"), "--templates", kTemplates});
    EXPECT_EQ(noFolder.code, 2);
    EXPECT_TRUE(mentions(noFolder.err, "no/such/out.dxf")) << noFolder.err;
}

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
    EXPECT_TRUE(mentions(r.out, "3 entities (3 lines, 0 arcs, 0 circles)")) << r.out;
}

TEST(Dxf2Shp, ErrorsLeaveThePreviousOutputAndExitTwo)
{
    TempFolder folder;
    const std::string out = folder.write("out.shp", "previous");
    const ToolRun missing = runInProcess({"dxf2shp", folder.file("gone.dxf"), out});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(mentions(missing.err, "gone.dxf")) << missing.err;
    const ToolRun notDxf = runInProcess({"dxf2shp", folder.write("a.shp", kBracketShp), out});
    EXPECT_EQ(notDxf.code, 2);
    EXPECT_TRUE(mentions(notDxf.err, "a.shp")) << notDxf.err;
    const ToolRun oneArgument = runInProcess({"dxf2shp", folder.file("gone.dxf")});
    EXPECT_EQ(oneArgument.code, 2);
    EXPECT_EQ(TempFolder::read(out), "previous");
}

TEST(ShapeConversionCommands, AreListedAndExplainThemselves)
{
    const ToolRun tool = runInProcess({"--help"});
    for (const char* name : {"dxf2shp", "shp2dxf", "close"}) {
        EXPECT_TRUE(mentions(tool.out, std::string("  ") + name + " ")) << tool.out;
        const ToolRun help = runInProcess({name, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(mentions(help.out, std::string("Usage: dravenor-cli ") + name)) << help.out;
    }
}

} // namespace
