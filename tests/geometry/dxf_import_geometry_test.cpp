// Geometry of imported drawings: polyline bulges, entities drawn seen from behind, drawings
// written by an independent DXF writer and the parts of the benchmark jobs.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "geometry/dxf_arcs.h"
#include "geometry/dxf_import.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;
using Counts = std::vector<std::pair<std::string, int>>;

constexpr double kTolerance = 1e-9;

std::string dxfSample(const std::string& name) { return DRAVENOR_TEST_DATA "/dxf/" + name; }

double degrees(double radians) { return radians * 180 / std::numbers::pi; }

void expectNear(const ShapeEntity& actual, const ShapeEntity& expected, const std::string& where)
{
    const double a[] = {actual.X1, actual.Y1, actual.X2,  actual.Y2,    actual.CX,
                        actual.CY, actual.RAD, actual.Nstart, actual.Nend};
    const double e[] = {expected.X1, expected.Y1, expected.X2, expected.Y2, expected.CX, expected.CY, expected.RAD,
                        expected.Nstart, expected.Nend};
    for (int k = 0; k < 9; ++k)
        if (std::fabs(a[k] - e[k]) > kTolerance) {
            ADD_FAILURE() << where << ": field " << k + 1 << " is " << a[k] << ", expected " << e[k];
            return;
        }
}

void expectShapeNear(const Shape& actual, const Shape& expected, const std::string& where)
{
    ASSERT_EQ(actual.size(), expected.size()) << where;
    for (std::size_t k = 0; k < actual.size(); ++k)
        expectNear(actual[k], expected[k], where + " entity " + std::to_string(k + 1));
}

struct Point {
    double x, y;
};

Point pointOnArc(const ShapeEntity& arc, double angleDegrees)
{
    const double a = angleDegrees * std::numbers::pi / 180;
    return {arc.CX + arc.RAD * std::cos(a), arc.CY + arc.RAD * std::sin(a)};
}

// Halfway along the arc, going counter-clockwise from Nstart to Nend.
Point arcMiddle(const ShapeEntity& arc)
{
    const double sweep = std::fmod(arc.Nend - arc.Nstart + 720, 360);
    return pointOnArc(arc, arc.Nstart + sweep / 2);
}

bool near(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y) < 1e-9; }

// --- bulges ---------------------------------------------------------------------------------

TEST(DxfBulge, ArcsRunThroughBothVerticesWithTheBulgesAngleAndSide)
{
    const DxfVertex froms[] = {{0, 0}, {-3, 7}, {12.5, -4}};
    const DxfVertex tos[] = {{10, 0}, {-3, -2}, {1, 1}};
    for (double b : {0.05, 0.3, 1.0, 1.7, 9.0, -0.05, -0.3, -1.0, -1.7, -9.0})
        for (int k = 0; k < 3; ++k) {
            const DxfVertex from{froms[k].x, froms[k].y, b};
            const DxfVertex to = tos[k];
            const ShapeEntity arc = dxfPolylineSegment(from, to);
            const std::string where = "bulge " + std::to_string(b) + " case " + std::to_string(k);
            ASSERT_TRUE(arc.isArc()) << where;
            const Point start = pointOnArc(arc, arc.Nstart);
            const Point end = pointOnArc(arc, arc.Nend);
            // Counter-clockwise arcs start at the first vertex, clockwise ones at the second.
            EXPECT_TRUE(near(b > 0 ? start : end, {from.x, from.y})) << where;
            EXPECT_TRUE(near(b > 0 ? end : start, {to.x, to.y})) << where;
            const double sweep = std::fmod(arc.Nend - arc.Nstart + 720, 360);
            EXPECT_NEAR(sweep, degrees(4 * std::atan(std::fabs(b))), 1e-9) << where;
            // Going from the first vertex to the second, a counter-clockwise arc bulges to the
            // right of the chord.
            const Point mid = arcMiddle(arc);
            const double cross = (to.x - from.x) * (mid.y - from.y) - (to.y - from.y) * (mid.x - from.x);
            EXPECT_EQ(cross < 0, b > 0) << where;
        }
}

TEST(DxfBulge, NoBendMeansALine)
{
    EXPECT_EQ(dxfPolylineSegment({1, 2, 0}, {3, 4}), lineEntity(1, 2, 3, 4));
    EXPECT_EQ(dxfPolylineSegment({1, 2, 1}, {1, 2}), lineEntity(1, 2, 1, 2)); // no chord to bend
    const ShapeEntity slight = dxfPolylineSegment({0, 0, 1e-18}, {10, 0});
    EXPECT_FALSE(slight.isCircle());
    EXPECT_EQ(slight, lineEntity(0, 0, 10, 0));
}

