#pragma once
// The shape editor's entity grid: one row per entity (X1 .. Nend as typed text) and a blank
// entry row at the bottom. The grid is the document; these functions read it as a shape and
// apply the editor's commands to its rows, so everything the editor does is reachable
// without a window.
#include <string>
#include <utility>
#include <vector>

#include "geometry/dxf_units.h"
#include "geometry/shape.h"
#include "geometry/shape_file.h"
#include "job/text_grid.h"

namespace dravenor {

// "X1", "Y1", "X2", "Y2", "CX", "CY", "RAD", "Nstart", "Nend".
const std::vector<std::string>& shapeGridTitles();
// An empty entity grid: titles, column widths and one blank entry row.
TextGrid newShapeGrid();

// The grid read as a shape. Blank rows hold no entity (they are never drawn or saved);
// rowOfEntity[i] is the grid row of entity i + 1.
struct GridShape {
    Shape shape;
    std::vector<int> rowOfEntity;
};
GridShape shapeFromGrid(const TextGrid& grid);
// Entity numbers (1-based, inclusive) of the entities on grid rows from..to (either order);
// {0, 0} when none.
std::pair<int, int> entitiesOnRows(const GridShape& gridShape, int fromRow, int toRow);

// The selected grid rows in order (the current row alone when the selection does not hold it).
std::pair<int, int> selectedRows(const TextGrid& grid);
// The rows a command works on: the selected rows without the blank entry row at the end of a
// longer range. {0, 0} when only the entry row is selected.
std::pair<int, int> selectedEntityRows(const TextGrid& grid);

enum class AdjustCommand { MoveLeft, MoveRight, MoveUp, MoveDown, RotateAnticlockwise, RotateClockwise };
// Moves or turns the entities on the selected rows by the step (length or degrees); a turn is
// about the centre of the selection's own extents. The rows are rewritten in general number
// format; blank rows stay blank. False when there was nothing to change.
bool adjustSelection(TextGrid& grid, AdjustCommand command, double step);

// Appends the entities as rows from the entry row on (general number format) and keeps a blank
// entry row. Returns the grid rows written (first, last); {0, 0} for none.
std::pair<int, int> appendShapeRows(TextGrid& grid, const Shape& shape);
// "Auto Join Missing Lines": appends a line row for every gap the outline closing finds.
// Returns the number of lines added.
int joinMissingLines(TextGrid& grid);

// Fills the grid from a shape file (cells as written) or a DXF drawing (entities in general
// number format, converted to `unit`). Returns "" or the error; the report says what the
// reader noticed.
std::string loadShapeGrid(TextGrid& grid, const std::string& path, ShapeReadReport& report,
                          DrawingUnit unit = DrawingUnit::Millimetre);
// Saves the non-blank rows: a shape file holds the cells as shown; a name ending in "dxf" gets
// a DXF drawing with the templates of the folder, its lengths divided by units.factor and its
// header naming units.code (a drawing written back in the units it was read in). Returns "" or
// the error; the previous file is kept on failure.
std::string saveShapeGrid(const TextGrid& grid, const std::string& path, const std::string& templateFolder,
                          const DxfUnitScale& units = {});

} // namespace dravenor
