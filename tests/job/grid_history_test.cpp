// Undo and redo of a grid: each step back gives the grid as it was before that change, redo
// gives the changes again, and a new change after an undo forgets what was undone.
#include <gtest/gtest.h>

#include "job/grid_history.h"

namespace dravenor {
namespace {

// A one-cell grid holding the text.
TextGrid holding(const std::string& text)
{
    TextGrid grid({"Note"});
    grid.setRows(2);
    grid.setText(1, 1, text);
    return grid;
}

TEST(GridHistory, UndoAndRedoWalkTheChangesAndANewChangeForgetsTheUndone)
{
    GridHistory history;
    TextGrid grid = holding("a");
    EXPECT_FALSE(history.undo(grid) || history.redo(grid));
    // Each step: the operation ('c' a change to the text given, 'u' undo, 'r' redo), what it
    // returns and the text the grid then holds.
    struct Step { char op; std::string text; bool done; std::string after; };
    const Step steps[] = {
        {'c', "b", true, "b"}, {'c', "c", true, "c"}, {'u', "", true, "b"}, {'u', "", true, "a"},
        {'u', "", false, "a"}, {'r', "", true, "b"}, {'r', "", true, "c"},  {'r', "", false, "c"},
        {'u', "", true, "b"},  {'c', "d", true, "d"}, {'r', "", false, "d"}, {'u', "", true, "b"},
        {'u', "", true, "a"},
    };
    for (const Step& s : steps) {
        bool done = true;
        if (s.op == 'c') {
            history.record(grid);
            grid.setText(1, 1, s.text);
        } else {
            done = s.op == 'u' ? history.undo(grid) : history.redo(grid);
        }
        EXPECT_EQ(std::pair(done, grid.text(1, 1)), std::pair(s.done, s.after)) << s.op << " " << s.text;
    }
}

TEST(GridHistory, ReachesBackAFixedNumberOfChanges)
{
    GridHistory history;
    TextGrid grid = holding("0");
    for (size_t i = 1; i <= GridHistory::kDepth + 5; ++i) {
        history.record(grid);
        grid.setText(1, 1, std::to_string(i));
    }
    size_t undone = 0;
    while (history.undo(grid)) ++undone;
    EXPECT_EQ(std::pair(undone, grid.text(1, 1)), std::pair(GridHistory::kDepth, std::string("5")));
    history.clear();
    EXPECT_FALSE(history.canUndo() || history.canRedo());
}

} // namespace
} // namespace dravenor
