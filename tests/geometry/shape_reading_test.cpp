// Reading shapes: the DXF cases of tests/data/dxf/import_cases.txt, drawings and shape files give
// the shapes and reports of the golden file; bulges, drawings seen from behind and the benchmark
// parts are checked against results found apart from the reader. Loading moves to the origin.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/dxf_import.h"
#include "geometry/dxf_transform.h"
#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::lineEntity;
using testing::TempFolder;

std::string dxfSample(const std::string& name) { return DRAVENOR_TEST_DATA "/dxf/" + name; }

std::string imported(const std::string& text, DrawingUnit unit = DrawingUnit::Millimetre)
{
    Shape shape;
    const ShapeReadReport report = parseDxfText(text, shape, "part.dxf", unit);
    return testing::goldenRead(shape, report);
}

std::string withCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

const testing::Sections kCases = testing::splitSections(TempFolder::read(dxfSample("import_cases.txt")));

TEST(DxfImport, CasesAndFilesReadAsTheGoldenFileShows)
{
    ASSERT_GT(kCases.size(), 40u);
    testing::Sections results;
    for (const auto& [title, text] : kCases) {
        const DrawingUnit unit = title.ends_with("[inch]") ? DrawingUnit::Inch : DrawingUnit::Millimetre;
        results.push_back({title, imported(text, unit)});
        // Codes are matched by number whatever line ends or byte-order mark surround them.
        EXPECT_EQ(imported(withCrLf(text), unit), results.back().second) << title << ", CR LF";
        EXPECT_EQ(imported("\xEF\xBB\xBF" + text, unit), results.back().second) << title << ", byte-order mark";
    }
    // Files by their type: drawings by an independent writer, shape files quoted, unquoted, split
    // over lines, with angles of a full turn or with damaged fields, binary and empty files, a
    // folder and missing files.
    TempFolder folder;
    for (const char* name : {"r12_shapes.dxf", "r2018_shapes.dxf"})
        folder.write(name, TempFolder::read(dxfSample(name)));
    for (const char* name : {"offset_square.shp", "offset_square_unquoted.shp", "offset_square_split.shp",
                             "wide_angles.shp", "binary.shp", "offset_square.txt"})
        folder.write(name, TempFolder::read(testing::testDataPath(name)));
    folder.write("dwg.dxf", std::string("AC1015\0\0\0\0\x01\x02\xff", 13));
    folder.write("binary.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\x00SECTION", 31));
    folder.write("empty.dxf", "");
    folder.write("numbers.SHP", "\"12.5mm\",\"abc\",\"\", 7 ,\"-3e2\",\"+.5\",1,0,0\r\n5,6,7\r\n\r\n");
    folder.write("tab.shp", "1,\t2,3,4,0,0,0,0,0\r\n");
    folder.write("escape.shp", "1,2,3,4,0,0,0,0,0\x1b\r\n");
    for (const char* name : {"folder.dxf", "folder.shp"}) std::filesystem::create_directory(folder.file(name));
    std::vector<std::string> names = folder.entries();
    names.insert(names.end(), {"gone.dxf", "gone.shp"});
    for (const std::string& name : names) {
        Shape shape{lineEntity(9, 9, 8, 8)}; // reading by type starts afresh
        const ShapeReadReport report = readShapeByExtension(folder.file(name), shape);
        std::string text = testing::goldenRead(shape, report);
        for (std::size_t at; (at = text.find(folder.folder())) != std::string::npos;)
            text.replace(at, folder.folder().size(), "FOLDER");
        results.push_back({"file " + name, text});
    }
    testing::expectGolden("geometry/dxf_import.txt", testing::joinSections(results));
}

TEST(DxfImport, FilesAreReadUnchangedAppendedToTheShapeOrLoadedAtTheOrigin)
{
    TempFolder folder;
    const std::string text = kCases.front().second;
    const std::string path = folder.write("lf.dxf", text);
    Shape shape{lineEntity(9, 9, 8, 8)};
    EXPECT_TRUE(readDxfFile(path, shape).readable);
    EXPECT_TRUE(readShapeFile(folder.write("line.shp", "5,6,7,8,0,0,0,0,0\n"), shape).readable);
    EXPECT_EQ(shape, (Shape{lineEntity(9, 9, 8, 8), lineEntity(1, 2, 3, 4), lineEntity(5, 6, 7, 8)}));
    EXPECT_EQ(TempFolder::read(path), text);
    loadShape(testing::testDataPath("offset_square.shp"), shape);
    const Extents box = shapeExtents(shape);
    EXPECT_TRUE(box.xmin == 0 && box.ymin == 0 && box.xmax == 20);
    EXPECT_EQ(shapeFileType("drawing.DxF"), "dxf"); // by the last three letters
    EXPECT_EQ(shapeFileType("xf"), "");
}

