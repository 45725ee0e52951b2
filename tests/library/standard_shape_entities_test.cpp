// The entity lists users rely on (the order and fields a shape file gets), the type list, and
// the parameters the library refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "job/number_format.h"
#include "library/standard_shapes.h"

using namespace dravenor;

namespace {

ShapeEntity line(double x1, double y1, double x2, double y2)
{
    ShapeEntity e;
    e.X1 = x1, e.Y1 = y1, e.X2 = x2, e.Y2 = y2;
    return e;
}

Shape made(const std::string& caption, const std::vector<double>& p)
{
    const StandardShapeResult r = generateStandardShape(caption, p);
    EXPECT_TRUE(r.ok()) << caption << ": " << r.message;
    return r.shape;
}

TEST(StandardShapeTypes, ListsTheFifteenCaptionsInOrderWithTheirParameters)
{
    const auto& types = standardShapeTypes();
    ASSERT_EQ(types.size(), 15u);
    EXPECT_EQ(types.front().caption, "Rectangle for Sheet");
    EXPECT_EQ(types[7].caption, "Polygon");
    EXPECT_EQ(types.back().caption, "Cylinder Breakup");
    const StandardShapeType* part = findStandardShapeType("Rectangle for Part");
    ASSERT_NE(part, nullptr);
    ASSERT_EQ(part->parameters.size(), 2u);
    EXPECT_EQ(part->parameters[0].caption, "Small Length");
    EXPECT_EQ(findStandardShapeType("Cone Breakup")->parameters.size(), 8u);
    EXPECT_EQ(findStandardShapeType("ring"), nullptr); // the caption is matched exactly
}

TEST(StandardShapeTypes, OnlyTypedValuesAreJudgedUntilEveryNeededOneIsThere)
{
    struct Case {
        const char* caption;
        std::vector<const char*> cells; // "" for a cell not typed
        bool complete;
        std::string problem;
    };
    const std::vector<Case> cases{
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
    for (const Case& c : cases) {
        const StandardShapeType* type = findStandardShapeType(c.caption);
        ASSERT_NE(type, nullptr);
        TypedParameters typed;
        for (const char* cell : c.cells) {
            typed.values.push_back(leadingNumber(cell));
            typed.typed.push_back(*cell != '\0');
        }
        EXPECT_EQ(everyNeededValueTyped(*type, typed), c.complete) << c.caption << " " << ::testing::PrintToString(c.cells);
        EXPECT_EQ(typedValueProblem(*type, typed), c.problem) << c.caption << " " << ::testing::PrintToString(c.cells);
    }
}

TEST(StandardShapeEntities, SheetRectangleRunsUpTheBigLengthFirst)
{
    EXPECT_EQ(made("Rectangle for Sheet", {2000, 1000}),
              (Shape{line(0, 0, 0, 2000), line(0, 2000, 1000, 2000), line(1000, 2000, 1000, 0), line(1000, 0, 0, 0)}));
}

TEST(StandardShapeEntities, CircleTakesARadiusAndRingTakesDiameters)
{
    const Shape circle = made("Circle", {50});
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_TRUE(circle[0].isCircle());
    EXPECT_EQ(circle[0].RAD, 50);

    const Shape ring = made("Ring", {100, 50});
    ASSERT_EQ(ring.size(), 2u);
    EXPECT_EQ(ring[0].RAD, 50);
    EXPECT_EQ(ring[1].RAD, 25);
}

TEST(StandardShapeEntities, PolygonStartsAtTheTopAndRunsClockwise)
{
    const Shape square = made("Polygon", {4, 10});
    ASSERT_EQ(square.size(), 4u);
    const double r = 5 / std::sin(M_PI / 4);
    EXPECT_NEAR(square[0].X1, 0, 1e-9);
    EXPECT_NEAR(square[0].Y1, r, 1e-9);
    EXPECT_NEAR(square[0].X2, r, 1e-9);
    EXPECT_NEAR(square[0].Y2, 0, 1e-9);
    EXPECT_NEAR(std::hypot(square[0].X2 - square[0].X1, square[0].Y2 - square[0].Y1), 10, 1e-9);
}

TEST(StandardShapeEntities, PolygonSidesAllHaveTheTypedLengthAndCloseExactly)
{
    for (int sides : {3, 5, 7, 12, 100, 999}) {
        const Shape polygon = made("Polygon", {double(sides), 25});
        ASSERT_EQ(polygon.size(), std::size_t(sides));
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const ShapeEntity& e = polygon[i];
            EXPECT_NEAR(std::hypot(e.X2 - e.X1, e.Y2 - e.Y1), 25, 1e-9) << sides << " sides, side " << i;
            const ShapeEntity& next = polygon[(i + 1) % polygon.size()];
            EXPECT_EQ(e.X2, next.X1);
            EXPECT_EQ(e.Y2, next.Y1);
        }
    }
}

TEST(StandardShapeEntities, ArcSectionAngleIsBroughtIntoOneTurn)
{
    const Shape narrow = made("Arc Section", {100, 60, 400});
    EXPECT_NEAR(narrow[0].Nstart, 70, 1e-9);
    EXPECT_NEAR(narrow[0].Nend, 110, 1e-9);

    const Shape wide = made("Arc Section", {100, 60, 240});
    ASSERT_EQ(wide.size(), 4u);
    for (int i : {0, 1}) {
        EXPECT_NEAR(wide[i].Nstart, 330, 1e-9);
        EXPECT_NEAR(wide[i].Nend, 210, 1e-9);
    }
    EXPECT_EQ(wide[0].RAD, 50);
    EXPECT_EQ(wide[1].RAD, 30);
}

TEST(StandardShapeEntities, BreakupsMakeOneSegment)
{
    EXPECT_EQ(made("Circle Breakup", {100, 60}).size(), 3u);
    const Shape ring = made("Ring Breakup", {100, 50, 60});
    ASSERT_EQ(ring.size(), 4u);
    EXPECT_EQ(ring[0], line(50, 0, 25, 0));
    EXPECT_EQ(ring[2].Nend, 60);
}

TEST(StandardShapeEntities, NotchesBulgeIntoThePlate)
{
    const Shape plate = made("Notched Rectangle", {100, 60, 10});
    ASSERT_EQ(plate.size(), 12u);
    EXPECT_EQ(plate[0], line(0, 0, 40, 0));
    EXPECT_EQ(plate[1], line(60, 0, 100, 0));
    // Bottom notch centred on the lower edge, sweeping over the plate (0 -> 180).
    EXPECT_EQ(plate[8].CX, 50);
    EXPECT_EQ(plate[8].CY, 0);
    EXPECT_EQ(plate[8].Nstart, 0);
    EXPECT_EQ(plate[8].Nend, 180);
}

struct Refusal {
    std::string caption;
    std::vector<double> parameters;
    std::string named; // what the message must name
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.caption << " / " << r.named; }

class RefusedParameters : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedParameters, GiveAMessageNamingTheParameterAndNoShape)
{
    const Refusal& c = GetParam();
    const StandardShapeResult r = generateStandardShape(c.caption, c.parameters);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.shape.empty());
    EXPECT_NE(r.message.find(c.named), std::string::npos) << r.message;
}

