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
    if (undone_.empty()) return false;
    redone_.push_back(grid);
    grid = std::move(undone_.back());
    undone_.pop_back();
    return true;
}

bool GridHistory::redo(TextGrid& grid)
{
    if (redone_.empty()) return false;
    undone_.push_back(grid);
    grid = std::move(redone_.back());
    redone_.pop_back();
    return true;
}

void GridHistory::clear()
{
    undone_.clear();
    redone_.clear();
}

} // namespace dravenor
