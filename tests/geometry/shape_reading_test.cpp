// Reading shapes: the DXF cases of tests/data/dxf/import_cases.txt, drawings and shape files give
// the shapes and reports of the golden file; bulges, drawings seen from behind and the benchmark
// parts are checked against results found apart from the reader. Loading moves to the origin.
// Writing shapes: DXF records of every kind of entity pinned by a golden drawing, handles that
// never repeat, shape files that read back exactly, and saves that fail without harming the
// previous file. How ezdxf, a reader apart from ours, reads the drawings is check_modern_dxf.py's.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "geometry/dxf_export.h"
#include "geometry/dxf_import.h"
#include "geometry/dxf_transform.h"
#include "geometry/dxf_units.h"
#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::arcEntity;
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

const std::string kShippedTemplates = DRAVENOR_RESOURCE_DIR;

// The values of every " 5" (handle) line, in file order.
std::vector<std::string> handleLines(const std::string& dxf)
{
    std::vector<std::string> handles;
    for (std::size_t at = dxf.find("\r\n 5\r\n"); at != std::string::npos; at = dxf.find("\r\n 5\r\n", at + 1))
        handles.push_back(dxf.substr(at + 6, dxf.find("\r\n", at + 6) - at - 6));
    return handles;
}

TEST(DxfExport, EveryKindOfRecordIsWrittenAsTheGoldenDrawingAndReadsBack)
{
    ShapeEntity negative = lineEntity(1, 2, 3, 4);
    negative.RAD = -5; // written as the line of its end points
    // The third entity is an arc at counter 52: handle "5226". Angles a full turn apart are a
    // circle; an arc keeps its stored angles in order.
    const Shape shape{lineEntity(0, 0, 100.125, 0), arcEntity(50, 50, 25, 0, 0), arcEntity(0, 0, 10, 90, 180),
                      arcEntity(5, 5, 2, 0, 360),   arcEntity(5, 5, 2, 360, 0), arcEntity(5, 5, 2, 30, 30),
                      negative,                     arcEntity(-3.5, 2, 10, 350, 10), arcEntity(0, 0, 10, -90, 90),
                      lineEntity(0.1, -0.5, 1.0 / 3.0, 1e20), lineEntity(1e-7, -7, 2e6, 0)};
    DxfTemplates templates;
    ASSERT_EQ(readDxfTemplates(kShippedTemplates, templates), "");
    DxfDrawing drawing(templates);
    drawing.addShape(shape);
    drawing.addText(120, 60, 2.5, "bracket-12.shp"); // the name without its extension, on one line
    EXPECT_EQ(dxfTextForFileName("two\nlines.shp") + dxfTextForFileName("ab"), "two linesab");
    const std::string dxf = drawing.finish();
    testing::expectGolden("geometry/drawing.dxf", dxf);

    // Saved by its type, the shape alone is the same drawing without the text record.
    TempFolder folder;
    ASSERT_EQ(saveShapeByExtension(shape, folder.file("a.DXF"), kShippedTemplates), "");
    EXPECT_EQ(TempFolder::read(folder.file("a.DXF")),
              dxf.substr(0, dxf.find(" 0\r\nTEXT")) + templates.footer + "\r\n");
}

TEST(DxfHandles, NoHandleRepeatsAndNoEntityIsLostToOne)
{
    // Arc at counter 52 is "5226"; the entity that reaches counter 5226 must take 5227.
    Shape shape{lineEntity(0, 0, 1, 0), lineEntity(1, 0, 1, 1), arcEntity(0, 0, 1, 0, 90)};
    for (int n = 0; n < 5300; ++n) shape.push_back(n % 7 == 1 ? arcEntity(n, 0, 1, 0, 45) : lineEntity(n, 0, n, 1));
    const std::vector<std::string> handles = handleLines(shapeToDxfText(shape, {}));
    ASSERT_EQ(handles.size(), shape.size());
    EXPECT_EQ(std::set<std::string>(handles.begin(), handles.end()).size(), handles.size());
    // Entity k starts at counter 50 + k.
    EXPECT_EQ(handles[2] + " " + handles[5226 - 50 - 1] + " " + handles[5226 - 50], "5226 5225 5227");

    // Handles the templates use are avoided; a header without a final line break gets one.
    const DxfTemplates templates{" 0\r\nSECTION\r\n 5\r\n50\r\n 5\r\n051\r\n", " 0\r\nEOF"};
    const std::string dxf = shapeToDxfText({lineEntity(0, 0, 1, 0), lineEntity(1, 0, 1, 1)}, templates);
    EXPECT_EQ(handleLines(dxf.substr(templates.header.size())), (std::vector<std::string>{"52", "53"}));
    EXPECT_EQ(shapeToDxfText({}, {"HEADER", "FOOTER\r\n"}), "HEADER\r\nFOOTER\r\n");
}

