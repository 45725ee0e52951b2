#include "job/density_table.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "job/cell_editing.h"
#include "job/column_attributes.h"
#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

constexpr const char* kMaterialTitle = "Mat";
constexpr const char* kDensityTitle = "Density";

std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Why the text could not have been typed into a cell of the column, or "" when it could.
std::string typingProblem(const std::string& title, const std::string& text)
{
    const ColumnAttributes attributes = columnAttributes(title);
    if (static_cast<int>(text.size()) > attributes.maxLen)
        return title + " \"" + text + "\" is longer than " + std::to_string(attributes.maxLen) + " characters";
    std::string typed;
    for (const char c : text) {
        if (!classAccepts(attributes.inputClass, typed, static_cast<unsigned char>(c))) {
            if (attributes.inputClass == 'R') return title + " \"" + text + "\" is not an unsigned decimal number";
            return title + " \"" + text + "\" holds a character that cannot be stored (comma, double quote or control character)";
        }
        typed += c;
    }
    return "";
}

// The lines of the text with their 1-based numbers; CR LF, LF and a lone CR all end a line.
std::vector<std::pair<int, std::string>> numberedLines(const std::string& content)
{
    std::vector<std::pair<int, std::string>> lines;
    int number = 1;
    size_t start = 0;
    for (size_t pos = 0; pos <= content.size(); ++pos) {
        const bool end = pos == content.size();
        if (!end && content[pos] != '\r' && content[pos] != '\n') continue;
        if (!end || pos > start) lines.emplace_back(number, content.substr(start, pos - start));
        if (!end && content[pos] == '\r' && pos + 1 < content.size() && content[pos + 1] == '\n') ++pos;
        start = pos + 1;
        ++number;
    }
    return lines;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string trimmedCell(const TextGrid& grid, int row, int col)
{
    return trimmed(grid.text(row, col));
}

// The entry of one line, or the reason it cannot be one. Blank lines give neither. Blanks around
// a field are dropped even inside its quotes, as the window's cells and the saved file drop them:
// `"S235 "` is the material S235.
std::optional<DensityEntry> entryOfLine(const std::string& line, std::string& problem)
{
    const std::vector<std::string> items = splitGridItems(line);
    const bool blank = std::all_of(items.begin(), items.end(), [](const std::string& i) { return trimmed(i).empty(); });
    if (blank) return std::nullopt;
    if (items.size() != 2) {
        problem = "expected 2 fields (material, density), found " + std::to_string(items.size());
        return std::nullopt;
    }
    DensityEntry entry{upperAscii(trimmed(items[0])), trimmed(items[1])};
    problem = typingProblem(kMaterialTitle, entry.material);
    if (problem.empty()) problem = typingProblem(kDensityTitle, entry.density);
    if (!problem.empty()) return std::nullopt;
    return entry;
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return toLowerAscii(a) < toLowerAscii(b);
}

} // namespace

double densityFor(const DensityTable& table, const std::string& material)
{
    double density = 0;
    for (const DensityEntry& entry : table)
        if (entry.material == material) density = leadingNumber(entry.density);
    return density;
}

std::string densityTablePath(const std::string& folder)
{
    namespace fs = std::filesystem;
    const std::string exact = withTrailingSeparator(folder) + kDensityFileName;
    if (fileExists(exact)) return exact;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (toLowerAscii(it->path().filename().string()) == kDensityFileName && fileExists(it->path().string()))
            return it->path().string();
    }
    return exact;
}

DensityTable parseDensityText(const std::string& content, const std::string& fileName,
                              std::vector<std::string>& warnings)
{
    DensityTable table;
    for (const auto& [number, line] : numberedLines(content)) {
        std::string problem;
        if (std::optional<DensityEntry> entry = entryOfLine(line, problem)) {
            table.push_back(std::move(*entry));
        } else if (!problem.empty()) {
            warnings.push_back(fileName + " line " + std::to_string(number) + ": " + problem + "; row left out");
        }
    }
    return table;
}

DensityTable readDensityFile(const std::string& path, std::vector<std::string>& warnings)
{
    const FileText file = readWholeFile(path);
    if (file.bytes) return parseDensityText(*file.bytes, path, warnings);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec) warnings.push_back(file.error);
    return {};
}

DensityTable readDensityTable(const std::string& folder, std::vector<std::string>& warnings)
{
    return readDensityFile(densityTablePath(folder), warnings);
}

DensityTable sortedDensityTable(DensityTable table)
{
    std::stable_sort(table.begin(), table.end(), [](const DensityEntry& a, const DensityEntry& b) {
        if (lessIgnoringCase(a.material, b.material)) return true;
        if (lessIgnoringCase(b.material, a.material)) return false;
        // Densities are numbers: "9" comes before "10".
        return leadingNumber(a.density) < leadingNumber(b.density);
    });
    return table;
}

std::string densityTableText(const DensityTable& table)
{
    return gridToFileText(densityGrid(sortedDensityTable(table)), true);
}

std::string saveDensityFile(const DensityTable& table, const std::string& path)
{
    return saveGridToFile(densityGrid(sortedDensityTable(table)), path, true);
}

std::string saveDensityTable(const DensityTable& table, const std::string& folder)
{
    return saveDensityFile(table, densityTablePath(folder));
}

TextGrid densityGrid(const DensityTable& table)
{
    TextGrid grid({kMaterialTitle, kDensityTitle});
    grid.setRows(static_cast<int>(table.size()) + 2);
    for (size_t i = 0; i < table.size(); ++i) {
        grid.setText(static_cast<int>(i) + 1, 1, table[i].material);
        grid.setText(static_cast<int>(i) + 1, 2, table[i].density);
    }
    grid.renumber();
    return grid;
}

DensityTable densityTableFromGrid(const TextGrid& grid)
{
    DensityTable table;
    const int materialCol = grid.columnOf(kMaterialTitle);
    const int densityCol = grid.columnOf(kDensityTitle);
    if (materialCol < 0 || densityCol < 0) return table;
    for (int r = 1; r < grid.rows(); ++r) {
        DensityEntry entry{trimmedCell(grid, r, materialCol), trimmedCell(grid, r, densityCol)};
        if (!entry.material.empty() || !entry.density.empty()) table.push_back(std::move(entry));
    }
    return table;
}

} // namespace dravenor
