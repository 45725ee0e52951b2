#include "layouts/report_clipboard.h"

#include <algorithm>
#include <utility>

namespace dravenor {

namespace {

std::string replacedAll(const std::string& text, const std::string& from, const std::string& to)
{
    std::string result;
    size_t start = 0;
    for (size_t found = text.find(from); found != std::string::npos; found = text.find(from, start)) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    result.append(text, start, std::string::npos);
    return result;
}

// first..last put in order and clamped to lowest..highest; empty (first > last) when the range
// misses the grid entirely.
std::pair<int, int> clampedRange(int first, int last, int lowest, int highest)
{
    if (first > last) std::swap(first, last);
    return {std::max(first, lowest), std::min(last, highest)};
}

} // namespace

std::string blankRunsToTabs(std::string text)
{
    for (int run = 25; run >= 2; --run) text = replacedAll(text, std::string(static_cast<size_t>(run), ' '), "##");
    return replacedAll(text, "##", "\t");
}

std::string reportClipboardText(const TextGrid& grid, int firstRow, int lastRow, int firstCol, int lastCol)
{
    const auto [rowFrom, rowTo] = clampedRange(firstRow, lastRow, 1, grid.rows() - 1);
    const auto [colFrom, colTo] = clampedRange(firstCol, lastCol, 1, grid.cols() - 1);
    std::string text;
    if (colFrom > colTo) return text;
    for (int row = rowFrom; row <= rowTo; ++row) {
        for (int col = colFrom; col <= colTo; ++col) {
            if (col > colFrom) text += '\t';
            text += grid.text(row, col);
        }
        text += "\r\n";
    }
    return blankRunsToTabs(std::move(text));
}

} // namespace dravenor
