#include "layouts/layout_editing.h"

#include <algorithm>

#include "job/column_attributes.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

LayoutFileLine lineOfRow(const TextGrid& grid, int row)
{
    return {grid.text(row, NameColumn),  grid.text(row, XColumn),   grid.text(row, YColumn),
            grid.text(row, AngleColumn), grid.text(row, QtyColumn), grid.text(row, MirrorColumn)};
}

void writeRow(TextGrid& grid, int row, const LayoutFileLine& line)
{
    grid.setText(row, NameColumn, line.name);
    grid.setText(row, XColumn, line.x);
    grid.setText(row, YColumn, line.y);
    grid.setText(row, AngleColumn, line.angle);
    grid.setText(row, QtyColumn, line.qty);
    grid.setText(row, MirrorColumn, line.mirror);
}

bool onlyNameGiven(const TextGrid& grid, int row)
{
    if (grid.text(row, NameColumn).empty()) return false;
    for (int c = XColumn; c <= QtyColumn; ++c)
        if (!grid.text(row, c).empty()) return false;
    return true;
}

// The cell a command changes and the sign of the step.
std::pair<int, double> adjustedCell(AdjustCommand command)
{
    switch (command) {
    case AdjustCommand::MoveLeft: return {XColumn, -1};
    case AdjustCommand::MoveRight: return {XColumn, 1};
    case AdjustCommand::MoveUp: return {YColumn, 1};
    case AdjustCommand::MoveDown: return {YColumn, -1};
    case AdjustCommand::RotateAnticlockwise: return {AngleColumn, 1};
    case AdjustCommand::RotateClockwise: return {AngleColumn, -1};
    }
    return {XColumn, 0};
}

bool isRotation(AdjustCommand command)
{
    return command == AdjustCommand::RotateAnticlockwise || command == AdjustCommand::RotateClockwise;
}

void keepCurrentCellInside(TextGrid& grid)
{
    const int lastRow = grid.rows() - 1;
    grid.row = std::clamp(grid.row, 1, lastRow);
    grid.selStartRow = std::clamp(grid.selStartRow, 1, lastRow);
    grid.selEndRow = std::clamp(grid.selEndRow, 1, lastRow);
}

} // namespace

const std::vector<std::string>& layoutGridTitles()
{
    static const std::vector<std::string> titles{"File Name", "X", "Y", "N", "QTY", "Mirror"};
    return titles;
}

TextGrid newLayoutGrid()
{
    TextGrid grid(layoutGridTitles());
    applyColumnWidths(grid);
    grid.renumber();
    return grid;
}

std::vector<LayoutFileLine> layoutLinesFromGrid(const TextGrid& grid)
{
    std::vector<LayoutFileLine> lines;
    for (int r = 1; r < grid.rows(); ++r)
        if (!grid.text(r, NameColumn).empty()) lines.push_back(lineOfRow(grid, r));
    return lines;
}

void fillLayoutGrid(TextGrid& grid, const std::vector<LayoutFileLine>& lines)
{
    grid.setRows(1);
    grid.setRows(static_cast<int>(lines.size()) + 2);
    for (size_t i = 0; i < lines.size(); ++i) writeRow(grid, static_cast<int>(i) + 1, lines[i]);
    grid.renumber();
    grid.row = grid.selStartRow = grid.selEndRow = 1;
    grid.col = NameColumn;
}

std::string loadLayoutGrid(TextGrid& grid, const std::string& path)
{
    const LayoutFileRead read = readLayoutFile(path);
    if (!read.ok()) return read.error;
    fillLayoutGrid(grid, read.lines);
    grid.tag = path;
    return "";
}

std::string saveLayoutGrid(const TextGrid& grid, const std::string& path)
{
    return writeLayoutFile(path, layoutLinesFromGrid(grid), true);
}

PlacementAdjust adjustPlacements(TextGrid& grid, AdjustCommand command, double step)
{
    if (grid.row == kSheetRow) return PlacementAdjust::SheetRow;
    const auto [fromRow, toRow] = selectedEntityRows(grid);
    if (fromRow == 0) return PlacementAdjust::NothingSelected;
    if (isRotation(command) && toRow > fromRow) return PlacementAdjust::MultipleRotation;

    const auto [column, sign] = adjustedCell(command);
    for (int r = std::max(fromRow, kSheetRow + 1); r <= toRow; ++r) {
        const double value = leadingNumber(grid.text(r, column)) + sign * step;
        grid.setText(r, column, formatGeneral(value));
    }
    return PlacementAdjust::Done;
}

void fillEmptyQuantities(TextGrid& grid)
{
    for (int r = kSheetRow + 1; r < grid.rows(); ++r) {
        if (!grid.text(r, NameColumn).empty() && grid.text(r, QtyColumn).empty())
            grid.setText(r, QtyColumn, grid.text(r - 1, QtyColumn));
    }
}

bool completeNewPlacements(TextGrid& grid)
{
    bool completed = false;
    for (int r = 1; r < grid.rows(); ++r) {
        if (!onlyNameGiven(grid, r)) continue;
        for (int c : {XColumn, YColumn, AngleColumn}) grid.setText(r, c, "0");
        grid.setText(r, QtyColumn, r == kSheetRow ? std::string("1") : grid.text(r - 1, QtyColumn));
        completed = true;
    }
    return completed;
}

std::pair<int, int> appendPartRows(TextGrid& grid, const std::vector<std::string>& paths)
{
    if (paths.empty()) return {0, 0};
    // New rows start at the first row after the last one holding text (never on the sheet row).
    int first = grid.rows();
    while (first > kSheetRow + 1 && !grid.rowHasText(first - 1)) --first;
    if (first <= kSheetRow) first = kSheetRow + 1;
    grid.setRows(std::max(grid.rows(), first + static_cast<int>(paths.size())));
    for (size_t i = 0; i < paths.size(); ++i) {
        const int row = first + static_cast<int>(i);
        writeRow(grid, row, {paths[i], "0", "0", "0", grid.text(row - 1, QtyColumn), ""});
    }
    grid.renumber();
    grid.ensureEntryRow();
    return {first, first + static_cast<int>(paths.size()) - 1};
}

int removePartRows(TextGrid& grid, int fromRow, int toRow)
{
    if (fromRow > toRow) std::swap(fromRow, toRow);
    fromRow = std::max(fromRow, kSheetRow + 1);
    toRow = std::min(toRow, grid.rows() - 1);
    if (fromRow > toRow) return 0;

    const int removed = toRow - fromRow + 1;
    for (int r = toRow + 1; r < grid.rows(); ++r)
        for (int c = 1; c < grid.cols(); ++c) grid.setText(r - removed, c, grid.text(r, c));
    grid.setRows(grid.rows() - removed);
    grid.renumber();
    grid.ensureEntryRow();
    grid.row = grid.selStartRow = grid.selEndRow = std::min(fromRow, grid.rows() - 1);
    keepCurrentCellInside(grid);
    return removed;
}

} // namespace dravenor