TEST(DxfSaving, FailuresNameTheMissingTemplateOrTheFileAndLeaveThePreviousFile)
{
    TempFolder folder;
    const std::string target = folder.write("part.dxf", "previous");
    for (const auto& [name, missing] : {std::pair{"", "dxf.hd"}, {"dxf.hd", "dxf.ft"}}) {
        if (*name) folder.write(name, "H");
        const std::string e = saveShapeAsDxf({lineEntity(0, 0, 1, 1)}, target, folder.folder());
        EXPECT_NE(e.find(missing), std::string::npos) << e;
        EXPECT_EQ(TempFolder::read(target), "previous");
    }

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

TEST(DxfSaving, ShapeFilesConvertBesideThemselvesAndOnlyTheSourceIsDeleted)
{
    TempFolder folder;
    const std::string line = "\"0\",\"0\",\"10\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n";
    const std::string source = folder.write("plate.shp", line);
    ASSERT_EQ(shapeFileToDxf(source, source, kShippedTemplates, false), "");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"plate.dxf", "plate.shp"}));
    EXPECT_NE(TempFolder::read(folder.file("plate.dxf")).find(" 0\r\nLINE\r\n 5\r\n50\r\n"), std::string::npos);
    ASSERT_EQ(shapeFileToDxf(source, folder.file("other.dxf"), kShippedTemplates, true), "");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"other.dxf", "plate.dxf"}));

    // The drawing just written is never deleted as the source; a missing source writes nothing.
    const std::string odd = folder.write("odd.dxf", line);
    ASSERT_EQ(shapeFileToDxf(odd, odd, kShippedTemplates, true), "");
    const std::string e = shapeFileToDxf(folder.file("gone.shp"), folder.file("out.dxf"), kShippedTemplates, true);
    EXPECT_TRUE(TempFolder::read(odd).find("ENTITIES") != std::string::npos && e.find("gone.shp") != std::string::npos) << e;
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"odd.dxf", "other.dxf", "plate.dxf"}));

    // Saving by type: a shape file, or for any other type nothing.
    const Shape shape{lineEntity(0, 0, 10, 0), arcEntity(5, 5, 2.5, 0, 0)};
    ASSERT_EQ(saveShapeByExtension(shape, folder.file("a.shp"), kShippedTemplates), "");
    EXPECT_EQ(TempFolder::read(folder.file("a.shp")), shapeToFileText(shape));
    EXPECT_NE(saveShapeByExtension(shape, folder.file("a.txt"), kShippedTemplates).find("a.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("a.txt"))) << "nothing written for another type";
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
    ASSERT_EQ(saveShapeFile({lineEntity(0, 0, 1, 1)}, path), "");
    ASSERT_EQ(saveShapeFile(shape, path), ""); // overwrites
    Shape back;
    const ShapeReadReport report = readShapeFile(path, back);
    EXPECT_EQ(std::tuple(report.nonNumericFields + report.leftoverFields, back, folder.entries()),
              std::tuple(0, shape, std::vector<std::string>{"numbers.shp"}));
    EXPECT_NE(saveShapeFile(shape, folder.file("missing/part.shp")).find("part.shp"), std::string::npos);
}


// The units a written drawing names are those its reader finds: the header variable is added
// where a reader looks for it, for every unit, in CR LF and LF templates alike.
TEST(DxfUnitsWritten, TheHeaderNamesTheUnitsItsReaderThenFinds)
{
    std::string shipped = testing::TempFolder::read(kShippedTemplates + "/dxf.hd");
    std::string lfOnly = shipped;
    for (size_t at = lfOnly.find('\r'); at != std::string::npos; at = lfOnly.find('\r', at)) lfOnly.erase(at, 1);
    struct Case { int code; DrawingUnit unit; double factor; };
    const Case cases[] = {{1, DrawingUnit::Millimetre, 25.4}, {4, DrawingUnit::Millimetre, 1},
                          {4, DrawingUnit::Inch, 1 / 25.4}, {5, DrawingUnit::Millimetre, 10}};
    for (const std::string& header : {shipped, lfOnly})
        for (const Case& c : cases) {
            const std::string text = headerWithUnits(header, c.code) + "  0\r\nEOF\r\n";
            const DxfUnitScale scale = dxfUnitScale(text, dxfDrawingLayout(text).header, c.unit);
            EXPECT_EQ(std::pair(scale.code, scale.factor), std::pair(c.code, c.factor)) << c.code;
            EXPECT_EQ(text.find("$ACADVER"), header.find("$ACADVER")) << "variables before stay where they were";
        }
    // Nothing added without a code, without a HEADER section or over units named already.
    EXPECT_EQ(headerWithUnits(shipped, 0), shipped);
    const std::string named = headerWithUnits(shipped, 1);
    EXPECT_EQ(headerWithUnits(named, 4), named);
    EXPECT_EQ(headerWithUnits("  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nENDSEC\r\n", 4),
              "  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nENDSEC\r\n");
    EXPECT_EQ(std::pair(insunitsCode(DrawingUnit::Millimetre), insunitsCode(DrawingUnit::Inch)), std::pair(4, 1));
    EXPECT_EQ(std::pair(unitsName(1), unitsName(99)), std::pair(std::string("inches"), std::string()));
}

} // namespace
} // namespace dravenor
