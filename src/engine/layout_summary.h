#pragma once
// What each finished layout amounts to: its sheet, how many identical sheets are cut with it,
// the parts placed on one sheet and the share of the sheet they cover, from the records' areas
// as given (the true areas for anything shown, the counted ones for the run's own choices).
#include <cstdint>
#include <string>
#include <vector>

#include "job/nesting_state.h"
#include "engine/record_areas.h"

namespace dravenor {

struct LayoutSummary {
    std::int32_t layoutNo = 0;
    std::int32_t sheetIndex = 0;
    std::string sheetFile;
    std::int32_t qty = 0;           // identical sheets
    std::int32_t partsPlaced = 0;   // instances on one sheet
    double partArea = 0;            // on one sheet
    double sheetArea = 0;           // of one sheet
    double yield() const { return sheetArea > 0 ? partArea / sheetArea : 0; }
};

// One summary per layout number present in the entity list, in number order, with the areas of
// the records.
std::vector<LayoutSummary> summariseLayouts(const NestingState& state, const RecordAreas& areas);
// The same with the records' Area as the run counted it.
std::vector<LayoutSummary> summariseLayouts(const NestingState& state);
// Part area over sheet area of all layouts, each counted with its quantity; 0 with no layout.
double overallYield(const std::vector<LayoutSummary>& layouts);

} // namespace dravenor
