#pragma once
// The kerf the engine really uses and the raster scale it gives: one cell per kerf, unless the
// largest sheet would be more than about 1600 cells across (the kerf grows) or the smallest part
// would be less than two cells across (the cells shrink).
#include <string>

#include "geometry/outline_tolerance.h"
#include "job/nesting_state.h"

namespace dravenor {

inline constexpr double kMostCellsAcross = 1600;

struct KerfScale {
    double actKerf = 0;
    double scale = 1;                      // cells per job length unit
    double largestSheetArea = 0;           // largest box width x height of a sheet
    std::string largestSheetFile;
    double smallestPartSide = 999999999;   // smallest of the smaller box sides of the parts
    std::string smallestPartFile;
    bool smallPartRule = false;            // the scale was raised for the smallest part

    // Cells across the largest sheet (square root of its box area, in cells).
    double largestSheetCells() const;
};

// From the shapes' segment forms and the kerf of the details; changes nothing.
KerfScale planKerfAndScale(const NestingState& state);

} // namespace dravenor
