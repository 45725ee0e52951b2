#pragma once
// A shape placed on a layout as the engine and the layout drawing place it.
#include "geometry/shape.h"

namespace dravenor {

// The shape, first mirrored left to right when `mirrored`, turned by the angle (degrees) about its
// centre, tidied, and moved so that its box starts at x, y.
Shape placedInstance(const Shape& original, double angle, double x, double y, bool mirrored = false);

} // namespace dravenor
