#pragma once
// Saving a shape as a DXF drawing (release 12), and saving a shape by the type its file name
// asks for. Every save writes beside the target and renames, so a failed save leaves the
// previous file as it was.
#include <string>

#include "geometry/dxf_export_drawing.h"
#include "geometry/dxf_export_records.h"
#include "geometry/shape.h"

namespace dravenor {

// The whole drawing of one shape: header, one record per entity (handles from 50), footer.
std::string shapeToDxfText(const Shape& shape, const DxfTemplates& templates);

// Writes the shape as a DXF drawing with the templates of the folder, the header naming the
// units of $INSUNITS code unitsCode (0: the template as it is). Returns "" or the error.
std::string saveShapeAsDxf(const Shape& shape, const std::string& path, const std::string& templateFolder,
                           int unitsCode = 0);

// Converts a shape file into a DXF drawing, the shape not moved. A target equal to the source
// becomes the source with the extension "dxf". With deleteSource the shape file is deleted after
// a successful conversion (never when it is the drawing just written). Returns "" or the error.
std::string shapeFileToDxf(const std::string& source, const std::string& target,
                           const std::string& templateFolder, bool deleteSource);

// "dxf" -> DXF drawing, "shp" -> shape file (by the last three characters of the path, any
// letter case); any other type is refused with a message. Returns "" or the error.
std::string saveShapeByExtension(const Shape& shape, const std::string& path, const std::string& templateFolder);

} // namespace dravenor
