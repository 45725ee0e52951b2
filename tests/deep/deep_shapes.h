#pragma once
// Shapes of the Deep Nesting tests: outlines with slanted edges, arcs and holes.
#include "geometry/shape_builders.h"

namespace dravenor::testing {

// A bar of the length and width with round ends.
inline Shape slot(double length, double width)
{
    const double r = width / 2;
    return {lineEntity(r, 0, length - r, 0), arcEntity(length - r, r, r, 270, 90), lineEntity(length - r, width, r, width),
            arcEntity(r, r, r, 90, 270)};
}

inline Shape lShape(double w, double h, double arm)
{
    return polygon({{0, 0}, {w, 0}, {w, arm}, {arm, arm}, {arm, h}, {0, h}});
}

// A square with a square hole in its middle.
inline Shape frame(double outer, double inner)
{
    Shape s = rectangle(0, 0, outer, outer);
    append(s, rectangle((outer - inner) / 2, (outer - inner) / 2, inner, inner));
    return s;
}

} // namespace dravenor::testing
