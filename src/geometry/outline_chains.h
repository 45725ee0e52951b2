#pragma once
// Chaining the entities of a shape into outlines: entity ends that lie together as drawn meet;
// a chain whose every junction joins exactly two ends is a closed outline. Gaps up to a
// tolerance are closed only between ends that meet no other end, the nearest ones first, so
// closing never joins the ends of short entities that already meet their neighbours.
#include <vector>

#include "geometry/shape.h"

namespace dravenor {

struct OutlinePoint {
    double x = 0, y = 0;
};
// A closed outline in chord form: its corners in order, the closing corner not repeated.
using OutlinePolygon = std::vector<OutlinePoint>;

// Ends closer than this lie together as drawn (the rounding of a file's coordinates).
inline constexpr double kEndsMeetAsDrawn = 1e-6;

struct OutlineChains {
    std::vector<OutlinePolygon> closedOutlines; // circles included, one outline each
    // Per closed outline: twice the area its arcs add beyond their chords, signed like the
    // outline's own area, so doubleSignedArea(outline) + this is twice its exact signed area.
    std::vector<double> arcExcess;
    int openEnds = 0;                           // entity ends meeting no other end
    int edgesOffOutlines = 0;                   // entities on open or branching chains
};

// Lines whose own ends meet (zero length) and entities with ends that are not finite numbers
// take no part in the chaining. Ends meet within the smaller of kEndsMeetAsDrawn and the gap
// tolerance; then every end that meets no other is joined to the nearest such end within the
// gap tolerance that is still free (never a line's one end to its other).
OutlineChains chainOutlines(const Shape& shape, double gapTolerance);

// Twice the signed area (counter-clockwise positive), by the shoelace formula.
double doubleSignedArea(const OutlinePolygon& polygon);
// Even-odd test of a point against a closed outline.
bool outlineContains(const OutlinePolygon& polygon, OutlinePoint point);

} // namespace dravenor
