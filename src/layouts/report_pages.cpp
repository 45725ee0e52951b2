#include "layouts/report_pages.h"

#include <algorithm>

#include "job/grid_print_text.h"

namespace dravenor {

std::vector<std::vector<std::string>> paginate(const std::vector<std::string>& lines,
                                               const std::vector<std::string>& header, int linesPerPage)
{
    const size_t bodyPerPage = static_cast<size_t>(std::max(linesPerPage - static_cast<int>(header.size()), 1));
    std::vector<std::vector<std::string>> pages;
    size_t next = 0;
    do {
        std::vector<std::string> page = header;
        const size_t end = std::min(lines.size(), next + bodyPerPage);
        page.insert(page.end(), lines.begin() + static_cast<std::ptrdiff_t>(next),
                    lines.begin() + static_cast<std::ptrdiff_t>(end));
        pages.push_back(std::move(page));
        next = end;
    } while (next < lines.size());
    return pages;
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
