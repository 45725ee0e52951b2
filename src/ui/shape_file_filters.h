#pragma once
// The file-type filters of the dialogs that open and save shapes. Drawings are read in any
// release and written as release 12; shape files are the program's own.
namespace dravenor {

inline constexpr const char* kShapeOpenFilter = "All shapes (*.shp *.dxf);;DXF drawings (*.dxf);;Shape files (*.shp)";
// A shape is saved as a shape file unless the user picks a drawing.
inline constexpr const char* kShapeSaveFilter = "Shape files (*.shp);;DXF drawings, release 12 (*.dxf)";
// A layout is saved as a drawing unless the user picks a shape file.
inline constexpr const char* kShapeFileDialogFilter = "DXF drawings, release 12 (*.dxf);;Shape files (*.shp)";

} // namespace dravenor
