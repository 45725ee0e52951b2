#pragma once
// Kerf compensation of a contour the piecewise offset cannot handle: a notch or a waist narrower
// than the kerf, where offsets of pieces far apart along the contour cross each other. Every
// piece is offset and every corner rounded by an arc about it, the result is cut at all its
// crossings, the bits closer than the offset to the part are dropped and the rest chained into
// closed loops. The torch path is the largest loop running the contour's way round; what lies
// beyond the loop's reach (the inside of a narrow notch) stays uncut.
#include <vector>

#include "cutting/path_piece.h"

namespace dravenor::cutting {

struct OffsetLoop {
    bool ok = false;
    PiecePath path;              // closed, same direction as the contour
    std::vector<bool> cornerArc; // per piece: part of the rounding arc of a corner turning away from the part
    bool leftUncut = false;      // some stretch of the contour lies beyond the path's reach
};

OffsetLoop offsetLoop(const PiecePath& contour, double d, const std::vector<const PiecePath*>& guards);

} // namespace dravenor::cutting
