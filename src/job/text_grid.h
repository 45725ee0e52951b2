#pragma once
// A grid of text cells as the windows show it: row 0 holds the column titles, column 0 the
// row numbers ("Sr"), data rows start at 1. Rows() and Cols() count the fixed row and column,
// so a grid with one data row has Rows() == 2. Every grid rule works on this model; the Qt
// widget only shows it.
#include <optional>
#include <string>
#include <vector>

namespace dravenor {

class TextGrid {
public:
    TextGrid() : TextGrid(std::vector<std::string>{}) {}
    // Columns "Sr" + titles, one empty data row.
    explicit TextGrid(const std::vector<std::string>& titles);

    int rows() const { return static_cast<int>(cells_.size()); }
    int cols() const { return cols_; }
    // Growing keeps existing cells; new cells are empty.
    void setRows(int rows);
    void setCols(int cols);

    const std::string& text(int row, int col) const;
    void setText(int row, int col, std::string text);
    const std::string& title(int col) const { return text(0, col); }
    // Index of the column with this title, -1 when absent.
    int columnOf(const std::string& title) const;

    // Current cell (1-based data rows) and the selected row range (inclusive).
    int row = 1;
    int col = 1;
    int selStartRow = 1;
    int selEndRow = 1;
    // Free text the windows attach to a grid (a file name, for grids loaded from a file).
    std::string tag;
    // Column widths in characters; 0 hides a column.
    std::vector<int> colWidths;

    // The text a cell had before keys were typed into it and the text the keys left, kept while
    // it stays the current cell, so that Esc can put the first back while the second stands.
    struct TypedCell {
        int row = 0;
        int col = 0;
        std::string before;
        std::string typed;
    };
    std::optional<TypedCell> typedCell;

    // True when any of columns 1..Cols-1 of the row holds text.
    bool rowHasText(int row) const;
    // Writes 1 .. Rows-1 into column 0.
    void renumber();
    // If the last row holds any text, appends a row and numbers it.
    void ensureEntryRow();
    // Empties rows 1.. and columns 1.. (titles and numbers stay) and forgets the typed cell.
    void clear();

private:
    int cols_ = 1;
    std::vector<std::vector<std::string>> cells_;
};

} // namespace dravenor