// --- drawn seen from behind -----------------------------------------------------------------

TEST(DxfMirrored, ArcsAndCirclesWithExtrusionTowardsMinusZ)
{
    Shape shape;
    parseDxfText("  0\nSECTION\n  2\nENTITIES\n"
                 "  0\nARC\n 10\n10\n 20\n5\n 40\n4\n 50\n30\n 51\n100\n210\n0\n220\n0\n230\n-1\n"
                 "  0\nARC\n 10\n0\n 20\n0\n 40\n4\n 50\n300\n 51\n20\n230\n-1.0\n"
                 "  0\nCIRCLE\n 10\n-20\n 20\n5\n 40\n2\n230\n-1\n"
                 "  0\nARC\n 10\n10\n 20\n5\n 40\n4\n 50\n30\n 51\n100\n210\n0.6\n220\n0\n230\n-0.8\n"
                 "  0\nARC\n 10\n10\n 20\n5\n 40\n4\n 50\n30\n 51\n100\n230\n1\n"
                 "  0\nENDSEC\n  0\nEOF\n",
                 shape);
    expectShapeNear(shape,
                    {arcEntity(-10, 5, 4, 80, 150), arcEntity(0, 0, 4, 160, 240), arcEntity(20, 5, 2, 0, 0),
                     arcEntity(10, 5, 4, 30, 100), arcEntity(10, 5, 4, 30, 100)},
                    "mirrored");
}

// One record per shape entity in drawing coordinates, as ezdxf converts the same entities.
struct ReferenceRecord {
    std::string kind;
    std::vector<double> values;
};

std::vector<ReferenceRecord> readReference(const std::string& path)
{
    std::vector<ReferenceRecord> records;
    std::ifstream in(path);
    for (std::string text; std::getline(in, text);) {
        std::istringstream fields(text);
        ReferenceRecord record;
        fields >> record.kind;
        for (double v; fields >> v;) record.values.push_back(v);
        if (!record.kind.empty()) records.push_back(record);
    }
    return records;
}

void expectMatchesReference(const ShapeEntity& e, const ReferenceRecord& r, const std::string& where)
{
    const std::vector<double>& v = r.values;
    if (r.kind == "LINE") {
        ASSERT_EQ(v.size(), 4u);
        expectNear(e, lineEntity(v[0], v[1], v[2], v[3]), where);
    } else if (r.kind == "CIRCLE") {
        ASSERT_EQ(v.size(), 3u);
        expectNear(e, arcEntity(v[0], v[1], v[2], 0, 0), where);
    } else {
        ASSERT_EQ(r.kind, "ARC");
        ASSERT_EQ(v.size(), 9u);
        ASSERT_TRUE(e.isArc()) << where;
        EXPECT_TRUE(near({e.CX, e.CY}, {v[0], v[1]}) && std::fabs(e.RAD - v[2]) < kTolerance) << where;
        const Point start = pointOnArc(e, e.Nstart);
        const Point end = pointOnArc(e, e.Nend);
        const Point first{v[3], v[4]}, second{v[5], v[6]};
        EXPECT_TRUE((near(start, first) && near(end, second)) || (near(start, second) && near(end, first))) << where;
        EXPECT_TRUE(near(arcMiddle(e), {v[7], v[8]})) << where << ": the arc runs round the other side";
    }
}

TEST(DxfMirrored, AgreesWithAnIndependentReadersConversion)
{
    for (const std::string name : {"r12_mirrored", "r2018_mirrored"}) {
        Shape shape;
        const ShapeReadReport report = readDxfFile(dxfSample(name + ".dxf"), shape);
        EXPECT_TRUE(report.readable && report.notes.empty()) << name;
        const std::vector<ReferenceRecord> reference = readReference(dxfSample(name + ".txt"));
        ASSERT_EQ(reference.size(), 7u) << name;
        ASSERT_EQ(shape.size(), reference.size()) << name;
        for (std::size_t k = 0; k < shape.size(); ++k)
            expectMatchesReference(shape[k], reference[k], name + " entity " + std::to_string(k + 1));
    }
}

// --- drawings written by an independent writer ----------------------------------------------

const double kQuarterRadius = 10 * std::sqrt(2.0);

