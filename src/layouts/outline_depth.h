#pragma once
// How far one placed outline reaches into another, on the straight-segment form (arcs as
// chords). Inside means inside by the even-odd rule over all loops, so a point in a hole is
// outside. Used by the layout check; nothing here knows about layouts.
#include "geometry/segments.h"
#include "geometry/shape.h"

namespace dravenor {

struct OutlineBox {
    double xmin = 1e300, ymin = 1e300, xmax = -1e300, ymax = -1e300;
    bool empty() const { return xmin > xmax; }
    // Whether the boxes meet or come within the margin of each other.
    bool meets(const OutlineBox& other, double margin) const;
};

struct PlacedOutline {
    SegmentList segments;
    OutlineBox box;
    // A point well inside the outline (the middle of its widest span across the middle of its
    // box) and how far it is from the outline; depth 0 when there is none.
    double probeX = 0, probeY = 0, probeDepth = 0;

    bool empty() const { return segments.empty(); }
};

// The shape's straight-segment form, with gaps up to `bridge` closed (see bridgeOpenEnds).
PlacedOutline placedOutline(const Shape& shape, double bridge);

// Even-odd inside test.
bool insideOutline(double x, double y, const PlacedOutline& outline);
double distanceToOutline(double x, double y, const PlacedOutline& outline);

// Whether some point of a's outline lies inside b deeper than the tolerance (wantInside true)
// or outside b further than the tolerance (wantInside false). Points within the tolerance of b's
// outline never count, so touching outlines and chord-sized slivers pass.
bool outlineReaches(const PlacedOutline& a, const PlacedOutline& b, bool wantInside, double tolerance);

// Whether a's inner probe point lies inside b deeper than the tolerance: catches one outline
// lying on or within another where no outline point reaches in (two parts at the same place).
bool probeInside(const PlacedOutline& a, const PlacedOutline& b, double tolerance);

} // namespace dravenor
