// The standard-shape library: the type list, the values the window judges as they are typed, the
// entity lists users rely on (the order and fields a shape file gets, pinned by a golden file),
// each shape measured as a closed profile apart from the generator, and the parameters refused.
// Breakups of rolled shells: the results and previews of the cases pinned by golden files, and
// the pieces of many shells checked to be closed, to fit their plates and to cover the developed
// surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>

#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "job/number_format.h"
#include "library/breakup.h"
#include "library/breakup_preview.h"
#include "library/standard_shapes.h"
#include "support/closed_profile.h"
#include "support/recording_surface.h"

namespace dravenor {
namespace {

struct StandardShapeCase { std::string caption; std::vector<double> parameters; double area; Extents extents; };

void PrintTo(const StandardShapeCase& c, std::ostream* os)
{
    *os << c.caption;
    for (double p : c.parameters) *os << " " << p;
}

// Every type the library generates itself (all but the cone and cylinder breakups), some twice.
std::vector<StandardShapeCase> standardShapeCases()
{
    constexpr double pi = std::numbers::pi;
    const auto sinD = [](double a) { return std::sin(a * std::numbers::pi / 180); };
    const auto cosD = [](double a) { return std::cos(a * std::numbers::pi / 180); };
    const double hexRadius = 10 / (2 * sinD(30));
    const double squareHalf = 10 / std::sqrt(2.0);
    return {
        {"Rectangle for Sheet", {2000, 1000}, 2e6, {0, 0, 1000, 2000}},
        {"Rectangle for Part", {1000, 2000}, 2e6, {0, 0, 2000, 1000}},
        {"Square", {30}, 900, {0, 0, 30, 30}},
        {"Circle", {50}, pi * 2500, {-50, -50, 50, 50}},
        {"Circle Breakup", {100, 90}, pi * 2500 / 4, {0, 0, 50, 50}},
        {"Circle Breakup", {100, 200}, pi * 2500 * 200 / 360, {-50, -50 * sinD(20), 50, 50}},
        {"Arc Section", {100, 60, 90}, pi / 4 * (10000 - 3600) / 4, {-50 * sinD(45), 30 * cosD(45), 50 * sinD(45), 50}},
        {"Arc Section", {100, 60, 240}, pi / 4 * (10000 - 3600) * 240 / 360, {-50, -25, 50, 50}},
        {"Right Triangle", {30, 40}, 600, {0, 0, 30, 40}},
        {"Polygon", {4, 10}, 100, {-squareHalf, -squareHalf, squareHalf, squareHalf}},
        {"Polygon", {6, 10}, 1.5 * std::sqrt(3.0) * 100, {-hexRadius * sinD(60), -hexRadius, hexRadius * sinD(60), hexRadius}},
        {"Notched Rectangle", {100, 60, 10}, 6000 - 4 * pi * 100 / 2, {0, 0, 100, 60}},
        {"Rounded Rectangle", {100, 60, 10}, 6000 - (4 - pi) * 100, {0, 0, 100, 60}},
        {"Rounded Rectangle", {100, 40, 20}, 4000 - (4 - pi) * 400, {0, 0, 100, 40}},
        {"Rounded Rectangle", {40, 40, 20}, pi * 400, {0, 0, 40, 40}},
        {"Right-angled Trapezoid", {50, 20, 40}, 1500, {0, 0, 50, 40}},
        {"Ring", {100, 50}, pi / 4 * (10000 - 2500), {-50, -50, 50, 50}},
        {"Ring Breakup", {100, 50, 90}, pi / 4 * (10000 - 2500) / 4, {0, 0, 50, 50}},
        {"Ring Breakup", {100, 50, 180}, pi / 4 * (10000 - 2500) / 2, {-50, 0, 50, 50}},
    };
}

TEST(StandardShapeTypes, ListsTheFifteenCaptionsInOrderFoundByTheExactCaption)
{
    const auto& types = standardShapeTypes();
    ASSERT_EQ(types.size(), 15u);
    EXPECT_EQ(types.front().caption + ", " + types[7].caption + ", " + types.back().caption,
              "Rectangle for Sheet, Polygon, Cylinder Breakup");
    EXPECT_EQ(findStandardShapeType("Cone Breakup")->parameters.size(), 8u);
    EXPECT_EQ(findStandardShapeType("ring"), nullptr);
}

TEST(StandardShapeTypes, OnlyTypedValuesAreJudgedUntilEveryNeededOneIsThere)
{
    const struct {
        const char* caption;
        std::vector<const char*> cells; // "" for a cell not typed
        bool complete;
        std::string problem;
    } cases[] = {
        {"Ring", {"", "100"}, false, ""}, // no Big Dia yet: nothing to say about Small Dia
        {"Ring", {"-5", ""}, false, "Ring: Big Dia (-5) must be greater than 0"},
        {"Polygon", {"2", ""}, false, "Polygon: Sides (2) must be a whole number from 3 to 1000"},
        {"Ring", {"50", "100"}, true, ""}, // both typed: the shape itself says what is wrong
        // Dia Big, Dia Small, Height, Plate Wid, Seg Wid, Ang Br, Kerf, FileName.
        {"Cone Breakup", {"1000", "", "", "", "", "", "", ""}, false, ""},
        {"Cone Breakup", {"1000", "", "-5", "", "", "", "", ""}, false, "Height (-5) must not be negative"},
        {"Cone Breakup", {"", "", "", "", "", "", "0", ""}, false, "Kerf (0) must be greater than 0"},
        {"Cone Breakup", {"1000", "", "800", "1200", "", "", "2", ""}, true, ""},
        {"Cone Breakup", {"1000", "", "800", "1200", "0", "0", "2", ""}, true, ""},
        // Dia, Height, Plate Len, Plate Wid, Seg Wid, Kerf, FileName.
        {"Cylinder Breakup", {"1000", "1500", "2500", "", "-1", "", ""}, false, "Seg Wid (-1) must not be negative"},
        {"Cylinder Breakup", {"1000", "1500", "2500", "1250", "", "2", ""}, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.caption) + " " + ::testing::PrintToString(c.cells));
        const StandardShapeType* type = findStandardShapeType(c.caption);
        ASSERT_NE(type, nullptr);
        TypedParameters typed;
        for (const char* cell : c.cells) {
            typed.values.push_back(leadingNumber(cell));
            typed.typed.push_back(*cell != '\0');
        }
        EXPECT_EQ(everyNeededValueTyped(*type, typed), c.complete);
        EXPECT_EQ(typedValueProblem(*type, typed), c.problem);
    }
}

TEST(StandardShapes, EntityListsMatchTheGoldenFileAndMeasureAsTheirParametersSay)
{
    testing::Sections results;
    const auto generated = [&results](const std::string& caption, const std::vector<double>& parameters,
                                      double rotation = 0) {
        const StandardShapeResult made = generateStandardShape(caption, parameters, rotation);
        EXPECT_TRUE(made.ok()) << made.message;
        std::string title = caption, text;
        for (double p : parameters) title += testing::goldenNumbers({p});
        if (rotation != 0) title += ", turned by" + testing::goldenNumbers({rotation});
        for (const ShapeEntity& e : made.shape) text += testing::goldenEntity(e) + "\n";
        results.push_back({title, text});
        return made.shape;
    };
    for (const StandardShapeCase& c : standardShapeCases()) {
        SCOPED_TRACE(::testing::PrintToString(c));
        testing::expectClosedProfile(generated(c.caption, c.parameters), c.area, c.extents);
    }
    generated("Arc Section", {100, 60, 400}); // an angle past a whole turn
    generated("Ring Breakup", {100, 50, 60});
    // Turned about the centre of the extents, keeping the area.
    const Extents box = shapeExtents(generated("Rectangle for Part", {50, 100}, 90));
    for (auto [got, want] : {std::pair{box.xmin, 25.0}, {box.ymin, -25.0}, {box.xmax, 75.0}, {box.ymax, 75.0}})
        EXPECT_NEAR(got, want, 1e-9);
    const ShapeMeasure m = measureShape(generated("Ring Breakup", {100, 50, 90}, 45));
    EXPECT_TRUE(m.closed);
    EXPECT_NEAR(m.enclosedArea, kPi / 4 * 7500 / 4, 3e-4 * kPi / 4 * 7500 / 4);
    testing::expectGolden("library/standard_shapes.txt", testing::joinSections(results));
}

TEST(StandardShapes, PolygonSidesAllHaveTheTypedLengthAndCloseExactly)
{
    for (int sides : {3, 5, 7, 12, 100, 999}) {
        const StandardShapeResult polygon = generateStandardShape("Polygon", {double(sides), 25});
        ASSERT_EQ(polygon.shape.size(), std::size_t(sides));
        for (std::size_t i = 0; i < polygon.shape.size(); ++i) {
            const ShapeEntity &e = polygon.shape[i], &next = polygon.shape[(i + 1) % polygon.shape.size()];
            EXPECT_NEAR(std::hypot(e.X2 - e.X1, e.Y2 - e.Y1), 25, 1e-9) << sides << " sides, side " << i;
            EXPECT_TRUE(e.X2 == next.X1 && e.Y2 == next.Y1) << sides << " sides, side " << i;
        }
    }
}

TEST(StandardShapes, BadValuesGiveAMessageNamingTheParameterAndNoShape)
{
    const struct {
        const char* caption;
        std::vector<double> parameters;
        const char* named;
        double rotation = 0;
    } cases[] = {
        {"Ring", {50, 100}, "Small Dia"}, {"Ring", {100, 100}, "Small Dia"},
        {"Ring", {100, 0}, "Small Dia"}, {"Rectangle for Sheet", {100, 0}, "Small Length"},
        {"Rectangle for Part", {-5, 100}, "Small Length"}, {"Square", {}, "Length"},
        {"Circle", {0}, "Rad"}, {"Polygon", {2, 10}, "Sides"},
        {"Polygon", {4.5, 10}, "Sides"}, {"Polygon", {5000, 10}, "Sides"},
        {"Notched Rectangle", {100, 60, 30}, "Notch Rad"}, {"Rounded Rectangle", {100, 60, 31}, "Corner Rad"},
        {"Rounded Rectangle", {100, 60, 0}, "Corner Rad"}, {"Circle Breakup", {100, 360}, "Ang Br"},
        {"Circle Breakup", {100, 0}, "Ang Br"}, {"Ring Breakup", {100, 120, 90}, "Small Dia"},
        {"Ring Breakup", {100, 50, -30}, "Ang Br"}, {"Arc Section", {100, 60, 720}, "Angle"},
        {"Right-angled Trapezoid", {50, 20, 0}, "Right Height"}, {"Right Triangle", {std::nan(""), 10}, "Base"},
        {"Cone Breakup", {100, 50, 100, 1000, 200, 30, 2, 0}, "segment files"},
        {"Hexagon", {10}, "not a standard shape type"},
        {"Square", {10}, "", std::nan("")}, // a rotation that is not a number
    };
    for (const auto& c : cases) {
        const StandardShapeResult r = generateStandardShape(c.caption, c.parameters, c.rotation);
        EXPECT_FALSE(r.ok()) << c.caption << " / " << c.named;
        EXPECT_TRUE(r.shape.empty()) << c.caption << " / " << c.named;
        EXPECT_NE(r.message.find(c.named), std::string::npos) << r.message;
    }
}

CylinderBreakupParams shell(double height, double diameter = 1000)
{
    return {.diameter = diameter, .height = height, .plateLength = 2500, .plateWidth = 1250, .segmentWidth = 100,
            .kerf = 2};
}

ConeBreakupParams cone(double small, int divisions, double plateWidth, double segmentWidth = 200)
{
    return {.bigDiameter = 3000, .smallDiameter = small, .height = 2000, .plateWidth = plateWidth,
            .segmentWidth = segmentWidth, .angularDivisions = divisions, .kerf = 2};
}

std::string numbers(const std::vector<double>& values)
{
    std::string text;
    for (double v : values) text += testing::goldenNumbers({v});
    return text;
}

std::string described(const BreakupResult& r)
{
    const Development& d = r.development;
    std::string text = (r.ok ? "ok: " : "refused: ") + r.message + " / " + r.reason + "\ndevelopment" +
                       testing::goldenNumbers({d.width, d.height, d.outerRadius, d.innerRadius, d.angleRadians}) +
                       ", divisions " + std::to_string(d.divisions) + "\nrows" + numbers(d.rowWidths) + "\ncolumns" +
                       numbers(d.columnLengths) + "\nbands" + numbers(d.bandRadii) + "\n";
    for (const BreakupPiece& p : r.pieces) {
        text += "piece " + breakupFileName("", "s", p) + ", width and length" +
                testing::goldenNumbers({p.width, p.length}) + "\n";
        for (const ShapeEntity& e : p.outline) text += "  " + testing::goldenEntity(e) + "\n";
    }
    return text;
}

TEST(Breakup, CasesMatchTheGoldenFile)
{
    CylinderBreakupParams narrowColumn = shell(1000, 1020); // circumference 3204.42
    narrowColumn.plateLength = 1054; // three columns of 1050 and 54.42, less than 100
    CylinderBreakupParams thin = shell(1500), tiny = shell(1500), tooWide = shell(1300);
    thin.kerf = 0;
    tiny.plateWidth = 4; // nothing left after the kerf
    tooWide.segmentWidth = 1300; // the widened last row would not fit the plate
    ConeBreakupParams flatCone = cone(1000, 4, 1500), shallow{3000, 2500, 200, 3300, 0, 1, 2};
    flatCone.kerf = 0;
    // A shallow frustum in one division spans 281 degrees: the outer arc's ends hang below the
    // inner arc's chord, and 3296 across is less than the 3401 the piece needs.
    ConeBreakupParams shallowFits = shallow, noHeight = cone(1000, 4, 1500);
    shallowFits.plateWidth = 3410;
    noHeight.height = 0;
    const std::pair<const char*, BreakupResult> cases[] = {
        {"cylinder in a plate-sized grid: four distinct pieces", cylinderBreakup(shell(1500))},
        {"cylinder whose narrow last row is widened", cylinderBreakup(shell(1300))},
        {"cylinder whose narrow last column is widened", cylinderBreakup(narrowColumn)},
        {"cylinder one column round and four plates high: one piece four times",
         cylinderBreakup({400 / kPi, 2000, 1004, 504, 0, 2})},
        {"cylinder whose first and last columns hold one piece turned",
         cylinderBreakup({1050 / kPi, 800, 504, 504, 300, 2})},
        {"cylinder without kerf", cylinderBreakup(thin)},
        {"cylinder without height", cylinderBreakup(shell(0))},
        {"cylinder of negative diameter", cylinderBreakup(shell(1500, -5))},
        {"cylinder plate narrower than the kerfs", cylinderBreakup(tiny)},
        {"cylinder segment width wider than the plate", cylinderBreakup(tooWide)},
        {"cone whose wide divisions are cut into bands", coneBreakup(cone(1000, 4, 1500))},
        {"cone whose narrow innermost band is widened", coneBreakup(cone(1000, 4, 1100, 400))},
        {"cone with one division per plate", coneBreakup(cone(1000, 6, 3000))},
        {"full cone ending in a pie slice", coneBreakup(cone(0, 8, 5000))},
        {"cone of zero divisions", coneBreakup(cone(2000, 0, 5000))},
        {"cone of one division", coneBreakup(cone(2000, 1, 5000))},
        {"cone over a half turn, plate too narrow", coneBreakup(shallow)},
        {"cone over a half turn", coneBreakup(shallowFits)},
        {"cone of equal diameters", coneBreakup(cone(3000, 4, 1500))},
        {"cone whose small diameter is bigger", coneBreakup(cone(3500, 4, 1500))},
        {"cone without kerf", coneBreakup(flatCone)},
        {"cone without height", coneBreakup(noHeight)},
        {"cone whose one division bulges more than the plate is wide", coneBreakup(cone(1000, 1, 300))},
        {"cone segment width wider than the plate", coneBreakup(cone(1000, 4, 1100, 1090))},
    };
    testing::Sections results;
    for (const auto& [name, result] : cases) {
        EXPECT_EQ(result.pieces.empty(), !result.ok) << name;
        results.push_back({name, described(result)});
    }
    testing::expectGolden("library/breakup.txt", testing::joinSections(results));
}

void expectClosedPiecesCovering(const BreakupResult& r, double area, double error, const std::string& where)
{
    double covered = 0;
    for (const BreakupPiece& p : r.pieces) {
        const ShapeMeasure m = measureShape(p.outline);
        EXPECT_TRUE(m.closed && m.closedOutlines == 1 && m.degenerate == 0) << where << " piece " << p.number;
        covered += m.enclosedArea * p.count;
    }
    EXPECT_NEAR(covered, area, error * area) << where;
}

TEST(CylinderBreakup, PiecesAreClosedFitThePlateAndCoverTheShell)
{
    for (double height : {400.0, 1300.0, 1500.0, 3737.5})
        for (double dia : {150.0, 1000.0, 2345.6}) {
            const BreakupResult r = cylinderBreakup(shell(height, dia));
            ASSERT_TRUE(r.ok) << r.reason;
            const std::string where = std::to_string(height) + " x " + std::to_string(dia);
            expectClosedPiecesCovering(r, kPi * dia * height, 1e-6, where);
            for (const BreakupPiece& piece : r.pieces) {
                EXPECT_LE(piece.width, 1246 + 1e-9) << where;
                EXPECT_LE(piece.length, 2496 + 1e-9) << where;
                EXPECT_GE(std::min(piece.width, piece.length), std::min({100.0, height, kPi * dia}) - 1e-9) << where;
            }
        }
    EXPECT_EQ(stripCount(1500, 1246), 2);
    EXPECT_EQ(stripCount(1246, 1246), 1);
    EXPECT_EQ(stripCount(100, 1246), 1);
    EXPECT_EQ(stripCount(0.3, 0.1), 3); // 0.3 / 0.1 is 3.0000000000000004
}

TEST(ConeBreakup, SectorsFollowTheSlantAndPiecesFitThePlateAndCoverTheFrustum)
{
    int developed = 0, banded = 0;
    for (double small : {0.0, 400.0, 1000.0, 2500.0})
        for (int divisions : {2, 3, 5, 12})
            for (double plate : {700.0, 1500.0, 5000.0}) {
                const BreakupResult r = coneBreakup(cone(small, divisions, plate));
                const std::string where = std::to_string(small) + " " + std::to_string(divisions) + " " +
                                          std::to_string(plate);
                if (!r.ok) {
                    EXPECT_EQ(r.message, kPlateTooSmallMessage) << where;
                    continue;
                }
                ++developed;
                banded += r.pieces.size() > 1;
                // The development's radius is the slant from the apex; its angle is the
                // circumference over that radius.
                const double slant = std::hypot(2000.0, 1500 - small / 2), outer = 1500 * slant / (1500 - small / 2);
                EXPECT_NEAR(r.development.outerRadius, outer, 1e-9 * outer) << where;
                EXPECT_NEAR(r.development.innerRadius, outer * small / 3000, 1e-9 * outer) << where;
                EXPECT_NEAR(r.development.angleRadians, kPi * 3000 / outer, 1e-12) << where;
                expectClosedPiecesCovering(r, kPi * (1500 + small / 2) * slant, 2e-3, where);
                for (const BreakupPiece& piece : r.pieces)
                    EXPECT_LE(shapeExtents(piece.outline).height(), plate - 4 + 1e-9) << where;
            }
    EXPECT_GE(developed, 30);
    EXPECT_GE(banded, 10);

    // Widening the innermost band takes from the band outside it.
    const BreakupResult loose = coneBreakup(cone(1000, 4, 1100, 0));
    ASSERT_GE(loose.pieces.size(), 2u);
    const double innermost = loose.pieces.back().width;
    const BreakupResult r = coneBreakup(cone(1000, 4, 1100, innermost + 50));
    ASSERT_EQ(r.pieces.size(), loose.pieces.size());
    EXPECT_NEAR(r.pieces.back().width, innermost + 50, 1e-9);
    EXPECT_NEAR(r.pieces.end()[-2].width, loose.pieces.end()[-2].width - 50, 1e-9);
    EXPECT_EQ(breakupCompletionMessage({"/a/s-1x2.dxf", "/a/s-2x2.dxf"}),
              "Following Files are created !\n/a/s-1x2.dxf\n/a/s-2x2.dxf\n");
}

TEST(BreakupPreview, DrawingsMatchTheGoldenFile)
{
    testing::Sections results;
    testing::RecordingSurface s;
    s.setScale({0, 0, 100, 100});
    // Files the drawing made since the last one under the name and starts a fresh one.
    const auto drawn = [&](const std::string& name) {
        results.push_back({name, testing::goldenDrawing(s)});
        s = testing::RecordingSurface();
        s.setScale({0, 0, 100, 100});
    };
    drawCylinderBreakupPreview(cylinderBreakup(shell(1500)), s);
    drawn("cylinder: every plate with running sizes");
    drawCylinderBreakupPreview(cylinderBreakup({10000, 10000, 104, 34, 0, 2}), s);
    drawn("very fine cylinder of 334 rows and 315 columns: a bounded picture that says so");
    CylinderBreakupParams thin = shell(1500);
    thin.kerf = 0;
    drawCylinderBreakupPreview(cylinderBreakup(thin), s);
    drawn("cylinder without kerf: only the message");
    drawConeBreakupPreview(coneBreakup(cone(3500, 4, 1500)), s);
    drawn("cone of a bigger small diameter: only the message");
    drawConeBreakupPreview(coneBreakup(cone(1000, 4, 1500)), s);
    drawn("cone sector fitting the view with its divisions");
    drawConeBreakupPreview(coneBreakup(cone(1000, 1, 300)), s);
    drawn("cone too wide for its plate: sector and the message above it");
    testing::expectGolden("library/breakup_preview.txt", testing::joinSections(results));
}

} // namespace
} // namespace dravenor
