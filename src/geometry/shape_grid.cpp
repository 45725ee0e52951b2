#include "geometry/shape_grid.h"

#include <algorithm>

#include "geometry/dxf_export.h"
#include "geometry/outline_closing.h"
#include "geometry/primitives.h"
#include "job/column_attributes.h"
#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr int kFields = 9;

std::vector<double> entityFields(const ShapeEntity& e)
{
    return {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend};
}

void writeEntityRow(TextGrid& grid, int row, const ShapeEntity& entity)
{
    const std::vector<double> fields = entityFields(entity);
    for (int c = 0; c < kFields; ++c) grid.setText(row, c + 1, formatGeneral(fields[static_cast<size_t>(c)]));
}

} // namespace

const std::vector<std::string>& shapeGridTitles()
{
    static const std::vector<std::string> titles{"X1", "Y1", "X2", "Y2", "CX", "CY", "RAD", "Nstart", "Nend"};
    return titles;
}

TextGrid newShapeGrid()
{
    TextGrid grid(shapeGridTitles());
    applyColumnWidths(grid);
    grid.renumber();
    return grid;
}

GridShape shapeFromGrid(const TextGrid& grid)
{
    // Read through the shape-file reader so the grid means exactly what its saved file would.
    GridShape result;
    parseShapeText(gridToFileText(grid, true), result.shape);
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.rowHasText(r)) result.rowOfEntity.push_back(r);
    }
    result.rowOfEntity.resize(result.shape.size());
    return result;
}

std::pair<int, int> entitiesOnRows(const GridShape& gridShape, int fromRow, int toRow)
{
    if (fromRow > toRow) std::swap(fromRow, toRow);
    int first = 0;
    int last = 0;
    for (size_t i = 0; i < gridShape.rowOfEntity.size(); ++i) {
        const int row = gridShape.rowOfEntity[i];
        if (row < fromRow || row > toRow) continue;
        if (first == 0) first = static_cast<int>(i) + 1;
        last = static_cast<int>(i) + 1;
    }
    return {first, last};
}

std::pair<int, int> selectedRows(const TextGrid& grid)
{
    int from = std::min(grid.selStartRow, grid.selEndRow);
    int to = std::max(grid.selStartRow, grid.selEndRow);
    // A selection that no longer holds the current cell is stale: the current row alone counts.
    if (grid.row < from || grid.row > to) from = to = grid.row;
    return {from, to};
}

std::pair<int, int> selectedEntityRows(const TextGrid& grid)
{
    auto [from, to] = selectedRows(grid);
    from = std::max(from, 1);
    const int entryRow = grid.rows() - 1;
    to = std::min(to, entryRow);
    if (from > to) return {0, 0};
    if (to == entryRow && !grid.rowHasText(entryRow)) {
        if (from == to) return {0, 0};
        --to;
    }
    return {from, to};
}

bool adjustSelection(TextGrid& grid, AdjustCommand command, double step)
{
    const GridShape whole = shapeFromGrid(grid);
    if (whole.shape.empty()) return false;
    const auto [fromRow, toRow] = selectedEntityRows(grid);
    if (fromRow == 0) return false;

    Shape selection;
    std::vector<int> rows;
    for (size_t i = 0; i < whole.shape.size(); ++i) {
        const int row = whole.rowOfEntity[i];
        if (row < fromRow || row > toRow) continue;
        selection.push_back(whole.shape[i]);
        rows.push_back(row);
    }
    if (selection.empty()) return false;

    switch (command) {
    case AdjustCommand::MoveLeft: moveShape(selection, -step, 0); break;
    case AdjustCommand::MoveRight: moveShape(selection, step, 0); break;
    case AdjustCommand::MoveUp: moveShape(selection, 0, step); break;
    case AdjustCommand::MoveDown: moveShape(selection, 0, -step); break;
    case AdjustCommand::RotateAnticlockwise: rotateShape(selection, step); break;
    case AdjustCommand::RotateClockwise: rotateShape(selection, -step); break;
    }
    for (size_t i = 0; i < selection.size(); ++i) writeEntityRow(grid, rows[i], selection[i]);
    return true;
}

std::pair<int, int> appendShapeRows(TextGrid& grid, const Shape& shape)
{
    grid.ensureEntryRow();
    if (shape.empty()) return {0, 0};
    const int first = grid.rows() - 1;
    grid.setRows(first + static_cast<int>(shape.size()));
    for (size_t i = 0; i < shape.size(); ++i) writeEntityRow(grid, first + static_cast<int>(i), shape[i]);
    grid.ensureEntryRow();
    grid.renumber();
    return {first, first + static_cast<int>(shape.size()) - 1};
}

int joinMissingLines(TextGrid& grid)
{
    const Shape added = missingLines(shapeFromGrid(grid).shape);
    appendShapeRows(grid, added);
    return static_cast<int>(added.size());
}

std::string loadShapeGrid(TextGrid& grid, const std::string& path, ShapeReadReport& report, DrawingUnit unit)
{
    const std::string type = shapeFileType(path);
    if (type.empty()) return path + ": not a shape file (.shp) or DXF drawing (.dxf)";
    if (!fileExists(path)) return path + ": file not found";
    Shape shape;
    report = readShapeByExtension(path, shape, unit);
    if (!report.readable) return report.error;

    TextGrid loaded = newShapeGrid();
    if (type == "shp") {
        // Cells keep the text as written in the file.
        if (std::string error = loadGridFromFile(loaded, path); !error.empty()) return error;
    } else {
        appendShapeRows(loaded, shape);
    }
    grid = std::move(loaded);
    grid.row = grid.selStartRow = grid.selEndRow = 1;
    grid.col = 1;
    return {};
}

std::string saveShapeGrid(const TextGrid& grid, const std::string& path, const std::string& templateFolder,
                          const DxfUnitScale& units)
{
    const std::string type = shapeFileType(path);
    if (type == "shp") return saveGridToFile(grid, path, true);
    if (type == "dxf") {
        Shape shape = shapeFromGrid(grid).shape;
        if (units.factor != 1 && units.factor > 0)
            for (ShapeEntity& e : shape)
                for (double* length : {&e.X1, &e.Y1, &e.X2, &e.Y2, &e.CX, &e.CY, &e.RAD}) *length /= units.factor;
        return saveShapeAsDxf(shape, path, templateFolder, units.code);
    }
    return path + ": save as a shape file (.shp) or a DXF drawing (.dxf)";
}

} // namespace dravenor
