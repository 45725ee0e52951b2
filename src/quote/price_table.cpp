#include "quote/price_table.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "cutting/exact_number.h"
#include "cutting/folder_file.h"
#include "cutting/text_lines.h"
#include "job/files.h"
#include "job/grid_file.h"
#include "job/number_format.h"

namespace dravenor::quote {

using cutting::trimmed;

namespace {

// The number columns after Mat, Grade and Thick, in file order, with their largest value.
struct NumberColumn {
    const char* title;
    double PriceRow::*field;
    double most;
};

const std::vector<NumberColumn>& numberColumns()
{
    static const std::vector<NumberColumn> columns{
        {"Thick", &PriceRow::thickness, 1e6},      {"Material", &PriceRow::perKg, 1e9},
        {"Machine", &PriceRow::perHour, 1e9},      {"Pierce", &PriceRow::perPierce, 1e9},
        {"Layout", &PriceRow::perLayout, 1e9},     {"Sheet", &PriceRow::perSheet, 1e9},
        {"Scrap", &PriceRow::scrapPerKg, 1e9},     {"Remnant", &PriceRow::remnantPercent, 100}};
    return columns;
}

std::vector<std::string> titles()
{
    std::vector<std::string> t{"Mat", "Grade"};
    for (const NumberColumn& c : numberColumns()) t.push_back(c.title);
    return t;
}

std::string upperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::optional<PriceRow> rowOf(const std::vector<std::string>& cells, std::string& problem)
{
    const size_t expected = titles().size();
    if (cells.size() != expected) {
        problem = "expected " + std::to_string(expected) +
                  " fields (material, grade, thickness, price per kg, machine per hour, per pierce, per layout, "
                  "per sheet, scrap per kg, remnant credit %), found " + std::to_string(cells.size());
        return std::nullopt;
    }
    PriceRow row;
    row.material = upperCase(trimmed(cells[0]));
    row.grade = trimmed(cells[1]);
    if (row.material.empty() || row.material.size() > 6 || row.material.find_first_of("\",") != std::string::npos) {
        problem = "material \"" + row.material + "\" is not a material name of 1 to 6 characters";
        return std::nullopt;
    }
    if (row.grade.find_first_of("\",") != std::string::npos) {
        problem = "grade \"" + row.grade + "\" holds a comma or a quote";
        return std::nullopt;
    }
    for (size_t i = 0; i < numberColumns().size(); ++i) {
        const NumberColumn& column = numberColumns()[i];
        const std::string text = trimmed(cells[i + 2]);
        const std::optional<double> value = numberFromText(text);
        if (!value || !std::isfinite(*value) || *value < 0 || *value > column.most) {
            problem = std::string(column.title) + " \"" + text + "\" is not a number from 0 to " + formatGeneral(column.most);
            return std::nullopt;
        }
        row.*column.field = *value;
    }
    return row;
}

bool blank(const std::vector<std::string>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return trimmed(c).empty(); });
}

bool sameKey(const PriceRow& a, const PriceRow& b)
{
    return a.material == b.material && upperCase(a.grade) == upperCase(b.grade) && std::abs(a.thickness - b.thickness) <= 1e-9;
}

// Adds the row, or the problem when an earlier row has its key; `where` names its line or row.
void addRow(PriceTable& table, PriceRow row, const std::string& where, const std::string& kind,
            std::vector<std::string>& errors)
{
    for (const PriceRow& earlier : table)
        if (sameKey(earlier, row)) {
            errors.push_back(where + ": the same material, grade and thickness as " + kind + " " +
                             std::to_string(earlier.line));
            return;
        }
    table.push_back(std::move(row));
}

// Rows of numbered cell lists; `kind` is "line" or "row" as messages name them.
PriceTable rowsOf(const std::vector<std::pair<int, std::vector<std::string>>>& lines, const std::string& prefix,
                  const std::string& kind, std::vector<std::string>& errors)
{
    PriceTable table;
    for (const auto& [number, cells] : lines) {
        if (blank(cells)) continue;
        const std::string where = prefix + kind + " " + std::to_string(number);
        std::string problem;
        std::optional<PriceRow> row = rowOf(cells, problem);
        if (!row) {
            errors.push_back(where + ": " + problem);
            continue;
        }
        row->line = number;
        addRow(table, std::move(*row), where, kind, errors);
    }
    return table;
}

