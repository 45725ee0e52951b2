#include "job/parts_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

#include "job/csv_records.h"
#include "job/files.h"
#include "job/number_format.h"
#include "job/part_rules.h"

namespace dravenor {

namespace {

enum class Column { File, Quantity, Priority, Orientation, Mirror, Material, Thickness, Unnamed };

// Header spellings, compared in lower case with blanks, '_', '-' and '.' left out.
struct ColumnName {
    Column column;
    std::string_view names;
};
constexpr std::array<ColumnName, 7> kColumnNames{{
    {Column::File, "file filename path filepath drawing part partfile partfilename partname shape shapefile dxf"},
    {Column::Quantity, "quantity qty quant count pieces pcs number amount"},
    {Column::Priority, "priority pri prio"},
    {Column::Orientation, "orientation orn rotation rotate"},
    {Column::Mirror, "mirror mirrored mirroring flip allowmirror"},
    {Column::Material, "material mat"},
    {Column::Thickness, "thickness thick thk"},
}};

constexpr std::int32_t kMostQuantity = 999999; // the six digits of the grid's Qty column
constexpr std::int32_t kMostPriority = 999;    // the three digits of its Pri column

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string headerKey(const std::string& title)
{
    std::string key;
    for (const char c : toLowerAscii(title))
        if (c != ' ' && c != '\t' && c != '_' && c != '-' && c != '.') key += c;
    return key;
}

std::optional<Column> columnOf(const std::string& title)
{
    const std::string key = headerKey(title);
    if (key.empty()) return Column::Unnamed;
    for (const ColumnName& entry : kColumnNames) {
        std::string_view names = entry.names;
        while (!names.empty()) {
            const size_t space = names.find(' ');
            if (names.substr(0, space) == key) return entry.column;
            names = space == std::string_view::npos ? std::string_view() : names.substr(space + 1);
        }
    }
    return std::nullopt;
}

// A number with a decimal point or a decimal comma.
std::optional<double> decimalOf(std::string text)
{
    if (text.find('.') == std::string::npos && std::count(text.begin(), text.end(), ',') == 1)
        std::replace(text.begin(), text.end(), ',', '.');
    return numberFromText(text);
}

// The orientation rule the text names, in any case ("no" is "No").
std::optional<std::string> orientationOf(const std::string& text)
{
    for (const std::string& rule : orientationRules())
        if (toLowerAscii(rule) == toLowerAscii(text)) return rule;
    return std::nullopt;
}

// Whether the part may lie mirrored: what the grid's Mirror cell takes as yes, or a plain no.
std::optional<bool> mirrorOf(const std::string& text)
{
    if (mirrorAllowedByText(text)) return true;
    for (const char* no : {"no", "n", "0", "false", ""})
        if (toLowerAscii(text) == no) return false;
    return std::nullopt;
}

std::string resolvedFile(const std::string& written, const std::string& listFolder)
{
    namespace fs = std::filesystem;
    const auto underFolder = [&](const std::string& name) {
        const fs::path path(name);
        return (path.is_absolute() || listFolder.empty() ? path : fs::path(listFolder) / path).lexically_normal().string();
    };
    const std::string path = underFolder(written);
    // Lists written on other systems separate folders with '\'.
    if (!fileExists(path) && written.find('\\') != std::string::npos) {
        std::string forward = written;
        std::replace(forward.begin(), forward.end(), '\\', '/');
        if (fileExists(underFolder(forward))) return underFolder(forward);
    }
    return path;
}

class ListReader {
public:
    ListReader(std::string listFolder, const JobStock& stock) : folder_(std::move(listFolder)), stock_(stock) {}

    PartsList read(std::string_view text)
    {
        const CsvRecords csv = readCsvRecords(text);
        if (csv.records.empty()) {
            fault(0, "the list is empty: its first line names the columns (file, quantity, priority, "
                     "orientation, mirror, material, thickness)");
        } else if (readHeader(csv.records.front())) {
            for (size_t i = 1; i < csv.records.size(); ++i) readRow(csv.records[i]);
        }
        if (csv.unclosedQuoteLine > 0) fault(csv.unclosedQuoteLine, "a quote opened here is never closed");
        return std::move(list_);
    }

private:
    void fault(int line, std::string message) { list_.faults.push_back({line, std::move(message)}); }

    bool readHeader(const CsvRecord& header)
    {
        bool good = true;
        for (const std::string& title : header.fields) {
            const std::optional<Column> column = columnOf(trimmed(title));
            if (!column) {
                fault(header.line, "unknown column '" + trimmed(title) +
                                       "' (known: file, quantity, priority, orientation, mirror, material, thickness)");
                good = false;
            } else if (*column != Column::Unnamed &&
                       std::find(columns_.begin(), columns_.end(), *column) != columns_.end()) {
                fault(header.line, "column '" + trimmed(title) + "' names a column given before");
                good = false;
            }
            columns_.push_back(column.value_or(Column::Unnamed));
        }
        if (std::find(columns_.begin(), columns_.end(), Column::File) == columns_.end()) {
            fault(header.line, "no file column: the first line names the columns, one of them the part's file");
            good = false;
        }
        return good;
    }

