#pragma once
// The scans of one part type on one sheet with the sheet's row summary shared between them, so
// that rows found full by one scan are passed over by the next.
#include "engine/fit_search.h"
#include "engine/placement.h"

namespace dravenor {

void freeScan(const OrientedPair& rasters, Raster& sheet, SheetRows& rows, std::vector<Placement>& placements,
              std::int32_t& remaining, const ScanWindow& window, int advance, const std::string& orn, int angle,
              FitTest fitTest);
void stackFill(Frontier& frontier, const OrientedPair& rasters, Raster& sheet, SheetRows& rows,
               std::int32_t& remaining, std::vector<Placement>& placements, const StackParams& params,
               NestingMode mode, FitTest fitTest);

} // namespace dravenor
