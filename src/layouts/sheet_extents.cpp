#include "layouts/sheet_extents.h"

#include "geometry/primitives.h"
#include "geometry/shape_file.h"

namespace dravenor {

Extents loadedShapeExtents(const std::string& path, DrawingUnit unit)
{
    Shape shape;
    if (!loadShape(path, shape, unit).readable) return {};
    return shapeExtents(shape);
}

Extents SheetExtentsCache::extentsOf(const std::string& path, DrawingUnit unit)
{
    std::error_code timeError, sizeError;
    const auto time = std::filesystem::last_write_time(path, timeError);
    const auto size = std::filesystem::file_size(path, sizeError);
    if (timeError || sizeError) {
        entries_.erase(path);
        return {};
    }
    if (const auto it = entries_.find(path); it != entries_.end() && it->second.time == time && it->second.size == size &&
        it->second.unit == unit)
        return it->second.extents;
    ++filesRead_;
    Entry& entry = entries_[path];
    entry = {time, size, unit, loadedShapeExtents(path, unit)};
    return entry.extents;
}

} // namespace dravenor
