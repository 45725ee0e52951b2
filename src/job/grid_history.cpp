#include "job/grid_history.h"

#include "job/cell_editing.h"

namespace dravenor {

void GridHistory::record(const TextGrid& before)
{
    undone_.push_back(before);
    if (undone_.size() > kDepth) undone_.erase(undone_.begin());
    redone_.clear();
}

void GridHistory::recordKey(const TextGrid& before, int keyCode)
{
    if (keyCode != KeyEscape && !undone_.empty() && typedCellIsCurrent(before)) return;
    record(before);
}

bool GridHistory::undo(TextGrid& grid)
{
    return step(undone_, redone_, grid);
}

bool GridHistory::redo(TextGrid& grid)
{
    return step(redone_, undone_, grid);
}

bool GridHistory::step(std::vector<TextGrid>& from, std::vector<TextGrid>& to, TextGrid& grid)
{
    if (from.empty()) return false;
    to.push_back(std::move(grid));
    grid = std::move(from.back());
    from.pop_back();
    // The grid brought back is not being typed into: the next key starts an edit of its own.
    forgetTypedCell(grid);
    return true;
}

void GridHistory::clear()
{
    undone_.clear();
    redone_.clear();
}

} // namespace dravenor
