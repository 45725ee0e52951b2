#pragma once
// Grid files: one line per grid row, cells trimmed, in double quotes, separated by commas,
// CR LF line ends. Shape files, job sections, the density table and layout files are all such
// files. Readers accept unquoted items, LF line ends and items split across lines.
#include <optional>
#include <string>
#include <vector>

#include "job/files.h"
#include "job/text_grid.h"

namespace dravenor {

// The list items of a file's text, read one after another regardless of line breaks: leading
// blanks skipped, a quoted item taken without its quotes (it may hold commas), an unquoted item
// ending at the next comma or line end, trailing blanks trimmed. Blank lines hold no items; a
// comma before a line end leaves an empty item.
std::vector<std::string> splitGridItems(const std::string& content);
// Number of lines in the text (a last line without its line end counts).
int countLines(const std::string& content);

// Grid rows 1 .. Rows-1 as file text. With onlyNonEmpty false, every row but the last (the
// entry row) is written; with it true, only rows with text in columns 1..Cols-1.
std::string gridToFileText(const TextGrid& grid, bool onlyNonEmpty);
// Saves the grid as a grid file (atomically). Returns "" or the error message; a cell holding a
// double quote or a line break cannot be stored and is refused with a message, file untouched.
// (Paths ending in "dxf" are converted to a DXF drawing by the shape-file side.)
std::string saveGridToFile(const TextGrid& grid, const std::string& path, bool onlyNonEmpty);

// Fills the grid: Rows = lines + 2 (blank lines not counted), numbered, Cols-1 items per row,
// text as read; items beyond those rows add rows, so the grid always ends with one empty row.
// A missing file leaves the grid with its title row and one empty row and returns "";
// otherwise returns "" or the read error (a folder, no permission), the grid then empty.
std::string loadGridFromFile(TextGrid& grid, const std::string& path);
// The same with the path taken from the grid's tag.
std::string loadGridFromTagFile(TextGrid& grid);

} // namespace dravenor
