#pragma once
// Curves a shape cannot hold (ellipses, splines) as the arcs and lines a shape is made of,
// never further from the curve than kDxfCurveTolerance (but for a curve so far out that rounding
// alone exceeds it, which is cut into a bounded number of pieces).
#include <functional>
#include <vector>

#include "geometry/dxf_transform.h"
#include "geometry/shape.h"

namespace dravenor {

// The furthest a fitted arc or line may lie from its curve, in shape units.
inline constexpr double kDxfCurveTolerance = 0.01;

// The curve's point at a parameter.
using DxfCurvePoint = std::function<DxfPoint(double t)>;

// Appends arcs (lines where the curve is straight) that follow the curve from breaks.front() to
// breaks.back(). Every break (a corner or a change of curvature) ends an entity there. The
// first entity starts at `first` and the last ends at `last`, exactly, so that the curve meets
// the entities drawn to its ends.
void appendFittedCurve(const DxfCurvePoint& point, const std::vector<double>& breaks, DxfPoint first, DxfPoint last,
                       Shape& shape);

} // namespace dravenor
