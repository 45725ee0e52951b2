#pragma once
// The density table "density.dat" of the working folder: material names with the density that
// turns thickness x area into a weight. A grid file of two quoted fields per line (material,
// density), stored sorted by material.
#include <string>
#include <vector>

#include "job/text_grid.h"

namespace dravenor {

inline constexpr const char* kDensityFileName = "density.dat";

// One row as typed: material (upper case, at most 6 characters) and the density text (an
// unsigned decimal of at most 24 characters, empty reading as 0).
struct DensityEntry {
    std::string material;
    std::string density;
    bool operator==(const DensityEntry&) const = default;
};

// Rows in file order; a material may appear more than once (the last one counts).
using DensityTable = std::vector<DensityEntry>;

// The density of the material: the value of the last entry whose material equals it exactly;
// 0 when there is none.
double densityFor(const DensityTable& table, const std::string& material);

// Path of the table in the folder: an existing file whose name matches "density.dat" without
// regard to case, else folder + "density.dat".
std::string densityTablePath(const std::string& folder);

// Rows of grid-file text. A line that does not hold two fields a user could have typed is left
// out with a warning naming the file, the line and the reason; the good rows are kept. Lower-case
// letters of a material are read in upper case.
DensityTable parseDensityText(const std::string& content, const std::string& fileName,
                              std::vector<std::string>& warnings);
// Reads the table file. A missing file gives an empty table and no warning; an unreadable one an
// empty table and a warning.
DensityTable readDensityFile(const std::string& path, std::vector<std::string>& warnings);
// readDensityFile of densityTablePath(folder).
DensityTable readDensityTable(const std::string& folder, std::vector<std::string>& warnings);

// Sorted by material as text without regard to case, then by density as a number; equal rows keep
// their order.
DensityTable sortedDensityTable(DensityTable table);
// File text: the rows with any text, sorted, one CR LF line of two quoted fields each.
std::string densityTableText(const DensityTable& table);
// Writes densityTableText atomically to the path. Returns "" or a message naming the file.
std::string saveDensityFile(const DensityTable& table, const std::string& path);
// saveDensityFile to densityTablePath(folder).
std::string saveDensityTable(const DensityTable& table, const std::string& folder);

// The window's grid ("Mat", "Density"): one row per entry, numbered, one empty row at the end.
TextGrid densityGrid(const DensityTable& table);
// The unit of the table's densities: mass per volume of the length unit.
inline constexpr const char* kDensityUnit = "kg/mm\u00b3";
// The rows of the grid with any text, in grid order (cells trimmed).
DensityTable densityTableFromGrid(const TextGrid& grid);

} // namespace dravenor
