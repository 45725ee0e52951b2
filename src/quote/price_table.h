#pragma once
// The price table "prices.dat" of the working folder, beside the density and cut tables: what a
// shop pays and charges for one material, grade and thickness. A grid file of ten quoted fields
// per line: material, grade (blank: every grade), thickness, material price per kg, machine
// rate per hour (with the cut table's row of that material and thickness), cost per pierce,
// set-up per layout and per sheet, scrap credit per kg and the share of the material price a
// kept remnant is credited at (percent: 100 at full price, 0 not credited). Amounts are in the
// shop's currency; weights come from the density table.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "job/density_table.h"
#include "job/text_grid.h"

namespace dravenor::quote {

inline constexpr const char* kPriceTableFileName = "prices.dat";

struct PriceRow {
    std::string material, grade;
    double thickness = 0;
    double perKg = 0, perHour = 0, perPierce = 0, perLayout = 0, perSheet = 0, scrapPerKg = 0;
    double remnantPercent = 100;
    int line = 0; // the file line or grid row it came from, for messages; not compared
    bool operator==(const PriceRow& o) const;
};

using PriceTable = std::vector<PriceRow>;

// Rows of the table's text; every line that is not blank must be a full row, and no two rows may
// share material, grade and thickness. Problems name the file and the line.
PriceTable parsePriceTableText(const std::string& content, const std::string& fileName, std::vector<std::string>& errors);
// The table file; a missing or unreadable file is an error naming it.
PriceTable readPriceTableFile(const std::string& path, std::vector<std::string>& errors);
// An existing file of the folder named "prices.dat" in any case, else folder + "prices.dat".
std::string priceTablePath(const std::string& folder);

// The row for the material and thickness: the one of this grade (letter case ignored) before
// one with a blank grade; none when the table has neither.
std::optional<PriceRow> priceRowFor(const PriceTable& table, const std::string& material, const std::string& grade,
                                    double thickness);
// The message for a job without a row.
std::string missingPriceMessage(const std::string& tablePath, const std::string& material, const std::string& grade,
                                double thickness);
// Rows whose material has no density in the table, named by file and line: a price per kg
// of a material that cannot be weighed would price its plates at nothing.
std::vector<std::string> unweighedMaterials(const PriceTable& table, const DensityTable& densities,
                                            const std::string& tableName, const std::string& densityName);

// File text: sorted by material, grade and thickness, CR LF lines of quoted fields.
std::string priceTableText(const PriceTable& table);
// Writes the text atomically. Returns "" or a message naming the file.
std::string savePriceTableFile(const PriceTable& table, const std::string& path);

// The unit of each column of the grid that has one ("per kg", "per hour", "%", ...).
const std::map<std::string, std::string>& priceTableUnits();
// The window's grid, one empty row at the end.
TextGrid priceTableGrid(const PriceTable& table);
// The rows of the grid with any text, read as the file reads them; problems name the grid row.
PriceTable priceTableFromGrid(const TextGrid& grid, std::vector<std::string>& errors);

} // namespace dravenor::quote
