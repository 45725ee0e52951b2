#pragma once
// The report window's copy: a block of report rows as text for a spreadsheet, the blank runs that
// line the report's columns up turned into tab-separated fields.
#include <string>

#include "job/text_grid.h"

namespace dravenor {

// Runs of 2 to 25 blanks become "##" (the longest first, left to right), then every "##" a tab.
// A run longer than 25 blanks gives more than one tab; a single blank stays.
std::string blankRunsToTabs(std::string text);

// Rows firstRow..lastRow, columns firstCol..lastCol of the grid (in either order, kept inside the
// grid's data cells): the cells of a row joined by tabs, each row ended by CR LF, then
// blankRunsToTabs over the whole text.
std::string reportClipboardText(const TextGrid& grid, int firstRow, int lastRow, int firstCol, int lastCol);

} // namespace dravenor