TEST(DxfImport, EveryCutOfADrawingReadsWithoutFailingAndSaysItIsCut)
{
    const std::string text = withCrLf(kCases.back().second);
    Shape whole;
    parseDxfText(text, whole);
    ASSERT_EQ(whole.size(), 9u);
    for (std::size_t length = 0; length < text.size(); ++length) {
        Shape shape;
        const ShapeReadReport report = parseDxfText(text.substr(0, length), shape);
        EXPECT_TRUE(report.readable);
        EXPECT_LE(shape.size(), whole.size()) << length;
        if (length > 0 && length < text.size() - 6) {
            EXPECT_FALSE(report.notes.empty()) << length; // cut short, and it says so
        }
    }
}

// --- geometry found apart from the reader --------------------------------------------------

using Point = DxfPoint;

Point pointOnArc(const ShapeEntity& arc, double degrees)
{
    const double a = degrees * std::numbers::pi / 180;
    return {arc.CX + arc.RAD * std::cos(a), arc.CY + arc.RAD * std::sin(a)};
}

// Halfway along the arc, going counter-clockwise from Nstart to Nend.
Point arcMiddle(const ShapeEntity& arc)
{
    return pointOnArc(arc, arc.Nstart + std::fmod(arc.Nend - arc.Nstart + 720, 360) / 2);
}

bool near(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y) < 1e-9; }

// Beside each drawing seen from behind, ezdxf's own conversion of it, one record per entity:
// LINE x1 y1 x2 y2, CIRCLE cx cy r, or ARC cx cy r, its two ends in either order and its middle.
TEST(DxfMirrored, AgreesWithAnIndependentReadersConversion)
{
    for (const std::string name : {"r12_mirrored", "r2018_mirrored"}) {
        Shape shape;
        const ShapeReadReport report = readDxfFile(dxfSample(name + ".dxf"), shape);
        EXPECT_TRUE(report.readable && report.notes.empty()) << name;
        std::ifstream reference(dxfSample(name + ".txt"));
        std::size_t k = 0;
        for (std::string kind; reference >> kind; ++k) {
            std::vector<double> want(kind == "LINE" ? 4 : kind == "CIRCLE" ? 3 : 9);
            for (double& v : want) reference >> v;
            ASSERT_LT(k, shape.size()) << name;
            const ShapeEntity& e = shape[k];
            EXPECT_EQ(e.isLine() ? "LINE" : e.isCircle() ? "CIRCLE" : "ARC", kind) << name << " entity " << k + 1;
            Point start = pointOnArc(e, e.Nstart), end = pointOnArc(e, e.Nend);
            if (kind == "ARC" && !near(start, {want[3], want[4]})) std::swap(start, end);
            std::vector<double> got{e.CX, e.CY, e.RAD, start.x, start.y, end.x, end.y, arcMiddle(e).x, arcMiddle(e).y};
            if (kind == "LINE") got = {e.X1, e.Y1, e.X2, e.Y2};
            got.resize(want.size());
            for (std::size_t v = 0; v < want.size(); ++v)
                EXPECT_NEAR(got[v], want[v], 1e-9) << name << " entity " << k + 1 << " value " << v + 1;
        }
        EXPECT_EQ(k, 7u) << name;
        EXPECT_EQ(shape.size(), k) << name;
    }
}

// Each benchmark part's drawing is the same outline as its shape file: the two copied here, and
// every part of the benchmark jobs when they are beside the checkout.
TEST(DxfBenchParts, EveryDrawingMatchesItsShapeFile)
{
    const std::filesystem::path bench = DRAVENOR_TEST_DATA "/../../../shared/bench";
    for (const std::filesystem::path& folder : {std::filesystem::path(dxfSample("bench")), bench}) {
        if (!std::filesystem::is_directory(folder)) continue;
        int compared = 0;
        for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
            std::filesystem::path shapeFile = item.path();
            if (shapeFile.extension() != ".dxf" || !std::filesystem::exists(shapeFile.replace_extension(".shp")))
                continue;
            Shape fromDrawing, fromShapeFile;
            const ShapeReadReport report = readDxfFile(item.path().string(), fromDrawing);
            readShapeFile(shapeFile.string(), fromShapeFile);
            EXPECT_TRUE(report.readable && report.notes.empty() && report.nonNumericFields == 0) << item.path();
            EXPECT_FALSE(fromDrawing.empty()) << item.path();
            EXPECT_EQ(fromDrawing, fromShapeFile) << item.path();
            ++compared;
        }
        EXPECT_GE(compared, 2) << folder;
    }
}

} // namespace
} // namespace dravenor
