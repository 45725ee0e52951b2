#include "stock/stock_selection.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "job/files.h"
#include "stock/stock_folder.h"

namespace dravenor {

std::vector<StockSheet> stockSheetsFor(const StockTables& tables, const std::string& folder,
                                       const std::string& material, double thickness)
{
    std::vector<const StockPlate*> matching;
    for (const StockPlate& p : tables.plates)
        if (p.quantity > 0 && toLowerAscii(p.material) == toLowerAscii(material) &&
            std::fabs(p.thickness - thickness) <= 1e-9 * std::max(1.0, thickness))
            matching.push_back(&p);
    std::stable_sort(matching.begin(), matching.end(), [](const StockPlate* a, const StockPlate* b) {
        if (a->isRemnant() != b->isRemnant()) return a->isRemnant();
        return a->isRemnant() && a->area < b->area;
    });
    std::vector<StockSheet> sheets;
    for (const StockPlate* p : matching)
        sheets.push_back({p->id, stockPath(folder, p->shapeFile),
                          static_cast<std::int32_t>(std::min<std::int64_t>(p->quantity, INT32_MAX)),
                          p->isRemnant() ? 1 : 2});
    return sheets;
}

std::string sheetsFromStockChange(const std::vector<std::string>& rowFiles, const std::vector<StockSheet>& sheets,
                                  const std::string& materialAndThickness)
{
    if (rowFiles.empty()) return "";
    const auto counted = [](size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    constexpr size_t kNamed = 6;
    std::string names;
    for (size_t i = 0; i < rowFiles.size() && i < kNamed; ++i) names += (i ? ", " : "") + fileNameOnly(rowFiles[i]);
    if (rowFiles.size() > kNamed) names += ", ...";
    const size_t remnants = static_cast<size_t>(
        std::count_if(sheets.begin(), sheets.end(), [](const StockSheet& s) { return s.priority == 1; }));
    std::string plates;
    if (remnants > 0) plates += counted(remnants, "remnant", "remnants");
    if (remnants > 0 && remnants < sheets.size()) plates += ", then ";
    if (remnants < sheets.size()) plates += counted(sheets.size() - remnants, "full plate", "full plates");
    return std::string(rowFiles.size() == 1 ? "The sheet row (" : "The " + std::to_string(rowFiles.size()) + " sheet rows (") +
        names + (rowFiles.size() == 1 ? ") is" : ") are") + " replaced by the stock's plates of " + materialAndThickness +
        ": " + plates + ".";
}

} // namespace dravenor

namespace dravenor {

std::vector<StockPlate> filteredPlates(const StockTables& tables, const std::string& material, double thickness)
{
    std::vector<StockPlate> shown;
    for (const StockPlate& p : tables.plates)
        if ((material.empty() || toLowerAscii(p.material) == toLowerAscii(material)) &&
            (thickness < 0 || std::fabs(p.thickness - thickness) <= 1e-9 * std::max(1.0, thickness)))
            shown.push_back(p);
    return shown;
}

std::vector<std::string> stockMaterials(const StockTables& tables)
{
    std::vector<std::string> materials;
    for (const StockPlate& p : tables.plates) materials.push_back(p.material);
    std::sort(materials.begin(), materials.end());
    materials.erase(std::unique(materials.begin(), materials.end()), materials.end());
    return materials;
}

std::vector<double> stockThicknesses(const StockTables& tables)
{
    std::vector<double> thicknesses;
    for (const StockPlate& p : tables.plates) thicknesses.push_back(p.thickness);
    std::sort(thicknesses.begin(), thicknesses.end());
    thicknesses.erase(std::unique(thicknesses.begin(), thicknesses.end()), thicknesses.end());
    return thicknesses;
}

} // namespace dravenor
