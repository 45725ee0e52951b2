#include "job/parts_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "job/files.h"

namespace dravenor {

std::int32_t quantityInFileName(const std::string& fileName)
{
    const std::string name = fileNameOnly(fileName);
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    size_t digits = stem.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(stem[digits - 1]))) --digits;
    const size_t count = stem.size() - digits;
    // "_x" before the digits, and at most the six digits of the grid's Qty column.
    if (count == 0 || count > 6 || digits < 3) return 1;
    const char x = stem[digits - 1];
    const char before = stem[digits - 2];
    if ((x != 'x' && x != 'X') || (before != '_' && before != '-' && before != ' ')) return 1;
    return static_cast<std::int32_t>(std::stol(stem.substr(digits)));
}

PartsList readPartsFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    PartsList list;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        list.faults.push_back({0, "cannot read folder " + folder + ": " + error.message()});
        return list;
    }
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : entries) {
        const std::string path = entry.path().string();
        if (isShapeFileName(path) && fileExists(path)) files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        PartsListRow row;
        row.file = file;
        row.qty = quantityInFileName(file);
        list.rows.push_back(row);
    }
    if (list.rows.empty()) list.faults.push_back({0, folder + " holds no drawing (.dxf) or shape file (.shp)"});
    return list;
}

} // namespace dravenor
