// The standard-shape library: the type list, the values the window judges as they are typed, the
// entity lists users rely on (the order and fields a shape file gets, pinned by a golden file),
// each shape measured as a closed profile apart from the generator, and the parameters refused.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "job/number_format.h"
#include "library/standard_shapes.h"
#include "support/closed_profile.h"

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

} // namespace
} // namespace dravenor
