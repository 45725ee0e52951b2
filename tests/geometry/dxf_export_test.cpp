#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <set>

#include "geometry/dxf_export.h"
#include "geometry/dxf_export_check.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "job/number_format.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::checkDxf;
using testing::DxfCheck;
using testing::lineEntity;
using testing::TempFolder;

const DxfTemplates kMarkers{"HEADER\r\n", "FOOTER"};
const std::string kShippedTemplates = DRAVENOR_RESOURCE_DIR;

std::string records(const Shape& shape)
{
    std::string out;
    DxfHandles handles;
    writeDxfEntities(out, handles, shape);
    return out;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The values of every " 5" line, in file order.
std::vector<std::string> handleLines(const std::string& dxf)
{
    std::vector<std::string> handles;
    for (std::size_t at = dxf.find("\r\n 5\r\n"); at != std::string::npos; at = dxf.find("\r\n 5\r\n", at + 1)) {
        const std::size_t start = at + 6;
        handles.push_back(dxf.substr(start, dxf.find("\r\n", start) - start));
    }
    return handles;
}

// The value line after the first group code line equal to the code.
std::string valueAfter(const std::string& dxf, const std::string& code)
{
    const std::size_t at = dxf.find("\r\n" + code + "\r\n");
    if (at == std::string::npos) return "<none>";
    const std::size_t start = at + code.size() + 4;
    return dxf.substr(start, dxf.find("\r\n", start) - start);
}

TEST(DxfRecords, LineCircleAndArcAreWrittenLineForLine)
{
    const Shape shape{lineEntity(0, 0, 100, 0), arcEntity(50, 50, 25, 0, 0), arcEntity(0, 0, 10, 90, 180)};
    EXPECT_EQ(records(shape),
              " 0\r\nLINE\r\n 5\r\n50\r\n 8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n100\r\n 21\r\n0\r\n"
              " 0\r\nCIRCLE\r\n 5\r\n51\r\n 8\r\n0\r\n 10\r\n50\r\n 20\r\n50\r\n 40\r\n25\r\n"
              " 0\r\nARC\r\n 5\r\n5226\r\n 8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 40\r\n10\r\n 50\r\n90\r\n 51\r\n180\r\n");
}

TEST(DxfRecords, KindFollowsTheWriterRule)
{
    // Angles a full turn apart are a circle, never an arc of 0 degrees.
    EXPECT_EQ(records({arcEntity(5, 5, 2, 0, 360)}).substr(0, 12), " 0\r\nCIRCLE\r\n");
    EXPECT_EQ(records({arcEntity(5, 5, 2, 360, 0)}).substr(0, 12), " 0\r\nCIRCLE\r\n");
    EXPECT_EQ(records({arcEntity(5, 5, 2, 30, 30)}).substr(0, 12), " 0\r\nCIRCLE\r\n");
    // A negative radius is written as the line of its end points.
    ShapeEntity negative = lineEntity(1, 2, 3, 4);
    negative.RAD = -5;
    EXPECT_EQ(records({negative}).substr(0, 10), " 0\r\nLINE\r\n");
    EXPECT_EQ(valueAfter(records({negative}), " 11"), "3");
}

TEST(DxfRecords, ArcsKeepTheirStoredAnglesInOrder)
{
    const std::string wrapping = records({arcEntity(0, 0, 10, 350, 10)});
    EXPECT_EQ(valueAfter(wrapping, " 50"), "350");
    EXPECT_EQ(valueAfter(wrapping, " 51"), "10");
    const std::string negative = records({arcEntity(0, 0, 10, -90, 90)});
    EXPECT_EQ(valueAfter(negative, " 50"), "-90");
    EXPECT_EQ(valueAfter(negative, " 51"), "90");
}

TEST(DxfRecords, NumbersUseGeneralNumberFormat)
{
    const std::string dxf = records({lineEntity(0.1, -0.5, 1.0 / 3.0, 1e20)});
    EXPECT_EQ(valueAfter(dxf, " 10"), "0.1");
    EXPECT_EQ(valueAfter(dxf, " 20"), "-0.5");
    EXPECT_EQ(valueAfter(dxf, " 11"), "0.333333333333333");
    EXPECT_EQ(valueAfter(dxf, " 21"), "1E+20");
}

TEST(DxfRecords, CoordinatesSurviveTheTextWithinFifteenDigits)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-5000, 5000);
    for (int n = 0; n < 500; ++n) {
        const ShapeEntity e = lineEntity(coordinate(random), coordinate(random), coordinate(random), coordinate(random));
        const std::string dxf = records({e});
        const double expected[] = {e.X1, e.Y1, e.X2, e.Y2};
        const char* codes[] = {" 10", " 20", " 11", " 21"};
        for (int k = 0; k < 4; ++k) {
            const double read = leadingNumber(valueAfter(dxf, codes[k]));
            EXPECT_NEAR(read, expected[k], std::fabs(expected[k]) * 1e-14) << codes[k];
            EXPECT_EQ(read, leadingNumber(formatGeneral(expected[k])));
        }
    }
}

