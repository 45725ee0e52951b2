#pragma once
// Reading DXF text drawings into a shape: LINE, ARC, CIRCLE, POLYLINE and LWPOLYLINE of the
// model; every other entity is skipped and counted in the report.
#include <string>

#include "geometry/shape.h"
#include "geometry/shape_file.h"

namespace dravenor {

// Appends the drawing's entities to the shape. The file itself is never changed.
ShapeReadReport readDxfFile(const std::string& path, Shape& shape);

// The same on the drawing's text; `fileName` names the drawing in error messages.
ShapeReadReport parseDxfText(const std::string& text, Shape& shape, const std::string& fileName = "drawing");

// The note every import that meets a number it cannot use carries (kept word for word, users
// and their scripts know it).
inline constexpr const char* kDxfNumberProblemNote = "AutoCAD version problem encountered reading DXF ! ";

} // namespace dravenor
