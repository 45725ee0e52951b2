#pragma once
// A shape's closed outlines as rings of straight edges, arcs cut into chords that stand no
// further than a given sagitta from them: the true outline lies within that distance of the
// rings, which the growing and shrinking of material then makes up for.
#include <vector>

#include "deep/region.h"
#include "geometry/shape.h"

namespace dravenor::deep {

struct OutlineRings {
    std::vector<Ring> rings;  // closed outlines, material read even-odd
    int openEnds = 0;         // entity ends that meet no other end once gaps are closed
    double sag = 0;           // the largest distance of a chord from its arc
};

// Ends closer than the gap tolerance are joined (the job's closing rule).
OutlineRings outlineRings(const Shape& shape, double sag, double gapTolerance);

// The shape with every arc and circle replaced by chords no further than `sag` from it.
Shape chordedShape(const Shape& shape, double sag);

} // namespace dravenor::deep
