#include "job/text_grid.h"

#include <stdexcept>

namespace dravenor {

TextGrid::TextGrid(const std::vector<std::string>& titles)
    : cols_(static_cast<int>(titles.size()) + 1)
{
    cells_.assign(2, std::vector<std::string>(static_cast<size_t>(cols_)));
    cells_[0][0] = "Sr";
    for (size_t c = 0; c < titles.size(); ++c) cells_[0][c + 1] = titles[c];
    colWidths.assign(static_cast<size_t>(cols_), 8);
    renumber();
}

void TextGrid::setRows(int rows)
{
    if (rows < 1) rows = 1;
    cells_.resize(static_cast<size_t>(rows), std::vector<std::string>(static_cast<size_t>(cols_)));
    if (row >= rows) row = rows - 1;
}

void TextGrid::setCols(int cols)
{
    if (cols < 1) cols = 1;
    cols_ = cols;
    for (auto& r : cells_) r.resize(static_cast<size_t>(cols));
    colWidths.resize(static_cast<size_t>(cols), 8);
    if (col >= cols) col = cols - 1;
}

const std::string& TextGrid::text(int r, int c) const
{
    if (r < 0 || r >= rows() || c < 0 || c >= cols_) throw std::out_of_range("grid cell out of range");
    return cells_[static_cast<size_t>(r)][static_cast<size_t>(c)];
}

void TextGrid::setText(int r, int c, std::string t)
{
    if (r < 0 || r >= rows() || c < 0 || c >= cols_) throw std::out_of_range("grid cell out of range");
    cells_[static_cast<size_t>(r)][static_cast<size_t>(c)] = std::move(t);
}

int TextGrid::columnOf(const std::string& t) const
{
    for (int c = 0; c < cols_; ++c)
        if (cells_[0][static_cast<size_t>(c)] == t) return c;
    return -1;
}

bool TextGrid::rowHasText(int r) const
{
    for (int c = 1; c < cols_; ++c)
        if (!text(r, c).empty()) return true;
    return false;
}

void TextGrid::renumber()
{
    for (int r = 1; r < rows(); ++r) cells_[static_cast<size_t>(r)][0] = std::to_string(r);
}

void TextGrid::ensureEntryRow()
{
    const int last = rows() - 1;
    if (last >= 1 && rowHasText(last)) {
        setRows(rows() + 1);
        cells_.back()[0] = std::to_string(rows() - 1);
    }
}

void TextGrid::clear()
{
    typedCell.reset();
    for (int r = 1; r < rows(); ++r)
        for (int c = 1; c < cols_; ++c) cells_[static_cast<size_t>(r)][static_cast<size_t>(c)].clear();
}

} // namespace dravenor
