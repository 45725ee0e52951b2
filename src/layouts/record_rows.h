#pragma once
// Which sheet- or part-grid row each engine record was copied from. A run reorders the records
// (by priority and area) and skips rows with nothing to cut, so a record's index says nothing
// about its row; the row is found again by its file name and the numbers it was read with.
#include <vector>

#include "job/nesting_state.h"
#include "job/text_grid.h"

namespace dravenor {

// For each record, the grid row it came from, or 0 when no row names its file. Each row serves
// one record; among the rows naming the file, the first whose Qty, Pri (and Orn) still read as
// the record's is taken, so a duplicate file or a skipped row of the same file is told apart.
// Rows already in found (by record index) are kept; only records without one are matched.
std::vector<int> gridRowsOfRecords(const TextGrid& grid, const std::vector<SheetEntry>& records,
                                   std::vector<int> found = {});
std::vector<int> gridRowsOfRecords(const TextGrid& grid, const std::vector<PartEntry>& records,
                                   std::vector<int> found = {});

} // namespace dravenor