PriceTable sorted(PriceTable table)
{
    std::stable_sort(table.begin(), table.end(), [](const PriceRow& a, const PriceRow& b) {
        return std::tie(a.material, a.grade, a.thickness) < std::tie(b.material, b.grade, b.thickness);
    });
    return table;
}

} // namespace

bool PriceRow::operator==(const PriceRow& o) const
{
    return std::tie(material, grade, thickness, perKg, perHour, perPierce, perLayout, perSheet, scrapPerKg, remnantPercent) ==
           std::tie(o.material, o.grade, o.thickness, o.perKg, o.perHour, o.perPierce, o.perLayout, o.perSheet,
                    o.scrapPerKg, o.remnantPercent);
}

PriceTable parsePriceTableText(const std::string& content, const std::string& fileName, std::vector<std::string>& errors)
{
    std::vector<std::pair<int, std::vector<std::string>>> lines;
    for (const auto& [number, line] : cutting::numberedLines(content)) lines.emplace_back(number, splitGridItems(line));
    return rowsOf(lines, fileName + " ", "line", errors);
}

PriceTable readPriceTableFile(const std::string& path, std::vector<std::string>& errors)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        errors.push_back(file.error);
        return {};
    }
    return parsePriceTableText(*file.bytes, path, errors);
}

std::string priceTablePath(const std::string& folder)
{
    return cutting::folderFilePath(folder, kPriceTableFileName);
}

std::optional<PriceRow> priceRowFor(const PriceTable& table, const std::string& material, const std::string& grade,
                                    double thickness)
{
    const std::string wantedMaterial = upperCase(trimmed(material)), wantedGrade = upperCase(trimmed(grade));
    std::optional<PriceRow> anyGrade;
    for (const PriceRow& row : table) {
        if (row.material != wantedMaterial || std::abs(row.thickness - thickness) > 1e-9) continue;
        if (upperCase(row.grade) == wantedGrade) return row;
        if (row.grade.empty()) anyGrade = row;
    }
    return anyGrade;
}

std::string missingPriceMessage(const std::string& tablePath, const std::string& material, const std::string& grade,
                                double thickness)
{
    const std::string what = "material \"" + material + "\"" + (grade.empty() ? "" : " grade \"" + grade + "\"");
    return tablePath + " has no row for " + what + " at thickness " + formatGeneral(thickness) +
           ": add one (Tools > Price Table) before quoting";
}

std::vector<std::string> unweighedMaterials(const PriceTable& table, const DensityTable& densities,
                                            const std::string& tableName, const std::string& densityName)
{
    std::vector<std::string> problems;
    for (const PriceRow& row : table)
        if (densityFor(densities, row.material) <= 0)
            problems.push_back(tableName + " line " + std::to_string(row.line) + ": material \"" + row.material +
                               "\" has no density in " + densityName + ", so its plates cannot be weighed");
    return problems;
}

std::string priceTableText(const PriceTable& table)
{
    return gridToFileText(priceTableGrid(table), true);
}

std::string savePriceTableFile(const PriceTable& table, const std::string& path)
{
    return writeFileAtomically(path, priceTableText(table));
}

const std::map<std::string, std::string>& priceTableUnits()
{
    static const std::map<std::string, std::string> units{
        {"Material", "per kg"}, {"Machine", "per hour"}, {"Pierce", "each"}, {"Layout", "each"},
        {"Sheet", "each"},      {"Scrap", "per kg"},     {"Remnant", "%"}};
    return units;
}

TextGrid priceTableGrid(const PriceTable& table)
{
    const PriceTable rows = sorted(table);
    TextGrid grid(titles());
    grid.setRows(static_cast<int>(rows.size()) + 2);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.setText(row, 1, rows[i].material);
        grid.setText(row, 2, rows[i].grade);
        for (size_t c = 0; c < numberColumns().size(); ++c)
            grid.setText(row, static_cast<int>(c) + 3, cutting::exactNumberText(rows[i].*numberColumns()[c].field));
    }
    grid.renumber();
    return grid;
}

PriceTable priceTableFromGrid(const TextGrid& grid, std::vector<std::string>& errors)
{
    std::vector<std::pair<int, std::vector<std::string>>> rows;
    for (int r = 1; r < grid.rows(); ++r) {
        std::vector<std::string> cells;
        for (const std::string& title : titles()) {
            const int col = grid.columnOf(title);
            cells.push_back(col < 0 ? "" : grid.text(r, col));
        }
        rows.emplace_back(r, std::move(cells));
    }
    return rowsOf(rows, "", "row", errors);
}

} // namespace dravenor::quote
