#pragma once
// Where one layout's rows lie in the item list or the entity list: both hold each layout as one
// contiguous run of equal LayoutNo.
#include <utility>
#include <vector>

#include "job/nesting_state.h"

namespace dravenor {

// The 0-based first and last index of layout layoutNo: the run that starts at the first row with
// that number and ends before the next row with another number (or at the end of the list).
// {-1, -1} when no row has that number.
std::pair<int, int> findItemRange(const std::vector<LayoutItem>& items, int layoutNo);
std::pair<int, int> findEntityRange(const std::vector<LayoutEntity>& entities, int layoutNo);

} // namespace dravenor
