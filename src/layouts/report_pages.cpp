#include "layouts/report_pages.h"

#include <algorithm>

#include "job/grid_print_text.h"

namespace dravenor {

std::vector<std::vector<std::string>> paginate(const std::vector<std::string>& lines,
                                               const std::vector<std::string>& header, int linesPerPage)
{
    const size_t bodyPerPage = static_cast<size_t>(std::max(linesPerPage - static_cast<int>(header.size()), 1));
    std::vector<std::vector<std::string>> pages{header};
    size_t body = 0; // body lines on the last page
    for (const std::string& line : lines) {
        if (isPageBreak(line)) {
            if (body > 0) pages.push_back(header), body = 0;
            continue;
        }
        if (body == bodyPerPage) pages.push_back(header), body = 0;
        pages.back().push_back(line);
        ++body;
    }
    return pages;
}

bool isPageBreak(const std::string& line)
{
    return line.find_first_not_of(" \f") == std::string::npos && line.find('\f') != std::string::npos;
}

std::vector<std::string> gridPrintBody(const TextGrid& grid, int fromRow, int toRow)
{
    if (fromRow > toRow) std::swap(fromRow, toRow);
    fromRow = std::max(fromRow, 1);
    toRow = std::min(toRow, grid.rows() - 1);
    const std::vector<int> positions = gridPrintPositions(grid);
    std::vector<std::string> lines;
    for (int row = fromRow; row <= toRow; ++row) lines.push_back(gridPrintLine(grid, row, positions));
    return lines;
}

} // namespace dravenor
