#include "job/grid_print_text.h"

#include <algorithm>

#include "job/column_attributes.h"
#include "job/files.h"

namespace dravenor {

namespace {

bool columnHidden(const TextGrid& grid, int col)
{
    const size_t index = static_cast<size_t>(col);
    return index < grid.colWidths.size() && grid.colWidths[index] == 0;
}

// Places text at a 1-based position, padding with blanks. Text already past it (a cell longer
// than its column) is kept whole, and a blank keeps the two cells apart.
void putAt(std::string& line, int position, const std::string& text)
{
    const size_t start = static_cast<size_t>(position - 1);
    if (line.size() < start) line.resize(start, ' ');
    else if (!line.empty() && line.back() != ' ') line += ' ';
    line += text;
}

std::string trimmedRight(std::string line)
{
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

} // namespace

std::vector<int> gridPrintPositions(const TextGrid& grid)
{
    std::vector<int> positions(static_cast<size_t>(std::max(grid.cols() - 1, 0)), 0);
    int next = 1;
    for (int c = 1; c < grid.cols(); ++c) {
        if (columnHidden(grid, c)) continue;
        positions[static_cast<size_t>(c - 1)] = next;
        const std::string& title = grid.title(c);
        next += std::max(static_cast<int>(title.size()), columnAttributes(title).maxLen) + 2;
    }
    return positions;
}

std::string gridPrintLine(const TextGrid& grid, int row, const std::vector<int>& positions)
{
    std::string line;
    for (int c = 1; c < grid.cols(); ++c) {
        const int position = positions[static_cast<size_t>(c - 1)];
        if (position > 0) putAt(line, position, grid.text(row, c));
    }
    return trimmedRight(line);
}

std::vector<std::string> gridPrintHeader(const TextGrid& grid, const std::string& fileName,
                                         const std::string& date, const std::string& caption,
                                         bool withTitles)
{
    std::vector<std::string> lines{""};
    if (!fileName.empty()) lines.push_back("File: " + fileNameOnly(fileName));
    lines.push_back("Date: " + date);
    lines.push_back("");
    lines.push_back(caption);
    lines.push_back("");
    if (withTitles) lines.push_back(gridPrintLine(grid, 0, gridPrintPositions(grid)));
    return lines;
}

} // namespace dravenor
