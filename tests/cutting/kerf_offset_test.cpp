// Kerf compensation of single contours: lengths and areas worked out by hand for each shape,
// and every point of the path checked at half the kerf from the drawn outline.
#include <gtest/gtest.h>

#include <cmath>

#include "cut_layouts.h"
#include "cutting/kerf_offset.h"
#include "cutting/part_contours.h"

namespace dravenor::cutting {
namespace {

using test::circle;
using test::joined;
using test::polygon;
using test::rectangle;

constexpr double kPi = 3.14159265358979;

struct OffsetCase {
    const char* name;
    Shape shape;
    double outerLength; // expected path length of the outer contour
    double holeLength;  // of the hole, when there is one (0: none or not cut)
    bool leftUncut = false; // a notch or a lobe is out of the torch's reach
};

constexpr double kHalf = 1.5; // half a 3 mm kerf
// The arcs of the offset about the corners of a convex outline make one whole turn.
const double kTurn = 2 * kPi * kHalf;
// Two arcs of the offset about the corners of a mouth 2 wide meet in the middle instead of the
// straight 2 between them.
const double kBridge = 3 * std::asin(2.0 / 3) - 2;

class KerfOffsetCases : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(KerfOffsetCases, PathLengthAndDistance)
{
    const OffsetCase& c = GetParam();
    const PartContours part = partContours(c.shape, 0.01);
    std::vector<const PiecePath*> guards;
    for (const Contour& k : part.contours) guards.push_back(&k.path);
    for (const Contour& k : part.contours) {
        const OffsetContour path = offsetContour(k.path, kHalf, guards);
        const double expected = k.hole ? c.holeLength : c.outerLength;
        if (k.hole && expected == 0) {
            EXPECT_FALSE(path.ok) << "a hole too small for the kerf must not be cut";
            continue;
        }
        ASSERT_TRUE(path.ok);
        EXPECT_EQ(path.leftUncut, c.leftUncut && (k.hole == (c.holeLength > 0)));
        EXPECT_NEAR(pathLength(path.path), expected, 1e-6);
        // Closed, and everywhere half the kerf from the outline on the waste side.
        EXPECT_LT(distance(path.path.front().a, path.path.back().b), 1e-9);
        for (const PathPiece& p : path.path)
            for (double t : {0.0, 0.3, 0.7})
                EXPECT_GE(distanceToPaths(pointAt(p, t), guards), kHalf - 1e-9);
        // Outer paths enclose more than the part, hole paths less than the hole.
        const double drawn = std::abs(doubleSignedArea(k.path)), cut = std::abs(doubleSignedArea(path.path));
        EXPECT_TRUE(k.hole ? cut < drawn : cut > drawn);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, KerfOffsetCases,
    ::testing::Values(
        // Four convex corners: the sides plus a whole turn of the offset.
        OffsetCase{"square", rectangle(0, 0, 100, 50), 300 + kTurn, 0},
        OffsetCase{"disc", circle(50, 50, 20), 2 * kPi * 21.5, 0},
        OffsetCase{"ring", joined(circle(50, 50, 30), circle(50, 50, 10)), 2 * kPi * 31.5, 2 * kPi * 8.5},
        // A 2 mm hole under a 3 mm kerf cannot be cut at its size.
        OffsetCase{"small_hole", joined(rectangle(0, 0, 40, 40), circle(20, 20, 1)), 160 + kTurn, 0},
        // Square hole: its corners turn into the part, the path meets itself at them.
        OffsetCase{"square_hole", joined(rectangle(0, 0, 100, 100), rectangle(30, 30, 40, 20)), 400 + kTurn, 2 * (37 + 17)},
        // An L, 100 x 100 less its 60 x 60 top-right corner: five convex corners get quarter arcs,
        // the sides at the inward corner lose 1.5 each.
        OffsetCase{"L", polygon({{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}}), 400 - 3 + 5 * kPi / 2 * kHalf, 0},
        // A slot 2 wide cannot take a 3 mm kerf.
        OffsetCase{"narrow_slot", joined(rectangle(0, 0, 100, 100), rectangle(20, 40, 60, 2)), 400 + kTurn, 0},
        // A notch 2 wide and 30 deep in the top edge: the path bridges its mouth, the notch stays.
        OffsetCase{"narrow_notch", polygon({{0, 0}, {100, 0}, {100, 100}, {51, 100}, {51, 70}, {49, 70}, {49, 100}, {0, 100}}),
                   400 + kTurn + kBridge, 0, true},
        // Two square lobes of a hole joined by a channel 2 wide: one lobe is cut, bridging the channel.
        OffsetCase{"pinched_hole",
                   joined(rectangle(0, 0, 100, 100), polygon({{20, 20}, {40, 20}, {40, 29}, {60, 29}, {60, 20}, {80, 20}, {80, 40},
                                                              {60, 40}, {60, 31}, {40, 31}, {40, 40}, {20, 40}})),
                   400 + kTurn, 68 + kBridge, true}),
    [](const ::testing::TestParamInfo<OffsetCase>& info) { return std::string(info.param.name); });

TEST(PartContours, OuterClockwiseHolesCounterClockwise)
{
    const PartContours part = partContours(joined(rectangle(0, 0, 100, 100), circle(50, 50, 10)), 0.01);
    ASSERT_EQ(part.contours.size(), 2u);
    for (const Contour& c : part.contours) EXPECT_EQ(doubleSignedArea(c.path) > 0, c.hole);
    EXPECT_NEAR(std::abs(doubleSignedArea(part.contours[1].path)) / 2, kPi * 100, 1e-9);
}

TEST(PartContours, AnOpenChainIsLeftOutAndCounted)
{
    Shape open = rectangle(0, 0, 10, 10);
    open.pop_back();
    EXPECT_EQ(partContours(open, 0.01).openChains, 1);
    EXPECT_TRUE(partContours(open, 0.01).contours.empty());
}

} // namespace
} // namespace dravenor::cutting
