#pragma once
// SPLINEs given by fit points alone: the cubic B-spline through them by global interpolation,
// with chord-length parameters and the end tangents of the entity, or, where it names none,
// end tangents estimated from the five points nearest each end. Both end tangents take the
// length of the fit points' polygon, so the curve reads as other drawing programs build it.
#include <optional>
#include <string>
#include <vector>

#include "geometry/dxf_spline.h"

namespace dravenor {

struct DxfFitPoints {
    std::vector<DxfPoint> points;
    // Directions at the ends; used only when both are given.
    std::optional<DxfPoint> startTangent, endTangent;
};

struct DxfFitResult {
    DxfSpline spline;     // degree 3, clamped, through every fit point
    std::string problem;  // "" when the spline was built
};

// Two fit points without tangents give the straight line between them.
DxfFitResult splineThroughFitPoints(const DxfFitPoints& fit);

} // namespace dravenor
