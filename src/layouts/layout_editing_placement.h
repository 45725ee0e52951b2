#pragma once
// The placement grid turned into geometry: every named row's shape read (once per file, read
// again when the file changes), turned by N, moved to the origin and then to X, Y; then the
// placed layout checked for parts that overlap or leave the sheet.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "geometry/shape.h"
#include "job/drawing_unit.h"
#include "job/text_grid.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor {

// Shapes by file name, moved to the origin as read (drawings converted to the unit). A file
// changed on disk is read again.
class LayoutShapeCache {
public:
    explicit LayoutShapeCache(DrawingUnit unit = DrawingUnit::Millimetre) : unit_(unit) {}
    // The shape of the file; empty when it cannot be read or holds nothing.
    const Shape& shapeOf(const std::string& path);

private:
    struct Entry {
        std::filesystem::file_time_type written;
        Shape shape;
    };
    DrawingUnit unit_;
    std::map<std::string, Entry> entries_;
};

struct PlacedRow {
    int row = 0;        // grid row
    std::string name;   // file name as in the grid
    Shape shape;        // placed in sheet coordinates
    Extents box;
};

struct PlacedLayout {
    // The first named file that does not exist; nothing else is filled in then.
    std::string missingFile;
    bool hasSheet = false;          // row 1 names a file with entities
    PlacedRow sheet;
    std::vector<PlacedRow> parts;   // the named rows from 2 on, in grid order
    std::vector<LayoutFault> faults;
    std::vector<int> faultyRows;    // grid rows of the parts named in a fault, sorted
    bool sound() const { return faults.empty(); }
};

// "File NAME not found" for the missing file.
std::string missingFileMessage(const std::string& name);

// Places every named row of the grid and checks the result, with the least distances of a layout
// made by Deep Nesting. Without a sheet there is nothing to check.
PlacedLayout placeLayout(const TextGrid& grid, LayoutShapeCache& cache, const LeastDistances& least = {});

// "2 parts overlap, 1 part leaves the sheet, 2 parts closer than the spacing", or "Layout sound";
// "" when nothing is placed.
std::string layoutStatusText(const PlacedLayout& layout);

// The grid row of the part under the point (layout coordinates): the smallest part box holding
// it. 0 when no part is there.
int partRowAt(const PlacedLayout& layout, double x, double y);

} // namespace dravenor
