#pragma once
// Kerf compensation of one contour: the torch path half the kerf into the waste, which lies on
// the left of the contour's direction. Lines move sideways, arcs change radius about the same
// centre, the ends of neighbours meet where they cross at corners turning into the part, and
// corners turning away from it are rounded by an arc about the corner. A piece the offset wipes
// out (a short edge between two inward corners, an arc tighter than the offset) is dropped and
// its neighbours meet directly. The result is checked: every point of it keeps the distance from
// the contours it is given, so a contour too small or too narrow for the kerf is never cut wrong.
// Where the pieces' offsets cross far apart along the contour (a notch narrower than the kerf),
// the path is made from all crossings instead, and the notch is left uncut.
#include <vector>

#include "cutting/path_piece.h"

namespace dravenor::cutting {

struct OffsetContour {
    bool ok = false;
    PiecePath path;                // closed, same direction as the contour
    std::vector<bool> cornerArc;   // per piece: the rounding arc of a corner
    bool leftUncut = false;        // a notch or lobe of the contour is out of the torch's reach
};

// `guards` are the contours the path must keep `d` from (the part's own contours).
OffsetContour offsetContour(const PiecePath& contour, double d, const std::vector<const PiecePath*>& guards);

// Least distance from the point to any piece of the paths.
double distanceToPaths(Vec2 q, const std::vector<const PiecePath*>& paths);

} // namespace dravenor::cutting