TEST(DxfRecords, TextShowsTheFileNameWithoutExtension)
{
    std::string out;
    DxfHandles handles;
    writeDxfEntities(out, handles, {lineEntity(0, 0, 1, 1)});
    writeDxfText(out, handles, 120, 60, 2.5, "bracket-12.shp");
    EXPECT_EQ(out.substr(out.find(" 0\r\nTEXT")),
              " 0\r\nTEXT\r\n 5\r\n51\r\n 8\r\n0\r\n 10\r\n120\r\n 20\r\n60\r\n 40\r\n2.5\r\n 1\r\nbracket-12\r\n");
    EXPECT_EQ(dxfTextForFileName("ab"), "ab");
    EXPECT_EQ(dxfTextForFileName("x.shp"), "x");
    EXPECT_EQ(dxfTextForFileName("two\nlines.shp"), "two lines");
}

TEST(DxfHandles, ArcSuffixNeverRepeatsAHandle)
{
    // Arc at counter 52 is "5226"; the entity that reaches counter 5226 must take 5227.
    Shape shape{lineEntity(0, 0, 1, 0), lineEntity(1, 0, 1, 1), arcEntity(0, 0, 1, 0, 90)};
    for (int n = 0; n < 5300; ++n) shape.push_back(n % 7 == 1 ? arcEntity(n, 0, 1, 0, 45) : lineEntity(n, 0, n, 1));
    const std::vector<std::string> handles = handleLines(records(shape));
    ASSERT_EQ(handles.size(), shape.size());
    EXPECT_EQ(std::set<std::string>(handles.begin(), handles.end()).size(), handles.size());
    EXPECT_EQ(handles[2], "5226");
    // Entity k (0-based) starts at counter 50 + k; the one at 5226 moved on by one.
    EXPECT_EQ(handles[5226 - 50 - 1], "5225");
    EXPECT_EQ(handles[5226 - 50], "5227");
}

TEST(DxfHandles, HandlesOfTheTemplatesAreAvoided)
{
    const DxfTemplates templates{" 0\r\nSECTION\r\n 5\r\n50\r\n 5\r\n051\r\n", " 0\r\nEOF"};
    const std::string dxf = shapeToDxfText({lineEntity(0, 0, 1, 0), lineEntity(1, 0, 1, 1)}, templates);
    const std::vector<std::string> handles = handleLines(dxf.substr(templates.header.size()));
    EXPECT_EQ(handles, (std::vector<std::string>{"52", "53"}));
}

TEST(DxfDrawingText, EntitiesSitBetweenHeaderAndFooter)
{
    const std::string dxf = shapeToDxfText({lineEntity(0, 0, 1, 0)}, kMarkers);
    EXPECT_EQ(dxf.rfind("HEADER\r\n 0\r\nLINE\r\n 5\r\n50\r\n", 0), 0u);
    EXPECT_TRUE(endsWith(dxf, " 21\r\n0\r\nFOOTER\r\n"));
    // A header whose last line has no line break still gets each record on its own line.
    const std::string unbroken = shapeToDxfText({}, {"HEADER", "FOOTER\r\n"});
    EXPECT_EQ(unbroken, "HEADER\r\nFOOTER\r\n");
}

