#pragma once
// Rows of a parts list or folder into the part grid, after the rows it already has.
#include <vector>

#include "job/parts_list.h"
#include "job/text_grid.h"

namespace dravenor {

// Writes each row's file, quantity, priority (empty for 0, as an untouched cell), orientation and
// mirror flag into the grid's blank last row and appends a new blank row after it, then renumbers.
void appendPartRows(TextGrid& parts, const std::vector<PartsListRow>& rows);

} // namespace dravenor
