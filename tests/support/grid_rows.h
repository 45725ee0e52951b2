#pragma once
// Typing a whole grid row at once in tests (the cells from column 1, rows numbered, and the
// blank entry row kept below), and reading every row back.
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

// Every cell of the data rows (the numbers in column 0 included), row by row.
inline std::vector<std::vector<std::string>> cellsOf(const TextGrid& grid)
{
    std::vector<std::vector<std::string>> cells(static_cast<size_t>(grid.rows() - 1));
    for (int r = 1; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) cells[static_cast<size_t>(r - 1)].push_back(grid.text(r, c));
    return cells;
}

} // namespace dravenor::testing