TEST(DxfTemplateFiles, MissingTemplatesAreNamed)
{
    TempFolder folder;
    DxfTemplates templates;
    std::string e = readDxfTemplates(folder.folder(), templates);
    EXPECT_NE(e.find("dxf.hd"), std::string::npos) << e;
    folder.write("dxf.hd", "H");
    e = readDxfTemplates(folder.folder(), templates);
    EXPECT_NE(e.find("dxf.ft"), std::string::npos) << e;
    folder.write("dxf.ft", "F");
    EXPECT_EQ(readDxfTemplates(folder.folder(), templates), "");
    EXPECT_EQ(templates.header, "H");
    EXPECT_EQ(templates.footer, "F");
}

TEST(DxfTemplateFiles, ShippedTemplatesOpenAndCloseTheEntitiesSection)
{
    DxfTemplates templates;
    ASSERT_EQ(readDxfTemplates(kShippedTemplates, templates), "");
    EXPECT_EQ(templates.header.rfind(" 0\r\nSECTION\r\n 2\r\nHEADER\r\n", 0), 0u);
    EXPECT_TRUE(endsWith(templates.header, " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n"));
    EXPECT_EQ(templates.footer, " 0\r\nENDSEC\r\n 0\r\nEOF");
    EXPECT_EQ(templates.header.find('\n'), templates.header.find("\r\n") + 1); // CR LF lines
}

class DxfReadBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        python_ = testing::pythonWithEzdxf();
        if (python_.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
    }
    DxfCheck saveAndCheck(const Shape& shape)
    {
        const std::string path = folder_.file("drawing.dxf");
        EXPECT_EQ(saveShapeAsDxf(shape, path, kShippedTemplates), "");
        return checkDxf(python_, path);
    }
    std::string python_;
    TempFolder folder_;
};

TEST_F(DxfReadBack, ReaderFindsEveryEntityWithItsCoordinates)
{
    const Shape shape{lineEntity(0, 0, 100.125, 0), arcEntity(50, 50, 25, 0, 360), arcEntity(-3.5, 2, 10, 350, 10),
                      lineEntity(1.0 / 3.0, -7, 1e-7, 2e6)};
    const DxfCheck check = saveAndCheck(shape);
    EXPECT_EQ(check.version, "AC1009");
    EXPECT_TRUE(check.problems.empty()) << ::testing::PrintToString(check.problems);
    ASSERT_EQ(check.entities.size(), 4u);
    EXPECT_EQ(check.entities[0].type, "LINE");
    EXPECT_EQ(check.entities[0].values, (std::vector<double>{0, 0, 100.125, 0}));
    EXPECT_EQ(check.entities[1].type, "CIRCLE");
    EXPECT_EQ(check.entities[1].values, (std::vector<double>{50, 50, 25}));
    EXPECT_EQ(check.entities[2].type, "ARC");
    EXPECT_EQ(check.entities[2].handle, "5226");
    EXPECT_EQ(check.entities[2].values, (std::vector<double>{-3.5, 2, 10, 350, 10}));
    const std::vector<double> expected{1.0 / 3.0, -7, 1e-7, 2e6};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(check.entities[3].values[k], expected[k], 1e-14 * std::fabs(expected[k]));
}

TEST_F(DxfReadBack, NoEntityIsLostToARepeatedHandle)
{
    Shape shape;
    for (int n = 0; n < 5400; ++n) shape.push_back(n % 3 == 0 ? arcEntity(n, 0, 2, 10, 100) : lineEntity(n, 0, n, 5));
    const DxfCheck check = saveAndCheck(shape);
    EXPECT_TRUE(check.problems.empty()) << check.problems.size() << " problems, first: " << check.problems.front();
    ASSERT_EQ(check.entities.size(), shape.size());
    std::set<std::string> handles;
    for (const auto& e : check.entities) handles.insert(e.handle);
    EXPECT_EQ(handles.size(), shape.size());
}

