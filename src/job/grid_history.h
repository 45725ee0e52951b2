#pragma once
// Undo and redo of an editor's grid: the grid as it was before each change, and the changes
// undone, so that Redo can make them again. A new change forgets what was undone.
#include <cstddef>
#include <vector>

#include "job/text_grid.h"

namespace dravenor {

class GridHistory {
public:
    // How many changes back Undo reaches.
    static constexpr std::size_t kDepth = 200;

    // Before a change: the grid as it still is.
    void record(const TextGrid& before);
    // Before a key on the grid's current cell: recorded unless the key goes on typing into the
    // cell the last keys typed into, so that Undo takes back a whole cell's edit at once.
    void recordKey(const TextGrid& before, int keyCode);
    // The grid goes back to before the last change (true) or stays when there is none (false).
    bool undo(TextGrid& grid);
    // The last change undone is made again.
    bool redo(TextGrid& grid);
    void clear();
    bool canUndo() const { return !undone_.empty(); }
    bool canRedo() const { return !redone_.empty(); }

private:
    // Moves the grid onto `to` and takes the last of `from` in its place.
    static bool step(std::vector<TextGrid>& from, std::vector<TextGrid>& to, TextGrid& grid);

    std::vector<TextGrid> undone_; // grids before the changes, oldest first
    std::vector<TextGrid> redone_; // grids after the changes undone, latest undone last
};

} // namespace dravenor
