// Exact distances between lines, arcs and circles: hand-worked cases, then random pairs against
// dense sampling of their points.
#include "geometry/entity_distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/golden_file.h"
#include "geometry/shape_builders.h"

namespace dravenor::testing {
namespace {

struct DistanceCase { const char* what; ShapeEntity a, b; double expected; };

TEST(EntityDistance, HandWorkedPairs)
{
    const double r2 = std::sqrt(2.0);
    const DistanceCase cases[] = {
        {"parallel lines 3 apart", lineEntity(0, 0, 10, 0), lineEntity(0, 3, 10, 3), 3},
        {"lines end to end", lineEntity(0, 0, 10, 0), lineEntity(13, 4, 20, 4), 5},
        {"crossing lines", lineEntity(0, 0, 10, 10), lineEntity(0, 10, 10, 0), 0},
        {"collinear lines 2.9 apart", lineEntity(0, 0, 10, 0), lineEntity(12.9, 0, 20, 0), 2.9},
        {"line touching a circle", lineEntity(-20, 10, 20, 10), arcEntity(0, 0, 10, 0, 0), 0},
        {"line above a circle", lineEntity(-20, 13, 20, 13), arcEntity(0, 0, 10, 0, 0), 3},
        {"line through a circle", lineEntity(-20, 1, 20, 1), arcEntity(0, 0, 10, 0, 0), 0},
        {"short line inside a circle", lineEntity(-2, 0, 2, 0), arcEntity(0, 0, 10, 0, 0), 8},
        {"line above the lower half only", lineEntity(-20, 13, 20, 13), arcEntity(0, 0, 10, 180, 360), 13},
        {"line beside an arc's end", lineEntity(13, -5, 13, 5), arcEntity(0, 0, 10, 90, 270), std::sqrt(194.0)},
        {"circles 3 apart", arcEntity(0, 0, 10, 0, 0), arcEntity(23, 0, 10, 0, 0), 3},
        {"circles 2.9 apart", arcEntity(0, 0, 10, 0, 0), arcEntity(22.9, 0, 10, 0, 0), 2.9},
        {"crossing circles", arcEntity(0, 0, 10, 0, 0), arcEntity(15, 0, 10, 0, 0), 0},
        {"circle within a circle", arcEntity(0, 0, 10, 0, 0), arcEntity(2, 0, 5, 0, 0), 3},
        {"concentric arcs facing", arcEntity(0, 0, 10, 0, 90), arcEntity(0, 0, 13, 45, 135), 3},
        {"concentric arcs apart", arcEntity(0, 0, 10, 0, 90), arcEntity(0, 0, 10, 180, 270), 10 * r2},
        {"arcs turned away", arcEntity(0, 0, 10, 90, 270), arcEntity(30, 0, 10, 270, 90), 30},
        {"negative radius mirrors", arcEntity(0, 0, -10, 180, 360), lineEntity(-20, 13, 20, 13), 3},
    };
    for (const DistanceCase& c : cases) {
        EXPECT_NEAR(entityDistance(c.a, c.b), c.expected, 1e-9) << c.what;
        EXPECT_NEAR(entityDistance(c.b, c.a), c.expected, 1e-9) << c.what << " (swapped)";
    }
}

ShapeEntity randomEntity(std::mt19937& random)
{
    std::uniform_real_distribution<double> place(-30, 30), size(0.5, 20), angle(0, 360);
    std::uniform_int_distribution<int> kind(0, 2);
    switch (kind(random)) {
    case 0: return lineEntity(place(random), place(random), place(random), place(random));
    case 1: return arcEntity(place(random), place(random), size(random), 0, 0);
    default: return arcEntity(place(random), place(random), size(random), angle(random), angle(random));
    }
}

// The least distance over many points of one entity can only lie above the exact one, and by
// no more than half the spacing of the points; a point's distance is checked the same way.
TEST(EntityDistance, AgreesWithDenseSamplingOnRandomPairs)
{
    std::mt19937 random(7);
    constexpr int kPoints = 4000;
    for (int trial = 0; trial < 300; ++trial) {
        const ShapeEntity a = randomEntity(random), b = randomEntity(random);
        const double exact = entityDistance(a, b);
        double sampled = 1e300;
        for (const auto& [x, y] : pointsAlong(a, kPoints)) sampled = std::min(sampled, pointEntityDistance(x, y, b));
        const double step = 2 * M_PI * 30 / kPoints + 90.0 / kPoints;
        EXPECT_GE(sampled, exact - 1e-9) << "trial " << trial;
        EXPECT_LE(sampled, exact + step) << "trial " << trial;

        const auto [px, py] = pointsAlong(a, 7)[3];
        double pointSampled = 1e300;
        for (const auto& [x, y] : pointsAlong(b, kPoints)) pointSampled = std::min(pointSampled, std::hypot(x - px, y - py));
        const double pointExact = pointEntityDistance(px, py, b);
        EXPECT_GE(pointSampled, pointExact - 1e-9) << "trial " << trial;
        EXPECT_LE(pointSampled, pointExact + step) << "trial " << trial;
    }
}

TEST(EntityDistance, ArcBoxesAreExact)
{
    const Extents quarter = entityExtents(arcEntity(0, 0, 10, 0, 90));
    EXPECT_EQ(goldenNumbers({quarter.xmin, quarter.ymin, quarter.xmax, quarter.ymax}), " 0 0 10 10");
}

} // namespace
} // namespace dravenor::testing