TEST_F(DxfReadBack, TextRecordReadsBack)
{
    DxfTemplates templates;
    ASSERT_EQ(readDxfTemplates(kShippedTemplates, templates), "");
    DxfDrawing drawing(templates);
    drawing.addShape(testing::rectangle(100, 50, 40, 20));
    drawing.addText(120, 60, 1.5, "flange.shp");
    const std::string path = folder_.write("text.dxf", drawing.finish());
    const DxfCheck check = checkDxf(python_, path);
    EXPECT_TRUE(check.problems.empty()) << ::testing::PrintToString(check.problems);
    ASSERT_EQ(check.entities.size(), 5u);
    EXPECT_EQ(check.entities[4].type, "TEXT");
    EXPECT_EQ(check.entities[4].values, (std::vector<double>{120, 60, 1.5}));
    EXPECT_EQ(check.entities[4].text, "flange");
}

TEST(SaveShapeAsDxf, FailuresLeaveThePreviousFile)
{
    TempFolder folder;
    const std::string target = folder.write("part.dxf", "previous");
    const std::string missing = saveShapeAsDxf({lineEntity(0, 0, 1, 1)}, target, folder.file("no-templates"));
    EXPECT_NE(missing.find("dxf.hd"), std::string::npos) << missing;
    EXPECT_EQ(TempFolder::read(target), "previous");

    std::filesystem::create_directory(folder.file("folder.dxf"));
    const std::string isFolder = saveShapeAsDxf({}, folder.file("folder.dxf"), kShippedTemplates);
    EXPECT_NE(isFolder.find("folder.dxf"), std::string::npos) << isFolder;

    if (!folder.permissionsAreEnforced()) GTEST_SKIP() << "permissions are not enforced (running as root)";
    std::filesystem::permissions(folder.folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const std::string readOnly = saveShapeAsDxf({lineEntity(0, 0, 1, 1)}, target, kShippedTemplates);
    std::filesystem::permissions(folder.folder(), std::filesystem::perms::owner_all);
    EXPECT_NE(readOnly.find("part.dxf"), std::string::npos) << readOnly;
    EXPECT_EQ(TempFolder::read(target), "previous");
}

TEST(ShapeFileToDxf, SamePathWritesTheDrawingBesideTheShapeFile)
{
    TempFolder folder;
    const std::string source = folder.write("plate.shp", "\"0\",\"0\",\"10\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n");
    ASSERT_EQ(shapeFileToDxf(source, source, kShippedTemplates, false), "");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"plate.dxf", "plate.shp"}));
    EXPECT_NE(TempFolder::read(folder.file("plate.dxf")).find(" 0\r\nLINE\r\n 5\r\n50\r\n"), std::string::npos);

    ASSERT_EQ(shapeFileToDxf(source, folder.file("other.dxf"), kShippedTemplates, true), "");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"other.dxf", "plate.dxf"}));
}

TEST(ShapeFileToDxf, TheDrawingJustWrittenIsNeverDeletedAsTheSourceAndAMissingSourceWritesNothing)
{
    TempFolder folder;
    const std::string source = folder.write("odd.dxf", "\"0\",\"0\",\"10\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n");
    ASSERT_EQ(shapeFileToDxf(source, source, kShippedTemplates, true), "");
    EXPECT_NE(TempFolder::read(source).find("ENTITIES"), std::string::npos);

    const std::string e = shapeFileToDxf(folder.file("gone.shp"), folder.file("out.dxf"), kShippedTemplates, true);
    EXPECT_NE(e.find("gone.shp"), std::string::npos) << e;
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"odd.dxf"});
}

TEST(SaveShapeByExtension, TypeDecidesTheFormat)
{
    TempFolder folder;
    const Shape shape{lineEntity(0, 0, 10, 0), arcEntity(5, 5, 2.5, 0, 0)};
    ASSERT_EQ(saveShapeByExtension(shape, folder.file("a.DXF"), kShippedTemplates), "");
    EXPECT_EQ(TempFolder::read(folder.file("a.DXF")).rfind(" 0\r\nSECTION", 0), 0u);

    ASSERT_EQ(saveShapeByExtension(shape, folder.file("a.shp"), kShippedTemplates), "");
    Shape read;
    readShapeFile(folder.file("a.shp"), read);
    EXPECT_EQ(read, shape);

    const std::string refused = saveShapeByExtension(shape, folder.file("a.txt"), kShippedTemplates);
    EXPECT_NE(refused.find("a.txt"), std::string::npos);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"a.DXF", "a.shp"}));
}

} // namespace
} // namespace dravenor
