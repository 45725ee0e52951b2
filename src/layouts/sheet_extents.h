#pragma once
// The size of a sheet as its shape file gives it (read with loadShape, so it starts at the
// origin as on the layouts), with a cache for windows that redraw often.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "geometry/shape.h"
#include "job/drawing_unit.h"

namespace dravenor {

// Extents of the file's shape moved to the origin; empty extents when it cannot be read.
Extents loadedShapeExtents(const std::string& path, DrawingUnit unit);

// Remembers the extents per file name and reads a file again only when its size or modification
// time has changed, so that a redraw costs one status query instead of a file read.
class SheetExtentsCache {
public:
    Extents extentsOf(const std::string& path, DrawingUnit unit);
    int filesRead() const { return filesRead_; }

private:
    struct Entry {
        std::filesystem::file_time_type time;
        std::uintmax_t size = 0;
        DrawingUnit unit = DrawingUnit::Millimetre;
        Extents extents;
    };
    std::map<std::string, Entry> entries_;
    int filesRead_ = 0;
};

} // namespace dravenor
