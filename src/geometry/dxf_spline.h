#pragma once
// SPLINE entities: B-splines of any degree, with or without weights, open or closed, as fitted
// arcs seen along the z axis.
#include <string>
#include <vector>

#include "geometry/dxf_entities.h"
#include "geometry/dxf_transform.h"

namespace dravenor {

// A B-spline by its control points, knots and (for a rational one) weights.
struct DxfSpline {
    int degree = 3;
    std::vector<DxfPoint> points;
    std::vector<double> knots;   // points.size() + degree + 1 of them, never decreasing
    std::vector<double> weights; // one per point, all > 0; empty for equal weights

    double start() const { return knots[static_cast<std::size_t>(degree)]; }
    double end() const { return knots[points.size()]; }
    // The curve's point at a parameter from start() to end().
    DxfPoint at(double t) const;
    // "" for a spline that can be drawn, else what is wrong with it.
    std::string problem() const;
};

// Appends the spline (problem() must be "") as fitted arcs. A clamped end is exactly its
// end control point; a closed spline (`closed`) ends exactly where it starts.
void appendDxfSpline(const DxfSpline& spline, bool closed, Shape& shape);

// Reads a SPLINE (flags 70, degree 71, knots 40, weights 41, control points 10/20; without
// control points, the fit points 11/21 and end tangents 12/22 and 13/23) placed by the
// transform. Returns "" when it was drawn, else why not ("knots do not match", ...).
std::string readDxfSpline(const DxfEntity& entity, DxfNumberTally& tally, const DxfTransform& at, Shape& shape);

} // namespace dravenor
