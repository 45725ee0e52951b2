#pragma once
// Typing a whole grid row at once in tests: the cells from column 1, rows numbered, and the
// blank entry row kept below.
#include <string>
#include <vector>

#include "job/text_grid.h"

namespace dravenor::testing {

inline void fillRow(TextGrid& grid, int row, const std::vector<std::string>& cells)
{
    if (grid.rows() <= row) grid.setRows(row + 1);
    for (size_t c = 0; c < cells.size(); ++c) grid.setText(row, static_cast<int>(c) + 1, cells[c]);
    grid.renumber();
    grid.ensureEntryRow();
}

} // namespace dravenor::testing
