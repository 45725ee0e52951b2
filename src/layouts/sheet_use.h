#pragma once
// How far a layout's parts reach along its sheet's longer side: what the progress windows show of
// the least used sheet and what nesting for common lines weighs rows against a run by.
#include <cstdint>
#include <optional>

#include "job/nesting_state.h"

namespace dravenor {

struct SheetUse {
    std::int32_t layoutNo = 0;
    double used = 0;   // from the sheet's outline to the farthest part, along its longer side
    double length = 0; // the sheet's longer side
    double across = 0; // its other side
    double share() const { return length > 0 ? used / length : 1; }
};

// The layout whose sheet is used least along its longer side; none without layouts.
std::optional<SheetUse> leastUsedSheet(const NestingState& layouts);
// Its share of the sheet's length used; 1 without layouts.
double leastUsedShare(const NestingState& layouts);

} // namespace dravenor
