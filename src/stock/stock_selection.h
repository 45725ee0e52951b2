#pragma once
// The plates a job can take its sheets from: the same material (letters compared without regard
// to case) and thickness, quantity left, remnants first (smallest first, so offcuts are used up),
// then the full plates.
#include <cstdint>
#include <string>
#include <vector>

#include "stock/stock_index.h"

namespace dravenor {

struct StockSheet {
    std::int64_t plateId = 0;
    std::string file;        // the shape file's path
    std::int32_t quantity = 0;
    std::int32_t priority = 0; // 1 for remnants, 2 for full plates: the engines use remnants first
};

std::vector<StockSheet> stockSheetsFor(const StockTables& tables, const std::string& folder,
                                       const std::string& material, double thickness);

// What taking the sheets from the stock does to a sheet grid holding these files: "The 3 sheet
// rows (a.shp, b.shp, c.shp) are replaced by the stock's plates of S235 10: 1 remnant, then 1
// full plate." ("" when the grid holds none and there is nothing to replace).
std::string sheetsFromStockChange(const std::vector<std::string>& rowFiles, const std::vector<StockSheet>& sheets,
                                  const std::string& materialAndThickness);

} // namespace dravenor

namespace dravenor {

// The plates the Stock window lists: material "" and thickness below 0 mean any.
std::vector<StockPlate> filteredPlates(const StockTables& tables, const std::string& material, double thickness);
// The materials and thicknesses in stock, sorted, each once (the window's filter lists).
std::vector<std::string> stockMaterials(const StockTables& tables);
std::vector<double> stockThicknesses(const StockTables& tables);

} // namespace dravenor
