#pragma once
// The check that a shape is a closed profile with the area and extents expected, for the
// standard shapes the library generates and the standard-shape window loads.
#include <gtest/gtest.h>

#include <utility>

#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"

namespace dravenor::testing {

// Closed, nothing degenerate, the enclosed area and the extents as expected.
inline void expectClosedProfile(const Shape& shape, double area, const Extents& extents)
{
    EXPECT_TRUE(missingLines(shape).empty());
    const ShapeMeasure m = measureShape(shape);
    EXPECT_TRUE(m.closed && m.openEnds == 0 && m.degenerate == 0);
    // Arcs are measured by chords of at most 2 degrees, which lose under 3e-4 of a round area.
    const bool round = m.arcs + m.circles > 0;
    EXPECT_NEAR(m.enclosedArea, area, area * (round ? 3e-4 : 1e-12));

    const Extents box = shapeExtents(shape);
    for (const auto& [got, want] : {std::pair{box.xmin, extents.xmin}, {box.ymin, extents.ymin}, {box.xmax, extents.xmax},
                                   {box.ymax, extents.ymax}})
        EXPECT_NEAR(got, want, 1e-9);
}

} // namespace dravenor::testing