    void readRow(const CsvRecord& record)
    {
        // Spreadsheets end their lists with rows of empty cells.
        if (std::all_of(record.fields.begin(), record.fields.end(), [](const std::string& f) { return trimmed(f).empty(); }))
            return;
        const size_t faultsBefore = list_.faults.size();
        PartsListRow row;
        row.line = record.line;
        std::string file;
        for (size_t i = 0; i < record.fields.size(); ++i) {
            const std::string value = trimmed(record.fields[i]);
            if (i >= columns_.size() || columns_[i] == Column::Unnamed) {
                if (!value.empty()) fault(row.line, "'" + value + "' stands in a column the first line does not name");
                continue;
            }
            readField(columns_[i], value, row, file);
        }
        if (file.empty()) {
            fault(row.line, "no file named");
            return;
        }
        row.file = resolvedFile(file, folder_);
        if (list_.faults.size() > faultsBefore) return;
        if (const std::string reason = otherStockReason(row); !reason.empty()) {
            list_.otherStock.push_back({row, reason});
            return;
        }
        if (!isShapeFileName(row.file))
            fault(row.line, "'" + file + "' is not a drawing (.dxf) or shape file (.shp)");
        else if (!fileExists(row.file))
            fault(row.line, "file '" + file + "' not found (looked for " + row.file + ")");
        else
            list_.rows.push_back(std::move(row));
    }

    void readField(Column column, const std::string& value, PartsListRow& row, std::string& file)
    {
        switch (column) {
        case Column::File: file = value; break;
        case Column::Quantity: row.qty = wholeOf(row.line, "quantity", value, 1, kMostQuantity); break;
        case Column::Priority: row.pri = wholeOf(row.line, "priority", value, 0, kMostPriority); break;
        case Column::Orientation:
            if (const auto orn = orientationOf(value)) row.orn = *orn;
            else fault(row.line, "orientation '" + value + "' is not one the part grid takes (empty, " + knownOrientations() + ")");
            break;
        case Column::Mirror:
            if (const auto mirror = mirrorOf(value)) row.mirror = *mirror;
            else fault(row.line, "mirror '" + value + "' is not yes or no (also y/n, 1/0, true/false)");
            break;
        case Column::Material: row.material = value; break;
        case Column::Thickness:
            if (value.empty()) break;
            if (const auto thick = decimalOf(value); thick && *thick >= 0) row.thickness = *thick;
            else fault(row.line, "thickness '" + value + "' is not a number from 0 up");
            break;
        case Column::Unnamed: break;
        }
    }

    // A whole number in [least, most]; an empty cell gives the default. "12.0" and "12,0" are 12.
    std::int32_t wholeOf(int line, const std::string& what, const std::string& value, std::int32_t fallback,
                         std::int32_t most)
    {
        if (value.empty()) return fallback;
        const std::optional<double> number = decimalOf(value);
        if (!number || *number < 0 || *number > most || std::floor(*number) != *number) {
            fault(line, what + " '" + value + "' is not a whole number from 0 to " + std::to_string(most));
            return fallback;
        }
        return static_cast<std::int32_t>(*number);
    }

    static std::string knownOrientations()
    {
        std::string names;
        for (const std::string& rule : orientationRules())
            if (!rule.empty()) names += (names.empty() ? "" : ", ") + rule;
        return names;
    }

    std::string otherStockReason(const PartsListRow& row) const
    {
        if (!stock_.material.empty() && !row.material.empty() &&
            toLowerAscii(row.material) != toLowerAscii(trimmed(stock_.material)))
            return "material " + row.material + ", the job's is " + stock_.material;
        if (stock_.thickness > 0 && row.thickness &&
            std::abs(*row.thickness - stock_.thickness) > 1e-9 * std::max(1.0, stock_.thickness))
            return "thickness " + formatGeneral(*row.thickness) + ", the job's is " + formatGeneral(stock_.thickness);
        return {};
    }

    std::string folder_;
    const JobStock& stock_;
    std::vector<Column> columns_;
    PartsList list_;
};

} // namespace

std::string faultText(const PartsListFault& fault)
{
    return fault.line > 0 ? "line " + std::to_string(fault.line) + ": " + fault.message : fault.message;
}

bool isShapeFileName(const std::string& name)
{
    const std::string lower = toLowerAscii(name);
    const auto endsWith = [&](std::string_view ending) {
        return lower.size() > ending.size() && lower.compare(lower.size() - ending.size(), ending.size(), ending) == 0;
    };
    return endsWith(".dxf") || endsWith(".shp");
}

PartsList readPartsList(std::string_view text, const std::string& listFolder, const JobStock& stock)
{
    return ListReader(listFolder, stock).read(text);
}

PartsList readPartsListFile(const std::string& path, const JobStock& stock)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        PartsList list;
        list.faults.push_back({0, file.error});
        return list;
    }
    // Full paths, so that the grid and every message name the files wherever the tool runs.
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return readPartsList(*file.bytes, (error ? std::filesystem::path(path) : full).parent_path().string(), stock);
}

} // namespace dravenor