INSTANTIATE_TEST_SUITE_P(
    BadValues, RefusedParameters,
    ::testing::Values(Refusal{"Ring", {50, 100}, "Small Dia"}, Refusal{"Ring", {100, 100}, "Small Dia"},
                      Refusal{"Ring", {100, 0}, "Small Dia"}, Refusal{"Rectangle for Sheet", {100, 0}, "Small Length"},
                      Refusal{"Rectangle for Part", {-5, 100}, "Small Length"},
                      Refusal{"Square", {}, "Length"}, Refusal{"Circle", {0}, "Rad"},
                      Refusal{"Polygon", {2, 10}, "Sides"}, Refusal{"Polygon", {4.5, 10}, "Sides"},
                      Refusal{"Polygon", {5000, 10}, "Sides"},
                      Refusal{"Notched Rectangle", {100, 60, 30}, "Notch Rad"},
                      Refusal{"Rounded Rectangle", {100, 60, 31}, "Corner Rad"},
                      Refusal{"Rounded Rectangle", {100, 60, 0}, "Corner Rad"},
                      Refusal{"Circle Breakup", {100, 360}, "Ang Br"}, Refusal{"Circle Breakup", {100, 0}, "Ang Br"},
                      Refusal{"Ring Breakup", {100, 120, 90}, "Small Dia"},
                      Refusal{"Ring Breakup", {100, 50, -30}, "Ang Br"},
                      Refusal{"Arc Section", {100, 60, 720}, "Angle"},
                      Refusal{"Right-angled Trapezoid", {50, 20, 0}, "Right Height"},
                      Refusal{"Right Triangle", {std::nan(""), 10}, "Base"},
                      Refusal{"Cone Breakup", {100, 50, 100, 1000, 200, 30, 2, 0}, "segment files"},
                      Refusal{"Hexagon", {10}, "not a standard shape type"}));

TEST(RefusedRotation, ANonFiniteRotationIsRefused)
{
    EXPECT_FALSE(generateStandardShape("Square", {10}, std::nan("")).ok());
}

} // namespace
