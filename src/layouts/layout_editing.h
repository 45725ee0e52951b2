#pragma once
// The layout editor's placement grid: row 1 is the sheet, every further row one placed part
// ("File Name", X, Y, N in degrees, QTY as typed text, Mirror "Yes" for a part laid mirrored),
// with a blank entry row at the bottom.
// The grid is the document; these functions move it to and from layout files and apply the
// editor's commands to its rows, so everything the editor does is reachable without a window.
#include <string>
#include <utility>
#include <vector>

#include "geometry/shape_grid.h"
#include "job/text_grid.h"
#include "layouts/layout_file.h"

namespace dravenor {

inline constexpr const char* kMultipleRotationMessage = "Multiple objects can not be rotated";

// Column numbers of the placement grid.
enum LayoutColumn : int { NameColumn = 1, XColumn = 2, YColumn = 3, AngleColumn = 4, QtyColumn = 5, MirrorColumn = 6 };
inline constexpr int kSheetRow = 1;

// "File Name", "X", "Y", "N", "QTY", "Mirror".
const std::vector<std::string>& layoutGridTitles();
// An empty placement grid: titles, column widths and one blank entry row.
TextGrid newLayoutGrid();

// The grid rows that name a file, in order, as file lines. A row without a file name places
// nothing, and readers of the exchange file stop at the first such line, so it is left out.
std::vector<LayoutFileLine> layoutLinesFromGrid(const TextGrid& grid);
// Replaces the grid's rows by the lines (fields as written) and a blank entry row.
void fillLayoutGrid(TextGrid& grid, const std::vector<LayoutFileLine>& lines);

// Reads a layout file into the grid; on error ("" when read) the grid is left as it was.
std::string loadLayoutGrid(TextGrid& grid, const std::string& path);
// Writes the rows that name a file, every field quoted. Returns "" or the error naming the file.
std::string saveLayoutGrid(const TextGrid& grid, const std::string& path);

enum class PlacementAdjust { Done, SheetRow, NothingSelected, MultipleRotation };
// Moves or turns the selected part rows by the step (length or degrees), rewriting the cells in
// general number format: X - step / X + step / Y + step / Y - step / N + step / N - step. The
// sheet (current row 1) never moves; the blank entry row is left out of a longer selection; a
// turn takes exactly one row.
PlacementAdjust adjustPlacements(TextGrid& grid, AdjustCommand command, double step);

// "Update Layout": every named row from 2 on with an empty QTY takes the QTY of the row above.
void fillEmptyQuantities(TextGrid& grid);

// Rows given a file name but nothing else (a file just chosen in the entry row) get X, Y and N 0
// and, for parts, the QTY of the row above; a new sheet row gets QTY 1. Returns whether any row
// was completed.
bool completeNewPlacements(TextGrid& grid);

// Appends one part row per file from the entry row on (X, Y, N 0, QTY of the row above) and keeps
// a blank entry row. Returns the rows written (first, last); {0, 0} for none.
std::pair<int, int> appendPartRows(TextGrid& grid, const std::vector<std::string>& paths);

// Removes the part rows fromRow..toRow (either order); row 1 and the entry row stay. The grid is
// renumbered and the current cell kept on a valid row. Returns the number of rows removed.
int removePartRows(TextGrid& grid, int fromRow, int toRow);

} // namespace dravenor
