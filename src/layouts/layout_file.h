#pragma once
// Layout files (".lay", and "edit.lay", the exchange file between the main window and the
// layout editor): one placement per line, the sheet first, then one line per placed part, each
// line "File Name", X, Y, N (degrees), QTY, and in files with a mirrored part a sixth field,
// Mirror ("Yes" for a part laid mirrored). The editor writes every field quoted; the main window
// quotes the name only. Both forms read the same.
#include <string>
#include <vector>

namespace dravenor {

// One line, fields kept as the text written or typed (so a file reopens exactly as saved).
struct LayoutFileLine {
    std::string name, x, y, angle, qty, mirror;
    bool operator==(const LayoutFileLine&) const = default;
};

struct LayoutFileRead {
    std::vector<LayoutFileLine> lines; // every line of the file, blank lines skipped
    std::string error;                 // "" when read; else names the file and the reason
    bool ok() const { return error.empty(); }
};

// Reads a layout file: quoted or unquoted items, CR LF or LF, missing trailing items empty.
LayoutFileRead readLayoutFile(const std::string& path);

// Writes the lines atomically with CR LF line ends; lines whose fields are all empty are left
// out, and the Mirror field is written only when some line has one. quoteNumbers false writes X, Y, N and QTY bare (the main window's form). Returns ""
// or the error naming the file; on error an existing file is left as it was.
std::string writeLayoutFile(const std::string& path, const std::vector<LayoutFileLine>& lines, bool quoteNumbers);

} // namespace dravenor
