#pragma once
// Reading DXF drawings into a shape.
#include <string>

#include "geometry/shape.h"
#include "geometry/shape_file.h"

namespace dravenor {

// Appends the lines, arcs and circles of a DXF drawing to the shape.
ShapeReadReport readDxfFile(const std::string& path, Shape& shape);

} // namespace dravenor
