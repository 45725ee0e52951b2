#pragma once
// Cells of a square grid over the plane, for finding the points near a point without comparing
// every pair: a cell's whole-number coordinates and their hash.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace dravenor {

struct GridCell {
    std::int64_t x, y;
    bool operator==(const GridCell&) const = default;
};

struct GridCellHash {
    std::size_t operator()(const GridCell& c) const
    {
        // Unsigned arithmetic wraps, so the cells of far-away points hash as well as near ones.
        return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(c.x) * 73856093u ^
                                          static_cast<std::uint64_t>(c.y) * 19349663u);
    }
};

// The cell of a coordinate on a grid `width` wide. Cells are held within +-4e18 so that a
// neighbour's (one more or less) is still a whole number; points beyond share the outermost
// cells, which keeps any two points nearer than the width in the same or neighbouring cells.
// A coordinate that is not a number goes to cell 0.
inline std::int64_t gridIndex(double v, double width)
{
    const double cell = std::floor(v / width);
    if (std::isnan(cell)) return 0;
    return static_cast<std::int64_t>(std::clamp(cell, -4e18, 4e18));
}

inline GridCell gridCellOf(double x, double y, double width)
{
    return {gridIndex(x, width), gridIndex(y, width)};
}

} // namespace dravenor
