#include "job/cell_editing.h"

#include <algorithm>

#include "job/column_attributes.h"
#include "job/key_rules.h"
#include "job/part_rules.h"

namespace dravenor {

namespace {

constexpr int FileColumn = 1;

bool hasCurrentCell(const TextGrid& grid)
{
    return grid.row >= 1 && grid.row < grid.rows() && grid.col >= 1 && grid.col < grid.cols();
}

int upperCaseKey(int keyCode)
{
    return keyCode >= 'a' && keyCode <= 'z' ? keyCode - 'a' + 'A' : keyCode;
}

bool isDigitKey(int keyCode)
{
    return keyCode >= '0' && keyCode <= '9';
}

bool hasPoint(const std::string& text)
{
    return text.find('.') != std::string::npos;
}

void appendRow(TextGrid& grid)
{
    grid.setRows(grid.rows() + 1);
    grid.setText(grid.rows() - 1, 0, std::to_string(grid.rows() - 1));
}


// The first key typed into the current cell since it became current keeps the text it replaces.
void rememberTypedCell(TextGrid& grid)
{
    if (typedCellIsCurrent(grid)) return;
    const std::string& text = grid.text(grid.row, grid.col);
    grid.typedCell = TextGrid::TypedCell{grid.row, grid.col, text, text};
}

// Runs a change to the current cell and notes the text it left.
template <class Change>
KeyOutcome typeIntoTypedCell(TextGrid& grid, Change change)
{
    rememberTypedCell(grid);
    const KeyOutcome outcome = change();
    grid.typedCell->typed = grid.text(grid.row, grid.col);
    return outcome;
}

// Edit mode L: the key asks for files, whatever key it is.
KeyOutcome chooseFilesForCell(TextGrid& grid, GridEditHost& host, const GridEditOptions& options)
{
    if (grid.col != FileColumn) return KeyOutcome::Consumed;
    if (options.multiFileSelection) {
        const std::vector<std::string> paths = host.chooseFiles(grid, true);
        for (const std::string& path : paths) {
            grid.setText(grid.rows() - 1, FileColumn, path);
            appendRow(grid);
        }
        return paths.empty() ? KeyOutcome::Consumed : KeyOutcome::FilesChosen;
    }
    const std::vector<std::string> paths = host.chooseFiles(grid, false);
    if (paths.empty()) return KeyOutcome::Consumed;
    grid.setText(grid.row, FileColumn, paths.front());
    return KeyOutcome::FilesChosen;
}

// Edit mode T: the key is filtered by the column's input class and appended when accepted.
KeyOutcome typeIntoCell(TextGrid& grid, int keyCode, const ColumnAttributes& attributes)
{
    const std::string& text = grid.text(grid.row, grid.col);
    if (attributes.inputClass == 'X') return KeyOutcome::Consumed;
    if (attributes.inputClass == 'O' || attributes.inputClass == 'M') {
        // The choice never grows the text, so the length limit does not apply.
        const std::string next =
            attributes.inputClass == 'O' ? orientationForKey(text, keyCode) : nextMirror(text);
        if (next == text) return KeyOutcome::Consumed;
        grid.setText(grid.row, grid.col, next);
        return KeyOutcome::Stepped;
    }
    if (static_cast<int>(text.size()) >= attributes.maxLen) return KeyOutcome::Consumed;
    const int typed = typedCharacter(attributes.inputClass, keyCode);
    if (!classAccepts(attributes.inputClass, text, typed)) return KeyOutcome::Consumed;
    grid.setText(grid.row, grid.col, text + static_cast<char>(typed));
    return KeyOutcome::Appended;
}

// Sheet and part grids keep their numbers and one blank entry row after every key.
void finishEntryRowGrid(TextGrid& grid, GridEditHost& host, const GridEditOptions& options)
{
    if (!options.entryRowGrid && !options.keepEntryRow) return;
    grid.renumber();
    grid.ensureEntryRow();
    if (options.entryRowGrid && grid.col == FileColumn) host.fileCellChanged(grid);
}

// Esc: the typed cell gets its text back; a change like any other, so the host is asked first.
KeyOutcome restoreTypedCell(TextGrid& grid, GridEditHost& host, const GridEditOptions& options)
{
    // Text changed since by other means (a move, rows taken out) is not the typing's to undo.
    if (!typedCellIsCurrent(grid) || grid.typedCell->before == grid.typedCell->typed) return KeyOutcome::Consumed;
    if (!host.beforeCellChange(grid, KeyEscape)) return KeyOutcome::Declined;
    grid.setText(grid.row, grid.col, grid.typedCell->before);
    grid.typedCell.reset();
    finishEntryRowGrid(grid, host, options);
    return KeyOutcome::Restored;
}

} // namespace

bool typedCellIsCurrent(const TextGrid& grid)
{
    const auto& typed = grid.typedCell;
    return typed && typed->row == grid.row && typed->col == grid.col
        && typed->typed == grid.text(grid.row, grid.col);
}

void forgetTypedCell(TextGrid& grid)
{
    grid.typedCell.reset();
}

bool classAccepts(char inputClass, const std::string& text, int keyCode)
{
    switch (inputClass) {
    case 'L': return isDigitKey(keyCode);
    case 'R': return isDigitKey(keyCode) || (keyCode == '.' && !hasPoint(text));
    case 'P':
        return isDigitKey(keyCode) || (keyCode == '.' && !hasPoint(text))
            || (keyCode == '-' && text.empty());
    case 'S': return keyCode >= 32 && keyCode <= 126 && keyCode != '"' && keyCode != ',';
    default: return false;
    }
}

TypedText typeIntoEmptyCell(const std::string& title, const std::string& keys)
{
    const ColumnAttributes attributes = columnAttributes(title);
    TypedText typed;
    if (attributes.editMode != 'T' || attributes.inputClass == 'O' || attributes.inputClass == 'M'
        || attributes.inputClass == 'X') {
        typed.refusal = title + " is not typed";
        return typed;
    }
    for (const char c : keys) {
        const int key = typedCharacter(attributes.inputClass, upperCaseKey(static_cast<unsigned char>(c)));
        if (static_cast<int>(typed.text.size()) >= attributes.maxLen) {
            typed.refusal = "longer than " + std::to_string(attributes.maxLen) + " characters";
            return typed;
        }
        if (!classAccepts(attributes.inputClass, typed.text, key)) {
            typed.refusal = keyRefusal(title, key);
            if (typed.refusal.empty())
                typed.refusal = std::string{'\'', c, '\''}.append(" cannot be typed into ").append(title);
            return typed;
        }
        typed.text += static_cast<char>(key);
    }
    return typed;
}

KeyOutcome pressKey(TextGrid& grid, int keyCode, GridEditHost& host, const GridEditOptions& options)
{
    if (!hasCurrentCell(grid)) return KeyOutcome::Consumed;
    if (keyCode == KeyEscape) return restoreTypedCell(grid, host, options);
    const int key = upperCaseKey(keyCode);
    if (!host.beforeCellChange(grid, key)) return KeyOutcome::Declined;

    const ColumnAttributes attributes = columnAttributes(grid.title(grid.col));
    const std::string& text = grid.text(grid.row, grid.col);
    if (key == KeyBackspace && attributes.inputClass != 'X' && !text.empty()) {
        return typeIntoTypedCell(grid, [&] {
            grid.setText(grid.row, grid.col, text.substr(0, text.size() - 1));
            return KeyOutcome::Removed;
        });
    }

    if (attributes.editMode == 'L') {
        // File choices may add and move rows: Esc cannot take them back.
        forgetTypedCell(grid);
        const KeyOutcome outcome = chooseFilesForCell(grid, host, options);
        finishEntryRowGrid(grid, host, options);
        grid.row = std::max(1, grid.rows() - 2);
        return outcome;
    }
    const KeyOutcome outcome = typeIntoTypedCell(grid, [&] { return typeIntoCell(grid, key, attributes); });
    finishEntryRowGrid(grid, host, options);
    return outcome;
}

KeyOutcome pressDelete(TextGrid& grid, GridEditHost& host, const GridEditOptions& options)
{
    if (!hasCurrentCell(grid)) return KeyOutcome::Consumed;
    if (!host.beforeCellChange(grid, KeyDelete)) return KeyOutcome::Declined;

    const char mode = columnAttributes(grid.title(grid.col)).editMode;
    KeyOutcome outcome = KeyOutcome::Consumed;
    if (mode == 'T' || mode == 'C') {
        outcome = typeIntoTypedCell(grid, [&] {
            grid.setText(grid.row, grid.col, "");
            return KeyOutcome::Cleared;
        });
    } else if (mode == 'L') {
        forgetTypedCell(grid);
        grid.setText(grid.row, grid.col, "");
        outcome = KeyOutcome::Cleared;
    }
    if (options.entryRowGrid && grid.col == FileColumn) {
        removeEmptyRows(grid);
        host.fileCellChanged(grid);
    }
    return outcome;
}

void removeEmptyRows(TextGrid& grid)
{
    std::vector<std::vector<std::string>> kept;
    for (int r = 1; r < grid.rows(); ++r) {
        if (grid.cols() <= FileColumn || grid.text(r, FileColumn).empty()) continue;
        std::vector<std::string> cells;
        for (int c = 1; c < grid.cols(); ++c) cells.push_back(grid.text(r, c));
        kept.push_back(std::move(cells));
    }
    grid.clear();
    grid.setRows(static_cast<int>(kept.size()) + 2);
    for (size_t i = 0; i < kept.size(); ++i)
        for (size_t c = 0; c < kept[i].size(); ++c)
            grid.setText(static_cast<int>(i) + 1, static_cast<int>(c) + 1, kept[i][c]);
    grid.renumber();
    grid.selStartRow = std::min(grid.selStartRow, grid.rows() - 1);
    grid.selEndRow = std::min(grid.selEndRow, grid.rows() - 1);
}

} // namespace dravenor