TEST(DxfSamples, Release12DrawingImportsItsGeometryAndItsInsertedBlock)
{
    Shape shape;
    const ShapeReadReport report = readDxfFile(dxfSample("r12_shapes.dxf"), shape);
    EXPECT_TRUE(report.readable);
    expectShapeNear(shape,
                    {lineEntity(0, 0, 100, 0), arcEntity(50, 50, 20, 30, 120), arcEntity(0, 0, 10, 270, 90),
                     arcEntity(200, 50, 10, 0, 0),
                     // closed polyline with a half circle on its right side
                     lineEntity(0, 0, 40, 0), arcEntity(40, 10, 10, 270, 90), lineEntity(40, 20, 0, 20),
                     lineEntity(0, 20, 0, 0),
                     // open polyline starting with a clockwise quarter circle
                     arcEntity(110, 90, kQuarterRadius, 45, 135), lineEntity(120, 100, 120, 130),
                     // the block BOLT inserted at (300, 300)
                     arcEntity(300, 300, 3, 0, 0), lineEntity(295, 300, 305, 300)},
                    "r12_shapes");
    EXPECT_EQ(report.skippedEntities, (Counts{{"POLYLINE (mesh)", 2}, {"TEXT", 1}, {"POINT", 1}}));
    EXPECT_EQ(report.notes, std::vector<std::string>{"skipped 2 POLYLINE (mesh), 1 TEXT, 1 POINT"});
}

TEST(DxfSamples, Release2018DrawingWithLightweightPolylines)
{
    Shape shape;
    const ShapeReadReport report = readDxfFile(dxfSample("r2018_shapes.dxf"), shape);
    EXPECT_TRUE(report.readable);
    const double a = degrees(std::atan2(10, 7.5)); // 53.13 degrees
    const double b = degrees(std::atan2(7.5, 10)); // 36.87 degrees
    expectShapeNear(shape,
                    {lineEntity(0, 0, 100, 0), arcEntity(50, 50, 20, 30, 120), arcEntity(200, 50, 10, 0, 0),
                     // closed: half circle out to the right, closing segment bent in clockwise
                     lineEntity(0, 0, 40, 0), arcEntity(40, 10, 10, 270, 90), lineEntity(40, 20, 0, 20),
                     arcEntity(-7.5, 10, 12.5, 360 - a, a),
                     // open: more than a half circle, below its chord; no closing segment
                     arcEntity(310, -7.5, 12.5, 180 - b, b), lineEntity(320, 0, 320, 30),
                     arcEntity(300, 300, 3, 0, 0), lineEntity(295, 300, 305, 300)},
                    "r2018_shapes");
    EXPECT_EQ(report.skippedEntities, (Counts{{"TEXT", 1}, {"POINT", 1}, {"SPLINE (fit points only)", 1},
                                              {"MTEXT", 1}, {"LINE (paper space)", 1}}));
    EXPECT_EQ(report.nonNumericFields, 0);
}

// --- benchmark parts: each drawing is the same outline as its shape file --------------------

void expectDrawingsMatchShapeFiles(const std::filesystem::path& folder, int& compared)
{
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        const std::filesystem::path drawing = item.path();
        if (drawing.extension() != ".dxf") continue;
        std::filesystem::path shapeFile = drawing;
        shapeFile.replace_extension(".shp");
        if (!std::filesystem::exists(shapeFile)) continue;
        Shape fromDrawing, fromShapeFile;
        const ShapeReadReport report = readDxfFile(drawing.string(), fromDrawing);
        readShapeFile(shapeFile.string(), fromShapeFile);
        EXPECT_TRUE(report.readable && report.notes.empty() && report.nonNumericFields == 0) << drawing;
        EXPECT_FALSE(fromDrawing.empty()) << drawing;
        expectShapeNear(fromDrawing, fromShapeFile, drawing.string());
        ++compared;
    }
}

TEST(DxfBenchParts, CopiedPartsMatchTheirShapeFiles)
{
    int compared = 0;
    expectDrawingsMatchShapeFiles(dxfSample("bench"), compared);
    EXPECT_EQ(compared, 2);
}

TEST(DxfBenchParts, EveryBenchmarkPartMatchesItsShapeFile)
{
    const std::filesystem::path bench = DRAVENOR_TEST_DATA "/../../../shared/bench";
    if (!std::filesystem::is_directory(bench)) GTEST_SKIP() << "no benchmark jobs beside the checkout";
    int compared = 0;
    expectDrawingsMatchShapeFiles(bench, compared);
    EXPECT_GT(compared, 0);
}

} // namespace
} // namespace dravenor
