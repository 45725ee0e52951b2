#pragma once
// Reading DXF text drawings into a shape: LINE, ARC, CIRCLE, POLYLINE, LWPOLYLINE, ELLIPSE and
// SPLINE of the model, and the blocks its INSERTs draw; every other entity is skipped and
// counted in the report. A drawing that names its units is converted to the drawing unit.
#include <string>

#include "geometry/shape.h"
#include "geometry/shape_file.h"
#include "job/drawing_unit.h"

namespace dravenor {

// Appends the drawing's entities to the shape. The file itself is never changed.
ShapeReadReport readDxfFile(const std::string& path, Shape& shape, DrawingUnit unit = DrawingUnit::Millimetre);

// The same on the drawing's text; `fileName` names the drawing in error messages.
ShapeReadReport parseDxfText(const std::string& text, Shape& shape, const std::string& fileName = "drawing",
                             DrawingUnit unit = DrawingUnit::Millimetre);

// The note every import that meets a number it cannot use carries (kept word for word, users
// and their scripts know it).
inline constexpr const char* kDxfNumberProblemNote = "AutoCAD version problem encountered reading DXF ! ";

} // namespace dravenor
