#pragma once
// The fixed table from a grid column title to what may be typed into its cells. Every grid of
// the program (job grids, shape editor, density table, standard shapes, report) uses it.
#include <string>
#include <string_view>
#include <vector>

#include "job/text_grid.h"

namespace dravenor {

// Input classes: 'X' nothing typed, 'L' digits, 'S' printable text without '"' and ',',
// 'R' unsigned decimal, 'P' signed decimal, 'O' the orientation choice "", "No", "step90",
// "step180", 'M' the mirror choice "", "Yes".
// Edit modes: 'T' typed, 'L' filled by a file dialog, 'X' not editable ('C' clears on Delete).
struct ColumnAttributes {
    int maxLen = 0;
    char inputClass = 0;
    char editMode = 0;
};

// Titles are matched exactly; an unknown title gives length 0 and no class or mode.
ColumnAttributes columnAttributes(std::string_view title);

// The header format string of a grid: "<Sr   " then, per title, "|>" + title for file columns
// (right-aligned, so the end of a long path stays visible) or "|<" + title, padded with
// max(maxLen, 3) + 5 - title length spaces.
std::string headerFormat(const std::vector<std::string>& titles);
// Width in characters of a column: the padded header text of its title.
int columnWidthChars(std::string_view title);
// Whether a column is right-aligned by the header format (titles containing "File").
bool rightAligned(std::string_view title);
// Whether text too long for its column is shortened at its start: only in the file-name columns,
// whose end names the file. Every other column keeps the start (a number its leading digits).
bool shortenedAtStart(std::string_view title);
// The hint a column's header gives, "" for none: how its cells are filled where typing does not
// say it (file columns, the choice columns).
std::string columnHint(std::string_view title);
// Width in characters of the "Sr" column (row numbers).
int serialColumnWidthChars();
// Sets the grid's column widths from its titles as the header format does (hidden columns are
// the caller's business).
void applyColumnWidths(TextGrid& grid);

} // namespace dravenor
