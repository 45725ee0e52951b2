// Shape files: nine fields per entity, read leniently, written quoted and read back exactly.
#include <gtest/gtest.h>

#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;
using testing::TempFolder;
using testing::testDataPath;

const Shape kOffsetSquare{lineEntity(-5, 10, 15, 10), lineEntity(15, 10, 15, 30), lineEntity(15, 30, -5, 30),
                          lineEntity(-5, 30, -5, 10)};

TEST(ReadShapeFile, QuotedUnquotedAndSplitFilesReadAlikeAndWideAnglesAreReducedOnce)
{
    for (const char* name : {"offset_square.shp", "offset_square_unquoted.shp", "offset_square_split.shp"}) {
        Shape shape{lineEntity(1, 1, 2, 2)};
        const ShapeReadReport report = readShapeFile(testDataPath(name), shape);
        EXPECT_TRUE(report.readable && !report.binary) << name;
        EXPECT_EQ(report.leftoverFields + report.nonNumericFields, 0) << name;
        ASSERT_EQ(shape.size(), 5u) << name; // appended after what was there
        EXPECT_EQ(Shape(shape.begin() + 1, shape.end()), kOffsetSquare) << name;
    }
    Shape wide;
    readShapeFile(testDataPath("wide_angles.shp"), wide); // 360/360, 90/400, 0/720
    EXPECT_EQ(wide, (Shape{arcEntity(50, 50, 25, 0, 0), arcEntity(0, 0, 10, 90, 40), arcEntity(0, 0, 10, 0, 360)}));
}

TEST(ReadShapeFile, LeadingNumbersNonNumbersLeftoversAndBinaryBytes)
{
    Shape shape;
    const ShapeReadReport report =
        parseShapeText("\"12.5mm\",\"abc\",\"\", 7 ,\"-3e2\",\"+.5\",1,0,0\r\n5,6,7\r\n\r\n", shape);
    EXPECT_EQ(shape, (Shape{{12.5, 0, 0, 7, -300, 0.5, 1, 0, 0}}));
    EXPECT_EQ(report.nonNumericFields, 2); // "12.5mm" and "abc"; the empty field is simply 0
    EXPECT_EQ(report.leftoverFields, 3);
    EXPECT_FALSE(parseShapeText("1,\t2,3,4,0,0,0,0,0\r\n", shape).binary);
    EXPECT_TRUE(parseShapeText("1,2,3,4,0,0,0,0,0\x1b\r\n", shape).binary);

    const ShapeReadReport binary = readShapeFile(testDataPath("binary.shp"), shape);
    EXPECT_TRUE(binary.readable && binary.binary);
    const ShapeReadReport missing = readShapeFile(testDataPath("no_such_part.shp"), shape);
    EXPECT_FALSE(missing.readable);
    EXPECT_NE(missing.error.find("no_such_part.shp"), std::string::npos);
    EXPECT_FALSE(readShapeFile(testDataPath(""), shape).readable) << "a folder";
}

TEST(ReadShapeByExtension, ResetsTheShapeChoosesTheReaderByNameAndLoadingMovesToTheOrigin)
{
    EXPECT_EQ(shapeFileType("PART.SHP"), "shp");
    EXPECT_EQ(shapeFileType("drawing.DxF"), "dxf");
    EXPECT_EQ(shapeFileType("xf"), "");
    Shape shape{lineEntity(0, 0, 1, 1)};
    readShapeByExtension(testDataPath("offset_square.shp"), shape);
    EXPECT_EQ(shape, kOffsetSquare);
    readShapeByExtension(testDataPath("offset_square.txt"), shape);
    EXPECT_TRUE(shape.empty());

    loadShape(testDataPath("offset_square.shp"), shape);
    const Extents box = shapeExtents(shape);
    EXPECT_TRUE(box.xmin == 0 && box.ymin == 0 && box.xmax == 20);
}

TEST(SaveShapeFile, NineQuotedFieldsPerLineThatReadBackExactly)
{
    EXPECT_EQ(shapeToFileText({lineEntity(0, 0, 100, 0), arcEntity(50, 50, 25, 0, 0)}),
              "\"0\",\"0\",\"100\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n"
              "\"0\",\"0\",\"0\",\"0\",\"50\",\"50\",\"25\",\"0\",\"0\"\r\n");
    TempFolder folder;
    const std::string path = folder.file("numbers.shp");
    const Shape shape{{0.1, 1e-7, 123456.789, -0.0, -12.5, 1e20, 0.000123, 359.999, 2},
                      arcEntity(-3.25, 7.75, 0.3, 270, 45), lineEntity(1.0 / 8, -999999.5, 1, 2)};
    ASSERT_EQ(saveShapeFile(kOffsetSquare, path), "");
    ASSERT_EQ(saveShapeFile(shape, path), ""); // overwrites
    Shape back;
    const ShapeReadReport report = readShapeFile(path, back);
    EXPECT_EQ(report.nonNumericFields + report.leftoverFields, 0);
    EXPECT_EQ(back, shape);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"numbers.shp"});
    EXPECT_NE(saveShapeFile(shape, folder.file("missing/part.shp")).find("part.shp"), std::string::npos);
}

} // namespace
} // namespace dravenor
