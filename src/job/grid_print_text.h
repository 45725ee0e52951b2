#pragma once
// The text printout of a grid window: a page header (file, date, caption, column titles) and
// the rows laid out in fixed columns, ready for a fixed-width font.
#include <string>
#include <vector>

#include "job/text_grid.h"

namespace dravenor {

// Print position (1-based character column) of each grid column 1..Cols-1; hidden columns
// (width 0) get 0. Each column takes max(title length, typing limit) + 2 characters.
std::vector<int> gridPrintPositions(const TextGrid& grid);
// The grid row as one line, each cell starting at its print position.
std::string gridPrintLine(const TextGrid& grid, int row, const std::vector<int>& positions);

// The page header: "", "File: NAME" (when a file is named), "Date: DATE", "", the caption, "",
// and with titles the column-title line.
std::vector<std::string> gridPrintHeader(const TextGrid& grid, const std::string& fileName,
                                         const std::string& date, const std::string& caption,
                                         bool withTitles);

} // namespace dravenor
