#pragma once
// Pages of a text printout: the body lines cut into pages that each start with the same header.
#include <string>
#include <vector>

#include "job/text_grid.h"

namespace dravenor {

// Each page holds the header and then as many body lines as fit into linesPerPage, in order;
// a page always takes at least one body line, however long the header. No body lines give one
// page holding the header alone. A page break line (a form feed) starts a new page and is not
// printed.
std::vector<std::vector<std::string>> paginate(const std::vector<std::string>& lines,
                                               const std::vector<std::string>& header, int linesPerPage);

// A line holding a form feed and nothing else but blanks: the report's "new page here".
bool isPageBreak(const std::string& line);

// Grid rows fromRow..toRow (in either order, kept inside the grid), each laid out at the print
// positions of its columns.
std::vector<std::string> gridPrintBody(const TextGrid& grid, int fromRow, int toRow);

} // namespace dravenor
