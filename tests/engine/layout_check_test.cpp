// The layout check itself must see the faults it is there to catch.
#include <gtest/gtest.h>

#include "engine/layout_results.h"
#include "geometry/shape_builders.h"
#include "layout_check.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

NestingState layoutOf(const std::vector<Shape>& parts)
{
    NestingState s;
    s.parts.resize(1);
    s.sheets.resize(1);
    std::int32_t instance = 0;
    for (const Shape& p : parts) appendShape(s.entities, p, 1, 1, 1, ++instance, 0, 1);
    appendShape(s.entities, rectangle(0, 0, 100, 100), 1, 1, 0, 0, 0, 1);
    return s;
}

Shape ring(double cx, double cy, double outer, double inner)
{
    return {arcEntity(cx, cy, outer, 0, 0), arcEntity(cx, cy, inner, 0, 0)};
}

} // namespace

TEST(LayoutCheck, SeesOverlapsAndPartsLeavingTheSheet)
{
    EXPECT_EQ(geometryFaults(layoutOf({rectangle(10, 10, 30, 30), rectangle(30, 30, 30, 30)}), 1),
              std::vector<std::string>{"layout 1: instances 1 and 2 overlap"});
    EXPECT_EQ(geometryFaults(layoutOf({rectangle(80, 10, 30, 30)}), 1),
              std::vector<std::string>{"layout 1: instance 1 leaves the sheet"});
    // One part wholly inside another (not in a hole) overlaps too.
    EXPECT_EQ(geometryFaults(layoutOf({rectangle(10, 10, 60, 60), rectangle(20, 20, 10, 10)}), 1).size(), 1u);
}

TEST(LayoutCheck, AcceptsNeighboursWithinTheToleranceAndPartsInHoles)
{
    // Edges shared exactly, a sliver of overlap below the tolerance, a washer in a ring's hole.
    EXPECT_TRUE(geometryFaults(layoutOf({rectangle(0, 0, 50, 50), rectangle(50, 0, 50, 50)}), 1).empty());
    EXPECT_TRUE(geometryFaults(layoutOf({rectangle(0, 0, 50, 50), rectangle(49.5, 0, 50, 50)}), 1).empty());
    EXPECT_TRUE(geometryFaults(layoutOf({ring(50, 50, 40, 30), ring(50, 50, 20, 10)}), 1).empty());
    EXPECT_FALSE(geometryFaults(layoutOf({ring(50, 50, 40, 30), ring(50, 50, 35, 10)}), 1).empty());
}
