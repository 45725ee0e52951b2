#pragma once
// The phases of one part type on one sheet share the sheet's row summary, so that rows found
// full by one phase are passed over by the next, and the fit finders of each orientation pair,
// which are built once (on first use) instead of once per phase.
#include <optional>

#include "engine/fit_search.h"
#include "engine/placement.h"

namespace dravenor {

class PairSearch {
public:
    PairSearch(const OrientedPair& rasters, SheetRows& rows) : rasters(rasters), rows(rows) {}

    const OrientedPair& rasters;
    SheetRows& rows;

    FitFinder& finderA()
    {
        if (!a_) a_.emplace(*rasters.a, *rasters.keysA, &rows, rasters.profileA);
        return *a_;
    }
    FitFinder& finderB()
    {
        if (!b_) b_.emplace(*rasters.b, *rasters.keysB, &rows, rasters.profileB);
        return *b_;
    }

private:
    std::optional<FitFinder> a_, b_;
};

void freeScan(PairSearch& search, Raster& sheet, std::vector<Placement>& placements, std::int32_t& remaining,
              const ScanWindow& window, int advance, const std::string& orn, int angle, FitTest fitTest);
void stackFill(Frontier& frontier, PairSearch& search, Raster& sheet, std::int32_t& remaining,
               std::vector<Placement>& placements, const StackParams& params, NestingMode mode, FitTest fitTest);

} // namespace dravenor
