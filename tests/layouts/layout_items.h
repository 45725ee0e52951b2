#pragma once
// A layout item row for tests: sheet 1, the rest as given.
#include <string>

#include "job/nesting_state.h"

namespace dravenor::testing {

inline LayoutItem layoutItem(const std::string& name, std::int32_t layoutNo, std::int32_t partIndex, double x = 0,
                             double y = 0, double angle = 0, std::int32_t qty = 1)
{
    LayoutItem row;
    row.Name = name;
    row.X = x;
    row.Y = y;
    row.Angle = angle;
    row.SheetIndex = 1;
    row.PartIndex = partIndex;
    row.LayoutNo = layoutNo;
    row.Qty = qty;
    return row;
}

} // namespace dravenor::testing
