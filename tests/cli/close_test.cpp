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

// A 10 x 10 square whose last line stops at (0.3, 0.4), 0.5 short of its start.
const Shape kOpenSquare{{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0.3, 0.4}};

TEST(CloseCommand, AddsTheMissingLineAndKeepsTheRest)
{
    TempFolder folder;
    const std::string in = folder.write("open.shp", shapeToFileText(kOpenSquare));
    const ToolRun r = runInProcess({"close", in, folder.file("closed.shp")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "added 1 line\n");
    EXPECT_EQ(r.err, "");
    Shape closed;
    readShapeFile(folder.file("closed.shp"), closed);
    ASSERT_EQ(closed.size(), 5u);
    EXPECT_EQ(Shape(closed.begin(), closed.begin() + 4), kOpenSquare);
    EXPECT_EQ(closed[4], (ShapeEntity{0, 0, 0.3, 0.4}));
}

TEST(CloseCommand, ClosedShapeIsWrittenUnchanged)
{
    TempFolder folder;
    const Shape square{{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0, 0}};
    const std::string in = folder.write("square.shp", shapeToFileText(square));
    const ToolRun r = runInProcess({"close", in, in});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "already closed\n");
    EXPECT_EQ(TempFolder::read(in), shapeToFileText(square));
}

TEST(CloseCommand, GapsTooWideAreReportedAsStillOpen)
{
    TempFolder folder;
    const Shape wide{{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 0, 10}, {0, 10, 0.72, 0.96}};
    const ToolRun r = runInProcess({"close", folder.write("wide.shp", shapeToFileText(wide)), folder.file("out.shp")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "already closed\n");
    EXPECT_TRUE(contains(r.err, "still not closed (2 open ends")) << r.err;
}

TEST(CloseCommand, WritesADrawingWhenOutIsDxf)
{
    TempFolder folder;
    const std::string in = folder.write("open.shp", shapeToFileText(kOpenSquare));
    const ToolRun r = runInProcess({"close", in, folder.file("closed.dxf"), "--templates", kTemplates});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string python = pythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
    const DxfCheck check = checkDxf(python, folder.file("closed.dxf"));
    EXPECT_TRUE(check.problems.empty()) << ::testing::PrintToString(check.problems);
    ASSERT_EQ(check.entities.size(), 5u);
    EXPECT_EQ(check.entities[4].values, (std::vector<double>{0, 0, 0.3, 0.4}));
}

TEST(CloseCommand, ReadsDrawings)
{
    TempFolder folder;
    const std::string in = folder.write("open.dxf",
        "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
        "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n30\r\n 21\r\n0\r\n"
        "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n30\r\n 20\r\n0\r\n 11\r\n0\r\n 21\r\n40\r\n"
        "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n40\r\n 11\r\n0.3\r\n 21\r\n0.4\r\n"
        "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
    const ToolRun r = runInProcess({"close", in, folder.file("closed.shp")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "added 1 line\n") << r.err;
}

TEST(CloseCommand, ErrorsLeaveThePreviousOutputAndExitTwo)
{
    TempFolder folder;
    const std::string in = folder.write("open.shp", shapeToFileText(kOpenSquare));
    const std::string out = folder.write("out.dxf", "previous");
    const ToolRun missing = runInProcess({"close", folder.file("gone.shp"), out});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(contains(missing.err, "gone.shp")) << missing.err;
    const ToolRun noTemplates = runInProcess({"close", in, out, "--templates", folder.file("none")});
    EXPECT_EQ(noTemplates.code, 2);
    EXPECT_TRUE(contains(noTemplates.err, "dxf.hd")) << noTemplates.err;
    const ToolRun badType = runInProcess({"close", in, folder.file("out.txt")});
    EXPECT_EQ(badType.code, 2);
    EXPECT_EQ(TempFolder::read(out), "previous");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"open.shp", "out.dxf"}));
}

} // namespace
