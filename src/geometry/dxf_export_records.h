#pragma once
// The entity records of an exported DXF drawing (release 12, ASCII): one LINE, CIRCLE or ARC
// per shape entity and TEXT records for names, on layer "0" unless another is named, numbers in
// general number format, every line ended by CR LF.
#include <string>

#include "geometry/dxf_export_handles.h"
#include "geometry/shape.h"

namespace dravenor {

// Appends one record per entity in shape order. The kind follows entityKind: RAD <= 0 a line,
// angles 0 or 360 apart a circle, else an arc with its stored angles.
void writeDxfEntities(std::string& out, DxfHandles& handles, const Shape& shape, const std::string& layer = "0");

// Appends one TEXT record at (x, y) whose text is the file name without its last four
// characters (its extension).
void writeDxfText(std::string& out, DxfHandles& handles, double x, double y, double height,
                  const std::string& fileName, const std::string& layer = "0");
// A TEXT record of the words as given, control characters made blanks.
void writeDxfLabel(std::string& out, DxfHandles& handles, double x, double y, double height, std::string text,
                   const std::string& layer = "0");

// The text a TEXT record shows for a file name: the name without its last four characters
// (the whole name when it is not longer than that); line breaks and other control characters,
// which would break the record, become blanks.
std::string dxfTextForFileName(const std::string& fileName);

} // namespace dravenor
