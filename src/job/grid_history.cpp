#include "job/grid_history.h"

namespace dravenor {

void GridHistory::record(const TextGrid& before)
{
    undone_.push_back(before);
    if (undone_.size() > kDepth) undone_.erase(undone_.begin());
    redone_.clear();
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
    return true;
}

void GridHistory::clear()
{
    undone_.clear();
    redone_.clear();
}

} // namespace dravenor
