#pragma once
// Folder import: every drawing (.dxf) and shape file (.shp) of a folder as a part row, in name
// order. A quantity written at the end of the name is taken: "bracket_x12.dxf" is 12 pieces
// ("bracket-x12", "bracket x12" and "bracket_X12" too); other names are one piece.
#include <string>

#include "job/parts_list.h"

namespace dravenor {

// The quantity the file name carries, 1 when it carries none.
std::int32_t quantityInFileName(const std::string& fileName);

// The rows of the folder's shape files (subfolders are not entered). A folder that cannot be
// read, or holds no shape file, is one fault.
PartsList readPartsFolder(const std::string& folder);

} // namespace dravenor
