#pragma once
// Typing into grid cells: the key-press and Delete rules applied to the current cell of a
// TextGrid, driven by the column attributes of the cell's column title. Windows forward keys
// here; everything they need to ask the user goes through GridEditHost.
#include <string>
#include <vector>

#include "job/text_grid.h"

namespace dravenor {

// Key codes as the grids receive them.
enum KeyCode : int { KeyBackspace = 8, KeyEnter = 13, KeyEscape = 27, KeyDelete = 46 };

class GridEditHost {
public:
    virtual ~GridEditHost() = default;
    // Called before any key changes the grid (Esc only when it puts typed text back). Returns
    // false when the user declined, and then nothing changes. The host discards results and
    // marks the job modified when it returns true.
    virtual bool beforeChange(int keyCode) = 0;
    // The same for a key on a cell of this grid; hosts for which some cells change nothing
    // worth guarding (a job's Note) look at the grid's current column.
    virtual bool beforeCellChange(const TextGrid& /*grid*/, int keyCode) { return beforeChange(keyCode); }
    // Files for a file column (edit mode L). With multiple true the user may choose several
    // (the main window's sheet and part grids); the result is full paths, empty when cancelled.
    virtual std::vector<std::string> chooseFiles(const TextGrid& grid, bool multiple) = 0;
    // The file name in column 1 of the current row may have changed.
    virtual void fileCellChanged(const TextGrid& /*grid*/) {}
};

struct GridEditOptions {
    // Sheet and part grids: renumbered, keep one blank entry row, remove empty rows on Delete.
    bool entryRowGrid = false;
    // Column 1 file cells filled by the multi-file selection (main window) instead of one file.
    bool multiFileSelection = false;
    // Other entity grids (shape editor): renumbered with one blank entry row after every key,
    // but rows are never removed.
    bool keepEntryRow = false;
};

// Declined: the user refused the change; Consumed: nothing changed; Appended: the key was added
// to the text; Removed: Backspace took the last character; FilesChosen: file names were
// written; Stepped: an "Orn" or "Mirror" cell moved on; Cleared: Delete emptied the cell; Restored: Esc put
// back the text the cell had before typing into it began.
enum class KeyOutcome { Declined, Consumed, Appended, Removed, FilesChosen, Stepped, Cleared, Restored };

// One typed key (character code as typed; letters are upper-cased first) on the grid's current
// cell. A double click is a press of Enter. In a file column (edit mode L) every key asks for
// files; column 1 receives them (several appended at the end with multiFileSelection, else one
// replacing the cell) and the current row becomes Rows - 2, the last filled row. Esc undoes the
// typing in the current cell (see grid.typedCell) and does nothing else: it never asks for files
// and never reaches the host when there is nothing to put back.
KeyOutcome pressKey(TextGrid& grid, int keyCode, GridEditHost& host, const GridEditOptions& options);
// The Delete key: clears the current cell in modes T, L and C; in entry-row grids a Delete in
// column 1 then removes the rows left without a file name.
KeyOutcome pressDelete(TextGrid& grid, GridEditHost& host, const GridEditOptions& options);

// Whether keys are being typed into the current cell: the next key goes on with that edit.
bool typedCellIsCurrent(const TextGrid& grid);

// Forgets the typed cell (the current cell moved): Esc then has nothing to put back.
void forgetTypedCell(TextGrid& grid);

// Whether the class accepts the (upper-cased) character appended to the text; ignores maxLen.
bool classAccepts(char inputClass, const std::string& text, int keyCode);
// Text typed into an empty cell of the titled column in one go, as the keys would enter it one
// by one: letters upper-cased, each character checked by the column's class and length. refusal
// is empty when every key was taken, else it says which key or length was refused.
struct TypedText {
    std::string text;
    std::string refusal;
};
TypedText typeIntoEmptyCell(const std::string& title, const std::string& keys);

// Moves rows with a file name (column 1) up over rows without, keeping their order, leaves
// exactly one empty row at the end and renumbers.
void removeEmptyRows(TextGrid& grid);

} // namespace dravenor
