#pragma once
// What can be said about a shape as a profile to cut: its closed outlines, the area they
// enclose, the ends that do not meet, and entities that cannot be cut.
#include <string>
#include <vector>

#include "geometry/outline_chains.h"
#include "geometry/shape.h"

namespace dravenor {

struct ShapeMeasure {
    int entities = 0;
    int lines = 0, arcs = 0, circles = 0;
    Extents extents;
    int chords = 0;             // segments of the chord form (lines + arc chords)
    int closedOutlines = 0;     // closed loops found by chaining entity ends
    int openEnds = 0;           // entity ends that meet no other end; 0 when closed
    bool closed = false;        // every entity (but degenerate lines) lies on a closed outline
    double enclosedArea = 0;    // enclosedArea() of the shape at the same tolerance
    int degenerate = 0;         // lines whose ends meet, arcs and circles of radius < 0
};

// Ends lying together as drawn meet; gaps up to the tolerance between ends that meet no other
// end are closed (see chainOutlines).
ShapeMeasure measureShape(const Shape& shape, double tolerance = kEndsMeetAsDrawn);

// The true area of the shape's closed outlines: outer outlines minus holes (even-odd nesting of
// the outlines), arcs and circles exact rather than by their chords. Every area, yield and weight
// the program shows comes from here.
double enclosedArea(const Shape& shape, double tolerance = kEndsMeetAsDrawn);

} // namespace dravenor
