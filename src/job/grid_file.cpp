#include "job/grid_file.h"

#include <filesystem>

namespace dravenor {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

std::string trimBlanks(const std::string& text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && isBlank(text[start])) ++start;
    while (end > start && isBlank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

// Moves past one line end (CR LF, LF or a lone CR) at pos.
size_t skipLineEnd(const std::string& text, size_t pos)
{
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    return pos;
}

bool onlyBlanksAndLineEnds(const std::string& text, size_t pos)
{
    for (; pos < text.size(); ++pos)
        if (!isBlank(text[pos]) && !isLineEnd(text[pos])) return false;
    return true;
}

// Lines holding something other than blanks.
int countFilledLines(const std::string& content)
{
    int count = 0;
    bool filled = false;
    for (size_t pos = 0; pos < content.size(); ++pos) {
        const char c = content[pos];
        if (isLineEnd(c)) {
            if (filled) ++count;
            filled = false;
            if (c == '\r' && pos + 1 < content.size() && content[pos + 1] == '\n') ++pos;
        } else if (!isBlank(c)) {
            filled = true;
        }
    }
    return count + (filled ? 1 : 0);
}

bool rowIsWritten(const TextGrid& grid, int row, bool onlyNonEmpty)
{
    if (!onlyNonEmpty) return row < grid.rows() - 1;
    for (int c = 1; c < grid.cols(); ++c)
        if (!trimBlanks(grid.text(row, c)).empty()) return true;
    return false;
}

// The first written cell that a grid file cannot hold (a double quote or a line break), as a
// message naming the file, or "".
std::string unstorableCell(const TextGrid& grid, bool onlyNonEmpty, const std::string& path)
{
    for (int r = 1; r < grid.rows(); ++r) {
        if (!rowIsWritten(grid, r, onlyNonEmpty)) continue;
        for (int c = 1; c < grid.cols(); ++c) {
            const std::string& text = grid.text(r, c);
            if (text.find_first_of("\"\r\n") != std::string::npos)
                return "cannot write " + path + ": row " + std::to_string(r) + ", column \""
                    + grid.title(c) + "\" holds a double quote or a line break, which the file cannot store";
        }
    }
    return "";
}

} // namespace

std::vector<std::string> splitGridItems(const std::string& content)
{
    std::vector<std::string> items;
    size_t pos = 0;
    bool afterComma = false;
    const size_t size = content.size();
    while (true) {
        while (pos < size && isBlank(content[pos])) ++pos;
        if (pos >= size) {
            if (afterComma) items.emplace_back();
            break;
        }
        if (isLineEnd(content[pos])) {
            // A comma right before the line end leaves an empty last item; blank lines hold none.
            if (afterComma) items.emplace_back();
            afterComma = false;
            pos = skipLineEnd(content, pos);
            if (onlyBlanksAndLineEnds(content, pos)) break;
            continue;
        }
        if (content[pos] == '"') {
            const size_t close = content.find('"', pos + 1);
            const size_t end = close == std::string::npos ? size : close;
            items.push_back(content.substr(pos + 1, end - pos - 1));
            pos = close == std::string::npos ? size : close + 1;
            // Anything between the closing quote and the delimiter is ignored.
            while (pos < size && content[pos] != ',' && !isLineEnd(content[pos])) ++pos;
        } else {
            const size_t start = pos;
            while (pos < size && content[pos] != ',' && !isLineEnd(content[pos])) ++pos;
            items.push_back(trimBlanks(content.substr(start, pos - start)));
        }
        afterComma = pos < size && content[pos] == ',';
        if (afterComma) ++pos;
        else if (pos < size) pos = skipLineEnd(content, pos);
    }
    return items;
}

int countLines(const std::string& content)
{
    int count = 0;
    size_t pos = 0;
    while (pos < content.size()) {
        if (isLineEnd(content[pos])) {
            ++count;
            pos = skipLineEnd(content, pos);
        } else {
            ++pos;
            if (pos == content.size()) ++count; // last line without its line end
        }
    }
    return count;
}

std::string gridToFileText(const TextGrid& grid, bool onlyNonEmpty)
{
    std::string text;
    for (int r = 1; r < grid.rows(); ++r) {
        if (!rowIsWritten(grid, r, onlyNonEmpty)) continue;
        for (int c = 1; c < grid.cols(); ++c) {
            if (c > 1) text += ',';
            text += '"' + trimBlanks(grid.text(r, c)) + '"';
        }
        text += "\r\n";
    }
    return text;
}

std::string saveGridToFile(const TextGrid& grid, const std::string& path, bool onlyNonEmpty)
{
    const std::string problem = unstorableCell(grid, onlyNonEmpty, path);
    if (!problem.empty()) return problem;
    return writeFileAtomically(path, gridToFileText(grid, onlyNonEmpty));
}

std::string loadGridFromFile(TextGrid& grid, const std::string& path)
{
    grid.setRows(2);
    grid.clear();
    grid.renumber();

    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        std::error_code ec;
        if (!path.empty() && !std::filesystem::exists(path, ec) && !ec) return "";
        return file.error;
    }
    const std::string& content = *file.bytes;
    grid.setRows(countFilledLines(content) + 2);

    const int perRow = grid.cols() - 1;
    if (perRow > 0) {
        const std::vector<std::string> items = splitGridItems(content);
        for (size_t i = 0; i < items.size(); ++i) {
            const int row = 1 + static_cast<int>(i) / perRow;
            const int col = 1 + static_cast<int>(i) % perRow;
            if (row >= grid.rows()) grid.setRows(row + 1);
            grid.setText(row, col, items[i]);
        }
    }
    grid.renumber();
    grid.ensureEntryRow();
    return "";
}

std::string loadGridFromTagFile(TextGrid& grid)
{
    return loadGridFromFile(grid, grid.tag);
}

} // namespace dravenor
