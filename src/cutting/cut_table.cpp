#include "cutting/cut_table.h"

#include <algorithm>
#include <cmath>

#include "cutting/exact_number.h"
#include "cutting/folder_file.h"
#include "cutting/text_lines.h"
#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor::cutting {

namespace {

const std::vector<std::string>& titles()
{
    static const std::vector<std::string> t{"Mat",    "Thick",   "Kerf",    "Feed",  "Pierce",
                                            "LeadIn", "LeadOut", "Overcut", "Joint", "Joints"};
    return t;
}


std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A row from its eight cells (or ten, with its microjoints), or "" in `problem` with the reason
// it is none.
std::optional<CutData> rowOf(std::vector<std::string> cells, std::string& problem)
{
    if (cells.size() != titles().size() && cells.size() != 8) {
        problem = "expected 8 fields (material, thickness, kerf, feed, pierce delay, lead-in, lead-out, overcut) or "
                  "10 (and the microjoints' width and count), found " +
                  std::to_string(cells.size());
        return std::nullopt;
    }
    cells.resize(titles().size());
    CutData row;
    row.material = upperAscii(trimmed(cells[0]));
    if (row.material.empty()) {
        problem = "the material is empty";
        return std::nullopt;
    }
    if (row.material.find_first_of("\",") != std::string::npos || row.material.size() > 6) {
        problem = "material \"" + row.material + "\" is not a material name of at most 6 characters";
        return std::nullopt;
    }
    double* fields[] = {&row.thickness, &row.kerf,    &row.feed,       &row.pierceDelay, &row.leadIn,
                        &row.leadOut,   &row.overcut, &row.jointWidth, &row.joints};
    for (size_t i = 0; i < 9; ++i) {
        std::string text = trimmed(cells[i + 1]);
        if (i >= 7 && text.empty()) text = "0"; // no microjoints of its own
        const std::optional<double> value = numberFromText(text);
        if (!value || !std::isfinite(*value) || *value < 0 || *value > 1e6) {
            problem = titles()[i + 1] + " \"" + text + "\" is not a number from 0 to 1000000";
            return std::nullopt;
        }
        *fields[i] = *value;
    }
    if (row.feed <= 0) {
        problem = "Feed must be above 0";
        return std::nullopt;
    }
    if (row.joints != std::floor(row.joints) || row.joints > 100 || row.jointWidth > 100) {
        problem = "Joint must be a width up to 100 and Joints a whole number up to 100";
        return std::nullopt;
    }
    return row;
}

bool blank(const std::vector<std::string>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return trimmed(c).empty(); });
}

CutTable sorted(CutTable table)
{
    std::stable_sort(table.begin(), table.end(), [](const CutData& a, const CutData& b) {
        if (a.material != b.material) return a.material < b.material;
        return a.thickness < b.thickness;
    });
    return table;
}

} // namespace

CutTable parseCutTableText(const std::string& content, const std::string& fileName, std::vector<std::string>& errors)
{
    CutTable table;
    for (const auto& [number, line] : numberedLines(content)) {
        const std::vector<std::string> cells = splitGridItems(line);
        if (blank(cells)) continue;
        std::string problem;
        if (std::optional<CutData> row = rowOf(cells, problem))
            table.push_back(*row);
        else
            errors.push_back(fileName + " line " + std::to_string(number) + ": " + problem);
    }
    return table;
}

CutTable readCutTableFile(const std::string& path, std::vector<std::string>& errors)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        errors.push_back(file.error);
        return {};
    }
    return parseCutTableText(*file.bytes, path, errors);
}

std::string cutTablePath(const std::string& folder)
{
    return folderFilePath(folder, kCutTableFileName);
}

std::optional<CutData> cutDataFor(const CutTable& table, const std::string& material, double thickness)
{
    const std::string wanted = upperAscii(trimmed(material));
    for (const CutData& row : table)
        if (row.material == wanted && std::abs(row.thickness - thickness) <= 1e-9) return row;
    return std::nullopt;
}

std::string missingCutDataMessage(const std::string& tablePath, const std::string& material, double thickness)
{
    return tablePath + " has no row for material \"" + material + "\" at thickness " + formatGeneral(thickness) +
           ": add one (Tools > Cut Table) before writing NC programs";
}

std::string cutTableText(const CutTable& table)
{
    // Rows without microjoints of their own keep their eight fields.
    const std::string blankJoints = ",\"\",\"\"\r\n";
    std::string text;
    for (const auto& [number, line] : numberedLines(gridToFileText(cutTableGrid(table), true))) {
        std::string row = line + "\r\n";
        if (row.ends_with(blankJoints)) row = row.substr(0, row.size() - blankJoints.size()) + "\r\n";
        text += row;
    }
    return text;
}

std::string saveCutTableFile(const CutTable& table, const std::string& path)
{
    return writeFileAtomically(path, cutTableText(table));
}

const std::map<std::string, std::string>& cutTableUnits()
{
    static const std::map<std::string, std::string> units{{"Kerf", "mm"},    {"Feed", "mm/min"}, {"Pierce", "s"},
                                                          {"LeadIn", "mm"},  {"LeadOut", "mm"},  {"Overcut", "mm"},
                                                          {"Joint", "mm"}};
    return units;
}

TextGrid cutTableGrid(const CutTable& table)
{
    const CutTable rows = sorted(table);
    TextGrid grid(titles());
    grid.setRows(static_cast<int>(rows.size()) + 2);
    for (size_t i = 0; i < rows.size(); ++i) {
        const CutData& r = rows[i];
        const double values[] = {r.thickness, r.kerf,    r.feed,       r.pierceDelay, r.leadIn,
                                 r.leadOut,   r.overcut, r.jointWidth, r.joints};
        const int row = static_cast<int>(i) + 1;
        grid.setText(row, 1, r.material);
        // A row without microjoints of its own leaves their cells blank.
        const int cells = r.jointWidth > 0 || r.joints > 0 ? 9 : 7;
        for (int c = 0; c < cells; ++c) grid.setText(row, c + 2, exactNumberText(values[c]));
    }
    grid.renumber();
    return grid;
}

CutTable cutTableFromGrid(const TextGrid& grid, std::vector<std::string>& errors)
{
    CutTable table;
    for (int r = 1; r < grid.rows(); ++r) {
        std::vector<std::string> cells;
        for (const std::string& title : titles()) {
            const int col = grid.columnOf(title);
            cells.push_back(col < 0 ? "" : grid.text(r, col));
        }
        if (blank(cells)) continue;
        std::string problem;
        if (std::optional<CutData> row = rowOf(cells, problem))
            table.push_back(*row);
        else
            errors.push_back("row " + std::to_string(r) + ": " + problem);
    }
    return table;
}

} // namespace dravenor::cutting
