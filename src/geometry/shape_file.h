#pragma once
// Shape files (".shp") and the one loading routine every window and the engine use.
#include <string>
#include <utility>
#include <vector>

#include "geometry/shape.h"
#include "job/drawing_unit.h"

namespace dravenor {

// What a reader noticed. Reading stays lenient (bad numbers read as 0); the notes let
// shape-info and the windows tell the user what is wrong.
struct ShapeReadReport {
    bool readable = true;             // false: the path could not be read at all
    std::string error;                // "FILE: reason" when not readable
    bool binary = false;              // NUL or other control bytes found
    int nonNumericFields = 0;         // items that are not numbers (read as 0)
    int leftoverFields = 0;           // trailing items that did not make a whole entity (dropped)
    std::vector<std::string> notes;   // further remarks (e.g. entities a drawing reader skipped)
    // Entities of a drawing that were not read, by name, in the order first met.
    std::vector<std::pair<std::string, int>> skippedEntities;
};

// "shp", "dxf" or "" from the last three characters of the name, in lower case.
std::string shapeFileType(const std::string& path);

// Appends the entities of a shape file to the shape (nine items per entity; an angle >= 360 is
// reduced by 360 once).
ShapeReadReport readShapeFile(const std::string& path, Shape& shape);
// Parses shape-file text (the reader above without the file access).
ShapeReadReport parseShapeText(const std::string& content, Shape& shape);

// Resets the shape and reads the file by its extension; any other extension gives an empty
// shape. No move. A drawing that names its units is converted to `unit`.
ShapeReadReport readShapeByExtension(const std::string& path, Shape& shape, DrawingUnit unit = DrawingUnit::Millimetre);
// readShapeByExtension, then normaliseShape so the extents start at (0, 0).
ShapeReadReport loadShape(const std::string& path, Shape& shape, DrawingUnit unit = DrawingUnit::Millimetre);

// Shape-file text: nine quoted fields per entity in general number format, CR LF.
std::string shapeToFileText(const Shape& shape);
// Writes the shape as a shape file (atomically). Returns "" or the error message.
std::string saveShapeFile(const Shape& shape, const std::string& path);

} // namespace dravenor
