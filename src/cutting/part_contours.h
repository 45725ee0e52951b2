#pragma once
// The closed contours of a placed shape, exact (arcs stay arcs): entities chained end to end,
// each contour told outer or hole by how deep it lies among the others, and turned so that the
// waste lies on the left of the direction of travel (outer contours clockwise, holes
// counter-clockwise), the side the torch path keeps to.
#include <vector>

#include "cutting/path_piece.h"
#include "geometry/shape.h"

namespace dravenor::cutting {

struct Contour {
    PiecePath path;
    bool hole = false;
};

struct PartContours {
    std::vector<Contour> contours; // holes and outer contours, in the order the shape gives them
    int openChains = 0;            // entity chains that do not close (left out)
};

// Ends closer than the tolerance meet.
PartContours partContours(const Shape& shape, double joinTolerance);

// Twice the signed area the path encloses (counter-clockwise positive), arcs exact.
double doubleSignedArea(const PiecePath& path);
// The closed path as a polygon of chords no further than `sag` from it.
std::vector<Vec2> chordPolygon(const PiecePath& path, double sag);
// Even-odd test of a point against a closed polygon.
bool insidePolygon(Vec2 q, const std::vector<Vec2>& polygon);

} // namespace dravenor::cutting
