#pragma once
// What the standard-shape library refuses: parameters that would give an empty, degenerate or
// self-crossing shape. Each message names the parameter and the limit it breaks.
#include <string>
#include <vector>

#include "library/standard_shapes.h"

namespace dravenor::standard_shapes {

// "" when the parameters (caption order, all present) make a proper shape of the type.
std::string checkParameters(const StandardShapeType& type, const std::vector<double>& parameters);

} // namespace dravenor::standard_shapes
